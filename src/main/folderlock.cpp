#include "folderlock.h"

#include "core/text/durablefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kioku {

namespace {

// The folder as the user knows it: its own name, not the whole path.
QString folderName(const QString &folder)
{
    const QString name = QDir(folder).dirName();
    return name.isEmpty() || name == QLatin1String(".") ? QDir::toNativeSeparators(folder) : name;
}

QString busyMessage(const QString &folder)
{
    return QStringLiteral("データフォルダ「%1」は、もう一つのソラミルプロジェクトが使っています。\r\n\r\n"
                          "同じデータフォルダで二つ同時には起動できません。"
                          "使っているソラミルプロジェクトを終了してから、もう一度起動してください。")
        .arg(folderName(folder));
}

QString writeMessage(const QString &folder, int systemError)
{
    if (systemError == EACCES || systemError == EPERM || systemError == EROFS)
        return QStringLiteral("データフォルダ「%1」に書き込めないため、起動できません。\r\n\r\n"
                              "フォルダに書き込めるか確かめてください。")
            .arg(folderName(folder));
    return QStringLiteral("データフォルダ「%1」に「%2」を作れないため、起動できません。\r\n\r\n"
                          "ディスクの空きと、フォルダに書き込めるかを確かめてください。")
        .arg(folderName(folder), QString::fromLatin1(kLockFileName));
}

// Whether an older version of the program holds the folder: it keeps
// kioku.lock open and locked with flock() while it runs.
bool heldByOlderProgram(const QString &lockPath)
{
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    bool held = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // lets our own trial lock go with it
    return held;
}

// What kioku.lock says, in the form QLockFile writes: process id, program,
// host, machine and boot, so older versions see a running program too.
QByteArray lockFileContent()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + QCoreApplication::applicationName().toUtf8()
        + '\n' + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n'
        + QSysInfo::bootUniqueId() + '\n';
}

} // namespace

FolderLock::FolderLock(int folderFd, const QString &lockPath) : m_fd(folderFd), m_lockPath(lockPath)
{
}

FolderLock::~FolderLock()
{
    // Still ours alone: nobody else can have locked the folder meanwhile.
    ::unlink(QFile::encodeName(m_lockPath).constData());
    ::close(m_fd);
}

std::unique_ptr<FolderLock> lockDataFolder(const QString &folder, QString *error)
{
    const auto refuse = [&](const QString &message) {
        if (error)
            *error = message;
        return std::unique_ptr<FolderLock>();
    };
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return refuse(writeMessage(folder, errno));
    const auto refuseClosing = [&](const QString &message) {
        ::close(fd);
        return refuse(message);
    };
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return refuseClosing(busyMessage(folder));
    // (A file system without locks, where flock() fails otherwise, is used
    // without one: refusing would keep the program out of its data for good.)

    const QString lockPath = QDir(folder).filePath(QString::fromLatin1(kLockFileName));
    if (heldByOlderProgram(lockPath))
        return refuseClosing(busyMessage(folder));
    // A link is replaced, never followed: what it points to is not ours.
    if (QFileInfo(lockPath).isSymLink())
        ::unlink(QFile::encodeName(lockPath).constData());
    int systemError = 0;
    if (!text::replaceFile(lockPath, lockFileContent(), &systemError))
        return refuseClosing(writeMessage(folder, systemError));
    return std::make_unique<FolderLock>(fd, lockPath);
}

} // namespace kioku
