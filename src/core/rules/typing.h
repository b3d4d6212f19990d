#pragma once
// What the three typing games share: the play modes and the history fields.
#include "core/game/history.h"
#include "core/playlog/playlog.h"

#include <QDateTime>

#include <QList>
#include <QStringList>

namespace kioku::rules {

// The program-wide play mode: a timed play runs against the time limit, a
// counted play until the set number of answers.
enum class PlayMode : qint16 { Counted = 0, Timed = 1 };

// The play modes offered, as the settings line stores them: "秒数" (timed), "答数" (counted).
const QStringList &playModeItems();
PlayMode playModeOf(const QString &item);
QString playModeItem(PlayMode mode);

// Characters per second: typed characters ÷ seconds (single precision) as "0.00/秒".
QString perSecondText(int typedCharacters, float seconds);
// The correct rate right ÷ (right + wrong) as "0.0%"; "0.0%" when nothing was answered.
QString typingRate(int right, int wrong);
// Seconds as the history shows them: the shortest text followed by "秒" ("60秒", "41.3秒").
QString secondsText(float seconds);

// Whole seconds left of a timed play of `playSeconds`, `elapsedMs` after it
// began at a time of day `startMs` milliseconds past a whole second: the play
// ends when the time of day's whole seconds reach those at its start plus the
// play seconds. Counted in milliseconds, so it never stalls at midnight and
// no rounding of a fraction moves the end.
int remainingSeconds(int playSeconds, int startMs, qint64 elapsedMs);

// A finished typing play as it is saved.
struct TypingResult {
    QDateTime saved;
    int right = 0;
    int wrong = 0;
    int typed = 0;     // characters of the answers judged right
    float seconds = 0; // the play seconds (timed) or the elapsed seconds (counted)
};
// The nine fields every typing history starts with: date, time, answers,
// right, wrong, typed characters, rate, characters per second, seconds.
QStringList typingHistoryStart(const TypingResult &r);
// The play-log record of a typing play with its comment.
PlayRecord typingPlayRecord(const TypingResult &r, const QString &itemName, const QString &comment);

// The ten history fields of time-lag and cycle typing: date, time, answers,
// right, wrong, letters, rate, per second, seconds, and a last field in `last` form.
QList<FieldForm> typingHistoryFields(FieldForm last);

} // namespace kioku::rules
