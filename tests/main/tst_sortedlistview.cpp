// The sorted list (並び替え) driven through the main window: every record in
// file order, and the four sort buttons, each ascending and descending in turn
// for the whole run.
#include "mainfixture.h"

#include "testing/controls.h"
#include "views/sortedlistview.h"
#include "widgets/flexgrid.h"

#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

FlexGrid *grid(MainWindow &w)
{
    return control<FlexGrid>(&w, QStringLiteral("msgIchiran"));
}

QPushButton *sortButton(MainWindow &w, int n)
{
    return w.findChild<QPushButton *>(QStringLiteral("cmdSort%1").arg(n));
}

QStringList rowCells(const FlexGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells.append(g->textMatrix(r, c));
    return cells;
}

// The rows of the fixture log as the list shows them, by record number.
const QList<QStringList> kViewsRows = {
    {"1", "2007/12/30", "23:59:59", "数字記憶", "42.5", "暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"},
    {"2", "2007/12/31", "00:00:00", "画像記憶", "12.5", "今日は良い、また明日, きっと"},
    {"3", "2007/12/31", "09:59:59", "数字記憶", "0.5", ""},
    {"4", "2007/12/31", "10:00:00", "数字記憶", "1.5", ""},
    {"5", "2008/02/29", "12:00:00", "独自の練習", "30", "七つのゲームにない項目"},
    {"6", "2008/02/29", "23:59:59", "追跡記憶", "100", "うるう日"},
    {"7", "2008/03/02", "00:00:00", "バラバラ記憶", "7", ""},
};

// Every row still is a whole record: a sort moves rows, never cells.
bool rowsAreWhole(const FlexGrid *g)
{
    for (int r = 1; r < g->rows(); ++r) {
        const int n = g->textMatrix(r, 0).toInt();
        if (n < 1 || n > kViewsRows.size() || rowCells(g, r) != kViewsRows.at(n - 1))
            return false;
    }
    return true;
}

std::unique_ptr<MainWindow> loadViews(MainFixture &f)
{
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    return f.load();
}

} // namespace

class tst_sortedListView : public QObject {
    Q_OBJECT

private slots:
    void listsEveryRecordInFileOrder();
    void sortButtons_data();
    void sortButtons();
    void numbersSortByValueAndTextsByCase_data();
    void numbersSortByValueAndTextsByCase();
    void togglesLastTheWholeRun();
    void emptyLogShowsTheHeaderAndStillFlipsTheToggles();
    void keyboardPressesASortButton();
};

void tst_sortedListView::listsEveryRecordInFileOrder()
{
    MainFixture f;
    auto w = loadViews(f);
    QTest::mouseClick(w->cmdBunseki, Qt::LeftButton);
    QVERIFY(w->fraBunseki->isVisible());
    FlexGrid *g = grid(*w);
    QVERIFY(g);
    QCOMPARE(rowCells(g, 0), (QStringList{"回", "日付", "時間", "項目", "秒数", "一言日記"}));
    QCOMPARE(g->fontSize(), 11.0);
    const QList<int> widths = {680, 1400, 1100, 2150, 850};
    const QList<Qt::Alignment> aligns = {Qt::AlignRight, Qt::AlignHCenter, Qt::AlignHCenter,
                                         Qt::AlignLeft,  Qt::AlignRight,   Qt::AlignLeft};
    for (int c = 0; c < 6; ++c) {
        if (c < widths.size())
            QCOMPARE(g->colWidth(c), widths[c]);
        QCOMPARE(g->colAlignment(c), aligns[c]);
    }
    QVERIFY(g->colWidth(5) >= 4880); // the comment column takes the room left over
    QCOMPARE(g->rows(), 8);
    for (int r = 1; r < g->rows(); ++r)
        QCOMPARE(rowCells(g, r), kViewsRows.at(r - 1));
    QCOMPARE(g->topRow(), 1);
    const QStringList captions = {"回 （日付）", "項目", "秒数", "一言日記"};
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(sortButton(*w, n)->text(), captions[n - 1]);
    QVERIFY(f.messages.shown.isEmpty()); // the tour is off
}

