#pragma once
// What the today panel shows for one day, computed from the play log.
#include "core/playlog/playlog.h"
#include <QDate>

namespace kioku {

struct DayPlay {
    QString time;
    QString item;
    float seconds = 0;
};

struct ItemTotal {
    QString name;
    int count = 0;
    qint64 seconds = 0; // whole seconds, rounded half-even at every addition
};

struct DaySummary {
    bool logEmpty = true;
    QString firstDate;       // date text of the log's first line ("" when empty)
    QString lastDate;        // date text of the log's last line
    QList<DayPlay> plays;    // the day's plays in log order
    QList<ItemTotal> totals; // games played that day, in item-name order, count > 0
    float maxSeconds = 0;    // largest seconds among the day's plays, 0 when none
    qint64 dayTotal = 0;     // sum of the totals' whole seconds (wide: never overflows)
    int kinds() const { return int(totals.size()); }
};

DaySummary summarizeDay(const QList<PlayRecord> &records, const QDate &day, const QStringList &items = itemNames());

// Number of lamps lit for `kinds` games played (0..7).
int litLamps(int kinds);
// Lamp colours 1..7 as 0xRRGGBB.
quint32 lampColor(int lamp);
// Rating caption for `kinds` games: "今日の脳も健康元気" or "3 種類の脳刺激".
QString ratingCaption(int kinds);

} // namespace kioku
