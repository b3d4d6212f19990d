#pragma once
// A board of pieces or panels played by the keyboard: the arrow keys move
// over the cells that can be played (a hidden or disabled one is passed
// over; left and right go on to the line above or below, as reading does), Space or Enter plays the cell with the
// focus, and Tab leaves the board for the control after it (Shift+Tab for the one before). The cell with the focus is
// framed in the palette's highlight over a light line, so the frame shows on any piece under a light or a dark desktop.
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace kioku {

class FocusRing;

class BoardKeys : public QObject {
public:
    // `cells` in reading order, `columns` to a row; `play(i)` plays cell i
    // (0-based) as a click would. `board` holds them: it keeps the focus while
    // no cell can take it (a trace being shown), and a board that holds the
    // focus, or a window whose focus rests on no control, hands it to a cell
    // as soon as one can be played.
    BoardKeys(const QList<QWidget *> &cells, int columns, QWidget *board, std::function<void(int)> play);

    // The cell that has the focus, or had it last (0-based).
    int current() const { return m_current; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool playable(int i) const;
    // The next playable cell from `from` in the direction (dx, dy), or -1.
    int neighbour(int from, int dx, int dy) const;
    // The next playable cell after (step 1) or before (step -1) `from` in reading order, or -1.
    int inReadingOrder(int from, int step) const;
    // The playable cell nearest `from` in reading order, or -1.
    int nearest(int from) const;
    void focusCell(int i, Qt::FocusReason reason);
    void leaveBoard(bool forward);
    void placeRing();

    QList<QWidget *> m_cells;
    int m_columns;
    QPointer<QWidget> m_board;
    std::function<void(int)> m_play;
    FocusRing *m_ring = nullptr;
    int m_current = 0;
    bool m_parked = false; // the cells stopped taking input under the focus
};

} // namespace kioku
