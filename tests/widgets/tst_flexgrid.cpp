#include "widgets/flexgrid.h"

#include "core/stats/playrows.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

using kioku::FlexGrid;
using kioku::GridColumn;

namespace {

// A grid of `dataRows` rows under a header, the cell text "r,c".
void fill(FlexGrid &g, int cols, int dataRows)
{
    g.setCols(cols);
    g.setRows(1);
    QList<QStringList> rows;
    for (int r = 1; r <= dataRows; ++r) {
        QStringList cells;
        for (int c = 0; c < cols; ++c)
            cells << QStringLiteral("%1,%2").arg(r).arg(c);
        rows << cells;
    }
    g.setDataRows(rows);
}

QStringList column(const FlexGrid &g, int c)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << g.textMatrix(r, c);
    return out;
}

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

class TestFlexGrid : public QObject {
    Q_OBJECT

private slots:
    void headerRowIsTheHorizontalHeader();
    void rowsGrowAndCut();
    void addRowRemoveItemAndClear();
    void cellColoursFollowTheirRows();
    void sortByCurrentColumn_data();
    void sortByCurrentColumn();
    void columnWidthsInTwips();
    void scrollToLastIfMoreThan_data();
    void scrollToLastIfMoreThan();
    void cutToHeaderStartsFromTheTop_data();
    void cutToHeaderStartsFromTheTop();
    void clicksOnDataCellsSetRowAndCol();
    void aTextThatDoesNotFitWidensItsColumn();
    void keyboardMovesTheCurrentRow_data();
    void keyboardMovesTheCurrentRow();
    void theEndShowsTheLastRowsWhole_data();
    void theEndShowsTheLastRowsWhole();
    void aDecimalPointIsDrawnAsADot_data();
    void aDecimalPointIsDrawnAsADot();
    void cellsAreDrawnWhereTheirAlignmentSays_data();
    void cellsAreDrawnWhereTheirAlignmentSays();
    void aListOfPlaysActsAsRowsOfTexts_data();
    void aListOfPlaysActsAsRowsOfTexts();
};

void TestFlexGrid::cellsAreDrawnWhereTheirAlignmentSays_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expectedCentre"); // of the ink, as a share of the cell's width
    QTest::newRow("left") << int(Qt::AlignLeft) << QStringLiteral("12") << 0.1;
    QTest::newRow("right") << int(Qt::AlignRight) << QStringLiteral("12") << 0.9;
    QTest::newRow("centre") << int(Qt::AlignHCenter) << QStringLiteral("12") << 0.5;
    // Too wide for its cell: cut with an ellipsis, the ink runs across the cell.
    QTest::newRow("too wide") << int(Qt::AlignRight) << QStringLiteral("数字記憶数字記憶数字記憶") << 0.5;
}

void TestFlexGrid::cellsAreDrawnWhereTheirAlignmentSays()
{
    QFETCH(int, align);
    QFETCH(QString, text);
    QFETCH(double, expectedCentre);
    FlexGrid g;
    g.setCols(2);
    g.setColWidth(0, 1500);
    g.setColWidth(1, 1500);
    g.setColAlignment(1, Qt::Alignment(align));
    g.addRow({QString(), text});
    g.setCellBackColor(1, 1, QColor(255, 255, 192)); // a coloured cell is drawn in its colour
    g.resize(300, 120);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    const QImage shot = g.viewport()->grab().toImage();
    const QRect cell = g.visualRect(g.model()->index(0, 1));
    int inkLeft = INT_MAX, inkRight = -1;
    for (int y = cell.top() + 2; y < cell.bottom() - 1; ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x)
            if (qGray(shot.pixel(x, y)) < 128) {
                inkLeft = qMin(inkLeft, x);
                inkRight = qMax(inkRight, x);
            }
    QVERIFY2(inkRight >= 0, "the text is drawn");
    const double centre = ((inkLeft + inkRight) / 2.0 - cell.left()) / cell.width();
    QVERIFY2(qAbs(centre - expectedCentre) < 0.2, qPrintable(QString::number(centre)));
    QCOMPARE(QColor(shot.pixel(cell.left() + 1, cell.top() + 1)), QColor(255, 255, 192));
}

