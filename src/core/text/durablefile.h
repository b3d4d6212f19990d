#pragma once
// Writes that are on the disk when they are reported done. A save the player
// was told succeeded must survive a power cut a moment later, so each write
// asks the system to put the bytes, and after a rename the folder's entry, on
// the disk before it returns; a disk that cannot confirm this fails the write.
#include <QByteArray>
#include <QString>

namespace kioku::text {

// Replaces the file at `path` by `bytes`: a temporary file beside it is
// written, synced to the disk and renamed over `path`, then the folder is
// synced, so `path` is at every instant either the old file whole or the new
// one whole, and the new one survives a power cut once this returns true. The
// new file keeps the old one's permissions. On failure the old file is
// untouched where the failure came before the rename, and *systemError holds
// the system's error (errno).
bool replaceFile(const QString &path, const QByteArray &bytes, int *systemError);

// The first half of replaceFile(), for a caller that renames several files
// together: writes `bytes` into a new temporary file beside `target` (an
// encoded path), with the permissions of the file at `target` (else what the
// umask leaves of rw-rw-rw-), and syncs it. *temp receives its name; on
// failure nothing is left behind and *systemError holds errno.
bool writeSyncedTemporary(const QByteArray &target, const QByteArray &bytes, QByteArray *temp, int *systemError);

// Puts the data written to an open file on the disk (fdatasync). False, with
// *systemError, when the disk does not confirm it.
bool syncFileData(int fd, int *systemError);

// Puts the entries of `folder` (a file renamed into it, created or removed in
// it, a new folder) on the disk. A file system that cannot sync a folder
// (EINVAL) counts as done: it has nothing to sync.
bool syncFolder(const QString &folder, int *systemError);

// Creates the folder `path` in its parent and syncs the parent, so the new
// folder is there after a power cut. An existing folder is left as it is.
bool makeFolderDurably(const QString &path, int *systemError);

} // namespace kioku::text
