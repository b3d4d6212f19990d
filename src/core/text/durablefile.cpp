#include "durablefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kioku::text {

namespace {

int closeKeepingErrno(int fd)
{
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes, int *systemError)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *systemError = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

// The permissions a new file gets: those of the file it replaces, else what
// the user's umask leaves of rw-rw-rw-.
mode_t newFileMode(const QByteArray &path)
{
    struct stat st;
    if (::stat(path.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool syncFileData(int fd, int *systemError)
{
    while (::fdatasync(fd) != 0) {
        if (errno == EINTR)
            continue;
        // A special file (a terminal, a pipe) has nothing to put on a disk.
        if (errno == EINVAL)
            return true;
        *systemError = errno;
        return false;
    }
    return true;
}

bool syncFolder(const QString &folder, int *systemError)
{
    const QByteArray name = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        *systemError = errno;
        return false;
    }
    int result = 0;
    while ((result = ::fsync(fd)) != 0 && errno == EINTR) {}
    const int error = errno;
    ::close(fd);
    if (result != 0 && error != EINVAL) {
        *systemError = error;
        return false;
    }
    return true;
}

bool writeSyncedTemporary(const QByteArray &target, const QByteArray &bytes, QByteArray *temp, int *systemError)
{
    QByteArray name = target + ".XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        *systemError = errno;
        return false;
    }
    auto fail = [&](int error) {
        *systemError = error;
        ::unlink(name.constData());
        return false;
    };
    if (!writeAll(fd, bytes, systemError)) {
        closeKeepingErrno(fd);
        return fail(*systemError);
    }
    if (::fchmod(fd, newFileMode(target)) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    if (!syncFileData(fd, systemError)) {
        ::close(fd);
        return fail(*systemError);
    }
    if (::close(fd) != 0)
        return fail(errno);
    *temp = name;
    return true;
}

bool replaceFile(const QString &path, const QByteArray &bytes, int *systemError)
{
    // A name that links to a file elsewhere keeps its link: the file it
    // points to is the one replaced.
    const QFileInfo info(path);
    const QString real = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray target = QFile::encodeName(real);
    QByteArray temp;
    if (!writeSyncedTemporary(target, bytes, &temp, systemError))
        return false;
    if (::rename(temp.constData(), target.constData()) != 0) {
        *systemError = errno;
        ::unlink(temp.constData());
        return false;
    }
    // The new file is in place; it is on the disk once its folder's entry is.
    return syncFolder(QFileInfo(real).absolutePath(), systemError);
}

bool makeFolderDurably(const QString &path, int *systemError)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), 0777) != 0) {
        if (errno != EEXIST || !QFileInfo(path).isDir()) {
            *systemError = errno;
            return false;
        }
        return true;
    }
    return syncFolder(QFileInfo(path).absolutePath(), systemError);
}

} // namespace kioku::text
