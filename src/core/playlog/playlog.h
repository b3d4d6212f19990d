#pragma once
// The play log "データ.txt": one PlayRecord per saved play, oldest first.
// Games append; the main window reads it whole for every screen it builds and
// rewrites it (row deletion, diary) atomically, each time after a copy of the
// log as it was (core/backup.h).
#include "core/game/catalogue.h"
#include "core/text/textfile.h"
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

class Clock;

inline const QString kPlayLogFile = QStringLiteral("データ.txt");

struct PlayRecord {
    QString date; // "yyyy/mm/dd"
    QString time; // "HH:MM:SS"
    QString item; // game name
    float seconds = 0;
    QString comment;  // 一言日記: a game's result summary, or the user's own text
    QString reserved; // always empty

    // Reads one line; a short or garbled line gives empty texts and 0.
    static PlayRecord parse(const QString &line);
    // The line a game appends: ends in a bare comma.
    QString gameLine() const;
    // The line a rewrite writes: ends in a comma and an empty quoted text.
    QString rewriteLine() const;
    bool operator==(const PlayRecord &o) const;
    bool operator!=(const PlayRecord &o) const { return !(*this == o); }
};

struct PlayLog {
    QList<PlayRecord> records;
    bool clean = true;      // false: the file held bytes that are not code page 932
    bool readError = false; // the file exists but could not be read
    QString readFailure;    // why, in Japanese (readError only)
    bool cutTail = false;   // a last line cut off in its writing was left out
    // Lines longer than kLongestRecordLine, passed over unread (and the log
    // then not clean: a rewrite would lose them).
    qsizetype longLines = 0;
};

// No record line is anywhere near a megabyte (a diary line is a few hundred
// bytes): a longer line is damage, and is never held in memory.
inline constexpr qsizetype kLongestRecordLine = 1024 * 1024;

// Whether `line` (a line of the log without its line end, as code page 932 or
// UTF-8 bytes, or as text) is a whole record: at least its five fields, every
// field that opens a double quote closes it, and the fifth field either stands
// in closed quotes or is followed by a comma. A line that a crash cut off in
// the middle of its writing never is (its quote stays open, or fields are
// missing).
bool isWholeRecordLine(QByteArrayView line);
bool isWholeRecordLine(QStringView line);

// Reads the whole log; a missing file reads as an empty log. Blank lines are
// skipped, and so is a last line without its line end that is not a whole
// record (a record cut off by a crash while it was appended): it never becomes
// a record, and bytes of it are never taken for a damaged log.
PlayLog readPlayLog();

// The file beside the log that keeps the cut-off last lines moved out of it,
// each followed by CR LF: "データ.txt.断片".
inline const QString kFragmentSuffix = QStringLiteral(".断片");

struct TailRecovery {
    enum class Outcome {
        Nothing, // the log ends in a line end, or its last line is a whole record (or blank)
        Moved,   // the cut-off last line was moved into the fragment file
        Failed,  // there is one, but it could not be moved
    };
    Outcome outcome = Outcome::Nothing;
    QByteArray tail; // the bytes of the cut-off line
    QString message; // Japanese, for the user: Moved and Failed
};

// Moves a last line of the log that has no line end and is not a whole record
// out of the log, byte for byte, to the end of the fragment file (created when
// missing): the fragment file is rewritten atomically first, then the log is
// cut back to its last line end. A crash in between leaves the line in both;
// the next recovery finds it already at the end of the fragment file and only
// cuts the log. Run at start-up, before the log is read.
TailRecovery recoverPlayLogTail();
// Appends one record as a game line.
text::WriteResult appendPlayRecord(const PlayRecord &r);
// Rewrites the whole log from `records` in their order (rewrite lines). Atomic.
// Refused, the file untouched, while the log on disk holds bytes that are not
// code page 932 (or cannot be read): a rewrite would lose them. A cut-off last
// line is moved out first (recoverPlayLogTail()); when it cannot be, the
// rewrite is refused too.
// The log as it was is first copied into the backup folder, named by the
// clock's time; when that copy cannot be made the rewrite is refused too.
text::WriteResult rewritePlayLog(const QList<PlayRecord> &records, const Clock &clock);
// Leaves an empty log, whatever it held (the new start), after the same copy:
// no copy, no emptying.
text::WriteResult emptyPlayLog(const Clock &clock);

} // namespace kioku
