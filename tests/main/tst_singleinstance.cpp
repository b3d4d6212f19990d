// One program per data folder: the lock taken by lockDataFolder() keeps a
// second program off a folder in use, in another process (kioku_lock_child
// holds it) as in this one; a lock left by a program that is gone is taken
// over; and the real program, started on a folder in use, ends at once with
// its message and without touching a file. Whatever happens to kioku.lock
// meanwhile (emptied as a starting program's, deleted by hand), the folder
// stays held; a lock no running program holds is always taken over.
#include "main/appsetup.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QLockFile>
#include <QMap>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TstSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void heldByAnotherProcess_data();
    void heldByAnotherProcess();
    void heldInThisProcess_data();
    void heldInThisProcess();
    void staleLockTakenOver_data();
    void staleLockTakenOver();
    void secondProgramRefused_data();
    void secondProgramRefused();
};

namespace {

const QString kLock = QString::fromLatin1(kioku::kLockFileName);

// kioku_lock_child holding a folder's lock until release() (or its end).
class LockHolder {
public:
    explicit LockHolder(const QString &folder) { m_process.start(QStringLiteral(KIOKU_LOCK_CHILD), {folder}); }
    ~LockHolder() { release(); }
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;

    // The first line the child prints: "locked" or "refused".
    QString firstLine()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(120000))
                return QStringLiteral("(no answer: %1)").arg(m_process.errorString());
        }
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }
    QString rest()
    {
        m_process.waitForFinished(120000);
        return QString::fromUtf8(m_process.readAll()).trimmed();
    }
    // Lets the lock go; the child's exit code (-1 when it did not end normally).
    int release()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.write("\n");
            m_process.closeWriteChannel();
            if (!m_process.waitForFinished(120000)) {
                m_process.kill();
                m_process.waitForFinished();
                return -1;
            }
        }
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

// Everything under `root`: each file's bytes, each folder as "<folder>".
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString rel = QDir(root).relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            files.insert(rel, QByteArrayLiteral("<folder>"));
        } else {
            QFile f(path);
            files.insert(rel, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<unreadable>"));
        }
    }
    return files;
}

QString describe(const QMap<QString, QByteArray> &files)
{
    QStringList lines;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        lines.append(QStringLiteral("%1 (%2 bytes)").arg(it.key()).arg(it.value().size()));
    return lines.join(QStringLiteral(", "));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A lock file as QLockFile writes it: PID, program name, host, machine id, boot id.
QByteArray lockContent(qint64 pid, const QByteArray &program, const QByteArray &bootId)
{
    return QByteArray::number(pid) + '\n' + program + '\n' + QSysInfo::machineHostName().toUtf8() + '\n'
        + QSysInfo::machineUniqueId() + '\n' + bootId + '\n';
}

// The name this test runs under, as the system reports it for a PID.
QByteArray ownProgramName()
{
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).fileName().toUtf8();
}

// The PID of a process that has ended: a short child, waited for.
qint64 deadPid()
{
    QProcess p;
    p.start(QStringLiteral(KIOKU_LOCK_CHILD), {}); // bad usage: ends at once
    p.waitForStarted(120000);
    const qint64 pid = p.processId();
    p.waitForFinished(120000);
    return pid;
}

QString busyMessage(const QString &name)
{
    return QStringLiteral("データフォルダ「%1」は、もう一つのソラミルプロジェクトが使っています。").arg(name);
}

} // namespace

// The function itself, against a lock held in another process: refused with
// the message while it is held, taken once it is let go.
void TstSingleInstance::heldByAnotherProcess_data()
{
    QTest::addColumn<QString>("meanwhile"); // what happens to kioku.lock while the other process holds the folder
    QTest::newRow("left alone") << "";
    // What a starting program holds between making its lock file and locking it.
    QTest::newRow("emptied") << "empty";
    QTest::newRow("deleted by hand") << "delete";
    QTest::newRow("replaced by a dangling link") << "link";
}

