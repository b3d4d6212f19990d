#pragma once
// The edit screen's group 「データの引っ越し」: 以前のデータを取り込む (another
// folder's data taken in) and バックアップから戻す (a copy put back).
#include <functional>

class QGroupBox;
class QWidget;

namespace kioku {

struct AppContext;
class FlexGrid;

// The group with its two buttons (cmdTorikomi, cmdBackup); `changed` runs
// once files of the data folder were changed by either.
QGroupBox *makeTransferBox(AppContext &ctx, QWidget *parent, std::function<void()> changed);

// Widens each column of `grid` to its longest text (header and cells), so a
// long file name or reason is never cut off.
void widenColumnsToText(FlexGrid *grid);
// Sizes a window of moving data to show the whole width of `grid`, as far as
// the screen allows (the grid scrolls sideways beyond that), `height` high.
void fitWindowToGrid(QWidget *window, FlexGrid *grid, int height);

} // namespace kioku
