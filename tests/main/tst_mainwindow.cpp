// The main window driven as the user drives it: start-up, help tour, panel
// switching, the today panel, the edit screen and the game launcher.
#include "mainfixture.h"

#include "core/backup.h"
#include "core/settings.h"
#include "core/stats/today.h"
#include "core/text/textfile.h"
#include "main/editpanel.h"
#include "main/todaypanel.h"
#include "views/panel.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/helpviewer.h"
#include "widgets/monthcalendar.h"
#include "widgets/shape.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <optional>

using namespace kioku;

namespace {

QStringList visiblePanels(MainWindow &w)
{
    QStringList shown;
    for (const char *name :
         {"fraMain", "fraSettei", "fraMemo", "fraCale", "fraTaijyu", "fraSyuukei", "fraRenTai", "fraBunseki"}) {
        auto *f = w.findChild<QFrame *>(QLatin1String(name));
        if (f && f->isVisible())
            shown.append(QLatin1String(name));
    }
    return shown;
}

template <typename T> T *child(MainWindow &w, const QString &name)
{
    T *c = w.findChild<T *>(name);
    if (!c)
        qWarning() << "no child" << name;
    return c;
}

QStringList gridRow(const FlexGrid *g, int r)
{
    QStringList cells;
    for (int c = 0; c < g->cols(); ++c)
        cells.append(g->textMatrix(r, c));
    return cells;
}

QString visibleFace(MainWindow &w)
{
    QStringList shown;
    for (QLabel *face : {w.fraMain->imgNashi, w.fraMain->imgkana, w.fraMain->imgniko, w.fraMain->imgwara})
        if (!face->isHidden())
            shown.append(face->objectName());
    return shown.join(QLatin1Char(','));
}

const QColor kWhite(255, 255, 255);

// The last message box shown.
ShownMessage lastShown(const MainFixture &f)
{
    return f.messages.shown.value(f.messages.shown.size() - 1);
}

} // namespace

class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheTodayPanelWithFocusOnGame();
    void eachMenuButtonShowsItsPanelOnly_data();
    void eachMenuButtonShowsItsPanelOnly();
    void menuButtonsPressedAgainDoNotRebuild();
    void aWindowClosedWhileEventsRunIsLeftAlone();
    void helpTourSwitchWritesTheSettingsFile();
    void welcomeTextIsShownOncePerRun();
    void tourOffAtStartShowsNothing();

    void todayPanel_data();
    void todayPanel();
    void longDayTotalDoesNotWrap();
    void manyPlaysScrollToTheLastPlay();
    void theDayChartKeepsItsViewOnANewDay_data();
    void theDayChartKeepsItsViewOnANewDay();

    void deletingTheOnlyRecordEmptiesTheLogWithoutAsking();
    void deletingFromThreeAsksAndRewritesTheOthers();
    void aRewriteThatCannotBeStoredChangesNothing();
    void aDamagedLogIsReportedOnceAndKept_data();
    void aDamagedLogIsReportedOnceAndKept();
    void theKeyboardChoosesTheRowToDelete();
    void theEditGridShowsItsLastFullPage_data();
    void theEditGridShowsItsLastFullPage();
    void newStartEmptiesEveryHistoryAndEnds();
    void newStartRefusesANameThatCannotBeStored();
    void eachChangeOfTheLogIsCopiedFirst_data();
    void eachChangeOfTheLogIsCopiedFirst();
    void userNameIsShownInTheTitle_data();
    void userNameIsShownInTheTitle();
    void aNameThatCannotBeStoredChangesNothing();

    void pickedDateRebuildsThePanelAndGameReturnsToToday();
    void launcherButtonsOpenTheirWindows_data();
    void launcherButtonsOpenTheirWindows();
    void launcherStripOrder();
    void eachGameButtonOpensItsGame_data();
    void eachGameButtonOpensItsGame();
    void endClosesAnOpenHelpViewer();
};

void tst_MainWindow::startsOnTheTodayPanelWithFocusOnGame()
{
    MainFixture f;
    auto w = f.load();
    QVERIFY(w->isVisible());
    QCOMPARE(visiblePanels(*w), QStringList{"fraMain"});
    QVERIFY(!w->fraGame->isVisible());
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->cmdGame));
    QCOMPARE(w->selectedDay(), testToday());
    QCOMPARE(w->logSummary().items, itemNames());
}

void tst_MainWindow::eachMenuButtonShowsItsPanelOnly_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("away");  // a button that shows another panel
    QTest::addColumn<bool>("rebuilds"); // rebuilt each time it is shown again
    QTest::addColumn<bool>("explains"); // hands a help text to the tour when shown
    QTest::newRow("メイン") << "cmdMain"
                            << "fraMain"
                            << "cmdCale" << false << false;
    QTest::newRow("編集") << "cmdSettei"
                          << "fraSettei"
                          << "cmdMain" << true << true;
    QTest::newRow("一言日記") << "cmdMemo"
                              << "fraMemo"
                              << "cmdMain" << true << true;
    QTest::newRow("カレンダー") << "cmdCale"
                                << "fraCale"
                                << "cmdMain" << true << true;
    QTest::newRow("範囲指定") << "cmdTaijyu"
                              << "fraTaijyu"
                              << "cmdMain" << true << true;
    QTest::newRow("集計表示") << "cmdSyuukei"
                              << "fraSyuukei"
                              << "cmdMain" << true << true;
    QTest::newRow("全グラフ") << "cmdRentai"
                              << "fraRenTai"
                              << "cmdMain" << true << true;
    QTest::newRow("並び替え") << "cmdBunseki"
                              << "fraBunseki"
                              << "cmdSettei" << true << true;
}

