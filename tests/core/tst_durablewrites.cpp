// A save reported done is on the disk. Each way the program writes a file is
// run in kioku_write_child with a preloaded library that records the calls
// reaching the system (write, fdatasync, fsync, rename, mkdir): an append is
// synced before it returns; a whole-file write goes to a temporary file that
// is synced, renamed over the old one, and the folder synced after it. The
// same library then makes every sync fail as a failing disk does (EIO): the
// save must be refused with the reason and the old bytes kept.
#include "core/backup.h"
#include "core/game/history.h"
#include "core/memo.h"
#include "core/playlog/playlog.h"
#include "core/rules/iconconcentration.h"
#include "core/settings.h"
#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Run {
    bool ok = false;     // the child ran and reported
    QStringList printed; // "ok" or "failed", then the message
    QStringList calls;   // the recorded calls, a run of writes to one file as one line
};

Run runChild(const QString &op, bool failSync)
{
    Run run;
    QTemporaryDir logDir;
    const QString logFile = logDir.filePath(QStringLiteral("calls.log"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KIOKU_SYNC_SHIM));
    env.insert(QStringLiteral("KIOKU_SHIM_DIR"), QDir::current().canonicalPath());
    env.insert(QStringLiteral("KIOKU_SHIM_LOG"), logFile);
    if (failSync)
        env.insert(QStringLiteral("KIOKU_SHIM_FAIL_SYNC"), QStringLiteral("1"));
    // Under AddressSanitizer the preloaded library comes before its runtime.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QStringLiteral("verify_asan_link_order=0"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KIOKU_WRITE_CHILD), {QDir::currentPath(), QStringLiteral("1099511627776"), op});
    run.ok = p.waitForStarted(60000) && p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit
        && p.exitCode() == 0;
    if (!run.ok)
        qWarning().noquote() << p.readAllStandardError();
    run.printed = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QFile log(logFile);
    if (log.open(QIODevice::ReadOnly)) {
        // A temporary file's random suffix is shown as ".tmp".
        static const QRegularExpression suffix(QStringLiteral("\\.[A-Za-z0-9]{6}(?= |$)"));
        for (QString line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            line.replace(suffix, QStringLiteral(".tmp"));
            if (!run.calls.isEmpty() && run.calls.last() == line && line.startsWith(QLatin1String("write ")))
                continue;
            run.calls.append(line);
        }
    }
    return run;
}

// The calls of a whole-file write of `name` in the folder `folder` ("." the data folder).
QStringList replaced(const QString &name, const QString &folder = QStringLiteral("."))
{
    const QString path = folder == QLatin1String(".") ? name : folder + QLatin1Char('/') + name;
    return {QStringLiteral("write %1.tmp").arg(path), QStringLiteral("fdatasync %1.tmp").arg(path),
            QStringLiteral("rename %1.tmp %1").arg(path), QStringLiteral("fsync %1").arg(folder)};
}

QStringList appended(const QString &name)
{
    return {QStringLiteral("write ") + name, QStringLiteral("fdatasync ") + name};
}

const QString kCopy = QStringLiteral("COPY"); // stands for the backup copy's name, known after the run

QStringList backedUp()
{
    return QStringList{QStringLiteral("mkdir ") + kioku::kBackupFolder, QStringLiteral("fsync .")}
    + replaced(kCopy, kioku::kBackupFolder);
}

QByteArray aLog()
{
    return sjisLines({play("2026/12/06", "10:00:00", "数字記憶", 12.5).gameLine(),
                      play("2026/12/07", "09:00:00", "画像記憶", 30).gameLine()});
}

} // namespace

class tst_durablewrites : public QObject {
    Q_OBJECT

private slots:
    void eachSaveReachesTheDisk_data();
    void eachSaveReachesTheDisk();
    void aFailedSyncIsAFailedSave_data();
    void aFailedSyncIsAFailedSave();
};

