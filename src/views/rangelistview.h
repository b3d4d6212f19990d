#pragma once
// The conditional list (fraTaijyu, 範囲指定): the plays of the log under an
// item keyword, a weekday and a period of dates, the seconds per item within
// them, and three graphs of what the lists show. The conditions combine
// freely; each button changes its own condition only and re-filters the log
// the panel was last filled from (the file is read again only when the panel
// is entered from the menu).
#include "core/stats/rangelist.h"
#include "views/panel.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kioku {

class Chart;
class FlexGrid;
class GraphButtons;

class RangeListView : public Panel {
    Q_OBJECT
public:
    explicit RangeListView(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    // ---- fills ----
    // Every play of the log, no condition; also lists the logged dates in the period combos.
    void listAllPlays();
    // The plays under the current period, keyword and weekday.
    void listFilteredPlays();
    void refreshFilteredList();
    void setupListGrids();
    void resetPeriodButtons();

    // ---- handlers ----
    // A period button by its number (cmdKikan1 … cmdKikan8).
    void cmdKikan_Click(int number);
    void cmdAllDay_Click();
    void cmdKikanF_Click();
    void cmdWeek_Click(int index);
    void cmdAllWeek_Click();
    void lstAct2_Click();
    void txtKey_GotFocus();
    // Only Enter (13) filters; other keys are typed into the box as usual.
    void txtKey_KeyPress(int keyAscii);
    void cmdAllact_Click();
    void cmdKensaku_Click();
    void cmdDay3_Click();
    void cmdTotal3_Click();
    void cmdJikan3_Click();

    // 99 for any weekday, else 0 = Sunday … 6 = Saturday.
    int weekdayFilter() const { return m_weekdayFilter; }

    // ---- controls ----
    FlexGrid *msgBunseki, *msgBunseki2;
    Chart *mcrBunseki, *mcrBunseki2;
    GraphButtons *graphButtons;
    QPushButton *cmdDay3, *cmdTotal3, *cmdJikan3;
    QListWidget *lstAct2;
    QLineEdit *txtKey;
    QPushButton *cmdAllact, *cmdKensaku;
    QList<QPushButton *> cmdWeek; // cmdWeek[0] is Sunday
    QPushButton *cmdAllWeek;
    QList<QPushButton *> cmdKikan; // cmdKikan[0] is cmdKikan1
    QPushButton *cmdAllDay, *cmdKikanF;
    QComboBox *cboStdate, *cboEddate;

protected:
    // Entering the view: every play, and the 全部 buttons of the conditions selected.
    void fill(const LogSummary &log) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One fill of the lists under `filter`, then the selected graph redrawn.
    void listUnder(const RangeFilter &filter);
    RangeFilter currentFilter() const;
    void markSelected(QPushButton *button);
    void resetCharts();
    void drawTimeline();
    void drawItemTotals();
    void drawHours();

    LogSummary m_log; // the log of the last entry, which every condition re-filters
    int m_weekdayFilter = kAnyWeekday;
};

} // namespace kioku
