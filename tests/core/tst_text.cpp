// Code page 932, record lines, number and date texts, and the file access layer.
#include "testsupport.h"
#include "core/text/formats.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"

#include <QtTest>

using namespace kioku::text;

class tst_text : public QObject {
    Q_OBJECT

private slots:
    // code page 932
    void cp932RoundTrip_data();
    void cp932RoundTrip();
    void cp932DecodesBothExtensionForms();
    void unencodableCharacter_data();
    void unencodableCharacter();
    void invalidBytesAreReplaced_data();
    void invalidBytesAreReplaced();
    void utf8BomFile();
    void cp932Fixture();
    void unstorableMessage();

    // record lines
    void splitRecord_data();
    void splitRecord();
    void readerNeverFails_data();
    void readerNeverFails();
    void writer();
    void leadingNumber_data();
    void leadingNumber();

    // numbers and dates
    void shortestFloat_data();
    void shortestFloat();
    void shortestDouble_data();
    void shortestDouble();
    void fixedFormats_data();
    void fixedFormats();
    void roundHalfEven_data();
    void roundHalfEven();
    void formatHms_data();
    void formatHms();
    void dates();
    void parseDateSlash_data();
    void parseDateSlash();

    // files
    void resolveIgnoresLetterCase();
    void readLinesEndings_data();
    void readLinesEndings();
    void readMissingFile();
    void writeLinesIsCp932CrLf();
    void writeKeepsExistingSpelling();
    void failedWriteLeavesOldFile();
    void unstorableCharacterWritesNothing();
    void appendAfterMissingLineEnd();
    void appendCreatesFile();
    void appendRefusesUnstorable();
    void appendFailureReported();
    void emptyFileLeavesZeroBytes();
    void readAllKeepsText();
};

// ---------------------------------------------------------------- code page 932

void tst_text::cp932RoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("abc,\"12\".5") << QByteArray("abc,\"12\".5");
    QTest::newRow("hiragana") << QStringLiteral("あ") << QByteArray("\x82\xa0");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("fullwidth tilde") << QStringLiteral("\uFF5E") << QByteArray("\x81\x60");
    QTest::newRow("fullwidth minus") << QStringLiteral("\uFF0D") << QByteArray("\x81\x7C");
    QTest::newRow("IBM taka") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
    QTest::newRow("IBM small roman") << QStringLiteral("ⅰ") << QByteArray("\xFA\x40");
    QTest::newRow("trail byte 5C") << QStringLiteral("纊") << QByteArray("\xFA\x5C");
    QTest::newRow("NEC roman") << QStringLiteral("Ⅰ") << QByteArray("\x87\x54");
    QTest::newRow("fullwidth not sign") << QStringLiteral("\uFFE2") << QByteArray("\x81\xCA");
    QTest::newRow("halfwidth kana") << QStringLiteral("ｱｲｳ") << QByteArray("\xB1\xB2\xB3");
    QTest::newRow("so (5C trail)") << QStringLiteral("ソ表") << QByteArray("\x83\x5C\x95\x5C");
    QTest::newRow("empty") << QString() << QByteArray();
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

    // NEC-selected IBM extensions (row 89-92) read as the same characters as the IBM rows.
    QCOMPARE(decodeCp932(QByteArray("\xED\x40")), QStringLiteral("纊"));
    QCOMPARE(decodeCp932(QByteArray("\xFA\x4A")), QStringLiteral("Ⅰ"));
    QCOMPARE(decodeCp932(QByteArray("\xEE\xEF")), QStringLiteral("ⅰ"));
}

void tst_text::unencodableCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bad");
    QTest::newRow("emoji") << QStringLiteral("今日は😀です") << QStringLiteral("😀");
    QTest::newRow("emoji first") << QStringLiteral("😀") << QStringLiteral("😀");
    QTest::newRow("hangul") << QStringLiteral("abc한") << QStringLiteral("한");
    QTest::newRow("replacement char") << QStringLiteral("a\uFFFDb") << QStringLiteral("\uFFFD");
    QTest::newRow("lone surrogate") << (QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("c"))
                                    << QString(QChar(0xD800));
    QTest::newRow("second of two") << QStringLiteral("é😀") << QStringLiteral("é");
}

