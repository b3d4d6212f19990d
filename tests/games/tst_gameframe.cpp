// The frame every game window shares, seen on the number-memory window and on
// plain test windows built from the other games' descriptions (its history
// part: tst_gameframehistory).
#include "core/backup.h"
#include "core/datafolder.h"
#include "core/game/history.h"
#include "core/rules/numbermemory.h"
#include "core/settings.h"
#include "frametestgame.h"
#include "gamefixture.h"
#include "games/frame/gamedescription.h"
#include "games/visual/numbermemorywindow.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <optional>

using namespace kioku;

class tst_GameFrame : public QObject {
    Q_OBJECT
private slots:
    void openingWithoutFilesWritesTheDefaults();
    void helpTextIsHandedToTheTourOnceShown();
    void choosingPointTwoRewritesTheSettingsLine();
    void openingNeverRewritesAnExistingSettingsLine_data();
    void openingNeverRewritesAnExistingSettingsLine();
    void countdownShowsThreePicturesThenBegins();
    void backAndTheWindowsCloseButtonLeadToMain();
    void bpStepsRunOnlyWhileBusyAndSurviveFailures();
    void playClockShowsElapsedSeconds();
    void everyGameCanBeDescribed();
    void theRegistryOpensEachGamesOwnWindow();
    void aGameThatCannotBePlayedRefusesToOpen();
    void blockForDropsInputToTheWindowUntilItEnds();
    void blockForEndsWhenTheWindowCloses();
    void waitsEndAsTheirCauseSays_data();
    void waitsEndAsTheirCauseSays();
    void heldKeysArriveAfterTheWaitInOrder();
    void heldKeysOfAClosedWindowAreDropped();
};

void tst_GameFrame::openingWithoutFilesWritesTheDefaults()
{
    GameFixture f;
    auto *w = f.open<NumberMemoryWindow>();
    QCOMPARE(box(w, "cboKaisu")->currentText(), QStringLiteral("8"));
    QCOMPARE(box(w, "cboJikan")->currentText(), QStringLiteral("0.5"));
    // The save-mode logic ran: auto-save on, 保存 disabled, the file holds the three values.
    QVERIFY(w->chkAs()->isChecked());
    QVERIFY(!w->cmdHozon()->isEnabled());
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("8,0.5,1\r\n"));

    // An empty history: header only, the selected view 記憶数 on a chart with no points.
    QCOMPARE(gridRow(w->msgRireki(), 0),
             (QStringList{"回", "日付", "時間", "成績詳細", "ＯＫ", "ＮＧ", "正解率", "秒"}));
    QCOMPARE(w->msgRireki()->rows(), 1);
    QCOMPARE(backColor(w->cmdAllDsp()), kLightYellow);
    QCOMPARE(backColor(w->viewButton("cmdKaitou")), kLightCyan);
    QVERIFY(!w->viewButton("cmdPByou")->isEnabled());
    QCOMPARE(w->mcrRireki2()->rowCount(), 0);
    QVERIFY(f.messages.shown.isEmpty());
    // The countdown and the time bar tick once a second.
    QVERIFY(w->tmrStart()->interval() == 1000 && w->tmrBp()->interval() == 1000);
}

void tst_GameFrame::helpTextIsHandedToTheTourOnceShown()
{
    GameFixture f;
    f.ctx.session.helpTourOn = 1;
    auto *w = f.open<NumberMemoryWindow>();
    QVERIFY(f.messages.shown.isEmpty()); // not before the window is on screen
    w->show();
    QTRY_COMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown.first().title, QStringLiteral("ヘルプツアー"));
    QCOMPARE(f.messages.shown.first().text,
             QStringLiteral("このゲームは『数字記憶』です。\r\n\r\n"
                            "指定した桁数の数字が指定秒数表示されますのでその間に記憶します｡ \r\n\r\n"
                            "　※桁数（表示問題数）は１～１５桁まで設定できます。\r\n"
                            "　※表示時間は0.2（瞬時）～３０秒まで設定できます。\r\n\r\n"
                            "瞬間記憶やゆっくり記憶のトレーニングに。\r\n"));
    // Shown once only, not at every show.
    w->hide();
    w->show();
    QTest::qWait(20);
    QCOMPARE(f.messages.shown.size(), 1);
}

