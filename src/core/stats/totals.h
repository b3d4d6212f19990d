#pragma once
// The whole log at a glance (the totals view, 全グラフ): every play in log
// order, the totals per game and a series of every calendar day from the
// first play to the last. All counters are 64-bit: a log kept for years holds
// more plays, more seconds and more days than 16 bits can count.
#include "core/playlog/playlog.h"
#include "core/stats/playrows.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <memory>

namespace kioku {

// The totals of one game over the whole log.
struct TotalsItem {
    QString name;
    qint64 count = 0;
    qint64 seconds = 0; // whole seconds, rounded half-even at every addition
    qint64 max = 0;     // longest single play, whole seconds (rounded half-even)
    // Seconds per play in single precision (0 without play).
    float average() const { return count == 0 ? 0.0f : float(seconds) / float(count); }
};

// The plays of one calendar day.
struct TotalsDay {
    QDate date;
    qint64 count = 0;
    qint64 seconds = 0; // whole seconds, rounded half-even at every addition
    qint64 max = 0;
    float average() const { return count == 0 ? 0.0f : float(seconds) / float(count); }
};

struct Totals {
    // Every record in log order, as the list of plays shows it: number from 1,
    // date, time, item, seconds ("42.5").
    // Shared with the log, each row's texts computed as it is shown.
    std::shared_ptr<const PlayRows> plays;
    QList<TotalsItem> items; // games played at least once, in item-name order
    // Every calendar day from the date of the first record to that of the last
    // (none when either is not a date, or the last lies before the first).
    QList<TotalsDay> days;
    // Records counted in no day: their date is not a date, or lies outside
    // the span of the days (a log put out of order by hand).
    qint64 unplaced = 0;

    // The cell texts of the other two lists, each row led by its number from 1.
    // Items: number, name, count, seconds, "h:mm:ss", longest, average ("33.3").
    QList<QStringList> itemRows() const;
    // Days: number, "yyyy/mm/dd", count, seconds, longest, average ("0.0" on a day without play).
    QList<QStringList> dayRows() const;
};

// The totals of `records` (oldest first). A record whose item is not among
// `items` is listed and counted in its day, but belongs to no item total.
Totals summarizeTotals(const QList<PlayRecord> &records, const QStringList &items = itemNames());

} // namespace kioku
