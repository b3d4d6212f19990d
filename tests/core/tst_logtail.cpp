// A play log whose last record a crash cut off while it was appended, files
// saved in UTF-8 with a byte-order mark that are appended to, and the reasons
// the writers and readers give when the system refuses them.
#include "core/clock.h"
#include "core/game/history.h"
#include "core/memo.h"
#include "core/playlog/playlog.h"
#include "core/settings.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "testing/fakeclock.h"
#include "testsupport.h"

#include <QDir>
#include <QtTest>

using namespace kioku;

namespace {

const QString kFragment = kPlayLogFile + kFragmentSuffix;

PlayRecord record(int i)
{
    return play(QStringLiteral("2020/01/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')), QStringLiteral("08:00:00"),
                itemNames().at(i % 7), 30.5f + float(i), QStringLiteral("暗記数 : 8   正解 : 6   記録%1").arg(i));
}

QByteArray logOf(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(record(i).gameLine());
    return sjisLines(lines);
}

// The bytes of a game line cut after `cut` bytes.
QByteArray cutLine(const QString &line, qsizetype cut)
{
    return sjis(line).left(cut);
}

QByteArray utf8Bom(const QString &s)
{
    return QByteArray("\xEF\xBB\xBF") + s.toUtf8();
}

} // namespace

class tst_logtail : public QObject {
    Q_OBJECT

private slots:
    void everyCutOfAGameLineIsNotWhole_data();
    void everyCutOfAGameLineIsNotWhole();
    void wholeLines_data();
    void wholeLines();

    void readerLeavesOutTheCutLine_data();
    void readerLeavesOutTheCutLine();
    void recoveryMovesTheCutLine_data();
    void recoveryMovesTheCutLine();
    void recoveryInterruptedBeforeTheCut();
    void wholeLastRecordIsKeptAndCompleted();
    void recoveryThatCannotMoveRefusesRewrites();

    void appendToUtf8File_data();
    void appendToUtf8File();
    void appendToUtf8FileRefused_data();
    void appendToUtf8FileRefused();
    void rewritesOfUtf8Files();

    void reasons_data();
    void reasons();
};

// A record cut anywhere before its end is never a whole record; cut only
// after its fifth field's closing quote it still is (it lacks nothing but the
// empty sixth field).
void tst_logtail::everyCutOfAGameLineIsNotWhole_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("a game's line") << record(3).gameLine();
    QTest::newRow("a rewrite's line") << record(4).rewriteLine();
    QTest::newRow("a comment with commas") << play("2020/01/01", "08:00:00", "数字記憶", 0.5f, "a,b,\"c").gameLine();
    QTest::newRow("an empty comment") << play("2020/01/01", "08:00:00", "数字記憶", 12, "").gameLine();
}

void tst_logtail::everyCutOfAGameLineIsNotWhole()
{
    QFETCH(QString, line);
    const QByteArray bytes = sjis(line);
    // Just after the fifth field's closing quote.
    const qsizetype fifthEnd = bytes.size() - (line.endsWith(QLatin1String(",\"\"")) ? 3 : 1);
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        const bool whole = cut == bytes.size() || cut == fifthEnd || cut == fifthEnd + 1;
        QVERIFY2(isWholeRecordLine(bytes.left(cut)) == whole, qPrintable(QStringLiteral("cut %1").arg(cut)));
        // The same on decoded text (a log in UTF-8), where the cut falls between characters.
        bool clean = true;
        const QString text = text::decodeCp932(bytes.left(cut), &clean);
        if (clean)
            QCOMPARE(isWholeRecordLine(QStringView(text)), whole);
    }
}