void tst_text::unencodableCharacter()
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
    QTest::newRow("bad trail") << QByteArray("\x81\x20x") << QStringLiteral("\uFFFD x");
    QTest::newRow("0x80") << QByteArray("a\x80z") << QStringLiteral("a\uFFFDz");
    QTest::newRow("0xFD-FF") << QByteArray("\xFD\xFE\xFF") << QStringLiteral("\uFFFD\uFFFD\uFFFD");
    QTest::newRow("after bad, good") << QByteArray("\xFF\x82\xA0") << QStringLiteral("\uFFFDあ");
}

void tst_text::invalidBytesAreReplaced()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    bool clean = true;
    QCOMPARE(decodeCp932(bytes, &clean), text);
    QVERIFY(!clean);
}

void tst_text::utf8BomFile()
{
    bool clean = false;
    const QString t = decodeFileBytes(fixture("utf8bom.txt"), &clean);
    QVERIFY(clean);
    QCOMPARE(t, QStringLiteral("\"ヘルプツアー\",0\r\n\"２行目\",①\r\n"));

    TempDataDir dir;
    QVERIFY(dir.write("bom.txt", fixture("utf8bom.txt")));
    const ReadResult r = readLines("bom.txt");
    QCOMPARE(r.lines, QStringList({"\"ヘルプツアー\",0", "\"２行目\",①"}));

    // Without the mark the same bytes are taken as code page 932.
    QVERIFY(decodeFileBytes(QByteArray("\xE3\x81\x82")) != QStringLiteral("あ"));
}

void tst_text::cp932Fixture()
{
    bool clean = false;
    QCOMPARE(decodeCp932(fixture("cp932.txt"), &clean), QStringLiteral("①②～－髙ⅰ纊\uFFE2∵\r\n"));
    QVERIFY(clean);
}

void tst_text::unstorableMessage()
{
    const QString m = unstorableCharMessage(QStringLiteral("😀"));
    QCOMPARE(m, QStringLiteral("「😀」は保存できない文字です（Shift-JISで表せません）。\r\n"
                               "別の文字に置き換えてください。"));
}

// ---------------------------------------------------------------- record lines

void tst_text::splitRecord_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("game line") << QStringLiteral("\"a\",\"b\",3,\"c\",")
                               << QStringList({"a", "b", "3", "c", ""});
    QTest::newRow("rewrite line") << QStringLiteral("\"a\",\"b\",3,\"c\",\"\"")
                                  << QStringList({"a", "b", "3", "c", ""});
    QTest::newRow("comma in quotes") << QStringLiteral("\"x, y\",1") << QStringList({"x, y", "1"});
    QTest::newRow("blanks around number") << QStringLiteral("  12.5  ,\"t\"") << QStringList({"12.5", "t"});
    QTest::newRow("blanks before quote") << QStringLiteral(" \"t\" ,2") << QStringList({"t", "2"});
    QTest::newRow("junk after quote") << QStringLiteral("\"t\"junk,2") << QStringList({"t", "2"});
    QTest::newRow("unterminated quote") << QStringLiteral("\"abc,def") << QStringList({"abc,def"});
    QTest::newRow("quote inside unquoted") << QStringLiteral("ab\"c,d") << QStringList({"ab\"c", "d"});
    QTest::newRow("only commas") << QStringLiteral(",,") << QStringList({"", "", ""});
    QTest::newRow("lone quote") << QStringLiteral("\"") << QStringList({""});
    QTest::newRow("blank") << QStringLiteral("   ") << QStringList({""});
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
    QTest::newRow("normal") << QStringLiteral("\"a\",12") << "a" << 12 << 12.0f;
    QTest::newRow("decimal") << QStringLiteral("\"a\",0.5") << "a" << 0 << 0.5f;
    QTest::newRow("no leading zero") << QStringLiteral("\"a\",.5") << "a" << 0 << 0.5f;
    QTest::newRow("negative") << QStringLiteral("\"a\",-3.25") << "a" << -3 << -3.25f;
    QTest::newRow("short") << QStringLiteral("\"a\"") << "a" << 0 << 0.0f;
    QTest::newRow("empty") << QString() << "" << 0 << 0.0f;
    QTest::newRow("garbled number") << QStringLiteral("\"a\",abc") << "a" << 0 << 0.0f;
    QTest::newRow("number with unit") << QStringLiteral("x,7秒") << "x" << 7 << 7.0f;
    QTest::newRow("quoted number") << QStringLiteral("x,\"41.3\"") << "x" << 41 << 41.3f;
    QTest::newRow("huge") << QStringLiteral("x,99999999999999999999") << "x" << 2147483647 << 1e20f;
    QTest::newRow("long line") << QStringLiteral("\"a\",1,2,3,4,5,6,7,8,9") << "a" << 1 << 1.0f;
    QTest::newRow("garbled text") << QStringLiteral("\uFFFD\uFFFD,\uFFFD") << "\uFFFD\uFFFD" << 0 << 0.0f;
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

