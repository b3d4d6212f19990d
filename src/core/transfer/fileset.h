#pragma once
// Several data files changed as one: every new file is written in full
// beside its place first, the files about to change are copied into the
// backup folder, and only then is each renamed into place. A failure before
// the renames leaves every file as it was; a rename that fails part-way puts
// back the files already renamed, from the bytes they had. The copies carry a
// note of why they were made (バックアップ/コピーの理由.txt), which the
// restore window shows.
#include "core/text/textfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku::transfer {

struct FileChange {
    QString name;     // bare name in the working folder, as it is spelled there when it exists
    QByteArray bytes; // the new content, whole
    bool existed = false;
    QByteArray oldBytes; // the content it had (when it existed)
};

// Why copies are made; shown beside each copy in the restore window.
inline const QString kNotesFile = QStringLiteral("コピーの理由.txt");

// Writes every change, or none. `reason` is noted for each copy made before
// the change ("取り込みの前"). The message of a failure names the file and why.
text::WriteResult replaceFiles(const QList<FileChange> &changes, const QDateTime &at, const QString &reason);

// The reason given for each copy of the backup folder, by copy name.
// `clean` (when given) is false when the notes hold bytes that are not code
// page 932: they are then never rewritten, and the reasons they would have
// given are left unsaid.
QHash<QString, QString> readNotes(bool *clean = nullptr);

namespace testing {
// Makes the rename of the `n`-th file (from 0) of the next replaceFiles() fail
// as a vanished folder would. Tests only; -1 turns it off.
void failRenameAt(int n);
} // namespace testing

} // namespace kioku::transfer
