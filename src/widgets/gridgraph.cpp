#include "widgets/gridgraph.h"

#include "core/stats/gridgraph.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

namespace kioku {

void drawRowGraph(Chart *chart, const FlexGrid *grid, int valueCol, int labelCol)
{
    const int rows = grid->rows();
    const int n = rows - 1;
    chart->setSeriesCount(1);
    // The old rows go first: a new row count never keeps a stale label or value.
    chart->setRowCount(0);
    chart->setRowCount(n);
    for (int r = 1; r <= n; ++r) {
        chart->setValueText(r - 1, 0, grid->textMatrix(r, valueCol));
        if (labelCol >= 0)
            chart->setRowLabel(r - 1, graphLabel(grid->textMatrix(r, labelCol), rows));
    }
}

void drawHourGraph(Chart *chart, const FlexGrid *grid, int timeCol, int secondsCol)
{
    HourTotals totals;
    for (int r = 1; r < grid->rows(); ++r)
        totals.add(grid->textMatrix(r, timeCol), grid->textMatrix(r, secondsCol));
    chart->setSeriesCount(1);
    chart->setRowCount(0);
    chart->setRowCount(24);
    for (int h = 0; h < 24; ++h) {
        chart->setRowLabel(h, HourTotals::label(h));
        chart->setValue(h, 0, double(totals.at(h)));
    }
}

} // namespace kioku