void TstSingleInstance::heldByAnotherProcess()
{
    QFETCH(QString, meanwhile);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = root.filePath(QStringLiteral("練習記録"));
    QVERIFY(QDir().mkpath(folder));

    LockHolder holder(folder);
    QCOMPARE(holder.firstLine(), QStringLiteral("locked"));
    const QString lockPath = QDir(folder).filePath(kLock);
    QByteArray held = readFile(lockPath);
    QVERIFY(held.startsWith(QByteArray::number(holder.pid()) + '\n'));
    if (meanwhile == QLatin1String("empty")) {
        QVERIFY(writeFile(lockPath, QByteArray()));
        held.clear();
    } else if (meanwhile == QLatin1String("delete") || meanwhile == QLatin1String("link")) {
        QVERIFY(QFile::remove(lockPath));
        held.clear();
        if (meanwhile == QLatin1String("link"))
            QVERIFY(QFile::link(root.filePath(QStringLiteral("nowhere")), lockPath));
    }

    QString error;
    QVERIFY(!kioku::lockDataFolder(folder, &error));
    QVERIFY2(error.startsWith(busyMessage(QStringLiteral("練習記録"))), qPrintable(error));
    QVERIFY2(!error.contains(root.path()), qPrintable(error));

    // A third process is refused the same way.
    LockHolder third(folder);
    QCOMPARE(third.firstLine(), QStringLiteral("refused"));
    QVERIFY(third.rest().startsWith(busyMessage(QStringLiteral("練習記録"))));
    QCOMPARE(third.release(), 1);
    QCOMPARE(readFile(lockPath), held);

    QCOMPARE(holder.release(), 0);
    QVERIFY(!QFileInfo::exists(QDir(folder).filePath(kLock)));
    error.clear();
    std::unique_ptr<kioku::FolderLock> lock = kioku::lockDataFolder(folder, &error);
    QVERIFY(lock);
    QVERIFY(error.isEmpty());
}

// Locks that belong to a running program are never taken over, and a refusal
// changes nothing in the folder.
void TstSingleInstance::heldInThisProcess_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("taken by lockDataFolder") << "function";
    QTest::newRow("taken by lockDataFolder, then kioku.lock emptied") << "emptied";
    // An older version of the program keeps kioku.lock locked with QLockFile.
    QTest::newRow("held by an older version (QLockFile)") << "qlockfile";
}

void TstSingleInstance::heldInThisProcess()
{
    QFETCH(QString, how);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = root.filePath(QStringLiteral("kioku"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("データ.txt")), QByteArrayLiteral("a,b\r\n")));
    std::unique_ptr<kioku::FolderLock> first;
    QLockFile older(QDir(folder).filePath(kLock));
    if (how == QLatin1String("qlockfile")) {
        QVERIFY(older.tryLock(0));
    } else {
        first = kioku::lockDataFolder(folder, nullptr);
        QVERIFY(first);
        if (how == QLatin1String("emptied"))
            QVERIFY(writeFile(QDir(folder).filePath(kLock), QByteArray()));
    }
    const QMap<QString, QByteArray> before = snapshot(root.path());

    QString error;
    QVERIFY(!kioku::lockDataFolder(folder, &error));
    QVERIFY2(error.startsWith(busyMessage(QStringLiteral("kioku"))), qPrintable(error));
    QVERIFY(!kioku::lockDataFolder(folder, nullptr)); // no message wanted: still refused
    QCOMPARE(describe(snapshot(root.path())), describe(before));
    QCOMPARE(snapshot(root.path()), before);
}

// A lock file whose program is gone, or that cannot be read, is taken over:
// afterwards the folder holds our lock and nothing else new.
void TstSingleInstance::staleLockTakenOver_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("kind"); // a plain file, read-only, a dangling link

    QTest::newRow("PID of a process that has ended")
        << lockContent(deadPid(), "kioku", QSysInfo::bootUniqueId()) << "file";
    QTest::newRow("PID no process can have") << lockContent(2147483647, "kioku", QSysInfo::bootUniqueId()) << "file";
    QTest::newRow("PID now used by another program")
        << lockContent(QCoreApplication::applicationPid(), "kioku", QSysInfo::bootUniqueId()) << "file";
    // The process id of a running program of this very name, which holds
    // another folder or none: the file alone never keeps a folder.
    QTest::newRow("PID and name of a running program")
        << lockContent(QCoreApplication::applicationPid(), ownProgramName(), QSysInfo::bootUniqueId()) << "file";
    if (!QSysInfo::bootUniqueId().isEmpty()) {
        QTest::newRow("written before the machine was restarted")
            << lockContent(QCoreApplication::applicationPid(), ownProgramName(), "00000000-0000-0000-0000-000000000000")
            << "file";
    }
    QTest::newRow("empty") << QByteArray() << "file";
    QTest::newRow("not a lock file") << QByteArrayLiteral("\x82\xa0\x82\xa2\r\n") << "file";
    QTest::newRow("old format: PID, name, host only")
        << QByteArray::number(deadPid()) + "\nkioku\n" + QSysInfo::machineHostName().toUtf8() + '\n'
        << "file";
    // Read-only matters to a user other than root: the unprivileged run.
    QTest::newRow("read-only") << lockContent(deadPid(), "kioku", QSysInfo::bootUniqueId()) << "read-only";
    QTest::newRow("a link to nowhere") << QByteArray() << "dangling link";
}

