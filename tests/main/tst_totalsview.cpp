// The totals view (全グラフ) as the user drives it: its three lists, its six
// graphs drawn from what the lists show, which list and chart each graph
// brings forward, and how the panel follows a changed log.
#include "mainfixture.h"

#include "testing/controls.h"
#include "views/totalsview.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QColor kOrange(255, 224, 192); // &HC0E0FF
const QColor kYellow(255, 255, 192); // &HC0FFFF

const QStringList kButtons = {"cmdDay2", "cmdTotal2", "cmdJikan2", "cmdHigoto", "cmdHigoto2", "cmdHigoto3"};

QStringList gridRow(const FlexGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells.append(g->textMatrix(r, c));
    return cells;
}

QStringList labels(const Chart *c)
{
    QStringList l;
    for (int i = 0; i < c->rowCount(); ++i)
        l.append(c->rowLabel(i));
    return l;
}

QList<double> values(const Chart *c)
{
    QList<double> v;
    for (int i = 0; i < c->rowCount(); ++i)
        v.append(c->value(i));
    return v;
}

// `n` zeros with some values set: {index, value}.
QList<double> series(int n, const QList<QPair<int, double>> &set)
{
    QList<double> v(n, 0.0);
    for (const auto &p : set)
        v[p.first] = p.second;
    return v;
}

// The names of the charts or lists of the panel that are not hidden.
QStringList shown(TotalsView *p, bool charts)
{
    QStringList names;
    const QList<QWidget *> ws =
        charts ? QList<QWidget *>{p->mcrMain2, p->mcrMain3} : QList<QWidget *>{p->msgDayList2, p->msgDayList3};
    for (QWidget *w : ws)
        if (!w->isHidden())
            names.append(w->objectName());
    return names;
}

// Each graph button with its back colour other than the button face.
QStringList marked(TotalsView *p)
{
    QStringList names;
    for (const QString &n : kButtons) {
        auto *b = p->findChild<QPushButton *>(n);
        if (backColor(b) != buttonFace())
            names.append(n);
    }
    return names;
}

TotalsView *openTotals(MainWindow &w)
{
    QTest::mouseClick(w.cmdRentai, Qt::LeftButton);
    auto *p = control<TotalsView>(&w, QStringLiteral("fraRenTai"));
    if (p && !p->isVisible())
        qWarning("全グラフ did not show its panel");
    return p;
}

} // namespace

class tst_TotalsView : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheWholeLog();
    void eachGraphButton_data();
    void eachGraphButton();
    void theListFollowsTheSeriesGraphs();
    void aRebuildRedrawsTheSelectedGraph_data();
    void aRebuildRedrawsTheSelectedGraph();
    void anEmptyLogLeavesHeadersAndEmptyGraphs();
    void longListsShowTheirLastRows();
};