void tst_GameFrame::choosingPointTwoRewritesTheSettingsLine()
{
    GameFixture f;
    {
        auto *w = f.open<NumberMemoryWindow>();
        WindowGuard g(w);
        pick(box(w, "cboJikan"), "0.2");
        w->cboJikan_Click();
        QCOMPARE(f.dir.bytes(kSettings), QByteArray("8,0.2,1\r\n"));
        QCOMPARE(w->lblJikan()->text(), QStringLiteral("0.2"));
    }
    QCOMPARE(box(f.open<NumberMemoryWindow>(), "cboJikan")->currentText(), QStringLiteral("0.2"));
    // A line written without the leading zero is read, and written back in
    // full when a setting changes.
    f.dir.write(kSettings, "3,.2,0\r\n");
    auto *w = f.open<NumberMemoryWindow>();
    QCOMPARE(box(w, "cboJikan")->currentText(), QStringLiteral("0.2"));
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("3,.2,0\r\n"));
    w->chkAs()->click();
    QCOMPARE(f.dir.bytes(kSettings), QByteArray("3,0.2,1\r\n"));
}

void tst_GameFrame::openingNeverRewritesAnExistingSettingsLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<bool>("autoSave");
    QTest::newRow("display time out of range") << QByteArray("12,45,0\r\n") << "12"
                                               << "0.5" << false;
    QTest::newRow("auto-save flag missing") << QByteArray("3,2") << "3"
                                            << "2" << true;
    QTest::newRow("garbage") << QByteArray("\x81\xff\x82") << "8"
                             << "0.5" << true;
}

void tst_GameFrame::openingNeverRewritesAnExistingSettingsLine()
{
    // The valid values are used and only the invalid ones defaulted; the file
    // keeps what it holds until the player changes a setting.
    QFETCH(QByteArray, file);
    QFETCH(QString, digits);
    QFETCH(QString, seconds);
    QFETCH(bool, autoSave);
    GameFixture f;
    QVERIFY(f.dir.write(kSettings, file));
    auto *w = f.open<NumberMemoryWindow>();
    QCOMPARE(box(w, "cboKaisu")->currentText(), digits);
    QCOMPARE(box(w, "cboJikan")->currentText(), seconds);
    QCOMPARE(w->chkAs()->isChecked(), autoSave);
    QCOMPARE(w->cmdHozon()->isEnabled(), !autoSave);
    QCOMPARE(f.dir.bytes(kSettings), file);

    pick(box(w, "cboKaisu"), QStringLiteral("5"));
    w->cboKaisu_Click();
    QCOMPARE(f.dir.bytes(kSettings), QStringLiteral("5,%1,%2\r\n").arg(seconds).arg(autoSave ? 1 : 0).toLatin1());
}

void tst_GameFrame::countdownShowsThreePicturesThenBegins()
{
    GameFixture f;
    auto *w = f.open<TestGame>(numberMemoryDescription());
    auto shown = [w] {
        QList<int> s;
        for (int i = 1; i <= 3; ++i)
            if (!w->imgStart(i)->isHidden())
                s << i;
        return s;
    };
    w->tmrStart_Timer(); // a tick with no countdown does nothing
    QCOMPARE(w->countdownTick(), 0);

    w->cmdStart_Click();
    QCOMPARE(w->boards, 1);
    QVERIFY(!w->cmdStart()->isEnabled());
    for (int tick = 1; tick <= 3; ++tick) {
        QCOMPARE(w->plays, 0);
        w->tmrStart_Timer();
        QCOMPARE(shown(), QList<int>{tick});
    }
    QCOMPARE(w->plays, 1);
    QVERIFY(!w->countdownRunning());
    w->tmrStart_Timer();
    QCOMPARE(w->plays, 1);
}

