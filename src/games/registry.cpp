#include "games/registry.h"

#include "games/typing/cycletypingwindow.h"
#include "games/typing/scrambledtypingwindow.h"
#include "games/typing/timelagtypingwindow.h"
#include "games/visual/iconconcentrationwindow.h"
#include "games/visual/imagememorywindow.h"
#include "games/visual/numbermemorywindow.h"
#include "games/visual/trackingmemorywindow.h"

namespace kioku {

const QList<GameEntry> &gameRegistry()
{
    // In item-list order.
    static const QList<GameEntry> games = {
        {Game::NumberMemory, &numberMemoryDescription, &openGameWindow<NumberMemoryWindow>},
        {Game::ImageMemory, &imageMemoryDescription, &openGameWindow<ImageMemoryWindow>},
        {Game::IconConcentration, &iconConcentrationDescription, &openGameWindow<IconConcentrationWindow>},
        {Game::Tracking, &trackingDescription, &openGameWindow<TrackingMemoryWindow>},
        {Game::TimeLag, &timeLagDescription, &openGameWindow<TimeLagTypingWindow>},
        {Game::Cycle, &cycleDescription, &openGameWindow<CycleTypingWindow>},
        {Game::Scrambled, &scrambledDescription, &openGameWindow<ScrambledTypingWindow>},
    };
    return games;
}

static const GameEntry &entry(Game game)
{
    for (const GameEntry &e : gameRegistry())
        if (e.game == game)
            return e;
    qFatal("game %d is not in the registry", int(game));
}

GameDescription describeGame(Game game)
{
    return entry(game).describe();
}

QWidget *openGame(Game game, AppContext &ctx)
{
    return entry(game).open(ctx);
}

} // namespace kioku