void tst_TotalsView::opensOnTheWholeLog()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    auto w = f.load();
    TotalsView *p = openTotals(*w);
    QVERIFY(p);
    QCOMPARE(w->cmdRentai->text(), QStringLiteral("全グラフ"));
    QVERIFY(p->isVisible());
    QVERIFY(f.ctx.session.helpTourText.startsWith(
        QStringLiteral("ソラミルプロジェクトを開始した日から現在までの実施推移を表示します。\r\n\r\n")));
    QVERIFY(f.ctx.session.helpTourText.endsWith(
        QStringLiteral("ボタンを押して６種類のグラフに表示切替できます。\r\n\r\n")));

    QCOMPARE(gridRow(p->msgDayList2, 0), (QStringList{"", "日付", "時間", "項目", "秒"}));
    QCOMPARE(gridRow(p->msgDayTotal2, 0), (QStringList{"", "項目", "回数", "秒", "時間", "最大", "平均"}));
    QCOMPARE(gridRow(p->msgDayList3, 0), (QStringList{"", "日付", "回数", "秒", "最大", "平均"}));
    QCOMPARE(p->msgDayList2->fontSize(), 10.0);
    QCOMPARE(p->msgDayTotal2->fontSize(), 10.0);
    QCOMPARE(p->msgDayList3->fontSize(), 11.0);

    QCOMPARE(p->msgDayList2->rows(), 8);
    QCOMPARE(gridRow(p->msgDayList2, 2), (QStringList{"2", "2007/12/31", "00:00:00", "画像記憶", "12.5"}));
    QCOMPARE(gridRow(p->msgDayList2, 5), (QStringList{"5", "2008/02/29", "12:00:00", "独自の練習", "30"}));
    QCOMPARE(p->msgDayTotal2->rows(), 5); // four of the seven games were played
    QCOMPARE(gridRow(p->msgDayTotal2, 1), (QStringList{"1", "数字記憶", "3", "44", "0:00:44", "42", "14.7"}));
    QCOMPARE(gridRow(p->msgDayTotal2, 4), (QStringList{"4", "バラバラ記憶", "1", "7", "0:00:07", "7", "7.0"}));
    QCOMPARE(p->msgDayList3->rows(), 65); // 2007/12/30 … 2008/03/02
    QCOMPARE(gridRow(p->msgDayList3, 3), (QStringList{"3", "2008/01/01", "0", "0", "0", "0.0"}));
    QCOMPARE(gridRow(p->msgDayList3, 62), (QStringList{"62", "2008/02/29", "2", "130", "100", "65.0"}));

    // Before any button is pressed: the plays beside the time per game.
    QCOMPARE(shown(p, false), QStringList{"msgDayList2"});
    QCOMPARE(shown(p, true), QStringList{"mcrMain2"});
    QCOMPARE(marked(p), QStringList{"cmdTotal2"});
    QCOMPARE(labels(p->mcrMain2), (QStringList{"数字", "画像", "追跡", "バラ"}));
    QCOMPARE(values(p->mcrMain2), (QList<double>{44, 12, 100, 7}));

    // A second click of 全グラフ while the panel shows does nothing.
    p->cmdDay2_Click();
    QTest::mouseClick(w->cmdRentai, Qt::LeftButton);
    QCOMPARE(marked(p), QStringList{"cmdDay2"});
    QCOMPARE(shown(p, true), QStringList{"mcrMain3"});
}

void tst_TotalsView::eachGraphButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("list"); // "": the list shown stays
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QList<double>>("values");

    const QStringList noLabels(64);
    QStringList hours;
    for (int h = 0; h < 24; ++h)
        hours.append(QStringLiteral(" %1").arg(h));

    QTest::newRow("時系列データ") << "cmdDay2"
                                  << "時系列データ" << kOrange << "mcrMain3"
                                  << "msgDayList2"
                                  << QStringList{"数字", "画像", "数字", "数字", "独自", "追跡", "バラ"}
                                  << QList<double>{42.5, 12.5, 0.5, 1.5, 30, 100, 7};
    QTest::newRow("項目別トータル時間") << "cmdTotal2"
                                        << "項目別トータル時間" << kOrange << "mcrMain2"
                                        << "" << QStringList{"数字", "画像", "追跡", "バラ"}
                                        << QList<double>{44, 12, 100, 7};
    // 23 時: 42.5 rounds to 42, + 100; 0 時: 12.5 rounds to 12, + 7; 9 時: 0.5 rounds to 0.
    QTest::newRow("時間別トータル時間") << "cmdJikan2"
                                        << "時間別トータル時間" << kOrange << "mcrMain2"
                                        << "" << hours << series(24, {{0, 19}, {10, 2}, {12, 30}, {23, 142}});
    // One point per day, 2007/12/30 (0) … 2008/03/02 (63); the leap day is 61.
    QTest::newRow("日別推移 （回数）") << "cmdHigoto"
                                       << "日別推移 （回数）" << kYellow << "mcrMain3"
                                       << "msgDayList3" << noLabels << series(64, {{0, 1}, {1, 3}, {61, 2}, {63, 1}});
    QTest::newRow("日別推移 （秒数）") << "cmdHigoto2"
                                       << "日別推移 （秒数）" << kYellow << "mcrMain3"
                                       << "msgDayList3" << noLabels
                                       << series(64, {{0, 42}, {1, 14}, {61, 130}, {63, 7}});
    QTest::newRow("日別推移 （平均秒数）")
        << "cmdHigoto3"
        << "日別推移 （平均秒数）" << kYellow << "mcrMain3"
        << "msgDayList3" << noLabels << series(64, {{0, 42}, {1, 4.7}, {61, 65}, {63, 7}});
}

