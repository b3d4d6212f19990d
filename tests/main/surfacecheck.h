#pragma once
// What the tests of the windows under the desktop's palettes share: a screen
// of twice the scale, and the check of every coloured surface of a window in
// its rendered pixels (its back colour found, its text read on it).
#include "mainfixture.h"

#include "main/appsetup.h"
#include "testing/controls.h"
#include "testing/darkpalette.h"
#include "widgets/answerbox.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/graphbuttons.h"
#include "widgets/helpviewer.h"
#include "widgets/messages.h"
#include "widgets/monthcalendar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <QtTest>

#include <functional>

using namespace kioku;

// A 2560×1600 screen at twice the scale, less a desktop panel and a title bar.
constexpr int kScale = 2;
const QSize kLogicalScreen(2560 / kScale, 1600 / kScale);
constexpr int kPanelAndTitle = 48 + 32;

// A pixel counts as text when it stands out this much from its surface's back;
// the text colour found is the one that stands out most (the core of a glyph,
// pure at twice the scale, where its edges blend into the back).
constexpr double kTextPixelContrast = 2.0;

inline QImage grabImage(QWidget *w)
{
    QCoreApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// What was found on one coloured surface.
struct Finding {
    QString name;
    QColor back; // the most common colour inside the surface
    QColor text; // the colour that stands out most from it
    int textPixels = 0;
};

// The coloured surfaces of one window, looked up in one rendered image.
class SurfaceCheck {
public:
    SurfaceCheck(QWidget *window, QStringList *problems) : m_window(window), m_problems(problems)
    {
        m_image = grabImage(window);
        m_dpr = m_image.devicePixelRatio();
    }

    // Every widget with a back colour of its own, the controls on a coloured
    // container, and every grid cell with a colour.
    QSet<QString> run(const QString &where)
    {
        m_where = where;
        QList<QWidget *> all = m_window->findChildren<QWidget *>();
        all.prepend(m_window);
        for (QWidget *w : std::as_const(all)) {
            if (!shown(w))
                continue;
            if (hasBackColor(w)) {
                if (wholeSurface(w))
                    checkWidget(w, backColor(w));
                else
                    checkContainer(w);
            }
            if (auto *g = qobject_cast<FlexGrid *>(w))
                checkGrid(g);
            if (auto *c = qobject_cast<Chart *>(w))
                checkChart(c);
        }
        return m_checked;
    }

private:
    bool shown(const QWidget *w) const
    {
        if (w != m_window && !w->isVisibleTo(m_window))
            return false;
        return !visibleRect(w).isEmpty();
    }
    // Whether another control lies over the middle of `r` (the game strip over the panels).
    bool covered(const QWidget *w, const QRect &r) const
    {
        if (w == m_window)
            return false;
        const QWidget *top = m_window->childAt(r.center());
        return !top || (top != w && !w->isAncestorOf(top));
    }
    // The part of `w` on screen, in the window's logical coordinates: what its
    // ancestors (a scrolled area, a frame) leave of it.
    QRect visibleRect(const QWidget *w) const
    {
        QRect r(w->mapTo(m_window, QPoint(0, 0)), w->size());
        for (const QWidget *p = w->parentWidget(); p && p != m_window; p = p->parentWidget())
            r &= QRect(p->mapTo(m_window, QPoint(0, 0)), p->size());
        return r & m_window->rect();
    }
    static bool wholeSurface(const QWidget *w)
    {
        return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLabel *>(w)
            || qobject_cast<const QLineEdit *>(w);
    }
    static QString textOf(const QWidget *w)
    {
        if (auto *l = qobject_cast<const QLabel *>(w))
            return l->text();
        if (auto *b = qobject_cast<const QAbstractButton *>(w))
            return b->text();
        if (auto *e = qobject_cast<const QLineEdit *>(w))
            return e->text();
        return {};
    }
    // Where the text of `w` is drawn, without its frame or a button's bevel.
    QRect inner(const QWidget *w) const
    {
        QRect r = w->rect();
        if (auto *l = qobject_cast<const QLabel *>(w))
            r = l->contentsRect().adjusted(1, 1, -1, -1);
        else if (qobject_cast<const QLineEdit *>(w))
            r = r.adjusted(3, 3, -3, -3);
        else
            r = r.adjusted(4, 4, -4, -4);
        return QRect(w->mapTo(m_window, r.topLeft()), r.size()) & visibleRect(w);
    }

    void checkWidget(QWidget *w, const QColor &back, const QString &asName = QString())
    {
        const QString name = asName.isEmpty() ? w->objectName() : asName;
        const QRect r = inner(w);
        if (r.width() < 4 || r.height() < 4 || covered(w, r))
            return;
        // Labels and text boxes are filled with the colour itself; a button
        // shades its face from top to bottom, and its text must read on every shade.
        const bool shaded = qobject_cast<QAbstractButton *>(w) && !qobject_cast<QLabel *>(w);
        const Finding f = shaded ? lookShaded(name, r, back) : look(name, r);
        if (shaded ? contrastRatio(f.back, back) > 1.15 : f.back.rgb() != back.rgb())
            fail(QStringLiteral("%1 is painted %2, not its colour %3").arg(name, f.back.name(), back.name()));
        const QColor asked = textColor(w);
        if (asked.isValid() && asked.rgb() == back.rgb()) {
            // A letter hidden in its back colour must stay hidden.
            if (f.textPixels > 0)
                fail(QStringLiteral("%1: hidden text shows (%2)").arg(name, f.text.name()));
        } else if (!textOf(w).isEmpty()) {
            expectReadable(f);
        }
        m_checked.insert(name);
    }

    // A coloured frame: the captions, checks and options on it (which have no
    // colour of their own) must read on its colour.
    void checkContainer(QWidget *frame)
    {
        const QColor back = backColor(frame);
        for (QWidget *c : frame->findChildren<QWidget *>()) {
            if (!shown(c) || hasBackColor(c) || c->autoFillBackground())
                continue;
            if (qobject_cast<QLabel *>(c) || qobject_cast<QCheckBox *>(c) || qobject_cast<QRadioButton *>(c))
                if (!textOf(c).isEmpty())
                    checkWidget(c, back, frame->objectName() + QLatin1Char('/') + c->objectName());
        }
        m_checked.insert(frame->objectName());
    }

    void checkGrid(FlexGrid *g)
    {
        QWidget *vp = g->viewport();
        const QRect view = vp->rect();
        const QColor base = g->palette().color(QPalette::Base);
        for (int r = 1; r < g->rows(); ++r) {
            for (int c = 0; c < g->cols(); ++c) {
                const QColor back = g->cellBackColor(r, c);
                const QColor fore = g->cellForeColor(r, c);
                if ((!back.isValid() && !fore.isValid()) || g->textMatrix(r, c).isEmpty())
                    continue;
                const QModelIndex index = g->model()->index(r - 1, c);
                const QRect cell = g->visualRect(index);
                if (!view.contains(cell))
                    continue; // scrolled away, or cut by the grid's edge
                const QRect in = QRect(vp->mapTo(m_window, cell.topLeft()), cell.size()).adjusted(1, 1, -2, -2);
                if (covered(vp, in))
                    continue;
                const QString name = QStringLiteral("%1(%2,%3)").arg(g->objectName()).arg(r).arg(c);
                const Finding f = look(name, in);
                // The current cell is marked in the grid's highlight instead.
                if (g->currentIndex() != index && f.back.rgb() != (back.isValid() ? back : base).rgb())
                    fail(QStringLiteral("%1 is painted %2, not %3")
                             .arg(name, f.back.name(), (back.isValid() ? back : base).name()));
                expectReadable(f);
                m_checked.insert(g->objectName());
            }
        }
    }

    // A chart is drawn on the desktop's own back colour, with texts that read.
    void checkChart(Chart *c)
    {
        const QRect r = visibleRect(c).adjusted(2, 2, -2, -2);
        if (r.width() < 40 || r.height() < 40 || covered(c, r))
            return;
        const Finding f = look(c->objectName(), r);
        const QColor base = c->palette().color(QPalette::Base);
        if (f.back.rgb() != base.rgb())
            fail(QStringLiteral("chart %1 is drawn on %2, not the desktop's %3")
                     .arg(c->objectName(), f.back.name(), base.name()));
        expectReadable(f);
        m_checked.insert(c->objectName());
    }

    QRect device(const QRect &logical) const
    {
        return QRect(QPoint(qRound(logical.left() * m_dpr), qRound(logical.top() * m_dpr)),
                     QSize(qRound(logical.width() * m_dpr), qRound(logical.height() * m_dpr)))
            .intersected(m_image.rect());
    }

    // A shaded face: its shades are the colours down its left and right edges
    // (where no text reaches); the text is what stands out most from the
    // middle shade, and it is judged against the shade it reads worst on.
    Finding lookShaded(const QString &name, const QRect &logical, const QColor &asked) const
    {
        const QRect r = device(logical);
        QList<QColor> shades;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x : {r.left(), r.right()})
                shades << m_image.pixelColor(x, y);
        Finding f = look(name, logical);
        if (shades.isEmpty())
            return f;
        // The face itself: the shade nearest the colour asked for, for the check that it is painted.
        QColor nearest = shades.first(), worst = shades.first();
        const QColor middle = shades.at(shades.size() / 2);
        f.text = QColor();
        f.textPixels = 0;
        double strongest = 1;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = m_image.pixelColor(x, y);
                const double k = contrastRatio(p, middle);
                if (k >= kTextPixelContrast)
                    ++f.textPixels;
                if (k > strongest) {
                    strongest = k;
                    f.text = p;
                }
            }
        for (const QColor &c : std::as_const(shades)) {
            if (contrastRatio(c, asked) < contrastRatio(nearest, asked))
                nearest = c;
            if (f.text.isValid() && contrastRatio(c, f.text) < contrastRatio(worst, f.text))
                worst = c;
        }
        f.back = contrastRatio(worst, asked) <= 1.15 ? worst : nearest;
        return f;
    }

    Finding look(const QString &name, const QRect &logical) const
    {
        Finding f;
        f.name = name;
        const QRect r = device(logical);
        QHash<QRgb, int> counts;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(m_image.constScanLine(y));
            for (int x = r.left(); x <= r.right(); ++x)
                ++counts[line[x] | 0xff000000u];
        }
        QRgb mode = 0;
        int best = -1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > best) {
                best = it.value();
                mode = it.key();
            }
        f.back = QColor::fromRgb(mode);
        double strongest = 1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const double k = contrastRatio(QColor::fromRgb(it.key()), f.back);
            if (k >= kTextPixelContrast)
                f.textPixels += it.value();
            if (k > strongest) {
                strongest = k;
                f.text = QColor::fromRgb(it.key());
            }
        }
        return f;
    }

    void expectReadable(const Finding &f)
    {
        if (f.textPixels < 4) {
            fail(QStringLiteral("%1: no text found on %2").arg(f.name, f.back.name()));
            return;
        }
        const double k = contrastRatio(f.text, f.back);
        if (k < kReadableContrast)
            fail(QStringLiteral("%1: text %2 on %3 reads at %4:1")
                     .arg(f.name, f.text.name(), f.back.name(), QString::number(k, 'f', 2)));
    }

    void fail(const QString &what) { m_problems->append(m_where + QStringLiteral(": ") + what); }

    QWidget *m_window;
    QStringList *m_problems;
    QImage m_image;
    qreal m_dpr = 1;
    QString m_where;
    QSet<QString> m_checked;
};