void TestFlexGrid::headerRowIsTheHorizontalHeader()
{
    FlexGrid g;
    g.setCols(3);
    QCOMPARE(g.rows(), 1);
    g.setTextMatrix(0, 2, QStringLiteral("項目"));
    QAbstractItemModel *m = g.model();
    QCOMPARE(m->rowCount(), 0);
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("項目"));

    // Header cells are centred unless told; data cells follow the column alignment.
    auto headerAlign = [&](int c) {
        return Qt::Alignment(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt())
            & Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(headerAlign(1), Qt::AlignHCenter);
    g.setFixedAlignment(1, Qt::AlignLeft);
    QCOMPARE(headerAlign(1), Qt::AlignLeft);
    g.addRow({QStringLiteral("1"), QStringLiteral("12:00:00"), QStringLiteral("数字記憶")});
    g.setColAlignment(0, Qt::AlignRight);
    const auto cellAlign =
        Qt::Alignment(m->data(m->index(0, 0), Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask;
    QCOMPARE(cellAlign, Qt::AlignRight);
    QCOMPARE(m->data(m->index(0, 2)).toString(), QStringLiteral("数字記憶"));

    // The font size reaches cells and header; rows grow with it.
    const int rowHeight = g.verticalHeader()->defaultSectionSize();
    g.setFontSize(20);
    QCOMPARE(g.horizontalHeader()->font().pointSizeF(), 20.0);
    QVERIFY(g.verticalHeader()->defaultSectionSize() > rowHeight);
}

void TestFlexGrid::rowsGrowAndCut()
{
    FlexGrid g;
    fill(g, 3, 4);
    QCOMPARE(g.rows(), 5);
    g.setRows(3);
    g.setRows(6);
    QCOMPARE(g.textMatrix(2, 1), QStringLiteral("2,1"));
    QCOMPARE(g.textMatrix(4, 2), QString()); // a row cut and added again comes back empty

    // Never fewer than the header row; the current cell stays inside the grid.
    g.setRow(5);
    g.setCol(2);
    g.setRows(0);
    QCOMPARE(g.rows(), 1);
    QCOMPARE(g.row(), 0);

    // Cells outside the grid are neither written nor made.
    g.setTextMatrix(5, 0, QStringLiteral("x"));
    g.setTextMatrix(1, 7, QStringLiteral("x"));
    QCOMPARE(g.rows(), 1);
    QCOMPARE(g.textMatrix(1, 7), QString());
}

void TestFlexGrid::addRowRemoveItemAndClear()
{
    FlexGrid g;
    g.setCols(2);
    g.addRow({QStringLiteral("a"), QStringLiteral("1")});
    g.addRow({QStringLiteral("b")}); // shorter than the grid: the rest is empty
    g.addRow({QStringLiteral("c"), QStringLiteral("3")});
    QCOMPARE(g.rows(), 4);
    QCOMPARE(g.textMatrix(2, 1), QString());

    g.removeItem(2);
    QCOMPARE(column(g, 0), QStringList({QStringLiteral("a"), QStringLiteral("c")}));
    g.removeItem(0); // the header is not a data row
    g.removeItem(9);
    QCOMPARE(g.rows(), 3);
    g.setRow(2);
    g.removeItem(2);
    QCOMPARE(g.rows(), 2);
    QCOMPARE(g.row(), 1);

    // Clearing empties every text and keeps the size.
    g.clear();
    QCOMPARE(g.rows(), 2);
    QCOMPARE(g.textMatrix(1, 0), QString());
}

void TestFlexGrid::cellColoursFollowTheirRows()
{
    FlexGrid g;
    fill(g, 2, 4);
    const QColor red(255, 192, 192);
    g.setRow(3);
    g.setCol(1);
    g.setCellBackColor(red);
    g.setCellForeColor(Qt::blue);
    QCOMPARE(g.cellBackColor(3, 1), red);
    QAbstractItemModel *m = g.model();
    QCOMPARE(m->data(m->index(2, 1), Qt::BackgroundRole).value<QColor>(), red);
    QCOMPARE(m->data(m->index(2, 1), Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));

    // Removing a row above moves the colour up with its row.
    g.removeItem(1);
    QCOMPARE(g.textMatrix(2, 1), QStringLiteral("3,1"));
    QCOMPARE(g.cellBackColor(2, 1), red);
    QVERIFY(!g.cellBackColor(3, 1).isValid());

    // Sorting carries the colour along too.
    g.setCol(0);
    g.sort(FlexGrid::Sort::NumericDescending); // 4, 3, 2
    QCOMPARE(g.textMatrix(2, 1), QStringLiteral("3,1"));
    QCOMPARE(g.cellBackColor(2, 1), red);

    // Refilling drops the colours of the old rows.
    fill(g, 2, 4);
    QVERIFY(!g.cellBackColor(2, 1).isValid());
}

void TestFlexGrid::sortByCurrentColumn_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("how");
    QTest::addColumn<QStringList>("expected"); // the tags (column 0) after the sort

    const QStringList numbers = {"10", "9", "0.5秒", "100", "abc", "9"};
    QTest::newRow("numeric ascending, stable")
        << numbers << int(FlexGrid::Sort::NumericAscending) << QStringList({"t5", "t3", "t2", "t6", "t1", "t4"});
    QTest::newRow("numeric descending, stable")
        << numbers << int(FlexGrid::Sort::NumericDescending) << QStringList({"t4", "t1", "t2", "t6", "t3", "t5"});
    QTest::newRow("text ascending compares characters")
        << numbers << int(FlexGrid::Sort::TextAscending) << QStringList({"t3", "t1", "t4", "t2", "t6", "t5"});
    QTest::newRow("negative and decimal numbers")
        << QStringList({"-3", "2.5", "-10", "0"}) << int(FlexGrid::Sort::NumericAscending)
        << QStringList({"t3", "t1", "t4", "t2"});
    QTest::newRow("Japanese text") << QStringList({"輪廻記憶", "アイコン衰弱", "数字記憶", "あ"})
                                   << int(FlexGrid::Sort::TextAscending) << QStringList({"t4", "t2", "t3", "t1"});
}

void TestFlexGrid::sortByCurrentColumn()
{
    QFETCH(QStringList, keys);
    QFETCH(int, how);
    QFETCH(QStringList, expected);
    FlexGrid g;
    g.setCols(3);
    for (int i = 0; i < keys.size(); ++i)
        g.addRow({QStringLiteral("t%1").arg(i + 1), QStringLiteral("x"), keys.at(i)});
    g.setTextMatrix(0, 2, QStringLiteral("見出し"));
    g.setCol(2);
    g.sort(FlexGrid::Sort(how));
    QCOMPARE(column(g, 0), expected);
    QCOMPARE(g.textMatrix(0, 2), QStringLiteral("見出し")); // the header stays where it is
    QCOMPARE(g.rows(), keys.size() + 1);
}

void TestFlexGrid::columnWidthsInTwips()
{
    FlexGrid g;
    g.setCols(4);
    const int dpi = g.logicalDpiX();
    for (int twips : {0, 1040, 2400}) {
        g.setColWidth(2, twips);
        QCOMPARE(g.columnWidth(2), qRound(twips * dpi / 1440.0));
        QCOMPARE(g.colWidth(2), twips);
    }
    // A width set by pixels reads back in twips.
    g.setColumnWidth(1, 100);
    QCOMPARE(g.colWidth(1), qRound(100 * 1440.0 / dpi));
}

void TestFlexGrid::scrollToLastIfMoreThan_data()
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

void TestFlexGrid::scrollToLastIfMoreThan()
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

void TestFlexGrid::cutToHeaderStartsFromTheTop_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("refilled while shown") << false;
    QTest::newRow("refilled while hidden") << true;
}