void tst_MainWindow::eachMenuButtonShowsItsPanelOnly()
{
    QFETCH(QString, button);
    QFETCH(QString, panel);
    QFETCH(QString, away);
    QFETCH(bool, rebuilds);
    QFETCH(bool, explains);
    MainFixture f(1);
    f.ctx.session.welcomeShown = true;
    auto w = f.load();
    auto *shown = child<Panel>(*w, panel);
    QSignalSpy rebuilt(shown, &Panel::rebuilt);
    auto tours = [&] { return int(f.messages.shown.size()); };
    auto *own = child<QPushButton>(*w, button);

    // The game strip is no panel: switching panels leaves it open.
    child<QPushButton>(*w, "cmdGame")->click();
    own->click();
    QCOMPARE(visiblePanels(*w), QStringList{panel});
    QVERIFY(child<QFrame>(*w, "fraGame")->isVisible());
    QCOMPARE(rebuilt.size(), rebuilds ? 1 : 0);
    QCOMPARE(tours(), explains ? 1 : 0);
    // Pressed again while shown: nothing at all.
    own->click();
    QCOMPARE(rebuilt.size(), rebuilds ? 1 : 0);
    QCOMPARE(tours(), explains ? 1 : 0);
    // 戻る closes the strip and leaves the panel.
    w->cmdModori->click();
    QVERIFY(!w->fraGame->isVisible());
    QCOMPARE(visiblePanels(*w), QStringList{panel});

    child<QPushButton>(*w, away)->click();
    QCOMPARE(visiblePanels(*w).size(), 1);
    QVERIFY(!shown->isVisible());
    const int awayTours = tours();
    own->click();
    QCOMPARE(visiblePanels(*w), QStringList{panel});
    QCOMPARE(rebuilt.size(), rebuilds ? 2 : 0);
    QCOMPARE(tours(), awayTours + (explains ? 1 : 0));
}

void tst_MainWindow::menuButtonsPressedAgainDoNotRebuild()
{
    MainFixture f(1);
    f.ctx.session.welcomeShown = true;
    f.setLog({play("2026/12/06", "09:00:00", "数字記憶", 10), play("2026/12/07", "09:00:00", "追跡記憶", 12)});
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"花子\"")}));
    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 0);

    w->cmdSettei->click();
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    QCOMPARE(gridRow(w->fraSettei->msgHenList, 0), (QStringList{"回数", "日付", "時間", "項目", "秒数", "一言日記"}));
    QCOMPARE(gridRow(w->fraSettei->msgHenList, 2), (QStringList{"2", "2026/12/07", "09:00:00", "追跡記憶", "12", ""}));
    QCOMPARE(w->fraSettei->txtPriData->text(), QStringLiteral("花子"));
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(
        f.messages.shown[0].text,
        QStringLiteral("これまでのデータを全部削除して新規にスタートさせたり、個別に削除することができます。\r\n\r\n"
                       "名前（ニックネームM）を登録することもできます\r\n\r\n"));

    appendPlayRecord(play("2026/12/07", "10:00:00", "画像記憶", 5));
    w->fraSettei->txtPriData->setText(QStringLiteral("書きかけ"));
    w->cmdSettei->click();
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    QCOMPARE(w->fraSettei->txtPriData->text(), QStringLiteral("書きかけ"));
    QCOMPARE(f.messages.shown.size(), 1);

    // メイン shows the today panel as it was last built, and pressed again does nothing.
    w->cmdMain->click();
    w->cmdMain->click();
    QCOMPARE(visiblePanels(*w), QStringList{"fraMain"});
    QCOMPARE(w->fraMain->msgDayList->rows(), 2);
}

void tst_MainWindow::aWindowClosedWhileEventsRunIsLeftAlone()
{
    // A game button pressed while 編集 fills its grid closes the window in the
    // events that run after the fill: no help tour is shown over a closed window.
    MainFixture f(1);
    f.ctx.session.welcomeShown = true;
    auto w = f.load();
    QMetaObject::invokeMethod(
        w.get(), [&] { w->close(); }, Qt::QueuedConnection);
    w->cmdSettei->click();
    QVERIFY(w->fraSettei->isVisibleTo(w.get()));
    QVERIFY(f.messages.shown.isEmpty());

    // The first start-up of a run: the welcome waits for the window to be shown.
    MainFixture g(1);
    auto first = std::make_unique<MainWindow>(g.ctx);
    QMetaObject::invokeMethod(
        first.get(), [&] { first->close(); }, Qt::QueuedConnection);
    first->Form_Load();
    QVERIFY(g.messages.shown.isEmpty());
}

