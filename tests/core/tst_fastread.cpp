// The play log reader and the line reader against a plain reading of the same
// bytes: decode one character at a time, split the text into lines, split each
// line into fields, convert the fourth. Every record, every field and the
// `clean` flag must come out the same, on well-formed logs and on damaged ones.
#include "core/playlog/playlog.h"
#include "core/text/recordline.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "testsupport.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>

#include <charconv>
#include <cstring>
#include <limits>
#include <random>

using namespace kioku;

namespace {

// ---------------------------------------------------------------- the plain reading

// One character at a time: a byte pair when the pair alone decodes cleanly to
// one character, else the byte alone (U+FFFD when it is no character).
QString plainDecode(const QByteArray &bytes, bool *clean)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString s = dec(QByteArrayView(bytes).sliced(3));
        *clean = !dec.hasError();
        return s;
    }
    QString out;
    *clean = true;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar b = uchar(bytes[i]);
        if (b < 0x80) {
            out += QChar(b);
            ++i;
            continue;
        }
        bool ok = false;
        if (i + 1 < bytes.size()) {
            const QString pair = text::decodeCp932(bytes.mid(i, 2), &ok);
            if (ok && pair.size() == 1) {
                out += pair;
                i += 2;
                continue;
            }
        }
        const QString one = text::decodeCp932(bytes.mid(i, 1), &ok);
        out += ok ? one : QString(QChar::ReplacementCharacter);
        *clean = *clean && ok;
        ++i;
    }
    return out;
}

QStringList plainLines(const QString &text)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    for (QString &l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    return lines;
}

bool plainBlank(const QString &line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

QStringList plainFields(const QString &line)
{
    QStringList fields;
    const qsizetype n = line.size();
    if (n == 0)
        return fields;
    auto blank = [&](qsizetype k) { return line[k] == QLatin1Char(' ') || line[k] == QLatin1Char('\t'); };
    qsizetype i = 0;
    for (;;) {
        while (i < n && blank(i))
            ++i;
        if (i < n && line[i] == QLatin1Char('"')) {
            qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0)
                close = n;
            fields << line.mid(i + 1, close - i - 1);
            i = close < n ? close + 1 : n;
            const qsizetype comma = line.indexOf(QLatin1Char(','), i);
            i = comma < 0 ? n : comma;
        } else {
            qsizetype comma = line.indexOf(QLatin1Char(','), i);
            if (comma < 0)
                comma = n;
            qsizetype end = comma;
            while (end > i && blank(end - 1))
                --end;
            fields << line.mid(i, end - i);
            i = comma;
        }
        if (i >= n)
            break;
        ++i;
    }
    return fields;
}

float plainSeconds(const QString &field)
{
    static const QRegularExpression number(QStringLiteral("^[ \\t]*([+-]?)([0-9]*)(?:\\.([0-9]+))?"));
    const QRegularExpressionMatch m = number.match(field);
    if (m.captured(2).isEmpty() && m.captured(3).isEmpty())
        return 0;
    QString digits = m.captured(2);
    if (!m.captured(3).isEmpty())
        digits += QLatin1Char('.') + m.captured(3);
    const bool negative = m.captured(1) == QLatin1String("-");
    const QByteArray latin = digits.toLatin1();
    float v = 0;
    const auto r = std::from_chars(latin.constData(), latin.constData() + latin.size(), v);
    if (r.ec == std::errc::result_out_of_range)
        v = std::numeric_limits<float>::max();
    return negative ? -v : v;
}

struct PlainLog {
    QStringList lines; // every line, blank ones too
    QList<PlayRecord> records;
    bool clean = true;
    // The last line has no line end and is no whole record (a record cut off
    // while it was appended): the play log's reader leaves it out, the last
    // of `records`, and its bytes do not count against `recordsClean`.
    bool cutTail = false;
    bool recordsClean = true;
};

// Whether a line holds a whole record: its five fields, each opened quote
// closed, the fifth quoted or followed by a comma.
bool plainWhole(const QString &line)
{
    int fields = 0;
    bool fifthQuoted = false;
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (;;) {
        while (i < n && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
            ++i;
        const bool quoted = i < n && line[i] == QLatin1Char('"');
        if (quoted) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0)
                return false;
            i = close + 1;
        }
        const qsizetype comma = line.indexOf(QLatin1Char(','), i);
        if (++fields == 5)
            fifthQuoted = quoted;
        if (comma < 0)
            break;
        i = comma + 1;
        if (i == n) {
            ++fields;
            break;
        }
    }
    return fields >= 6 || (fields == 5 && fifthQuoted);
}

