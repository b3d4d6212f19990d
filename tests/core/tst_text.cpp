// Code page 932, record lines, number and date texts, and the file access layer.
#include "core/text/formats.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku::text;

class tst_text : public QObject {
    Q_OBJECT

private slots:
    void cp932RoundTrip_data();
    void cp932RoundTrip();
    void cp932DecodesBothExtensionForms();
    void unencodableCharacterIsNamed_data();
    void unencodableCharacterIsNamed();
    void invalidBytesAreReplaced_data();
    void invalidBytesAreReplaced();
    void fixturesDecode();

    void splitRecord_data();
    void splitRecord();
    void readerNeverFails_data();
    void readerNeverFails();
    void writerQuotesTextsAndKeepsOneLine();
    void leadingNumber_data();
    void leadingNumber();

    void numberTexts_data();
    void numberTexts();
    void dateTexts();
    void parseDateSlash_data();
    void parseDateSlash();

    void existingFileIsUsedUnderAnyLetterCase();
    void readLinesEndings_data();
    void readLinesEndings();
    void readMissingFileOrFolder();
    void writeLinesIsCp932CrLf();
    void failedWriteLosesNothing();
    void unstorableCharacterWritesNothing();
    void appendStartsANewLineAndCreatesTheFile();
    void readAllKeepsText();
};

// ---------------------------------------------------------------- code page 932

void tst_text::cp932RoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("abc,\"12\".5") << QByteArray("abc,\"12\".5");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("fullwidth tilde") << QStringLiteral("\uFF5E") << QByteArray("\x81\x60");
    QTest::newRow("fullwidth minus") << QStringLiteral("\uFF0D") << QByteArray("\x81\x7C");
    QTest::newRow("IBM taka") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
    QTest::newRow("IBM small roman") << QStringLiteral("ⅰ") << QByteArray("\xFA\x40");
    QTest::newRow("NEC roman") << QStringLiteral("Ⅰ") << QByteArray("\x87\x54");
    QTest::newRow("fullwidth not sign") << QStringLiteral("\uFFE2") << QByteArray("\x81\xCA");
    QTest::newRow("halfwidth kana") << QStringLiteral("ｱｲｳ") << QByteArray("\xB1\xB2\xB3");
    QTest::newRow("5C trail bytes") << QStringLiteral("ソ表纊") << QByteArray("\x83\x5C\x95\x5C\xFA\x5C");
}

void tst_text::cp932RoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QByteArray out;
    QVERIFY(encodeCp932(text, &out));
    QCOMPARE(out, bytes);
    bool clean = false;
    QCOMPARE(decodeCp932(bytes, &clean), text);
    QVERIFY(clean);
}

void tst_text::cp932DecodesBothExtensionForms()
{
    // What a Linux input method types for 〜 and − is stored as Windows writes ～ and －.
    QByteArray out;
    QVERIFY(encodeCp932(QStringLiteral("\u301C\u2212\u2016"), &out));
    QCOMPARE(out, QByteArray("\x81\x60\x81\x7C\x81\x61"));
    // NEC-selected IBM extensions (rows 89-92) read as the same characters as the IBM rows.
    QCOMPARE(decodeCp932(QByteArray("\xED\x40")), QStringLiteral("纊"));
    QCOMPARE(decodeCp932(QByteArray("\xFA\x4A")), QStringLiteral("Ⅰ"));
    QCOMPARE(decodeCp932(QByteArray("\xEE\xEF")), QStringLiteral("ⅰ"));
}

void tst_text::unencodableCharacterIsNamed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bad");
    QTest::newRow("emoji") << QStringLiteral("今日は😀です") << QStringLiteral("😀");
    // What a garbled byte was read as is never written back as a silent "?".
    QTest::newRow("replacement char") << QStringLiteral("a\uFFFDb") << QStringLiteral("\uFFFD");
    QTest::newRow("lone surrogate") << (QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("c"))
                                    << QString(QChar(0xD800));
    QTest::newRow("first of two") << QStringLiteral("é😀") << QStringLiteral("é");
}

void tst_text::unencodableCharacterIsNamed()
{
    QFETCH(QString, text);
    QFETCH(QString, bad);
    QByteArray out("untouched");
    QString found;
    QVERIFY(!encodeCp932(text, &out, &found));
    QCOMPARE(found, bad);
    QCOMPARE(out, QByteArray("untouched"));
}

