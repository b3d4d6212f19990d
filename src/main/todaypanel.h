#pragma once
// The today panel (fraMain): for the day picked in the calendar, the plays of
// that day, their totals per game, the day's playing time and its rating (the
// lamps, the face and the caption), with the day chart and its three graph
// buttons under them.
#include "views/panel.h"

#include <QList>

class QLabel;
class QPushButton;

namespace kioku {

class Chart;
class FlexGrid;
class HabitBox;
class GraphButtons;
class MonthCalendar;
class Shape;

class TodayPanel : public Panel {
    Q_OBJECT
public:
    explicit TodayPanel(AppContext &ctx, QWidget *parent = nullptr);

    // メイン shows the panel as it was built last.
    bool rebuildsWhenShown() const override { return false; }

    void setupTodayGrids();
    // Figures the day chart is drawn to, kept by the last rebuild.
    float maxSeconds() const { return m_maxSeconds; }
    qint64 dayTotal() const { return m_dayTotal; }

    // The day chart's views; the graphs are drawn by the chart views.
    void cmdDay_Click();
    void cmdTotal_Click();
    void cmdJikan_Click();

    MonthCalendar *mtvmain;
    HabitBox *habitBox; // the days of play and the daily goal
    FlexGrid *msgDayList, *msgDayTotal;
    QLabel *lblDayTotal, *lblMHyouka;
    QLabel *lblDayCaption; // the date the panel shows
    // shpLed[0] is shpLed1 (kioku:: because inside a QFrame "Shape" is the frame shape).
    QList<kioku::Shape *> shpLed;
    kioku::Shape *shpLedAt(int index) const { return shpLed.value(index - 1); } // 1..7
    QLabel *imgNashi, *imgkana, *imgniko, *imgwara;
    Chart *mcrMain;
    GraphButtons *graphButtons;
    QPushButton *cmdDay, *cmdTotal, *cmdJikan;

signals:
    // A date was picked in the calendar.
    void dateClicked(const QDate &date);

protected:
    // refreshToday: the panel for log.selectedDay.
    void fill(const LogSummary &log) override;

private:
    void drawTimeline();
    void drawItemTotals();
    void drawHours();

    float m_maxSeconds = 0;
    qint64 m_dayTotal = 0;
};

} // namespace kioku
