#include "logsummary.h"

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
    // The first and last lines, as written: the log is in append order, not sorted.
    s.firstPlayDate = log.records.first().date;
    s.lastPlayDate = log.records.last().date;
    return s;
}

} // namespace kioku
