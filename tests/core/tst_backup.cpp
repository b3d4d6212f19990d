// The copies kept before records are removed or rewritten: their names, their
// bytes, the newest 30 per file, and a copy that cannot be made (which must
// leave the file alone). The file-size limit of a child process (this very
// test started again with --copy-under-limit) makes the system itself refuse
// the bytes of a copy, as a full disk does.
#include "core/backup.h"
#include "core/playlog/playlog.h"
#include "testing/fakeclock.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

using namespace kioku;

namespace {

const QDateTime kAt(QDate(2026, 12, 8), QTime(14, 15, 3));

QString inBackups(const QString &name)
{
    return kBackupFolder + QLatin1Char('/') + name;
}

// The names in the backup folder (files and folders), sorted.
QStringList backupEntries()
{
    return QDir(kBackupFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray logOf(int n)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines.append(play(QStringLiteral("2026/11/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                          QStringLiteral("14:05:33"), QStringLiteral("数字記憶"), 3,
                          QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"))
                         .gameLine());
    return sjisLines(lines);
}

// A copy of `name` taken at kAt in a process whose files may not grow past `limit`.
int copyChild(char *argv[])
{
    if (!QDir::setCurrent(QString::fromLocal8Bit(argv[2])))
        return 2;
    const rlim_t limit = rlim_t(QByteArray(argv[3]).toULongLong());
    std::signal(SIGXFSZ, SIG_IGN); // past the limit write() fails with EFBIG
    const rlimit lim{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &lim) != 0)
        return 2;
    const BackupResult r = backUpFile(QString::fromUtf8(argv[4]), kAt);
    const QByteArray out = ((r.ok ? QStringLiteral("ok\n") : QStringLiteral("failed\n")) + r.message).toUtf8();
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace

class tst_backup : public QObject {
    Q_OBJECT

private slots:
    void copyIsByteIdentical_data();
    void copyIsByteIdentical();
    void noCopyNeeded_data();
    void noCopyNeeded();
    void sameSecond_data();
    void sameSecond();
    void newestThirtyKept_data();
    void newestThirtyKept();
    void failedCopyLeavesNothing_data();
    void failedCopyLeavesNothing();
    void fileSizeLimitRefusesTheCopy_data();
    void fileSizeLimitRefusesTheCopy();
};

void tst_backup::copyIsByteIdentical_data()
{
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QByteArray>("bytes");
    const QString log = kPlayLogFile;
    const QString logCopy = QStringLiteral("データ_20261208-141503.txt");
    QTest::newRow("Shift-JIS log") << log << log << kAt << logCopy << logOf(3);
    // Bytes that are not Shift-JIS are kept as they are, not mended.
    QTest::newRow("damaged log") << log << log << kAt << logCopy << fixture("playlog.txt");
    QTest::newRow("UTF-8 with BOM") << log << log << kAt << logCopy << fixture("utf8bom.txt");
    QTest::newRow("LF only and NUL") << log << log << kAt << logCopy << QByteArray("a\nb\0c\n", 6);
    QTest::newRow("history, midnight, no final line end")
        << "数字記憶履歴.txt"
        << "数字記憶履歴.txt" << QDateTime(QDate(2027, 1, 2), QTime(0, 0, 0)) << "数字記憶履歴_20270102-000000.txt"
        << QByteArray("\"2026/12/07\",1\r\n\"2026/12/07\",2");
    // The new start spells the log データ.TXT: the copy is named as the file on disk.
    QTest::newRow("other letter case") << log << "データ.TXT" << kAt << logCopy << logOf(2);
    QTest::newRow("capital extension") << "データ.TXT" << log << kAt << "データ_20261208-141503.TXT" << logOf(1);
    QTest::newRow("two dots") << "a.b.txt"
                              << "a.b.txt" << kAt << "a.b_20261208-141503.txt" << QByteArray("x");
    QTest::newRow("no extension") << "メモ"
                                  << "メモ" << kAt << "メモ_20261208-141503" << QByteArray("x");
}

void tst_backup::copyIsByteIdentical()
{
    QFETCH(QString, onDisk);
    QFETCH(QString, asked);
    QFETCH(QDateTime, at);
    QFETCH(QString, copy);
    QFETCH(QByteArray, bytes);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(backupName(onDisk, at), copy);
    TempDataDir dir;
    QVERIFY(dir.write(onDisk, bytes));
    const BackupResult r = backUpFile(asked, at);
    QVERIFY2(r.ok, qPrintable(r.message));
    QCOMPARE(r.copies, QStringList{QDir::current().filePath(inBackups(copy))});
    QCOMPARE(dir.bytes(inBackups(copy)), bytes);
    QCOMPARE(dir.bytes(onDisk), bytes);
    QCOMPARE(dir.files(), QStringList{onDisk}); // nothing else in the data folder
    QCOMPARE(backupEntries(), QStringList{copy});
    QCOMPARE(backupsOf(onDisk), QStringList{copy});
}

void tst_backup::noCopyNeeded_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("missing file") << false;
    QTest::newRow("empty file") << true;
}

void tst_backup::noCopyNeeded()
{
    QFETCH(bool, present);
    TempDataDir dir;
    if (present)
        QVERIFY(dir.write(kPlayLogFile, QByteArray()));
    const BackupResult r = backUpFiles({kPlayLogFile, QStringLiteral("数字記憶履歴.txt")}, kAt);
    QVERIFY(r.ok);
    QVERIFY(r.copies.isEmpty());
    QVERIFY(r.message.isEmpty());
    QVERIFY(!dir.exists(kBackupFolder)); // not even the folder
    // A file in the way of the folder does not matter when nothing is copied.
    QVERIFY(dir.write(kBackupFolder, "in the way"));
    QVERIFY(backUpFile(kPlayLogFile, kAt).ok);
}

void tst_backup::sameSecond_data()
{
    QTest::addColumn<QStringList>("present"); // already in the backup folder (a trailing / is a folder)
    QTest::addColumn<QString>("expected");
    const QString base = QStringLiteral("データ_20261208-141503");
    QTest::newRow("first of its second") << QStringList() << base + ".txt";
    QTest::newRow("second of its second") << QStringList{base + ".txt"} << base + "_2.txt";
    QTest::newRow("third of its second") << QStringList{base + ".txt", base + "_2.txt"} << base + "_3.txt";
    QTest::newRow("a gap is not filled") << QStringList{base + ".txt", base + "_3.txt"} << base + "_2.txt";
    QTest::newRow("a folder holds the name") << QStringList{base + ".txt/"} << base + "_2.txt";
    QTest::newRow("another second") << QStringList{"データ_20261208-141502.txt"} << base + ".txt";
    QTest::newRow("another file of this second") << QStringList{"データ2_20261208-141503.txt"} << base + ".txt";
}

void tst_backup::sameSecond()
{
    QFETCH(QStringList, present);
    QFETCH(QString, expected);
    TempDataDir dir;
    QVERIFY(QDir().mkdir(kBackupFolder));
    for (const QString &name : present) {
        if (name.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkdir(inBackups(name.chopped(1))));
        else
            QVERIFY(dir.write(inBackups(name), "older"));
    }
    const QByteArray log = logOf(2);
    QVERIFY(dir.write(kPlayLogFile, log));
    const BackupResult r = backUpFile(kPlayLogFile, kAt);
    QVERIFY2(r.ok, qPrintable(r.message));
    QCOMPARE(QFileInfo(r.copies.value(0)).fileName(), expected);
    QCOMPARE(dir.bytes(inBackups(expected)), log);
    for (const QString &name : present) // nothing already there is overwritten
        if (!name.endsWith(QLatin1Char('/')))
            QCOMPARE(dir.bytes(inBackups(name)), QByteArray("older"));
    QCOMPARE(backupEntries().size(), present.size() + 1);
}

void tst_backup::newestThirtyKept_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QDateTime>("at");
    QTest::addColumn<QStringList>("gone");

    QStringList thirty, others;
    for (int i = 0; i < 30; ++i)
        thirty.append(QStringLiteral("データ_202611%1-120000.txt").arg(i + 1, 2, 10, QLatin1Char('0')));
    // What is not a copy of データ.txt: another file's, a name that begins the same,
    // a file without a stamp.
    others << "データ2_20261101-000000.txt"
           << "データ2_20261102-000000.txt"
           << "データ_バックアップ.txt"
           << "データ_20261101-000000.csv"
           << "数字記憶履歴_20261101-000000.txt"
           << "メモ.txt";

    QStringList twentyNine = thirty.mid(0, 29);
    QTest::newRow("29 and one more: none goes") << twentyNine + others << kAt << QStringList();
    QTest::newRow("30 and one more: the oldest goes") << thirty + others << kAt << QStringList{thirty.first()};
    // Thirty copies in one second: _10 is newer than _2, whatever the letters say.
    QStringList oneSecond{QStringLiteral("データ_20261207-120000.txt")};
    for (int n = 2; n <= 30; ++n)
        oneSecond.append(QStringLiteral("データ_20261207-120000_%1.txt").arg(n));
    QTest::newRow("numbers of one second") << oneSecond << kAt << QStringList{oneSecond.first()};
    QStringList oneSecondLater = oneSecond;
    oneSecondLater.removeFirst();
    oneSecondLater.prepend(QStringLiteral("データ_20261207-115959_9.txt"));
    QTest::newRow("the earlier second goes first")
        << oneSecondLater << kAt << QStringList{QStringLiteral("データ_20261207-115959_9.txt")};
    // Thirty-two: the pruning catches up.
    QStringList thirtyTwo = thirty;
    thirtyTwo << "データ_20261001-000000.txt"
              << "データ_20261002-000000.txt";
    QTest::newRow("32 and one more: three go")
        << thirtyTwo << kAt << QStringList{"データ_20261001-000000.txt", "データ_20261002-000000.txt", thirty.first()};
    // The clock set back behind every copy: the stamps no longer tell which
    // came last, so nothing is pruned (one copy more than thirty for a while).
    QTest::newRow("clock set back") << thirty << QDateTime(QDate(2020, 1, 1), QTime(0, 0, 0)) << QStringList();
}

void tst_backup::newestThirtyKept()
{
    QFETCH(QStringList, present);
    QFETCH(QDateTime, at);
    QFETCH(QStringList, gone);
    TempDataDir dir;
    QVERIFY(QDir().mkdir(kBackupFolder));
    for (const QString &name : present)
        QVERIFY(dir.write(inBackups(name), name.toUtf8()));
    QVERIFY(dir.write(kPlayLogFile, logOf(1)));
    const BackupResult r = backUpFile(kPlayLogFile, at);
    QVERIFY2(r.ok, qPrintable(r.message));
    const QString made = backupName(kPlayLogFile, at);
    QCOMPARE(dir.bytes(inBackups(made)), logOf(1));

    QStringList expected = present;
    for (const QString &name : gone)
        QVERIFY2(expected.removeOne(name), qPrintable(name));
    expected.append(made);
    expected.sort();
    QCOMPARE(backupEntries(), expected);
    QVERIFY(backupsOf(kPlayLogFile).size() <= kBackupsKept + (gone.isEmpty() ? 1 : 0));
    for (const QString &name : expected) // what stays is untouched
        if (name != made)
            QCOMPARE(dir.bytes(inBackups(name)), name.toUtf8());
}

void tst_backup::failedCopyLeavesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason"); // part of the message
    QTest::newRow("a file named バックアップ") << "file in the way"
                                               << "という名前のファイルがある";
    QTest::newRow("copy cut short") << "disk full"
                                    << "書き込めませんでした";
    QTest::newRow("read-only backup folder") << "read-only folder"
                                             << "書き込めませんでした";
    QTest::newRow("read-only data folder") << "read-only data"
                                           << "フォルダを作れませんでした";
}

void tst_backup::failedCopyLeavesNothing()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    if (how.startsWith(QLatin1String("read-only")) && ::geteuid() == 0)
        QSKIP("permissions do not stop root");
    TempDataDir dir;
    const QByteArray log = logOf(4);
    QVERIFY(dir.write(kPlayLogFile, log));
    // The system refuses the bytes of the copy past half the log, as a full disk does.
    std::optional<FileSizeLimit> full;
    if (how == QLatin1String("file in the way"))
        QVERIFY(dir.write(kBackupFolder, "in the way"));
    else if (how == QLatin1String("disk full"))
        full.emplace(log.size() / 2);
    else if (how == QLatin1String("read-only folder")) {
        QVERIFY(QDir().mkdir(kBackupFolder));
        QVERIFY(QFile::setPermissions(kBackupFolder, QFile::ReadOwner | QFile::ExeOwner));
    } else
        QVERIFY(QFile::setPermissions(QStringLiteral("."), QFile::ReadOwner | QFile::ExeOwner));

