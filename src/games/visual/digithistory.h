#pragma once
// The history of number memory and image memory: the same seven fields, grid,
// filters and views; each game gives its own caption for the count filter and
// its own display times.
#include "games/frame/gamedescription.h"

namespace kioku {

QList<GridColumn> digitHistoryColumns();
// cboKaisu2 (right + wrong) and cboJikan2 (the display time with 秒), each emptying the other.
QList<FilterBox> digitHistoryFilters(const QString &countLabel, const QStringList &counts, const QStringList &times);
QList<ViewButton> digitHistoryViews();
QStringList digitHistoryRefreshOrder();

} // namespace kioku
