#pragma once
// Every data file is read and written here: bare file names in the current
// (working) folder, matched without regard to letter case, code page 932, CR LF.
// Whole-file writes are atomic: a temporary file in the same folder is written,
// flushed and renamed over the old one, so a crash or a full disk never leaves a
// truncated file behind.
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

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
    QString reason;         // why it could not be read, in Japanese (readError only)
};
ReadResult readLines(const QString &name);

// Why `path` could not be read or written, in Japanese, for a message that
// names the file: from the error the system gave (errno) and from what lies at
// `path` (a folder of that name, a file or folder without permission).
QString readFailureReason(const QString &path, int systemError);
// Whether `path` may be opened at all: missing, or a regular file (also behind
// a link). A named pipe would hold the program in open() for good, a device
// would give or take bytes without end: neither is ever opened.
bool isOpenable(const QString &path);
QString writeFailureReason(const QString &path, int systemError);
// The message for a file that could not be read: "「name」を読み込めませんでした。"
// and the reason on the next line.
QString readFailureMessage(const QString &name, const ReadResult &r);

// The whole text of a file (line ends as stored), for free-text files.
ReadResult readAll(const QString &name, QString *text);
// A line of nothing but blanks: readers of record files skip it.
bool isBlankLine(QStringView line);
// The first line of a file that is not blank ("" when there is none, or no
// file): the one line of a small settings file. `status` (when given) gets
// exists, clean, readError and reason of the file.
QString firstFilledLine(const QString &name, ReadResult *status = nullptr);

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
// The bytes go to the file in one write, so a crash leaves the line whole or
// cut, never interleaved. A failed append leaves the file as it was (no half line).
// A file in UTF-8 with a byte-order mark (saved so by an editor) is first put
// into code page 932: it is rewritten whole, atomically, with the new line at
// its end, so it never holds two encodings; a character of it that code page
// 932 cannot hold refuses the append, the file untouched.
WriteResult appendLine(const QString &name, const QString &line);
// What it takes to undo an append that succeeded: the length of the file
// before the line (for a file the append rewrote from UTF-8, the length of
// its text in code page 932 before the line), or that the append made it.
struct AppendUndo {
    QString path;
    bool created = false; // the append made the file
    qint64 oldSize = -1;  // the length to cut back to
};
WriteResult appendLine(const QString &name, const QString &line, AppendUndo *undo);
// Puts the file back as it was before the append `undo` describes (synced).
WriteResult undoAppend(const AppendUndo &undo);
// Leaves a file of zero length (created when missing). Atomic.
WriteResult emptyFile(const QString &name);
// Rewrites the whole file with `bytes` as they are (already encoded). Atomic.
WriteResult writeBytes(const QString &name, const QByteArray &bytes);

namespace testing {
// The block size of ByteLineReader (0: the normal one), so that tests can put
// the ends of blocks anywhere in a line.
void setReadBlockSize(qsizetype bytes);
} // namespace testing

} // namespace kioku::text