void TestFlexGrid::cutToHeaderStartsFromTheTop()
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

void TestFlexGrid::clicksOnDataCellsSetRowAndCol()
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

void TestFlexGrid::aTextThatDoesNotFitWidensItsColumn()
{
    // A width chosen for narrower fonts never cuts a time short with "…";
    // the width as set is still what the grid reports.
    FlexGrid g;
    g.setColumns({GridColumn{QStringLiteral("時間"), 300}, GridColumn{QStringLiteral("回"), 3000}}, 11);
    const int setPx = g.columnWidth(0);
    g.setDataRows({{QStringLiteral("14:05:45"), QStringLiteral("1")}});
    const int needed = QFontMetrics(g.font()).horizontalAdvance(QStringLiteral("14:05:45"));
    QVERIFY(g.columnWidth(0) > needed);
    QVERIFY(g.columnWidth(0) > setPx);
    QCOMPARE(g.colWidth(0), 300);
    QCOMPARE(g.columnWidth(1), qRound(3000 * g.logicalDpiX() / 1440.0)); // wide enough: as set
    g.addRow({QStringLiteral("23:59:59 (延長)"), QStringLiteral("2")});
    QVERIFY(g.columnWidth(0) > QFontMetrics(g.font()).horizontalAdvance(QStringLiteral("23:59:59 (延長)")));
}

