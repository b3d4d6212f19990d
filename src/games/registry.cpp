#include "games/registry.h"

#include "games/typing/frmg3.h"
#include "games/typing/frmg4.h"
#include "games/typing/frmg7.h"
#include "games/visual/frmg1.h"
#include "games/visual/frmg2.h"
#include "games/visual/frmg5.h"
#include "games/visual/frmg6.h"

namespace kioku {

const QList<GameEntry> &gameRegistry()
{
    // In item-list order; a game's launcher button is enabled once it has a window here.
    static const QList<GameEntry> games = {
        {Game::NumberMemory, &numberMemoryDescription, &openGameWindow<frmG1>},
        {Game::ImageMemory, &imageMemoryDescription, &openGameWindow<frmG6>},
        {Game::IconConcentration, &iconConcentrationDescription, &openGameWindow<frmG2>},
        {Game::Tracking, &trackingDescription, &openGameWindow<frmG5>},
        {Game::TimeLag, &timeLagDescription, &openGameWindow<frmG3>},
        {Game::Cycle, &cycleDescription, &openGameWindow<frmG4>},
        {Game::Scrambled, &scrambledDescription, &openGameWindow<frmG7>},
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

bool hasGameWindow(Game game)
{
    return entry(game).open != nullptr;
}

QWidget *openGame(Game game, AppContext &ctx)
{
    const GameEntry &e = entry(game);
    return e.open ? e.open(ctx) : nullptr;
}

} // namespace kioku
