#pragma once
// The daily goal "目標.txt": minutes of play a day, or kinds of games a day
// (the lamps of the day's rating). One line: "1日の目標","分",10 or
// "1日の目標","種類",3; "なし" (or no file) is no goal. A line of a bare
// whole number (30) is read as minutes, and written back in the full form.
#include "core/text/textfile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kioku {

inline const QString kGoalFile = QStringLiteral("目標.txt");

struct DailyGoal {
    enum class Kind { None, Minutes, Kinds };
    Kind kind = Kind::None;
    int value = 0; // minutes (1 … kMaxGoalMinutes) or kinds (1 … 7)
    bool isSet() const { return kind != Kind::None && value > 0; }
    bool operator==(const DailyGoal &o) const { return kind == o.kind && value == o.value; }
};

inline constexpr int kMaxGoalMinutes = 600;
inline constexpr int kMaxGoalKinds = 7;

// The largest value a goal of `kind` can have (0 for none).
int maxGoalValue(DailyGoal::Kind kind);

// What a read found: the goal, and whether the file held something else than
// a goal (then no goal is used and the file is left as it is).
struct GoalRead {
    DailyGoal goal;
    text::ReadResult status; // exists, clean, readError and reason of the file
    bool garbled = false;
};
GoalRead readDailyGoal();
// The one line written for `goal`.
QString goalLine(const DailyGoal &goal);
// Copies the file as it was into the backup folder at `at`, then rewrites it
// (atomically). Nothing is written when the copy cannot be made.
text::WriteResult writeDailyGoal(const DailyGoal &goal, const QDateTime &at);
// The message for a file that held no goal that can be read.
QString garbledGoalMessage();

} // namespace kioku
