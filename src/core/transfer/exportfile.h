#pragma once
// Files written out of the data folder, to a place the player chose: the
// records as CSV, the monthly report as PDF. A file written out is either
// there whole or not at all, and a file of the same name is replaced only by
// a whole new one: each is written to a temporary file beside its place and
// synced first, and only when every file of the set is written are they
// renamed into place. A failure (a full disk, a folder that cannot be
// written) removes the temporary files and leaves the places as they were.
#include "core/text/textfile.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kioku {

struct ExportFile {
    QString path; // absolute, or relative to the working folder
    QByteArray bytes;
};

text::WriteResult writeExportFiles(const QList<ExportFile> &files);

// Why `path` could not be written, in Japanese: from the system's error and
// from what lies there (no such folder, a folder of that name, no permission,
// a full disk).
QString exportFailureReason(const QString &path, int systemError);

} // namespace kioku
