// Every game played with the keyboard alone, as a player who uses no mouse
// plays it: from the main window's ゲーム through the launcher strip to the
// game, スタート, the play and its saved result, and ESC back to the main
// window. Every key goes to the control that has the focus; the clock is the
// fake one, moved on a second at each countdown tick.
#include "mainfixture.h"

#include "core/datafolder.h"
#include "core/rules/dictionary.h"
#include "core/text/sjis.h"
#include "games/frame/gameframe.h"
#include "main/appnavigator.h"
#include "main/appsetup.h"
#include "testing/controls.h"
#include "testing/darkpalette.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QtTest>

#include <algorithm>

using namespace kioku;

namespace {

// The real way between windows, with the game windows' own timers stopped:
// the test ticks the countdown as the clock moves on.
class TestNavigator : public AppNavigator {
protected:
    void endProgram() override {}
    QWidget *createGameWindow(Game game) override
    {
        QWidget *w = AppNavigator::createGameWindow(game);
        if (auto *frame = qobject_cast<GameFrame *>(w)) {
            frame->tmrStart()->stop();
            frame->tmrBp()->stop();
        }
        return w;
    }
};

// The navigator and the context of one test; the window still open at its
// end goes with it, before the context it was built with.
struct Run {
    TestNavigator nav;
    AppContext ctx;
    explicit Run(MainFixture &f) : ctx(f.clock, f.services.random, f.messages, nav) { nav.setContext(ctx); }
    ~Run()
    {
        nav.quit(); // no window follows the last one
        delete nav.currentWindow();
    }
};

QWidget *focused()
{
    return QApplication::focusWidget();
}

QString focusName()
{
    return focused() ? focused()->objectName() : QStringLiteral("(nothing)");
}

// A key pressed and let go where the focus is.
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget *w = focused();
    QVERIFY2(w, "no control has the focus");
    QTest::keyClick(w, key, mods);
    QCoreApplication::processEvents();
}

// Text typed where the focus is, a character at a time (kana as an input
// method hands them over, in key events that carry the text).
void type(const QString &text)
{
    for (const QChar c : text) {
        QWidget *w = focused();
        QVERIFY2(w, "no control has the focus");
        QKeyEvent down(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &down);
        QApplication::sendEvent(w, &up);
    }
}

} // namespace

class tst_keyboardPlay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void everyGameFromTheLauncherToASavedResult_data();
    void everyGameFromTheLauncherToASavedResult();
    void escapeLeavesOnlyWhenNoPlayRuns();
    void tabGoesOverThePlayThenTheHistoryThenTheButtons_data();
    void tabGoesOverThePlayThenTheHistoryThenTheButtons();
    void theFocusedCellOfABoardShowsIt_data();
    void theFocusedCellOfABoardShowsIt();

private:
    QPalette m_defaultPalette;
};

void tst_keyboardPlay::initTestCase()
{
    setUpApplication();
    setDesktopLook(QStringLiteral("Fusion"), QApplication::palette());
    m_defaultPalette = QApplication::style()->standardPalette();
}

void tst_keyboardPlay::cleanup()
{
    setDesktopLook(QStringLiteral("Fusion"), m_defaultPalette);
}

void tst_keyboardPlay::everyGameFromTheLauncherToASavedResult_data()
{
    QTest::addColumn<int>("game");         // Game, as a number
    QTest::addColumn<QString>("settings"); // the game's settings line: a short play, saved at once
    QTest::newRow("数字記憶") << int(Game::NumberMemory) << QStringLiteral("3,0.2,1");
    QTest::newRow("画像記憶") << int(Game::ImageMemory) << QStringLiteral("2,1,1,\"\",1");
    QTest::newRow("アイコン衰弱") << int(Game::IconConcentration) << QStringLiteral("\"イージー\",1,1,0.1,0.1");
    QTest::newRow("追跡記憶") << int(Game::Tracking) << QStringLiteral("0,0.1,1");
    QTest::newRow("時間差記憶") << int(Game::TimeLag) << QStringLiteral("1,10,\"1回\",\"答数\",1");
    QTest::newRow("輪廻記憶") << int(Game::Cycle) << QStringLiteral("2,10,\"答数\",1");
    QTest::newRow("バラバラ記憶") << int(Game::Scrambled) << QStringLiteral("1,10,0.1,\"答数\",1");
}

