#pragma once
// The usual play area of a game window: the countdown pictures on the left,
// the board (a group box 「問題」, fraMondai) in the middle and a column with
// スタート on the right, all in one row; under it a strip for the settings
// and the result. The game fills the board and the strip, adds its buttons
// under スタート and may add more to the row.
#include <QWidget>

class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kioku {

// The three pictures of the start countdown, one over the other (fraCountdown):
// the tick shown is the only one visible. Between its pictures it is bare
// background, as a plain widget is (no Q_OBJECT: a click there is the window's).
class CountdownPictures : public QWidget {
public:
    explicit CountdownPictures(QWidget *parent);
    // imgStart1..imgStart3 (1..3); null for any other number.
    QLabel *picture(int i) const;
    // Shows the picture of `tick` (1..3) alone.
    void showTick(int tick);
    void hideAll();

private:
    QLabel *m_img[3] = {nullptr, nullptr, nullptr};
};

struct PlayAreaLayout {
    QHBoxLayout *row = nullptr;
    QGroupBox *board = nullptr;
    QVBoxLayout *boardLayout = nullptr;
    QVBoxLayout *buttons = nullptr;
    QHBoxLayout *strip = nullptr;
    // A button under スタート (and under the ones added before it).
    void addButton(QWidget *button) const;
};

// Lays the usual play area out in `area`, with `countdown` and `start` in their places.
PlayAreaLayout buildStandardPlayArea(QWidget *area, QWidget *countdown, QPushButton *start);

} // namespace kioku
