#pragma once
// The log grids: the edit screen's msgHenList and the diary's msgMemoList show
// every record of the play log in the same six columns (回数, 日付, 時間, 項目,
// 秒数, 一言日記). Each grid has its own font size, column widths and the row
// count past which a fill scrolls to the newest record.
#include "core/playlog/playlog.h"
#include "core/stats/playrows.h"

#include <QList>

class QWidget;

namespace kioku {

class Clock;
class FlexGrid;
class MessageService;

// The header row, widths, alignments and font size of the grid (by its objectName).
void setupLogGrid(FlexGrid *grid);
// One row per record, numbered from 1, then scrolled to the newest record when
// the grid has grown past its limit.
void fillLogGrid(FlexGrid *grid, const QList<PlayRecord> &records);
// The records of the grid's rows, in grid order; the seconds go back through
// a float of their text.
QList<PlayRecord> recordsFromGrid(const FlexGrid *grid);
// Rewrites the play log from the record rows of a log grid (the edit screen's
// deletions, the diary's comments), after a copy of the log as it was, named
// by `clock`'s time. A failure (of the copy or of the rewrite) is told to the
// user in a box over `parent` and the file is left as it was; returns whether
// it was written.
bool rewriteLogFromGrid(const FlexGrid *grid, const Clock &clock, MessageService &messages, QWidget *parent);

} // namespace kioku