void tst_text::invalidBytesAreReplaced_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("lone lead at end") << QByteArray("ab\x82") << QStringLiteral("ab\uFFFD");
    QTest::newRow("0x80, then good") << QByteArray("a\x80\x82\xA0") << QStringLiteral("a\uFFFDあ");
    QTest::newRow("0xFD-FF") << QByteArray("\xFD\xFE\xFF") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
}

void tst_text::invalidBytesAreReplaced()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    bool clean = true;
    QCOMPARE(decodeCp932(bytes, &clean), text);
    QVERIFY(!clean);
}

void tst_text::fixturesDecode()
{
    bool clean = false;
    QCOMPARE(decodeCp932(fixture("cp932.txt"), &clean), QStringLiteral("①②～－髙ⅰ纊\uFFE2∵\r\n"));
    QVERIFY(clean);

    // A file saved as UTF-8 with its mark is read as UTF-8; without the mark, as code page 932.
    TempDataDir dir;
    QVERIFY(dir.write("bom.txt", fixture("utf8bom.txt")));
    const ReadResult r = readLines("bom.txt");
    QVERIFY(r.clean);
    QCOMPARE(r.lines, QStringList({"\"ヘルプツアー\",0", "\"２行目\",①"}));
    QVERIFY(decodeFileBytes(QByteArray("\xE3\x81\x82")) != QStringLiteral("あ"));
}

// ---------------------------------------------------------------- record lines

void tst_text::splitRecord_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("game line") << QStringLiteral("\"a\",\"b\",3,\"c\",") << QStringList({"a", "b", "3", "c", ""});
    QTest::newRow("rewrite line") << QStringLiteral("\"a\",\"b\",3,\"c\",\"\"")
                                  << QStringList({"a", "b", "3", "c", ""});
    QTest::newRow("comma in quotes") << QStringLiteral("\"x, y\",1") << QStringList({"x, y", "1"});
    QTest::newRow("blanks around fields") << QStringLiteral("  12.5  , \"t\" ") << QStringList({"12.5", "t"});
    QTest::newRow("junk after quote") << QStringLiteral("\"t\"junk,2") << QStringList({"t", "2"});
    QTest::newRow("unterminated quote") << QStringLiteral("\"abc,def") << QStringList({"abc,def"});
    QTest::newRow("quote inside unquoted") << QStringLiteral("ab\"c,d") << QStringList({"ab\"c", "d"});
    QTest::newRow("lone quote") << QStringLiteral("\"") << QStringList({""});
}

void tst_text::splitRecord()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(kioku::text::splitRecord(line), fields);
}

void tst_text::readerNeverFails_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text0");
    QTest::addColumn<int>("int1");
    QTest::addColumn<float>("float1");
    QTest::newRow("decimal") << QStringLiteral("\"a\",0.5") << "a" << 0 << 0.5f;
    QTest::newRow("garbled number") << QStringLiteral("\"a\",abc") << "a" << 0 << 0.0f;
    QTest::newRow("number with unit") << QStringLiteral("x,7秒") << "x" << 7 << 7.0f;
    QTest::newRow("quoted number") << QStringLiteral("x,\"41.3\"") << "x" << 41 << 41.3f;
    QTest::newRow("huge") << QStringLiteral("x,99999999999999999999") << "x" << 2147483647 << 1e20f;
}

void tst_text::readerNeverFails()
{
    QFETCH(QString, line);
    QFETCH(QString, text0);
    QFETCH(int, int1);
    QFETCH(float, float1);
    const RecordReader r(line);
    QCOMPARE(r.text(0), text0);
    QCOMPARE(r.toInt(1), int1);
    QCOMPARE(r.toFloat(1), float1);
    QCOMPARE(r.text(99), QString());
    QCOMPARE(r.text(-1), QString());
    QCOMPARE(r.toDouble(42), 0.0);
}

void tst_text::writerQuotesTextsAndKeepsOneLine()
{
    const QString l = RecordWriter()
                          .text(QStringLiteral("言う\"こと\""))
                          .number(3)
                          .number(12.5f)
                          .number(0.1)
                          .bare()
                          .text(QStringLiteral("a,b"))
                          .line(true);
    QCOMPARE(l, QStringLiteral("\"言う＂こと＂\",3,12.5,0.1,,\"a,b\","));
    const RecordReader r(l);
    QCOMPARE(r.count(), 7);
    QCOMPARE(r.text(5), QStringLiteral("a,b"));
    // A line break inside a text would split the record into two lines.
    QCOMPARE(RecordWriter().text(QStringLiteral("a\r\nb\nc")).line(), QStringLiteral("\"a b c\""));
    QCOMPARE(RecordWriter().number(float(1e-5)).number(-0.0f).line(), QStringLiteral("0.00001,0"));
}