void tst_logtail::wholeLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("whole");
    QTest::newRow("seen after a crash") << QByteArray("\"2020/01/01\",\"08:00:") << false;
    QTest::newRow("fields unquoted, sixth empty") << QByteArray("2020/01/01,08:00:00,x,3,c,") << true;
    QTest::newRow("fields unquoted, no sixth") << QByteArray("2020/01/01,08:00:00,x,3,c") << false;
    QTest::newRow("sixth field open") << QByteArray("\"a\",\"b\",\"c\",3,\"d\",\"") << false;
    QTest::newRow("more fields than six") << QByteArray("\"a\",\"b\",\"c\",3,\"d\",\"\",7") << true;
    QTest::newRow("blanks around") << QByteArray(" \"a\" , \"b\" ,\"c\", 3 , \"d\" ") << true;
    QTest::newRow("a word") << QByteArray("hello") << false;
    QTest::newRow("with a mark") << QByteArray("\xEF\xBB\xBF\"a\",\"b\",\"c\",3,\"d\",") << true;
}

void tst_logtail::wholeLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, whole);
    QCOMPARE(isWholeRecordLine(line), whole);
}

void tst_logtail::readerLeavesOutTheCutLine_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("cutTail");

    const QString next = record(9).gameLine();
    const qsizetype inComment = sjis(next).indexOf(sjis(QStringLiteral("暗記"))) + 1; // inside a character
    QTest::newRow("cut in the time") << logOf(5) + "\"2020/01/01\",\"08:00:" << 5 << true;
    QTest::newRow("cut inside a character") << logOf(5) + cutLine(next, inComment) << 5 << true;
    QTest::newRow("cut after the seconds")
        << logOf(5) + cutLine(next, sjis(next).indexOf(sjis(QStringLiteral(",\"暗"))) + 1) << 5 << true;
    QTest::newRow("cut before the first line end") << cutLine(next, 20) << 0 << true;
    QTest::newRow("cut between CR and LF") << logOf(5) + sjis(next) + "\r" << 6 << false;
    QTest::newRow("whole, without CR LF") << logOf(5) + sjis(next) << 6 << false;
    QTest::newRow("blank last line") << logOf(5) + "   " << 5 << false;
    QTest::newRow("full-width blank last line") << logOf(5) + "\x81\x40 \x81\x40" << 5 << false;
    QTest::newRow("UTF-8, a last line of a mark alone")
        << utf8Bom(QString::fromUtf8(QByteArray("\"2020/01/01\",\"08:00:00\",\"数字記憶\",3,\"a\",\r\n")))
            + "\xEF\xBB\xBF"
        << 1 << true;
    QTest::newRow("UTF-8 marked twice, nothing else") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << 0 << false;
    QTest::newRow("UTF-8, full-width blank last line")
        << utf8Bom(QString::fromUtf8(QByteArray("\"2020/01/01\",\"08:00:00\",\"数字記憶\",3,\"a\",\r\n\u3000"))) << 1
        << false;
    QTest::newRow("UTF-8, cut inside a character")
        << utf8Bom(QString::fromUtf8(QByteArray("\"2020/01/01\",\"08:00:00\",\"数字記憶\",3,\"a\",\r\n")))
            + next.toUtf8().left(next.toUtf8().indexOf("暗") + 1)
        << 1 << true;
}

void tst_logtail::readerLeavesOutTheCutLine()
{
    QFETCH(QByteArray, log);
    QFETCH(int, records);
    QFETCH(bool, cutTail);
    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile, log));
    const PlayLog read = readPlayLog();
    QCOMPARE(read.records.size(), records);
    QCOMPARE(read.cutTail, cutTail);
    QVERIFY(read.clean); // bytes of a cut-off line never count as a damaged log
    for (const PlayRecord &r : read.records)
        QVERIFY(r.date.startsWith(QLatin1String("2020/01/")));
    QCOMPARE(dir.bytes(kPlayLogFile), log); // reading never changes the file
    // The start-up's recovery moves out exactly the line the reader leaves out.
    const TailRecovery r = recoverPlayLogTail();
    QCOMPARE(r.outcome == TailRecovery::Outcome::Moved, cutTail);
    if (!cutTail)
        QCOMPARE(dir.bytes(kPlayLogFile), log);
}

