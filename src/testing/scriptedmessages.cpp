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
    // An OK-only box can only be answered with OK; the queued answers are for
    // questions, and without one a question gets its default button.
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (m_answers.isEmpty())
        return buttons == MsgButtons::OkCancelDefaultCancel ? MsgAnswer::Cancel : MsgAnswer::Ok;
    return m_answers.takeFirst();
}

} // namespace kioku
