#include "widgets/messages.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace kioku {

std::unique_ptr<QMessageBox> QtMessageService::createBox(QWidget *parent, const QString &text, const QString &title,
                                                         MsgButtons buttons, MsgIcon icon)
{
    const QString shown = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto box = std::make_unique<QMessageBox>(icon == MsgIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                                             title, shown, QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    QPushButton *ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if (buttons != MsgButtons::Ok)
        cancel = box->addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box->setEscapeButton(cancel ? cancel : ok);
    box->setDefaultButton(buttons == MsgButtons::OkCancelDefaultCancel ? cancel : ok);

    // QMessageBox wraps a long text at about 500 pixels, which breaks Japanese
    // sentences in the middle of a word. The text is laid out with its own line
    // ends, so each line keeps to one line as far as the screen leaves room.
    if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        const QFontMetrics fm(label->font());
        int widest = 0;
        for (const QString &line : shown.split(QLatin1Char('\n')))
            widest = qMax(widest, fm.horizontalAdvance(line));
        const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
        // QMessageBox never grows past this; the icon and the margins need the rest.
        const int boxLimit = screenWidth <= 1024 ? screenWidth : qMin(screenWidth - 480, 1000);
        const int limit = std::min({boxLimit - 120, screenWidth * 3 / 4, 760});
        label->setMinimumWidth(qMax(0, qMin(widest + 4, limit)));
    }
    return box;
}

MsgAnswer QtMessageService::show(QWidget *parent, const QString &text, const QString &title, MsgButtons buttons,
                                 MsgIcon icon)
{
    // The box is a child of its parent window: when that window goes while the
    // box is open, the box goes with it, so it is watched rather than owned.
    QPointer<QMessageBox> box = createBox(parent, text, title, buttons, icon).release();
    box->exec();
    if (!box)
        return buttons != MsgButtons::Ok ? MsgAnswer::Cancel : MsgAnswer::Ok;
    // Closing the box any other way than with OK is a cancel when Cancel is offered.
    const bool cancelled = buttons != MsgButtons::Ok
        && (!box->clickedButton() || box->buttonRole(box->clickedButton()) != QMessageBox::AcceptRole);
    delete box.data();
    return cancelled ? MsgAnswer::Cancel : MsgAnswer::Ok;
}

} // namespace kioku
