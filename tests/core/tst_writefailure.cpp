// Writes that the operating system refuses part-way (the file-size limit of a
// child process, EFBIG, standing in for a full disk), one for every way the
// program writes a file: the play log's rewrite (a deletion, the diary, the
// new start), its append and the mending of a cut-off last line, the backup
// copies, a game's history, settings and records, the help-tour switch, the
// user's name, the memo and the first start. The program must say so, naming
// the file, and the file must stay exactly as it was, never emptied or cut short.
#include "core/backup.h"
#include "core/datafolder.h"
#include "core/memo.h"
#include "core/playlog/playlog.h"
#include "core/rules/iconconcentration.h"
#include "core/rules/numbermemory.h"
#include "core/settings.h"
#include "testsupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct ChildRun {
    bool started = false;
    int exitCode = -1;
    QStringList lines; // what the child printed
    QString stderrText;
};

ChildRun runChild(const QString &folder, qint64 limit, const QString &op)
{
    ChildRun run;
    QProcess p;
    p.start(QStringLiteral(KIOKU_WRITE_CHILD), {folder, QString::number(limit), op});
    run.started = p.waitForStarted(60000) && p.waitForFinished(120000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.stderrText = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// A play log of `n` records as the games write it.
QByteArray logOf(int n, bool finalLineEnd = true)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(play(QStringLiteral("2026/11/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                          QStringLiteral("14:05:%1").arg(i % 60, 2, 10, QLatin1Char('0')), kioku::itemNames().at(i % 7),
                          30.5f + float(i % 50), QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"))
                         .gameLine());
    QByteArray bytes = sjisLines(lines);
    if (!finalLineEnd)
        bytes.chop(2);
    return bytes;
}

} // namespace

class TstWriteFailure : public QObject {
    Q_OBJECT
private slots:
    void refusedWrite_data();
    void refusedWrite();
    void firstStart_data();
    void firstStart();
    void notAFile_data();
    void notAFile();
    void aPlayIsSavedWholeOrNotAtAll_data();
    void aPlayIsSavedWholeOrNotAtAll();
    void anEndlessLineIsDamageNotMemory_data();
    void anEndlessLineIsDamageNotMemory();
    void aReadOnlyFileIsKept_data();
    void aReadOnlyFileIsKept();
};

void TstWriteFailure::refusedWrite_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<qint64>("limit");
    // Copies of the old file the operation leaves in the backup folder (a copy
    // that fits is made before the write it protects is refused).
    QTest::addColumn<int>("copies");

    const QString log = kioku::kPlayLogFile;
    const QByteArray small = logOf(20);
    const QByteArray large = logOf(1500);
    QVERIFY(small.size() < 16 * 1024 && large.size() > 64 * 1024);

    // Smaller than the file buffer: the bytes would only meet the disk on commit.
    QTest::newRow("rewrite, small log") << "rewrite" << log << small << qint64(512) << 0;
    QTest::newRow("rewrite, small log, nothing fits") << "rewrite" << log << small << qint64(0) << 0;
    QTest::newRow("rewrite, large log") << "rewrite" << log << large << qint64(32 * 1024) << 0;
    // The play log's rewrite copies the file first, and that copy meets the
    // limit before the rewrite does: the atomic rewrite is tried on its own too.
    QTest::newRow("atomic rewrite, small log") << "writelines" << log << small << qint64(512) << 0;
    QTest::newRow("atomic rewrite, nothing fits") << "writelines" << log << small << qint64(0) << 0;
    QTest::newRow("atomic rewrite, large log") << "writelines" << log << large << qint64(32 * 1024) << 0;
    // A diary text makes the log longer: the copy of the old log fits under
    // the limit, the new log does not.
    QTest::newRow("diary, the copy fits, the new log does not")
        << "diary" << log << small << qint64(small.size() + 8) << 1;
    QTest::newRow("diary, large log") << "diary" << log << large << qint64(large.size()) << 1;
    QTest::newRow("diary, nothing fits") << "diary" << log << small << qint64(0) << 0;
    QTest::newRow("new start, the copy does not fit") << "newstart" << log << small << qint64(512) << 0;
    QTest::newRow("backup copy, small log") << "backup" << log << small << qint64(512) << 0;
    QTest::newRow("backup copy, large log") << "backup" << log << large << qint64(32 * 1024) << 0;
    // The fragment file of a cut-off last line cannot be written: the line
    // stays where it is.
    QTest::newRow("cut-off last line, no room for the fragment")
        << "tail" << log << QByteArray(small + sjis(QStringLiteral("\"2026/12/07\",\"14:0"))) << qint64(8) << 0;
    // The limit falls inside the new line: part of it reaches the file.
    QTest::newRow("append, half a line fits") << "append" << log << small << qint64(small.size() + 20) << 0;
    QTest::newRow("append, only the missing line end fits")
        << "append" << log << logOf(20, false) << qint64(logOf(20, false).size() + 2) << 0;
    QTest::newRow("append to an empty log") << "append" << log << QByteArray() << qint64(10) << 0;
    // A log saved in UTF-8 is first rewritten whole in Shift-JIS: that rewrite fails.
    QTest::newRow("append to a log in UTF-8")
        << "append" << log
        << QByteArray(
               "\xEF\xBB\xBF"
               + play(QStringLiteral("2026/11/01"), QStringLiteral("10:00:00"), QStringLiteral("数字記憶"), 30.5f)
                     .gameLine()
                     .toUtf8()
               + "\r\n")
        << qint64(16) << 0;

    const QString history = kioku::rules::numberMemoryHistory().fileName;
    const QByteArray historyLines =
        sjisLines({QStringLiteral("\"2026/12/05\",\"10:00:00\",\"8桁\",8,8,\"0.5\",\"100.0%\""),
                   QStringLiteral("\"2026/12/06\",\"10:00:00\",\"8桁\",8,7,\"0.5\",\"87.5%\"")});
    QTest::newRow("history, half a line fits")
        << "history" << history << historyLines << qint64(historyLines.size() + 20) << 0;
    QTest::newRow("history without its last line end")
        << "history" << history << historyLines.chopped(2) << qint64(historyLines.size() - 1) << 0;
    QTest::newRow("history, empty file, nothing fits") << "history" << history << QByteArray() << qint64(0) << 0;
    QTest::newRow("history in UTF-8")
        << "history" << history
        << QByteArray("\xEF\xBB\xBF\"2026/12/05\",\"10:00:00\",\"8\xE6\xA1\x81\",8,8,\"0.5\",\"100.0%\"\r\n")
        << qint64(16) << 0;
    QTest::newRow("icon records") << "records" << kioku::rules::kIconRecordsFile
                                  << sjisLines({QStringLiteral("25,\"34.5\""), QStringLiteral("9999,\"9999\""),
                                                QStringLiteral("9999,\"9999\""), QStringLiteral("9999,\"9999\"")})
                                  << qint64(20) << 0;
    QTest::newRow("game settings") << "settings" << QStringLiteral("数字記憶設定.txt") << QByteArray("8,0.5,1\r\n")
                                   << qint64(4) << 0;
    QTest::newRow("help tour") << "helptour" << QStringLiteral("設定.txt")
                               << sjisLines({QStringLiteral("\"ヘルプツアー\",1")}) << qint64(4) << 0;
    QTest::newRow("user name") << "username" << kioku::kNameFile << sjisLines({QStringLiteral("\"氏名\",\"山田\"")})
                               << qint64(12) << 0;
    const QByteArray memo = sjisLines({QStringLiteral("毎朝１０分。"), QString(), QStringLiteral("週末は長めに。")});
    QTest::newRow("memo") << "memo" << kioku::kMemoFile << memo << qint64(memo.size()) << 0;
    QTest::newRow("memo, nothing fits") << "memo" << kioku::kMemoFile << memo << qint64(0) << 0;
}

void TstWriteFailure::refusedWrite()
{
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    QFETCH(qint64, limit);
    QFETCH(int, copies);

    TempDataDir dir;
    QVERIFY(dir.write(file, old));
    const ChildRun run = runChild(QDir::currentPath(), limit, op);
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QVERIFY2(!run.lines.isEmpty() && run.lines.first() == QLatin1String("failed"),
             qPrintable(run.lines.join(QLatin1Char('|'))));
    // The message the user sees names the file, by its name alone.
    const QString message = run.lines.mid(1).join(QLatin1Char('\n'));
    QVERIFY2(message.contains(file), qPrintable(message));
    QVERIFY2(!message.contains(QDir::currentPath()), qPrintable(message));
    QCOMPARE(dir.bytes(file), old);
    // No temporary file is left behind either.
    QCOMPARE(dir.files(), QStringList{file});
    // Nor a copy cut short: a copy in the backup folder is whole.
    const QDir backups(kioku::kBackupFolder);
    const QStringList made = backups.entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(made.size(), copies);
    for (const QString &copy : made)
        QCOMPARE(dir.bytes(kioku::kBackupFolder + QLatin1Char('/') + copy), old);
}

void TstWriteFailure::firstStart_data()
{
    QTest::addColumn<qint64>("limit");
    // 0: only the empty play log can be written; 10: the memo and the game
    // settings fit, the name record and the settings do not; 4096: all but the help.
    QTest::newRow("nothing fits") << qint64(0);
    QTest::newRow("10 bytes") << qint64(10);
    QTest::newRow("4 KiB") << qint64(4096);
}

void TstWriteFailure::firstStart()
{
    QFETCH(qint64, limit);
    TempDataDir dir;
    const ChildRun run = runChild(QDir::currentPath(), limit, QStringLiteral("firststart"));
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QVERIFY(!run.lines.isEmpty());
    QCOMPARE(run.lines.first(), QStringLiteral("failed"));

    QStringList written, failed, expectWritten, expectFailed;
    for (const QString &line : run.lines.mid(1)) {
        if (line.startsWith(QLatin1String("written ")))
            written.append(line.mid(8));
        else if (line.startsWith(QLatin1String("failed ")))
            failed.append(line.mid(7));
    }
    const QStringList shipped = QDir(QStringLiteral(":/data")).entryList(QDir::Files, QDir::Name);
    QVERIFY(!shipped.isEmpty());
    for (const QString &name : shipped)
        (kioku::shippedFile(name).size() > limit ? expectFailed : expectWritten).append(name);
    QStringList present = dir.files();
    for (QStringList *l : {&written, &failed, &expectWritten, &expectFailed, &present})
        l->sort();
    QCOMPARE(failed, expectFailed);
    QCOMPARE(written, expectWritten);
    // What is in the folder is whole; what failed is not there at all.
    QCOMPARE(present, expectWritten);
    for (const QString &name : expectWritten)
        QCOMPARE(dir.bytes(name), kioku::shippedFile(name));
}

// A data file that is not a file: a named pipe would hold the program in
// open() for good, a link to a device would take or give bytes without end
// (and as root, the device itself could be replaced). Each is refused with
// the reason, before anything is opened, and stays as it was.
void TstWriteFailure::notAFile_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");

    const QList<std::pair<QString, QString>> ops = {
        {"append", kioku::kPlayLogFile},
        {"writelines", kioku::kPlayLogFile},
        {"newstart", kioku::kPlayLogFile},
        {"backup", kioku::kPlayLogFile},
        {"history", QStringLiteral("数字記憶履歴.txt")},
        {"settings", QStringLiteral("数字記憶設定.txt")},
        {"username", kioku::kNameFile},
        {"memo", kioku::kMemoFile},
    };
    for (const QString &kind : {QStringLiteral("named pipe"), QStringLiteral("link to /dev/zero")})
        for (const auto &[op, file] : ops)
            QTest::addRow("%s, %s", qPrintable(op), qPrintable(kind)) << op << file << kind;
}