void tst_sortedListView::sortButtons_data()
{
    QTest::addColumn<QList<int>>("presses"); // buttons 1 … 4, in order
    QTest::addColumn<int>("keyColumn");      // the column shown after the last press
    QTest::addColumn<QStringList>("keys");   // its cells, top to bottom

    // The shortest play first, then the longest, then the shortest again.
    const QStringList up = {"0.5", "1.5", "7", "12.5", "30", "42.5", "100"};
    QStringList down = up;
    std::reverse(down.begin(), down.end());
    QTest::newRow("秒数 once") << QList<int>{3} << 4 << up;
    QTest::newRow("秒数 twice") << QList<int>{3, 3} << 4 << down;
    QTest::newRow("秒数 three times") << QList<int>{3, 3, 3} << 4 << up;
    // The record number gives the file order back.
    QTest::newRow("回 after 秒数") << QList<int>{3, 1} << 0 << QStringList{"1", "2", "3", "4", "5", "6", "7"};
    QTest::newRow("項目") << QList<int>{2} << 3 << QStringList{"バラバラ記憶", "数字記憶", "数字記憶", "数字記憶",
                                                               "独自の練習",   "画像記憶", "追跡記憶"};
    QTest::newRow("一言日記") << QList<int>{4} << 5
                              << QStringList{"",
                                             "",
                                             "",
                                             "うるう日",
                                             "七つのゲームにない項目",
                                             "今日は良い、また明日, きっと",
                                             "暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%"};
    // Each key keeps its own toggle: 秒数 after 項目 still starts ascending.
    QTest::newRow("項目 then 秒数") << QList<int>{2, 3} << 4 << up;
}

void tst_sortedListView::sortButtons()
{
    QFETCH(QList<int>, presses);
    QFETCH(int, keyColumn);
    QFETCH(QStringList, keys);
    MainFixture f;
    auto w = loadViews(f);
    QTest::mouseClick(w->cmdBunseki, Qt::LeftButton);
    FlexGrid *g = grid(*w);
    for (int n : presses)
        QTest::mouseClick(sortButton(*w, n), Qt::LeftButton);
    QCOMPARE(columnTexts(*g, keyColumn), keys);
    QCOMPARE(g->col(), keyColumn);
    QCOMPARE(g->rows(), 8);
    QCOMPARE(rowCells(g, 0), (QStringList{"回", "日付", "時間", "項目", "秒数", "一言日記"})); // the header stays
    QVERIFY(rowsAreWhole(g));
}

void tst_sortedListView::numbersSortByValueAndTextsByCase_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("keyColumn");
    QTest::addColumn<QStringList>("ascending");
    // As text "10" and "100" would come before "9.5".
    QTest::newRow("秒数: 9.5 before 10") << 3 << 4 << QStringList{"0.25", "9.5", "10", "100"};
    // Capitals before small letters, by character code.
    QTest::newRow("一言日記: case-sensitive") << 4 << 5 << QStringList{"A", "B", "a", "b"};
    QTest::newRow("項目: case-sensitive") << 2 << 3 << QStringList{"Z", "a", "b", "数字記憶"};
}

void tst_sortedListView::numbersSortByValueAndTextsByCase()
{
    QFETCH(int, button);
    QFETCH(int, keyColumn);
    QFETCH(QStringList, ascending);
    MainFixture f;
    f.setLog({play("2026/12/01", "10:00:00", "a", 10, "b"), play("2026/12/02", "10:00:00", "Z", 9.5f, "A"),
              play("2026/12/03", "10:00:00", "数字記憶", 100, "a"), play("2026/12/04", "10:00:00", "b", 0.25f, "B")});
    auto w = f.load();
    w->cmdBunseki->click();
    FlexGrid *g = grid(*w);
    sortButton(*w, button)->click();
    QCOMPARE(columnTexts(*g, keyColumn), ascending);
    sortButton(*w, button)->click();
    std::reverse(ascending.begin(), ascending.end());
    QCOMPARE(columnTexts(*g, keyColumn), ascending);
}

