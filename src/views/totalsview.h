#pragma once
// The whole log (fraRenTai, 全グラフ): every play, the totals per game and a
// series of every day from the first play to the last, with six graphs drawn
// from those lists. Two charts share one place, and so do the list of plays
// and the list of days: a graph shows its chart (and, for the series graphs,
// its list) in place of the other.
#include "views/panel.h"

class QLabel;
class QPushButton;

namespace kioku {

class Chart;
class FlexGrid;
class GraphButtons;

class TotalsView : public Panel {
    Q_OBJECT
public:
    explicit TotalsView(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    // Fills the three lists from the log and redraws the selected graph.
    void buildTotalsView(const LogSummary &log);
    // The three lists with their headers, widths and alignments, and no data row.
    void setupTotalsGrids();

    // The six graphs.
    void cmdDay2_Click();
    void cmdTotal2_Click();
    void cmdJikan2_Click();
    void cmdHigoto_Click();
    void cmdHigoto2_Click();
    void cmdHigoto3_Click();

    FlexGrid *msgDayList2, *msgDayTotal2, *msgDayList3;
    Chart *mcrMain2, *mcrMain3;
    QPushButton *cmdDay2, *cmdTotal2, *cmdJikan2, *cmdHigoto, *cmdHigoto2, *cmdHigoto3;
    // The buttons of the list graphs (selected: &HC0E0FF) and of the day
    // series (selected: &HC0FFFF); a press in one row clears the other.
    GraphButtons *listGraphButtons, *dayGraphButtons;
    QLabel *lblList2Caption; // names the list shown on the left: plays or days

protected:
    void fill(const LogSummary &log) override { buildTotalsView(log); }

private:
    void showPlays();
    void showDays();
    void drawPlays();
    void drawItemTotals();
    void drawHours();
    void drawDays(int valueCol, const QString &what);
};

} // namespace kioku
