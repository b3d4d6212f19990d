#include "widgets/appcontext.h"

#include "widgets/messages.h"

namespace kioku {

void AppContext::showHelpTour(QWidget *parent, const QString &text)
{
    session.helpTourText = text;
    if (session.helpTourOn != 0)
        messages.show(parent, text, QStringLiteral("ヘルプツアー"), MsgButtons::Ok, MsgIcon::Information);
}

} // namespace kioku
