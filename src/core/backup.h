#pragma once
// Copies of the data files, made before anything removes or rewrites records:
// the play log before a deletion, a diary save or the new start, a game's
// history before クリア, the records of icon concentration before they are reset.
//
// The copies lie in the folder "バックアップ" of the data (working) folder, one
// per change, named after the file and the moment of the change:
// "データ.txt" copied at 2026/12/08 14:15:03 is "バックアップ/データ_20261208-141503.txt"
// (a second copy in the same second "…_20261208-141503_2.txt", and so on).
// A copy holds the bytes of the file as they were, whatever their encoding.
// The newest 30 copies of each file are kept; older ones of that file go.
#include "core/text/textfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kioku {

inline const QString kBackupFolder = QStringLiteral("バックアップ");
inline constexpr int kBackupsKept = 30;

struct BackupResult {
    bool ok = true;
    QStringList copies; // paths of the copies made (a missing or empty file needs none)
    QString message;    // Japanese, naming the file and the reason, when !ok
    explicit operator bool() const { return ok; }
    // As the writers report: a failed backup is told like a failed write.
    text::WriteResult asWrite() const { return text::WriteResult{ok, message}; }
};

// The name of the copy of `fileName` made at `at` ("データ.txt" → "データ_20261208-141503.txt"),
// before any _2, _3 that a copy of the same second adds.
QString backupName(const QString &fileName, const QDateTime &at);

// Copies the data file `name` (a bare name in the working folder, matched
// without regard to letter case) into the backup folder, then drops the copies
// of that file past the newest kBackupsKept. A missing or empty file holds no
// records and is not copied (ok, no copy). When the copy cannot be made, ok is
// false, the message says which file and why, and nothing else happened: the
// caller must then leave the file as it is.
BackupResult backUpFile(const QString &name, const QDateTime &at);
// Copies each file in turn; stops at the first that fails (the copies made
// before it stay, they harm nothing).
BackupResult backUpFiles(const QStringList &names, const QDateTime &at);

// The copies of `fileName` in the backup folder, oldest first (file names only).
QStringList backupsOf(const QString &fileName);

} // namespace kioku
