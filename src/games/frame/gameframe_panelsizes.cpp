// GameFrame's history panel sizes: tall, compact or put away, and the window
// that grows with a tall panel and goes back to its size afterwards.
#include "games/frame/gameframe.h"

#include "games/frame/historypanel.h"

#include <QCoreApplication>
#include <QLayout>
#include <QMouseEvent>

namespace kioku {

void GameFrame::setPanelTall(bool tall)
{
    if (!m_desc.panel.enabled)
        return;
    m_history->setTall(tall);
    applyPanelLayout();
    m_history->scrollForState();
}

void GameFrame::Form_Click()
{
    if (m_closing || !m_desc.panel.enabled || !m_desc.panel.formClickMakesTall)
        return;
    setPanelTall(true);
}

void GameFrame::fraRireki_Click()
{
    if (m_closing || !m_desc.panel.enabled || !m_desc.panel.panelClickHides)
        return;
    m_history->setPutAway(true);
    m_history->hide();
    applyPanelLayout();
}

void GameFrame::showHistoryPanel()
{
    if (!m_history->isPutAway())
        return;
    m_history->setPutAway(false);
    // Laid out for the panel first: a child shown lays its window out at once,
    // and a tall panel beside the board would grow the window for nothing.
    applyPanelLayout();
    m_history->show();
}

void GameFrame::mousePressEvent(QMouseEvent *event)
{
    // Presses that no control took come here; only the bare background is Form_Click.
    if (event->button() == Qt::LeftButton && onBackground(this, childAt(event->position().toPoint()))) {
        event->accept();
        Form_Click();
        return;
    }
    QWidget::mousePressEvent(event);
}

void GameFrame::applyPanelLayout()
{
    // The tall panel lies over the play area; a hidden one leaves it free. (The
    // panel has taken its heights first: a child shown lays its window out at once.)
    const PanelStates &p = m_desc.panel;
    if (p.enabled && p.tallCoversPlayArea)
        m_playArea->setVisible(!(m_history->isTall() && !m_history->isPutAway()));
    fitWindowToPanel();
}

void GameFrame::fitWindowToPanel()
{
    // A tall panel may have grown the window; once it is compact or hidden
    // again the window goes back to the size it had before.
    const bool grown = m_desc.panel.enabled && m_history->isTall() && !m_history->isPutAway();
    if (grown == m_panelGrown)
        return;
    m_panelGrown = grown;
    if (grown) {
        m_sizeBeforeTall = isVisible() ? size() : QSize();
        return;
    }
    if (!isVisible() || !m_sizeBeforeTall.isValid())
        return;
    if (QLayout *l = layout()) {
        // The window's smallest size as it is now, not as the panel left it:
        // the panel's own layout takes in its smaller grid first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        l->invalidate();
        l->activate();
    }
    resize(m_sizeBeforeTall.expandedTo(minimumSize()));
}

} // namespace kioku
