#include "widgets/optionbutton.h"

#include "widgets/backcolor.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace kioku {

OptionButton::OptionButton(const QString &text, QWidget *parent) : QRadioButton(text, parent)
{
}

void OptionButton::paintEvent(QPaintEvent *e)
{
    QRadioButton::paintEvent(e);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    if (indicator.width() < 4 || indicator.height() < 4)
        return;
    // The ring in the colour of the caption, faded towards the back as far as
    // it still stands out: a light outline, not a second caption.
    const QColor back = palette().color(backgroundRole());
    const QColor caption = palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole());
    const QColor ring =
        visibleLineOn(back,
                      QColor((back.red() * 2 + caption.red()) / 3, (back.green() * 2 + caption.green()) / 3,
                             (back.blue() * 2 + caption.blue()) / 3));
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ring, 1));
    p.setBrush(Qt::NoBrush);
    const qreal side = qMin(indicator.width(), indicator.height());
    QRectF circle(0, 0, side - 1, side - 1);
    circle.moveCenter(QRectF(indicator).center());
    p.drawEllipse(circle);
}

} // namespace kioku
