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
    void aTextThatDoesNotFitWidensItsColumn();
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
    QCOMPARE(columnTexts(g, 0), QStringList({QStringLiteral("a"), QStringLiteral("c")}));
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
    QCOMPARE(columnTexts(g, 0), expected);
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