void tst_MainWindow::helpTourSwitchWritesTheSettingsFile()
{
    MainFixture f(1);
    f.ctx.session.welcomeShown = true;
    auto w = f.load();
    QVERIFY(w->chkHelp->isChecked());

    w->chkHelp->click(); // off: the message is shown although the tour is going off
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].text, QStringLiteral("ヘルプツアー機能をオフにします。"));
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("ヘルプツアーＯＦＦ"));
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Information);
    QCOMPARE(f.messages.shown[0].buttons, MsgButtons::Ok);
    QCOMPARE(f.dir.files().filter(QStringLiteral("設定")), QStringList{"設定.txt"});
    QCOMPARE(f.dir.bytes("設定.txt"), sjis(QStringLiteral("\"ヘルプツアー\",0\r\n")));

    // The next screen's help text is no longer shown.
    w->cmdSettei->click();
    QCOMPARE(f.messages.shown.size(), 1);

    w->chkHelp->setChecked(true); // a change by the program runs the handler too
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(f.messages.shown[1].text, QStringLiteral("ヘルプツアー機能をオンにします。"));
    QCOMPARE(f.messages.shown[1].title, QStringLiteral("ヘルプツアーＯＮ"));
    QCOMPARE(f.ctx.session.helpTourOn, 1);
    QCOMPARE(f.dir.bytes("設定.txt"), sjis(QStringLiteral("\"ヘルプツアー\",1\r\n")));
}

void tst_MainWindow::welcomeTextIsShownOncePerRun()
{
    MainFixture f(1);
    auto first = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    const ShownMessage m = f.messages.shown[0];
    QCOMPARE(m.title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QCOMPARE(m.buttons, MsgButtons::Ok);
    QVERIFY(m.text.startsWith(
        QStringLiteral("ソラミルプロジェクトに興味をもっていただきありがとうございます。(^o^)／\r\n\r\n"
                       "このソフトは「記憶力」「暗記力」などが要求されるプチゲームを楽しみながら \r\n")));
    QVERIFY(m.text.contains(QStringLiteral("気を配りましょう！\r\n\r\n\r\n<使用方法>\r\n①")));
    QVERIFY(m.text.contains(QStringLiteral("遊ぶだけ！\r\n　自動的に")));
    QVERIFY(m.text.endsWith(QStringLiteral("「笑い」です。\r\n\r\nその他、色の変化でも把握できます。\r\n")));
    first.reset();

    // Back from a game: a new main window in the same run shows nothing.
    auto second = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
}

void tst_MainWindow::tourOffAtStartShowsNothing()
{
    MainFixture f;
    // A settings line with more than the program writes is read, not rewritten, at start-up.
    const QByteArray odd = sjis(QStringLiteral("\"ヘルプツアー\",0,\"ほか\"\r\n"));
    f.dir.write(QStringLiteral("設定.txt"), odd);
    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 0);
    QVERIFY(!w->chkHelp->isChecked());
    QCOMPARE(f.ctx.session.helpTourText, MainWindow::welcomeText()); // composed all the same
    QCOMPARE(f.dir.bytes(QStringLiteral("設定.txt")), odd);

    // Switching the tour on later never brings the welcome text back.
    w->chkHelp->click();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("ヘルプツアーＯＮ"));
    auto again = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(again->chkHelp->isChecked());
}

// ---------------------------------------------------------------------------
// Today panel
// ---------------------------------------------------------------------------

void tst_MainWindow::todayPanel_data()
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

void tst_MainWindow::todayPanel()
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

void tst_MainWindow::longDayTotalDoesNotWrap()
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

void tst_MainWindow::manyPlaysScrollToTheLastPlay()
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

void tst_MainWindow::theDayChartKeepsItsViewOnANewDay_data()
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

void tst_MainWindow::theDayChartKeepsItsViewOnANewDay()
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

void tst_MainWindow::deletingTheOnlyRecordEmptiesTheLogWithoutAsking()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 70)});
    auto w = f.load();
    QCOMPARE(w->fraMain->lblDayTotal->text(), QStringLiteral("0:01:10"));
    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(1, 2);
    QVERIFY(w->fraSettei->cmdRowDel->isEnabled());
    w->fraSettei->cmdRowDel->click();

    QVERIFY(f.dir.exists(QStringLiteral("データ.txt")));
    QCOMPARE(f.logBytes(), QByteArray());
    QCOMPARE(w->fraSettei->msgHenList->rows(), 1);
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
    // With the log empty only the header is left, and a click on it selects nothing.
    w->fraSettei->msgHenList->clickCell(0, 1);
    w->fraSettei->msgHenList_Click();
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
    QCOMPARE(f.messages.shown.size(), 0);
    // The today panel was rebuilt from the empty log.
    QVERIFY(w->logIsEmpty());
    QCOMPARE(w->fraMain->msgDayList->rows(), 1);
    QCOMPARE(w->fraMain->lblDayTotal->text(), QStringLiteral("0:00:00")); // not the deleted play's time
    QCOMPARE(visibleFace(*w), QStringLiteral("imgNashi"));
    QCOMPARE(w->fraMain->shpLedAt(1)->fillColor(), kWhite);
    // ゲーム with the log empty leaves the calendar where it was moved to.
    w->fraMain->mtvmain->clickDate(QDate(2026, 11, 20));
    w->cmdGame->click();
    QCOMPARE(w->selectedDay(), QDate(2026, 11, 20));
    QVERIFY(w->fraGame->isVisible());
}