void tst_text::writer()
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
    QCOMPARE(r.text(0), QStringLiteral("言う＂こと＂"));
    QCOMPARE(r.toFloat(2), 12.5f);
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
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("dot five") << QStringLiteral(".5") << 0.5;
    QTest::newRow("minus dot five") << QStringLiteral("-.5") << -0.5;
    QTest::newRow("plus") << QStringLiteral("+4") << 4.0;
    QTest::newRow("trailing dot") << QStringLiteral("5.") << 5.0;
    QTest::newRow("lone dot") << QStringLiteral(".") << 0.0;
    QTest::newRow("lone sign") << QStringLiteral("-") << 0.0;
    QTest::newRow("no exponent") << QStringLiteral("1e5") << 1.0;
    QTest::newRow("leading blank") << QStringLiteral(" 8") << 8.0;
    QTest::newRow("fullwidth digits") << QStringLiteral("１２") << 0.0;
}

void tst_text::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(kioku::text::leadingNumber(text), value);
}

// ---------------------------------------------------------------- numbers and dates

void tst_text::shortestFloat_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("12") << 12.0f << "12";
    QTest::newRow("0.5") << 0.5f << "0.5";
    QTest::newRow("41.3") << 41.3f << "41.3";
    QTest::newRow("0.1") << 0.1f << "0.1";
    QTest::newRow("1e-5") << 1e-5f << "0.00001";
    QTest::newRow("123456792") << 123456792.0f << "123456800";
    QTest::newRow("1234567") << 1234567.0f << "1234567";
    QTest::newRow("16777217") << 16777216.0f << "16777220";
    QTest::newRow("1/3") << (1.0f / 3.0f) << "0.3333333";
    QTest::newRow("-2.75") << -2.75f << "-2.75";
    QTest::newRow("-0") << -0.0f << "0";
    QTest::newRow("0") << 0.0f << "0";
    QTest::newRow("1e10") << 1e10f << "10000000000";
    QTest::newRow("9.999999") << 9.999999f << "9.999999";
    QTest::newRow("99.99999 rounds up") << 99.999999f << "100";
}

void tst_text::shortestFloat()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(kioku::text::shortestFloat(value), text);
}

void tst_text::shortestDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.1") << 0.1 << "0.1";
    QTest::newRow("0.1+0.2") << (0.1 + 0.2) << "0.3";
    QTest::newRow("41.3f as double") << double(41.3f) << "41.2999992370605";
    QTest::newRow("1e-7") << 1e-7 << "0.0000001";
    QTest::newRow("-0") << -0.0 << "0";
    QTest::newRow("123456789012") << 123456789012.0 << "123456789012";
}

