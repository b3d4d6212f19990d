#include "today.h"

#include "core/text/formats.h"

namespace kioku {

DaySummary summarizeDay(const QList<PlayRecord> &records, const QDate &day, const QStringList &items)
{
    DaySummary s;
    if (records.isEmpty())
        return s;
    s.logEmpty = false;
    s.firstDate = records.first().date;
    s.lastDate = records.last().date;

    QList<ItemTotal> acc;
    acc.reserve(items.size());
    for (const QString &name : items)
        acc.append(ItemTotal{name, 0, 0});

    const QString dayText = text::dateSlash(day);
    for (const PlayRecord &r : records) {
        if (r.date != dayText)
            continue;
        s.plays.append(DayPlay{r.time, r.item, r.seconds});
        if (r.seconds > s.maxSeconds)
            s.maxSeconds = r.seconds;
        for (ItemTotal &t : acc) {
            if (t.name == r.item) {
                ++t.count;
                // Rounded at every addition, halves to even: 2.5 + 2.5 gives 2, then 4.
                t.seconds = text::roundHalfEven(double(t.seconds) + double(r.seconds));
            }
        }
    }
    for (const ItemTotal &t : std::as_const(acc)) {
        if (t.count != 0) {
            s.totals.append(t);
            s.dayTotal += t.seconds;
        }
    }
    return s;
}

int litLamps(int kinds)
{
    return qBound(0, kinds, 7);
}

quint32 lampColor(int lamp)
{
    static const quint32 colors[7] = {
        0xFFC0C0, // light red
        0xFFE0C0, // light orange
        0xFFFFC0, // light yellow
        0xC0FFC0, // light green
        0xC0FFFF, // light cyan
        0xC0C0FF, // light blue
        0xFFC0FF, // light magenta
    };
    if (lamp < 1 || lamp > 7)
        return 0xFFFFFF; // an unlit lamp is white
    return colors[lamp - 1];
}

QString ratingCaption(int kinds)
{
    if (kinds <= 0)
        return QStringLiteral("今日の脳も健康元気");
    return QString::number(kinds) + QStringLiteral(" 種類の脳刺激");
}

} // namespace kioku
