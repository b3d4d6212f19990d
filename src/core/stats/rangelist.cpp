#include "rangelist.h"

#include "core/text/formats.h"

namespace kioku {

bool RangeFilter::passes(const PlayRecord &r) const
{
    if (byPeriod && (r.date < firstDate || r.date > lastDate))
        return false;
    if (!keyword.isEmpty() && !r.item.contains(keyword, Qt::CaseSensitive))
        return false;
    if (weekday != kAnyWeekday && weekdayOf(r.date) != weekday)
        return false;
    return true;
}

int weekdayOf(const QString &dateText)
{
    const QDate d = text::parseDateSlash(dateText);
    return d.isValid() ? d.dayOfWeek() % 7 : -1;
}

RangeList listPlays(const QList<PlayRecord> &records, const RangeFilter &filter, const QStringList &items)
{
    RangeList out;
    out.itemSeconds = QList<qint64>(items.size(), 0);
    std::vector<int> picked;
    for (qsizetype k = 0; k < records.size(); ++k) {
        const PlayRecord &r = records.at(k);
        if (!filter.passes(r))
            continue;
        picked.push_back(int(k));
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items.at(i) == r.item)
                out.itemSeconds[i] = text::roundHalfEven(double(out.itemSeconds.at(i)) + double(r.seconds));
        }
    }
    out.rows = std::make_shared<PlayRows>(records,
                                          QList<PlayField>{PlayField::Number, PlayField::Date, PlayField::Time,
                                                           PlayField::Weekday, PlayField::Item, PlayField::Seconds},
                                          std::move(picked), true);
    out.summary.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const qint64 total = out.itemSeconds.at(i);
        out.summary.append({items.at(i), QString::number(total), text::formatHms(total)});
    }
    return out;
}

QStringList loggedDates(const QList<PlayRecord> &records)
{
    QStringList dates;
    QString previous;
    bool first = true;
    for (const PlayRecord &r : records) {
        if (first || r.date != previous)
            dates.append(r.date);
        previous = r.date;
        first = false;
    }
    return dates;
}

const QList<PeriodButton> &periodButtons()
{
    static const QList<PeriodButton> buttons = {
        {"cmdKikan1", "前日", 1},    {"cmdKikan8", "３日", 2},    {"cmdKikan2", "１週間", 7},
        {"cmdKikan3", "２週間", 14}, {"cmdKikan4", "１ヶ月", 30}, {"cmdKikan5", "３ヶ月", 90},
        {"cmdKikan6", "半年", 180},  {"cmdKikan7", "１年", 365},
    };
    return buttons;
}

QString periodStart(const QDate &today, int daysBack)
{
    return text::dateSlash(today.addDays(-daysBack));
}

} // namespace kioku
