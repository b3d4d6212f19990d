#pragma once
// A selected button is shown by a light back colour, and the windows read that
// colour back to know which view or condition is selected. The colour is kept
// as a property of the widget (so it reads back exactly) and painted through
// the palette.
//
// Every surface the program colours goes through setBackColor, which gives it
// a text colour that reads on that colour (contrast at least 4.5:1) whatever
// the desktop palette: under a dark theme a pastel label keeps dark text.
// Everything the program does not colour follows the desktop palette.
#include <QColor>

class QWidget;

namespace kioku {

// &HC0C0FF, the light red of a selected graph button of the today panel.
inline const QColor kSelectedLightRed = QColor(255, 192, 192);

// The contrast a text needs on its back colour (WCAG AA for normal text).
inline constexpr double kReadableContrast = 4.5;

// The contrast a line or an indicator needs on its back colour (WCAG 2.1 for
// parts of controls and graphics: grid lines, the ring of an option button).
inline constexpr double kVisibleLineContrast = 3.0;

// The system button face (&H8000000F), the back colour of an unselected button.
QColor buttonFace();

// The contrast ratio of two colours (1 to 21), from their relative luminance.
double contrastRatio(const QColor &a, const QColor &b);
// Black or white, whichever reads better on `back`: every surface the program
// colours takes its text colour from here, so it reads under a dark desktop
// palette as well as a light one.
QColor readableTextOn(const QColor &back);
// `preferred` where it reads on `back`, else the nearest shade of it (towards
// black or white) that does: a red total stays red, a shade darker on white
// and lighter on a dark grid. A text in its back colour is hidden on purpose
// and stays so.
QColor readableTextOn(const QColor &back, const QColor &preferred);
// The same for a line or an indicator: `preferred` (the desktop's own colour
// for it) where it stands out from `back` by kVisibleLineContrast, else the
// nearest shade of it towards black or white that does.
QColor visibleLineOn(const QColor &back, const QColor &preferred);

// Sets the back colour of a button, label or text box, and a text colour that
// reads on it. A container (a frame holding other controls) takes the colour
// as its window colour only: its captions read on it, while its buttons and
// text boxes keep the desktop's. An invalid colour, or the button face on a
// button (an unselected button), gives the widget back to the desktop: it
// follows the desktop palette again, also when the desktop changes its theme.
void setBackColor(QWidget *w, const QColor &c);
// The same with a text colour of its own (made readable by readableTextOn);
// text == c hides the text (a letter that is there but not to be seen).
void setBackColor(QWidget *w, const QColor &c, const QColor &text);
// The back colour set by setBackColor; the system button face while none is set.
QColor backColor(const QWidget *w);
// True while the widget has a back colour of its own (not the button face).
bool hasBackColor(const QWidget *w);
// The text colour asked for by setBackColor (the one drawn may be a shade
// darker or lighter so that it reads); invalid while none was asked for.
QColor textColor(const QWidget *w);

} // namespace kioku