PlainLog plainRead(const QByteArray &bytes)
{
    PlainLog log;
    log.lines = plainLines(plainDecode(bytes, &log.clean));
    log.recordsClean = log.clean;
    if (!bytes.isEmpty() && !bytes.endsWith('\n') && !log.lines.isEmpty() && !plainBlank(log.lines.last())
        && !plainWhole(log.lines.last())) {
        log.cutTail = true;
        QByteArray rest = bytes.left(bytes.lastIndexOf('\n') + 1);
        if (rest.isEmpty() && bytes.startsWith("\xEF\xBB\xBF"))
            rest = "\xEF\xBB\xBF";
        plainDecode(rest, &log.recordsClean);
    }
    for (const QString &line : std::as_const(log.lines)) {
        if (plainBlank(line))
            continue;
        const QStringList f = plainFields(line);
        PlayRecord r;
        r.date = f.value(0);
        r.time = f.value(1);
        r.item = f.value(2);
        r.seconds = f.size() > 3 ? plainSeconds(f[3]) : 0.0f;
        r.comment = f.value(4);
        r.reserved = f.value(5);
        log.records << r;
    }
    return log;
}

// Equal texts and the very same float (bit for bit: -0 is not 0).
QString difference(const PlayRecord &a, const PlayRecord &b)
{
    quint32 x, y;
    std::memcpy(&x, &a.seconds, 4);
    std::memcpy(&y, &b.seconds, 4);
    const QStringList fa = {a.date, a.time, a.item, QString::number(x, 16), a.comment, a.reserved};
    const QStringList fb = {b.date, b.time, b.item, QString::number(y, 16), b.comment, b.reserved};
    for (int i = 0; i < fa.size(); ++i) {
        if (fa[i] != fb[i])
            return QStringLiteral("field %1: \"%2\" / \"%3\"").arg(i).arg(fa[i].left(60), fb[i].left(60));
    }
    return QString();
}

// ---------------------------------------------------------------- inputs

QByteArray repeated(const QByteArray &unit, int times)
{
    QByteArray out;
    for (int i = 0; i < times; ++i)
        out += unit;
    return out;
}

// Damaged logs drawn from record lines, their parts and stray bytes.
QByteArray randomLog(quint32 seed)
{
    std::mt19937 gen(seed);
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(gen)); };
    const QList<QByteArray> pieces = {
        "\"",
        ",",
        " ",
        "\t",
        "\r",
        "\r\n",
        "\n",
        "0",
        "7",
        "12.5",
        ".",
        "-",
        "+",
        "1e5",
        "abc",
        "\"2006/01/05\"",
        "\"21:07:33\"",
        sjis("数字記憶"),
        sjis("暗記数 : 8   正解 : 6"),
        sjis("　"),
        sjis("①～"),
        "\xB1", // half-width katakana
        "\x82",
        "\x81",
        "\xE0",
        "\xFC", // first bytes of a pair, alone
        "\x40",
        "\x5C",
        "\x7F", // bytes that may follow them
        "\x80",
        "\xA0",
        "\xFD",
        "\xFE",
        "\xFF", // never code page 932
    };
    const QList<PlayRecord> records = {
        play("2006/01/05", "21:07:33", "数字記憶", 3, "暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"),
        play("2006/01/05", "21:09:00", "バラバラ記憶", 41.3f, "今日は調子が良い、また明日, きっと"),
        play("2006/01/06", "00:00:00", "追跡記憶", 0.5f, ""),
        play("2006/01/06", "08:10:00", "アイコン衰弱", 120, "①～－髙ⅰ纊"),
    };
    QByteArray out;
    const int lines = pick(40);
    for (int l = 0; l < lines; ++l) {
        QByteArray line;
        const int kind = pick(4);
        if (kind < 2) {
            const PlayRecord &r = records[pick(int(records.size()))];
            line = sjis(kind == 0 ? r.gameLine() : r.rewriteLine());
            for (int k = pick(3); k > 0; --k) { // a few bytes spoilt, put in or taken out
                const int at = pick(int(line.size()) + 1);
                if (pick(2))
                    line.insert(at, pieces[pick(int(pieces.size()))]);
                else if (at < line.size())
                    line.remove(at, 1);
            }
            if (pick(4) == 0)
                line.truncate(pick(int(line.size()) + 1)); // cut anywhere, inside a pair too
        } else if (kind == 2) {
            for (int k = pick(30); k > 0; --k)
                line += pieces[pick(int(pieces.size()))];
        } else {
            for (int k = pick(60); k > 0; --k)
                line += char(pick(256));
        }
        out += line;
        if (l + 1 < lines || pick(2))
            out += QList<QByteArray>({"\r\n", "\r\n", "\r\n", "\n", "\r\r\n"})[pick(5)];
    }
    return out;
}

} // namespace

