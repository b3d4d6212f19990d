// The pictures of the icon files: the twenty shipped flags as Qt reads them
// and as the games show them, and that no two of them look alike.
#include "core/datafolder.h"
#include "core/rules/icons.h"
#include "testsupport.h"
#include "widgets/pictures.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QImageReader>
#include <QPainter>
#include <QtTest>

#include <cmath>

using namespace kioku;

namespace {

const QList<int> kIconSizes{16, 32, 48, 64};

QStringList shippedIconFiles()
{
    return QDir(QStringLiteral(":/data")).entryList({QStringLiteral("*.ico")}, QDir::Files, QDir::Name);
}

// How far apart two pictures of the same size look: the mean, over all their
// pixels, of the distance between the two colours in RGB (0 to 441), each
// picture laid on a white window first, as the games show them.
double meanColourDistance(const QImage &a, const QImage &b)
{
    auto onWhite = [](const QImage &img) {
        QImage out(img.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter p(&out);
        p.drawImage(0, 0, img);
        return out;
    };
    const QImage x = onWhite(a), y = onWhite(b);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            const double dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
            sum += std::sqrt(dr * dr + dg * dg + db * db);
        }
    }
    return sum / (x.width() * x.height());
}

// Below this two 32 px icons count as the same picture: one design in the
// same or a neighbouring shade (two tricolours of one pattern, Romania and
// Chad, Italy and Mexico without its emblem). Flags that differ in a colour
// or in their pattern lie above it.
const double kAlikeBelow = 20.0;

// A striped 32 px flag laid out as the shipped icons are: full width, the
// height from the proportion, centred, framed in grey.
QImage striped(std::initializer_list<QColor> colours, bool vertical, double aspect)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const int h = qRound(32 / aspect / 2) * 2;
    const QRect outer(0, (32 - h) / 2, 32, h), inner = outer.adjusted(1, 1, -1, -1);
    p.fillRect(outer, QColor(136, 136, 136));
    const int n = int(colours.size());
    int i = 0;
    for (const QColor &c : colours) {
        if (vertical)
            p.fillRect(QRect(inner.left() + inner.width() * i / n, inner.top(), inner.width() / n + 1, inner.height()),
                       c);
        else
            p.fillRect(QRect(inner.left(), inner.top() + inner.height() * i / n, inner.width(), inner.height() / n + 1),
                       c);
        ++i;
    }
    p.end();
    return img;
}

QColor rgb(unsigned v)
{
    return QColor(QRgb(v));
}

} // namespace

class tst_IconPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void shippedIconReadsAtEverySize_data();
    void shippedIconReadsAtEverySize();
    void pictureOfWhatIsNoIcon_data();
    void pictureOfWhatIsNoIcon();

    void alikeMeasure_data();
    void alikeMeasure();
    void noTwoShippedIconsLookAlike();

private:
    TempDataDir *m_dir = nullptr;
};

void tst_IconPictures::initTestCase()
{
    // One new data folder for the whole test, as the program sets it up.
    m_dir = new TempDataDir;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    QCOMPARE(rules::listIcons().size(), rules::kConcentrationIcons);
}

void tst_IconPictures::cleanupTestCase()
{
    delete m_dir;
    m_dir = nullptr;
}

void tst_IconPictures::shippedIconReadsAtEverySize_data()
{
    QTest::addColumn<QString>("fileName");
    for (const QString &f : shippedIconFiles())
        QTest::newRow(qPrintable(f)) << f;
}

void tst_IconPictures::shippedIconReadsAtEverySize()
{
    QFETCH(QString, fileName);
    QImageReader reader(fileName);
    QCOMPARE(reader.format(), QByteArray("ico"));
    QCOMPARE(reader.imageCount(), kIconSizes.size());
    QList<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage img = reader.read();
        QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(img.size(), QSize(kIconSizes[i], kIconSizes[i]));
        // The flag fills the middle; its frame keeps a white flag apart from a white window.
        const int s = kIconSizes[i];
        QCOMPARE(qAlpha(img.pixel(s / 2, s / 2)), 255);
        QCOMPARE(img.pixelColor(0, s / 2), QColor(136, 136, 136));
        QCOMPARE(img.pixelColor(s - 1, s / 2), QColor(136, 136, 136));
        images << img;
    }

    const QIcon icon(QDir::current().filePath(fileName));
    QList<QSize> expected;
    for (int s : kIconSizes)
        expected << QSize(s, s);
    QList<QSize> available = icon.availableSizes();
    std::sort(available.begin(), available.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(available, expected);

    // What the games show: at a size the file holds, that very image.
    for (int i = 0; i < kIconSizes.size(); ++i) {
        const QPixmap pm = pictures::iconFilePicture(fileName, kIconSizes[i]);
        QVERIFY(!pm.isNull());
        QCOMPARE(pm.toImage().convertToFormat(QImage::Format_ARGB32), images[i].convertToFormat(QImage::Format_ARGB32));
    }
    // Between the sizes: scaled to the size asked for.
    for (int s : {20, 40, 100}) {
        const QPixmap pm = pictures::iconFilePicture(fileName, s);
        QCOMPARE(pm.deviceIndependentSize().toSize(), QSize(s, s));
        QCOMPARE(pm.toImage().pixelColor(s / 2, s / 2).alpha(), 255);
    }
}

