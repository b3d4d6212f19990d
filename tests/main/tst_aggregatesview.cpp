// The aggregates panel (集計表示) driven as the user drives it: opened by its
// menu button, the measure chosen with the option buttons by mouse and keyboard.
#include "mainfixture.h"

#include "testing/controls.h"
#include "views/aggregatesview.h"
#include "widgets/backcolor.h"
#include "widgets/flexgrid.h"

#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace kioku;

namespace {

const QColor kWhite(255, 255, 255);
// The total row is red, a shade darker than pure red so that it reads on white.
const QColor kRed = kioku::readableTextOn(QColor(255, 255, 255), QColor(255, 0, 0));

QStringList gridRow(const FlexGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells.append(g->textMatrix(r, c));
    return cells;
}

struct Opened {
    std::unique_ptr<MainWindow> w;
    AggregatesView *view = nullptr;
    FlexGrid *monthly = nullptr;
    FlexGrid *daily = nullptr;
    QRadioButton *option(int i) const { return view->findChild<QRadioButton *>(QStringLiteral("optList2_%1").arg(i)); }
};

Opened open(MainFixture &f)
{
    Opened o;
    o.w = f.load();
    QTest::mouseClick(o.w->cmdSyuukei, Qt::LeftButton);
    o.view = control<AggregatesView>(o.w.get(), QStringLiteral("fraSyuukei"));
    o.monthly = control<FlexGrid>(o.w.get(), QStringLiteral("msgKakei1"));
    o.daily = control<FlexGrid>(o.w.get(), QStringLiteral("msgKakei2"));
    return o;
}

// Whether the last row of `g` lies inside its view.
bool lastRowShown(const FlexGrid *g)
{
    const int y = g->rowViewportPosition(g->rows() - 2);
    return y >= 0 && y + g->rowHeight(g->rows() - 2) <= g->viewport()->height();
}

QList<PlayRecord> daysOfPlay(int days)
{
    QList<PlayRecord> log;
    for (int d = 0; d < days; ++d)
        log.append(play(QDate(2006, 1, 1).addDays(d).toString("yyyy/MM/dd"), "10:00:00", "数字記憶", 60));
    return log;
}

QList<PlayRecord> monthsOfPlay(int months)
{
    QList<PlayRecord> log;
    for (int m = 0; m < months; ++m)
        log.append(play(QDate(2006, 1, 15).addMonths(m).toString("yyyy/MM/dd"), "10:00:00", "画像記憶", 60));
    return log;
}

} // namespace

class tst_aggregatesView : public QObject {
    Q_OBJECT

private slots:
    void fixtureOpensOnTheTimeMeasure();
    void optionsChooseTheMeasure_data();
    void optionsChooseTheMeasure();
    void enteringAgainShowsTheTimeMeasure();
    void emptyLogLeavesHeadersOnly();
    void longTablesScrollToTheirLastRow_data();
    void longTablesScrollToTheirLastRow();
    void helpTourExplainsThePanel();
    void everyItemColumnFitsTheWindow();
};