void tst_MainWindow::deletingFromThreeAsksAndRewritesTheOthers()
{
    MainFixture f;
    const PlayRecord a = play("2026/12/05", "08:00:00", "数字記憶", 3, "暗記数 : 8   正解 : 6");
    const PlayRecord b = play("2026/12/06", "10:00:00", "画像記憶", 12.25f);
    const PlayRecord c = play("2026/12/07", "21:07:33", "バラバラ記憶", 41.3f, "速く,正確に");
    f.setLog({a, b, c});
    const QByteArray before = f.logBytes();
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(2, 3);

    f.messages.answerNext(MsgAnswer::Cancel);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.size(), 1);
    const ShownMessage q = f.messages.shown[0];
    QCOMPARE(q.text, QStringLiteral("2026/12/06 10:00:00 画像記憶 を削除します。よろしいですか？"));
    QCOMPARE(q.title, QStringLiteral("クリア確認"));
    QCOMPARE(q.buttons, MsgButtons::OkCancel);
    QCOMPARE(q.icon, MsgIcon::Warning);
    QCOMPARE(f.logBytes(), before);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 4);

    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(f.logBytes(), sjisLines({a.rewriteLine(), c.rewriteLine()}));
    QVERIFY(f.logBytes().endsWith(sjis(QStringLiteral("\"速く,正確に\",\"\"\r\n"))));
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    QCOMPARE(w->fraSettei->msgHenList->textMatrix(2, 0), QStringLiteral("3")); // not renumbered
    QVERIFY(!w->fraSettei->cmdRowDel->isEnabled());
}

void tst_MainWindow::aRewriteThatCannotBeStoredChangesNothing()
{
    MainFixture f;
    f.setLog({play("2026/12/06", "10:00:00", "画像記憶", 12), play("2026/12/07", "10:00:00", "数字記憶", 5)});
    const QByteArray before = f.logBytes();
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->msgHenList->setTextMatrix(2, 5, QStringLiteral("楽しい😀"));
    QVERIFY(!w->fraSettei->rewriteLogFromGrid());
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("保存エラー"));
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Warning);
    QVERIFY(f.messages.shown[0].text.contains(QStringLiteral("😀")));
    QCOMPARE(f.logBytes(), before);

    // Deleting the other row through the screen is refused the same way; the row stays.
    w->fraSettei->msgHenList->clickCell(1, 1);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.size(), 3); // question, then the error
    QCOMPARE(f.messages.shown[2].title, QStringLiteral("保存エラー"));
    QCOMPARE(f.logBytes(), before);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
}

void tst_MainWindow::aDamagedLogIsReportedOnceAndKept_data()
{
    QTest::addColumn<QByteArray>("anchor"); // the damage goes just before this text of line 1
    QTest::addColumn<int>("row");           // the row then deleted
    QTest::newRow("in a kept text field") << QByteArray("\",") << 2;
    QTest::newRow("in the seconds field") << QByteArray(",\"\",") << 2;
    QTest::newRow("after a closing quote") << QByteArray(",12,") << 2;
    QTest::newRow("in a field past the sixth") << QByteArray("\r\n") << 2;
    QTest::newRow("deleting the damaged record itself") << QByteArray("\r\n") << 1;
}

// Bytes that are not Shift-JIS are reported once per run; a rewrite would drop
// them wherever they are, so every rewrite is refused and the file stays byte
// for byte.
void tst_MainWindow::aDamagedLogIsReportedOnceAndKept()
{
    QFETCH(QByteArray, anchor);
    QFETCH(int, row);
    MainFixture f;
    QByteArray bytes = sjisLines({play("2026/12/06", "10:00:00", "画像記憶", 12).gameLine(),
                                  play("2026/12/07", "10:00:00", "数字記憶", 5).gameLine()});
    const QByteArray bad = anchor == "\r\n" ? QByteArray(",\"\x85\x20\"") : QByteArray("\x85\x20");
    bytes.insert(bytes.indexOf(anchor), bad); // an unassigned lead byte
    f.dir.write(QStringLiteral("データ.txt"), bytes);
    auto w = f.load();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("読み込みエラー"));
    QCOMPARE(w->fraMain->msgDayList->rows(), 2); // the readable records are all shown
    w.reset();
    w = f.load(); // back from a game: not told again
    QCOMPARE(f.messages.shown.size(), 1);

    w->cmdSettei->click();
    w->fraSettei->msgHenList->clickCell(row, 1);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(f.messages.shown.last().title, QStringLiteral("保存エラー"));
    QCOMPARE(f.logBytes(), bytes);
    QCOMPARE(w->fraSettei->msgHenList->rows(), 3);
    QVERIFY(!w->fraSettei->rewriteLogFromGrid());
    QCOMPARE(f.logBytes(), bytes);

    // Only the record left: deleting it (no question) is refused the same way.
    if (row == 1) {
        f.dir.write(QStringLiteral("データ.txt"), bytes.left(bytes.indexOf("\r\n") + 2));
        w.reset();
        w = f.load();
        w->cmdSettei->click();
        w->fraSettei->msgHenList->clickCell(1, 1);
        const qsizetype told = f.messages.shown.size();
        w->fraSettei->cmdRowDel->click();
        QCOMPARE(f.messages.shown.size(), told + 1);
        QCOMPARE(f.messages.shown.last().title, QStringLiteral("保存エラー"));
        QCOMPARE(f.logBytes(), bytes.left(bytes.indexOf("\r\n") + 2));
        QCOMPARE(w->fraSettei->msgHenList->rows(), 2);
    }
}

