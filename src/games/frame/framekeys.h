#pragma once
// A game window played from the keyboard alone: the Tab key goes over the
// play area first (スタート, the board or the answers, the settings), then the
// history panel, then the buttons at the bottom (Enter presses the button
// with the focus in every window: appearance.h); ESC goes back to the main
// window (戻り) when no play runs
// (an answer box that takes ESC for a give-up keeps it, and so does an input
// method converting a word).
#include <QObject>

class QWidget;

namespace kioku {

class GameFrame;

class FrameKeys : public QObject {
public:
    explicit FrameKeys(GameFrame *frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void orderTabs();

    GameFrame *m_frame;
    bool m_ordered = false;
};

} // namespace kioku