void tst_aggregatesView::fixtureOpensOnTheTimeMeasure()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    Opened o = open(f);
    QVERIFY(o.view->isVisible());
    QVERIFY(o.option(0)->isChecked());
    QCOMPARE(o.option(0)->text(), QStringLiteral("時間集計　表示"));
    QCOMPARE(o.option(1)->text(), QStringLiteral("回数集計　表示"));
    QCOMPARE(o.option(2)->text(), QStringLiteral("時間 ＆ 回数　集計　表示"));

    const QStringList items = itemNames();
    for (FlexGrid *g : {o.monthly, o.daily}) {
        QCOMPARE(g->cols(), 10);
        QCOMPARE(gridRow(g, 0), QStringList({"回", g == o.monthly ? "年月" : "年月日", "小計"}) + items);
        QCOMPARE(g->colWidth(0), 620);
        QCOMPARE(g->colWidth(1), 950);
        QCOMPARE(g->colWidth(2), 1250);
        // Each game's column 1180 wide, or as wide as its name where the screen's font needs more.
        for (int c = 3; c < 10; ++c) {
            QVERIFY(g->colWidth(c) >= 1180);
            QVERIFY(g->columnWidth(c) >= g->horizontalHeader()->sectionSizeHint(c));
        }
        QCOMPARE(g->colWidth(3), 1180);
        QCOMPARE(g->colAlignment(1), Qt::AlignHCenter);
        QCOMPARE(g->colAlignment(2), Qt::AlignRight);
        QCOMPARE(g->colAlignment(9), Qt::AlignRight);
    }

    // Four months (January without play) and the total row.
    QCOMPARE(o.monthly->rows(), 6);
    QCOMPARE(gridRow(o.monthly, 1), QStringList({"1", "07/12", "0:00:56", "44", "12", "", "", "", "", ""}));
    QCOMPARE(gridRow(o.monthly, 5), QStringList({"", "合計", "0:03:13", "44", "12", "0", "100", "0", "0", "7"}));
    QCOMPARE(o.monthly->topRow(), 1);
    for (int r = 1; r < 6; ++r) {
        QCOMPARE(o.monthly->cellBackColor(r, 1), kWhite);
        QCOMPARE(o.monthly->cellBackColor(r, 2), kWhite);
        QVERIFY(!o.monthly->cellBackColor(r, 3).isValid());
    }
    for (int c = 1; c < 10; ++c)
        QCOMPARE(o.monthly->cellForeColor(5, c), kRed);
    QVERIFY(!o.monthly->cellForeColor(5, 0).isValid());
    QVERIFY(!o.monthly->cellForeColor(4, 2).isValid());

    // 64 days from Sunday 2007/12/30 to 2008/03/02, scrolled to the last.
    QCOMPARE(o.daily->rows(), 65);
    QCOMPARE(gridRow(o.daily, 2), QStringList({"2", "07/12/31", "0:00:14", "2", "12", "", "", "", "", ""}));
    QCOMPARE(gridRow(o.daily, 62), QStringList({"62", "08/02/29", "0:02:10", "", "", "", "100", "", "", ""}));
    QCOMPARE(o.daily->cellBackColor(64, 1), kWhite);
    QVERIFY(!o.daily->cellForeColor(64, 1).isValid());
    QVERIFY(o.daily->topRow() > 1);
    QVERIFY(lastRowShown(o.daily));
}

void tst_aggregatesView::optionsChooseTheMeasure_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<QStringList>("total");
    QTest::addColumn<QStringList>("leapDay");

    const QStringList countsTotal = {"", "合計", "7", "3", "1", "0", "1", "0", "0", "1"};
    const QStringList countsLeap = {"62", "08/02/29", "2", "", "", "", "1", "", "", ""};
    QTest::newRow("counts by mouse") << 1 << false << countsTotal << countsLeap;
    QTest::newRow("counts by keyboard") << 1 << true << countsTotal << countsLeap;

    const QStringList bothTotal = {"",      "合計",    "0:03:13 (7)", "44 (3)", "12 (1)",
                                   "0 (0)", "100 (1)", "0 (0)",       "0 (0)",  "7 (1)"};
    const QStringList bothLeap = {"62", "08/02/29", "0:02:10 (2)", "", "", "", "100 (1)", "", "", ""};
    QTest::newRow("both by mouse") << 2 << false << bothTotal << bothLeap;
    QTest::newRow("both by keyboard") << 2 << true << bothTotal << bothLeap;
}

void tst_aggregatesView::optionsChooseTheMeasure()
{
    QFETCH(int, index);
    QFETCH(bool, keyboard);
    QFETCH(QStringList, total);
    QFETCH(QStringList, leapDay);
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    Opened o = open(f);
    QRadioButton *opt = o.option(index);
    if (keyboard)
        QTest::keyClick(opt, Qt::Key_Space);
    else
        QTest::mouseClick(opt, Qt::LeftButton);
    QVERIFY(opt->isChecked());
    QVERIFY(!o.option(0)->isChecked());
    QCOMPARE(gridRow(o.monthly, 5), total);
    QCOMPARE(gridRow(o.daily, 62), leapDay);
    QCOMPARE(o.monthly->cellForeColor(5, 3), kRed);
    QCOMPARE(o.daily->cellBackColor(62, 2), kWhite);
    QVERIFY(o.view->isVisible());
    QVERIFY(lastRowShown(o.daily));

    // Back to the time measure by keyboard: the arrow keys move through the options.
    o.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(o.w.get()));
    opt->setFocus();
    for (int i = 0; i < index; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    QVERIFY(o.option(0)->isChecked());
    QCOMPARE(o.monthly->textMatrix(1, 2), QStringLiteral("0:00:56"));
    QCOMPARE(o.daily->textMatrix(62, 6), QStringLiteral("100"));
}

