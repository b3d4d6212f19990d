#include "widgets/shape.h"

#include <QPainter>
#include <QPainterPath>

namespace kioku {

Shape::Shape(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void Shape::setFillColor(const QColor &c)
{
    if (m_fill == c)
        return;
    m_fill = c;
    update();
}

void Shape::setBorderColor(const QColor &c)
{
    if (m_border == c)
        return;
    m_border = c;
    update();
}

void Shape::setBorderWidth(int w)
{
    w = qMax(0, w);
    if (m_borderWidth == w)
        return;
    m_borderWidth = w;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The border lies inside the widget's rectangle.
    const qreal half = m_borderWidth / 2.0;
    QRectF r = QRectF(rect()).adjusted(half, half, -half, -half);
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (m_borderWidth > 0) {
        QPen pen(m_border, m_borderWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(m_fill);
    switch (m_kind) {
    case Kind::Rectangle:
        // Pixel-aligned: a 1-pixel border on the pixel centres stays sharp.
        p.drawRect(r);
        break;
    case Kind::RoundedRectangle: {
        const qreal radius = qMin(r.width(), r.height()) / 4;
        p.drawRoundedRect(r, radius, radius);
        break;
    }
    case Kind::Circle: {
        // A circle as large as fits, centred (the old shape control drew it so).
        const qreal d = qMin(r.width(), r.height());
        p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
        break;
    }
    }
}

} // namespace kioku