void tst_durablewrites::eachSaveReachesTheDisk_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QStringList>("calls");

    const QByteArray log = aLog();
    const QString history = QStringLiteral("数字記憶履歴.txt");
    QTest::newRow("a play appended to the log")
        << "append" << kioku::kPlayLogFile << log << appended(kioku::kPlayLogFile);
    // A file the line creates is on the disk with its folder's entry.
    QTest::newRow("the first play of a new log")
        << "append" << QString() << QByteArray()
        << appended(kioku::kPlayLogFile) + QStringList{QStringLiteral("fsync .")};
    QTest::newRow("a history line") << "history" << history
                                    << sjisLines({"\"2026/12/06\",\"10:00:00\",\"8桁\",8,8,0.5,\"100.0%\""})
                                    << appended(history);
    QTest::newRow("the log rewritten") << "writelines" << kioku::kPlayLogFile << log << replaced(kioku::kPlayLogFile);
    QTest::newRow("a row deleted: the copy, then the log")
        << "rewrite" << kioku::kPlayLogFile << log << backedUp() + replaced(kioku::kPlayLogFile);
    QTest::newRow("a backup copy") << "backup" << kioku::kPlayLogFile << log << backedUp();
    QTest::newRow("game settings") << "settings" << QStringLiteral("数字記憶設定.txt") << QByteArray("8,0.5,1\r\n")
                                   << replaced(QStringLiteral("数字記憶設定.txt"));
    QTest::newRow("icon records") << "records" << kioku::rules::kIconRecordsFile << QByteArray()
                                  << replaced(kioku::rules::kIconRecordsFile);
    QTest::newRow("help tour") << "helptour" << QStringLiteral("設定.txt") << sjisLines({"\"ヘルプ\",1"})
                               << replaced(QStringLiteral("設定.txt"));
    QTest::newRow("user name") << "username" << kioku::kNameFile << sjisLines({"\"氏名\",\"山田\""})
                               << replaced(kioku::kNameFile);
    QTest::newRow("memo") << "memo" << kioku::kMemoFile << sjisLines({"きょうのメモ"}) << replaced(kioku::kMemoFile);
}

void tst_durablewrites::eachSaveReachesTheDisk()
{
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    QFETCH(QStringList, calls);

    TempDataDir dir;
    if (!file.isEmpty())
        QVERIFY(dir.write(file, old));
    const Run run = runChild(op, false);
    QVERIFY(run.ok);
    QCOMPARE(run.printed.value(0), QStringLiteral("ok"));
    const QStringList copies = QDir(kioku::kBackupFolder).entryList(QDir::Files);
    if (!copies.isEmpty())
        calls.replaceInStrings(kCopy, copies.first());
    QCOMPARE(run.calls, calls);
}

void tst_durablewrites::aFailedSyncIsAFailedSave_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("old");

    const QByteArray log = aLog();
    QTest::newRow("append") << "append" << kioku::kPlayLogFile << log;
    QTest::newRow("history") << "history" << QStringLiteral("数字記憶履歴.txt")
                             << sjisLines({"\"2026/12/06\",\"10:00:00\",\"8桁\",8,8,0.5,\"100.0%\""});
    QTest::newRow("rewrite") << "writelines" << kioku::kPlayLogFile << log;
    QTest::newRow("row deleted") << "rewrite" << kioku::kPlayLogFile << log;
    QTest::newRow("new start") << "newstart" << kioku::kPlayLogFile << log;
    QTest::newRow("backup copy") << "backup" << kioku::kPlayLogFile << log;
    QTest::newRow("game settings") << "settings" << QStringLiteral("数字記憶設定.txt") << QByteArray("8,0.5,1\r\n");
    QTest::newRow("user name") << "username" << kioku::kNameFile << sjisLines({"\"氏名\",\"山田\""});
    QTest::newRow("memo") << "memo" << kioku::kMemoFile << sjisLines({"きょうのメモ"});
}

void tst_durablewrites::aFailedSyncIsAFailedSave()
{
    QFETCH(QString, op);
    QFETCH(QString, file);
    QFETCH(QByteArray, old);

    TempDataDir dir;
    QVERIFY(dir.write(file, old));
    const Run run = runChild(op, true);
    QVERIFY(run.ok);
    QCOMPARE(run.printed.value(0), QStringLiteral("failed"));
    const QString message = run.printed.mid(1).join(QLatin1Char('\n'));
    QVERIFY2(message.contains(QStringLiteral("入出力エラー")), qPrintable(message));
    QVERIFY2(isPlainJapanese(message), qPrintable(message));
    // The old bytes stay, no temporary file is left, and no copy cut short.
    QCOMPARE(dir.bytes(file), old);
    QCOMPARE(dir.files(), QStringList{file});
    QCOMPARE(QDir(kioku::kBackupFolder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(tst_durablewrites)
#include "tst_durablewrites.moc"