void tst_text::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("seconds") << QStringLiteral("0.5秒") << 0.5;
    QTest::newRow("percent") << QStringLiteral("75.0%") << 75.0;
    QTest::newRow("no digits") << QStringLiteral("abc") << 0.0;
    QTest::newRow("minus dot five") << QStringLiteral("-.5") << -0.5;
    QTest::newRow("no exponent") << QStringLiteral("1e5") << 1.0;
    QTest::newRow("fullwidth digits") << QStringLiteral("１２") << 0.0;
}

void tst_text::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(kioku::text::leadingNumber(text), value);
}

// ---------------------------------------------------------------- numbers and dates

namespace {
enum NumberForm { Float, Double, Fixed1, Fixed2, Percent, HalfEven, Hms };
}

void tst_text::numberTexts_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    // Seconds per play: the shortest text of the single-precision value.
    QTest::newRow("float 41.3") << int(Float) << double(41.3f) << "41.3";
    QTest::newRow("float 1e-5") << int(Float) << double(1e-5f) << "0.00001";
    QTest::newRow("float 123456792, 7 digits") << int(Float) << 123456792.0 << "123456800";
    QTest::newRow("float 99.999999 rounds up") << int(Float) << double(99.999999f) << "100";
    // Either side of where the quick path (plain text of at most 7 digits) ends.
    QTest::newRow("float 9999999") << int(Float) << 9999999.0 << "9999999";
    QTest::newRow("float 10000001, 7 digits") << int(Float) << 10000001.0 << "10000000";
    QTest::newRow("float 1.0000001") << int(Float) << double(1.0000001f) << "1";
    QTest::newRow("float 1.2345678, 7 digits") << int(Float) << double(1.2345678f) << "1.234568";
    QTest::newRow("float 0.0001") << int(Float) << double(0.0001f) << "0.0001";
    QTest::newRow("float -12.5") << int(Float) << -12.5 << "-12.5";
    QTest::newRow("float 1000000") << int(Float) << 1e6 << "1000000";
    QTest::newRow("double 0.1+0.2") << int(Double) << (0.1 + 0.2) << "0.3";
    QTest::newRow("double of 41.3f") << int(Double) << double(41.3f) << "41.2999992370605";
    // "0.0", "0.00" and "0.0%" round halves away from zero on the decimal value.
    QTest::newRow("0.0 of 0.25") << int(Fixed1) << 0.25 << "0.3";
    QTest::newRow("0.0 of 9.96") << int(Fixed1) << 9.96 << "10.0";
    QTest::newRow("0.0 of -0.04") << int(Fixed1) << -0.04 << "0.0";
    QTest::newRow("0.00 of 1.005") << int(Fixed2) << 1.005 << "1.01";
    QTest::newRow("0.00 of 2.675") << int(Fixed2) << 2.675 << "2.68";
    QTest::newRow("% of 1/16") << int(Percent) << 1.0 / 16 << "6.3%";
    QTest::newRow("% of 0.075") << int(Percent) << 0.075 << "7.5%";
    QTest::newRow("% of 2/3") << int(Percent) << 2.0 / 3 << "66.7%";
    // Totals of seconds: halves to the even neighbour.
    QTest::newRow("even 2.5") << int(HalfEven) << 2.5 << "2";
    QTest::newRow("even 3.5") << int(HalfEven) << 3.5 << "4";
    QTest::newRow("even 2.5001") << int(HalfEven) << 2.5001 << "3";
    QTest::newRow("even 5e9") << int(HalfEven) << 5e9 << "5000000000";
    QTest::newRow("hms 307") << int(Hms) << 307.0 << "0:05:07";
    QTest::newRow("hms 100 hours") << int(Hms) << 360061.0 << "100:01:01";
}

void tst_text::numberTexts()
{
    QFETCH(int, form);
    QFETCH(double, value);
    QFETCH(QString, text);
    switch (NumberForm(form)) {
    case Float:
        QCOMPARE(shortestFloat(float(value)), text);
        break;
    case Double:
        QCOMPARE(shortestDouble(value), text);
        break;
    case Fixed1:
        QCOMPARE(format0_0(value), text);
        break;
    case Fixed2:
        QCOMPARE(format0_00(value), text);
        break;
    case Percent:
        QCOMPARE(formatPercent(value), text);
        break;
    case HalfEven:
        QCOMPARE(QString::number(roundHalfEven(value)), text);
        break;
    case Hms:
        QCOMPARE(formatHms(qint64(value)), text);
        break;
    }
}

