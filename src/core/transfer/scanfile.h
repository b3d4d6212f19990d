#pragma once
// Reading one file of a folder for the import and the restore: its bytes,
// whether they are code page 932 or UTF-8 with its mark (nothing else is
// guessed at), its lines, and which of them hold a record.
#include "core/game/catalogue.h"
#include "core/rules/iconconcentration.h"
#include "core/transfer/import.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kioku::transfer {

// Files larger than this are no data file of the program's; they are not read.
inline constexpr qint64 kLargestDataFile = 512LL * 1024 * 1024;

struct ScannedText {
    QStringList lines;    // without line ends
    bool readable = true; // false: could not be read, or not in either encoding
    QString problem;      // why, in Japanese
    bool lastLineEnded = true;
};

// Reads the whole file at `path` (never a pipe or a device). False with a
// Japanese reason when it cannot.
bool readWhole(const QString &path, QByteArray *bytes, QString *reason);
// Decodes a data file's bytes: UTF-8 when they start with its mark, else code
// page 932; a byte of neither makes it unreadable.
ScannedText decodeText(const QByteArray &bytes);

// What `path` in the imported folder holds, as a file of `kind` named `name` in the data folder.
FoundFile scanFile(const QString &path, FileKind kind, int game, const QString &name);
// The data folder's file at `path` as it is now; `existed` and `bytes` tell
// what is there. With `decode` false only the bytes are read (pictures).
ScannedText readCurrent(const QString &path, bool *existed, QByteArray *bytes, bool decode = true);

// yyyymmddHHMMSS of a date "yyyy/mm/dd" (also "yyyy/m/d") and a time "HH:MM:SS" (also "H:MM:SS"); -1 when not.
qint64 stampOf(QStringView date, QStringView time);
// The fields of a game's history lines.
int historyFieldCount(Game game);
// One line of icon concentration's records; false when it is not one.
bool parseLevelRecord(const QString &line, rules::LevelRecord *record);
// Whether a play-log line is a whole record with a date and a time.
bool isPlayLogRecord(QStringView line);
// Whether a history line has a date and a time and all its quotes closed.
bool isHistoryRecord(QStringView line);

} // namespace kioku::transfer