class tst_fastread : public QObject {
    Q_OBJECT

private slots:
    void readersMatchThePlainReading_data();
    void readersMatchThePlainReading();
    void decodingAnySliceMatches();
    void repeatedTextsAreShared();
    void unreadableLogIsFlagged();
};

void tst_fastread::readersMatchThePlainReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray game = sjis(play("2006/01/05", "21:07:33", "数字記憶", 3, "暗記数 : 8").gameLine());
    const QByteArray rewrite = sjis(play("2006/01/06", "08:00:01", "画像記憶", 12.5f, "a, b").rewriteLine());
    const QByteArray lead = sjis("あ").left(1);

    for (const char *name : {"playlog.txt", "views.txt", "cp932.txt", "utf8bom.txt"})
        QTest::newRow(name) << fixture(QString::fromLatin1(name));
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("only blank lines") << QByteArray("\r\n\r\n  \r\n\t\v\f\r\n") + sjis("　　") + "\r\n\n";
    QTest::newRow("full-width blank and garbage") << sjis("　") + "\xFF\r\n" + game + "\r\n";
    QTest::newRow("no final line end") << game + "\r\n" + rewrite;
    QTest::newRow("lone LF") << game + "\n" + rewrite + "\n\n" + game;
    QTest::newRow("lone CR inside") << game + "\r" + rewrite + "\r\n\"a\r\",\"b\r\r\",\r\n\r";
    QTest::newRow("CR CR LF") << game + "\r\r\n" + rewrite + "\r\r\n";
    QTest::newRow("pair cut by line end") << game + lead + "\r\n" + lead + "\n" + rewrite + lead;
    QTest::newRow("pair cut by quote and comma")
        << QByteArray("\"2006/01/05") + lead + "\",\"x" + lead + "\"" + lead + "," + lead + "\"12\"," + lead + "3,";
    QTest::newRow("quote inside a field")
        << QByteArray("\"a\"b\"c\",\"t\",ab\"c,\"1\"2,\"x\"\"y\",\r\n\"\r\n\"unterminated, with comma\r\n");
    QTest::newRow("blanks around fields") << QByteArray(" \"2006/01/05\" ,\t\"t\" , i t e m , 12.5 ,\" c \" , \r\n");
    QTest::newRow("more and fewer fields")
        << QByteArray("\"d\",\"t\",\"i\",1,\"c\",\"r\",\"7th\",\xFF\r\n\"d\"\r\n,\r\n,,,,,,,,\r\n\"d\",\"t\"");
    QTest::newRow("numbers") << QByteArray("a,b,c,1e5\r\na,b,c,.5\r\na,b,c,-0\r\na,b,c,+3\r\na,b,c,5.\r\n"
                                           "a,b,c,abc\r\na,b,c,\"41.3\"\r\na,b,c, -.25x\r\na,b,c,")
            + sjis("7秒") + "\r\na,b,c," + repeated("9", 50) + "\r\na,b,c,0." + repeated("0", 80)
            + "15\r\na,b,c,99999999999999999999999999999999999999999\r\n";
    QTest::newRow("bytes that are not code page 932")
        << QByteArray("\"\x80\",\"\xA0\",\"\xFD\xFE\xFF\",1\xFF,\"ok\"junk\x80,\r\n") + game;
    QTest::newRow("very long lines") << game + "\r\n\"" + repeated(sjis("暗記数 : 8 "), 9000) + "\",\r\n"
            + repeated("x", 70000) + "\r\n" + repeated(",", 5000) + "\r\n";
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\"2006/01/05\",\"t\",\"")
            + QStringLiteral("数字記憶").toUtf8() + "\",3,\"c\",\r\n\r\n \r\n";
    QTest::newRow("UTF-8 with mark, broken") << QByteArray("\xEF\xBB\xBF\"d\",\"\xE3\x81\",\"i\xFF\",1,\r\n\xE3");
    QTest::newRow("UTF-8 mark alone") << QByteArray("\xEF\xBB\xBF");
    for (quint32 seed = 1; seed <= 60; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(seed))) << randomLog(seed);
}

