#include "main/loggrid.h"

#include "core/stats/playrows.h"
#include "core/text/recordline.h"
#include "views/panel.h"
#include "widgets/flexgrid.h"

namespace kioku {

namespace {

struct LogGridLayout {
    const char *grid;
    double fontSize;
    QList<int> widths;
    int scrollPast;
};
const char *const kLogHeaders[] = {"回数", "日付", "時間", "項目", "秒数", "一言日記"};
const Qt::Alignment kLogAlign[] = {kAlignRight, kAlignCenter, kAlignCenter, kAlignLeft, kAlignRight, kAlignLeft};
const LogGridLayout kLogGrids[] = {
    {"msgHenList", 11, {800, 1400, 1000, 1750, 850, 5230}, 24},
    {"msgMemoList", 9, {570, 1140, 870, 1850, 650, 6000}, 16},
};

const LogGridLayout &logGridLayout(const FlexGrid *grid)
{
    for (const LogGridLayout &l : kLogGrids)
        if (grid->objectName() == QLatin1String(l.grid))
            return l;
    return kLogGrids[0];
}

} // namespace

void setupLogGrid(FlexGrid *grid)
{
    const LogGridLayout &l = logGridLayout(grid);
    QList<GridColumn> columns;
    for (int c = 0; c < 6; ++c)
        columns.append(gridColumn(kLogHeaders[c], l.widths[c], kLogAlign[c]));
    grid->setColumns(columns, l.fontSize);
}

void fillLogGrid(FlexGrid *grid, const QList<PlayRecord> &records)
{
    grid->setDataRows(std::make_shared<PlayRows>(records, logFields()));
    grid->scrollToLastIfMoreThan(logGridLayout(grid).scrollPast);
}

QList<PlayRecord> recordsFromGrid(const FlexGrid *grid)
{
    QList<PlayRecord> records;
    records.reserve(grid->rows() - 1);
    for (int r = 1; r < grid->rows(); ++r) {
        PlayRecord rec;
        rec.date = grid->textMatrix(r, 1);
        rec.time = grid->textMatrix(r, 2);
        rec.item = grid->textMatrix(r, 3);
        rec.seconds = float(text::leadingNumber(grid->textMatrix(r, 4)));
        rec.comment = grid->textMatrix(r, 5);
        records.append(rec);
    }
    return records;
}

bool rewriteLogFromGrid(const FlexGrid *grid, const Clock &clock, MessageService &messages, QWidget *parent)
{
    return !reportWriteFailure(messages, parent, rewritePlayLog(recordsFromGrid(grid), clock));
}

} // namespace kioku
