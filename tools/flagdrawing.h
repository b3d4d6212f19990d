#pragma once
// The twenty flags of kioku_flags, drawn with QPainter: the painter of a
// flag's fields, stripes, crosses, discs and stars in the flag's own units,
// each country's flag, and the table of them with their Japanese names.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QSaveFile>
#include <QTransform>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace flags {

const QColor kFrame(136, 136, 136);

QColor rgb(unsigned v)
{
    return QColor(QRgb(v));
}

// One flag being drawn: the flag's own grid of w × h units (3 × 2 for most)
// laid over the pixel rectangle inside the frame. Straight edges along the
// grid are snapped to whole pixels so stripes and crosses stay crisp at 16 px;
// round and slanted shapes are drawn antialiased.
class FlagPainter {
public:
    FlagPainter(QPainter &p, const QRect &px, double w, double h)
        : m_p(p), m_px(px), m_w(w), m_h(h), m_sx(px.width() / w), m_sy(px.height() / h)
    {
    }

    double w() const { return m_w; }
    double h() const { return m_h; }
    // Pixels per unit (the smaller of the two directions).
    double scale() const { return std::min(m_sx, m_sy); }
    int rows() const { return m_px.height(); }

    void fill(const QColor &c) { m_p.fillRect(m_px, c); }

    // The rectangle between the grid lines x0..x1 and y0..y1.
    void rect(double x0, double y0, double x1, double y1, const QColor &c)
    {
        const int l = xPx(x0), t = yPx(y0);
        m_p.fillRect(QRect(l, t, xPx(x1) - l, yPx(y1) - t), c);
    }
    // Equal stripes, the first colour at the top (or at the hoist).
    void hStripes(std::initializer_list<QColor> colours)
    {
        const int n = int(colours.size());
        int i = 0;
        for (const QColor &c : colours) {
            rect(0, m_h * i / n, m_w, m_h * (i + 1) / n, c);
            ++i;
        }
    }
    void vStripes(std::initializer_list<QColor> colours)
    {
        const int n = int(colours.size());
        int i = 0;
        for (const QColor &c : colours) {
            rect(m_w * i / n, 0, m_w * (i + 1) / n, m_h, c);
            ++i;
        }
    }

    // A bar's width in whole pixels, at least one.
    int barPx(double units) const { return std::max(1, int(std::lround(units * scale()))); }
    // A vertical bar `widthPx` wide centred on x = cx, from y0 to y1; a
    // horizontal one centred on y = cy, from x0 to x1. Both directions of a
    // cross get the same pixel width.
    void vBar(double cx, int widthPx, double y0, double y1, const QColor &c)
    {
        const int l = m_px.left() + int(std::lround(cx * m_sx - widthPx / 2.0));
        m_p.fillRect(QRect(l, yPx(y0), widthPx, yPx(y1) - yPx(y0)), c);
    }
    void hBar(double cy, int widthPx, double x0, double x1, const QColor &c)
    {
        const int t = m_px.top() + int(std::lround(cy * m_sy - widthPx / 2.0));
        m_p.fillRect(QRect(xPx(x0), t, xPx(x1) - xPx(x0), widthPx), c);
    }
    // A cross through (cx, cy) across the whole flag.
    void cross(double cx, double cy, int widthPx, const QColor &c)
    {
        vBar(cx, widthPx, 0, m_h, c);
        hBar(cy, widthPx, 0, m_w, c);
    }

