#pragma once
// The monthly and daily cross tables of the aggregates panel (集計表示): one
// row per calendar month or day of the log, a subtotal column and one column
// per item, in one of three measures. Plain cell texts in, plain cell texts out.
#include "core/playlog/playlog.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace kioku {

// What the cells of a cross table count (the index of its option button).
enum class AggregateMeasure { Time = 0, Counts = 1, TimeAndCounts = 2 };

// The days the views of the whole log cover: from its earliest date to its
// latest, both included, whatever the order of the lines (a clock set back
// between two plays puts a later line before an earlier one). Not valid when
// no record has a date: the views then show no period at all.
struct LogSpan {
    QDate first;
    QDate last;

    bool isValid() const { return first.isValid() && last.isValid() && first <= last; }
    // Calendar days, both ends included (0 when not valid).
    qint64 days() const;
    // Calendar months touched, both ends included (0 when not valid).
    qint64 months() const;
    // Whether a record's date has a period in the span.
    bool contains(const QDate &d) const { return isValid() && d.isValid() && d >= first && d <= last; }
};

LogSpan logSpan(const QString &firstDate, const QString &lastDate);
// The earliest and latest dates among the records; a date text that is not a
// date, or a date no play can have (a year typed wrong by hand, 0001 or 9999,
// which would stretch every view over millions of days), is passed over.
inline const QDate kEarliestPlayDate(1980, 1, 1);
inline const QDate kLatestPlayDate(2099, 12, 31);
LogSpan logSpanOf(const QList<PlayRecord> &records);
// The number of month boundaries crossed from `from` to `to` (2005/12/31 to 2006/01/01 is 1).
qint64 monthBoundaries(const QDate &from, const QDate &to);

struct CrossTable {
    // The data rows, n + 3 cells each: running number, period, subtotal, one cell per item.
    QList<QStringList> rows;
    // Index in `rows` of the total row (the monthly table's last row), -1 when there is none.
    int totalRow = -1;

    // Columns 1 (the period) and 2 (the subtotal) of every row, the total row
    // included, lie on white; the total row's texts from column 1 on are red.
    static bool isWhiteColumn(int col) { return col == 1 || col == 2; }
};

// The text of a subtotal cell ("0:12:05 (3)") and of an item cell ("725 (3)").
QString subtotalText(AggregateMeasure m, qint64 count, qint64 seconds);
QString itemText(AggregateMeasure m, qint64 count, qint64 seconds);

// One row per day of the span ("yy/mm/dd"). A record whose date is not a date
// or lies outside the span is counted nowhere; an item that is not one of
// `items` counts in the subtotal only. Item cells are empty when zero.
CrossTable dailyTable(const QList<PlayRecord> &records, const LogSpan &span, const QStringList &items,
                      AggregateMeasure m);
// One row per calendar month of the span ("yy/mm"), then the total row
// ("合計", every item cell written, zero included). No rows at all when the
// span is not valid.
CrossTable monthlyTable(const QList<PlayRecord> &records, const LogSpan &span, const QStringList &items,
                        AggregateMeasure m);

} // namespace kioku