void TestFlexGrid::keyboardMovesTheCurrentRow_data()
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

void TestFlexGrid::keyboardMovesTheCurrentRow()
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

void TestFlexGrid::theEndShowsTheLastRowsWhole_data()
{
    QTest::addColumn<int>("spare"); // pixels over (or under) eight whole rows
    QTest::addColumn<QString>("how");
    for (int spare : {-1, 0, 1})
        for (const char *how : {"scrolled by the window", "scrolled while hidden", "End", "Page Down"})
            QTest::addRow("8 rows %+d px, %s", spare, how) << spare << QString::fromLatin1(how);
}

void TestFlexGrid::theEndShowsTheLastRowsWhole()
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

void TestFlexGrid::aDecimalPointIsDrawnAsADot_data()
{
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("current"); // the highlighted cell is drawn by the standard delegate
    // A cell with room for the figure in the Japanese face's width only (the
    // rate column's "100.0%"): the point is still a dot there.
    QTest::addColumn<bool>("narrow");
    // 0: the grid keeps the application's font (10 pt), as most grids do.
    for (double points : {0.0, 9.0, 10.0, 11.0})
        for (bool current : {false, true})
            for (bool narrow : {false, true})
                QTest::addRow("%g pt%s%s", points, current ? ", current cell" : "", narrow ? ", narrow cell" : "")
                    << points << current << narrow;
}