    // Any shape given in units.
    void shape(const QPainterPath &unitPath, const QColor &c)
    {
        m_p.setRenderHint(QPainter::Antialiasing, true);
        m_p.fillPath(toPixels().map(unitPath), c);
        m_p.setRenderHint(QPainter::Antialiasing, false);
    }
    void polygon(const QPolygonF &unitPolygon, const QColor &c)
    {
        QPainterPath path;
        path.addPolygon(unitPolygon);
        path.closeSubpath();
        shape(path, c);
    }
    void disc(double cx, double cy, double r, const QColor &c)
    {
        QPainterPath path;
        path.addEllipse(QPointF(cx, cy), r, r);
        shape(path, c);
    }
    // A five-pointed star of outer radius r; one point in the direction
    // `degrees`, clockwise from straight up.
    static QPainterPath starPath(double cx, double cy, double r, double degrees)
    {
        const double inner = r * 0.381966; // sin 18° / sin 54°: the regular star
        QPolygonF pts;
        for (int k = 0; k < 10; ++k) {
            const double a = (degrees + k * 36.0) * M_PI / 180.0;
            const double rr = (k % 2 == 0) ? r : inner;
            pts << QPointF(cx + rr * std::sin(a), cy - rr * std::cos(a));
        }
        QPainterPath path;
        path.addPolygon(pts);
        path.closeSubpath();
        return path;
    }
    void star(double cx, double cy, double r, double degrees, const QColor &c)
    {
        shape(starPath(cx, cy, r, degrees), c);
    }
    // A straight band `width` units wide along the line, flat at its ends.
    static QPainterPath band(QPointF a, QPointF b, double width)
    {
        QPainterPath line(a);
        line.lineTo(b);
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(Qt::FlatCap);
        return stroker.createStroke(line);
    }

private:
    int xPx(double u) const { return m_px.left() + int(std::lround(u * m_sx)); }
    int yPx(double v) const { return m_px.top() + int(std::lround(v * m_sy)); }
    QTransform toPixels() const { return QTransform(m_sx, 0, 0, m_sy, m_px.left(), m_px.top()); }

    QPainter &m_p;
    QRect m_px;
    double m_w, m_h, m_sx, m_sy;
};

// ------------------------------------------------------------------ the flags

void japan(FlagPainter &f) // 2:3, a red disc three fifths of the height across
{
    f.fill(Qt::white);
    f.disc(1.5, 1.0, 0.6, rgb(0xBC002D));
}

void france(FlagPainter &f)
{
    f.vStripes({rgb(0x0055A4), Qt::white, rgb(0xEF4135)});
}

void germany(FlagPainter &f)
{
    f.hStripes({rgb(0x000000), rgb(0xDD0000), rgb(0xFFCE00)});
}

void italy(FlagPainter &f)
{
    f.vStripes({rgb(0x009246), rgb(0xF4F5F0), rgb(0xCE2B37)});
}

void sweden(FlagPainter &f) // 16 × 10, the cross two units wide, its upright at 5..7
{
    f.fill(rgb(0x006AA7));
    f.cross(6, 5, f.barPx(2), rgb(0xFECC00));
}

void finland(FlagPainter &f) // 18 × 11, the cross three units wide, its upright at 5..8
{
    f.fill(Qt::white);
    f.cross(6.5, 5.5, f.barPx(3), rgb(0x002F6C));
}

void switzerland(FlagPainter &f) // square, 32 × 32: arms 6 wide, the cross 20 across
{
    f.fill(rgb(0xDA291C));
    const int bar = f.barPx(6);
    f.vBar(16, bar, 6, 26, Qt::white);
    f.hBar(16, bar, 6, 26, Qt::white);
}

void unitedKingdom(FlagPainter &f) // 60 × 30
{
    const QColor blue = rgb(0x012169), red = rgb(0xC8102E);
    f.fill(blue);
    const QPainterPath diagonals = FlagPainter::band({-6, -3}, {66, 33}, 6) + FlagPainter::band({66, -3}, {-6, 33}, 6);
    f.shape(diagonals, Qt::white);
    // The red of the diagonals lies on one side of the white in each quarter
    // (counterchanged): the halves of the quarters turning clockwise.
    QPainterPath halves;
    halves.addPolygon(QPolygonF({{30, 15}, {60, 15}, {60, 30}}));
    halves.addPolygon(QPolygonF({{30, 15}, {30, 30}, {0, 30}}));
    halves.addPolygon(QPolygonF({{30, 15}, {0, 15}, {0, 0}}));
    halves.addPolygon(QPolygonF({{30, 15}, {30, 0}, {60, 0}}));
    const QPainterPath redDiagonals =
        FlagPainter::band({-6, -3}, {66, 33}, 4) + FlagPainter::band({66, -3}, {-6, 33}, 4);
    f.shape(redDiagonals.intersected(halves), red);
    int white = f.barPx(10), inner = f.barPx(6);
    if ((white - inner) % 2 != 0) // keep the red centred in the white
        inner = std::max(1, inner - 1);
    f.cross(30, 15, white, Qt::white);
    f.cross(30, 15, inner, red);
}

