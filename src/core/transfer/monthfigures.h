#pragma once
// The figures of the monthly report: the plays of each day of one month with
// the calendar's colour bands, the totals per game and of the whole month.
// The report is painted from these in the UI layer.
#include "core/game/catalogue.h"
#include "core/playlog/playlog.h"
#include "core/stats/aggregates.h"
#include "core/stats/calendar.h"
#include "core/stats/totals.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

struct MonthFigures {
    QDate month; // the first day of the month
    // Every day of the month, the 1st first; seconds rounded as the totals view rounds them.
    QList<TotalsDay> days;
    // Days per colour band (calendarBand()). Band 0 counts the days without a
    // play up to today only: the days still to come are no days missed.
    QList<qint64> bandDays = QList<qint64>(kCalendarBands, 0);
    QStringList legend; // legendText() of each band
    // The games played in the month, in item order; plays of an item the
    // program does not know come last, together, as "その他".
    QList<TotalsItem> items;
    qint64 plays = 0;
    qint64 seconds = 0; // whole seconds, half-even at every addition
    qint64 daysPlayed = 0;

    // "2026年12月の記録"
    QString title() const;
    // "2026年12月"
    QString monthText() const;
};

// The name of the row of plays whose item is none of the games.
QString otherItemsName();

// The figures of the month of `month` (any day of it) from `records`; a
// record whose date is not a date is in no month.
MonthFigures monthFigures(const QList<PlayRecord> &records, const QDate &month, const QDate &today,
                          const QStringList &items = itemNames());

// The months a report can be made of, newest first: from the month of the
// first play to that of the last play or of today, whichever is later; only
// today's month for an empty log.
QList<QDate> reportMonths(const LogSpan &span, const QDate &today);

} // namespace kioku
