#pragma once
// The aggregates (fraSyuukei, 集計表示): the play log cross-tabulated by
// calendar month (msgKakei1, with a total row) and by day (msgKakei2), a
// subtotal column and one column per game, in the measure the option buttons
// choose: time, counts, or both.
#include "core/stats/aggregates.h"
#include "views/panel.h"

#include <QHash>
#include <QList>

class QRadioButton;

namespace kioku {

class FlexGrid;

class AggregatesView : public Panel {
    Q_OBJECT
public:
    explicit AggregatesView(AppContext &ctx, QWidget *parent = nullptr);

    QString helpText() const override;

    // Builds both tables in the measure of option `index` (0 time, 1 counts,
    // 2 both); any other index builds nothing.
    void optList2_Click(int index);
    void buildDailyTable(AggregateMeasure measure);
    void buildMonthlyTable(AggregateMeasure measure);

    FlexGrid *msgKakei1; // monthly
    FlexGrid *msgKakei2; // daily
    // optList2[0] is optList2_0 (time), [1] counts, [2] time and counts.
    QList<QRadioButton *> optList2;

protected:
    // Entering the panel always shows the time measure.
    void fill(const LogSummary &log) override;
    // A new desktop palette: the red totals are shaded anew for the grid's colours.
    void changeEvent(QEvent *e) override;

private:
    void setUpGrid(FlexGrid *grid, bool monthly);
    void showTable(FlexGrid *grid, const CrossTable &table);
    void colourTotalRow(FlexGrid *grid);

    LogSummary m_log;                  // the log as the panel was last entered; the options rebuild from it
    QHash<FlexGrid *, int> m_totalRow; // each grid's total row (grid row), while it has one
};

} // namespace kioku
