#include "widgets/pictures.h"
#include "widgets/picturecanvas.h"

#include <QDir>
#include <QIcon>

#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace kioku::pictures {

using namespace draw;

namespace {

// --- faces -----------------------------------------------------------------

void faceDisc(QPainter &p, const QColor &base)
{
    QRadialGradient g(QPointF(40, 34), 62);
    g.setColorAt(0, base.lighter(118));
    g.setColorAt(1, base.darker(108));
    p.setPen(pen(base.darker(150), 3));
    p.setBrush(g);
    p.drawEllipse(QRectF(6, 6, 88, 88));
}

void cheeks(QPainter &p, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(15, 56, 15, 9));
    p.drawEllipse(QRectF(70, 56, 15, 9));
}

void drawNashi(QPainter &p)
{
    const QColor ink(0x3c, 0x4a, 0x60);
    faceDisc(p, QColor(0xb4, 0xc3, 0xd8));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink, 4.5));
    // Closed, drowsy eyes.
    QPainterPath eyes;
    eyes.moveTo(25, 44);
    eyes.quadTo(33, 51, 41, 44);
    eyes.moveTo(59, 44);
    eyes.quadTo(67, 51, 75, 44);
    p.drawPath(eyes);
    // A small, level mouth.
    p.drawLine(QPointF(42, 68), QPointF(58, 68));
    // A little "z" of a doze.
    p.setPen(pen(QColor(0x6a, 0x7f, 0xa0), 3));
    QPainterPath z;
    z.moveTo(70, 14);
    z.lineTo(80, 14);
    z.lineTo(70, 24);
    z.lineTo(80, 24);
    p.drawPath(z);
}

void drawKana(QPainter &p)
{
    const QColor ink(0x5a, 0x38, 0x20);
    faceDisc(p, QColor(0xf0, 0xb8, 0x7a));
    // Eyes looking aside, under lowered lids.
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(30, 43, 9, 10));
    p.drawEllipse(QRectF(64, 43, 9, 10));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink, 4));
    p.drawLine(QPointF(24, 41), QPointF(42, 41));
    p.drawLine(QPointF(58, 41), QPointF(76, 41));
    // Brows drawn together a little.
    p.setPen(pen(ink, 3.5));
    p.drawLine(QPointF(24, 30), QPointF(40, 33));
    p.drawLine(QPointF(76, 30), QPointF(60, 33));
    // A small pouting mouth, pushed to one side.
    QPainterPath mouth;
    mouth.moveTo(44, 72);
    mouth.quadTo(51, 66, 58, 71);
    p.setPen(pen(ink, 4.5));
    p.drawPath(mouth);
    // One cheek puffed out.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0x8a, 0x6a, 150));
    p.drawEllipse(QRectF(66, 58, 16, 11));
}

void drawNiko(QPainter &p)
{
    const QColor ink(0x5a, 0x36, 0x10);
    faceDisc(p, QColor(0xff, 0xcf, 0x48));
    cheeks(p, QColor(0xff, 0x8a, 0x7a, 150));
    p.setBrush(ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(28, 36, 10, 13));
    p.drawEllipse(QRectF(62, 36, 10, 13));
    // A gentle smile.
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink, 5));
    QPainterPath mouth;
    mouth.moveTo(30, 62);
    mouth.quadTo(50, 82, 70, 62);
    p.drawPath(mouth);
}

void drawWara(QPainter &p)
{
    const QColor ink(0x5a, 0x30, 0x08);
    faceDisc(p, QColor(0xff, 0xe0, 0x2e));
    cheeks(p, QColor(0xff, 0x6f, 0x6f, 170));
    // Eyes shut tight with laughter: ^ ^
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink, 5));
    QPainterPath eyes;
    eyes.moveTo(24, 46);
    eyes.quadTo(32, 30, 40, 46);
    eyes.moveTo(60, 46);
    eyes.quadTo(68, 30, 76, 46);
    p.drawPath(eyes);
    // A wide open laughing mouth with a tongue.
    QPainterPath mouth;
    mouth.moveTo(24, 56);
    mouth.lineTo(76, 56);
    mouth.cubicTo(74, 80, 60, 88, 50, 88);
    mouth.cubicTo(40, 88, 26, 80, 24, 56);
    mouth.closeSubpath();
    p.setPen(pen(ink, 3.5));
    p.setBrush(QColor(0x8a, 0x1c, 0x1c));
    p.drawPath(mouth);
    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x7a, 0x86));
    p.drawEllipse(QRectF(36, 72, 28, 22));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(24, 56, 52, 6));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink, 3.5));
    p.drawPath(mouth);
}

} // namespace

QPixmap face(Face f, int size)
{
    Canvas cv(size);
    switch (f) {
    case Face::Nashi:
        drawNashi(cv.p());
        break;
    case Face::Kana:
        drawKana(cv.p());
        break;
    case Face::Niko:
        drawNiko(cv.p());
        break;
    case Face::Wara:
        drawWara(cv.p());
        break;
    }
    return cv.finish();
}

QPixmap countdown(int index, int size)
{
    Canvas cv(size);
    QPainter &p = cv.p();
    index = qBound(1, index, 3);
    static const QColor colours[3] = {QColor(0x3a, 0x7b, 0xe0), QColor(0xf0, 0x9a, 0x1a), QColor(0xe0, 0x3a, 0x3a)};
    const QColor base = colours[index - 1];
    QRadialGradient g(QPointF(40, 34), 66);
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(1, base.darker(110));
    p.setPen(pen(base.darker(140), 3));
    p.setBrush(g);
    p.drawEllipse(QRectF(5, 5, 90, 90));
    p.setPen(pen(QColor(255, 255, 255, 160), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(12, 12, 76, 76));
    const QPainterPath digit = centredText(QString::number(4 - index), boldFont(62), QPointF(50, 50));
    p.setPen(pen(base.darker(160), 5));
    p.drawPath(digit);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(digit);
    return cv.finish();
}

QPixmap helpBadge(bool on, int size)
{
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm(QSize(size, size) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, size - 3, size - 3);
    p.setPen(QPen(on ? QColor(30, 90, 170) : QColor(140, 140, 140), 1.5));
    p.setBrush(on ? QColor(70, 140, 220) : QColor(215, 215, 215));
    p.drawEllipse(r);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(int(size * 0.66));
    p.setFont(f);
    p.setPen(on ? Qt::white : QColor(110, 110, 110));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
    return pm;
}

QPixmap iconFilePicture(const QString &fileName, int size)
{
    const QIcon icon(QDir::current().filePath(fileName));
    if (icon.isNull() || icon.availableSizes().isEmpty())
        return QPixmap();
    const qreal dpr = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pm = icon.pixmap(QSize(size, size), dpr);
    if (pm.isNull())
        return pm;
    if (pm.width() != qRound(size * dpr))
        pm = pm.scaled(QSize(size, size) * dpr, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pm.setDevicePixelRatio(dpr);
    return pm;
}

} // namespace kioku::pictures
