#include "widgets/beep.h"

#include <QApplication>

namespace kioku {

void beep()
{
    QApplication::beep();
}

} // namespace kioku
