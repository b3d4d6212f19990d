#include "aggregates.h"

#include "core/text/formats.h"

#include <functional>

namespace kioku {

qint64 LogSpan::days() const
{
    return isValid() ? first.daysTo(last) + 1 : 0;
}

qint64 LogSpan::months() const
{
    return isValid() ? monthBoundaries(first, last) + 1 : 0;
}

LogSpan logSpan(const QString &firstDate, const QString &lastDate)
{
    return LogSpan{text::parseDateSlash(firstDate), text::parseDateSlash(lastDate)};
}

LogSpan logSpanOf(const QList<PlayRecord> &records)
{
    LogSpan span;
    QString previous; // the plays of a day share one date text: each is parsed once
    for (const PlayRecord &r : records) {
        if (r.date.isSharedWith(previous) || r.date == previous)
            continue;
        previous = r.date;
        const QDate d = text::parseDateSlash(r.date);
        if (!d.isValid() || d < kEarliestPlayDate || d > kLatestPlayDate)
            continue;
        if (!span.first.isValid() || d < span.first)
            span.first = d;
        if (!span.last.isValid() || d > span.last)
            span.last = d;
    }
    return span;
}

qint64 monthBoundaries(const QDate &from, const QDate &to)
{
    return qint64(to.year() - from.year()) * 12 + (to.month() - from.month());
}

QString subtotalText(AggregateMeasure m, qint64 count, qint64 seconds)
{
    switch (m) {
    case AggregateMeasure::Counts:
        return QString::number(count);
    case AggregateMeasure::Time:
        return text::formatHms(seconds);
    case AggregateMeasure::TimeAndCounts:
        break;
    }
    return text::formatHms(seconds) + QStringLiteral(" (") + QString::number(count) + QLatin1Char(')');
}

QString itemText(AggregateMeasure m, qint64 count, qint64 seconds)
{
    switch (m) {
    case AggregateMeasure::Counts:
        return QString::number(count);
    case AggregateMeasure::Time:
        return QString::number(seconds);
    case AggregateMeasure::TimeAndCounts:
        break;
    }
    return QString::number(seconds) + QStringLiteral(" (") + QString::number(count) + QLatin1Char(')');
}

namespace {

// Plays and whole seconds of one cell. The seconds are taken to the nearest
// whole number after every play, halves to even, so a table adds up the way
// the other views do (2.5 + 2.5 gives 2, then 4).
struct Cell {
    qint64 count = 0;
    qint64 seconds = 0;

    void add(float s)
    {
        ++count;
        seconds = text::roundHalfEven(double(seconds) + double(s));
    }
    void add(const Cell &c)
    {
        count += c.count;
        seconds += c.seconds;
    }
};

// An item cell is written only when what the measure shows is not zero: a
// cell whose plays come to 0 whole seconds stays empty in the time measures.
QString itemCell(AggregateMeasure m, const Cell &c)
{
    const qint64 shown = m == AggregateMeasure::Counts ? c.count : c.seconds;
    return shown == 0 ? QString() : itemText(m, c.count, c.seconds);
}

struct Periods {
    QList<Cell> subtotal;    // per period
    QList<QList<Cell>> item; // per period, per item
};

// Accumulates every record into its period; `periodOf` gives the period index
// (from 0) of a date inside the span.
Periods accumulate(const QList<PlayRecord> &records, const LogSpan &span, const QStringList &items, qint64 periods,
                   const std::function<qint64(const QDate &)> &periodOf)
{
    Periods p;
    p.subtotal.resize(periods);
    p.item.fill(QList<Cell>(items.size()), periods);
    for (const PlayRecord &r : records) {
        const QDate d = text::parseDateSlash(r.date);
        // A date that is no date, or outside the span, has no row to go to.
        if (!span.contains(d))
            continue;
        const qint64 i = periodOf(d);
        p.subtotal[i].add(r.seconds);
        for (qsizetype k = 0; k < items.size(); ++k) {
            if (items.at(k) == r.item)
                p.item[i][k].add(r.seconds);
        }
    }
    return p;
}

} // namespace

CrossTable dailyTable(const QList<PlayRecord> &records, const LogSpan &span, const QStringList &items,
                      AggregateMeasure m)
{
    CrossTable t;
    const qint64 days = span.days();
    if (days <= 0)
        return t;
    const Periods p = accumulate(records, span, items, days, [&](const QDate &d) { return span.first.daysTo(d); });
    t.rows.reserve(days);
    for (qint64 i = 0; i < days; ++i) {
        QStringList cells;
        cells.reserve(items.size() + 3);
        cells << QString::number(i + 1) << text::dateShort(span.first.addDays(i))
              << subtotalText(m, p.subtotal.at(i).count, p.subtotal.at(i).seconds);
        for (const Cell &c : p.item.at(i))
            cells << itemCell(m, c);
        t.rows.append(std::move(cells));
    }
    return t;
}

CrossTable monthlyTable(const QList<PlayRecord> &records, const LogSpan &span, const QStringList &items,
                        AggregateMeasure m)
{
    CrossTable t;
    const qint64 months = span.months();
    if (months <= 0)
        return t;
    const Periods p =
        accumulate(records, span, items, months, [&](const QDate &d) { return monthBoundaries(span.first, d); });
    Cell grand;
    QList<Cell> itemTotals(items.size());
    t.rows.reserve(months + 1);
    for (qint64 i = 0; i < months; ++i) {
        const Cell &sub = p.subtotal.at(i);
        grand.add(sub);
        QStringList cells;
        cells.reserve(items.size() + 3);
        cells << QString::number(i + 1) << text::monthShort(span.first.addMonths(int(i)))
              << subtotalText(m, sub.count, sub.seconds);
        for (qsizetype k = 0; k < items.size(); ++k) {
            const Cell &c = p.item.at(i).at(k);
            itemTotals[k].add(c);
            cells << itemCell(m, c);
        }
        t.rows.append(std::move(cells));
    }
    QStringList total;
    total << QString() << QStringLiteral("合計") << subtotalText(m, grand.count, grand.seconds);
    for (const Cell &c : std::as_const(itemTotals))
        total << itemText(m, c.count, c.seconds);
    t.totalRow = int(t.rows.size());
    t.rows.append(std::move(total));
    return t;
}

} // namespace kioku