void tst_MainWindow::theKeyboardChoosesTheRowToDelete()
{
    // The record named in the question, and deleted, is the one the highlight
    // was moved to, by mouse or by keyboard.
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < 5; ++i)
        log.append(play("2026/12/07", QStringLiteral("0%1:00:00").arg(i + 1), "数字記憶", 1));
    f.setLog(log);
    auto w = f.load();
    w->cmdSettei->click();
    FlexGrid *g = w->fraSettei->msgHenList;
    g->setFocus();
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, 1)).center());
    QVERIFY(w->fraSettei->cmdRowDel->isEnabled());
    QTest::keyClick(g, Qt::Key_Down);
    QTest::keyClick(g, Qt::Key_Down);
    f.messages.answerNext(MsgAnswer::Cancel);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(lastShown(f).text, QStringLiteral("2026/12/07 03:00:00 数字記憶 を削除します。よろしいですか？"));
    QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
    w->fraSettei->cmdRowDel->click();
    QCOMPARE(lastShown(f).text, QStringLiteral("2026/12/07 05:00:00 数字記憶 を削除します。よろしいですか？"));
    QStringList kept;
    for (int i = 0; i < 4; ++i)
        kept.append(log.at(i).rewriteLine());
    QCOMPARE(f.logBytes(), sjisLines(kept));
}

void tst_MainWindow::theEditGridShowsItsLastFullPage_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("scrolls");
    QTest::newRow("23 records: from the first") << 23 << false;
    QTest::newRow("24 records: the newest at the bottom") << 24 << true;
    QTest::newRow("25 records") << 25 << true;
}

void tst_MainWindow::theEditGridShowsItsLastFullPage()
{
    // Past 24 rows the edit screen shows the newest records: a full page down
    // to the last one, whole rows from the top, never one row over empty space.
    QFETCH(int, records);
    QFETCH(bool, scrolls);
    MainFixture f;
    QList<PlayRecord> log;
    for (int i = 0; i < records; ++i)
        log.append(play("2026/12/07", QStringLiteral("10:%1:00").arg(i, 2, 10, QLatin1Char('0')), "数字記憶", 1));
    f.setLog(log);
    auto w = f.load();
    w->resize(1000, 600);
    w->cmdSettei->click();
    QCoreApplication::processEvents();
    FlexGrid *g = w->fraSettei->msgHenList;
    const int page = g->viewport()->height() / g->rowHeight(0);
    QVERIFY2(page > 3 && page < records, qPrintable(QString::number(page)));
    if (scrolls) {
        QCOMPARE(g->topRow(), records - page + 1);
        // The top row is whole, the newest record is the bottom row and whole,
        // and less than a row of space is left under it.
        QCOMPARE(g->rowViewportPosition(records - page), 0);
        const int bottom = g->rowViewportPosition(records - 1) + g->rowHeight(0);
        QVERIFY(bottom <= g->viewport()->height());
        QVERIFY(g->viewport()->height() - bottom < g->rowHeight(0));
    } else {
        QCOMPARE(g->topRow(), 1);
    }
}