void tst_TotalsView::eachGraphButton()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QColor, colour);
    QFETCH(QString, chart);
    QFETCH(QString, list);
    QFETCH(QStringList, labels);
    QFETCH(QList<double>, values);

    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    auto w = f.load();
    TotalsView *p = openTotals(*w);
    QVERIFY(p);
    auto *b = p->findChild<QPushButton *>(button);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);

    // From every other graph: the pressed button alone is marked.
    for (const QString &from : kButtons) {
        if (from == button)
            continue;
        QTest::mouseClick(p->findChild<QPushButton *>(from), Qt::LeftButton);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(marked(p), QStringList{button});
        QCOMPARE(backColor(b), colour);
    }

    QCOMPARE(shown(p, true), QStringList{chart});
    if (list.isEmpty()) {
        // The graphs of the totals keep whichever list is shown.
        for (const QString &other : {QStringLiteral("msgDayList2"), QStringLiteral("msgDayList3")}) {
            QTest::mouseClick(other == QLatin1String("msgDayList2") ? p->cmdDay2 : p->cmdHigoto, Qt::LeftButton);
            QTest::mouseClick(b, Qt::LeftButton);
            QCOMPARE(shown(p, false), QStringList{other});
        }
    } else {
        QCOMPARE(shown(p, false), QStringList{list});
    }
    auto *c = p->findChild<Chart *>(chart);
    QCOMPARE(::labels(c), labels);
    QCOMPARE(::values(c), values);
}

// Pressing 日別推移 （秒数） after 時系列データ brings the days forward; 項目別
// トータル時間 afterwards keeps them and changes only the chart.
void tst_TotalsView::theListFollowsTheSeriesGraphs()
{
    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    auto w = f.load();
    TotalsView *p = openTotals(*w);
    QVERIFY(p);

    QTest::mouseClick(p->cmdDay2, Qt::LeftButton);
    QCOMPARE(shown(p, false), QStringList{"msgDayList2"});
    QCOMPARE(p->mcrMain3->rowCount(), 7);

    // From the keyboard: the focused button and the space bar.
    p->cmdHigoto2->setFocus();
    QTest::keyClick(p->cmdHigoto2, Qt::Key_Space);
    QCOMPARE(marked(p), QStringList{"cmdHigoto2"});
    QCOMPARE(shown(p, false), QStringList{"msgDayList3"});
    QCOMPARE(shown(p, true), QStringList{"mcrMain3"});
    QCOMPARE(p->mcrMain3->rowCount(), 64);
    QCOMPARE(p->mcrMain3->value(61), 130.0);

    QTest::mouseClick(p->cmdTotal2, Qt::LeftButton);
    QCOMPARE(marked(p), QStringList{"cmdTotal2"});
    QCOMPARE(shown(p, false), QStringList{"msgDayList3"});
    QCOMPARE(shown(p, true), QStringList{"mcrMain2"});
    QCOMPARE(values(p->mcrMain2), (QList<double>{44, 12, 100, 7}));

    QTest::mouseClick(p->cmdJikan2, Qt::LeftButton);
    QCOMPARE(shown(p, false), QStringList{"msgDayList3"});
    QCOMPARE(p->mcrMain2->rowCount(), 24);
}

void tst_TotalsView::aRebuildRedrawsTheSelectedGraph_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QList<double>>("after");

    // The new log: one play more, on 2008/03/03 at 08:00, 5 seconds of 数字記憶.
    QTest::newRow("時系列データ") << "cmdDay2"
                                  << "mcrMain3" << QList<double>{42.5, 12.5, 0.5, 1.5, 30, 100, 7, 5};
    QTest::newRow("項目別トータル時間") << "cmdTotal2"
                                        << "mcrMain2" << QList<double>{49, 12, 100, 7};
    QTest::newRow("時間別トータル時間") << "cmdJikan2"
                                        << "mcrMain2" << series(24, {{0, 19}, {8, 5}, {10, 2}, {12, 30}, {23, 142}});
    // The day series follow the rebuilt list of days as well, so the chart
    // never shows other days than the list beside it.
    QTest::newRow("日別推移 （回数）") << "cmdHigoto"
                                       << "mcrMain3" << series(65, {{0, 1}, {1, 3}, {61, 2}, {63, 1}, {64, 1}});
    QTest::newRow("日別推移 （平均秒数）") << "cmdHigoto3"
                                           << "mcrMain3" << series(65, {{0, 42}, {1, 4.7}, {61, 65}, {63, 7}, {64, 5}});
}