void tst_text::shortestDouble()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(kioku::text::shortestDouble(value), text);
}

void tst_text::fixedFormats_data()
{
    QTest::addColumn<int>("kind"); // 0: 0.0, 1: 0.00, 2: percent
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.0 of 0.25") << 0 << 0.25 << "0.3";
    QTest::newRow("0.0 of 0.35") << 0 << 0.35 << "0.4";
    QTest::newRow("0.0 of 0.15") << 0 << 0.15 << "0.2";
    QTest::newRow("0.0 of -0.25") << 0 << -0.25 << "-0.3";
    QTest::newRow("0.0 of 12") << 0 << 12.0 << "12.0";
    QTest::newRow("0.0 of 9.96") << 0 << 9.96 << "10.0";
    QTest::newRow("0.0 of 0") << 0 << 0.0 << "0.0";
    QTest::newRow("0.0 of 0.04") << 0 << 0.04 << "0.0";
    QTest::newRow("0.0 of -0.04") << 0 << -0.04 << "0.0";
    QTest::newRow("0.0 of 0.0004") << 0 << 0.0004 << "0.0";
    QTest::newRow("0.0 of 0.05") << 0 << 0.05 << "0.1";
    QTest::newRow("0.00 of 1.005") << 1 << 1.005 << "1.01";
    QTest::newRow("0.00 of 2.675") << 1 << 2.675 << "2.68";
    QTest::newRow("0.00 of 0.125") << 1 << 0.125 << "0.13";
    QTest::newRow("0.00 of 3") << 1 << 3.0 << "3.00";
    QTest::newRow("0.00 of 0.005") << 1 << 0.005 << "0.01";
    QTest::newRow("0.00 of 99.999") << 1 << 99.999 << "100.00";
    QTest::newRow("% of 0.75") << 2 << 0.75 << "75.0%";
    QTest::newRow("% of 1/16") << 2 << 1.0 / 16 << "6.3%";
    QTest::newRow("% of 0.075") << 2 << 0.075 << "7.5%";
    QTest::newRow("% of 2/3") << 2 << 2.0 / 3 << "66.7%";
    QTest::newRow("% of 1") << 2 << 1.0 << "100.0%";
    QTest::newRow("% of 0") << 2 << 0.0 << "0.0%";
    QTest::newRow("% of 0.0005") << 2 << 0.0005 << "0.1%";
}

void tst_text::fixedFormats()
{
    QFETCH(int, kind);
    QFETCH(double, value);
    QFETCH(QString, text);
    const QString got = kind == 0 ? format0_0(value) : kind == 1 ? format0_00(value) : formatPercent(value);
    QCOMPARE(got, text);
}

void tst_text::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("rounded");
    QTest::newRow("2.5") << 2.5 << qint64(2);
    QTest::newRow("3.5") << 3.5 << qint64(4);
    QTest::newRow("-2.5") << -2.5 << qint64(-2);
    QTest::newRow("-3.5") << -3.5 << qint64(-4);
    QTest::newRow("0.5") << 0.5 << qint64(0);
    QTest::newRow("1.5") << 1.5 << qint64(2);
    QTest::newRow("2.4999") << 2.4999 << qint64(2);
    QTest::newRow("2.5001") << 2.5001 << qint64(3);
    QTest::newRow("big") << 5e9 << qint64(5000000000);
}

void tst_text::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(qint64, rounded);
    QCOMPARE(kioku::text::roundHalfEven(value), rounded);
}

void tst_text::formatHms_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << qint64(0) << "0:00:00";
    QTest::newRow("307") << qint64(307) << "0:05:07";
    QTest::newRow("3600") << qint64(3600) << "1:00:00";
    QTest::newRow("43200") << qint64(43200) << "12:00:00";
    QTest::newRow("40000") << qint64(40000) << "11:06:40";
    QTest::newRow("100 hours") << qint64(360061) << "100:01:01";
}

void tst_text::formatHms()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(kioku::text::formatHms(seconds), text);
}