void tst_GameFrame::backAndTheWindowsCloseButtonLeadToMain()
{
    GameFixture f;
    QPointer<TestGame> w = f.open<TestGame>(numberMemoryDescription());
    w->show();
    // 戻り during the countdown ends it and leads to the main window.
    w->cmdStart_Click();
    w->tmrStart_Timer();
    const int wakes = f.clock.wakes();
    QTest::mouseClick(w->cmdEnd(), Qt::LeftButton);
    QVERIFY(f.clock.wakes() > wakes);
    QCOMPARE(f.navigator.mains, 1);
    if (w) {
        QVERIFY(!w->countdownRunning());
        w->tmrStart_Timer(); // a late tick does not begin the play
        w->tmrStart_Timer();
        QCOMPARE(w->plays, 0);
    }
    QTRY_VERIFY(w.isNull());

    w = f.open<TestGame>(numberMemoryDescription());
    w->show();
    w->close();
    QCOMPARE(f.navigator.mains, 2);
    QTRY_VERIFY(w.isNull());
}

void tst_GameFrame::bpStepsRunOnlyWhileBusyAndSurviveFailures()
{
    GameFixture f;
    auto *w = f.open<TestGame>(numberMemoryDescription());
    QStringList ran;
    w->steps = {[&] { ran << "bar"; },
                [&] {
                    ran << "fails";
                    throw std::runtime_error("step failed");
                },
                [&] { ran << "time-out"; }};
    w->tmrBp_Timer();
    QVERIFY(ran.isEmpty());
    w->setPlayState(GameFrame::PlayState::Answering);
    w->tmrBp_Timer();
    QCOMPARE(ran, (QStringList{"bar", "fails", "time-out"}));
    // A step that clears the busy flag stops the rest.
    ran.clear();
    w->steps = {[&] {
                    ran << "finish";
                    w->setPlayState(GameFrame::PlayState::Finished);
                },
                [&] { ran << "after"; }};
    w->tmrBp_Timer();
    QCOMPARE(ran, QStringList{"finish"});
}

void tst_GameFrame::playClockShowsElapsedSeconds()
{
    GameFixture f;
    auto *w = f.open<TestGame>(trackingDescription());
    QVERIFY(!w->tmrPlay()->isActive());
    w->startPlayClock();
    QVERIFY(w->tmrPlay()->isActive());
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("0.0"));
    f.clock.advanceMs(1249);
    w->tmrPlay_Timer();
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("1.2"));
    f.clock.advanceMs(86400 * 1000.0); // past midnight the count goes on
    w->tmrPlay_Timer();
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("86401.2"));
}

void tst_GameFrame::everyGameCanBeDescribed()
{
    // Every game's description builds a window: its filter boxes, view buttons and settings line.
    for (int window = 1; window <= 7; ++window) {
        const GameDescription d = gameDescription(window);
        QCOMPARE(d.windowName(), QStringLiteral("frmG%1").arg(window));
        QVERIFY2(d.problems().isEmpty(), qPrintable(d.problems().join(QLatin1Char('\n'))));
        QVERIFY(itemNames().contains(d.itemName()));
        QVERIFY(historyFileNames().contains(d.history.fileName, Qt::CaseInsensitive)); // emptied by the new start
        QVERIFY(d.helpText.startsWith(QStringLiteral("このゲームは『") + d.itemName()));
        GameFixture f;
        auto *w = f.open<TestGame>(d);
        for (const FilterBox &fb : d.filters)
            QVERIFY2(w->filterBox(fb.objectName), qPrintable(fb.objectName));
        for (const QString &name : d.refreshOrder)
            QVERIFY2(w->viewButton(name), qPrintable(name));
        QCOMPARE(f.dir.bytes(d.settings.fileName), sjis(GameSettings(d.settings).line() + "\r\n"));
    }
}

void tst_GameFrame::theRegistryOpensEachGamesOwnWindow()
{
    // The window a game's launcher button opens is that game's window: what
    // the registry builds is checked against the game catalogue.
    GameFixture f;
    prepareDataFolder(); // the word lists the typing games need
    int opened = 0;
    for (const GameInfo &g : gameCatalogue()) {
        QPointer<QWidget> w = openGame(g.game, f.ctx);
        QVERIFY2(w, qPrintable(g.windowName));
        QCOMPARE(w->objectName(), g.windowName);
        QCOMPARE(qobject_cast<GameFrame *>(w.data())->description().game, g.game);
        delete w.data();
        ++opened;
    }
    QCOMPARE(opened, 7); // every game of the catalogue
}

