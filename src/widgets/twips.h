#pragma once
// Sizes in twips (1440 to the inch), as the screens give them, converted with
// the logical DPI of the screen a widget is on (15 twips a pixel at 96 DPI)
// and the player's text size: a grid column or panel given in twips grows
// with the text it holds.
#include "widgets/textscale.h"

#include <QWidget>

#include <cmath>

namespace kioku {

inline int twipsToPixels(const QWidget *w, double twips)
{
    return int(std::lround(twips * textScale() * qMax(1, w->logicalDpiX()) / 1440.0));
}

inline int pixelsToTwips(const QWidget *w, int pixels)
{
    return int(std::lround(pixels * 1440.0 / (textScale() * qMax(1, w->logicalDpiX()))));
}

} // namespace kioku
