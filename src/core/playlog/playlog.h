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
};

// Reads the whole log; a missing file reads as an empty log. Blank lines are skipped.
PlayLog readPlayLog();
// Appends one record as a game line.
text::WriteResult appendPlayRecord(const PlayRecord &r);
// Rewrites the whole log from `records` in their order (rewrite lines). Atomic.
// Refused, the file untouched, while the log on disk holds bytes that are not
// code page 932 (or cannot be read): a rewrite would lose them.
// The log as it was is first copied into the backup folder, named by the
// clock's time; when that copy cannot be made the rewrite is refused too.
text::WriteResult rewritePlayLog(const QList<PlayRecord> &records, const Clock &clock);
// Leaves an empty log, whatever it held (the new start), after the same copy:
// no copy, no emptying.
text::WriteResult emptyPlayLog(const Clock &clock);

} // namespace kioku
