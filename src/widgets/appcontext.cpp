#include "widgets/appcontext.h"

#include "widgets/messages.h"

namespace kioku {

void AppContext::showHelpTour(QWidget *parent)
{
    if (helpTourOn != 0 && messages)
        messages->show(parent, helpTourText, QStringLiteral("ヘルプツアー"), MsgButtons::Ok,
                       MsgIcon::Information);
}

} // namespace kioku
