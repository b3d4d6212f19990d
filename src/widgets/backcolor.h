#pragma once
// A selected button is shown by a light back colour, and the windows read that
// colour back to know which view or condition is selected. The colour is kept
// as a property of the widget (so it reads back exactly) and painted through
// the palette.
#include <QColor>

class QWidget;

namespace kioku {

// &HC0C0FF, the light red of a selected graph button of the today panel.
inline const QColor kSelectedLightRed = QColor(255, 192, 192);

// The system button face (&H8000000F), the back colour of an unselected button.
QColor buttonFace();

// The contrast ratio of two colours (1 to 21), from their relative luminance.
double contrastRatio(const QColor &a, const QColor &b);
// Black or white, whichever reads better on `back`: every surface the program
// colours takes its text colour from here, so it reads under a dark desktop
// palette as well as a light one.
QColor readableTextOn(const QColor &back);

// Sets the back colour of a button or label, and a text colour that reads on
// it; an invalid colour gives back the system button face and the desktop's text.
void setBackColor(QWidget *w, const QColor &c);
// The back colour set by setBackColor; the system button face while none is set.
QColor backColor(const QWidget *w);

} // namespace kioku
