#include "games/frame/framekeys.h"

#include "games/frame/gameframe.h"

#include <QKeyEvent>
#include <QPushButton>

namespace kioku {

FrameKeys::FrameKeys(GameFrame *frame) : QObject(frame), m_frame(frame)
{
    frame->installEventFilter(this);
}

void FrameKeys::orderTabs()
{
    // The focus chain as the window was built, sorted into three parts kept in
    // their own order: the play area, the history panel, and the rest (the
    // save and way-back buttons).
    QList<QWidget *> play, history, rest;
    const QWidget *area = m_frame->findChild<QWidget *>(QStringLiteral("fraGame"), Qt::FindDirectChildrenOnly);
    QWidget *w = m_frame;
    for (int guard = 0; guard < 10000; ++guard) {
        w = w->nextInFocusChain();
        if (!w || w == m_frame)
            break;
        if (w->window() != m_frame || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (m_frame->historyPanel()->isAncestorOf(w))
            history << w;
        else if (w == m_frame->cmdStart())
            play.prepend(w); // first of all
        else if (area && area->isAncestorOf(w))
            play << w;
        else
            rest << w;
    }
    const QList<QWidget *> order = play + history + rest;
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

bool FrameKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_frame && event->type() == QEvent::Show && !m_ordered) {
        m_ordered = true;
        orderTabs();
        // The window opens ready to play: スタート has the focus.
        if (!m_frame->focusWidget() && m_frame->cmdStart()->isEnabled())
            m_frame->cmdStart()->setFocus(Qt::OtherFocusReason);
    }
    if (event->type() != QEvent::KeyPress || m_frame->closing())
        return QObject::eventFilter(watched, event);
    auto *k = static_cast<QKeyEvent *>(event);
    if (k->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return QObject::eventFilter(watched, event);
    const GameFrame::PlayState s = m_frame->playState();
    if (k->key() == Qt::Key_Escape && (s == GameFrame::PlayState::Idle || s == GameFrame::PlayState::Finished)) {
        // No play to give up: ESC is the way back. (The controls that give ESC
        // a meaning of their own — an answer box, an open list — take it first.)
        m_frame->cmdEnd_Click();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kioku
