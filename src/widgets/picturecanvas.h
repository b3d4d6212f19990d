#pragma once
// What the program's pictures are drawn with: a 100 × 100 canvas scaled to the
// size asked for, pens, a bold face, text centred by its ink, and the tile
// behind every game icon. For the picture files of widgets/ only.
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kioku::pictures::draw {

// Every picture is drawn on a 100 × 100 canvas scaled to the size asked for.
class Canvas {
public:
    explicit Canvas(int size)
    {
        size = qMax(1, size);
        const qreal dpr = qGuiApp ? qMax<qreal>(1, qGuiApp->devicePixelRatio()) : 1;
        m_pixmap = QPixmap(QSize(size, size) * dpr);
        m_pixmap.setDevicePixelRatio(dpr);
        m_pixmap.fill(Qt::transparent);
        m_painter.begin(&m_pixmap);
        m_painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        m_painter.scale(size / 100.0, size / 100.0);
    }
    QPainter &p() { return m_painter; }
    QPixmap finish()
    {
        m_painter.end();
        return m_pixmap;
    }

private:
    QPixmap m_pixmap;
    QPainter m_painter;
};

inline QPen pen(const QColor &c, qreal w, Qt::PenCapStyle cap = Qt::RoundCap)
{
    QPen p(c, w);
    p.setCapStyle(cap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

inline QFont boldFont(qreal pixelSize)
{
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("Sans Serif")});
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Text as a path, centred on `centre` by its ink (not by the font's line box).
inline QPainterPath centredText(const QString &s, const QFont &f, const QPointF &centre)
{
    QPainterPath path;
    path.addText(0, 0, f, s);
    const QRectF b = path.boundingRect();
    path.translate(centre - b.center());
    return path;
}

// The rounded tile behind every game icon, lit from the top.
inline void tile(QPainter &p, const QColor &base)
{
    const QRectF r(4, 4, 92, 92);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, base.lighter(125));
    g.setColorAt(1, base.darker(112));
    p.setPen(pen(base.darker(135), 2));
    p.setBrush(g);
    p.drawRoundedRect(r, 20, 20);
    // A soft shine on the upper half.
    QLinearGradient shine(QPointF(0, 6), QPointF(0, 50));
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(QRectF(7, 6, 86, 44), 17, 17);
}

} // namespace kioku::pictures::draw
