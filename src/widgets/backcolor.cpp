#include "widgets/backcolor.h"

#include <QApplication>

#include <QAbstractButton>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace kioku {

namespace {
const char *const kProperty = "kiokuBackColor";
}

namespace {
double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor readableTextOn(const QColor &back)
{
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(back, black) >= contrastRatio(back, white) ? black : white;
}

void setBackColor(QWidget *w, const QColor &c)
{
    w->setProperty(kProperty, c.isValid() ? QVariant(c) : QVariant());
    if (!c.isValid()) {
        // An empty palette inherits everything again: the system face.
        w->setPalette(QPalette());
        if (!qobject_cast<QAbstractButton *>(w))
            w->setAutoFillBackground(false);
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c); // text boxes paint their back in this role
    const QColor text = readableTextOn(c);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            p.setColor(group, role, text);
    w->setPalette(p);
    if (!qobject_cast<QAbstractButton *>(w))
        w->setAutoFillBackground(true);
}

QColor buttonFace()
{
    return QApplication::palette("QPushButton").color(QPalette::Button);
}

QColor backColor(const QWidget *w)
{
    const QVariant v = w->property(kProperty);
    return v.isValid() ? v.value<QColor>() : buttonFace();
}

} // namespace kioku
