#include "widgets/backcolor.h"

#include <QApplication>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace kioku {

namespace {

const char *const kBackProperty = "kiokuBackColor";
const char *const kTextProperty = "kiokuTextColor";

double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

QColor mix(const QColor &from, const QColor &to, double t)
{
    auto ch = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(ch(from.red(), to.red()), ch(from.green(), to.green()), ch(from.blue(), to.blue()));
}

// Buttons, labels and text boxes paint themselves in the colour; any other
// widget is a container whose own controls keep the desktop's colours.
bool colouredWhole(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLabel *>(w)
        || qobject_cast<const QLineEdit *>(w);
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

namespace {

// `preferred`, or the first shade of it towards black or white that stands out
// from `back` by `ratio`; the hue stays recognisable.
QColor shadeThatStandsOut(const QColor &back, const QColor &preferred, double ratio)
{
    if (contrastRatio(preferred, back) >= ratio)
        return preferred;
    const QColor end = readableTextOn(back);
    for (int step = 1; step <= 40; ++step) {
        const QColor c = mix(preferred, end, step / 40.0);
        if (contrastRatio(c, back) >= ratio)
            return c;
    }
    return end;
}

} // namespace

QColor readableTextOn(const QColor &back, const QColor &preferred)
{
    if (!preferred.isValid())
        return readableTextOn(back);
    if (preferred.rgb() == back.rgb())
        return preferred;
    return shadeThatStandsOut(back, preferred, kReadableContrast);
}

QColor visibleLineOn(const QColor &back, const QColor &preferred)
{
    return shadeThatStandsOut(back, preferred.isValid() ? preferred : back, kVisibleLineContrast);
}

void setBackColor(QWidget *w, const QColor &c)
{
    setBackColor(w, c, QColor());
}

void setBackColor(QWidget *w, const QColor &c, const QColor &text)
{
    // A button given the button face is an unselected button: it follows the desktop.
    const bool face = qobject_cast<QAbstractButton *>(w) && c == buttonFace();
    const bool own = c.isValid() && !face;
    w->setProperty(kBackProperty, own ? QVariant(c) : QVariant());
    w->setProperty(kTextProperty, own && text.isValid() ? QVariant(text) : QVariant());
    if (!own) {
        // An empty palette inherits everything again: the desktop's colours.
        w->setPalette(QPalette());
        if (!qobject_cast<QAbstractButton *>(w))
            w->setAutoFillBackground(false);
        return;
    }
    const QColor fore = readableTextOn(c, text);
    // A disabled control shows its text faded towards the back, still apart from it.
    const QColor faded = fore.rgb() == c.rgb() ? fore : mix(fore, c, 0.4);
    QPalette p = w->palette();
    const bool whole = colouredWhole(w);
    const QList<QPalette::ColorRole> backs = whole
        ? QList<QPalette::ColorRole>{QPalette::Window, QPalette::Button, QPalette::Base}
        : QList<QPalette::ColorRole>{QPalette::Window};
    const QList<QPalette::ColorRole> texts = whole
        ? QList<QPalette::ColorRole>{QPalette::WindowText, QPalette::ButtonText, QPalette::Text,
                                     QPalette::PlaceholderText}
        : QList<QPalette::ColorRole>{QPalette::WindowText};
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role : backs)
            p.setColor(group, role, c); // text boxes paint their back in Base
        for (QPalette::ColorRole role : texts)
            p.setColor(group, role, group == QPalette::Disabled || role == QPalette::PlaceholderText ? faded : fore);
    }
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
    const QVariant v = w->property(kBackProperty);
    return v.isValid() ? v.value<QColor>() : buttonFace();
}

bool hasBackColor(const QWidget *w)
{
    return w->property(kBackProperty).isValid();
}

QColor textColor(const QWidget *w)
{
    const QVariant v = w->property(kTextProperty);
    return v.isValid() ? v.value<QColor>() : QColor();
}

} // namespace kioku