    const BackupResult r = backUpFile(kPlayLogFile, kAt);
    full.reset();
    QFile::setPermissions(QStringLiteral("."), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(kBackupFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!r.ok);
    QVERIFY(r.copies.isEmpty());
    QVERIFY2(r.message.contains(QStringLiteral("「データ.txt」のバックアップを作れなかった")), qPrintable(r.message));
    QVERIFY2(r.message.contains(reason), qPrintable(r.message));
    QCOMPARE(dir.bytes(kPlayLogFile), log);
    if (QFileInfo(kBackupFolder).isDir())
        QCOMPARE(backupEntries(), QStringList()); // no copy, whole or partial, no temporary file
    QVERIFY(!r.asWrite().ok);
    QCOMPARE(r.asWrite().message, r.message);
}

void tst_backup::fileSizeLimitRefusesTheCopy_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<qint64>("limit");
    QTest::newRow("nothing fits") << 20 << qint64(0);
    QTest::newRow("half fits") << 20 << qint64(logOf(20).size() / 2);
    QTest::newRow("all but one byte") << 20 << qint64(logOf(20).size() - 1);
    QTest::newRow("large log") << 1500 << qint64(32 * 1024);
}

void tst_backup::fileSizeLimitRefusesTheCopy()
{
    QFETCH(int, records);
    QFETCH(qint64, limit);
    TempDataDir dir;
    const QByteArray log = logOf(records);
    QVERIFY(dir.write(kPlayLogFile, log));
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--copy-under-limit"), QDir::currentPath(), QString::number(limit), kPlayLogFile});
    QVERIFY(p.waitForStarted(60000) && p.waitForFinished(120000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    QCOMPARE(out.value(0), QStringLiteral("failed"));
    QVERIFY(out.value(1).contains(QStringLiteral("「データ.txt」")));
    QCOMPARE(dir.bytes(kPlayLogFile), log);
    QCOMPARE(backupEntries(), QStringList()); // the cut copy was taken away
}

int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--copy-under-limit") == 0) {
        QCoreApplication app(argc, argv);
        return copyChild(argv);
    }
    QCoreApplication app(argc, argv);
    tst_backup t;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&t, argc, argv);
}

#include "tst_backup.moc"
