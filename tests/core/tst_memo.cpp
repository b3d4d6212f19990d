// The free memo file "メモ.TXT": the memo's lines each followed by CR LF, read
// back without the final line end, written whole and never with a character
// Shift-JIS cannot hold.
#include "core/memo.h"
#include "core/text/sjis.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

class tst_memo : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void filesWrittenByHandRead_data();
    void filesWrittenByHandRead();
    void missingFileIsAnEmptyMemo();
    void unreadableFileIsToldApart_data();
    void unreadableFileIsToldApart();
    void unstorableCharacterRefusesTheWrite();
};

void tst_memo::roundTrip_data()
{
    QTest::addColumn<QString>("memo"); // the box's text
    QTest::addColumn<QString>("file"); // the file's text (before code page 932)
    QTest::addColumn<QString>("back"); // what is read back
    QTest::newRow("two lines a b") << "a\nb"
                                   << "a\r\nb\r\n"
                                   << "a\nb";
    QTest::newRow("empty memo is one CR LF") << ""
                                             << "\r\n"
                                             << "";
    QTest::newRow("ending in a blank line") << "a\n"
                                            << "a\r\n\r\n"
                                            << "a\n";
    // A text holding CR LF (pasted) or a lone CR ends its lines there, once: no
    // CR stays inside a line and no empty line is added.
    QTest::newRow("CR LF inside lines") << "a\r\nb\r\nc"
                                        << "a\r\nb\r\nc\r\n"
                                        << "a\nb\nc";
    QTest::newRow("lone CR") << "a\rb"
                             << "a\r\nb\r\n"
                             << "a\nb";
    QTest::newRow("paragraph separator of a text box") << QString("a") + QChar::ParagraphSeparator + "b"
                                                       << "a\r\nb\r\n"
                                                       << "a\nb";
    QTest::newRow("Japanese, blanks and tab kept") << "　メモ ①～\t髙 "
                                                   << "　メモ ①～\t髙 \r\n"
                                                   << "　メモ ①～\t髙 ";
}

void tst_memo::roundTrip()
{
    QFETCH(QString, memo);
    QFETCH(QString, file);
    QFETCH(QString, back);
    TempDataDir dir;
    QCOMPARE(memoFileText(memo), file);
    QVERIFY(writeMemo(memo).ok);
    QCOMPARE(dir.bytes(kMemoFile), sjis(file));
    const MemoRead r = readMemo();
    QVERIFY(r.exists);
    QVERIFY(r.complete());
    QCOMPARE(r.text, back);
    // Written again, the file does not change: nothing grows with each save.
    QVERIFY(writeMemo(r.text).ok);
    QCOMPARE(dir.bytes(kMemoFile), sjis(file));
}

void tst_memo::filesWrittenByHandRead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("memo");
    QTest::newRow("zero length") << QByteArray() << "";
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << "a\nb";
    QTest::newRow("LF only") << QByteArray("a\nb\n") << "a\nb";
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBFx\xE2\x91\xA0\r\n") << "x①";
}

void tst_memo::filesWrittenByHandRead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, memo);
    TempDataDir dir;
    QVERIFY(dir.write(kMemoFile, bytes));
    const MemoRead r = readMemo();
    QVERIFY(r.complete());
    QCOMPARE(r.text, memo);
}

void tst_memo::missingFileIsAnEmptyMemo()
{
    TempDataDir dir;
    const MemoRead r = readMemo();
    QVERIFY(!r.exists);
    QVERIFY(r.complete());
    QCOMPARE(r.text, QString());
    QVERIFY(!dir.exists(kMemoFile)); // reading creates nothing
}

void tst_memo::unreadableFileIsToldApart_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a folder in its place") << "folder";
    QTest::newRow("bytes that are not Shift-JIS") << "bytes";
}

void tst_memo::unreadableFileIsToldApart()
{
    QFETCH(QString, how);
    TempDataDir dir;
    if (how == QLatin1String("folder")) {
        QVERIFY(QDir::current().mkdir(kMemoFile));
        const MemoRead r = readMemo();
        QVERIFY(r.exists);
        QVERIFY(r.readError);
        QVERIFY(!r.complete());
        QCOMPARE(r.text, QString());
    } else {
        QVERIFY(dir.write(kMemoFile, QByteArray("ok\r\n\x82\xFF\r\n")));
        const MemoRead r = readMemo();
        QVERIFY(!r.readError);
        QVERIFY(!r.clean);
        QVERIFY(!r.complete());
        QVERIFY(r.text.startsWith(QStringLiteral("ok\n")));
        QVERIFY(r.text.contains(QChar(0xFFFD)));
        // What was shown cannot be written back over the file as it is.
        QVERIFY(!writeMemo(r.text).ok);
        QCOMPARE(dir.bytes(kMemoFile), QByteArray("ok\r\n\x82\xFF\r\n"));
    }
}

void tst_memo::unstorableCharacterRefusesTheWrite()
{
    TempDataDir dir;
    const QByteArray before = sjis(QStringLiteral("前のメモ\r\n"));
    QVERIFY(dir.write(kMemoFile, before));
    const text::WriteResult w = writeMemo(QStringLiteral("猫🐱\n二行目"));
    QVERIFY(!w.ok);
    QCOMPARE(w.message, text::unstorableCharMessage(QStringLiteral("🐱")));
    QCOMPARE(dir.bytes(kMemoFile), before);
    QCOMPARE(dir.files(), QStringList{kMemoFile}); // no temporary file left behind
}

QTEST_MAIN(tst_memo)
#include "tst_memo.moc"