void tst_keyboardPlay::everyGameFromTheLauncherToASavedResult()
{
    QFETCH(int, game);
    QFETCH(QString, settings);
    const Game g = Game(game);
    const GameInfo &info = gameInfo(g);

    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty()); // flags, word lists, default settings
    f.dir.write(info.settingsFile, sjisLines({settings}));
    // One word to a list: the player knows what is asked.
    f.dir.write(rules::kTimeLagDictionaryFile, sjisLines({QStringLiteral("りんご")}));
    f.dir.write(rules::kCycleDictionaryFile, sjisLines({QStringLiteral("りんご")}));
    f.dir.write(rules::kScrambledDictionaryFile, sjisLines({QStringLiteral("ねこ")}));
    // 追跡記憶: the trace 1, 5, 9 (the first panel from the upper two rows, then any).
    f.services.random.setValues({0.05, 0.5, 0.95});

    Run run(f);
    TestNavigator &nav = run.nav;
    nav.showMain();
    auto *main = qobject_cast<MainWindow *>(nav.currentWindow());
    QVERIFY(main);
    QVERIFY(QTest::qWaitForWindowActive(main));
    QCOMPARE(focusName(), QStringLiteral("cmdGame"));

    // ゲーム, then along the strip to the game's button; a button takes Enter
    // or Space alike (each row presses with the one, then the other).
    const Qt::Key push = game % 2 ? Qt::Key_Space : Qt::Key_Return;
    const Qt::Key other = game % 2 ? Qt::Key_Return : Qt::Key_Space;
    press(push);
    QCOMPARE(focusName(), QStringLiteral("cmdG1"));
    for (int i = 1; i < info.launcherPosition; ++i)
        press(Qt::Key_Tab);
    QCOMPARE(focusName(), info.launcherButton);
    press(other);

    QPointer<GameFrame> w = qobject_cast<GameFrame *>(nav.currentWindow());
    QVERIFY(w);
    QCOMPARE(w->objectName(), info.windowName);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(focusName(), QStringLiteral("cmdStart"));

    // スタート; a word or a piece may be on show through the countdown.
    press(push);
    QCOMPARE(w->playState(), GameFrame::PlayState::Countdown);
    const QString shownAtStart =
        g == Game::TimeLag ? control<QLabel>(w, QStringLiteral("lblMondai"))->text() : QString();
    const auto tick = [&] {
        f.clock.advanceMs(1000);
        w->tmrStart_Timer();
    };
    tick();
    tick();

    switch (g) {
    case Game::NumberMemory:
    case Game::ImageMemory: {
        // The things on show are remembered and typed back, one to a box, with
        // Enter (or the box moving on) after each; the last one leads to 回答.
        const bool digits = g == Game::NumberMemory;
        const int n = digits ? 3 : 2;
        const QString label = digits ? QStringLiteral("lblMondai%1") : QStringLiteral("lblKoma%1");
        QStringList seen;
        f.clock.onWait = [&](double) {
            if (seen.isEmpty() && control<QLabel>(w, label.arg(1))->isVisible())
                for (int i = 1; i <= n; ++i)
                    seen << control<QLabel>(w, label.arg(i))->text();
        };
        tick();
        f.clock.onWait = nullptr;
        QCOMPARE(seen.size(), n);
        QCOMPARE(focusName(), QStringLiteral("txtKaitou1"));
        for (const QString &s : seen) {
            type(s);
            if (!digits)
                press(Qt::Key_Return);
        }
        QCOMPARE(focusName(), QStringLiteral("cmdKekka"));
        press(Qt::Key_Return);
        break;
    }
    case Game::IconConcentration: {
        tick();
        // A perfect memory: the piece with the focus, then its twin, found by
        // moving on (right) or back (left) in reading order.
        const auto nameOf = [&](const QWidget *piece) {
            const QString n = piece->objectName().mid(QStringLiteral("cmdKoma").size());
            return control<QLabel>(w, QStringLiteral("lblKoma") + n)->text();
        };
        for (int turn = 0; turn < 20 && w->playState() == GameFrame::PlayState::Answering; ++turn) {
            QVERIFY2(focusName().startsWith(QStringLiteral("cmdKoma")), qPrintable(focusName()));
            const QString first = focusName();
            const QString name = nameOf(focused());
            press(Qt::Key_Space);
            QVERIFY(focusName() != first);
            bool right = true;
            for (int step = 0; step < 80 && nameOf(focused()) != name; ++step) {
                const QString before = focusName();
                press(right ? Qt::Key_Right : Qt::Key_Left);
                if (focusName() == before)
                    right = !right; // the end of the board: back the other way
            }
            QCOMPARE(nameOf(focused()), name);
            press(Qt::Key_Space);
        }
        break;
    }
    case Game::Tracking: {
        tick(); // panel 1 lit, then the turn is answered
        QCOMPARE(focusName(), QStringLiteral("cmdKey1"));
        press(Qt::Key_Space); // 1: right; panel 5 joins the trace
        QCOMPARE(focusName(), QStringLiteral("cmdKey1"));
        press(Qt::Key_Space);
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(focusName(), QStringLiteral("cmdKey5"));
        press(Qt::Key_Space); // 1, 5: right; panel 9 joins
        QCOMPARE(focusName(), QStringLiteral("cmdKey5"));
        press(Qt::Key_Left);
        press(Qt::Key_Up);
        press(Qt::Key_Space); // 1: right
        press(Qt::Key_Space); // 1 again where 5 was due: the game ends
        break;
    }
    case Game::TimeLag:
        tick();
        QCOMPARE(focusName(), QStringLiteral("txtKaitou"));
        type(shownAtStart); // the word shown before the one on display
        press(Qt::Key_Return);
        break;
    case Game::Cycle:
        tick();
        QCOMPARE(focusName(), QStringLiteral("txtKaitou"));
        type(QStringLiteral("りんご"));
        press(Qt::Key_Return);
        type(QStringLiteral("りんご"));
        press(Qt::Key_Return);
        break;
    case Game::Scrambled: {
        // The letters come one by one while the answer box has the focus; the
        // word is typed and sent while they are still being shown.
        bool sent = false;
        f.clock.onWait = [&](double) {
            if (sent || focusName() != QStringLiteral("txtKaitou"))
                return;
            sent = true;
            type(QStringLiteral("ねこ"));
            press(Qt::Key_Return);
        };
        tick();
        f.clock.onWait = nullptr;
        QVERIFY(sent);
        break;
    }
    }

    QVERIFY(w);
    QCOMPARE(w->playState(), GameFrame::PlayState::Finished);
    const QStringList history =
        text::decodeCp932(f.dir.bytes(info.historyFile)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(history.size(), 1);
    QVERIFY2(f.logBytes().contains(sjis(info.itemName)), "the play is in the play log");

    // No play runs: ESC goes back to the main window.
    press(Qt::Key_Escape);
    QTRY_VERIFY(!w);
    QVERIFY(qobject_cast<MainWindow *>(nav.currentWindow()));
}

