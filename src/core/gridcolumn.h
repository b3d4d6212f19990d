#pragma once
// One column of a grid as the screens describe it: header, width in twips
// (1440 to the inch), alignment of its data cells and, for a history grid,
// the field it shows. Every grid of the program is set up from a list of these.
#include <QString>
#include <Qt>

namespace kioku {

enum class DateForm {
    AsStored, // the field as it is in the file
    Short,    // "yyyy/mm/dd" shown as "yy/mm/dd"
};

struct GridColumn {
    QString header;
    int twips = 1000;
    Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    // History grids: 0 is the running number of the shown rows (from 1);
    // otherwise the history field shown (numbered from 1).
    int field = 0;
    DateForm date = DateForm::AsStored;
};

} // namespace kioku
