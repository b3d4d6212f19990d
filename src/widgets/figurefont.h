#pragma once
// Figures in small print (grid cells, chart labels) are drawn in a Latin face
// whose period is a clear dot: at 9 to 11 points the Japanese face draws the
// decimal point low and reaching under the line, so "12.25" reads as "12,25".
// Japanese characters in such a text fall back to the base font's family.
#include <QFont>
#include <QString>

namespace kioku {

// `base` with the figure face first (same size and weight).
QFont figureFont(const QFont &base);
// Whether a text holds a figure (seconds, counts, dates, times, and a
// comment such as "正解率 : 87.5%"): it is then drawn in the figure face.
bool holdsFigures(const QString &text);

} // namespace kioku
