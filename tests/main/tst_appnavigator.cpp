// The way between the windows: one window open at a time, the program ends
// only from the main window.
#include "mainfixture.h"

#include "core/datafolder.h"
#include "games/frame/gamedescription.h"
#include "games/frame/gameframe.h"
#include "games/typing/scrambledtypingwindow.h"
#include "games/typing/typingframe.h"
#include "games/visual/iconconcentrationwindow.h"
#include "games/visual/imagememorywindow.h"
#include "games/visual/numbermemorywindow.h"
#include "games/visual/trackingmemorywindow.h"
#include "main/appnavigator.h"
#include "widgets/answerbox.h"
#include "widgets/flexgrid.h"
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <functional>

using namespace kioku;

namespace {

// The real navigator, except that ending the program is only counted and a
// test may build the game windows itself.
class CountingNavigator : public AppNavigator {
public:
    using AppNavigator::AppNavigator;
    int ends = 0;
    std::function<QWidget *(Game)> games;

protected:
    void endProgram() override { ++ends; }
    QWidget *createGameWindow(Game g) override { return games ? games(g) : AppNavigator::createGameWindow(g); }
};

// A game window that cannot be played: it refuses while it is being built.
class RefusingGame : public GameFrame {
public:
    RefusingGame(AppContext &ctx, bool endProgram)
        : GameFrame(ctx, iconConcentrationDescription()), m_endProgram(endProgram)
    {
    }

protected:
    std::optional<OpenRefusal> openRefusal() override
    {
        return OpenRefusal{QStringLiteral("アイコンが 1個 余分です"), QStringLiteral("アイコン余分"), m_endProgram};
    }
    std::optional<SavedPlay> result(const QDateTime &) const override { return std::nullopt; }

private:
    bool m_endProgram;
};

// Closes what a test left open, after telling the navigator the program ends
// (so no window leads to another while they go).
struct WindowSweeper {
    AppNavigator &nav;
    ~WindowSweeper()
    {
        nav.quit();
        QList<QPointer<QWidget>> windows;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (!w->parentWidget())
                windows.append(w);
        for (const QPointer<QWidget> &w : windows)
            delete w.data();
    }
};

QList<QWidget *> openWindows()
{
    QList<QWidget *> open;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            open.append(w);
    return open;
}

} // namespace

class tst_AppNavigator : public QObject {
    Q_OBJECT

private slots:
    void showMainOpensAFreshMainWindow();
    void closingTheMainWindowEndsTheProgramOnce_data();
    void closingTheMainWindowEndsTheProgramOnce();
    void aGameReplacesTheMainWindowAndLeadsBack();
    void nothingOpensOnceTheProgramEnds();
    void aPlayFromTheLauncherShowsOnTheTodayPanel_data();
    void aPlayFromTheLauncherShowsOnTheTodayPanel();
    void aGameThatRefusesToOpenIsNeverShown_data();
    void aGameThatRefusesToOpenIsNeverShown();
};

void tst_AppNavigator::showMainOpensAFreshMainWindow()
{
    MainFixture f;
    CountingNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    nav.setContext(ctx);
    WindowSweeper sweep{nav};
    QVERIFY(!QApplication::quitOnLastWindowClosed());
    nav.showMain();
    auto *main = qobject_cast<MainWindow *>(nav.currentWindow());
    QVERIFY(main);
    QCOMPARE(openWindows(), QList<QWidget *>{main});
    QVERIFY(!main->IsLoading); // its whole start-up has run
}

void tst_AppNavigator::closingTheMainWindowEndsTheProgramOnce_data()
{
    QTest::addColumn<bool>("endButton");
    QTest::newRow("the window's close button") << false;
    QTest::newRow("終了") << true;
}

void tst_AppNavigator::closingTheMainWindowEndsTheProgramOnce()
{
    QFETCH(bool, endButton);
    MainFixture f;
    CountingNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    nav.setContext(ctx);
    WindowSweeper sweep{nav};
    nav.showMain();
    QPointer<MainWindow> main = qobject_cast<MainWindow *>(nav.currentWindow());
    if (endButton)
        main->cmdOwari->click();
    else
        main->close();
    QTRY_VERIFY(main.isNull());
    QCOMPARE(nav.ends, 1);
    QVERIFY(!nav.currentWindow());
    QVERIFY(openWindows().isEmpty());
}

