#include "core/stats/totals.h"

#include "core/stats/aggregates.h"
#include "core/text/formats.h"
#include "core/text/recordline.h"

namespace kioku {

Totals summarizeTotals(const QList<PlayRecord> &records, const QStringList &items)
{
    Totals t;
    t.plays = std::make_shared<PlayRows>(
        records,
        QList<PlayField>{PlayField::Number, PlayField::Date, PlayField::Time, PlayField::Item, PlayField::Seconds});
    if (records.isEmpty())
        return t;

    QList<TotalsItem> acc;
    acc.reserve(items.size());
    for (const QString &name : items)
        acc.append(TotalsItem{name, 0, 0, 0});

    for (const PlayRecord &r : records) {
        for (TotalsItem &i : acc) {
            if (i.name != r.item)
                continue;
            ++i.count;
            // Rounded at every addition, halves to even: 2.5 + 2.5 gives 2, then 4.
            i.seconds = text::roundHalfEven(double(i.seconds) + double(r.seconds));
            if (double(i.max) < double(r.seconds))
                i.max = text::roundHalfEven(double(r.seconds));
        }
    }
    for (const TotalsItem &i : std::as_const(acc))
        if (i.count != 0)
            t.items.append(i);

    // The days run from the log's earliest date to its latest. Each record
    // goes to the day of its own date, so a line out of order (a clock set
    // back, a line moved by hand) lands on its day like every other.
    const LogSpan logDays = logSpanOf(records);
    const QDate first = logDays.first;
    const qint64 span = logDays.days();
    if (span > 0) {
        t.days.resize(span);
        for (qint64 k = 0; k < span; ++k)
            t.days[k].date = first.addDays(k);
    }
    for (const PlayRecord &r : records) {
        const QDate d = text::parseDateSlash(r.date);
        const qint64 k = d.isValid() && span > 0 ? first.daysTo(d) : -1;
        if (k < 0 || k >= span) {
            ++t.unplaced;
            continue;
        }
        TotalsDay &day = t.days[k];
        // The seconds as the list of plays shows them, so the days add up
        // exactly what the list beside them says.
        const double secs = text::leadingNumber(text::shortestFloat(r.seconds));
        ++day.count;
        day.seconds = text::roundHalfEven(double(day.seconds) + secs);
        if (secs > double(day.max))
            day.max = text::roundHalfEven(secs);
    }
    return t;
}

QList<QStringList> Totals::itemRows() const
{
    QList<QStringList> rows;
    rows.reserve(items.size());
    int n = 0;
    for (const TotalsItem &i : items)
        rows.append({QString::number(++n), i.name, QString::number(i.count), QString::number(i.seconds),
                     text::formatHms(i.seconds), QString::number(i.max), text::format0_0(double(i.average()))});
    return rows;
}

QList<QStringList> Totals::dayRows() const
{
    QList<QStringList> rows;
    rows.reserve(days.size());
    qint64 n = 0;
    for (const TotalsDay &d : days)
        rows.append({QString::number(++n), text::dateSlash(d.date), QString::number(d.count),
                     QString::number(d.seconds), QString::number(d.max), text::format0_0(double(d.average()))});
    return rows;
}

} // namespace kioku