void tst_MainWindow::newStartEmptiesEveryHistoryAndEnds()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 10)});
    f.dir.write(QStringLiteral("数字記憶履歴.txt"), "\"2026/12/07\",1\r\n");
    f.dir.write(QStringLiteral("輪廻記憶履歴.TXT"), "\"2026/12/07\",2\r\n");
    const QByteArray memo = sjisLines({QStringLiteral("メモの中身")});
    f.dir.write(QStringLiteral("メモ.TXT"), memo);
    const QByteArray settings = f.dir.bytes(QStringLiteral("設定.txt"));
    const QByteArray log = f.logBytes();
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(QStringLiteral("佐藤"));

    f.messages.answerNext(MsgAnswer::Cancel);
    w->fraSettei->cmdNew1->click();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].text,
             QStringLiteral("これまでのデータを削除して新しくスタートします。よろしいですか？"));
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("クリア確認"));
    QCOMPARE(f.messages.shown[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Warning);
    QCOMPARE(f.logBytes(), log);
    QVERIFY(!f.dir.exists(QStringLiteral("画像記憶履歴.txt")));
    QCOMPARE(f.navigator.quits, 0);

    w->fraSettei->cmdNew1->click();
    QCOMPARE(f.messages.shown.size(), 3);
    const ShownMessage done = lastShown(f);
    QCOMPARE(
        done.text,
        QStringLiteral(
            "データを削除しました。\r\n\r\n一旦プログラムを終了させていただきます。次の起動から新規スタートです！"));
    QCOMPARE(done.title, QStringLiteral("新規スタート準備完了"));
    QCOMPARE(done.buttons, MsgButtons::Ok);
    QCOMPARE(done.icon, MsgIcon::Information);
    QCOMPARE(f.navigator.quits, 1);

    QCOMPARE(f.logBytes(), QByteArray());
    for (const QString &h : historyFileNames()) {
        const QString path = text::resolve(h);
        QVERIFY2(QFileInfo::exists(path), qPrintable(h));
        QCOMPARE(QFileInfo(path).size(), qint64(0));
    }
    QVERIFY(!f.dir.exists(QStringLiteral("輪廻記憶履歴.txt"))); // emptied under its own spelling
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), sjis(QStringLiteral("\"氏名\",\"佐藤\"\r\n")));
    QCOMPARE(f.dir.bytes(QStringLiteral("設定.txt")), settings);
    QCOMPARE(f.dir.bytes(QStringLiteral("メモ.TXT")), memo);
}

void tst_MainWindow::newStartRefusesANameThatCannotBeStored()
{
    MainFixture f;
    f.setLog({play("2026/12/07", "09:00:00", "数字記憶", 10)});
    f.dir.write(QStringLiteral("数字記憶履歴.txt"), "\"2026/12/07\",1\r\n");
    const QByteArray log = f.logBytes();
    const QByteArray name = f.dir.bytes(QStringLiteral("氏名.txt"));
    auto w = f.load();
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(QStringLiteral("ねこ🐱"));
    w->fraSettei->cmdNew1->click();
    QCOMPARE(f.messages.shown.size(), 2);
    QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
    QCOMPARE(lastShown(f).icon, MsgIcon::Warning);
    QVERIFY(lastShown(f).text.contains(QStringLiteral("🐱")));
    QCOMPARE(f.logBytes(), log);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), name);
    QCOMPARE(f.dir.bytes(QStringLiteral("数字記憶履歴.txt")), QByteArray("\"2026/12/07\",1\r\n"));
    QVERIFY(!f.dir.exists(QStringLiteral("画像記憶履歴.txt")));
    QCOMPARE(f.navigator.quits, 0);
}

void tst_MainWindow::eachChangeOfTheLogIsCopiedFirst_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("block");   // "", "file" (a file named バックアップ), "cut" (the copy cut short)
    QTest::addColumn<bool>("histories");  // a history with records before the new start
    QTest::addColumn<QString>("refused"); // the file named when the change is refused

    const QString log = QStringLiteral("データ.txt");
    const QString history = QStringLiteral("数字記憶履歴.txt");
    for (const char *change : {"row", "last row", "diary", "new start"}) {
        const QString c = QLatin1String(change);
        QTest::addRow("%s", change) << c << QString() << true << QString();
        QTest::addRow("%s, a file named バックアップ", change)
            << c << "file" << true << (c == "new start" ? history : log);
        QTest::addRow("%s, copy cut short", change) << c << "cut" << true << (c == "new start" ? history : log);
    }
    // The histories are copied before the log; with none to copy the log's own copy fails.
    QTest::newRow("new start, no histories") << "new start" << QString() << false << QString();
    QTest::newRow("new start, no histories, copy cut short") << "new start"
                                                             << "cut" << false << log;
}

