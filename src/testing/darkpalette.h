#pragma once
// The palette a dark desktop theme hands to Qt (the colours of KDE's Breeze
// Dark; a dark GTK theme gives much the same), for the tests and the
// screenshot tool that look at the windows under a dark desktop.
#include <QPalette>

namespace kioku {

QPalette darkDesktopPalette();

// Fusion with the given palette for the whole application, as a desktop that
// hands Qt its theme does; returns what was in force before.
struct DesktopLook {
    QString style;
    QPalette palette;
};
DesktopLook setDesktopLook(const QString &style, const QPalette &palette);
void restoreDesktopLook(const DesktopLook &look);

} // namespace kioku
