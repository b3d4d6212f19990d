#include "widgets/backcolor.h"

#include <QApplication>

#include <QAbstractButton>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace kioku {

namespace {
const char *const kProperty = "kiokuBackColor";
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
