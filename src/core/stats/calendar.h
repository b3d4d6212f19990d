#pragma once
// The practice calendar (カレンダー): the plays of every day in a month-by-day
// table and a week-by-weekday table, each cell coloured by its number of
// plays, the days counted per colour band, and the plays and whole seconds
// per weekday.
#include "core/playlog/playlog.h"
#include "core/stats/aggregates.h"

#include <QList>
#include <QStringList>

namespace kioku {

inline constexpr int kCalendarBands = 7;

// The band of a cell with `plays` plays: 0 for none, 1 for 1-2, 2 for 3-4,
// 3 for 5-6, 4 for 7-8, 5 for 9-10, 6 for 11 or more.
int calendarBand(qint64 plays);
// The back colour of a band as 0xRRGGBB: light red, light orange, light
// yellow, light green, light cyan, light blue for bands 1 to 6. Band 0 (and
// any other) has none: 0 is returned and the cell is left uncoloured.
quint32 bandColor(int band);
// The legend text of a band: "0回：3日", "1-2回：12日" … "9-10回：1日", "10超：2日".
QString legendText(int band, qint64 days);
// 日 月 火 水 木 金 土: the weekday columns and chart points, Sunday first.
QStringList weekdayLetters();

struct CalendarTable {
    // Column 0 the row's label, then one cell per column: the plays as text, "" when none.
    QList<QStringList> rows;
    // The plays of each cell, [row][column - 1].
    QList<QList<qint64>> plays;
};

struct CalendarSummary {
    // One row per calendar month of the span ("2006年01月"), a column per day of month 1 … 31.
    CalendarTable months;
    // One row per week from the Sunday on or before the first play ("06年01月01日"),
    // a column per weekday, Sunday first.
    CalendarTable weeks;
    qint64 spanDays = 0; // days from the first play to the last, both included
    // Days per band in the month table; band 0 is the days of the span without a play (never below 0).
    QList<qint64> bandDays = QList<qint64>(kCalendarBands, 0);
    // The seven legend texts; "0回：0日" … "10超：0日" for an empty log.
    QStringList legend;
    // Plays and whole seconds (half-even at every addition) per weekday, Sunday first.
    QList<qint64> weekdayPlays = QList<qint64>(7, 0);
    QList<qint64> weekdaySeconds = QList<qint64>(7, 0);
};

// A record whose date is not a date or lies outside the span is counted
// nowhere (no cell, no band, no weekday). An invalid span gives empty tables,
// the zero legend and seven zero weekdays.
CalendarSummary summarizeCalendar(const QList<PlayRecord> &records, const LogSpan &span);

} // namespace kioku
