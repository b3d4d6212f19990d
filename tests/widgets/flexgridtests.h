#pragma once
// What the grid's tests share: a grid filled with cells that name their place,
// and a column's texts.
#include "widgets/flexgrid.h"

#include <QStringList>

using kioku::FlexGrid;

// A grid of `dataRows` rows under a header, the cell text "r,c".
inline void fill(FlexGrid &g, int cols, int dataRows)
{
    g.setCols(cols);
    g.setRows(1);
    QList<QStringList> rows;
    for (int r = 1; r <= dataRows; ++r) {
        QStringList cells;
        for (int c = 0; c < cols; ++c)
            cells << QStringLiteral("%1,%2").arg(r).arg(c);
        rows << cells;
    }
    g.setDataRows(rows);
}
