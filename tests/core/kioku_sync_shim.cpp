// A preloaded library (LD_PRELOAD) that records the calls by which the
// program puts its files on the disk, for tst_durablewrites: every write(),
// fdatasync(), fsync(), rename() and mkdir() on a path inside the folder
// KIOKU_SHIM_DIR is appended as one line ("fdatasync データ.txt") to the file
// KIOKU_SHIM_LOG, paths relative to that folder ("." for the folder itself).
// With KIOKU_SHIM_FAIL_SYNC=1 every fsync() and fdatasync() there fails with
// EIO, as a failing disk answers, after the bytes were handed over. With
// KIOKU_SHIM_FAIL_RENAME_TO=<name> a rename() onto that file of the folder
// fails with EIO and changes nothing, as a disk that goes away midway answers.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

thread_local bool t_inside = false;

std::string folder()
{
    const char *d = std::getenv("KIOKU_SHIM_DIR");
    return d ? d : "";
}

// The path relative to the folder, or "" when it lies outside.
std::string relative(const std::string &path)
{
    const std::string dir = folder();
    if (dir.empty() || path.compare(0, dir.size(), dir) != 0)
        return "";
    if (path.size() == dir.size())
        return ".";
    if (path[dir.size()] != '/')
        return "";
    return path.substr(dir.size() + 1);
}

std::string pathOfFd(int fd)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char buf[4096];
    const ssize_t n = ::readlink(link, buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

std::string absolute(const char *path)
{
    if (path[0] == '/')
        return path;
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd))
        return path;
    std::string p = std::string(cwd) + "/" + path;
    return p;
}

void record(const std::string &line)
{
    const char *logName = std::getenv("KIOKU_SHIM_LOG");
    if (!logName)
        return;
    const int fd = int(::syscall(SYS_openat, AT_FDCWD, logName, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (fd < 0)
        return;
    const std::string text = line + "\n";
    ::syscall(SYS_write, fd, text.data(), text.size());
    ::syscall(SYS_close, fd);
}

bool failSync()
{
    const char *f = std::getenv("KIOKU_SHIM_FAIL_SYNC");
    return f && std::strcmp(f, "1") == 0;
}

template <typename F> F next(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

int sync(const char *name, int fd, int (*real)(int))
{
    const std::string rel = t_inside ? std::string() : relative(pathOfFd(fd));
    if (rel.empty())
        return real(fd);
    t_inside = true;
    record(std::string(name) + " " + rel);
    t_inside = false;
    if (failSync()) {
        errno = EIO;
        return -1;
    }
    return real(fd);
}

} // namespace

extern "C" {

ssize_t write(int fd, const void *buf, size_t n)
{
    static auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    if (!t_inside) {
        t_inside = true;
        const std::string rel = relative(pathOfFd(fd));
        if (!rel.empty() && rel != ".")
            record("write " + rel);
        t_inside = false;
    }
    return real(fd, buf, n);
}

int fsync(int fd)
{
    static auto real = next<int (*)(int)>("fsync");
    return sync("fsync", fd, real);
}

int fdatasync(int fd)
{
    static auto real = next<int (*)(int)>("fdatasync");
    return sync("fdatasync", fd, real);
}

int rename(const char *from, const char *to)
{
    static auto real = next<int (*)(const char *, const char *)>("rename");
    const std::string a = relative(absolute(from)), b = relative(absolute(to));
    const char *refused = std::getenv("KIOKU_SHIM_FAIL_RENAME_TO");
    if (refused && !b.empty() && b == refused) {
        errno = EIO;
        return -1;
    }
    const int r = real(from, to);
    if (!a.empty() && !b.empty() && r == 0)
        record("rename " + a + " " + b);
    return r;
}

int mkdir(const char *path, mode_t mode)
{
    static auto real = next<int (*)(const char *, mode_t)>("mkdir");
    const int r = real(path, mode);
    const std::string rel = relative(absolute(path));
    if (!rel.empty() && r == 0)
        record("mkdir " + rel);
    return r;
}
}