void tst_AppNavigator::aGameReplacesTheMainWindowAndLeadsBack()
{
    MainFixture f;
    CountingNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    nav.setContext(ctx);
    WindowSweeper sweep{nav};
    nav.showMain();
    QPointer<MainWindow> main = qobject_cast<MainWindow *>(nav.currentWindow());
    main->cmdGame->click();
    main->cmdG1->click();
    QTRY_VERIFY(main.isNull());
    QPointer<QWidget> game = nav.currentWindow();
    QVERIFY(game);
    QVERIFY(dynamic_cast<NumberMemoryWindow *>(game.data()));
    QVERIFY(game->isVisible());
    QCOMPARE(openWindows(), QList<QWidget *>{game.data()});
    QCOMPARE(nav.ends, 0);

    // Leaving the game brings a new main window, which runs its start-up again.
    game->close();
    QTRY_VERIFY(game.isNull());
    QTRY_VERIFY(qobject_cast<MainWindow *>(nav.currentWindow()));
    auto *back = qobject_cast<MainWindow *>(nav.currentWindow());
    QVERIFY(back->isVisible());
    QCOMPARE(openWindows(), QList<QWidget *>{back});
    QCOMPARE(nav.ends, 0);
}

void tst_AppNavigator::nothingOpensOnceTheProgramEnds()
{
    MainFixture f;
    CountingNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    nav.setContext(ctx);
    WindowSweeper sweep{nav};
    nav.showMain();
    QPointer<MainWindow> main = qobject_cast<MainWindow *>(nav.currentWindow());
    main->cmdG1->click();
    QPointer<QWidget> game = nav.currentWindow();
    QVERIFY(dynamic_cast<NumberMemoryWindow *>(game.data()));

    // A game window closed while the program ends leads nowhere.
    nav.quit();
    game->close();
    QTRY_VERIFY(game.isNull());
    nav.showGame(Game::NumberMemory);
    QVERIFY(!nav.currentWindow());
    QVERIFY(openWindows().isEmpty());
}

void tst_AppNavigator::aPlayFromTheLauncherShowsOnTheTodayPanel_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("item");
    QTest::newRow("数字記憶") << "cmdG1"
                              << "数字記憶";
    QTest::newRow("画像記憶") << "cmdG2"
                              << "画像記憶";
    QTest::newRow("神経衰弱") << "cmdG3"
                              << "アイコン衰弱";
    QTest::newRow("追跡記憶") << "cmdG4"
                              << "追跡記憶";
    QTest::newRow("時間差") << "cmdG6"
                            << "時間差記憶";
    QTest::newRow("輪廻") << "cmdG5"
                          << "輪廻記憶";
    QTest::newRow("バラバラ") << "cmdG7"
                              << "バラバラ記憶";
}

