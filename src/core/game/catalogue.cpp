#include "core/game/catalogue.h"

#include <algorithm>

namespace kioku {

namespace {

GameInfo info(Game g, const char *item, const char *settings, const char *history, const char *records, int position,
              const char *button, const char *caption, const char *window)
{
    return GameInfo{g,
                    QString::fromUtf8(item),
                    QString::fromUtf8(settings),
                    QString::fromUtf8(history),
                    QString::fromUtf8(records),
                    position,
                    QString::fromLatin1(button),
                    QString::fromUtf8(caption),
                    QString::fromLatin1(window)};
}

} // namespace

const QList<GameInfo> &gameCatalogue()
{
    static const QList<GameInfo> games = {
        info(Game::NumberMemory, "数字記憶", "数字記憶設定.txt", "数字記憶履歴.txt", "", 1, "cmdG1", "数字記憶",
             "frmG1"),
        info(Game::ImageMemory, "画像記憶", "画像記憶設定.txt", "画像記憶履歴.txt", "", 2, "cmdG2", "画像記憶",
             "frmG6"),
        info(Game::IconConcentration, "アイコン衰弱", "アイコン衰弱設定.txt", "アイコン衰弱履歴.txt",
             "アイコン衰弱記録.txt", 3, "cmdG3", "神経衰弱", "frmG2"),
        info(Game::Tracking, "追跡記憶", "追跡記憶設定.txt", "追跡記憶履歴.txt", "", 4, "cmdG4", "追跡記憶", "frmG5"),
        info(Game::TimeLag, "時間差記憶", "時間差設定.txt", "時間差履歴.txt", "", 5, "cmdG6", "時間差", "frmG3"),
        info(Game::Cycle, "輪廻記憶", "輪廻設定.txt", "輪廻記憶履歴.txt", "", 6, "cmdG5", "輪廻", "frmG4"),
        info(Game::Scrambled, "バラバラ記憶", "バラバラ記憶設定.txt", "バラバラ記憶履歴.txt", "", 7, "cmdG7",
             "バラバラ", "frmG7"),
    };
    return games;
}

const GameInfo &gameInfo(Game game)
{
    return gameCatalogue().at(int(game));
}

QList<Game> launcherOrder()
{
    QList<GameInfo> games = gameCatalogue();
    std::sort(games.begin(), games.end(),
              [](const GameInfo &a, const GameInfo &b) { return a.launcherPosition < b.launcherPosition; });
    QList<Game> order;
    for (const GameInfo &g : games)
        order.append(g.game);
    return order;
}

std::optional<Game> gameByWindowName(const QString &windowName)
{
    for (const GameInfo &g : gameCatalogue())
        if (g.windowName == windowName)
            return g.game;
    return std::nullopt;
}

const QStringList &itemNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const GameInfo &g : gameCatalogue())
            n.append(g.itemName);
        return n;
    }();
    return names;
}

const QStringList &historyFileNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const GameInfo &g : gameCatalogue())
            n.append(g.historyFile);
        return n;
    }();
    return names;
}

} // namespace kioku