void tst_keyboardPlay::escapeLeavesOnlyWhenNoPlayRuns()
{
    // ESC during the countdown or with a word typed in a typing game's box does not leave.
    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.dir.write(rules::kTimeLagDictionaryFile, sjisLines({QStringLiteral("りんご")}));
    f.dir.write(gameInfo(Game::TimeLag).settingsFile, sjisLines({QStringLiteral("3,10,\"1回\",\"答数\",0")}));
    Run run(f);
    TestNavigator &nav = run.nav;
    nav.showGame(Game::TimeLag);
    QPointer<GameFrame> w = qobject_cast<GameFrame *>(nav.currentWindow());
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    press(Qt::Key_Return); // スタート
    press(Qt::Key_Escape); // counting down: stays
    QVERIFY(w);
    QCOMPARE(w->playState(), GameFrame::PlayState::Countdown);
    for (int i = 0; i < 3; ++i) {
        f.clock.advanceMs(1000);
        w->tmrStart_Timer();
    }
    QCOMPARE(focusName(), QStringLiteral("txtKaitou"));
    type(QStringLiteral("りん"));
    press(Qt::Key_Escape); // a give-up, not the way back
    QVERIFY(w);
    QCOMPARE(w->playState(), GameFrame::PlayState::Finished);
    QVERIFY(focusName() != QStringLiteral("txtKaitou"));
    press(Qt::Key_Escape); // now nothing runs: back
    QTRY_VERIFY(!w);
}

