#include "logsummary.h"

#include "core/stats/aggregates.h"
#include "core/text/formats.h"

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
    const LogSpan span = logSpanOf(log.records);
    s.firstPlayDate = span.isValid() ? text::dateSlash(span.first) : log.records.first().date;
    s.lastPlayDate = span.isValid() ? text::dateSlash(span.last) : log.records.last().date;
    return s;
}

} // namespace kioku
