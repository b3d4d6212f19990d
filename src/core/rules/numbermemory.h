#pragma once
// Rules of number memory (数字記憶): drawing the digits, judging the typed
// answers, the result marks, the rate, the history line and the play-log record.
#include "core/game/catalogue.h"
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/playlog/playlog.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {
class RandomSource;
}

namespace kioku::rules {

inline constexpr int kDigitPositions = 15;

inline const QString &kNumberMemoryName = gameInfo(Game::NumberMemory).itemName;
inline const QString &kNumberMemorySettingsFile = gameInfo(Game::NumberMemory).settingsFile;
inline const QString &kNumberMemoryHistoryFile = gameInfo(Game::NumberMemory).historyFile;

// The settings line: digit count, display time, auto-save flag.
struct NumberMemorySetting {
    enum : int { DigitCount = 0, DisplayTime = 1, AutoSave = 2 };
};
const SettingsFormat &numberMemorySettings();
// Seven fields: date, time, marks, right, wrong, rate, display time.
const HistoryFormat &numberMemoryHistory();

// The display times offered, as text: 0.2, 0.5, then 1 to 30.
QStringList displayTimeItems();
// The digit counts offered: "1" to "15".
QStringList digitCountItems();

// `n` digits (1..15), each the integer part of a uniform number in [0, 1) times 9,
// so "0" to "8" only. The generator is reseeded first.
QStringList drawDigits(RandomSource &random, int n);

struct DigitJudgement {
    QList<bool> right; // per position 1..n (index 0 = position 1)
    int rightCount = 0;
    int wrongCount = 0;
};
// Compares each shown digit with its answer as exact text: a full-width digit,
// a blank or an empty answer is wrong.
DigitJudgement judgeDigits(const QStringList &digits, const QStringList &answers, int n);

// `typed` with each full-width digit (０ to ９) as the plain digit it shows.
QString plainDigits(const QString &typed);

// Fifteen marks, one per position: "○" right, "×" wrong, "－" beyond n.
QString resultMarks(const QStringList &digits, const QStringList &answers, int n);

// right ÷ n as "0.0%"; "0.0%" when n is 0.
QString correctRate(int right, int n);
// "0.5秒", "12秒".
QString displayTimeText(float seconds);
// "暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%".
QString summaryText(int right, int wrong, const QString &rate);

// The saved play: the same values go to the history file and the play log.
struct NumberMemoryResult {
    QDateTime saved;
    QString marks;
    int right = 0;
    int wrong = 0;
    QString rate;
    float displayTime = 0;
};
HistoryEntry historyEntry(const NumberMemoryResult &r);
PlayRecord playRecord(const NumberMemoryResult &r);

} // namespace kioku::rules
