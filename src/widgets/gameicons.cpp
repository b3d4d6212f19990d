// The pictures of the game buttons and of the program itself.
#include "widgets/picturecanvas.h"
#include "widgets/pictures.h"

#include <QRadialGradient>

#include <cmath>

namespace kioku::pictures {

using namespace draw;

namespace {

// --- game icons --------------------------------------------------------------

void iconDigits(QPainter &p)
{
    tile(p, QColor(0x3d, 0x7e, 0xd8));
    const QPainterPath t = centredText(QStringLiteral("123"), boldFont(40), QPointF(50, 52));
    p.setPen(pen(QColor(0x1d, 0x4a, 0x8a), 5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(t);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(t);
}

void iconPicture(QPainter &p)
{
    tile(p, QColor(0x3f, 0xa8, 0x5c));
    const QRectF frame(16, 22, 68, 56);
    p.setPen(pen(QColor(0x6b, 0x45, 0x1e), 3));
    p.setBrush(QColor(0xc8, 0x8a, 0x4a));
    p.drawRoundedRect(frame, 4, 4);
    const QRectF inner = frame.adjusted(7, 7, -7, -7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xbf, 0xe6, 0xff));
    p.drawRect(inner);
    p.save();
    p.setClipRect(inner);
    p.setBrush(QColor(0xff, 0xc8, 0x2e));
    p.drawEllipse(QRectF(58, 32, 12, 12));
    QPainterPath hills;
    hills.moveTo(inner.left(), inner.bottom());
    hills.lineTo(36, 46);
    hills.lineTo(48, 58);
    hills.lineTo(58, 50);
    hills.lineTo(inner.right(), inner.bottom());
    hills.closeSubpath();
    p.setBrush(QColor(0x2e, 0x8b, 0x47));
    p.drawPath(hills);
    p.restore();
}

void iconCards(QPainter &p)
{
    tile(p, QColor(0x8a, 0x5c, 0xc8));
    // The card lying face down, behind.
    p.save();
    p.translate(38, 52);
    p.rotate(-14);
    const QRectF card(-17, -25, 34, 50);
    p.setPen(pen(QColor(0x3a, 0x22, 0x66), 2.5));
    p.setBrush(QColor(0xe0, 0x4a, 0x6a));
    p.drawRoundedRect(card, 5, 5);
    p.setPen(pen(QColor(255, 255, 255, 170), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(5, 5, -5, -5), 3, 3);
    p.drawLine(QPointF(-12, -20), QPointF(12, 20));
    p.drawLine(QPointF(12, -20), QPointF(-12, 20));
    p.restore();
    // The card turned up, in front, showing a star.
    p.save();
    p.translate(62, 50);
    p.rotate(10);
    p.setPen(pen(QColor(0x3a, 0x22, 0x66), 2.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 5, 5);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rad = i % 2 ? 6.5 : 15;
        const QPointF pt(rad * std::cos(a), rad * std::sin(a) + 1);
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(pen(QColor(0xc8, 0x8a, 0x00), 1.5));
    p.setBrush(QColor(0xff, 0xc4, 0x1e));
    p.drawPath(star);
    p.restore();
}

void iconPanels(QPainter &p)
{
    tile(p, QColor(0xee, 0x8a, 0x24));
    const qreal cell = 21, gap = 4, x0 = 50 - (3 * cell + 2 * gap) / 2, y0 = x0;
    auto centre = [&](int i) {
        return QPointF(x0 + (i % 3) * (cell + gap) + cell / 2, y0 + (i / 3) * (cell + gap) + cell / 2);
    };
    // The panels lit in turn: left, top, right, bottom.
    const int path[] = {3, 1, 5, 7};
    for (int i = 0; i < 9; ++i) {
        bool lit = false;
        for (int k : path)
            lit = lit || k == i;
        const QPointF c = centre(i);
        p.setPen(pen(QColor(0x9a, 0x4e, 0x06), 1.5));
        p.setBrush(lit ? QColor(0xff, 0xf0, 0x60) : QColor(0xc8, 0x66, 0x10));
        p.drawRoundedRect(QRectF(c.x() - cell / 2, c.y() - cell / 2, cell, cell), 4, 4);
    }
    QPainterPath trace;
    trace.moveTo(centre(path[0]));
    for (size_t k = 1; k < std::size(path); ++k)
        trace.lineTo(centre(path[k]));
    const QColor red(0xc8, 0x1e, 0x2a);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(red, 4));
    p.drawPath(trace);
    // Arrowhead at the end of the trace, pointing along its last step.
    const QPointF end = centre(path[std::size(path) - 1]);
    const QPointF from = centre(path[std::size(path) - 2]);
    const double a = std::atan2(end.y() - from.y(), end.x() - from.x());
    QPolygonF head;
    head << end + QPointF(5 * std::cos(a), 5 * std::sin(a))
         << end + QPointF(10 * std::cos(a + 2.6), 10 * std::sin(a + 2.6))
         << end + QPointF(10 * std::cos(a - 2.6), 10 * std::sin(a - 2.6));
    p.setPen(pen(red, 2));
    p.setBrush(red);
    p.drawPolygon(head);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre(path[0]), 4.5, 4.5);
}

void iconKeyboardClock(QPainter &p)
{
    tile(p, QColor(0x1f, 0xa8, 0xa0));
    // Keyboard.
    const QRectF kb(12, 52, 66, 34);
    p.setPen(pen(QColor(0x10, 0x4e, 0x4a), 2.5));
    p.setBrush(QColor(0xf4, 0xf7, 0xf7));
    p.drawRoundedRect(kb, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5c, 0x6c, 0x70));
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 5; ++k)
            p.drawRoundedRect(QRectF(17 + k * 12 + row * 3, 57 + row * 9, 8, 6.5), 1.5, 1.5);
    p.drawRoundedRect(QRectF(27, 75, 36, 6.5), 1.5, 1.5);
    // Clock.
    const QPointF c(66, 34);
    p.setPen(pen(QColor(0x10, 0x4e, 0x4a), 3));
    p.setBrush(Qt::white);
    p.drawEllipse(c, 21, 21);
    p.setPen(pen(QColor(0x2a, 0x2a, 0x2a), 1.8));
    for (int i = 0; i < 12; i += 3) {
        const double a = i * M_PI / 6;
        p.drawLine(c + QPointF(15 * std::sin(a), -15 * std::cos(a)), c + QPointF(18 * std::sin(a), -18 * std::cos(a)));
    }
    p.setPen(pen(QColor(0x2a, 0x2a, 0x2a), 3.5));
    p.drawLine(c, c + QPointF(0, -13));
    p.setPen(pen(QColor(0xe0, 0x3a, 0x3a), 3.5));
    p.drawLine(c, c + QPointF(10, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x2a, 0x2a));
    p.drawEllipse(c, 2.5, 2.5);
}

void arrowArc(QPainter &p, const QPointF &c, qreal r, qreal startDeg, qreal spanDeg, const QColor &col)
{
    QPainterPath arc;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, spanDeg);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(col, 9, Qt::FlatCap));
    p.drawPath(arc);
    // Head at the end of the arc (angles counter-clockwise, y up in Qt's arcs).
    const double end = (startDeg + spanDeg) * M_PI / 180;
    const QPointF tip(c.x() + r * std::cos(end), c.y() - r * std::sin(end));
    const double dir = spanDeg > 0 ? 1 : -1;
    // Tangent direction of travel on screen.
    const QPointF t(-std::sin(end) * dir, -std::cos(end) * dir);
    const QPointF n(std::cos(end), -std::sin(end));
    QPolygonF head;
    head << tip + t * 11 << tip + n * 10 << tip - n * 10;
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawPolygon(head);
}