void usa(FlagPainter &f) // 24.7 × 13 (1.9 : 1): thirteen stripes, the union seven stripes deep
{
    const QColor red = rgb(0xB22234), blue = rgb(0x3C3B6E);
    // Below one pixel a stripe, thirteen would melt into pink: then every
    // pixel row is a stripe of its own, red and white in turn.
    const int stripes = std::min(13, f.rows());
    const double stripe = f.h() / stripes;
    for (int i = 0; i < stripes; ++i)
        f.rect(0, i * stripe, f.w(), (i + 1) * stripe, i % 2 == 0 ? red : Qt::white);
    const double unionW = f.w() * 0.4, unionH = f.h() * 7 / 13;
    f.rect(0, 0, unionW, unionH, blue);
    // Stars only at 64 px, where they can be told apart: twenty-three small
    // ones in rows of five and four in turn stand for the fifty.
    if (f.rows() >= 30) {
        for (int row = 0; row < 5; ++row) {
            const int n = row % 2 == 0 ? 5 : 4;
            for (int col = 0; col < n; ++col) {
                const double x = unionW * (col * 2 + (row % 2 == 0 ? 1 : 2)) / 10.0;
                const double y = unionH * (row + 1) / 6.0;
                f.star(x, y, unionH / 10.5, 0, Qt::white);
            }
        }
    }
}

void canada(FlagPainter &f) // 2:1, red pales of a quarter each, the leaf in the white square
{
    const QColor red = rgb(0xD80621);
    f.fill(Qt::white);
    f.rect(0, 0, 8, 16, red);
    f.rect(24, 0, 32, 16, red);
    // The maple leaf of eleven points, drawn on a 100 × 100 grid, right half
    // from the top; the left half is its mirror.
    static const double right[][2] = {{50, 4},  {57, 18}, {65, 14}, {61, 42}, {71, 31}, {75, 38}, {91, 34},
                                      {86, 50}, {93, 54}, {70, 68}, {73, 77}, {52, 72}, {52, 94}};
    const int n = int(sizeof right / sizeof right[0]);
    QPolygonF leaf;
    auto at = [](double x, double y) { return QPointF(8 + 1.0 + x * 0.14, 0.5 + y * 0.145); };
    for (int i = 0; i < n; ++i)
        leaf << at(right[i][0], right[i][1]);
    for (int i = n - 1; i > 0; --i)
        leaf << at(100 - right[i][0], right[i][1]);
    f.polygon(leaf, red);
}

void china(FlagPainter &f) // 30 × 20: the large star and four small ones turned towards it
{
    const QColor yellow = rgb(0xFFDE00);
    f.fill(rgb(0xEE1C25));
    f.star(5, 5, 3, 0, yellow);
    const QPointF small[] = {{10, 2}, {12, 4}, {12, 7}, {10, 9}};
    for (const QPointF &s : small) {
        const double towards = std::atan2(5 - s.x(), -(5 - s.y())) * 180.0 / M_PI;
        f.star(s.x(), s.y(), 1, towards, yellow);
    }
}

void russia(FlagPainter &f)
{
    f.hStripes({Qt::white, rgb(0x0039A6), rgb(0xD52B1E)});
}

void ukraine(FlagPainter &f)
{
    f.hStripes({rgb(0x0057B7), rgb(0xFFD700)});
}

void poland(FlagPainter &f) // 8 × 5
{
    f.hStripes({Qt::white, rgb(0xDC143C)});
}

void brazil(FlagPainter &f) // 20 × 14: the yellow rhombus, the blue globe and its white band
{
    f.fill(rgb(0x009C3B));
    f.polygon(QPolygonF({{1.7, 7}, {10, 1.7}, {18.3, 7}, {10, 12.3}}), rgb(0xFFDF00));
    f.disc(10, 7, 3.5, rgb(0x002776));
    QPainterPath globe;
    globe.addEllipse(QPointF(10, 7), 3.5, 3.5);
    QPainterPath ring;
    ring.addEllipse(QPointF(12, 16), 9.6, 9.6);
    QPainterPath inside;
    inside.addEllipse(QPointF(12, 16), 9.6 - std::max(0.55, 1.0 / f.scale()), 9.6 - std::max(0.55, 1.0 / f.scale()));
    f.shape(ring.subtracted(inside).intersected(globe), Qt::white);
}

