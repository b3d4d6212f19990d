// The icon files of the visual games: how the working folder is listed, and the
// twenty flags the program ships, checked as files (names and .ico container).
#include "core/datafolder.h"
#include "core/rules/icons.h"
#include "core/text/sjis.h"
#include "testsupport.h"

#include <QDir>
#include <QSet>
#include <QtEndian>
#include <QtTest>

using namespace kioku;
using namespace kioku::rules;

namespace {

QStringList fileNames(const QList<IconFile> &icons)
{
    QStringList out;
    for (const IconFile &i : icons)
        out << i.fileName;
    return out;
}

QStringList names(const QList<IconFile> &icons)
{
    QStringList out;
    for (const IconFile &i : icons)
        out << i.name;
    return out;
}

// The icon files among the shipped data files.
QStringList shippedIconFiles()
{
    return QDir(QStringLiteral(":/data")).entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Name);
}

// Full-width katakana (with the long-vowel mark) or a kanji: how the players
// know the countries, and all of it storable in code page 932.
bool isKatakanaOrKanji(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC || (u >= 0x4E00 && u <= 0x9FFF);
}

quint16 u16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

} // namespace

class tst_Icons : public QObject {
    Q_OBJECT

private slots:
    void listing_data();
    void listing();
    void listingIsTheSameWhateverTheCreationOrder();

    void twentyIconsShipAndAreListed();
    void shippedIconName_data();
    void shippedIconName();
    void shippedIconContainer_data();
    void shippedIconContainer();
};

// ---------------------------------------------------------------- the listing

void tst_Icons::listing_data()
{
    // Files are created in the order given; a trailing "/" makes a folder.
    QTest::addColumn<QStringList>("created");
    QTest::addColumn<QStringList>("expectedFiles");
    QTest::addColumn<QStringList>("expectedNames");

    QTest::newRow("created against file-name order")
        << QStringList{"日本.ico", "ロシア.ico", "フランス.ico", "アメリカ.ico", "中国.ico"}
        << QStringList{"アメリカ.ico", "フランス.ico", "ロシア.ico", "中国.ico", "日本.ico"}
        << QStringList{"アメリカ", "フランス", "ロシア", "中国", "日本"};
    QTest::newRow("letter case does not order") << QStringList{"b.ico", "C.ico", "a.ico"}
                                                << QStringList{"a.ico", "b.ico", "C.ico"} << QStringList{"a", "b", "C"};
    QTest::newRow("extension in any letter case")
        << QStringList{"z.ICO", "m.Ico", "a.ico"} << QStringList{"a.ico", "m.Ico", "z.ICO"}
        << QStringList{"a", "m", "z"};
    QTest::newRow("folders and other files are left out")
        << QStringList{"x.ico/", "読んでね.txt", "w.ico.txt", "v.icon", "u.ic", "ico", "t.ico"} << QStringList{"t.ico"}
        << QStringList{"t"};
    QTest::newRow("only the last extension is cut")
        << QStringList{"c.ico.ico", "a.b.ico"} << QStringList{"a.b.ico", "c.ico.ico"} << QStringList{"a.b", "c.ico"};
    QTest::newRow("a name with spaces") << QStringList{"南 アフリカ.ico"} << QStringList{"南 アフリカ.ico"}
                                        << QStringList{"南 アフリカ"};
    QTest::newRow("no icons") << QStringList{"設定.txt", "データ.txt"} << QStringList{} << QStringList{};
}

void tst_Icons::listing()
{
    QFETCH(QStringList, created);
    QFETCH(QStringList, expectedFiles);
    QFETCH(QStringList, expectedNames);
    TempDataDir dir;
    for (const QString &c : created) {
        if (c.endsWith(QLatin1Char('/')))
            QVERIFY(QDir::current().mkdir(c.chopped(1)));
        else
            QVERIFY(dir.write(c, "x"));
    }
    const QList<IconFile> icons = listIcons();
    QCOMPARE(fileNames(icons), expectedFiles);
    QCOMPARE(names(icons), expectedNames);
}

void tst_Icons::listingIsTheSameWhateverTheCreationOrder()
{
    const QStringList sorted{"アメリカ.ico", "イギリス.ico", "カナダ.ico", "スイス.ico",
                             "ドイツ.ico",   "ロシア.ico",   "中国.ico",   "日本.ico"};
    // Forwards, backwards and shuffled by a fixed stride.
    QList<QStringList> orders{sorted, QStringList(sorted.rbegin(), sorted.rend())};
    QStringList strided;
    for (int i = 0; i < sorted.size(); ++i)
        strided << sorted.at((i * 3) % sorted.size());
    orders << strided;
    for (const QStringList &order : orders) {
        TempDataDir dir;
        for (const QString &f : order)
            QVERIFY(dir.write(f, "x"));
        QCOMPARE(fileNames(listIcons()), sorted);
    }
}

// ---------------------------------------------------------- the shipped flags

