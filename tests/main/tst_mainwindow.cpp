// The main window driven as the user drives it: start-up, help tour, panel
// switching and the game launcher (the today panel and the edit screen have
// tests of their own).
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

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

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
