#pragma once
// The games the program can open: each game's description and its window.
// Adding a game is one line in registry.cpp.
#include "core/game/catalogue.h"
#include "games/frame/gamedescription.h"

class QWidget;

namespace kioku {

struct AppContext;

// Builds a game window and runs its opening (Form_Load). A window that refused
// to open (it has told the player why) is returned closing() and must not be shown.
template <typename W> QWidget *openGameWindow(AppContext &ctx)
{
    auto *w = new W(ctx);
    w->Form_Load();
    return w;
}

struct GameEntry {
    Game game;
    GameDescription (*describe)();
    QWidget *(*open)(AppContext &ctx); // builds the window and runs its opening (openGameWindow)
};

const QList<GameEntry> &gameRegistry();
GameDescription describeGame(Game game);
// The window of `game`, opened (see openGameWindow: one that refused to open is closing()).
QWidget *openGame(Game game, AppContext &ctx);

} // namespace kioku