// 個別削除 (also of the last record), the diary's rewrite from a log grid and
// the new start each copy the log (and the new start every history) into the
// backup folder first; without the copy nothing changes.
void tst_MainWindow::eachChangeOfTheLogIsCopiedFirst()
{
    QFETCH(QString, change);
    QFETCH(QString, block);
    QFETCH(bool, histories);
    QFETCH(QString, refused);

    MainFixture f;
    const PlayRecord a = play("2026/12/05", "08:00:00", "数字記憶", 3, "暗記数 : 8   正解 : 6");
    const PlayRecord b = play("2026/12/06", "10:00:00", "画像記憶", 12.25f);
    f.setLog(change == "last row" ? QList<PlayRecord>{a} : QList<PlayRecord>{a, b});
    const QByteArray log = f.logBytes();
    const QByteArray history = "\"2026/12/05\",1\r\n\"2026/12/06\",2\r\n";
    if (histories)
        f.dir.write(QStringLiteral("数字記憶履歴.txt"), history);
    f.dir.write(QStringLiteral("画像記憶履歴.txt"), QByteArray()); // empty: nothing to copy
    const QByteArray name = f.dir.bytes(QStringLiteral("氏名.txt"));
    auto w = f.load();
    w->cmdSettei->click();
    const int rows = w->fraSettei->msgHenList->rows();
    // A copy cut short: the system refuses the bytes of a file past the eighth.
    std::optional<FileSizeLimit> full;
    if (block == "file")
        f.dir.write(kBackupFolder, "in the way");
    else if (block == "cut")
        full.emplace(8);

    bool done = true;
    if (change == "row" || change == "last row") {
        w->fraSettei->msgHenList->clickCell(1, 1);
        w->fraSettei->cmdRowDel->click();
    } else if (change == "diary") {
        w->fraSettei->msgHenList->setTextMatrix(2, 5, QStringLiteral("よく出来た"));
        done = w->fraSettei->rewriteLogFromGrid();
    } else {
        w->fraSettei->cmdNew1->click();
    }
    full.reset();

    // Copies are named after the fake clock's 2026/12/07 14:05:33.
    const QString logCopy = kBackupFolder + QStringLiteral("/データ_20261207-140533.txt");
    const QString historyCopy = kBackupFolder + QStringLiteral("/数字記憶履歴_20261207-140533.txt");
    if (!refused.isEmpty()) {
        QCOMPARE(done, change != "diary"); // only the rewrite itself answers
        QCOMPARE(lastShown(f).title, QStringLiteral("保存エラー"));
        QVERIFY2(lastShown(f).text.contains(QStringLiteral("「%1」のバックアップを作れなかったため").arg(refused)),
                 qPrintable(lastShown(f).text));
        QCOMPARE(f.logBytes(), log);
        QCOMPARE(w->fraSettei->msgHenList->rows(), rows);
        QVERIFY(!f.dir.exists(logCopy));
        if (histories)
            QCOMPARE(f.dir.bytes(QStringLiteral("数字記憶履歴.txt")), history);
        QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), name);
        QCOMPARE(f.navigator.quits, 0);
        return;
    }
    QVERIFY(done);
    QCOMPARE(f.dir.bytes(logCopy), log);
    QCOMPARE(QDir(kBackupFolder).entryList(QDir::Files).size(), change == "new start" && histories ? 2 : 1);
    if (change == "new start") {
        QCOMPARE(f.logBytes(), QByteArray());
        QCOMPARE(f.navigator.quits, 1);
        if (histories)
            QCOMPARE(f.dir.bytes(historyCopy), history);
    } else if (change == "last row") {
        QCOMPARE(f.logBytes(), QByteArray());
    } else if (change == "row") {
        QCOMPARE(f.logBytes(), sjisLines({b.rewriteLine()}));
    } else {
        PlayRecord commented = b;
        commented.comment = QStringLiteral("よく出来た");
        QCOMPARE(f.logBytes(), sjisLines({a.rewriteLine(), commented.rewriteLine()}));
    }
}

void tst_MainWindow::userNameIsShownInTheTitle_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("record");
    QTest::newRow("山田") << "山田"
                          << " 山田 の ソラミルプロジェクト３ ～記憶力"
                          << "\"氏名\",\"山田\"";
    QTest::newRow("empty") << ""
                           << " ソラミルプロジェクト３ ～記憶力"
                           << "\"氏名\",\"\"";
    // The record line cannot hold a double quote: what is stored is shown at once.
    QTest::newRow("double quotes") << "山田\"太郎\""
                                   << " 山田＂太郎＂ の ソラミルプロジェクト３ ～記憶力"
                                   << "\"氏名\",\"山田＂太郎＂\"";
}

void tst_MainWindow::userNameIsShownInTheTitle()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, record);
    MainFixture f;
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"前の名前\"")}));
    auto w = f.load();
    QCOMPARE(w->windowTitle(), QStringLiteral(" 前の名前 の ソラミルプロジェクト３ ～記憶力"));
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(name);
    w->fraSettei->cmdPHozon1->click();
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), sjisLines({record}));
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].text, QStringLiteral("保存が終了しました"));
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("保存終了"));
    QCOMPARE(f.messages.shown[0].icon, MsgIcon::Information);
    w->fraSettei->cmdPHozon1->click(); // confirmed again although nothing changed
    QCOMPARE(f.messages.shown.size(), 2);

    w.reset();
    QCOMPARE(f.load()->windowTitle(), title);
}

void tst_MainWindow::aNameThatCannotBeStoredChangesNothing()
{
    MainFixture f;
    f.dir.write(QStringLiteral("氏名.txt"), sjisLines({QStringLiteral("\"氏名\",\"山田\"")}));
    const QByteArray before = f.dir.bytes(QStringLiteral("氏名.txt"));
    auto w = f.load();
    const QString title = w->windowTitle();
    w->cmdSettei->click();
    w->fraSettei->txtPriData->setText(QStringLiteral("山田🌸"));
    w->fraSettei->cmdPHozon1->click();
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown[0].title, QStringLiteral("保存エラー"));
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(f.dir.bytes(QStringLiteral("氏名.txt")), before);
}

// ---------------------------------------------------------------------------
// Game launcher
// ---------------------------------------------------------------------------