void tst_logtail::recoveryMovesTheCutLine_data()
{
    QTest::addColumn<QByteArray>("head");     // what stays in the log
    QTest::addColumn<QByteArray>("tail");     // what is moved
    QTest::addColumn<QByteArray>("fragment"); // the fragment file before ("" none)

    const QString next = record(9).gameLine();
    QTest::newRow("cut in the time") << logOf(3) << QByteArray("\"2020/01/01\",\"08:00:") << QByteArray();
    QTest::newRow("cut inside a character")
        << logOf(3) << cutLine(next, sjis(next).indexOf(sjis("暗")) + 1) << QByteArray();
    QTest::newRow("the only line") << QByteArray() << cutLine(next, 30) << QByteArray();
    QTest::newRow("ending in CR") << logOf(2) << QByteArray("\"2020/01/01\",\r") << QByteArray();
    QTest::newRow("fragments already kept") << logOf(2) << QByteArray("\"x") << QByteArray("\"old\r\n");
    QTest::newRow("fragment file without its line end") << logOf(2) << QByteArray("\"x") << QByteArray("\"old");
    QTest::newRow("a long cut line") << logOf(2) << "\"" + QByteArray(300 * 1024, 'a') << QByteArray();
    QTest::newRow("UTF-8 with a mark, the only line")
        << QByteArray("\xEF\xBB\xBF") << QByteArray("\"2020/01/01\",") << QByteArray();
}

void tst_logtail::recoveryMovesTheCutLine()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, tail);
    QFETCH(QByteArray, fragment);
    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile, head + tail));
    if (!fragment.isEmpty())
        QVERIFY(dir.write(kFragment, fragment));

    const TailRecovery r = recoverPlayLogTail();
    QCOMPARE(int(r.outcome), int(TailRecovery::Outcome::Moved));
    QCOMPARE(r.tail, tail);
    QVERIFY(r.message.contains(kFragment));
    QVERIFY(isPlainJapanese(r.message));
    QCOMPARE(dir.bytes(kPlayLogFile), head);
    const QByteArray kept = fragment.isEmpty() ? QByteArray() : fragment.endsWith('\n') ? fragment : fragment + "\r\n";
    QCOMPARE(dir.bytes(kFragment), kept + tail + "\r\n");

    // Done once: the next start finds nothing to do, and the log reads whole.
    QCOMPARE(int(recoverPlayLogTail().outcome), int(TailRecovery::Outcome::Nothing));
    const PlayLog log = readPlayLog();
    QVERIFY(!log.cutTail && log.clean);
    // The next record starts on a line of its own.
    QVERIFY(appendPlayRecord(record(1)));
    QCOMPARE(readPlayLog().records.size(), log.records.size() + 1);
    QCOMPARE(readPlayLog().records.last(), record(1));
}

// A crash after the fragment file was written but before the log was cut:
// the line is there twice, and the next recovery only cuts the log.
void tst_logtail::recoveryInterruptedBeforeTheCut()
{
    TempDataDir dir;
    const QByteArray tail("\"2020/01/01\",\"08:00:");
    QVERIFY(dir.write(kPlayLogFile, logOf(2) + tail));
    QVERIFY(dir.write(kFragment, "\"older\r\n" + tail + "\r\n"));
    QCOMPARE(int(recoverPlayLogTail().outcome), int(TailRecovery::Outcome::Moved));
    QCOMPARE(dir.bytes(kPlayLogFile), logOf(2));
    QCOMPARE(dir.bytes(kFragment), "\"older\r\n" + tail + "\r\n");
}

void tst_logtail::wholeLastRecordIsKeptAndCompleted()
{
    TempDataDir dir;
    QByteArray log = logOf(3);
    log.chop(2);
    QVERIFY(dir.write(kPlayLogFile, log));
    QCOMPARE(int(recoverPlayLogTail().outcome), int(TailRecovery::Outcome::Nothing));
    QCOMPARE(dir.bytes(kPlayLogFile), log);
    QVERIFY(!dir.exists(kFragment));
    QVERIFY(appendPlayRecord(record(3)));
    QCOMPARE(dir.bytes(kPlayLogFile), logOf(4));
}

