#pragma once
// The play log as every panel of the main window is rebuilt from it: read once
// by the window, summarized here, handed to the panel being shown. A panel
// never reads the file itself and never asks the window for more.
#include "core/playlog/playlog.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace kioku {

struct LogSummary {
    // The records as read, oldest first, with the read's flags. QList shares
    // its data: copying a summary copies no record.
    PlayLog log;
    bool logEmpty = true;  // the log holds no record
    QString firstPlayDate; // the earliest date of the log, "yyyy/mm/dd" ("" when empty)
    QString lastPlayDate;  // the latest date of the log, "yyyy/mm/dd" ("" when empty)
    QDate selectedDay;     // the day picked in the calendar
    QStringList items;     // the item names, in their fixed order
    // The days with a play as julian days, oldest first, each once: any
    // record with a real date counts, whatever its item.
    QList<qint64> playDays;
    bool datesInOrder = true; // no record's date stands before an earlier line's

    const QList<PlayRecord> &records() const { return log.records; }
};

LogSummary summarizeLog(const PlayLog &log, const QDate &selectedDay, const QStringList &items = itemNames());

} // namespace kioku