void TstSingleInstance::staleLockTakenOver()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = root.path();
    const QString lockPath = QDir(folder).filePath(kLock);
    QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("設定.txt")), QByteArrayLiteral("1\r\n")));
    if (kind == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(root.filePath(QStringLiteral("gone/kioku.lock")), lockPath));
    } else {
        QVERIFY(writeFile(lockPath, content));
        if (kind == QLatin1String("read-only"))
            QVERIFY(::chmod(QFile::encodeName(lockPath).constData(), 0444) == 0);
    }

    QString error;
    std::unique_ptr<kioku::FolderLock> lock = kioku::lockDataFolder(folder, &error);
    QVERIFY2(lock, qPrintable(error));
    QVERIFY(error.isEmpty());
    QVERIFY(lock->isLocked());
    QVERIFY(!QFileInfo(lockPath).isSymLink());
    QVERIFY(readFile(lockPath).startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             (QStringList{kLock, QStringLiteral("設定.txt")}));
    QCOMPARE(readFile(QDir(folder).filePath(QStringLiteral("設定.txt"))), QByteArrayLiteral("1\r\n"));

    // And it is ours now: a second attempt is refused.
    QVERIFY(!kioku::lockDataFolder(folder, nullptr));
    lock.reset();
    QVERIFY(!QFileInfo::exists(lockPath));
}

// The real program on a folder another process holds: it ends at once with a
// non-zero exit code, says so on stderr (KIOKU_NO_MESSAGE_BOXES=1: no box to
// close) naming the folder by its name, and leaves every byte as it was.
// "{root}" in the folders stands for a fresh temporary folder, also HOME.
void TstSingleInstance::secondProgramRefused_data()
{
    QTest::addColumn<QString>("folder"); // the folder the holder locks
    QTest::addColumn<QString>("how");    // how the program is told: option, variable, xdg, home
    QTest::addColumn<bool>("withFiles"); // a folder in use (or a first start's empty one)
    QTest::addColumn<QString>("name");   // the name the message gives

    QTest::newRow("--data-dir, a folder in use") << "{root}/記録"
                                                 << "option" << true << "記録";
    QTest::newRow("--data-dir, empty folder: no first-start files") << "{root}/新しい"
                                                                    << "option" << false << "新しい";
    QTest::newRow("KIOKU_DATA_DIR") << "{root}/env"
                                    << "variable" << true << "env";
    QTest::newRow("XDG_DATA_HOME/kioku") << "{root}/xdg/kioku"
                                         << "xdg" << true << "kioku";
    QTest::newRow("HOME/.local/share/kioku, empty") << "{root}/.local/share/kioku"
                                                    << "home" << false << "kioku";
}

void TstSingleInstance::secondProgramRefused()
{
    QFETCH(QString, folder);
    QFETCH(QString, how);
    QFETCH(bool, withFiles);
    QFETCH(QString, name);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    folder.replace(QStringLiteral("{root}"), root.path());
    QVERIFY(QDir().mkpath(folder));
    if (withFiles) {
        QVERIFY(QDir().mkpath(QDir(folder).filePath(QStringLiteral("バックアップ"))));
        QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("データ.txt")),
                          QByteArrayLiteral("2026/12/07,14:05:33,\x90\x94\x8e\x9a\x8b\x4c\x89\xaf,12.5,\r\n")));
        QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("設定.txt")), QByteArrayLiteral("1\r\n0\r\n")));
        QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("バックアップ/データ_20261207-140000.txt")),
                          QByteArrayLiteral("old\r\n")));
    }

    LockHolder holder(folder);
    QCOMPARE(holder.firstLine(), QStringLiteral("locked"));
    const QMap<QString, QByteArray> before = snapshot(root.path());
    QVERIFY(before.contains(QDir(root.path()).relativeFilePath(QDir(folder).filePath(kLock))));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), root.path());
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("KIOKU_DATA_DIR"));
    env.insert(QStringLiteral("KIOKU_NO_MESSAGE_BOXES"), QStringLiteral("1"));
    QStringList args{QStringLiteral("-platform"), QStringLiteral("offscreen")};
    if (how == QLatin1String("option"))
        args << QStringLiteral("--data-dir") << folder;
    else if (how == QLatin1String("variable"))
        env.insert(QStringLiteral("KIOKU_DATA_DIR"), folder);
    else if (how == QLatin1String("xdg"))
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("xdg")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(root.path());
    p.start(QStringLiteral(KIOKU_EXE), args);
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QVERIFY(p.exitCode() != 0);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("kioku: ") + busyMessage(name)), qPrintable(err));
    QVERIFY2(!err.contains(root.path()), qPrintable(err));

    const QMap<QString, QByteArray> after = snapshot(root.path());
    QCOMPARE(describe(after), describe(before));
    QCOMPARE(after, before);

    QCOMPARE(holder.release(), 0);
    QVERIFY(!QFileInfo::exists(QDir(folder).filePath(kLock)));
}

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_singleinstance.moc"