void tst_Icons::twentyIconsShipAndAreListed()
{
    // A new data folder gets them, and the games find exactly as many as icon
    // concentration needs.
    TempDataDir dir;
    const DataFolderResult r = prepareDataFolder();
    QVERIFY(r.failed.isEmpty());
    const QList<IconFile> icons = listIcons();
    QCOMPARE(icons.size(), kConcentrationIcons);
    QCOMPARE(fileNames(icons), shippedIconFiles());
    const QStringList n = names(icons);
    QCOMPARE(QSet<QString>(n.begin(), n.end()).size(), kConcentrationIcons);
    for (const IconFile &i : icons) {
        QCOMPARE(i.fileName, i.name + QStringLiteral(".ico"));
        QCOMPARE(dir.bytes(i.fileName), shippedFile(i.fileName));
    }
}

void tst_Icons::shippedIconName_data()
{
    QTest::addColumn<QString>("fileName");
    for (const QString &f : shippedIconFiles())
        QTest::newRow(qPrintable(f)) << f;
}

void tst_Icons::shippedIconName()
{
    QFETCH(QString, fileName);
    QVERIFY(fileName.endsWith(QLatin1String(".ico")));
    const QString name = fileName.chopped(4);
    QVERIFY(!name.isEmpty());
    for (QChar c : name)
        QVERIFY2(isKatakanaOrKanji(c), qPrintable(QStringLiteral("%1 in %2").arg(c).arg(name)));
    // The players type the names into answer boxes whose text is stored in
    // code page 932: each name must go there and come back unchanged.
    QByteArray bytes;
    QVERIFY(text::encodeCp932(name, &bytes));
    bool clean = false;
    QCOMPARE(text::decodeCp932(bytes, &clean), name);
    QVERIFY(clean);
}

void tst_Icons::shippedIconContainer_data()
{
    QTest::addColumn<QString>("fileName");
    for (const QString &f : shippedIconFiles())
        QTest::newRow(qPrintable(f)) << f;
}

// Read as a plain icon reader would: the ICONDIR, four entries of 16, 32, 48
// and 64 px, each a 32-bit BMP with its AND mask, laid end to end, the mask
// saying transparent exactly where the colour rows do, and the flag itself
// (the middle of the square) opaque.
void tst_Icons::shippedIconContainer()
{
    QFETCH(QString, fileName);
    const QByteArray b = shippedFile(fileName);
    QVERIFY(b.size() > 6);
    QCOMPARE(u16(b, 0), quint16(0)); // reserved
    QCOMPARE(u16(b, 2), quint16(1)); // an icon, not a cursor
    QCOMPARE(u16(b, 4), quint16(4));
    const int sizes[] = {16, 32, 48, 64};
    quint32 expectedOffset = 6 + 4 * 16;
    for (int e = 0; e < 4; ++e) {
        const int size = sizes[e];
        const qsizetype entry = 6 + 16 * e;
        QCOMPARE(int(quint8(b[entry])), size);
        QCOMPARE(int(quint8(b[entry + 1])), size);
        QCOMPARE(int(quint8(b[entry + 2])), 0); // no palette
        QCOMPARE(u16(b, entry + 4), quint16(1));
        QCOMPARE(u16(b, entry + 6), quint16(32));
        const quint32 length = u32(b, entry + 8), offset = u32(b, entry + 12);
        const int maskStride = ((size + 31) / 32) * 4;
        QCOMPARE(length, quint32(40 + size * size * 4 + maskStride * size));
        QCOMPARE(offset, expectedOffset);
        QVERIFY(qsizetype(offset + length) <= b.size());
        expectedOffset += length;

        // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
        QCOMPARE(u32(b, offset), quint32(40));
        QCOMPARE(qint32(u32(b, offset + 4)), size);
        QCOMPARE(qint32(u32(b, offset + 8)), 2 * size);
        QCOMPARE(u16(b, offset + 12), quint16(1));
        QCOMPARE(u16(b, offset + 14), quint16(32));
        QCOMPARE(u32(b, offset + 16), quint32(0)); // uncompressed

        const qsizetype colours = offset + 40, mask = colours + qsizetype(size) * size * 4;
        int opaque = 0;
        for (int row = 0; row < size; ++row) { // bottom-up, as BMP rows are
            for (int x = 0; x < size; ++x) {
                const quint8 alpha = quint8(b[colours + (qsizetype(row) * size + x) * 4 + 3]);
                const bool maskBit = (quint8(b[mask + qsizetype(row) * maskStride + x / 8]) >> (7 - x % 8)) & 1;
                QVERIFY2(alpha == 0 || alpha == 255,
                         qPrintable(QStringLiteral("%1 px: alpha %2").arg(size).arg(alpha)));
                QCOMPARE(maskBit, alpha == 0);
                opaque += alpha == 255;
            }
        }
        const qsizetype middle = colours + (qsizetype(size / 2) * size + size / 2) * 4;
        QCOMPARE(quint8(b[middle + 3]), quint8(255));
        // A flag a little wider than 2 : 1 at the least fills half the square.
        QVERIFY2(opaque >= size * size / 2, qPrintable(QStringLiteral("%1 px: %2 opaque").arg(size).arg(opaque)));
    }
    QCOMPARE(qsizetype(expectedOffset), b.size()); // nothing after the last image
}

QTEST_GUILESS_MAIN(tst_Icons)
#include "tst_icons.moc"