void iconCycle(QPainter &p)
{
    tile(p, QColor(0xd8, 0x4c, 0x9c));
    const QColor white(0xff, 0xff, 0xff);
    arrowArc(p, QPointF(50, 50), 26, 100, 140, white);
    arrowArc(p, QPointF(50, 50), 26, 280, 140, white);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(50, 50), 6, 6);
}

void iconScattered(QPainter &p)
{
    tile(p, QColor(0xe0, 0x55, 0x4a));
    struct Piece {
        QPointF at;
        qreal angle;
        const char16_t *letter;
    };
    const Piece pieces[] = {{{32, 34}, -18, u"あ"}, {{68, 32}, 14, u"い"}, {{50, 68}, -6, u"う"}};
    const QFont f = boldFont(21);
    for (const Piece &pc : pieces) {
        p.save();
        p.translate(pc.at);
        p.rotate(pc.angle);
        p.setPen(pen(QColor(0x8a, 0x24, 0x1c), 2));
        p.setBrush(QColor(0xff, 0xf6, 0xe0));
        p.drawRoundedRect(QRectF(-15, -15, 30, 30), 5, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x22, 0x1a));
        p.drawPath(centredText(QString::fromUtf16(pc.letter), f, QPointF(0, 0)));
        p.restore();
    }
}

