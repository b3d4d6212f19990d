#pragma once
// Days of play as the today panel and its calendar show them: the days in a
// row up to today, the longest run of the whole log, this month's practice
// days, and the days a daily goal was met. Computed in one pass over the
// records, which may stand out of date order and with gaps.
#include "core/goal.h"
#include "core/playlog/playlog.h"
#include "core/stats/logsummary.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace kioku {

// One day of the log with a play: any record with a valid date counts, an
// item that is not one of the games included (the calendar counts it too);
// the seconds and kinds are those of the known games, as the day's total and
// lamps count them.
struct PlayDay {
    qint64 julianDay = 0;
    qint64 seconds = 0; // whole seconds of the known games, rounded half-even at every addition
    int kinds = 0;      // known games played that day
};

// The days with a play, oldest first, each once; the seconds and kinds are
// added up only for the days from … to (the days a calendar page shows: a
// goal needs no more, and a decade of play is read at the cost of its dates).
QList<PlayDay> playDays(const QList<PlayRecord> &records, const QDate &from = {}, const QDate &to = {},
                        const QStringList &items = itemNames());

// The same from the summary the main window holds: its days of play, with
// the games added up only over the records of the days from … to.
QList<PlayDay> playDays(const LogSummary &log, const QDate &from, const QDate &to);

// The day of a "yyyy/mm/dd" date text as a julian day, 0 when it is not a date.
qint64 playJulianDay(const QString &date);

struct HabitSummary {
    // Days in a row with a play ending today when today has one, else
    // yesterday; 0 otherwise. streakFirst … streakLast is that run (invalid
    // dates when there is none).
    int streak = 0;
    QDate streakFirst, streakLast;
    int longest = 0;    // the longest run of the whole log
    int monthDays = 0;  // days of today's month up to today with a play
    int monthSoFar = 0; // days of today's month up to today
    // The days the goal was met, oldest first (none without a goal), among
    // the days whose games were added up.
    QList<QDate> goalDays;
};

HabitSummary summarizeHabit(const QList<PlayDay> &days, const QDate &today, const DailyGoal &goal = {});

// How far a day is toward the goal.
struct GoalProgress {
    int done = 0;   // whole minutes, or kinds
    int target = 0; // the goal's value
    bool met = false;
    QString text; // "8 / 10 分", "3 / 5 種類"
};
GoalProgress goalProgress(const DailyGoal &goal, qint64 daySeconds, int kinds);
bool goalMet(const DailyGoal &goal, qint64 daySeconds, int kinds);

} // namespace kioku
