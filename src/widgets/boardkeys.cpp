#include "widgets/boardkeys.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace kioku {

// The frame over the cell with the focus; clicks go through it.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("focusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        p.setPen(QPen(palette().color(QPalette::Highlight), 4));
        p.drawRoundedRect(r, 4, 4);
        p.setPen(QPen(QColor(255, 255, 255), 1.5));
        p.drawRoundedRect(r.adjusted(2.5, 2.5, -2.5, -2.5), 3, 3);
    }
};

BoardKeys::BoardKeys(const QList<QWidget *> &cells, int columns, QWidget *board, std::function<void(int)> play)
    : QObject(board), m_cells(cells), m_columns(qMax(1, columns)), m_board(board), m_play(std::move(play))
{
    for (QWidget *c : std::as_const(m_cells)) {
        c->setFocusPolicy(Qt::StrongFocus);
        c->installEventFilter(this);
    }
    if (!m_cells.isEmpty())
        m_ring = new FocusRing(m_cells.first()->parentWidget());
}

bool BoardKeys::playable(int i) const
{
    const QWidget *c = m_cells.value(i);
    return c && c->isVisible() && c->isEnabled();
}

int BoardKeys::neighbour(int from, int dx, int dy) const
{
    const int n = int(m_cells.size());
    const int rows = (n + m_columns - 1) / m_columns;
    int col = from % m_columns;
    int row = from / m_columns;
    // Straight on first; then the nearest playable cell of the next lines over.
    for (int step = 1; step < qMax(rows, m_columns); ++step) {
        const int c = col + dx * step, r = row + dy * step;
        if (c < 0 || c >= m_columns || r < 0 || r >= rows)
            break;
        if (playable(r * m_columns + c))
            return r * m_columns + c;
    }
    for (int step = 1; step < qMax(rows, m_columns); ++step) {
        const int c0 = col + dx * step, r0 = row + dy * step;
        if (c0 < 0 || c0 >= m_columns || r0 < 0 || r0 >= rows)
            break;
        for (int off = 1; off < qMax(rows, m_columns); ++off)
            for (int sign : {-1, 1}) {
                const int c = dx ? c0 : c0 + sign * off;
                const int r = dy ? r0 : r0 + sign * off;
                if (c >= 0 && c < m_columns && r >= 0 && r < rows && playable(r * m_columns + c))
                    return r * m_columns + c;
            }
    }
    return -1;
}

int BoardKeys::inReadingOrder(int from, int step) const
{
    for (int i = from + step; i >= 0 && i < int(m_cells.size()); i += step)
        if (playable(i))
            return i;
    return -1;
}

int BoardKeys::nearest(int from) const
{
    const int n = int(m_cells.size());
    for (int off = 0; off < n; ++off)
        for (int i : {from + off, from - off})
            if (i >= 0 && i < n && playable(i))
                return i;
    return -1;
}

void BoardKeys::focusCell(int i, Qt::FocusReason reason)
{
    if (QWidget *c = m_cells.value(i)) {
        m_current = i;
        c->setFocus(reason);
    }
}

void BoardKeys::leaveBoard(bool forward)
{
    // The first control before or after the whole board that the Tab key reaches.
    QWidget *w = forward ? m_cells.last() : m_cells.first();
    for (int guard = 0; guard < 1000; ++guard) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == m_cells.first() || w == m_cells.last())
            return;
        if (m_cells.contains(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()
            && w->window() == m_cells.first()->window()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void BoardKeys::placeRing()
{
    QWidget *c = m_cells.value(m_current);
    if (!m_ring || !c)
        return;
    const bool show = c->hasFocus() && c->isVisible();
    if (show) {
        m_ring->setParent(c->parentWidget());
        m_ring->setGeometry(c->geometry());
        m_ring->raise();
        m_ring->show();
    } else {
        m_ring->hide();
    }
}

bool BoardKeys::eventFilter(QObject *watched, QEvent *event)
{
    const int i = int(m_cells.indexOf(static_cast<QWidget *>(watched)));
    if (i < 0)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *k = static_cast<QKeyEvent *>(event);
        int to = -1;
        switch (k->key()) {
        case Qt::Key_Left:
            to = inReadingOrder(i, -1);
            break;
        case Qt::Key_Right:
            to = inReadingOrder(i, 1);
            break;
        case Qt::Key_Up:
            to = neighbour(i, 0, -1);
            break;
        case Qt::Key_Down:
            to = neighbour(i, 0, 1);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!k->isAutoRepeat() && playable(i))
                m_play(i);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            leaveBoard(k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier));
            return true;
        default:
            return false;
        }
        if (to >= 0)
            focusCell(to, Qt::OtherFocusReason);
        return true;
    }
    case QEvent::KeyRelease: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        return key == Qt::Key_Space; // played on the press already
    }
    case QEvent::FocusIn:
        // While the board is taking no input, the focus that Qt walks over the
        // cells being disabled one by one is no choice of the player's.
        if (!m_parked || static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason) {
            m_parked = false;
            m_current = i;
        }
        placeRing();
        break;
    case QEvent::FocusOut:
        placeRing();
        if (!static_cast<QWidget *>(watched)->isEnabled() && m_board) {
            m_parked = true; // m_current keeps the cell the player was on
            // The board stopped taking input under the focus (a trace is shown):
            // the focus waits on the board instead of on another control.
            QPointer<QWidget> board = m_board;
            QPointer<QWidget> cell = static_cast<QWidget *>(watched);
            QTimer::singleShot(0, board, [this, board, cell] {
                // Only while the board still takes no input and the focus is
                // not back on it already.
                QWidget *focus = QApplication::focusWidget();
                if (board && cell && !cell->isEnabled() && board->isVisible() && board->isActiveWindow()
                    && focus != board && !m_cells.contains(focus))
                    board->setFocus(Qt::OtherFocusReason);
            });
        }
        break;
    case QEvent::Hide:
        // A cell played away (a pair taken off the board): the focus stays on
        // the board, on the nearest cell still to be played. (Hide comes
        // before the focus would run off to the next control.)
        if (static_cast<QWidget *>(watched)->hasFocus()) {
            m_ring->hide();
            const int to = nearest(i);
            if (to >= 0 && to != i)
                focusCell(to, Qt::OtherFocusReason);
            else if (m_board)
                m_board->setFocus(Qt::OtherFocusReason);
        }
        break;
    case QEvent::EnabledChange: {
        auto *cell = static_cast<QWidget *>(watched);
        QWidget *focus = QApplication::focusWidget();
        if (cell->isEnabled() && (!focus || focus == m_board || focus->focusPolicy() == Qt::NoFocus)) {
            // Playable again: a board that kept the focus, or a window whose focus
            // rests on no control (スタート was pressed), hands it to a cell.
            // The cell the player was on, when it comes back (the cells come back
            // one by one), else the nearest one still on the board.
            const QWidget *last = m_cells.value(m_current);
            const bool lastGone = !last || last->isHidden();
            if (cell->isVisible() && (i == m_current || (lastGone && nearest(m_current) == i))) {
                m_parked = false;
                focusCell(i, Qt::OtherFocusReason);
            }
        }
        placeRing();
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kioku
