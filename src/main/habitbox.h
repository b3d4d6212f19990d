#pragma once
// The days of play beside the day's rating on the today panel (habitBox): the
// days in a row up to today (lblRenzoku), the longest run (lblSaichou), this
// month's practice days (lblKongetsu) and, when a daily goal is set, the
// shown day's progress toward it (prgMokuhyou). The calendar beside it frames
// the days of the run and marks the days the goal was met.
#include "core/goal.h"
#include "core/stats/habit.h"
#include "core/stats/logsummary.h"

#include <QFrame>

class QLabel;
class QProgressBar;

namespace kioku {

struct AppContext;
class MonthCalendar;

class HabitBox : public QFrame {
    Q_OBJECT
public:
    explicit HabitBox(QWidget *parent = nullptr);

    // The figures of `log` as of the clock's today, the goal's progress of
    // the day shown (its whole seconds and kinds), and their marks on `calendar`.
    void rebuild(AppContext &ctx, const LogSummary &log, qint64 daySeconds, int kinds, MonthCalendar *calendar);
    // Shows `habit`, and `progress` when `goal` is set.
    void showHabit(const HabitSummary &habit, const DailyGoal &goal, const GoalProgress &progress);

    QLabel *lblRenzoku, *lblSaichou, *lblKongetsu;
    QLabel *lblMokuhyou; // the goal's caption
    QProgressBar *prgMokuhyou;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Marks the calendar's page; the figures as of today.
    HabitSummary markPage();

    AppContext *m_ctx = nullptr;
    MonthCalendar *m_calendar = nullptr;
    LogSummary m_log;
    DailyGoal m_goal;
    qint64 m_daySeconds = 0; // the day shown
    int m_kinds = 0;
};

// Marks `habit` on the calendar: the run framed, the goal's days marked.
void markHabit(MonthCalendar *calendar, const HabitSummary &habit);

} // namespace kioku