void iconBack(QPainter &p)
{
    tile(p, QColor(0x8a, 0x96, 0xa6));
    // A U-turn arrow pointing left.
    QPainterPath arrow;
    arrow.moveTo(34, 40);
    arrow.lineTo(60, 40);
    arrow.cubicTo(80, 40, 80, 72, 60, 72);
    arrow.lineTo(40, 72);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Qt::white, 10));
    p.drawPath(arrow);
    QPolygonF head;
    head << QPointF(18, 40) << QPointF(38, 24) << QPointF(38, 56);
    p.setPen(pen(Qt::white, 3));
    p.setBrush(Qt::white);
    p.drawPolygon(head);
}

} // namespace

QPixmap gameIcon(int position, int size)
{
    Canvas cv(size);
    QPainter &p = cv.p();
    switch (position) {
    case 1:
        iconDigits(p);
        break;
    case 2:
        iconPicture(p);
        break;
    case 3:
        iconCards(p);
        break;
    case 4:
        iconPanels(p);
        break;
    case 5:
        iconKeyboardClock(p);
        break;
    case 6:
        iconCycle(p);
        break;
    case 7:
        iconScattered(p);
        break;
    default:
        iconBack(p);
        break;
    }
    return cv.finish();
}

QPixmap appIcon(int size)
{
    Canvas cv(size);
    QPainter &p = cv.p();
    tile(p, QColor(0x2f, 0x9c, 0xb8));
    // A brain seen from the side: a cloud of lobes with a few folds and the stem.
    const QColor outline(0xa8, 0x3a, 0x64);
    const QColor fold(0xc4, 0x4e, 0x7c);
    QPainterPath stem;
    stem.addRoundedRect(QRectF(54, 58, 12, 24), 6, 6);
    p.setPen(pen(outline, 3));
    p.setBrush(QColor(0xf4, 0x9a, 0xb8));
    p.drawPath(stem);
    struct Lobe {
        qreal x, y, r;
    };
    const Lobe lobes[] = {{30, 50, 14}, {40, 37, 15}, {57, 33, 16}, {73, 42, 14},
                          {74, 57, 12}, {56, 60, 13}, {36, 62, 12}, {52, 47, 16}};
    QPainterPath brain;
    for (const Lobe &l : lobes) {
        QPainterPath e;
        e.addEllipse(QPointF(l.x, l.y), l.r, l.r);
        brain = brain.united(e);
    }
    brain = brain.simplified();
    p.setBrush(QColor(0xff, 0xb8, 0xcf));
    p.drawPath(brain);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(fold, 3));
    QPainterPath folds;
    folds.moveTo(44, 24);
    folds.cubicTo(38, 34, 50, 40, 44, 50);
    folds.moveTo(62, 20);
    folds.cubicTo(58, 30, 68, 36, 62, 46);
    folds.moveTo(24, 56);
    folds.cubicTo(32, 52, 38, 60, 46, 56);
    folds.moveTo(62, 56);
    folds.cubicTo(68, 50, 74, 54, 82, 50);
    p.drawPath(folds);
    // A spark of memory.
    QPainterPath spark;
    const QPointF c(80, 20);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 - M_PI / 2;
        const double r = i % 2 ? 4 : 12;
        const QPointF pt = c + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            spark.moveTo(pt);
        else
            spark.lineTo(pt);
    }
    spark.closeSubpath();
    p.setPen(pen(QColor(0xc8, 0x8a, 0x00), 1.5));
    p.setBrush(QColor(0xff, 0xe0, 0x40));
    p.drawPath(spark);
    return cv.finish();
}

} // namespace kioku::pictures
