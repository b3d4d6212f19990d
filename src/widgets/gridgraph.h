#pragma once
// The graphs of the main window, drawn from what a grid shows at that moment
// (never from the file), so a graph always matches the list beside it.
class QString;

namespace kioku {

class Chart;
class FlexGrid;

// One bar per data row of `grid`: the value of column `valueCol` (a decimal
// text), labelled by the short form of column `labelCol` (graphLabel), or
// unlabelled when `labelCol` is negative.
void drawRowGraph(Chart *chart, const FlexGrid *grid, int valueCol, int labelCol = -1);
// Twenty-four bars, the seconds of column `secondsCol` summed by the hour of
// column `timeCol` (" 0" … " 23"); all 0 for an empty grid.
void drawHourGraph(Chart *chart, const FlexGrid *grid, int timeCol, int secondsCol);

} // namespace kioku