void tst_sortedListView::togglesLastTheWholeRun()
{
    MainFixture f;
    const QStringList fileOrder = {"1", "2", "3", "4", "5", "6", "7"};
    const QStringList longestFirst = {"100", "42.5", "30", "12.5", "7", "1.5", "0.5"};
    const QStringList shortestFirst = {"0.5", "1.5", "7", "12.5", "30", "42.5", "100"};
    {
        auto w = loadViews(f);
        QTest::mouseClick(w->cmdBunseki, Qt::LeftButton);
        QTest::mouseClick(sortButton(*w, 3), Qt::LeftButton);
        QCOMPARE(columnTexts(*grid(*w), 4), shortestFirst);
        // Entering again rebuilds the list in file order; the toggle stays, so
        // the next press sorts descending.
        QTest::mouseClick(w->cmdMain, Qt::LeftButton);
        QTest::mouseClick(w->cmdBunseki, Qt::LeftButton);
        QCOMPARE(columnTexts(*grid(*w), 0), fileOrder);
        QTest::mouseClick(sortButton(*w, 3), Qt::LeftButton);
        QCOMPARE(columnTexts(*grid(*w), 4), longestFirst);
        QTest::mouseClick(sortButton(*w, 3), Qt::LeftButton);
        QTest::mouseClick(sortButton(*w, 1), Qt::LeftButton);
        QCOMPARE(columnTexts(*grid(*w), 0), fileOrder);
        w->close();
    }
    // A new main window (as after a game) keeps them too: 秒数 last sorted
    // ascending, 回 ascending.
    auto w = f.load();
    QTest::mouseClick(w->cmdBunseki, Qt::LeftButton);
    QTest::mouseClick(sortButton(*w, 3), Qt::LeftButton);
    QCOMPARE(columnTexts(*grid(*w), 4), longestFirst);
    QTest::mouseClick(sortButton(*w, 1), Qt::LeftButton);
    QCOMPARE(columnTexts(*grid(*w), 0), (QStringList{"7", "6", "5", "4", "3", "2", "1"}));

    // A new run starts with every toggle off.
    MainFixture fresh;
    auto other = loadViews(fresh);
    QTest::mouseClick(other->cmdBunseki, Qt::LeftButton);
    QTest::mouseClick(sortButton(*other, 3), Qt::LeftButton);
    QCOMPARE(columnTexts(*grid(*other), 4), shortestFirst);
}

void tst_sortedListView::emptyLogShowsTheHeaderAndStillFlipsTheToggles()
{
    MainFixture f;
    auto w = f.load();
    w->cmdBunseki->click();
    FlexGrid *g = grid(*w);
    QCOMPARE(g->rows(), 1);
    QCOMPARE(rowCells(g, 0), (QStringList{"回", "日付", "時間", "項目", "秒数", "一言日記"}));
    for (int n = 1; n <= 4; ++n)
        QTest::mouseClick(sortButton(*w, n), Qt::LeftButton);
    QCOMPARE(g->rows(), 1);
    QCOMPARE(rowCells(g, 0), (QStringList{"回", "日付", "時間", "項目", "秒数", "一言日記"}));
    QCOMPARE(f.ctx.session.sortToggles, (std::array<bool, 4>{true, true, true, true}));
}

void tst_sortedListView::keyboardPressesASortButton()
{
    MainFixture f;
    auto w = loadViews(f);
    w->activateWindow();
    QTest::mouseClick(w->cmdBunseki, Qt::LeftButton);
    QPushButton *b = sortButton(*w, 3);
    b->setFocus();
    QTest::keyClick(b, Qt::Key_Space);
    QCOMPARE(columnTexts(*grid(*w), 4), (QStringList{"0.5", "1.5", "7", "12.5", "30", "42.5", "100"}));
    QTest::keyClick(b, Qt::Key_Space);
    QCOMPARE(columnTexts(*grid(*w), 4), (QStringList{"100", "42.5", "30", "12.5", "7", "1.5", "0.5"}));
}

QTEST_MAIN(tst_sortedListView)
#include "tst_sortedlistview.moc"