void TstWriteFailure::notAFile()
{
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QString, kind);

    TempDataDir dir;
    const QByteArray path = QFile::encodeName(QDir::current().filePath(file));
    const bool pipe = kind == QLatin1String("named pipe");
    QVERIFY(pipe ? ::mkfifo(path.constData(), 0600) == 0 : ::symlink("/dev/zero", path.constData()) == 0);
    const QStringList devBefore = QDir(QStringLiteral("/dev")).entryList(QDir::AllEntries | QDir::System);

    QProcess p;
    p.start(QStringLiteral(KIOKU_WRITE_CHILD), {QDir::currentPath(), QStringLiteral("1099511627776"), op});
    const bool finished = p.waitForStarted(60000) && p.waitForFinished(120000);
    if (!finished) {
        p.kill();
        p.waitForFinished();
    }
    QVERIFY2(finished, "the write was held by the file (blocked in open or reading without end)");
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), QStringLiteral("failed"));
    const QString message = lines.mid(1).join(QLatin1Char('\n'));
    QVERIFY2(message.contains(QStringLiteral("普通のファイルではありません")), qPrintable(message));
    QVERIFY2(message.contains(file), qPrintable(message));

    // Everything is where it was: the pipe, the link, the device.
    QFileInfo after(QString::fromLocal8Bit(path));
    QCOMPARE(after.isSymLink(), !pipe);
    struct stat st;
    QVERIFY(::stat("/dev/zero", &st) == 0 && S_ISCHR(st.st_mode));
    if (pipe)
        QVERIFY(::lstat(path.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
    QCOMPARE(QDir(QStringLiteral("/dev")).entryList(QDir::AllEntries | QDir::System), devBefore);
    QCOMPARE(QDir(kioku::kBackupFolder).entryList(QDir::Files), QStringList());
}

// A play goes into its history and the play log together: when the log
// refuses its record (here: the log has grown past the limit, the history
// not), the history line that was already written is taken back, whatever
// form the history had (in code page 932, in UTF-8 and so rewritten, missing).
void TstWriteFailure::aPlayIsSavedWholeOrNotAtAll_data()
{
    QTest::addColumn<QByteArray>("history"); // empty: no history file yet

    const QByteArray line = sjis(QStringLiteral("\"2026/12/06\",\"10:00:00\",\"8桁\",8,8,0.5,\"100.0%\""));
    QTest::newRow("history in code page 932") << line + "\r\n";
    QTest::newRow("history without its last line end") << line;
    QTest::newRow("history in UTF-8") << QByteArray("\xEF\xBB\xBF")
            + QStringLiteral("\"2026/12/06\",\"10:00:00\",\"8桁\",8,8,0.5,\"100.0%\"\r\n").toUtf8();
    QTest::newRow("no history yet") << QByteArray();
}

void TstWriteFailure::aPlayIsSavedWholeOrNotAtAll()
{
    QFETCH(QByteArray, history);
    const QString historyName = QStringLiteral("数字記憶履歴.txt");
    TempDataDir dir;
    const QByteArray log = logOf(20); // well past the limit
    const qint64 limit = 1024;
    QVERIFY(log.size() > limit && history.size() + 200 < limit);
    QVERIFY(dir.write(kioku::kPlayLogFile, log));
    if (!history.isEmpty())
        QVERIFY(dir.write(historyName, history));

    const ChildRun run = runChild(QDir::currentPath(), limit, QStringLiteral("play"));
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QCOMPARE(run.lines.value(0), QStringLiteral("failed"));
    const QString message = run.lines.mid(1).join(QLatin1Char('\n'));
    QVERIFY2(message.contains(kioku::kPlayLogFile) && message.contains(historyName), qPrintable(message));
    QVERIFY2(isPlainJapanese(message), qPrintable(message));
    QCOMPARE(dir.bytes(kioku::kPlayLogFile), log);
    QCOMPARE(dir.exists(historyName), !history.isEmpty());
    // The history holds what it held; one in UTF-8, put into code page 932
    // for the append, keeps its text so (the line is cut off, which needs no
    // room on the disk that just refused the record).
    const QByteArray utf8Mark("\xEF\xBB\xBF");
    QCOMPARE(dir.bytes(historyName), history.startsWith(utf8Mark) ? sjis(QString::fromUtf8(history.mid(3))) : history);
}

// A line longer than any record (a megabyte and more: a file filled by a
// broken disk or program) is passed over as damage and told, without ever
// being held in memory: the start-up's peak memory stays under twice the
// log's size and 100 MB, however long the line.
void TstWriteFailure::anEndlessLineIsDamageNotMemory_data()
{
    QTest::addColumn<QString>("where"); // where the long line lies among three records
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("lineEnd"); // the long line ends in CR LF
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("longLines");

    const qint64 mb = 1024 * 1024;
    QTest::newRow("first, 2 MB") << "first" << 2 * mb << true << 3 << 1;
    QTest::newRow("between records, 2 MB") << "middle" << 2 * mb << true << 3 << 1;
    QTest::newRow("last, without its line end, 2 MB") << "last" << 2 * mb << false << 3 << 1;
    QTest::newRow("just a megabyte: still read") << "middle" << mb - 2 << true << 4 << 0;
    QTest::newRow("the whole file, 200 MB") << "alone" << 200 * mb << false << 0 << 1;
    QTest::newRow("between records, 200 MB") << "middle" << 200 * mb << true << 3 << 1;
}

void TstWriteFailure::anEndlessLineIsDamageNotMemory()
{
    QFETCH(QString, where);
    QFETCH(qint64, length);
    QFETCH(bool, lineEnd);
    QFETCH(int, records);
    QFETCH(int, longLines);

    TempDataDir dir;
    const QByteArray log = logOf(3);
    const qsizetype second = log.indexOf('\n') + 1;
    QByteArray line("\"2026/12/07\",\"10:00:00\",\"数字記憶\",1,\"");
    line += QByteArray(length - line.size(), 'x');
    if (lineEnd)
        line += "\r\n";
    QFile f(QDir::current().filePath(kioku::kPlayLogFile));
    QVERIFY(f.open(QIODevice::WriteOnly));
    if (where == QLatin1String("first"))
        f.write(line + log);
    else if (where == QLatin1String("middle"))
        f.write(log.left(second) + line + log.mid(second));
    else if (where == QLatin1String("last"))
        f.write(log + line);
    else
        f.write(line);
    const qint64 size = f.size();
    f.close();

    const ChildRun run = runChild(QDir::currentPath(), 0, QStringLiteral("read"));
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QCOMPARE(run.lines.value(0), QStringLiteral("ok"));
    QCOMPARE(run.lines.value(1), QStringLiteral("records %1").arg(records));
    QCOMPARE(run.lines.value(2), QStringLiteral("long %1").arg(longLines));
    QCOMPARE(run.lines.value(3), QStringLiteral("tail 0")); // no record cut off: nothing moved out
    // Never held whole: a few megabytes over the program's own, whatever the line.
    const qint64 peakKb = run.lines.value(4).mid(5).toLongLong();
    QVERIFY(peakKb > 0);
    QVERIFY2(peakKb < 64 * 1024,
             qPrintable(QStringLiteral("peak %1 MB for a log of %2 MB").arg(peakKb / 1024).arg(size >> 20)));
    QCOMPARE(QFileInfo(QDir::current().filePath(kioku::kPlayLogFile)).size(), size); // the file as it was

    // A rewrite (a row deleted) would drop the line for good: refused, the log kept.
    if (longLines > 0 && size < 10 * 1024 * 1024) {
        const ChildRun rewrite = runChild(QDir::currentPath(), 1099511627776LL, QStringLiteral("rewrite"));
        QCOMPARE(rewrite.lines.value(0), QStringLiteral("failed"));
        QVERIFY2(rewrite.lines.mid(1).join(QString()).contains(QStringLiteral("長い行")),
                 qPrintable(rewrite.lines.join(QLatin1Char('|'))));
        QCOMPARE(QFileInfo(QDir::current().filePath(kioku::kPlayLogFile)).size(), size);
        QVERIFY(!QDir(kioku::kBackupFolder).exists());
    }
}

// A data file the user made read-only is kept as it is by every save, as an
// append to it always was: a rewrite through a renamed temporary file would
// replace it, which the folder alone allows. Permissions do not stop root:
// the unprivileged run (tst_writefailure_unprivileged) tries it for real.
void TstWriteFailure::aReadOnlyFileIsKept_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");

    const QByteArray log = logOf(3);
    QTest::newRow("append") << "append" << kioku::kPlayLogFile << log;
    QTest::newRow("rewrite") << "writelines" << kioku::kPlayLogFile << log;
    QTest::newRow("row deleted") << "rewrite" << kioku::kPlayLogFile << log;
    QTest::newRow("game settings") << "settings" << QStringLiteral("数字記憶設定.txt") << QByteArray("8,0.5,1\r\n");
    QTest::newRow("user name") << "username" << kioku::kNameFile << sjisLines({QStringLiteral("\"氏名\",\"山田\"")});
    QTest::newRow("memo") << "memo" << kioku::kMemoFile << sjisLines({QStringLiteral("メモ")});
    QTest::newRow("help tour") << "helptour" << QStringLiteral("設定.txt")
                               << sjisLines({QStringLiteral("\"ヘルプツアー\",1")});
}

void TstWriteFailure::aReadOnlyFileIsKept()
{
    if (::geteuid() == 0)
        QSKIP("root writes past permissions: tst_writefailure_unprivileged runs this");
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    TempDataDir dir;
    QVERIFY(dir.write(file, old));
    QVERIFY(QFile::setPermissions(QDir::current().filePath(file), QFile::ReadOwner | QFile::ReadGroup));
    const ChildRun run = runChild(QDir::currentPath(), 1099511627776LL, op);
    QVERIFY2(run.started && run.exitCode == 0, qPrintable(run.stderrText));
    QCOMPARE(run.lines.value(0), QStringLiteral("failed"));
    const QString message = run.lines.mid(1).join(QLatin1Char('\n'));
    QVERIFY2(message.contains(file) && message.contains(QStringLiteral("権限")), qPrintable(message));
    QCOMPARE(dir.bytes(file), old);
}

QTEST_GUILESS_MAIN(TstWriteFailure)
#include "tst_writefailure.moc"