void turkey(FlagPainter &f) // 30 × 20: the crescent and the star, one point to the hoist
{
    const QColor red = rgb(0xE30A17);
    f.fill(red);
    f.disc(10, 10, 5, Qt::white);
    f.disc(11.25, 10, 4, red);
    f.star(16.4, 10, 2.5, -90, Qt::white);
}

void greece(FlagPainter &f) // 27 × 18: nine stripes, the cross in a canton five stripes deep
{
    const QColor blue = rgb(0x0D5EAF);
    for (int i = 0; i < 9; ++i)
        f.rect(0, 2 * i, 27, 2 * i + 2, i % 2 == 0 ? blue : Qt::white);
    f.rect(0, 0, 10, 10, blue);
    const int bar = f.barPx(2);
    f.vBar(5, bar, 0, 10, Qt::white);
    f.hBar(5, bar, 0, 10, Qt::white);
}

void india(FlagPainter &f) // 3 × 2: the wheel as a navy ring with its hub
{
    f.hStripes({rgb(0xFF9933), Qt::white, rgb(0x138808)});
    const QColor navy = rgb(0x000080);
    const double r = 0.26, line = std::max(0.05, 1.0 / f.scale());
    QPainterPath ring;
    ring.addEllipse(QPointF(1.5, 1), r, r);
    QPainterPath hole;
    hole.addEllipse(QPointF(1.5, 1), r - line, r - line);
    f.shape(ring.subtracted(hole), navy);
    f.disc(1.5, 1, std::max(0.06, 0.7 / f.scale()), navy);
}

void spain(FlagPainter &f) // red, yellow twice as high, red; the plain flag without the arms
{
    f.fill(rgb(0xAA151B));
    f.rect(0, 0.5, 3, 1.5, rgb(0xF1BF00));
}

void jamaica(FlagPainter &f) // 12 × 6: the gold saltire, green above and below, black at the sides
{
    f.fill(rgb(0x009B3A));
    f.polygon(QPolygonF({{0, 0}, {6, 3}, {0, 6}}), Qt::black);
    f.polygon(QPolygonF({{12, 0}, {6, 3}, {12, 6}}), Qt::black);
    f.shape(FlagPainter::band({-1, -0.5}, {13, 6.5}, 1.2) + FlagPainter::band({13, -0.5}, {-1, 6.5}, 1.2),
            rgb(0xFED100));
}

struct Flag {
    const char *name; // the file name without ".ico"
    double w, h;      // the flag's grid, which gives its proportions
    void (*draw)(FlagPainter &);
};

const Flag kFlags[] = {
    {"日本", 3, 2, japan},
    {"フランス", 3, 2, france},
    {"ドイツ", 5, 3, germany},
    {"イタリア", 3, 2, italy},
    {"スウェーデン", 16, 10, sweden},
    {"フィンランド", 18, 11, finland},
    {"スイス", 32, 32, switzerland},
    {"イギリス", 60, 30, unitedKingdom},
    {"アメリカ", 24.7, 13, usa},
    {"カナダ", 32, 16, canada},
    {"中国", 30, 20, china},
    {"ロシア", 3, 2, russia},
    {"ウクライナ", 3, 2, ukraine},
    {"ポーランド", 8, 5, poland},
    {"ブラジル", 20, 14, brazil},
    {"トルコ", 30, 20, turkey},
    {"ギリシャ", 27, 18, greece},
    {"インド", 3, 2, india},
    {"スペイン", 3, 2, spain},
    {"ジャマイカ", 12, 6, jamaica},
};

// The flag's place in a square of `size` pixels, frame included: full width,
// centred vertically, the height as near the flag's proportion as an even
// split of the margin above and below allows.
QRect flagRect(int size, double aspect)
{
    const double ideal = size / aspect;
    int h = int(std::lround(ideal));
    if ((size - h) % 2 != 0)
        h += (ideal > h) ? 1 : -1;
    h = std::clamp(h, 4, size);
    return QRect(0, (size - h) / 2, size, h);
}

QImage drawFlag(const Flag &flag, int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QRect outer = flagRect(size, flag.w / flag.h);
    p.fillRect(outer, kFrame);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    p.setClipRect(inner);
    FlagPainter f(p, inner, flag.w, flag.h);
    flag.draw(f);
    p.end();
    return img;
}

} // namespace flags
