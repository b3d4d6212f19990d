#pragma once
// Undo from a backup: the copies of the backup folder, each with the file it
// belongs to, when it was made and why, what it holds and how it differs from
// the file as it is now; and putting one back (the current file copied first,
// then replaced whole, atomically).
#include "core/text/textfile.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace kioku::transfer {

struct BackupCopy {
    QString copyName; // in the backup folder: "データ_20261208-141503.txt"
    QString fileName; // the data file it is a copy of, as spelled in the data folder when it is there
    QDateTime at;     // when the copy was made
    QString reason;   // what change it was taken before; "" when that is not known
    QString holds;    // "1,234 件", "12 行", "2,048 バイト"
    int added = 0;    // lines the copy has that the current file has not
    int removed = 0;  // lines of the current file the copy has not
    bool damaged = false;
    QString problem; // why it cannot be put back (damaged)

    // "+3 行 / −1 行", "同じ内容", "今はファイルがありません"
    QString difference() const;
    bool currentMissing = false;
};

// Every copy of the backup folder, the newest first. `notesClean` (when
// given) is false when the notes of why copies were made are garbled.
QList<BackupCopy> listBackups(bool *notesClean = nullptr);

// Puts `copyName` back in place of its data file. Refused, nothing changed,
// when the copy is damaged (not readable in the file's encoding, or a play
// log none of whose lines is a record) or when the current file cannot be
// copied first; the message says why.
text::WriteResult restoreBackup(const QString &copyName, const QDateTime &at);

} // namespace kioku::transfer