void tst_text::dateTexts()
{
    const QDate d(2006, 1, 5);
    QCOMPARE(dateSlash(d), QStringLiteral("2006/01/05"));
    QCOMPARE(dateShort(d), QStringLiteral("06/01/05"));
    QCOMPARE(dateKanji(d), QStringLiteral("06年01月05日"));
    QCOMPARE(monthKanji(d), QStringLiteral("2006年01月"));
    QCOMPARE(monthShort(d), QStringLiteral("06/01"));
    QCOMPARE(timeText(QTime(9, 7, 3)), QStringLiteral("09:07:03"));
    QCOMPARE(shortenDateText(QStringLiteral("2026/12/07")), QStringLiteral("26/12/07"));
    QCOMPARE(shortenDateText(QStringLiteral("昨日")), QStringLiteral("昨日"));
    const QStringList letters = {"月", "火", "水", "木", "金", "土", "日"};
    for (int i = 0; i < 7; ++i) // 2026-12-07 is a Monday
        QCOMPARE(weekdayLetter(QDate(2026, 12, 7).addDays(i)), letters.at(i));
}

void tst_text::parseDateSlash_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date");
    QTest::newRow("full") << "2006/01/05" << QDate(2006, 1, 5);
    QTest::newRow("short parts") << "2006/1/5" << QDate(2006, 1, 5);
    QTest::newRow("no such day") << "2023/02/29" << QDate();
    QTest::newRow("dashes") << "2006-01-05" << QDate();
    QTest::newRow("trailing blank") << "2006/01/05 " << QDate();
}

void tst_text::parseDateSlash()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(kioku::text::parseDateSlash(text), date);
}

// ---------------------------------------------------------------- files

void tst_text::existingFileIsUsedUnderAnyLetterCase()
{
    TempDataDir dir;
    QVERIFY(dir.write("データ.txt", "x"));
    QCOMPARE(QFileInfo(resolve("データ.TXT")).fileName(), QStringLiteral("データ.txt"));
    QVERIFY(fileExists("データ.Txt"));
    // A new file gets the spelling it is given.
    QCOMPARE(QFileInfo(resolve("メモ.TXT")).fileName(), QStringLiteral("メモ.TXT"));
    QVERIFY(!fileExists("メモ.txt"));
    QCOMPARE(readLines("でーた.txt").exists, false);

    // Rewriting, appending and emptying under another spelling keep the one existing file.
    QVERIFY(writeLines("データ.TXT", {"a"}));
    QVERIFY(appendLine("データ.Txt", "b"));
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray("a\r\nb\r\n"));
    QVERIFY(emptyFile("データ.TXT"));
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray());
}

void tst_text::readLinesEndings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList({"a", "b"});
    QTest::newRow("lf") << QByteArray("a\nb\n") << QStringList({"a", "b"});
    QTest::newRow("no final end") << QByteArray("a\r\nb") << QStringList({"a", "b"});
    QTest::newRow("inner blank kept") << QByteArray("a\r\n\r\nb\r\n") << QStringList({"a", "", "b"});
    QTest::newRow("only crlf") << QByteArray("\r\n") << QStringList({""});
    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("cr inside") << QByteArray("a\rb\r\n") << QStringList({"a\rb"});
    QTest::newRow("sjis 5C trail") << QByteArray("\x83\x5C\r\n") << QStringList({"ソ"});
}

void tst_text::readLinesEndings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    TempDataDir dir;
    QVERIFY(dir.write("f.txt", bytes));
    const ReadResult r = readLines("f.txt");
    QVERIFY(r.exists && r.clean && !r.readError);
    QCOMPARE(r.lines, lines);
}

void tst_text::readMissingFileOrFolder()
{
    TempDataDir dir;
    const ReadResult r = readLines("ない.txt");
    QVERIFY(!r.exists);
    QVERIFY(r.lines.isEmpty());
    QVERIFY(!r.readError);
    QVERIFY(QDir().mkdir("folder.txt"));
    QVERIFY(readLines("folder.txt").readError);
}

void tst_text::writeLinesIsCp932CrLf()
{
    TempDataDir dir;
    QVERIFY(writeLines("w.txt", {"\"ヘルプツアー\",1", "", "①～"}));
    QCOMPARE(dir.bytes("w.txt"), sjis("\"ヘルプツアー\",1") + "\r\n\r\n" + sjis("①～") + "\r\n");
    QVERIFY(writeAll("a.txt", "x\r\ny"));
    QCOMPARE(dir.bytes("a.txt"), QByteArray("x\r\ny"));
    QVERIFY(writeLines("e.txt", {}));
    QCOMPARE(dir.bytes("e.txt"), QByteArray());
    // No temporary files are left behind.
    QCOMPARE(dir.files(), QStringList({"a.txt", "e.txt", "w.txt"}));
}

