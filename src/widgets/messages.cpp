#include "widgets/messages.h"

#include <QMessageBox>
#include <QPushButton>

namespace kioku {

MsgAnswer QtMessageService::show(QWidget *parent, const QString &text, const QString &title,
                                 MsgButtons buttons, MsgIcon icon)
{
    QMessageBox box(icon == MsgIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    title, QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if (buttons == MsgButtons::OkCancel) {
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(ok);
    box.exec();
    // Closing the box any other way than with OK is a cancel when Cancel is offered.
    if (buttons == MsgButtons::OkCancel && box.clickedButton() != ok)
        return MsgAnswer::Cancel;
    return MsgAnswer::Ok;
}

MsgAnswer ScriptedMessageService::show(QWidget *, const QString &text, const QString &title,
                                       MsgButtons buttons, MsgIcon icon)
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
