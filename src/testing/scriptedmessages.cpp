#include "testing/scriptedmessages.h"

namespace kioku {

MsgAnswer ScriptedMessageService::show(QWidget *, const QString &text, const QString &title, MsgButtons buttons,
                                       MsgIcon icon)
{
    ShownMessage m;
    m.text = text;
    m.title = title;
    m.buttons = buttons;
    m.icon = icon;
    shown.append(m);
    if (onShow)
        onShow(m);
    // An OK-only box can only be answered with OK; the queued answers are for questions.
    if (buttons == MsgButtons::Ok || m_answers.isEmpty())
        return MsgAnswer::Ok;
    return m_answers.takeFirst();
}

} // namespace kioku