// When the cut-off line cannot be moved (a folder named like the fragment
// file), the log stays as it is, the line is still not read as a record, and
// a rewrite, which would drop it without a trace, is refused.
void tst_logtail::recoveryThatCannotMoveRefusesRewrites()
{
    TempDataDir dir;
    const QByteArray log = logOf(3) + "\"2020/01/01\",\"08:00:";
    QVERIFY(dir.write(kPlayLogFile, log));
    QVERIFY(QDir::current().mkdir(kFragment));

    const TailRecovery r = recoverPlayLogTail();
    QCOMPARE(int(r.outcome), int(TailRecovery::Outcome::Failed));
    QVERIFY2(r.message.contains(QStringLiteral("同じ名前のフォルダがあります")), qPrintable(r.message));
    QVERIFY(isPlainJapanese(r.message));
    QCOMPARE(dir.bytes(kPlayLogFile), log);

    const PlayLog read = readPlayLog();
    QCOMPARE(read.records.size(), 3);
    const FakeClock clock;
    const text::WriteResult w = rewritePlayLog(read.records.mid(1), clock);
    QVERIFY(!w.ok);
    QCOMPARE(dir.bytes(kPlayLogFile), log);
}

void tst_logtail::appendToUtf8File_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text"); // what the file holds, saved in UTF-8 with a mark
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected"); // what it holds afterwards, in code page 932

    const QString a = record(1).gameLine(), b = record(2).gameLine();
    QTest::newRow("play log") << kPlayLogFile << a + "\r\n" << b << a + "\r\n" + b + "\r\n";
    QTest::newRow("play log without its last line end") << kPlayLogFile << a << b << a + "\r\n" + b + "\r\n";
    QTest::newRow("play log ending between CR and LF") << kPlayLogFile << a + "\r" << b << a + "\r\n" + b + "\r\n";
    QTest::newRow("only the mark") << kPlayLogFile << QString() << b << b + "\r\n";
    QTest::newRow("NEC and IBM characters")
        << kPlayLogFile << QStringLiteral("①～－髙\r\n") << b << QStringLiteral("①～－髙\r\n") + b + "\r\n";
    QTest::newRow("history") << QStringLiteral("数字記憶履歴.txt") << QStringLiteral("\"2020/01/01\",8,6\r\n")
                             << QStringLiteral("\"2020/01/02\",9,9")
                             << QStringLiteral("\"2020/01/01\",8,6\r\n\"2020/01/02\",9,9\r\n");
}

void tst_logtail::appendToUtf8File()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    TempDataDir dir;
    QVERIFY(dir.write(file, utf8Bom(text)));
    const text::WriteResult w = text::appendLine(file, line);
    QVERIFY2(w.ok, qPrintable(w.message));
    QCOMPARE(dir.bytes(file), sjis(expected));
    QCOMPARE(dir.files(), QStringList{file}); // no temporary file left
    // The next append is an ordinary one.
    QVERIFY(text::appendLine(file, QStringLiteral("x")));
    QCOMPARE(dir.bytes(file), sjis(expected + "x\r\n"));
    const text::ReadResult back = text::readLines(file);
    QVERIFY(back.clean);
}

void tst_logtail::appendToUtf8FileRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("told");
    QTest::newRow("a character code page 932 cannot hold")
        << utf8Bom(QStringLiteral("\"2020/01/01\",\"☃\",\r\n")) << QStringLiteral("「☃」は保存できない文字です");
    QTest::newRow("an emoji") << utf8Bom(QStringLiteral("\"😀\"\r\n")) << QStringLiteral("「😀」は保存できない文字です");
    QTest::newRow("bytes that are not UTF-8")
        << QByteArray("\xEF\xBB\xBF\"a\xFF\xFE\"\r\n") << QStringLiteral("UTF-8 として読めない部分");
}

void tst_logtail::appendToUtf8FileRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    TempDataDir dir;
    QVERIFY(dir.write(kPlayLogFile, bytes));
    const text::WriteResult w = appendPlayRecord(record(1));
    QVERIFY(!w.ok);
    QVERIFY2(w.message.contains(told), qPrintable(w.message));
    QVERIFY2(w.message.contains(kPlayLogFile), qPrintable(w.message));
    QCOMPARE(dir.bytes(kPlayLogFile), bytes);
    QCOMPARE(dir.files(), QStringList{kPlayLogFile});
}