// The log every main-window screen is looked at on: the shared fixture and four
// games today, so the rating reads 「4 種類の脳刺激」 on light green.
inline QByteArray viewsLogWithToday()
{
    return fixture(QStringLiteral("views.txt"))
        + sjisLines({play("2026/12/07", "08:20:16", "数字記憶", 3, "暗記数 : 8").gameLine(),
                     play("2026/12/07", "09:02:30", "アイコン衰弱", 84.2f, "ターン数 : 15").gameLine(),
                     play("2026/12/07", "12:10:05", "輪廻記憶", 61.7f, "4 / 6 回").gameLine(),
                     play("2026/12/07", "13:36:58", "追跡記憶", 44.1f, "レベル : 8").gameLine()});
}

// The surfaces a test has checked and the problems found on them, under the
// palette it chose.
class SurfaceFindings {
public:
    void useDefaultLook()
    {
        kioku::setDesktopLook(QStringLiteral("Fusion"), QApplication::palette());
        m_defaultPalette = QApplication::style()->standardPalette();
    }
    void usePalette(bool dark)
    {
        kioku::setDesktopLook(QStringLiteral("Fusion"), dark ? kioku::darkDesktopPalette() : m_defaultPalette);
    }
    // The default palette back, nothing checked.
    void reset()
    {
        kioku::setDesktopLook(QStringLiteral("Fusion"), m_defaultPalette);
        m_problems.clear();
        m_checked.clear();
    }
    // Checks the window now; the names of the surfaces checked are collected.
    void check(QWidget *window, const QString &where)
    {
        SurfaceCheck c(window, &m_problems);
        m_checked += c.run(where);
    }
    void expectChecked(const QStringList &names)
    {
        for (const QString &n : names)
            QVERIFY2(m_checked.contains(n), qPrintable(QStringLiteral("%1 was not found on screen").arg(n)));
        QVERIFY2(m_problems.isEmpty(), qPrintable(m_problems.join(QLatin1Char('\n'))));
    }

private:
    QPalette m_defaultPalette;
    QStringList m_problems;
    QSet<QString> m_checked;
};