void tst_IconPictures::pictureOfWhatIsNoIcon_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("write"); // false: no such file
    QTest::newRow("missing file") << "無い.ico" << QByteArray() << false;
    QTest::newRow("empty file") << "空.ico" << QByteArray() << true;
    QTest::newRow("text named .ico") << "文字.ico" << QByteArray("not a picture\r\n") << true;
    QTest::newRow("icon header without images") << "中身無し.ico" << QByteArray("\0\0\1\0\0\0", 6) << true;
    QTest::newRow("entry pointing past the end") << "切れ端.ico"
                                                 << QByteArray("\0\0\1\0\1\0"
                                                               "\x20\x20\0\0\1\0\x20\0"
                                                               "\x28\x10\0\0"
                                                               "\x16\0\0\0",
                                                               22)
                                                 << true;
}

void tst_IconPictures::pictureOfWhatIsNoIcon()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, write);
    if (write)
        QVERIFY(m_dir->write(fileName, bytes));
    QVERIFY(pictures::iconFilePicture(fileName, 32).isNull());
}

void tst_IconPictures::alikeMeasure_data()
{
    QTest::addColumn<QImage>("a");
    QTest::addColumn<QImage>("b");
    QTest::addColumn<bool>("alike");
    const QColor white = Qt::white;
    const QImage france = striped({rgb(0x0055A4), white, rgb(0xEF4135)}, true, 1.5);
    QTest::newRow("one tricolour twice") << france << france << true;
    QTest::newRow("the same tricolour in other shades")
        << france << striped({rgb(0x002395), white, rgb(0xED2939)}, true, 1.5) << true;
    QTest::newRow("Romania and Chad") << striped({rgb(0x002B7F), rgb(0xFCD116), rgb(0xCE1126)}, true, 1.5)
                                      << striped({rgb(0x002664), rgb(0xFECB00), rgb(0xC60C30)}, true, 1.5) << true;
    QTest::newRow("Italy and Mexico without its emblem, both 2 : 3")
        << striped({rgb(0x009246), rgb(0xF4F5F0), rgb(0xCE2B37)}, true, 1.5)
        << striped({rgb(0x006847), white, rgb(0xCE1126)}, true, 1.5) << true;
    QTest::newRow("France and Russia") << france << striped({white, rgb(0x0039A6), rgb(0xD52B1E)}, false, 1.5) << false;
    QTest::newRow("France and Italy") << france << striped({rgb(0x009246), white, rgb(0xCE2B37)}, true, 1.5) << false;
    QTest::newRow("Poland and Indonesia")
        << striped({white, rgb(0xDC143C)}, false, 1.6) << striped({rgb(0xCE1126), white}, false, 1.5) << false;
    QTest::newRow("Germany and Belgium") << striped({Qt::black, rgb(0xDD0000), rgb(0xFFCE00)}, false, 5.0 / 3)
                                         << striped({Qt::black, rgb(0xFAE042), rgb(0xED2939)}, true, 15.0 / 13)
                                         << false;
}

void tst_IconPictures::alikeMeasure()
{
    QFETCH(QImage, a);
    QFETCH(QImage, b);
    QFETCH(bool, alike);
    const double d = meanColourDistance(a, b);
    QVERIFY2((d < kAlikeBelow) == alike, qPrintable(QStringLiteral("distance %1").arg(d)));
    QCOMPARE(meanColourDistance(b, a), d);
}

void tst_IconPictures::noTwoShippedIconsLookAlike()
{
    const QStringList files = shippedIconFiles();
    QList<QImage> pictures32;
    for (const QString &f : files) {
        QImageReader reader(f);
        QVERIFY(reader.jumpToImage(kIconSizes.indexOf(32)));
        pictures32 << reader.read();
        QCOMPARE(pictures32.last().size(), QSize(32, 32));
    }
    double closest = 1e9;
    QString closestPair;
    for (int i = 0; i < files.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            const double d = meanColourDistance(pictures32[i], pictures32[j]);
            if (d < closest) {
                closest = d;
                closestPair = files[j] + QStringLiteral(" / ") + files[i];
            }
        }
    }
    qInfo("closest pair: %s, %.1f", qPrintable(closestPair), closest);
    QVERIFY2(closest >= kAlikeBelow, qPrintable(QStringLiteral("%1: %2").arg(closestPair).arg(closest)));
}

QTEST_MAIN(tst_IconPictures)
#include "tst_iconpictures.moc"
