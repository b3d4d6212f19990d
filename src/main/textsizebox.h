#pragma once
// The player's text size on the edit screen (fraMoji): 標準, 大きい and
// とても大きい, stored in "文字の大きさ.txt". Every window opened after a
// choice is built at that size; the one open keeps the size it was built with.
#include <QGroupBox>
#include <QList>

class QRadioButton;

namespace kioku {

struct AppContext;

class TextSizeBox : public QGroupBox {
    Q_OBJECT
public:
    TextSizeBox(AppContext &ctx, QWidget *parent);

    // Ticks the step the file holds (the edit screen opens).
    void showStored();
    // The player chose step `step` (0, 1, 2): the file is copied and rewritten;
    // the size applies from the next window (the box says so).
    void optMoji_Click(int step);
    QRadioButton *optMoji(int step) const { return m_options.value(step); }

private:
    AppContext &m_ctx;
    QList<QRadioButton *> m_options;
};

// Sets the text size the file holds, before a window is built.
void applyStoredTextSize();
// Tells the player, once per run, when "文字の大きさ.txt" cannot be read or
// holds something else than a text size (標準 is used then).
void tellTextSizeProblem(AppContext &ctx, QWidget *parent);

} // namespace kioku