void tst_fastread::readersMatchThePlainReading()
{
    QFETCH(QByteArray, bytes);
    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile, bytes));
    const PlainLog plain = plainRead(bytes);

    // The file is read a block at a time: blocks of a few bytes end inside
    // every line, inside a pair, between CR and LF.
    for (const qsizetype block : {0, 1, 2, 3, 7, 64}) {
        text::testing::setReadBlockSize(block);
        const PlayLog log = readPlayLog();
        text::testing::setReadBlockSize(0);
        QVERIFY(!log.readError);
        QCOMPARE(log.clean, plain.recordsClean);
        QCOMPARE(log.cutTail, plain.cutTail);
        QCOMPARE(log.records.size(), plain.records.size() - (plain.cutTail ? 1 : 0));
        for (qsizetype i = 0; i < log.records.size(); ++i) {
            const QString diff = difference(log.records[i], plain.records[i]);
            QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("block %1, record %2, %3").arg(block).arg(i).arg(diff)));
        }
    }

    // The generic readers on the same lines.
    const text::ReadResult lines = text::readLines(kPlayLogFile);
    QCOMPARE(lines.clean, plain.clean);
    QCOMPARE(lines.lines, plain.lines);
    qsizetype r = 0;
    for (const QString &line : plain.lines) {
        QCOMPARE(text::splitRecord(line), plainFields(line));
        if (plainBlank(line))
            continue;
        const QString diff = difference(PlayRecord::parse(line), plain.records[r++]);
        QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("parse, line %1: %2").arg(line.left(60), diff)));
    }
}

void tst_fastread::decodingAnySliceMatches()
{
    // Every start and end offset, so ASCII runs of every length meet pairs,
    // stray bytes and the slice's end at every position.
    const QByteArray bytes = QByteArray("\"2006/01/05\",\"21:07:33\",") + sjis("数字記憶") + ",3,\""
        + sjis("暗記数 : 8   正解 : 6") + "\x80\xFF" + sjis("ｱｲｳ①") + repeated("0123456789", 4) + sjis("あ").left(1)
        + "\",\r\n";
    for (qsizetype from = 0; from < bytes.size(); ++from) {
        for (qsizetype to = from; to <= bytes.size(); to += (to - from < 40 ? 1 : 7)) {
            const QByteArray slice = bytes.mid(from, to - from);
            bool fastClean = true, plainClean = true;
            const QString fast = text::decodeCp932(slice, &fastClean);
            const QString plain = plainDecode(slice, &plainClean);
            QVERIFY2(fast == plain && fastClean == plainClean,
                     qPrintable(QStringLiteral("bytes %1-%2").arg(from).arg(to)));
        }
    }
}

void tst_fastread::repeatedTextsAreShared()
{
    // A log of years holds a few thousand dates and seven item names, not one
    // copy per play: equal dates in a row and equal items are one text.
    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile,
                      sjisLines({
                          play("2006/01/05", "21:07:33", "数字記憶", 3, "a").gameLine(),
                          play("2006/01/05", "21:09:00", "画像記憶", 4, "b").rewriteLine(),
                          play("2006/01/06", "08:00:00", "数字記憶", 5, "c").gameLine(),
                          play("2006/01/06", "08:00:01", "画像記憶", 6, "d").gameLine(),
                      })));
    const QList<PlayRecord> r = readPlayLog().records;
    QCOMPARE(r.size(), 4);
    QCOMPARE(r[1].date.constData(), r[0].date.constData());
    QCOMPARE(r[3].date.constData(), r[2].date.constData());
    QVERIFY(r[2].date != r[0].date);
    QCOMPARE(r[2].item.constData(), r[0].item.constData());
    QCOMPARE(r[3].item.constData(), r[1].item.constData());
    QCOMPARE(r[3].item, QStringLiteral("画像記憶"));
}

void tst_fastread::unreadableLogIsFlagged()
{
    TempDataDir dir;
    QVERIFY(QDir().mkdir(kPlayLogFile));
    const PlayLog log = readPlayLog();
    QVERIFY(log.readError);
    QVERIFY(log.clean);
    QVERIFY(log.records.isEmpty());
}

QTEST_GUILESS_MAIN(tst_fastread)
#include "tst_fastread.moc"
