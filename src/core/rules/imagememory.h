#pragma once
// Rules of 画像記憶 (image memory): number memory with icons: its settings
// line, the icons a play deals from, the deal itself, the history line and the
// play-log record. A play is judged position by position exactly as number
// memory judges its digits (numbermemory.h: judgeDigits, resultMarks,
// correctRate, summaryText), with icon names in place of digits.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/rules/icons.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {
class RandomSource;
}

namespace kioku::rules {

// Positions on the board, and the icons a play deals from.
inline constexpr int kImagePositions = 15;

inline const QString &kImageMemoryName = gameInfo(Game::ImageMemory).itemName;
inline const QString &kImageMemorySettingsFile = gameInfo(Game::ImageMemory).settingsFile;
inline const QString &kImageMemoryHistoryFile = gameInfo(Game::ImageMemory).historyFile;

// The settings line: icon count, display time, name display, spare text (kept as read), auto-save.
struct ImageMemorySetting {
    enum : int { IconCount = 0, DisplayTime = 1, NameDisplay = 2, SpareText = 3, AutoSave = 4 };
};
const SettingsFormat &imageMemorySettings();
// Seven fields as number memory: date, time, marks, right, wrong, rate, display time ("5秒").
const HistoryFormat &imageMemoryHistory();

// The icon counts offered: "1" to "15".
QStringList iconCountItems();
// The display times offered, in whole seconds: "1" to "60".
QStringList imageDisplayTimeItems();

// The icons a play deals from: the first fifteen of the listing that have a
// name (a file called just ".ico" has none a player could type).
QList<IconFile> iconPool(const QList<IconFile> &listing);
// What the player is told when there are too few icons to play: empty when
// `count` (the size of the pool) is enough.
QString iconShortageText(int count);

// The pool's names in a random order: as many times as there are names, the
// entry at the integer part of (names left × a uniform number in [0, 1)) is
// taken out and put at the end of the deal. The generator is reseeded first.
// Each name comes out exactly once, so the icons of one play all differ.
QStringList dealIcons(RandomSource &random, const QStringList &pool);

// "5秒": the display time as a whole number with 秒.
QString imageDisplayTimeText(int seconds);

// The saved play: the same values go to the history file and the play log.
struct ImageMemoryResult {
    QDateTime saved;
    QString marks; // fifteen marks, as number memory's resultMarks
    int right = 0;
    int wrong = 0;
    QString rate; // "0.0%"
    int displayTime = 0;
};
HistoryEntry historyEntry(const ImageMemoryResult &r);
// Name 画像記憶, the display time as its seconds, number memory's summary text.
PlayRecord playRecord(const ImageMemoryResult &r);

} // namespace kioku::rules
