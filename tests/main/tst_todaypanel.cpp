// The today panel of the main window as the user sees it: a day's plays, its
// totals per game, the lamps and the face, a long day, many plays, and the
// day chart on a new day.
#include "mainfixture.h"
#include "mainwindowtests.h"

#include "core/settings.h"
#include "core/stats/today.h"
#include "main/editpanel.h"
#include "main/todaypanel.h"
#include "views/panel.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/helpviewer.h"
#include "widgets/monthcalendar.h"
#include "widgets/shape.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace kioku;

class tst_TodayPanel : public QObject {
    Q_OBJECT

private slots:
    void todayPanel_data();
    void todayPanel();
    void longDayTotalDoesNotWrap();
    void manyPlaysScrollToTheLastPlay();
    void theDayChartKeepsItsViewOnANewDay_data();
    void theDayChartKeepsItsViewOnANewDay();
};

void tst_TodayPanel::todayPanel_data()
{
    QTest::addColumn<QList<PlayRecord>>("log");
    QTest::addColumn<QList<QStringList>>("plays");
    QTest::addColumn<QList<QStringList>>("totals");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("lit");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("dayTotal");

    const QString t = QStringLiteral("2026/12/07");
    QTest::newRow("three plays of one game")
        << QList<PlayRecord>{play("2026/12/06", "08:00:00", "画像記憶", 99), play(t, "09:00:00", "数字記憶", 10),
                             play(t, "09:10:00", "数字記憶", 20.5f), play(t, "09:20:00", "数字記憶", 30)}
        << QList<QStringList>{{"1", "09:00:00", "数字記憶", "10"},
                              {"2", "09:10:00", "数字記憶", "20.5"},
                              {"3", "09:20:00", "数字記憶", "30"}}
        << QList<QStringList>{{"1", "数字記憶", "3", "60"}} << "imgkana" << 1 << "1 種類の脳刺激"
        << "0:01:00";
    QTest::newRow("halves go to the even neighbour at every addition")
        << QList<PlayRecord>{play(t, "09:00:00", "追跡記憶", 2.5f), play(t, "09:01:00", "追跡記憶", 2.5f),
                             play(t, "09:02:00", "輪廻記憶", 3.5f)}
        << QList<QStringList>{{"1", "09:00:00", "追跡記憶", "2.5"},
                              {"2", "09:01:00", "追跡記憶", "2.5"},
                              {"3", "09:02:00", "輪廻記憶", "3.5"}}
        << QList<QStringList>{{"1", "追跡記憶", "2", "4"}, {"2", "輪廻記憶", "1", "4"}} << "imgniko" << 2
        << "2 種類の脳刺激"
        << "0:00:08";
    QList<PlayRecord> seven;
    QList<QStringList> sevenPlays, sevenTotals;
    for (int i = 0; i < 7; ++i) {
        const QString item = itemNames().at(6 - i); // played in reverse, totalled in item order
        const QString time = QStringLiteral("1%1:00:00").arg(i);
        seven.append(play(t, time, item, 60));
        sevenPlays.append({QString::number(i + 1), time, item, "60"});
        sevenTotals.append({QString::number(i + 1), itemNames().at(i), "1", "60"});
    }
    QTest::newRow("all seven games") << seven << sevenPlays << sevenTotals << "imgwara" << 7 << "7 種類の脳刺激"
                                     << "0:07:00";
    QTest::newRow("an unknown item is listed but not counted")
        << QList<PlayRecord>{play(t, "09:00:00", "むかしのゲーム", 5)}
        << QList<QStringList>{{"1", "09:00:00", "むかしのゲーム", "5"}} << QList<QStringList>{} << "imgNashi" << 0
        << "今日の脳も健康元気"
        << "0:00:00";
    QTest::newRow("a first start: empty log") << QList<PlayRecord>{} << QList<QStringList>{} << QList<QStringList>{}
                                              << "imgNashi" << 0 << "今日の脳も健康元気"
                                              << "0:00:00";
    QTest::newRow("no play that day") << QList<PlayRecord>{play("2026/12/01", "09:00:00", "数字記憶", 10),
                                                           play("2026/12/08", "09:00:00", "数字記憶", 10)}
                                      << QList<QStringList>{} << QList<QStringList>{} << "imgNashi" << 0
                                      << "今日の脳も健康元気"
                                      << "0:00:00";
}

