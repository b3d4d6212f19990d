#pragma once
// Rules of アイコン衰弱 (icon concentration): pairs of flag icons. Its settings
// line and history file, the four levels, dealing the 40 pieces, the best
// records of each level (アイコン衰弱記録.txt), the saved history line and
// play-log record.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/text/textfile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {
class RandomSource;
}

namespace kioku::rules {

inline const QString &kIconConcentrationName = gameInfo(Game::IconConcentration).itemName;
inline const QString &kIconRecordsFile = gameInfo(Game::IconConcentration).recordsFile;

// The board: 40 pieces, 20 pairs; a game takes at least 20 turns.
inline constexpr int kBoardPieces = 40;

// The settings line: level, name display, auto-save, turn-back delay, removal delay.
struct IconConcentrationSetting {
    enum : int { Level = 0, NameDisplay = 1, AutoSave = 2, TurnBackDelay = 3, RemovalDelay = 4 };
};
const SettingsFormat &iconConcentrationSettings();
// Eight fields: date, time, level, name display, turns, clear seconds, turn record, seconds record.
const HistoryFormat &iconConcentrationHistory();
// The four levels, easiest first.
const QStringList &iconLevels();
// 0 … 3 for イージー … パニック; -1 for any other text.
int levelIndex(const QString &level);
// Different icons on the board at a level: 2, 4, 10, 20 (0 for an unknown level).
int kindsOfLevel(const QString &level);
// The title of a level's records: " イージー最短" (with its leading blank), "ノーマル最短", …
QString recordTitle(const QString &level);
// The delays offered for turning back and for removing, in seconds, as text:
// 0.1 to 0.5 in tenths, then 1 to 5 in halves.
QStringList delayItems();

// The board of one game.
struct Deal {
    QStringList kinds; // the icons chosen, in the order drawn (lstKoma)
    QStringList board; // the icon of positions 1 … 40 (index 0 is position 1)
};
// Draws `kinds` different icons out of `names` without repetition, puts each
// into the bag 40 ÷ kinds times (rounded) and deals the bag onto positions
// 1 to 40 in order, each from what is left. The generator is reseeded before
// the icons are chosen and again before the deal. Empty when `kinds` is not
// between 1 and the number of names.
Deal dealBoard(RandomSource &random, const QStringList &names, int kinds);

// The best result of one level. A level without a record holds 9999 and "9999".
struct LevelRecord {
    int turns = 9999;
    QString seconds = QStringLiteral("9999"); // the clear time as it was shown, "34.5"
    bool hasTurns() const { return turns != 9999; }
    bool hasSeconds() const { return seconds != QLatin1String("9999"); }
    bool operator==(const LevelRecord &o) const { return turns == o.turns && seconds == o.seconds; }
};

// The records file: one line per level, イージー first.
struct IconRecords {
    QList<LevelRecord> levels{LevelRecord(), LevelRecord(), LevelRecord(), LevelRecord()};
    // Line numbers (from 1) that were there but could not be read; they read as no record.
    QList<int> badLines;
    bool clean = true; // false: some bytes were not code page 932
    bool readError = false;
    QString reason; // why it could not be read, in Japanese (readError only)

    LevelRecord level(const QString &level) const { return levels.value(levelIndex(level)); }
    // The four lines as written: 25,"34.5" or 9999,"9999".
    QStringList lines() const;
    // What the player is told about a damaged file; empty when it read cleanly.
    QString problem() const;
};
// A missing file reads as four levels without a record.
IconRecords readIconRecords();
text::WriteResult writeIconRecords(const IconRecords &records);

// Which records a finished game broke.
struct RecordsBroken {
    bool turns = false;
    bool seconds = false;
    bool any() const { return turns || seconds; }
};
// Takes a finished game into its level's records: fewer turns, or fewer
// seconds (both compared as numbers), make a new record; an equal result does not.
RecordsBroken takeResult(IconRecords &records, const QString &level, int turns, const QString &seconds);

// The saved play: the same values go to the history file and the play log.
struct IconConcentrationResult {
    QDateTime saved;
    QString level;
    bool namesShown = false;
    int turns = 0;
    QString seconds; // the clear time as shown, "34.5"
    bool turnRecord = false;
    bool secondsRecord = false;
};
// "ノーマル 25回  34.5秒".
QString summaryText(const QString &level, int turns, const QString &seconds);
HistoryEntry historyEntry(const IconConcentrationResult &r);
PlayRecord playRecord(const IconConcentrationResult &r);

} // namespace kioku::rules