void tst_aggregatesView::enteringAgainShowsTheTimeMeasure()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    Opened o = open(f);
    o.option(1)->click();
    QCOMPARE(o.monthly->textMatrix(5, 2), QStringLiteral("7"));
    // Meanwhile one more play is saved: the panel follows on its next entry.
    QFile log(QStringLiteral("データ.txt"));
    QVERIFY(log.open(QIODevice::Append));
    log.write(sjisLines({play("2008/03/02", "12:00:00", "数字記憶", 60).gameLine()}));
    log.close();
    o.w->cmdMain->click();
    QTest::keyClick(o.w->cmdSyuukei, Qt::Key_Space);
    QVERIFY(o.view->isVisible());
    QVERIFY(o.option(0)->isChecked());
    QVERIFY(!o.option(1)->isChecked());
    QCOMPARE(gridRow(o.monthly, 4), QStringList({"4", "08/03", "0:01:07", "60", "", "", "", "", "", "7"}));
    QCOMPARE(o.monthly->textMatrix(5, 2), QStringLiteral("0:04:13"));
}

void tst_aggregatesView::emptyLogLeavesHeadersOnly()
{
    MainFixture f;
    Opened o = open(f);
    QVERIFY(o.view->isVisible());
    for (int i = 0; i < 3; ++i) {
        o.option(i)->click();
        for (FlexGrid *g : {o.monthly, o.daily}) {
            QCOMPARE(g->rows(), 1);
            QCOMPARE(g->cols(), 10);
            QCOMPARE(g->textMatrix(0, 2), QStringLiteral("小計"));
            QCOMPARE(g->textMatrix(0, 9), QStringLiteral("バラバラ記憶"));
        }
    }
}

void tst_aggregatesView::longTablesScrollToTheirLastRow_data()
{
    QTest::addColumn<QList<PlayRecord>>("records");
    QTest::addColumn<bool>("monthlyScrolled");
    QTest::addColumn<bool>("dailyScrolled");
    // 18 days: 19 rows with the header, not scrolled; 19 days are.
    QTest::newRow("18 days") << daysOfPlay(18) << false << false;
    QTest::newRow("19 days") << daysOfPlay(19) << false << true;
    // 5 months and the total row: 7 rows with the header, not scrolled; 6 months are.
    QTest::newRow("5 months") << monthsOfPlay(5) << false << true;
    QTest::newRow("6 months") << monthsOfPlay(6) << true << true;
}

void tst_aggregatesView::longTablesScrollToTheirLastRow()
{
    QFETCH(QList<PlayRecord>, records);
    QFETCH(bool, monthlyScrolled);
    QFETCH(bool, dailyScrolled);
    MainFixture f;
    f.setLog(records);
    Opened o = open(f);
    // The window made low enough that neither table shows all its rows: a
    // table the rule has scrolled to its end stays there, one it has not stays at the top.
    o.w->resize(1000, 480);
    QApplication::processEvents();
    QVERIFY(o.monthly->viewport()->height() < 6 * o.monthly->rowHeight(1));
    QVERIFY(o.daily->viewport()->height() < 15 * o.daily->rowHeight(1));
    QCOMPARE(o.monthly->topRow() > 1, monthlyScrolled);
    QCOMPARE(o.daily->topRow() > 1, dailyScrolled);
    if (monthlyScrolled)
        QVERIFY(lastRowShown(o.monthly));
    if (dailyScrolled)
        QVERIFY(lastRowShown(o.daily));
}

void tst_aggregatesView::helpTourExplainsThePanel()
{
    MainFixture f(1);
    f.ctx.session.welcomeShown = true;
    auto w = f.load();
    const int before = int(f.messages.shown.size());
    w->cmdSyuukei->click();
    QCOMPARE(f.messages.shown.size(), before + 1);
    QCOMPARE(f.messages.shown.last().text,
             QStringLiteral("プレイしたデータを月別、日別の集計結果で見ることができます。\r\n\r\n"));
    QCOMPARE(f.ctx.session.helpTourText, f.messages.shown.last().text);
}

// At the window's first size every item column of both tables is in view.
void tst_aggregatesView::everyItemColumnFitsTheWindow()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture("views.txt"));
    Opened o = open(f);
    o.option(2)->click();
    QCOMPARE(o.w->size(), QSize(1000, 700));
    for (FlexGrid *g : {o.monthly, o.daily}) {
        const int last = g->cols() - 1;
        QVERIFY2(g->columnViewportPosition(last) + g->columnWidth(last) <= g->viewport()->width(),
                 qPrintable(g->objectName()));
        QVERIFY(g->viewport()->height() > 3 * g->rowHeight(1));
    }
}

QTEST_MAIN(tst_aggregatesView)
#include "tst_aggregatesview.moc"