void tst_TotalsView::aRebuildRedrawsTheSelectedGraph()
{
    QFETCH(QString, button);
    QFETCH(QString, chart);
    QFETCH(QList<double>, after);

    MainFixture f;
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    auto w = f.load();
    TotalsView *p = openTotals(*w);
    QVERIFY(p);
    QTest::mouseClick(p->findChild<QPushButton *>(button), Qt::LeftButton);

    // Another panel, a new play in the log, and back.
    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    QVERIFY(p->isHidden());
    QVERIFY(appendPlayRecord(play("2008/03/03", "08:00:00", "数字記憶", 5)).ok);
    QTest::mouseClick(w->cmdRentai, Qt::LeftButton);
    QVERIFY(p->isVisible());

    QCOMPARE(p->msgDayList2->rows(), 9);
    QCOMPARE(p->msgDayList3->rows(), 66);
    QCOMPARE(marked(p), QStringList{button});
    QCOMPARE(shown(p, true), QStringList{chart});
    QCOMPARE(values(p->findChild<Chart *>(chart)), after);
    if (chart == QLatin1String("mcrMain3")) {
        // The item chart behind it is emptied by the rebuild, not drawn.
        QCOMPARE(p->mcrMain2->rowCount(), 1);
        QCOMPARE(p->mcrMain2->value(0), 0.0);
    }
}

void tst_TotalsView::anEmptyLogLeavesHeadersAndEmptyGraphs()
{
    MainFixture f; // a first start: the log is empty
    auto w = f.load();
    TotalsView *p = openTotals(*w);
    QVERIFY(p);
    for (FlexGrid *g : {p->msgDayList2, p->msgDayTotal2, p->msgDayList3})
        QCOMPARE(g->rows(), 1);
    QCOMPARE(p->mcrMain2->rowCount(), 0);
    QTest::mouseClick(p->cmdJikan2, Qt::LeftButton);
    QCOMPARE(values(p->mcrMain2), QList<double>(24, 0.0));
    QTest::mouseClick(p->cmdHigoto, Qt::LeftButton);
    QCOMPARE(p->mcrMain3->rowCount(), 0);

    // A log that had plays and was emptied: nothing of the old plays is left.
    f.dir.write(QStringLiteral("データ.txt"), fixture(QStringLiteral("views.txt")));
    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    QTest::mouseClick(w->cmdRentai, Qt::LeftButton);
    QTest::mouseClick(p->cmdHigoto2, Qt::LeftButton);
    QCOMPARE(p->mcrMain3->rowCount(), 64);
    QTest::mouseClick(w->cmdMain, Qt::LeftButton);
    f.dir.write(QStringLiteral("データ.txt"), QByteArray());
    QTest::mouseClick(w->cmdRentai, Qt::LeftButton);
    for (FlexGrid *g : {p->msgDayList2, p->msgDayTotal2, p->msgDayList3})
        QCOMPARE(g->rows(), 1);
    QCOMPARE(marked(p), QStringList{"cmdHigoto2"});
    QCOMPARE(p->mcrMain3->rowCount(), 0);
}

// After a fill the plays and the days show their last rows.
void tst_TotalsView::longListsShowTheirLastRows()
{
    MainFixture f;
    QList<PlayRecord> log;
    for (int d = 1; d <= 30; ++d)
        log.append(play(QStringLiteral("2008/04/%1").arg(d, 2, 10, QLatin1Char('0')), "10:00:00", "数字記憶", d));
    f.setLog(log);
    auto w = f.load();
    w->resize(1000, 700);
    w->show();
    TotalsView *p = openTotals(*w);
    QVERIFY(p);
    QTest::mouseClick(p->cmdHigoto, Qt::LeftButton);
    QCoreApplication::processEvents();
    QTest::mouseClick(p->cmdDay2, Qt::LeftButton);
    QCoreApplication::processEvents();
    for (FlexGrid *g : {p->msgDayList2, p->msgDayList3}) {
        QCOMPARE(g->rows(), 31);
        const int page = g->viewport()->height() / g->rowHeight(0);
        QVERIFY2(page < 30, "the list must be shorter than its rows for this test");
        QCOMPARE(g->topRow(), 30 - page + 1);
    }
}

QTEST_MAIN(tst_TotalsView)
#include "tst_totalsview.moc"