void tst_GameFrame::aGameThatCannotBePlayedRefusesToOpen()
{
    GameFixture f;
    const GameDescription d = iconConcentrationDescription();
    const QString text = QStringLiteral("アイコンが 1個 足りません\r\nアイコンを補充してからプレイしてください。");
    QPointer<TestGame> w = f.open<TestGame>(d, GameFrame::OpenRefusal{text, QStringLiteral("アイコン不足")});
    QVERIFY(w);
    QVERIFY(w->closing());
    QCOMPARE(f.messages.shown.size(), 1);
    QCOMPARE(f.messages.shown.first().text, text);
    QCOMPARE(f.messages.shown.first().title, QStringLiteral("アイコン不足"));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    QCOMPARE(f.messages.shown.first().buttons, MsgButtons::Ok);
    // Then the program ends: no way back to the main window, no file written.
    QCOMPARE(f.navigator.quits, 1);
    QCOMPARE(f.navigator.mains, 0);
    QVERIFY(!f.dir.exists(d.settings.fileName));
    QTRY_VERIFY(w.isNull());
    QCOMPARE(f.navigator.mains, 0);
}

void tst_GameFrame::blockForDropsInputToTheWindowUntilItEnds()
{
    // A delay holds the board still: clicks and keys to the play area are
    // dropped, not kept for later; the rest of the window and other windows go on.
    GameFixture f;
    auto *w = f.open<TestGame>(iconConcentrationDescription());
    QWidget *board = w->findChild<QWidget *>("fraGame");
    auto *box = new QLineEdit(board);
    auto *piece = new QPushButton(QStringLiteral("駒"), board);
    w->show();
    int pieceClicks = 0, allClicks = 0;
    connect(piece, &QPushButton::clicked, this, [&] { ++pieceClicks; });
    connect(w->cmdAllDsp(), &QPushButton::clicked, this, [&] { ++allClicks; });
    QPushButton other; // another window is not held
    int otherClicks = 0;
    connect(&other, &QPushButton::clicked, this, [&] { ++otherClicks; });
    bool timerRan = false;
    QTimer::singleShot(0, w, [&] { timerRan = true; });

    f.clock.onWait = [&](double) {
        QTest::mouseClick(piece, Qt::LeftButton);
        QTest::keyClicks(box, "ab");
        QTest::mouseClick(w->cmdAllDsp(), Qt::LeftButton);
        QTest::mouseClick(&other, Qt::LeftButton);
    };
    const qint64 start = f.clock.elapsedNs();
    QCOMPARE(w->blockFor(1500), GameFrame::WaitEnd::Elapsed);
    f.clock.onWait = nullptr;
    QCOMPARE(f.clock.elapsedNs() - start, qint64(1500) * 1000000);
    QCOMPARE(pieceClicks, 0);
    QCOMPARE(box->text(), QString());
    QCOMPARE(allClicks, 1); // outside the board
    QCOMPARE(otherClicks, 1);
    QVERIFY(timerRan); // timers and painting go on
    QCoreApplication::processEvents();
    QCOMPARE(box->text(), QString()); // dropped, not delivered late

    // Afterwards the board takes input again.
    QTest::mouseClick(piece, Qt::LeftButton);
    QTest::keyClicks(box, "ab");
    QCOMPARE(pieceClicks, 1);
    QCOMPARE(box->text(), QStringLiteral("ab"));
}

