#include "testing/darkpalette.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace kioku {

QPalette darkDesktopPalette()
{
    const QColor window(35, 38, 41), view(27, 30, 32), button(49, 54, 59);
    const QColor text(252, 252, 252), inactiveText(161, 169, 177), disabledText(112, 118, 124);
    const QColor highlight(61, 174, 233);

    QPalette p(button, window);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = g == QPalette::Disabled;
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::Base, view);
        p.setColor(g, QPalette::AlternateBase, window);
        p.setColor(g, QPalette::Button, button);
        p.setColor(g, QPalette::WindowText, disabled ? disabledText : text);
        p.setColor(g, QPalette::Text, disabled ? disabledText : text);
        p.setColor(g, QPalette::ButtonText, disabled ? disabledText : text);
        p.setColor(g, QPalette::BrightText, Qt::white);
        p.setColor(g, QPalette::PlaceholderText, disabled ? disabledText : inactiveText);
        p.setColor(g, QPalette::Highlight, disabled ? window : highlight);
        p.setColor(g, QPalette::HighlightedText, disabled ? disabledText : text);
        p.setColor(g, QPalette::ToolTipBase, button);
        p.setColor(g, QPalette::ToolTipText, text);
        p.setColor(g, QPalette::Link, QColor(29, 153, 243));
        p.setColor(g, QPalette::LinkVisited, QColor(155, 89, 182));
        p.setColor(g, QPalette::Light, QColor(64, 70, 76));
        p.setColor(g, QPalette::Midlight, QColor(56, 61, 66));
        p.setColor(g, QPalette::Mid, QColor(70, 77, 84));
        p.setColor(g, QPalette::Dark, QColor(20, 22, 24));
        p.setColor(g, QPalette::Shadow, QColor(10, 11, 12));
    }
    return p;
}

DesktopLook setDesktopLook(const QString &style, const QPalette &palette)
{
    DesktopLook before{QApplication::style()->name(), QApplication::palette()};
    if (QApplication::style()->name().compare(style, Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(style));
    QApplication::setPalette(palette);
    return before;
}

void restoreDesktopLook(const DesktopLook &look)
{
    setDesktopLook(look.style, look.palette);
}

} // namespace kioku