void tst_MainWindow::pickedDateRebuildsThePanelAndGameReturnsToToday()
{
    MainFixture f;
    f.setLog({play("2026/12/05", "20:00:00", "時間差記憶", 42.5f), play("2026/12/07", "09:00:00", "数字記憶", 10),
              play("2026/12/07", "09:30:00", "画像記憶", 10)});
    auto w = f.load();
    // Picking a date rebuilds the panel for that day and moves the focus to メイン.
    w->fraMain->mtvmain->clickDate(QDate(2026, 12, 5));
    QCOMPARE(w->selectedDay(), QDate(2026, 12, 5));
    QCOMPARE(gridRow(w->fraMain->msgDayList, 1), (QStringList{"1", "20:00:00", "時間差記憶", "42.5"}));
    QCOMPARE(gridRow(w->fraMain->msgDayTotal, 1), (QStringList{"1", "時間差記憶", "1", "42"}));
    QCOMPARE(w->fraMain->mcrMain->axisMax(), 42.5); // the day chart reaches that day's longest play
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->cmdMain));

    // ゲーム returns the calendar and the panel to today first.
    w->cmdGame->click();
    QCOMPARE(w->selectedDay(), testToday());
    QCOMPARE(w->fraMain->msgDayList->rows(), 3);
    QCOMPARE(w->fraMain->lblMHyouka->text(), QStringLiteral("2 種類の脳刺激"));
    QVERIFY(w->fraGame->isVisible());
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->cmdG1));

    // Twice: the strip stays open and the focus goes back to the first game.
    w->cmdModori->setFocus();
    w->cmdGame->click();
    QVERIFY(w->fraGame->isVisible());
    QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->cmdG1));
    QCOMPARE(visiblePanels(*w), QStringList{"fraMain"});
}

void tst_MainWindow::launcherButtonsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("window");
    // The button numbers do not follow the window numbers.
    QTest::newRow("cmdG1") << "cmdG1"
                           << "数字記憶"
                           << "frmG1";
    QTest::newRow("cmdG2") << "cmdG2"
                           << "画像記憶"
                           << "frmG6";
    QTest::newRow("cmdG3") << "cmdG3"
                           << "神経衰弱"
                           << "frmG2";
    QTest::newRow("cmdG4") << "cmdG4"
                           << "追跡記憶"
                           << "frmG5";
    QTest::newRow("cmdG6") << "cmdG6"
                           << "時間差"
                           << "frmG3";
    QTest::newRow("cmdG5") << "cmdG5"
                           << "輪廻"
                           << "frmG4";
    QTest::newRow("cmdG7") << "cmdG7"
                           << "バラバラ"
                           << "frmG7";
}

void tst_MainWindow::launcherButtonsOpenTheirWindows()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, window);
    MainFixture f;
    auto w = f.load();
    w->cmdGame->click();
    auto *b = child<QToolButton>(*w, button);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(f.navigator.games.size(), 1);
    QCOMPARE(gameInfo(f.navigator.games.first()).windowName, window);
    QVERIFY(!w->isVisible());
}

void tst_MainWindow::launcherStripOrder()
{
    MainFixture f;
    auto w = f.load();
    w->cmdGame->click();
    QStringList order;
    for (QToolButton *b : w->fraGame->findChildren<QToolButton *>())
        order.append(b->objectName());
    std::sort(order.begin(), order.end(), [&](const QString &a, const QString &b) {
        return w->fraGame->findChild<QToolButton *>(a)->x() < w->fraGame->findChild<QToolButton *>(b)->x();
    });
    QCOMPARE(order, (QStringList{"cmdG1", "cmdG2", "cmdG3", "cmdG4", "cmdG6", "cmdG5", "cmdG7", "cmdModori"}));
}

void tst_MainWindow::eachGameButtonOpensItsGame_data()
{
    QTest::addColumn<int>("game");
    for (const GameInfo &g : gameCatalogue())
        QTest::addRow("%s", qPrintable(g.launcherButton)) << int(g.game);
}

void tst_MainWindow::eachGameButtonOpensItsGame()
{
    QFETCH(int, game);
    MainFixture f;
    auto w = f.load();
    w->cmdGame->click();
    QToolButton *b = w->launcherButton(Game(game));
    QVERIFY(b->isEnabled());
    QVERIFY(b->toolTip().isEmpty());
    b->click();
    QCOMPARE(f.navigator.games, QList<Game>{Game(game)});
    QVERIFY(!w->isVisible());
    QCOMPARE(f.navigator.quits, 0);
}

void tst_MainWindow::endClosesAnOpenHelpViewer()
{
    MainFixture f;
    auto w = f.load();
    w->cmdHelp->click();
    QCOMPARE(HelpViewer::openCount(), 1);
    w->cmdOwari->click();
    QTRY_COMPARE(HelpViewer::openCount(), 0);
    QVERIFY(!w->isVisible());
    QCOMPARE(f.navigator.quits, 1);
    QVERIFY(f.messages.shown.isEmpty()); // nothing is asked
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
