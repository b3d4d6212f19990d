#pragma once
// The data rows of a grid computed when they are shown rather than held as
// texts: a grid of every play of a decade would otherwise keep a string for
// each of its 600,000 cells. The grid asks for the cells it draws, reads and
// sorts; cells the user edits are kept by the grid itself.
#include <QString>

namespace kioku {

class GridRows {
public:
    virtual ~GridRows() = default;
    virtual int count() const = 0;
    virtual int columns() const = 0;
    // The text of data row `row` (from 0), column `column`; empty past the columns.
    virtual QString cell(int row, int column) const = 0;
    // The key of a numeric sort: by default the leading number of the text. A
    // source that knows the number behind a text gives it directly, in the
    // same order as the texts' numbers.
    virtual double sortNumber(int row, int column) const;
};

} // namespace kioku
