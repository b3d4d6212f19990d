// Lines and indicators under the desktop's default palette and under a dark
// one (Fusion with the colours KDE's Breeze Dark hands to Qt), measured in the
// rendered pixels: the lines between grid cells and the ring of an option
// button stand out from the back they are drawn on by at least 3:1 (the
// contrast WCAG asks of the parts of a control), so the cross tables, the
// calendar and the options of 集計表示 keep their shape on a dark desktop.
#include "mainfixture.h"

#include "main/appsetup.h"
#include "testing/darkpalette.h"
#include "widgets/backcolor.h"
#include "widgets/flexgrid.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace kioku;

namespace {

QImage grabImage(QWidget *w)
{
    QCoreApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The strongest contrast with `back` among the pixels of `r` (in the widget's
// coordinates; the image may hold more pixels than that on a dense screen).
double strongest(const QImage &image, const QRect &r, const QColor &back)
{
    double best = 1;
    const qreal dpr = image.devicePixelRatio();
    const QRect device(qFloor(r.left() * dpr), qFloor(r.top() * dpr), qCeil(r.width() * dpr), qCeil(r.height() * dpr));
    const QRect in = device & image.rect();
    for (int y = in.top(); y <= in.bottom(); ++y)
        for (int x = in.left(); x <= in.right(); ++x)
            best = std::max(best, contrastRatio(image.pixelColor(x, y), back));
    return best;
}

bool plain(const FlexGrid *g, int r, int c)
{
    return g->textMatrix(r, c).isEmpty() && !g->cellBackColor(r, c).isValid();
}

} // namespace

class tst_darkLines : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void gridLinesStandOut_data();
    void gridLinesStandOut();
    void optionRingsStandOut_data();
    void optionRingsStandOut();

private:
    QPalette m_defaultPalette;
};

void tst_darkLines::initTestCase()
{
    setUpApplication();
    setDesktopLook(QStringLiteral("Fusion"), QApplication::palette());
    m_defaultPalette = QApplication::style()->standardPalette();
}

void tst_darkLines::cleanup()
{
    setDesktopLook(QStringLiteral("Fusion"), m_defaultPalette);
}

void tst_darkLines::gridLinesStandOut_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("grid");
    const QList<QPair<const char *, const char *>> grids = {
        {"cmdSyuukei", "msgKakei1"},
        {"cmdSyuukei", "msgKakei2"},
        {"cmdCale", "msgCale"},
        {"cmdCale", "msgCale_w"},
    };
    for (bool dark : {false, true})
        for (const auto &g : grids)
            QTest::addRow("%s %s", dark ? "dark" : "default", g.second)
                << dark << QString::fromLatin1(g.first) << QString::fromLatin1(g.second);
}

void tst_darkLines::gridLinesStandOut()
{
    // Between two empty cells that have no colour of their own, the line that
    // parts them, side by side and one above the other, against the grid's back.
    QFETCH(bool, dark);
    QFETCH(QString, button);
    QFETCH(QString, grid);
    setDesktopLook(QStringLiteral("Fusion"), dark ? darkDesktopPalette() : m_defaultPalette);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->findChild<QPushButton *>(button)->click();
    auto *g = w->findChild<FlexGrid *>(grid);
    QVERIFY(g && g->isVisible());
    const QImage image = grabImage(g->viewport());
    const QColor back = g->palette().color(QPalette::Base);
    const QRect view = g->viewport()->rect();

    bool across = false, down = false;
    for (int r = 1; r + 1 < g->rows() && !(across && down); ++r) {
        for (int c = 0; c + 1 < g->cols() && !(across && down); ++c) {
            const QRect cell = g->visualRect(g->model()->index(r - 1, c));
            if (!view.contains(cell) || !plain(g, r, c))
                continue;
            const QString at = QStringLiteral("%1 row %2 column %3").arg(grid).arg(r).arg(c);
            if (!across && plain(g, r, c + 1)) {
                // The line at the right edge of the cell, along its middle half.
                const QRect line(cell.right() - 1, cell.top() + cell.height() / 4, 4, cell.height() / 2);
                const double k = strongest(image, line, back);
                QVERIFY2(k >= kVisibleLineContrast,
                         qPrintable(QStringLiteral("%1: the line to the right stands out %2:1").arg(at).arg(k)));
                across = true;
            }
            if (!down && plain(g, r + 1, c)) {
                const QRect line(cell.left() + cell.width() / 4, cell.bottom() - 1, cell.width() / 2, 4);
                const double k = strongest(image, line, back);
                QVERIFY2(k >= kVisibleLineContrast,
                         qPrintable(QStringLiteral("%1: the line below stands out %2:1").arg(at).arg(k)));
                down = true;
            }
        }
    }
    QVERIFY2(across && down, "no two empty cells side by side and one above the other on screen");
    QVERIFY(f.messages.shown.isEmpty());
}

void tst_darkLines::optionRingsStandOut_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("option");
    for (bool dark : {false, true})
        for (const char *option : {"optList2_0", "optList2_1", "optList2_2"})
            QTest::addRow("%s %s", dark ? "dark" : "default", option) << dark << QString::fromLatin1(option);
}

void tst_darkLines::optionRingsStandOut()
{
    // The round indicator of each option of 集計表示, chosen or not: at its top,
    // bottom, left and right the ring stands out from the panel around it.
    QFETCH(bool, dark);
    QFETCH(QString, option);
    setDesktopLook(QStringLiteral("Fusion"), dark ? darkDesktopPalette() : m_defaultPalette);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    auto w = f.load();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(w->cmdSyuukei, Qt::LeftButton);
    auto *o = w->findChild<QRadioButton *>(option);
    QVERIFY(o && o->isVisible());
    QCOMPARE(o->isChecked(), option == QLatin1String("optList2_0"));

    const QImage image = grabImage(o);
    QStyleOptionButton opt;
    opt.initFrom(o);
    const QRect indicator = o->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, o);
    QVERIFY(indicator.width() >= 8);
    const QColor back = image.pixelColor(qRound((indicator.right() + 2) * image.devicePixelRatio()), 0); // beside it
    QCOMPARE(back, w->palette().color(QPalette::Window));
    const QPoint mid = indicator.center();
    // Each extreme of the ring, with a pixel either way for where the style puts it.
    const QList<QRect> extremes = {
        QRect(mid.x() - 1, indicator.top() - 1, 3, 4), QRect(mid.x() - 1, indicator.bottom() - 2, 3, 4),
        QRect(indicator.left() - 1, mid.y() - 1, 4, 3), QRect(indicator.right() - 2, mid.y() - 1, 4, 3)};
    for (const QRect &at : extremes) {
        const double k = strongest(image, at, back);
        QVERIFY2(k >= kVisibleLineContrast,
                 qPrintable(QStringLiteral("the ring at (%1,%2) stands out %3:1 from %4")
                                .arg(at.center().x())
                                .arg(at.center().y())
                                .arg(k)
                                .arg(back.name())));
    }
}

QTEST_MAIN(tst_darkLines)
#include "tst_darklines.moc"