void tst_text::dates()
{
    const QDate d(2006, 1, 5);
    QCOMPARE(dateSlash(d), QStringLiteral("2006/01/05"));
    QCOMPARE(dateShort(d), QStringLiteral("06/01/05"));
    QCOMPARE(dateKanji(d), QStringLiteral("06年01月05日"));
    QCOMPARE(monthKanji(d), QStringLiteral("2006年01月"));
    QCOMPARE(monthShort(d), QStringLiteral("06/01"));
    QCOMPARE(timeText(QTime(9, 7, 3)), QStringLiteral("09:07:03"));
    QCOMPARE(timeText(QTime(21, 7, 33)), QStringLiteral("21:07:33"));
    QCOMPARE(shortenDateText(QStringLiteral("2026/12/07")), QStringLiteral("26/12/07"));
    QCOMPARE(shortenDateText(QStringLiteral("昨日")), QStringLiteral("昨日"));
    QCOMPARE(dateSlash(QDate()), QString());
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
    QTest::newRow("leap day") << "2024/02/29" << QDate(2024, 2, 29);
    QTest::newRow("no such day") << "2023/02/29" << QDate();
    QTest::newRow("month 13") << "2006/13/01" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("dashes") << "2006-01-05" << QDate();
    QTest::newRow("two parts") << "2006/01" << QDate();
    QTest::newRow("four parts") << "2006/01/05/01" << QDate();
    QTest::newRow("trailing blank") << "2006/01/05 " << QDate();
    QTest::newRow("empty part") << "2006//05" << QDate();
}

void tst_text::parseDateSlash()
{
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(kioku::text::parseDateSlash(text), date);
}

// ---------------------------------------------------------------- files

void tst_text::resolveIgnoresLetterCase()
{
    TempDataDir dir;
    QVERIFY(dir.write("データ.txt", "x"));
    QCOMPARE(QFileInfo(resolve("データ.TXT")).fileName(), QStringLiteral("データ.txt"));
    QCOMPARE(QFileInfo(resolve("データ.txt")).fileName(), QStringLiteral("データ.txt"));
    QVERIFY(fileExists("データ.Txt"));
    // A new file gets the spelling it is given.
    QCOMPARE(QFileInfo(resolve("メモ.TXT")).fileName(), QStringLiteral("メモ.TXT"));
    QVERIFY(!fileExists("メモ.txt"));
    QCOMPARE(QFileInfo(resolve("x")).absolutePath(), QFileInfo(dir.path()).canonicalFilePath());

    // Reading and writing under another spelling use the one existing file.
    QVERIFY(writeLines("データ.TXT", {"a"}));
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray("a\r\n"));
    QCOMPARE(readLines("でーた.txt").exists, false);
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
    QVERIFY(r.exists);
    QVERIFY(r.clean);
    QVERIFY(!r.readError);
    QCOMPARE(r.lines, lines);
}

void tst_text::readMissingFile()
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
    QVERIFY(dir.exists("e.txt"));
    QCOMPARE(dir.bytes("e.txt"), QByteArray());
    // No temporary files are left behind.
    QCOMPARE(dir.files(), QStringList({"a.txt", "e.txt", "w.txt"}));
}

void tst_text::writeKeepsExistingSpelling()
{
    TempDataDir dir;
    QVERIFY(dir.write("設定.txt", "old"));
    QVERIFY(writeLines("設定.TXT", {"new"}));
    QCOMPARE(dir.files(), QStringList({"設定.txt"}));
    QCOMPARE(dir.bytes("設定.txt"), QByteArray("new\r\n"));
}

