#pragma once
// The days of play marked where the player looks at days: the current run
// framed and the days a daily goal was met dotted, in the colours the today
// panel's figures use. CellMarks draws them over the cells of a grid (the
// month table of the practice calendar); the today panel's calendar draws
// them itself.
#include "core/goal.h"
#include "core/stats/habit.h"
#include "core/stats/logsummary.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QWidget>

namespace kioku {

struct AppContext;
class FlexGrid;

// The frame of the run and the mark of a day whose goal was met.
QColor runColour();
QColor goalColour();

// The daily goal from "目標.txt"; a file that cannot be read, or holds no goal
// that can be read, is told once per run and read as no goal.
DailyGoal loadDailyGoal(AppContext &ctx, QWidget *parent);

// Frames and dots over cells of a grid, drawn above its viewport and
// following its scrolling; clicks pass through to the grid.
class CellMarks : public QWidget {
    Q_OBJECT
public:
    explicit CellMarks(FlexGrid *grid);

    // Cells as (grid row, column), the header row being row 0.
    void setMarks(const QList<QPoint> &framed, const QList<QPoint> &dotted);
    const QList<QPoint> &framed() const { return m_framed; }
    const QList<QPoint> &dotted() const { return m_dotted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    FlexGrid *m_grid;
    QList<QPoint> m_framed, m_dotted;
};

// The legend of the marks, in one line: a sample of each and 「連続してプレイ中の日」「目標を達成した日」.
QWidget *habitLegend(QWidget *parent);

// Marks on the month table (one row per month from the log's first month,
// a column per day of month) the run up to today and the days the goal was met.
void markMonthTable(CellMarks *marks, AppContext &ctx, const LogSummary &log);

} // namespace kioku
