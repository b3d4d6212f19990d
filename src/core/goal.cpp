#include "core/goal.h"

#include "core/backup.h"
#include "core/text/recordline.h"

namespace kioku {

namespace {
const QString kTitle = QStringLiteral("1日の目標");
const QString kNone = QStringLiteral("なし");
const QString kMinutes = QStringLiteral("分");
const QString kKinds = QStringLiteral("種類");
} // namespace

int maxGoalValue(DailyGoal::Kind kind)
{
    switch (kind) {
    case DailyGoal::Kind::Minutes:
        return kMaxGoalMinutes;
    case DailyGoal::Kind::Kinds:
        return kMaxGoalKinds;
    case DailyGoal::Kind::None:
        break;
    }
    return 0;
}

GoalRead readDailyGoal()
{
    GoalRead g;
    const QString line = text::firstFilledLine(kGoalFile, &g.status);
    if (g.status.readError || !g.status.exists)
        return g;
    // A file that is there but holds no goal we can read (empty, garbled,
    // another program's text) is told; the goal is then none.
    if (!g.status.clean || line.isEmpty()) {
        g.garbled = true;
        return g;
    }
    // A bare whole number, as a goal written by hand, is minutes of play.
    if (const QString bare = line.trimmed(); text::isPlainNumber(bare, true)) {
        const int minutes = bare.toInt();
        if (minutes >= 1 && minutes <= kMaxGoalMinutes) {
            g.goal = DailyGoal{DailyGoal::Kind::Minutes, minutes};
            return g;
        }
    }
    const text::RecordReader r(line);
    const QString kind = r.count() >= 2 ? r.text(1).trimmed() : QString();
    if (r.count() >= 2 && r.text(0).trimmed() == kTitle && kind == kNone)
        return g;
    const QString value = r.count() >= 3 ? r.text(2).trimmed() : QString();
    DailyGoal goal;
    if (kind == kMinutes)
        goal.kind = DailyGoal::Kind::Minutes;
    else if (kind == kKinds)
        goal.kind = DailyGoal::Kind::Kinds;
    const int v = text::isPlainNumber(value, true) ? value.toInt() : 0;
    if (r.text(0).trimmed() != kTitle || goal.kind == DailyGoal::Kind::None || v < 1 || v > maxGoalValue(goal.kind)) {
        g.garbled = true;
        return g;
    }
    goal.value = v;
    g.goal = goal;
    return g;
}

QString goalLine(const DailyGoal &goal)
{
    text::RecordWriter w;
    w.text(kTitle);
    if (!goal.isSet())
        return w.text(kNone).number(0).line();
    return w.text(goal.kind == DailyGoal::Kind::Minutes ? kMinutes : kKinds).number(goal.value).line();
}

text::WriteResult writeDailyGoal(const DailyGoal &goal, const QDateTime &at)
{
    const BackupResult copy = backUpFile(kGoalFile, at);
    if (!copy)
        return copy.asWrite();
    return text::writeLines(kGoalFile, {goalLine(goal)});
}

QString garbledGoalMessage()
{
    return QStringLiteral("「%1」の内容を読み取れませんでした。").arg(kGoalFile) + QStringLiteral("\r\n")
        + QStringLiteral("1日の目標はなしとして扱います。ファイルはそのまま残してあります。");
}

} // namespace kioku
