#pragma once
// What the conditional list shows: the plays of the log that pass an item
// keyword, a weekday and a period of dates (each condition on or off), one
// row per play, and the whole seconds per item within those rows.
#include "core/playlog/playlog.h"
#include "core/stats/playrows.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace kioku {

// The weekday filter of "any weekday".
inline constexpr int kAnyWeekday = 99;

struct RangeFilter {
    // The period: first ≤ date ≤ last, compared as texts character by
    // character ("yyyy/mm/dd" texts compare in date order; a typed text of
    // another shape simply compares as text).
    bool byPeriod = false;
    QString firstDate;
    QString lastDate;
    // A case-sensitive part of the item name; empty for any item.
    QString keyword;
    // 0 = Sunday … 6 = Saturday, or kAnyWeekday.
    int weekday = kAnyWeekday;

    bool passes(const PlayRecord &r) const;
};

struct RangeList {
    // The cells of the play list: number from 1, date, time, weekday letter,
    // item, seconds. A date that is no calendar date has no weekday letter.
    // The plays are shared with the log; each row's texts are computed as it is shown.
    std::shared_ptr<const PlayRows> rows;
    // Whole seconds per item name, in the order of the item names: every
    // seconds value is added and rounded half to even at once. An item that
    // is not one of the names is listed but counted nowhere.
    QList<qint64> itemSeconds;
    // The cells of the summary: one row per item name, also at 0 seconds:
    // name, whole seconds, "h:mm:ss".
    QList<QStringList> summary;
};

RangeList listPlays(const QList<PlayRecord> &records, const RangeFilter &filter,
                    const QStringList &items = itemNames());

// The weekday of a date text, 0 = Sunday … 6 = Saturday; -1 when the text is
// no calendar date ("yyyy/mm/dd", also "yyyy/m/d").
int weekdayOf(const QString &dateText);

// The dates of the log as the period lists offer them: a record's date text
// whenever it differs from the record before (the log is in time order, so
// each day once).
QStringList loggedDates(const QList<PlayRecord> &records);

// A period button: the period runs from `daysBack` days before today through today.
struct PeriodButton {
    const char *name;
    const char *caption;
    int daysBack;
};
// The eight period buttons in the order they are laid out.
const QList<PeriodButton> &periodButtons();
// The first date of a period that ends today, as "yyyy/mm/dd".
QString periodStart(const QDate &today, int daysBack);

} // namespace kioku
