#include "testing/controls.h"

#include <QtGlobal>

namespace kioku {

void noSuchControl(const QWidget *root, const QString &name, qsizetype found)
{
    qFatal("%s holds %d controls named %s of the type asked for, not one", qPrintable(root->objectName()), int(found),
           qPrintable(name));
}

} // namespace kioku