void tst_keyboardPlay::tabGoesOverThePlayThenTheHistoryThenTheButtons_data()
{
    QTest::addColumn<int>("game");
    for (const Game g : launcherOrder())
        QTest::newRow(qPrintable(gameInfo(g).windowName)) << int(g);
}

void tst_keyboardPlay::tabGoesOverThePlayThenTheHistoryThenTheButtons()
{
    QFETCH(int, game);
    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    Run run(f);
    TestNavigator &nav = run.nav;
    nav.showGame(Game(game));
    QPointer<GameFrame> w = qobject_cast<GameFrame *>(nav.currentWindow());
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(focusName(), QStringLiteral("cmdStart"));

    // Round the window once: where each control the Tab key reaches lies.
    enum Part { Play, History, Bottom };
    QList<Part> parts;
    QStringList names;
    for (int i = 0; i < 100; ++i) {
        QWidget *c = focused();
        QVERIFY(c && c->window() == w);
        parts << (w->fraRireki()->isAncestorOf(c)                                                         ? History
                      : (c == w->cmdEnd() || c == w->cmdHozon() || c == w->cmdClear() || c == w->chkAs()) ? Bottom
                                                                                                          : Play);
        names << c->objectName();
        press(Qt::Key_Tab);
        if (focused() == w->cmdStart())
            break;
    }
    QCOMPARE(names.first(), QStringLiteral("cmdStart"));
    QCOMPARE(names.last(), QStringLiteral("cmdEnd"));
    QVERIFY2(std::is_sorted(parts.begin(), parts.end()), qPrintable(names.join(QLatin1Char(' '))));
    QVERIFY2(parts.contains(History), qPrintable(names.join(QLatin1Char(' '))));
}

void tst_keyboardPlay::theFocusedCellOfABoardShowsIt_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("cell");
    for (bool dark : {false, true}) {
        QTest::addRow("%s, a piece of アイコン衰弱", dark ? "dark" : "default")
            << dark << int(Game::IconConcentration) << QStringLiteral("cmdKoma1");
        QTest::addRow("%s, a panel of 追跡記憶", dark ? "dark" : "default")
            << dark << int(Game::Tracking) << QStringLiteral("cmdKey1");
    }
}

void tst_keyboardPlay::theFocusedCellOfABoardShowsIt()
{
    QFETCH(bool, dark);
    QFETCH(int, game);
    QFETCH(QString, cell);
    setDesktopLook(QStringLiteral("Fusion"), dark ? darkDesktopPalette() : m_defaultPalette);
    MainFixture f;
    QVERIFY(prepareDataFolder().failed.isEmpty());
    f.dir.write(gameInfo(Game::Tracking).settingsFile, sjisLines({QStringLiteral("0,0.1,0")}));
    f.services.random.setValues({0.05, 0.5});
    Run run(f);
    TestNavigator &nav = run.nav;
    nav.showGame(Game(game));
    QPointer<GameFrame> w = qobject_cast<GameFrame *>(nav.currentWindow());
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    press(Qt::Key_Return); // スタート
    for (int i = 0; i < 3; ++i) {
        f.clock.advanceMs(1000);
        w->tmrStart_Timer();
    }
    QCoreApplication::processEvents();
    QCOMPARE(focusName(), cell);
    QWidget *place = focused()->parentWidget();
    const QImage withFocus = place->grab().toImage();
    press(Qt::Key_Tab); // off the board
    QVERIFY(focusName() != cell);
    const QImage without = place->grab().toImage();
    QVERIFY2(withFocus != without, "the cell looks the same with the focus as without it");
}

QTEST_MAIN(tst_keyboardPlay)
#include "tst_keyboardplay.moc"