void tst_AppNavigator::aPlayFromTheLauncherShowsOnTheTodayPanel()
{
    // From the launcher to a saved result on the today panel, on the shipped
    // flags and word lists: each game played to its end (a typing game as a
    // counted play ended by its first answer), saved automatically, and 戻り.
    QFETCH(QString, button);
    QFETCH(QString, item);
    MainFixture f;
    prepareDataFolder(); // the shipped flags and word lists; the fixture's own files stay
    CountingNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    ctx.session.helpTourOn = 0;
    nav.setContext(ctx);
    WindowSweeper sweep{nav};
    nav.showMain();
    QPointer<MainWindow> main = qobject_cast<MainWindow *>(nav.currentWindow());
    main->cmdGame->click();
    auto *b = main->findChild<QToolButton *>(button);
    QVERIFY(b && b->isEnabled());
    b->click();
    QPointer<GameFrame> game = qobject_cast<GameFrame *>(nav.currentWindow());
    QVERIFY(game);
    game->tmrStart()->stop();
    game->tmrBp()->stop();
    auto *typing = qobject_cast<TypingFrame *>(game.data());
    if (typing)
        typing->optMode(0)->click(); // counted
    if (auto *g7 = qobject_cast<ScrambledTypingWindow *>(game.data())) {
        // Scrambled letters: a play of one answer, typed while the letters are
        // shown; the letter display runs inside the third tick.
        g7->cboKaisu()->setCurrentIndex(g7->cboKaisu()->findText(QStringLiteral("1")));
        g7->cboKaisu_Click();
        bool answered = false;
        f.clock.onWait = [&](double) {
            if (answered || !game || game->playState() != GameFrame::PlayState::Answering)
                return;
            answered = true;
            g7->txtKaitou()->setText(QStringLiteral("ちがう"));
            QTest::keyClick(g7->txtKaitou(), Qt::Key_Return);
        };
    }
    game->cmdStart_Click();
    for (int i = 0; i < 3 && game; ++i)
        game->tmrStart_Timer();
    f.clock.onWait = nullptr;
    QVERIFY(game);
    if (typing) {
        if (game->playState() == GameFrame::PlayState::Answering)
            QTest::keyClick(typing->txtKaitou(), Qt::Key_Escape); // give up: one wrong answer
    } else if (auto *g1 = qobject_cast<NumberMemoryWindow *>(game.data())) {
        g1->cmdKekka_Click(); // empty boxes: all wrong
    } else if (auto *g6 = qobject_cast<ImageMemoryWindow *>(game.data())) {
        g6->cmdKekka_Click();
    } else if (auto *g5 = qobject_cast<TrackingMemoryWindow *>(game.data())) {
        const int due = g5->trace().expectedAt(1);
        g5->cmdKey_Click(due % 9 + 1); // a wrong panel ends the game
    } else if (auto *g2 = qobject_cast<IconConcentrationWindow *>(game.data())) {
        for (const QString &name : g2->iconNames()) {
            QList<int> at;
            for (int i = 1; i <= IconConcentrationWindow::kPieces; ++i)
                if (g2->boardName(i) == name)
                    at.append(i);
            for (int k = 0; k + 1 < at.size() && game; k += 2) {
                g2->cmdKoma_Click(at.at(k));
                if (game)
                    g2->cmdKoma_Click(at.at(k + 1));
            }
        }
    }
    QVERIFY(game);
    QCOMPARE(game->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(game->msgRireki()->rows(), 2); // saved at once
    game->cmdEnd()->click();
    QTRY_VERIFY(game.isNull());
    QTRY_VERIFY(qobject_cast<MainWindow *>(nav.currentWindow()));
    auto *back = qobject_cast<MainWindow *>(nav.currentWindow());
    QCOMPARE(back->fraMain->msgDayList->rows(), 2);
    QCOMPARE(back->fraMain->msgDayList->textMatrix(1, 2), item);
    QCOMPARE(back->fraMain->lblMHyouka->text(), QStringLiteral("1 種類の脳刺激"));
}

void tst_AppNavigator::aGameThatRefusesToOpenIsNeverShown_data()
{
    QTest::addColumn<bool>("endProgram");
    QTest::newRow("the program ends") << true;
    QTest::newRow("back to a new main window") << false;
}

void tst_AppNavigator::aGameThatRefusesToOpenIsNeverShown()
{
    QFETCH(bool, endProgram);
    MainFixture f;
    CountingNavigator nav;
    AppContext ctx(f.clock, f.services.random, f.messages, nav);
    nav.setContext(ctx);
    WindowSweeper sweep{nav};
    QPointer<QWidget> game;
    nav.games = [&](Game) {
        auto *g = new RefusingGame(ctx, endProgram);
        game = g;
        g->Form_Load(); // as the registry opens a game
        return g;
    };
    nav.showMain();
    QPointer<MainWindow> main = qobject_cast<MainWindow *>(nav.currentWindow());
    const int before = int(f.messages.shown.size());

    // As the launcher does: open the game, then close the main window.
    nav.showGame(Game::IconConcentration);
    QVERIFY(game);
    QVERIFY(!game->isVisible());
    QVERIFY(nav.currentWindow() != game);
    main->close();
    QTRY_VERIFY(game.isNull());
    QTRY_VERIFY(main.isNull());
    QCOMPARE(f.messages.shown.size(), before + 1);
    QCOMPARE(f.messages.shown.last().title, QStringLiteral("アイコン余分"));

    if (endProgram) {
        QCOMPARE(nav.ends, 1);
        QVERIFY(!nav.currentWindow());
        QVERIFY(openWindows().isEmpty());
    } else {
        // Exactly one new main window, not a second one when the game goes.
        QCOMPARE(nav.ends, 0);
        auto *back = qobject_cast<MainWindow *>(nav.currentWindow());
        QVERIFY(back);
        QCOMPARE(openWindows(), QList<QWidget *>{back});
    }
}

QTEST_MAIN(tst_AppNavigator)
#include "tst_appnavigator.moc"
