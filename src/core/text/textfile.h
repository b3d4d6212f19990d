#pragma once
// Every data file is read and written here: bare file names in the current
// (working) folder, matched without regard to letter case, code page 932, CR LF.
// Whole-file writes are atomic: a temporary file in the same folder is written,
// flushed and renamed over the old one, so a crash or a full disk never leaves a
// truncated file behind.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kioku::text {

// The path of `name` in the working folder: an existing file whatever the letter
// case of its name ("データ.TXT" finds "データ.txt"), else `name` as spelled.
QString resolve(const QString &name);
bool fileExists(const QString &name);

struct ReadResult {
    QStringList lines;      // without line ends; CR LF or LF accepted; no trailing empty line
    bool exists = false;    // false: the file is missing (lines is empty)
    bool clean = true;      // false: some bytes were not valid and were replaced
    bool readError = false; // the file exists but could not be read
};
ReadResult readLines(const QString &name);
// The whole text of a file (line ends as stored), for free-text files.
ReadResult readAll(const QString &name, QString *text);
// A line of nothing but blanks: readers of record files skip it.
bool isBlankLine(const QString &line);
// The first line of a file that is not blank ("" when there is none, or no
// file): the one line of a small settings file.
QString firstFilledLine(const QString &name);

struct WriteResult {
    bool ok = true;
    QString message; // Japanese, for a message box, when !ok
    explicit operator bool() const { return ok; }
};

// Rewrites the whole file with `lines`, each followed by CR LF. Atomic.
// Refused (nothing written) when a line holds a character code page 932 cannot hold.
WriteResult writeLines(const QString &name, const QStringList &lines);
// Rewrites the whole file with `content` exactly as given (no line ends added). Atomic.
WriteResult writeAll(const QString &name, const QString &content);
// Appends `line` + CR LF, creating the file when missing. When the file does not
// end in a line end (edited by hand), one CR LF is written first so lines never merge.
// A failed append leaves the file as it was (no half line).
WriteResult appendLine(const QString &name, const QString &line);
// Leaves a file of zero length (created when missing). Atomic.
WriteResult emptyFile(const QString &name);
// Rewrites the whole file with `bytes` as they are (already encoded). Atomic.
WriteResult writeBytes(const QString &name, const QByteArray &bytes);

namespace testing {
// Makes the next write of this unit fail half-way through, as a full disk would
// (a whole-file write leaves the old file as it was; an append takes back the
// part of its line that reached the file). Tests only: permissions do not stop
// a process that runs as root.
void failNextWrite(bool fail = true);
} // namespace testing

} // namespace kioku::text