void tst_text::failedWriteLeavesOldFile()
{
    TempDataDir dir;
    const QByteArray old = sjisLines({"\"2006/01/05\",\"21:07:33\",\"数字記憶\",3,\"a\",", "two"});
    QVERIFY(dir.write("データ.txt", old));
    kioku::text::testing::failNextWrite();
    const WriteResult r = writeLines("データ.TXT", {"replacement"});
    QVERIFY(!r.ok);
    QVERIFY(!r);
    QVERIFY2(r.message.startsWith(QStringLiteral("ファイル「データ.txt」に書き込めませんでした。")),
             qPrintable(r.message));
    QCOMPARE(dir.bytes("データ.txt"), old);
    QCOMPARE(dir.files(), QStringList({"データ.txt"}));
    // The hook fails one write only.
    QVERIFY(writeLines("データ.txt", {"next"}));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray("next\r\n"));
}

void tst_text::unstorableCharacterWritesNothing()
{
    TempDataDir dir;
    QVERIFY(dir.write("memo.txt", "old\r\n"));
    WriteResult r = writeLines("memo.txt", {"fine", "絵文字😀あり"});
    QVERIFY(!r.ok);
    QCOMPARE(r.message, unstorableCharMessage(QStringLiteral("😀")));
    QCOMPARE(dir.bytes("memo.txt"), QByteArray("old\r\n"));

    r = writeAll("new.txt", QStringLiteral("한"));
    QVERIFY(!r.ok);
    QVERIFY(r.message.contains(QStringLiteral("「한」")));
    QVERIFY(!dir.exists("new.txt"));
}

void tst_text::appendAfterMissingLineEnd()
{
    TempDataDir dir;
    QVERIFY(dir.write("log.txt", "first"));
    QVERIFY(appendLine("LOG.txt", "second"));
    QVERIFY(appendLine("log.txt", "third"));
    QCOMPARE(dir.bytes("log.txt"), QByteArray("first\r\nsecond\r\nthird\r\n"));
    QCOMPARE(readLines("log.txt").lines, QStringList({"first", "second", "third"}));

    // A file ending in a bare LF needs no extra line end.
    QVERIFY(dir.write("lf.txt", "a\n"));
    QVERIFY(appendLine("lf.txt", "b"));
    QCOMPARE(dir.bytes("lf.txt"), QByteArray("a\nb\r\n"));
}

void tst_text::appendCreatesFile()
{
    TempDataDir dir;
    QVERIFY(appendLine("データ.txt", "①"));
    QCOMPARE(dir.bytes("データ.txt"), QByteArray("\x87\x40\r\n"));
    QVERIFY(dir.write("empty.txt", ""));
    QVERIFY(appendLine("empty.txt", "x"));
    QCOMPARE(dir.bytes("empty.txt"), QByteArray("x\r\n"));
}

void tst_text::appendRefusesUnstorable()
{
    TempDataDir dir;
    QVERIFY(dir.write("log.txt", "a\r\n"));
    const WriteResult r = appendLine("log.txt", "😀");
    QVERIFY(!r.ok);
    QCOMPARE(r.message, unstorableCharMessage(QStringLiteral("😀")));
    QCOMPARE(dir.bytes("log.txt"), QByteArray("a\r\n"));
    QVERIFY(!appendLine("none.txt", "😀"));
    QVERIFY(!dir.exists("none.txt"));
}

void tst_text::appendFailureReported()
{
    TempDataDir dir;
    QVERIFY(dir.write("log.txt", "a\r\n"));
    kioku::text::testing::failNextWrite();
    const WriteResult r = appendLine("log.txt", "b");
    QVERIFY(!r.ok);
    QVERIFY(r.message.contains(QStringLiteral("「log.txt」に書き込めませんでした")));
    QCOMPARE(dir.bytes("log.txt"), QByteArray("a\r\n"));
}

void tst_text::emptyFileLeavesZeroBytes()
{
    TempDataDir dir;
    QVERIFY(dir.write("h.txt", "content\r\n"));
    QVERIFY(emptyFile("H.TXT"));
    QCOMPARE(dir.files(), QStringList({"h.txt"}));
    QCOMPARE(dir.bytes("h.txt"), QByteArray());
    QVERIFY(emptyFile("new.txt"));
    QVERIFY(dir.exists("new.txt"));
    QCOMPARE(dir.bytes("new.txt"), QByteArray());
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