void tst_GameFrame::blockForEndsWhenTheWindowCloses()
{
    GameFixture f;
    QPointer<TestGame> w = f.open<TestGame>(iconConcentrationDescription());
    w->show();
    // The window's close button is not input that a delay holds back.
    f.clock.onWait = [&](double) {
        if (w)
            w->close();
    };
    const int wakes = f.clock.wakes();
    QCOMPARE(w->blockFor(5000), GameFrame::WaitEnd::Closed);
    f.clock.onWait = nullptr;
    QVERIFY(f.clock.wakes() > wakes); // a real clock's wait ends at once
    QCOMPARE(f.navigator.mains, 1);
    QTRY_VERIFY(w.isNull());
}

void tst_GameFrame::waitsEndAsTheirCauseSays_data()
{
    QTest::addColumn<QString>("cause"); // what happens during the second wait step
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("fullTime");
    QTest::newRow("nothing: the whole time") << "" << int(GameFrame::WaitEnd::Elapsed) << true;
    QTest::newRow("the stop condition comes to hold") << "stop" << int(GameFrame::WaitEnd::Stopped) << false;
    QTest::newRow("a newer display begins") << "supersede" << int(GameFrame::WaitEnd::Superseded) << false;
    QTest::newRow("the window closes") << "close" << int(GameFrame::WaitEnd::Closed) << false;
}

void tst_GameFrame::waitsEndAsTheirCauseSays()
{
    // A 30-second wait of a letter display ends the moment its cause comes:
    // an answer given, a new display, the window gone; never later.
    QFETCH(QString, cause);
    QFETCH(int, end);
    QFETCH(bool, fullTime);
    GameFixture f;
    QPointer<TestGame> w = f.open<TestGame>(scrambledDescription());
    bool answered = false;
    int steps = 0;
    f.clock.onWait = [&](double) {
        if (++steps != 2 || !w)
            return;
        if (cause == QLatin1String("stop"))
            answered = true; // an answer typed while the letter is shown
        else if (cause == QLatin1String("supersede"))
            w->supersedeWaits();
        else if (cause == QLatin1String("close"))
            w->close();
    };
    const qint64 start = f.clock.elapsedNs();
    const GameFrame::WaitEnd got = w->waitMs(30000, [&] { return answered; });
    f.clock.onWait = nullptr;
    QCOMPARE(int(got), end);
    const qint64 waited = f.clock.elapsedNs() - start;
    if (fullTime)
        QCOMPARE(waited, qint64(30000) * 1000000);
    else
        QVERIFY2(waited <= qint64(100) * 1000000, qPrintable(QString::number(waited))); // a few looks, not 30 s
}

void tst_GameFrame::heldKeysArriveAfterTheWaitInOrder()
{
    // The blank between two words: keys typed during it reach the answer box
    // once it is over, in order, after the next word is set up.
    GameFixture f;
    auto *w = f.open<TestGame>(timeLagDescription());
    auto *box = new QLineEdit(w->findChild<QWidget *>("fraGame"));
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    box->setFocus();
    bool once = false;
    f.clock.onWait = [&](double) {
        if (std::exchange(once, true))
            return;
        QTest::keyClicks(box, "ab");
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("りんご"));
        QCoreApplication::sendEvent(box, &commit);
    };
    QCOMPARE(w->holdInputFor(100), GameFrame::WaitEnd::Elapsed);
    f.clock.onWait = nullptr;
    QCOMPARE(box->text(), QString()); // nothing yet: the caller sets up the next word first
    box->setText(QStringLiteral(">"));
    QCoreApplication::processEvents();
    QCOMPARE(box->text(), QStringLiteral(">abりんご"));
}

void tst_GameFrame::heldKeysOfAClosedWindowAreDropped()
{
    GameFixture f;
    QPointer<TestGame> w = f.open<TestGame>(timeLagDescription());
    QPointer<QLineEdit> box = new QLineEdit(w->findChild<QWidget *>("fraGame"));
    w->show();
    f.clock.onWait = [&](double) {
        if (!w)
            return;
        QTest::keyClicks(box, "ab");
        w->close();
    };
    QCOMPARE(w->holdInputFor(100), GameFrame::WaitEnd::Closed);
    f.clock.onWait = nullptr;
    QTRY_VERIFY(w.isNull()); // and nothing was delivered to a window that went
}

QTEST_MAIN(tst_GameFrame)
#include "tst_gameframe.moc"
