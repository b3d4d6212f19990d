#pragma once
// What tst_killloop and its child kioku_kill_child agree on: the records the
// child appends, one per position in the log.
#include "core/game/catalogue.h"
#include "core/playlog/playlog.h"

namespace kioku {

// The record at position `n` (from 0) of a log the child appends to: any
// record read back can be checked against its position.
inline PlayRecord appendRecord(int n)
{
    PlayRecord r;
    r.date = QStringLiteral("2026/%1/%2")
                 .arg(1 + n / 28 % 12, 2, 10, QLatin1Char('0'))
                 .arg(1 + n % 28, 2, 10, QLatin1Char('0'));
    r.time = QStringLiteral("%1:%2:%3")
                 .arg(n / 3600 % 24, 2, 10, QLatin1Char('0'))
                 .arg(n / 60 % 60, 2, 10, QLatin1Char('0'))
                 .arg(n % 60, 2, 10, QLatin1Char('0'));
    r.item = itemNames().at(n % 7);
    r.seconds = 0.5f + float(n % 1000);
    r.comment = QStringLiteral("暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%   第%1回").arg(n);
    return r;
}

} // namespace kioku