void tst_text::failedWriteLosesNothing()
{
    TempDataDir dir;
    const QByteArray old = sjisLines({"\"2006/01/05\",\"21:07:33\",\"数字記憶\",3,\"a\",", "two"});
    QVERIFY(dir.write("データ.txt", old));
    {
        // The system refuses the new file's bytes past the fourth.
        FileSizeLimit full(4);
        const WriteResult r = writeLines("データ.TXT", {"replacement"});
        QVERIFY(!r);
        QVERIFY2(r.message.startsWith(QStringLiteral("ファイル「データ.txt」に書き込めませんでした。")),
                 qPrintable(r.message));
    }
    QCOMPARE(dir.bytes("データ.txt"), old);
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));

    {
        // Half the line reaches the file, then the system refuses the rest.
        FileSizeLimit full(old.size() + 5);
        const WriteResult a = appendLine("データ.txt", "a longer line");
        QVERIFY(!a.ok);
        QVERIFY(a.message.contains(QStringLiteral("「データ.txt」に書き込めませんでした")));
    }
    QCOMPARE(dir.bytes("データ.txt"), old);
    {
        // An append that fails on a file it was creating leaves no file behind.
        FileSizeLimit full(1);
        QVERIFY(!appendLine("新規.txt", "b"));
    }
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));

    // With room again, the next write goes through.
    QVERIFY(writeLines("データ.txt", {"next"}));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray("next\r\n"));
}

void tst_text::unstorableCharacterWritesNothing()
{
    TempDataDir dir;
    QVERIFY(dir.write("memo.txt", "old\r\n"));
    WriteResult r = writeLines("memo.txt", {"fine", "絵文字😀あり"});
    QVERIFY(!r.ok);
    QCOMPARE(r.message,
             QStringLiteral("「😀」は保存できない文字です（Shift-JISで表せません）。\r\n"
                            "別の文字に置き換えてください。"));
    QCOMPARE(dir.bytes("memo.txt"), QByteArray("old\r\n"));

    r = appendLine("memo.txt", "😀");
    QVERIFY(!r.ok);
    QCOMPARE(r.message, unstorableCharMessage(QStringLiteral("😀")));
    QCOMPARE(dir.bytes("memo.txt"), QByteArray("old\r\n"));

    QVERIFY(!writeAll("new.txt", QStringLiteral("한")));
    QVERIFY(!appendLine("none.txt", "😀"));
    QCOMPARE(dir.files(), QStringList({"memo.txt"}));
}

void tst_text::appendStartsANewLineAndCreatesTheFile()
{
    TempDataDir dir;
    QVERIFY(dir.write("log.txt", "first"));
    QVERIFY(appendLine("log.txt", "second"));
    QVERIFY(appendLine("log.txt", "third"));
    QCOMPARE(dir.bytes("log.txt"), QByteArray("first\r\nsecond\r\nthird\r\n"));
    // A file ending in a bare LF needs no extra line end.
    QVERIFY(dir.write("lf.txt", "a\n"));
    QVERIFY(appendLine("lf.txt", "b"));
    QCOMPARE(dir.bytes("lf.txt"), QByteArray("a\nb\r\n"));
    QVERIFY(dir.write("empty.txt", ""));
    QVERIFY(appendLine("empty.txt", "x"));
    QCOMPARE(dir.bytes("empty.txt"), QByteArray("x\r\n"));
    QVERIFY(appendLine("新しい.txt", "①"));
    QCOMPARE(dir.bytes("新しい.txt"), QByteArray("\x87\x40\r\n"));
}

void tst_text::readAllKeepsText()
{
    TempDataDir dir;
    QVERIFY(dir.write("メモ.TXT", sjis("一行目\r\n\r\n三行目") + "\x82"));
    QString text;
    const ReadResult r = readAll("メモ.txt", &text);
    QVERIFY(r.exists);
    QVERIFY(!r.clean);
    QCOMPARE(text, QStringLiteral("一行目\r\n\r\n三行目\uFFFD"));
    QVERIFY(!readAll("missing.txt", &text).exists);
    QCOMPARE(text, QString());
}

QTEST_GUILESS_MAIN(tst_text)
#include "tst_text.moc"
