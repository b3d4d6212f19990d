#pragma once
// The player's own best in a game at the setting of a play, from the game's
// history: number memory the most digits all right at a display time, image
// memory the most right at a count and display time, icon concentration the
// fewest turns and seconds at a level, tracking memory the longest trace at a
// lighting time, the typing games the best characters per second at the same
// play seconds (timed) or number of answers (counted). The history lines keep
// no play mode: a typing play is compared as the history's own 秒数 and 答数
// filters compare it.
#include "core/game/catalogue.h"
#include "core/game/history.h"
#include "core/rules/typing.h"

#include <QList>
#include <QString>

namespace kioku {

struct BestStanding {
    bool counts = false;  // the play can stand as a best (a number-memory play with a wrong digit cannot)
    bool hadBest = false; // earlier plays at the play's setting gave a best
    bool beaten = false;  // the play beats that best
    QString bestText;     // the best before the play: "12 桁", "25 回・34.5 秒", "3.52/秒"
};

// Where `played` (the saved history line of a play in `mode`; the mode counts
// for the typing games only) stands against the `earlier` lines of its history.
BestStanding bestStanding(Game game, const QList<HistoryEntry> &earlier, const HistoryEntry &played,
                          rules::PlayMode mode = rules::PlayMode::Counted);

} // namespace kioku