void TestFlexGrid::aDecimalPointIsDrawnAsADot()
{
    // "1.5" in a cell, as the player sees it: one mark per character side by
    // side, and the point's is a dot on the line, not reaching under the
    // digits as a comma does, nor a stroke taller than it is wide (give or
    // take the pixel the edge of a round dot shades).
    QFETCH(double, points);
    QFETCH(bool, current);
    QFETCH(bool, narrow);
    const QFont appFont = QApplication::font();
    QFont japanese(QStringLiteral("IPAGothic")); // the program's font
    japanese.setPointSizeF(10);
    QApplication::setFont(japanese);
    const auto restore = qScopeGuard([&] { QApplication::setFont(appFont); });
    FlexGrid g;
    g.setColumns({GridColumn{QStringLiteral("秒"), 1200}, GridColumn{QStringLiteral("項目"), 1200}}, points);
    const QString figure = narrow ? QStringLiteral("100.5") : QStringLiteral("1.5");
    g.setDataRows({{figure, QStringLiteral("数字記憶")}});
    if (narrow) {
        const int plain = QFontMetrics(g.font()).horizontalAdvance(figure);
        QVERIFY(QFontMetrics(g.figureFont()).horizontalAdvance(figure) > plain);
        g.setColumnWidth(0, plain + 8);
    }
    g.resize(300, 120);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    if (current)
        g.setRow(1);
    const QRect cell = g.visualRect(g.model()->index(0, 0));
    const QImage image = g.viewport()->grab(cell.adjusted(1, 1, -1, -1)).toImage();
    const QColor back = image.pixelColor(1, 1);
    // The columns holding ink, in runs: one run per mark.
    struct Mark {
        int left = -1, right = -1, top = INT_MAX, bottom = -1;
    };
    QList<Mark> marks;
    for (int x = 0; x < image.width(); ++x) {
        int top = INT_MAX, bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            if (qAbs(qGray(image.pixel(x, y)) - qGray(back.rgb())) > 96) {
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        if (bottom < 0)
            continue;
        if (marks.isEmpty() || marks.last().right != x - 1)
            marks.append(Mark{x, x, top, bottom});
        Mark &m = marks.last();
        m.right = x;
        m.top = qMin(m.top, top);
        m.bottom = qMax(m.bottom, bottom);
    }
    QCOMPARE(marks.size(), figure.size());
    const int at = int(figure.indexOf(QLatin1Char('.')));
    const Mark dot = marks.at(at);
    const int line = qMax(marks.at(at - 1).bottom, marks.at(at + 1).bottom);
    QVERIFY2(dot.bottom <= line,
             qPrintable(QStringLiteral("the point reaches %1 px under the digits").arg(dot.bottom - line)));
    QVERIFY2(dot.bottom - dot.top <= dot.right - dot.left + 1,
             qPrintable(QStringLiteral("the point is %1 px tall and %2 px wide")
                            .arg(dot.bottom - dot.top + 1)
                            .arg(dot.right - dot.left + 1)));
    QVERIFY(dot.top > marks.at(at - 1).top); // on the line, not raised like a colon's top
}

// A grid filled from a list of plays computes its texts as they are shown;
// every command must find what a grid holding the same texts would hold.
void TestFlexGrid::aListOfPlaysActsAsRowsOfTexts_data()
{
    QTest::addColumn<QString>("steps"); // ';'-separated: "sort col how", "remove r", "set r c text",
                                        // "rows n", "cols n", "add", "clear", "colour r c"
    QTest::addColumn<int>("columns");   // the grid's columns when it is filled (the plays have 7)
    QTest::addColumn<bool>("plays");    // still a list of plays at the end: each row answers with its play
    QTest::newRow("every column, every sort") << "sort 0 1; sort 1 0; sort 2 3; sort 3 2; sort 4 0; sort 4 1; "
                                                 "sort 5 2; sort 6 3; sort 5 0; sort 0 0"
                                              << 7 << true;
    QTest::newRow("seconds whose texts are shorter than their values")
        << "sort 5 0; sort 5 1; sort 5 2; sort 5 3" << 7 << true;
    QTest::newRow("removed rows keep their numbers") << "remove 1; remove 4; remove 9; sort 0 1; remove 2" << 7 << true;
    QTest::newRow("an edited cell stays with its row")
        << "set 3 6 日記; sort 6 2; sort 0 0; set 1 5 7.25; sort 5 0" << 7 << true;
    QTest::newRow("colours follow their rows") << "colour 2 3; sort 5 1; remove 1; colour 4 0; sort 0 0" << 7 << true;
    QTest::newRow("cut, then grown") << "sort 5 0; rows 5; rows 8; set 7 1 x" << 7 << false;
    QTest::newRow("a row added") << "sort 3 3; add; sort 0 1" << 7 << false;
    QTest::newRow("columns cut, a row added, shown again") << "cols 5; add; cols 7" << 7 << false;
    QTest::newRow("fewer columns than fields, a row added") << "add; cols 7" << 5 << false;
    QTest::newRow("an edited cell among cells shown alike") << "set 2 5 0.1; sort 5 0; sort 5 1" << 7 << true;
    QTest::newRow("cut to the header") << "rows 1; add" << 7 << false;
    QTest::newRow("cleared") << "sort 5 1; clear; set 2 2 y" << 7 << false;
}

void TestFlexGrid::aListOfPlaysActsAsRowsOfTexts()
{
    QFETCH(QString, steps);
    QFETCH(int, columns);
    QFETCH(bool, plays);
    using kioku::PlayField;
    using kioku::PlayRecord;
    const QList<PlayRecord> log = {
        play("2008/01/02", "10:00:00", "数字記憶", 0.1f, "b"),
        play("2008/01/01", "09:59:59", "画像記憶", 12.5f, ""),
        play("2008/02/30", "23:59:59", "追跡記憶", 0.1f, "a"),
        play("2007/12/31", "00:00:00", "数字記憶", 100.0f, "あ"),
        play("2008/01/01", "10:00:00", "バラバラ記憶", 3.3f, "b"),
        play("2008/01/03", "08:00:00", "数字記憶", 1e9f, ""),
        play("2008/01/03", "08:00:01", "画像記憶", 0.30000001f, ","),
        play("2008/01/04", "12:00:00", "アイコン衰弱", 7.0f, "\""),
        play("2008/01/05", "12:00:00", "数字記憶", 2.5f, "c"),
        play("", "", "", 0.0f, ""),
        // Shown alike ("12345.68"): equal in a sort, as the user sees them.
        play("2008/01/06", "12:00:00", "数字記憶", 12345.679f, ""),
        play("2008/01/06", "12:00:01", "数字記憶", 12345.678f, ""),
    };
    // Every other play is listed, with every field.
    const QList<PlayField> fields = {PlayField::Number, PlayField::Date,    PlayField::Time,   PlayField::Weekday,
                                     PlayField::Item,   PlayField::Seconds, PlayField::Comment};
    std::vector<int> picked;
    for (int i = 0; i < log.size(); ++i)
        if (i != 4)
            picked.push_back(i);
    const auto source = std::make_shared<kioku::PlayRows>(log, fields, picked, true);

    FlexGrid texts, list;
    // Each change of either model keeps to the rules of an item model.
    QAbstractItemModelTester textsTester(texts.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester listTester(list.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (FlexGrid *g : {&texts, &list})
        g->setCols(columns);
    QList<QStringList> rows;
    for (int r = 0; r < source->count(); ++r)
        rows.append(source->rowTexts(r));
    QCOMPARE(rows.at(2).at(3), QString()); // 2008/02/30 has no weekday
    QCOMPARE(rows.at(3).at(0), QStringLiteral("4"));
    texts.setDataRows(rows);
    list.setDataRows(std::shared_ptr<const kioku::GridRows>(source));

    auto same = [&](const QString &after) {
        QCOMPARE(list.rows(), texts.rows());
        for (int r = 0; r < texts.rows(); ++r) {
            for (int c = 0; c < texts.cols(); ++c) {
                QVERIFY2(list.textMatrix(r, c) == texts.textMatrix(r, c),
                         qPrintable(QStringLiteral("%1: row %2 col %3: %4, not %5")
                                        .arg(after)
                                        .arg(r)
                                        .arg(c)
                                        .arg(list.textMatrix(r, c), texts.textMatrix(r, c))));
                QCOMPARE(list.cellBackColor(r, c), texts.cellBackColor(r, c));
            }
        }
        // A row that answers with its play answers with the play it shows.
        for (int r = 1; r < list.rows(); ++r) {
            if (const PlayRecord *p = list.recordAt(r)) {
                const QStringList shown = texts.rowTexts(r);
                QCOMPARE(QStringList({p->date, p->time, p->item}),
                         QStringList({shown.value(1), shown.value(2), shown.value(4)}));
            }
        }
    };
    same(QStringLiteral("filled"));
    for (const QString &step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = step.simplified().split(QLatin1Char(' '));
        for (FlexGrid *g : {&texts, &list}) {
            if (w[0] == QLatin1String("sort")) {
                g->setCol(w[1].toInt());
                g->sort(FlexGrid::Sort(w[2].toInt()));
            } else if (w[0] == QLatin1String("remove")) {
                g->removeItem(w[1].toInt());
            } else if (w[0] == QLatin1String("set")) {
                g->setTextMatrix(w[1].toInt(), w[2].toInt(), w[3]);
            } else if (w[0] == QLatin1String("rows")) {
                g->setRows(w[1].toInt());
            } else if (w[0] == QLatin1String("add")) {
                g->addRow({QStringLiteral("99"), QStringLiteral("2009/01/01")});
            } else if (w[0] == QLatin1String("cols")) {
                g->setCols(w[1].toInt());
            } else if (w[0] == QLatin1String("clear")) {
                g->clear();
            } else if (w[0] == QLatin1String("colour")) {
                g->setCellBackColor(w[1].toInt(), w[2].toInt(), QColor(255, 192, 192));
            }
        }
        same(step);
    }
    QCOMPARE(list.rows() > 1 && list.recordAt(1), plays);
    QVERIFY(!texts.recordAt(1));
}

QTEST_MAIN(TestFlexGrid)
#include "tst_flexgrid.moc"
