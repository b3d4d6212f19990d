#include "core/transfer/monthfigures.h"

#include "core/text/formats.h"
#include "core/text/recordline.h"

namespace kioku {

QString MonthFigures::monthText() const
{
    return QStringLiteral("%1年%2月").arg(month.year()).arg(month.month());
}

QString MonthFigures::title() const
{
    return monthText() + QStringLiteral("の記録");
}

QString otherItemsName()
{
    return QStringLiteral("その他");
}

MonthFigures monthFigures(const QList<PlayRecord> &records, const QDate &month, const QDate &today,
                          const QStringList &items)
{
    MonthFigures f;
    f.month = QDate(month.year(), month.month(), 1);
    const int dayCount = f.month.daysInMonth();
    f.days.resize(dayCount);
    for (int d = 0; d < dayCount; ++d)
        f.days[d].date = f.month.addDays(d);

    QList<TotalsItem> games;
    for (const QString &name : items)
        games.append(TotalsItem{name, 0, 0, 0});
    TotalsItem other{otherItemsName(), 0, 0, 0};

    for (const PlayRecord &r : records) {
        const QDate d = text::parseDateSlash(r.date);
        if (!d.isValid() || d.year() != f.month.year() || d.month() != f.month.month())
            continue;
        // The seconds as the lists show them, so the report adds up what they say.
        const double secs = text::leadingNumber(text::shortestFloat(r.seconds));
        TotalsDay &day = f.days[d.day() - 1];
        ++day.count;
        day.seconds = text::roundHalfEven(double(day.seconds) + secs);
        if (secs > double(day.max))
            day.max = text::roundHalfEven(secs);

        TotalsItem *item = &other;
        for (TotalsItem &g : games) {
            if (g.name == r.item) {
                item = &g;
                break;
            }
        }
        ++item->count;
        item->seconds = text::roundHalfEven(double(item->seconds) + secs);
        if (secs > double(item->max))
            item->max = text::roundHalfEven(secs);

        ++f.plays;
        f.seconds = text::roundHalfEven(double(f.seconds) + secs);
    }

    for (const TotalsItem &g : std::as_const(games))
        if (g.count != 0)
            f.items.append(g);
    if (other.count != 0)
        f.items.append(other);

    for (const TotalsDay &day : std::as_const(f.days)) {
        if (day.count != 0) {
            ++f.daysPlayed;
            ++f.bandDays[calendarBand(day.count)];
        } else if (day.date <= today) {
            ++f.bandDays[0];
        }
    }
    for (int b = 0; b < kCalendarBands; ++b)
        f.legend.append(legendText(b, f.bandDays.at(b)));
    return f;
}

QList<QDate> reportMonths(const LogSpan &span, const QDate &today)
{
    const QDate now(today.year(), today.month(), 1);
    QDate first = now;
    QDate last = now;
    if (span.isValid()) {
        first = qMin(now, QDate(span.first.year(), span.first.month(), 1));
        last = qMax(now, QDate(span.last.year(), span.last.month(), 1));
    }
    QList<QDate> months;
    for (QDate m = last; m >= first; m = m.addMonths(-1))
        months.append(m);
    return months;
}

} // namespace kioku
