// Moving through the grid as the user does: the grid scrolled to its last
// rows, cut back to its header, clicked on its cells and driven by the keys.
#include "widgets/flexgrid.h"

#include "core/stats/playrows.h"
#include "flexgridtests.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

using kioku::FlexGrid;
using kioku::GridColumn;

namespace {

// The data row drawn at the top of the viewport.
int rowAtTop(const FlexGrid &g)
{
    return g.rowAt(1) + 1;
}

// The last data row drawn wholly in the viewport.
int rowAtBottom(const FlexGrid &g)
{
    const int r = g.rowAt(g.viewport()->height() - 1);
    const int last = r < 0 ? g.model()->rowCount() - 1 : r;
    return g.rowViewportPosition(last) + g.rowHeight(last) <= g.viewport()->height() ? last + 1 : last;
}

// How many whole rows the viewport shows.
int pageRows(const FlexGrid &g)
{
    return g.viewport()->height() / g.verticalHeader()->defaultSectionSize();
}

} // namespace

class TestFlexGridNavigation : public QObject {
    Q_OBJECT

private slots:
    void scrollToLastIfMoreThan_data();
    void scrollToLastIfMoreThan();
    void cutToHeaderStartsFromTheTop_data();
    void cutToHeaderStartsFromTheTop();
    void clicksOnDataCellsSetRowAndCol();
    void keyboardMovesTheCurrentRow_data();
    void keyboardMovesTheCurrentRow();
    void theEndShowsTheLastRowsWhole_data();
    void theEndShowsTheLastRowsWhole();
};

void TestFlexGridNavigation::scrollToLastIfMoreThan_data()
{
    QTest::addColumn<int>("dataRows");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("scrolls");
    // A history grid scrolls past 7 rows, the header included.
    QTest::newRow("6 entries stay") << 6 << 7 << false;
    QTest::newRow("7 entries fit on the page") << 7 << 7 << true;
    QTest::newRow("50 entries: the last page") << 50 << 7 << true;
    QTest::newRow("empty grid") << 0 << 0 << true;
}

void TestFlexGridNavigation::scrollToLastIfMoreThan()
{
    // Scrolling to the last row shows the last full page: the newest rows and
    // no empty space under them, which would look as if records were lost.
    QFETCH(int, dataRows);
    QFETCH(int, limit);
    QFETCH(bool, scrolls);
    FlexGrid g;
    g.resize(300, 200);
    // Filled and scrolled while hidden, as the windows refill their grids.
    fill(g, 3, dataRows);
    g.scrollToLastIfMoreThan(limit);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    const int page = pageRows(g);
    const int top = scrolls ? qMax(1, dataRows - page + 1) : 1;
    QCOMPARE(g.topRow(), top);
    if (dataRows > 0) {
        // At the end the last row sits on the bottom edge; a part of the row
        // above the top row may show over it.
        QVERIFY(rowAtTop(g) == top || rowAtTop(g) == top - 1);
        if (scrolls)
            QCOMPARE(rowAtBottom(g), dataRows);
    }
}

void TestFlexGridNavigation::cutToHeaderStartsFromTheTop_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("refilled while shown") << false;
    QTest::newRow("refilled while hidden") << true;
}

void TestFlexGridNavigation::cutToHeaderStartsFromTheTop()
{
    // A grid at its end stays at its end when it is laid out anew; cut to its
    // header and refilled with a few rows (a filter that leaves little), the
    // grid shows its first row again.
    QFETCH(bool, hidden);
    FlexGrid g;
    g.resize(300, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    fill(g, 3, 50);
    g.setTopRow(99); // beyond the last page is the last page
    QCOMPARE(rowAtBottom(g), 50);
    QCOMPARE(g.topRow(), 50 - pageRows(g) + 1);
    g.resize(320, 260); // a taller view shows more of the last rows
    QCoreApplication::processEvents();
    QCOMPARE(rowAtBottom(g), 50);
    QCOMPARE(g.topRow(), 50 - pageRows(g) + 1);
    if (hidden)
        g.hide();
    fill(g, 3, 45);
    if (hidden)
        g.show();
    QCoreApplication::processEvents();
    QCOMPARE(g.topRow(), 1);
    QCOMPARE(rowAtTop(g), 1);
}

void TestFlexGridNavigation::clicksOnDataCellsSetRowAndCol()
{
    FlexGrid g;
    g.resize(400, 300);
    fill(g, 3, 5);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QSignalSpy spy(&g, &FlexGrid::clicked);
    int seenRow = -1, seenCol = -1;
    connect(&g, &FlexGrid::clicked, this, [&] {
        seenRow = g.row();
        seenCol = g.col();
    });
    const QRect cell = g.visualRect(g.model()->index(2, 1)); // grid row 3, column 1
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(seenRow, 3);
    QCOMPARE(seenCol, 1);
    QCOMPARE(g.text(), QStringLiteral("3,1"));

    // The header row and the empty area below the rows are no click.
    g.clickCell(0, 1);
    QHeaderView *h = g.horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(1) + 5, h->height() / 2));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(10, g.viewport()->height() - 3));
    QCOMPARE(spy.count(), 1);

    // The keyboard user moves to a cell and presses Space.
    g.setFocus();
    g.setCurrentIndex(g.model()->index(0, 0));
    QTest::keyClick(&g, Qt::Key_Down);
    QTest::keyClick(&g, Qt::Key_Right);
    QCOMPARE(spy.count(), 1);
    QTest::keyClick(&g, Qt::Key_Space);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(g.row(), 2);
    QCOMPARE(g.col(), 1);
}

