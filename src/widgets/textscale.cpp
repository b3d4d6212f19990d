#include "widgets/textscale.h"

#include <QApplication>
#include <QFont>
#include <QSize>

#include <cmath>

namespace kioku {

namespace {
double g_scale = 1.0;
qreal g_basePt = 0; // 0: no base font set yet (the application's own stays)
QFont *g_baseFont = nullptr;

void applyFont()
{
    if (!g_baseFont)
        return;
    QFont f = *g_baseFont;
    f.setPointSizeF(g_basePt * g_scale);
    QApplication::setFont(f);
}
} // namespace

double textScale()
{
    return g_scale;
}

void setTextScale(double scale)
{
    if (!(scale >= 1.0 && scale <= 2.0))
        scale = 1.0;
    g_scale = scale;
    applyFont();
}

void setBaseApplicationFont(const QFont &font)
{
    static QFont base;
    base = font;
    g_baseFont = &base;
    g_basePt = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    applyFont();
}

int scaledPx(int px)
{
    return int(std::lround(px * g_scale));
}

QSize scaledSize(int width, int height)
{
    return QSize(scaledPx(width), scaledPx(height));
}

qreal scaledPt(qreal pt)
{
    return pt * g_scale;
}

namespace {
double boardScale()
{
    return 1.0 + (g_scale - 1.0) / 2;
}
} // namespace

int boardPx(int px)
{
    return int(std::lround(px * boardScale()));
}

QSize boardSize(int width, int height)
{
    return QSize(boardPx(width), boardPx(height));
}

qreal boardPt(qreal pt)
{
    return pt * boardScale();
}

} // namespace kioku