// The small files are written whole: one saved in UTF-8 becomes code page 932.
void tst_logtail::rewritesOfUtf8Files()
{
    TempDataDir dir;
    QVERIFY(dir.write(kSettingsFile, utf8Bom(QStringLiteral("\"ヘルプツアー\",1\r\n"))));
    QVERIFY(dir.write(kNameFile, utf8Bom(QStringLiteral("\"氏名\",\"髙橋\"\r\n"))));
    QVERIFY(dir.write(kMemoFile, utf8Bom(QStringLiteral("メモ\r\n"))));
    QCOMPARE(readHelpTour(), 1);
    QCOMPARE(readUserName(), QStringLiteral("髙橋"));
    QVERIFY(writeHelpTour(0));
    QVERIFY(writeUserName(readUserName() + QStringLiteral("①")));
    QVERIFY(writeMemo(readMemo().text + QStringLiteral("\n～")));
    QCOMPARE(dir.bytes(kSettingsFile), sjisLines({QStringLiteral("\"ヘルプツアー\",0")}));
    QCOMPARE(dir.bytes(kNameFile), sjisLines({QStringLiteral("\"氏名\",\"髙橋①\"")}));
    QCOMPARE(dir.bytes(kMemoFile), sjisLines({QStringLiteral("メモ"), QStringLiteral("～")}));
}

// The reasons told for what the system refused, in Japanese, with the name of
// the file and never its path.
void tst_logtail::reasons_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("folder"); // a folder in the file's place
    QTest::addColumn<QString>("write");
    QTest::addColumn<QString>("read");
    QTest::newRow("disk full") << ENOSPC << false << "容量不足"
                               << "ファイルを読み込めません";
    QTest::newRow("file too large") << EFBIG << false << "容量不足"
                                    << "ファイルを読み込めません";
    QTest::newRow("no permission") << EACCES << false << "書き込みの権限がありません"
                                   << "読み込みの権限がありません";
    QTest::newRow("read-only file system") << EROFS << false << "書き込みの権限がありません"
                                           << "読み込みの権限がありません";
    QTest::newRow("a folder of that name") << EISDIR << true << "同じ名前のフォルダがあります"
                                           << "同じ名前のフォルダがあります";
}

void tst_logtail::reasons()
{
    QFETCH(int, error);
    QFETCH(bool, folder);
    QFETCH(QString, write);
    QFETCH(QString, read);
    TempDataDir dir;
    const QString name = QStringLiteral("数字記憶履歴.txt");
    if (folder)
        QVERIFY(QDir::current().mkdir(name));
    else
        QVERIFY(dir.write(name, "x\r\n"));
    const QString path = QDir::current().filePath(name);
    QVERIFY(text::writeFailureReason(path, error).contains(write));
    QVERIFY(text::readFailureReason(path, error).contains(read));
    if (!folder)
        return;
    // What the writers and readers say, for real.
    for (const text::WriteResult &w :
         {text::appendLine(name, QStringLiteral("x")), text::writeLines(name, {QStringLiteral("x")})}) {
        QVERIFY(!w.ok);
        QVERIFY2(w.message.startsWith(QStringLiteral("ファイル「%1」に書き込めませんでした。").arg(name)),
                 qPrintable(w.message));
        QVERIFY2(w.message.contains(write) && isPlainJapanese(w.message), qPrintable(w.message));
    }
    const text::ReadResult r = text::readLines(name);
    QVERIFY(r.readError);
    const QString m = text::readFailureMessage(name, r);
    QVERIFY2(m.contains(name) && m.contains(read) && isPlainJapanese(m), qPrintable(m));
    QVERIFY(QFileInfo(name).isDir());
}

QTEST_GUILESS_MAIN(tst_logtail)
#include "tst_logtail.moc"