void TestFlexGridNavigation::keyboardMovesTheCurrentRow_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("row"); // -1: the last row of the first page below the start
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 4;
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 2;
    QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << 40;
    QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << -1;
}

void TestFlexGridNavigation::keyboardMovesTheCurrentRow()
{
    // What the highlight shows is what row() says: a command that acts on the
    // current row acts on the row the user moved to, by mouse or by keyboard.
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, row);
    FlexGrid g;
    g.resize(300, 200);
    fill(g, 3, 40);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.setFocus();
    const QRect cell = g.visualRect(g.model()->index(2, 1)); // grid row 3
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(g.row(), 3);
    QTest::keyClick(&g, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (row < 0)
        QVERIFY(g.row() > 3 + 1);
    else
        QCOMPARE(g.row(), row);
    QCOMPARE(g.currentIndex().row() + 1, g.row());
    QCOMPARE(g.text(), QStringLiteral("%1,%2").arg(g.row()).arg(g.col()));

    // Setting the row moves the highlight there too.
    g.setRow(7);
    QCOMPARE(g.currentIndex().row(), 6);
}

void TestFlexGridNavigation::theEndShowsTheLastRowsWhole_data()
{
    QTest::addColumn<int>("spare"); // pixels over (or under) eight whole rows
    QTest::addColumn<QString>("how");
    for (int spare : {-1, 0, 1})
        for (const char *how : {"scrolled by the window", "scrolled while hidden", "End", "Page Down"})
            QTest::addRow("8 rows %+d px, %s", spare, how) << spare << QString::fromLatin1(how);
}

void TestFlexGridNavigation::theEndShowsTheLastRowsWhole()
{
    // Scrolled to its end, a grid shows as many of its last rows as it has
    // room for, the last one included, and never an empty row under them: at
    // a height of exactly eight rows, rows 43 to 50 of 50.
    QFETCH(int, spare);
    QFETCH(QString, how);
    constexpr int kRows = 50;
    FlexGrid g;
    g.resize(300, 200);
    fill(g, 3, kRows);
    const int h = g.verticalHeader()->defaultSectionSize();
    const int around = g.horizontalHeader()->height() + 2 * g.frameWidth();
    g.resize(300, around + 8 * h + spare);
    if (how == QLatin1String("scrolled while hidden"))
        g.scrollToLastIfMoreThan(7); // as the windows fill their grids before they show them
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QCOMPARE(g.viewport()->height(), 8 * h + spare);
    const int whole = spare < 0 ? 7 : 8;

    if (how == QLatin1String("scrolled by the window")) {
        g.scrollToLastIfMoreThan(7);
    } else if (how != QLatin1String("scrolled while hidden")) {
        g.setFocus();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(0, 1)).center());
        const Qt::Key key = how == QLatin1String("End") ? Qt::Key_End : Qt::Key_PageDown;
        const Qt::KeyboardModifiers mods = key == Qt::Key_End ? Qt::ControlModifier : Qt::NoModifier;
        for (int i = 0; i < kRows && g.row() < kRows; ++i)
            QTest::keyClick(&g, key, mods);
        QCOMPARE(g.row(), kRows);
    }
    QCoreApplication::processEvents();

    // What the viewport shows, from its top edge to its bottom edge.
    const int first = g.rowAt(0) + 1;
    QCOMPARE(g.rowViewportPosition(first - 1), 0); // the top row is whole
    QCOMPARE(first, kRows - whole + 1);
    QCOMPARE(rowAtBottom(g), kRows);
    const int below = g.viewport()->height() - (g.rowViewportPosition(kRows - 1) + h);
    QVERIFY2(below >= 0 && below < h, qPrintable(QStringLiteral("%1 px empty under the last row").arg(below)));
    QCOMPARE(g.topRow(), first);
}

QTEST_MAIN(TestFlexGridNavigation)
#include "tst_flexgridnavigation.moc"
