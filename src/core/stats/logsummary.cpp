#include "logsummary.h"

#include "core/stats/aggregates.h"
#include "core/stats/habit.h"
#include "core/text/formats.h"

#include <algorithm>

namespace kioku {

LogSummary summarizeLog(const PlayLog &log, const QDate &selectedDay, const QStringList &items)
{
    LogSummary s;
    s.log = log;
    s.selectedDay = selectedDay;
    s.items = items;
    if (log.records.isEmpty())
        return s;
    s.logEmpty = false;
    // The earliest and the latest date, wherever their lines stand: a play
    // saved while the computer's clock was set back lies out of order, and
    // every view still counts it. Without any date the first and last lines
    // are kept as written.
    // One pass over the dates finds both the span and the days of play; the
    // plays of a day share one date text, each read once.
    LogSpan span;
    const qint64 earliest = kEarliestPlayDate.toJulianDay(), latest = kLatestPlayDate.toJulianDay();
    const QString *previous = nullptr;
    for (const PlayRecord &r : log.records) {
        if (previous && (r.date.isSharedWith(*previous) || r.date == *previous))
            continue;
        previous = &r.date;
        const qint64 day = playJulianDay(r.date);
        if (day == 0) {
            // Not the usual ten letters: the span still takes what it can read ("2026/1/5").
            const QDate d = text::parseDateSlash(r.date);
            if (d.isValid() && d >= kEarliestPlayDate && d <= kLatestPlayDate) {
                if (!span.first.isValid() || d < span.first)
                    span.first = d;
                if (!span.last.isValid() || d > span.last)
                    span.last = d;
            }
            continue;
        }
        if (!s.playDays.isEmpty() && s.playDays.last() >= day) {
            if (s.playDays.last() == day)
                continue;
            s.datesInOrder = false;
        }
        s.playDays.append(day);
    }
    if (!s.datesInOrder) {
        std::sort(s.playDays.begin(), s.playDays.end());
        s.playDays.erase(std::unique(s.playDays.begin(), s.playDays.end()), s.playDays.end());
    }
    // The span's ends among the days read in full.
    const auto inFirst = std::lower_bound(s.playDays.cbegin(), s.playDays.cend(), earliest);
    const auto inEnd = std::upper_bound(inFirst, s.playDays.cend(), latest);
    if (inFirst != inEnd) {
        const QDate first = QDate::fromJulianDay(*inFirst), last = QDate::fromJulianDay(*(inEnd - 1));
        if (!span.first.isValid() || first < span.first)
            span.first = first;
        if (!span.last.isValid() || last > span.last)
            span.last = last;
    }
    s.firstPlayDate = span.isValid() ? text::dateSlash(span.first) : log.records.first().date;
    s.lastPlayDate = span.isValid() ? text::dateSlash(span.last) : log.records.last().date;
    return s;
}

} // namespace kioku
