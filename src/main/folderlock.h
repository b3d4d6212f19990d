#pragma once
// One program per data folder. The lock is the data folder itself, locked
// with flock(): the system lets it go when the program ends however it ends,
// nobody can delete it from under a running program, and a starting program
// never meets a half-made lock. Beside it the file kioku.lock says, for people
// and for older versions of the program, which program holds the folder.
#include <QString>

#include <memory>

namespace kioku {

// The file in the data folder that marks it as in use by a running program.
inline const char kLockFileName[] = "kioku.lock";

class FolderLock {
public:
    FolderLock(int folderFd, const QString &lockPath);
    ~FolderLock(); // lets the folder go and removes kioku.lock
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool isLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    QString m_lockPath;
};

// Takes the lock of a data folder for as long as the returned object lives.
// Whatever lies at kioku.lock (a file a crashed program left, an empty or
// damaged one, a read-only one, a dangling link) is replaced when no running
// program holds the folder. Returns null when another running program holds it
// (also an older version of this program, by its locked kioku.lock) or the
// folder cannot be written; then `error` (when given) holds the Japanese
// message for the user, naming the folder by its name only. Writes nothing
// when it fails.
std::unique_ptr<FolderLock> lockDataFolder(const QString &folder, QString *error);

} // namespace kioku
