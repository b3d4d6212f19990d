#include "core/gridrows.h"

#include "core/text/recordline.h"

namespace kioku {

double GridRows::sortNumber(int row, int column) const
{
    return text::leadingNumber(cell(row, column));
}

} // namespace kioku
