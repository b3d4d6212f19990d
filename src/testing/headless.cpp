#include "testing/headless.h"

#include <QString>

namespace kioku {

namespace {
QtMessageHandler g_previous = nullptr;

void dropSizeHintWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (g_previous)
        g_previous(type, context, message);
}
} // namespace

void quietOffscreenWarnings()
{
    QtMessageHandler previous = qInstallMessageHandler(dropSizeHintWarnings);
    if (previous != dropSizeHintWarnings)
        g_previous = previous;
}

} // namespace kioku
