#include "core/stats/gridgraph.h"

#include "core/text/formats.h"
#include "core/text/recordline.h"

namespace kioku {

QString graphLabel(const QString &item, int gridRows)
{
    return item.left(gridRows > 17 ? 1 : 2);
}

void HourTotals::add(const QString &timeText, const QString &secondsText)
{
    const QString head = timeText.left(2);
    if (head.isEmpty() || !head.at(0).isDigit())
        return;
    const double hour = text::leadingNumber(head); // "09" and "9:" both read 9
    if (hour > 23)
        return;
    qint64 &t = m_totals[size_t(hour)];
    t = text::roundHalfEven(double(t) + text::leadingNumber(secondsText));
}

QString HourTotals::label(int hour)
{
    return QLatin1Char(' ') + QString::number(hour);
}

} // namespace kioku
