#pragma once
// The player's text size: every window is drawn with the application font
// times this scale (1.0, 1.25 or 1.5), and the sizes a window fixes itself
// (cells, boards, boxes) grow with it, so that larger text still fits.
#include <QtGlobal>

class QFont;
class QSize;

namespace kioku {

// The scale in force (1.0 until set).
double textScale();
// Sets the scale and the application font with it: windows built from now on
// take it in whole; open ones take the new font at once.
void setTextScale(double scale);
// The application font at scale 1.0 (applyAppearance sets it once).
void setBaseApplicationFont(const QFont &font);

// The inside of a window on the smallest screen the program is made for,
// 1366×768: less a desktop panel (GNOME's top bar, 32 px), a title bar with
// its frame (about 36 px) and a border of a few pixels each side. A window
// larger than this has its bottom row (保存, 戻り) under the panel.
constexpr int kSmallScreenWidth = 1366 - 8;
constexpr int kSmallScreenHeight = 768 - 32 - 36;

// A size given in pixels at scale 1.0, at the scale in force.
int scaledPx(int px);
QSize scaledSize(int width, int height);
// A font size in points at scale 1.0, at the scale in force.
qreal scaledPt(qreal pt);
// The same for a board whose text is drawn large already (the digits, the
// letter tiles, the pieces): it grows half as much, so the window still fits
// a small screen at the largest text size.
int boardPx(int px);
QSize boardSize(int width, int height);
qreal boardPt(qreal pt);

} // namespace kioku