void tst_TodayPanel::todayPanel()
{
    QFETCH(QList<PlayRecord>, log);
    QFETCH(QList<QStringList>, plays);
    QFETCH(QList<QStringList>, totals);
    QFETCH(QString, face);
    QFETCH(int, lit);
    QFETCH(QString, caption);
    QFETCH(QString, dayTotal);

    MainFixture f;
    f.setLog(log);
    auto w = f.load();

    auto *list = child<FlexGrid>(*w, "msgDayList");
    auto *sums = child<FlexGrid>(*w, "msgDayTotal");
    QCOMPARE(gridRow(list, 0), (QStringList{"", "時間", "項目", "秒"}));
    QCOMPARE(gridRow(sums, 0), (QStringList{"", "項目", "回", "秒合計"}));
    QList<QStringList> shownPlays, shownTotals;
    for (int r = 1; r < list->rows(); ++r)
        shownPlays << gridRow(list, r);
    for (int r = 1; r < sums->rows(); ++r)
        shownTotals << gridRow(sums, r);
    QCOMPARE(shownPlays, plays);
    QCOMPARE(shownTotals, totals);

    QCOMPARE(visibleFace(*w), face);
    for (int i = 1; i <= 7; ++i)
        QCOMPARE(child<Shape>(*w, QStringLiteral("shpLed%1").arg(i))->fillColor(),
                 i <= lit ? QColor::fromRgb(lampColor(i)) : kWhite);
    QCOMPARE(child<QLabel>(*w, "lblMHyouka")->text(), caption);
    QCOMPARE(backColor(w->fraMain->lblMHyouka), lit > 0 ? QColor::fromRgb(lampColor(lit)) : kWhite);
    QCOMPARE(child<QLabel>(*w, "lblDayTotal")->text(), dayTotal);

    QCOMPARE(w->firstPlayDate(), log.isEmpty() ? QString() : log.first().date);
    QCOMPARE(w->lastPlayDate(), log.isEmpty() ? QString() : log.last().date);
    QCOMPARE(w->logIsEmpty(), log.isEmpty());
}

void tst_TodayPanel::longDayTotalDoesNotWrap()
{
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < 10; ++i)
        log.append(play("2026/12/07", QStringLiteral("%1:00:00").arg(10 + i), "数字記憶", 3600));
    f.setLog(log);
    auto w = f.load();
    QCOMPARE(w->fraMain->lblDayTotal->text(), QStringLiteral("10:00:00"));
    QCOMPARE(gridRow(w->fraMain->msgDayTotal, 1), (QStringList{"1", "数字記憶", "10", "36000"}));
}

void tst_TodayPanel::manyPlaysScrollToTheLastPlay()
{
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < 12; ++i)
        log.append(play("2026/12/07", QStringLiteral("%1:00:00").arg(10 + i), "数字記憶", 1));
    f.setLog(log);
    auto w = f.load();
    QCOMPARE(w->fraMain->msgDayList->rows(), 13);
    QCoreApplication::processEvents();
    const FlexGrid *g = w->fraMain->msgDayList;
    const int page = g->viewport()->height() / g->rowHeight(0);
    QCOMPARE(g->topRow(), qMax(1, 12 - page + 1)); // the last play on the last full page

    f.setLog(log.mid(0, 9)); // nine plays fit: no scrolling
    w->refreshToday();
    QCOMPARE(w->fraMain->msgDayList->rows(), 10);
    QCOMPARE(w->fraMain->msgDayList->topRow(), 1);
}

void tst_TodayPanel::theDayChartKeepsItsViewOnANewDay_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("時系列") << "cmdDay"
                            << "時系列";
    QTest::newRow("項目別") << "cmdTotal"
                            << "項目別";
    QTest::newRow("時間別") << "cmdJikan"
                            << "時間別";
}

void tst_TodayPanel::theDayChartKeepsItsViewOnANewDay()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    MainFixture f;
    f.setLog({play("2026/12/05", "20:00:00", "時間差記憶", 42.5f), play("2026/12/07", "09:00:00", "数字記憶", 10)});
    auto w = f.load();
    // The buttons not in their face colour: the selected view.
    auto marked = [&] {
        QStringList names;
        for (QPushButton *b : {w->fraMain->cmdDay, w->fraMain->cmdTotal, w->fraMain->cmdJikan})
            if (backColor(b) != buttonFace())
                names.append(b->objectName());
        return names;
    };
    QCOMPARE(marked(), QStringList{}); // no view at start
    auto *view = child<QPushButton>(*w, button);
    QCOMPARE(view->text(), caption);
    view->click();
    QCOMPARE(marked(), QStringList{button});
    QCOMPARE(backColor(view), kSelectedLightRed);
    // Another day, and back to today by ゲーム: the chart stays in its view.
    w->fraMain->mtvmain->clickDate(QDate(2026, 12, 5));
    QCOMPARE(marked(), QStringList{button});
    w->cmdGame->click();
    QCOMPARE(w->selectedDay(), testToday());
    QCOMPARE(marked(), QStringList{button});
}

// ---------------------------------------------------------------------------
// Edit screen
// ---------------------------------------------------------------------------

QTEST_MAIN(tst_TodayPanel)
#include "tst_todaypanel.moc"
