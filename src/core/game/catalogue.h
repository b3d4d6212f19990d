#pragma once
// The one table of the seven games: each game's item name in the play log,
// its files, its place on the launcher strip and its window. The item list,
// the files a new start empties, the launcher and the window registry all
// derive from it; nothing else names a game by number.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kioku {

// In the fixed order of the item list.
enum class Game { NumberMemory, ImageMemory, IconConcentration, Tracking, TimeLag, Cycle, Scrambled };

struct GameInfo {
    Game game;
    QString itemName;       // the game's name in the play log and the item list
    QString settingsFile;   // its settings line
    QString historyFile;    // its history (emptied by the new start)
    QString recordsFile;    // its best records, "" when it keeps none
    int launcherPosition;   // 1..7, left to right on the launcher strip
    QString launcherButton; // cmdG1 … cmdG7 (the numbers do not follow the windows)
    QString launcherCaption;
    QString windowName; // frmG1 … frmG7
};

// Every game, in item-list order.
const QList<GameInfo> &gameCatalogue();
const GameInfo &gameInfo(Game game);
// The games in launcher order, left to right.
QList<Game> launcherOrder();
std::optional<Game> gameByWindowName(const QString &windowName);

// The seven item names in their fixed order.
const QStringList &itemNames();
// The seven history files, in item order.
const QStringList &historyFileNames();

} // namespace kioku
