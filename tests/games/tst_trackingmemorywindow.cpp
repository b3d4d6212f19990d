// Tracking memory (frmG5): the growing trace, the clicks that answer it, the
// end of a game and what is saved.
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/rules/tracking.h"
#include "gamefixture.h"
#include "games/visual/trackingmemorywindow.h"
#include "widgets/backcolor.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace kioku;
namespace tk = kioku::rules;

namespace {

const QString kSettings = tk::trackingSettings().fileName;
const QString kHistory = tk::trackingHistory().fileName;

// Draw values that make the trace `panels`: the first of 1 … 6, the others of 1 … 9.
QList<double> drawsFor(const QList<int> &panels)
{
    QList<double> v;
    for (int i = 0; i < panels.size(); ++i)
        v << (panels.at(i) - 0.5) / (i == 0 ? 6.0 : 9.0);
    return v;
}

// The panel lit now, 0 when all are dark.
int litPanel(const TrackingMemoryWindow *w)
{
    for (int i = 1; i <= 9; ++i)
        if (w->panelColor(i) == TrackingMemoryWindow::kLit)
            return i;
    return 0;
}

// What the panels showed, wait by wait: runs of one state (the panel lit, or 0)
// with the clock time they lasted.
struct Phases {
    QList<int> states;
    QList<double> ms;
    void add(int state, double waited)
    {
        if (!states.isEmpty() && states.last() == state) {
            ms.last() += waited;
            return;
        }
        states << state;
        ms << waited;
    }
    // The panels lit, in order.
    QList<int> lit() const
    {
        QList<int> l;
        for (int s : states)
            if (s != 0)
                l << s;
        return l;
    }
};

struct TrackingGame {
    GameFixture &f;
    TrackingMemoryWindow *w;

    TrackingGame(GameFixture &fixture, const QByteArray &settings, const QList<int> &trace = {}) : f(fixture)
    {
        f.dir.write(kSettings, settings);
        if (!trace.isEmpty())
            f.drawValues(drawsFor(trace));
        w = f.open<TrackingMemoryWindow>();
    }
    // スタート and the three countdown ticks; the first trace is shown inside the third.
    void start()
    {
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
    }
    // Clicks the first `n` panels of the trace back (all of it when n < 0); the
    // last right click of a turn shows the longer trace before it returns.
    void answer(int n = -1)
    {
        const QList<int> panels = w->trace().panels();
        if (n < 0)
            n = int(panels.size());
        for (int i = 0; i < n; ++i)
            w->cmdKey_Click(panels.at(i));
    }
    // A panel other than the one the trace has at click number `n` of the turn.
    int wrongAt(int n) const { return w->trace().expectedAt(n) == 9 ? 1 : 9; }
    // Records the panels' states at every wait from now on.
    void record(Phases &p)
    {
        f.clock.onWait = [this, &p](double ms) { p.add(litPanel(w), ms); };
    }
    QStringList answerRows() const
    {
        QStringList rows;
        for (int r = 1; r < w->msgInp()->rows(); ++r)
            rows << w->msgInp()->textMatrix(r, 0) + QLatin1Char(' ') + w->msgInp()->textMatrix(r, 1);
        return rows;
    }
};

HistoryEntry firstEntry()
{
    return readHistory(tk::trackingHistory()).entries.value(0);
}

} // namespace

class tst_TrackingMemoryWindow : public QObject {
    Q_OBJECT
private slots:
    void firstPanelIsOnTheUpperTwoRows_data();
    void firstPanelIsOnTheUpperTwoRows();
    void traceGrowsByOnePanelPerTurn_data();
    void traceGrowsByOnePanelPerTurn();
    void eachPanelIsLitAndDarkForTheLightingTime_data();
    void eachPanelIsLitAndDarkForTheLightingTime();
    void wrongClickEndsTheGame_data();
    void wrongClickEndsTheGame();
    void clicksWhileATraceIsShownAreRefused_data();
    void clicksWhileATraceIsShownAreRefused();
    void pressLightsAPanelAndAwayFromItDarkensIt_data();
    void pressLightsAPanelAndAwayFromItDarkensIt();
    void theClockGoesOnDuringATrace();
    void savedLinesAreExactBytes_data();
    void savedLinesAreExactBytes();
    void filterShowsOnlyThatLightingTime_data();
    void filterShowsOnlyThatLightingTime();
    void lightingTimeChosenDuringAGameAppliesNextGame();
    void backDuringATraceEndsIt();
};

void tst_TrackingMemoryWindow::firstPanelIsOnTheUpperTwoRows_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("panel");
    QTest::newRow("lowest draw") << 0.0 << 1;
    QTest::newRow("highest draw") << 0.999999 << 6;
}

void tst_TrackingMemoryWindow::firstPanelIsOnTheUpperTwoRows()
{
    QFETCH(double, draw);
    QFETCH(int, panel);
    GameFixture f;
    f.drawValues({draw});
    TrackingGame g(f, "0,0.5,1\r\n");
    Phases p;
    g.record(p);
    g.start();
    // Dark for one lighting time, the panel lit for one, then the player answers.
    QCOMPARE(p.states, (QList<int>{0, panel}));
    QCOMPARE(p.ms, (QList<double>{500, 500}));
    QCOMPARE(g.w->trace().panels(), QList<int>{panel});
    QCOMPARE(litPanel(g.w), 0);
    QCOMPARE(g.w->lblMoji_T()->text(), QStringLiteral("1"));
    QCOMPARE(g.w->lblbun()->text(), QStringLiteral("0 / 1"));
    QCOMPARE(g.w->lblHint()->text(), QStringLiteral("軌跡解答開始"));
    QCOMPARE(backColor(g.w->lblHint()), TrackingMemoryWindow::kHintAnswering);
    QCOMPARE(g.w->playState(), GameFrame::PlayState::Answering);
    QVERIFY(g.w->cmdKey(9)->isEnabled());
    QVERIFY(g.w->tmrPlay()->isActive());
    QCOMPARE(f.ctx.session.playMode, qint16(0));
}

void tst_TrackingMemoryWindow::traceGrowsByOnePanelPerTurn_data()
{
    QTest::addColumn<QList<int>>("trace");
    QTest::newRow("lower rows come later") << QList<int>{2, 9, 7, 8};
    QTest::newRow("the same panel twice in a row") << QList<int>{5, 5, 1, 1, 1};
    QTest::newRow("every corner") << QList<int>{1, 3, 7, 9};
}

void tst_TrackingMemoryWindow::traceGrowsByOnePanelPerTurn()
{
    QFETCH(QList<int>, trace);
    GameFixture f;
    TrackingGame g(f, "0,0.2,1\r\n", trace);
    g.start();
    for (int turn = 2; turn <= trace.size(); ++turn) {
        Phases p;
        g.record(p);
        g.answer();
        f.clock.onWait = nullptr;
        const QList<int> shown = trace.mid(0, turn);
        // The whole trace is shown again, one panel more each turn.
        QCOMPARE(p.lit(), shown);
        QCOMPARE(g.w->trace().panels(), shown);
        QCOMPARE(g.w->lblMoji_T()->text(), QString::number(turn));
        QCOMPARE(g.w->lblbun()->text(), QStringLiteral("0 / %1").arg(turn));
        QCOMPARE(g.w->lblOk()->text(), QString::number(turn * (turn - 1) / 2));
        QCOMPARE(g.w->msgInp()->rows(), 1); // the answer grid starts afresh
        QCOMPARE(g.w->playState(), GameFrame::PlayState::Answering);
    }
    // The clicks of a turn, by number and position.
    g.answer(2);
    QCOMPARE(g.answerRows(), (QStringList{"1 " + tk::panelName(trace.at(0)), "2 " + tk::panelName(trace.at(1))}));
    QCOMPARE(g.w->lblbun()->text(), QStringLiteral("2 / %1").arg(trace.size()));
}

void tst_TrackingMemoryWindow::eachPanelIsLitAndDarkForTheLightingTime_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<double>("ms");
    QTest::newRow("0.1") << QByteArray("0,0.1,1\r\n") << 100.0;
    QTest::newRow("1") << QByteArray("0,1,1\r\n") << 1000.0;
    QTest::newRow("a time written by hand") << QByteArray("0,.25,1\r\n") << 250.0;
}

void tst_TrackingMemoryWindow::eachPanelIsLitAndDarkForTheLightingTime()
{
    QFETCH(QByteArray, settings);
    QFETCH(double, ms);
    GameFixture f;
    TrackingGame g(f, settings, {4, 6, 6});
    g.start();
    g.answer();
    Phases p;
    g.record(p);
    g.answer(); // the third turn: the pauses, then three panels
    QCOMPARE(p.states, (QList<int>{0, 4, 0, 6, 0, 6, 0}));
    QCOMPARE(p.ms, (QList<double>{2 * TrackingMemoryWindow::kTurnPauseMs, ms, ms, ms, ms, ms, ms}));
}

void tst_TrackingMemoryWindow::wrongClickEndsTheGame_data()
{
    QTest::addColumn<QList<int>>("trace");
    QTest::addColumn<int>("turnsDone"); // whole traces reproduced before the failing turn
    QTest::addColumn<int>("rightInTurn");
    QTest::addColumn<QList<int>>("saved"); // turns, turn progress, trace count
    QTest::addColumn<QString>("progress"); // lblbun at the end
    QTest::newRow("wrong first click") << QList<int>{3} << 0 << 0 << QList<int>{1, 0, 0} << "1 / 1";
    // Traces of 1, 2 and 3 reproduced, the second click of 4 wrong: 1 + 2 + 3 + 1.
    QTest::newRow("fails at the second click of four")
        << QList<int>{2, 8, 8, 4} << 3 << 1 << QList<int>{4, 1, 7} << "2 / 4";
    QTest::newRow("fails at the last click of two") << QList<int>{6, 1} << 1 << 1 << QList<int>{2, 1, 2} << "2 / 2";
}

void tst_TrackingMemoryWindow::wrongClickEndsTheGame()
{
    QFETCH(QList<int>, trace);
    QFETCH(int, turnsDone);
    QFETCH(int, rightInTurn);
    QFETCH(QList<int>, saved);
    QFETCH(QString, progress);
    GameFixture f;
    TrackingGame g(f, "0,0.5,1\r\n", trace);
    g.w->show();
    g.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.w));
    g.start();
    for (int t = 0; t < turnsDone; ++t)
        g.answer();
    g.answer(rightInTurn);
    const int expected = g.w->trace().expectedAt(rightInTurn + 1);
    const int wrong = g.wrongAt(rightInTurn + 1);
    QTest::mouseClick(g.w->cmdKey(wrong), Qt::LeftButton);

    QCOMPARE(g.w->playState(), GameFrame::PlayState::Finished);
    QVERIFY(!g.w->answering());
    QCOMPARE(g.w->panelColor(expected), TrackingMemoryWindow::kLit);
    QCOMPARE(g.w->panelColor(wrong), TrackingMemoryWindow::kWrong);
    const int last = g.w->msgInp()->rows() - 1;
    QCOMPARE(last, rightInTurn + 1);
    QCOMPARE(g.w->msgInp()->cellBackColor(last, 1), QColor(255, 192, 192));
    QCOMPARE(g.w->lblbun()->text(), progress);
    QCOMPARE(g.w->lblHint()->text(), QStringLiteral("軌跡リスト"));
    QVERIFY(!g.w->tmrPlay()->isActive());
    QVERIFY(g.w->cmdStart()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), g.w->msgRireki());
    // Saved at once: turns, steps into the last turn, right clicks in all.
    const HistoryEntry e = firstEntry();
    QCOMPARE((QList<int>{e.intField(3), e.intField(4), e.intField(5)}), saved);
    QCOMPARE(g.w->msgRireki()->rows(), 2);
    QCOMPARE(g.w->mcrRireki2()->value(0, 0), double(saved.at(0)));
    // Later clicks change nothing.
    g.w->cmdKey_Click(expected);
    QCOMPARE(g.w->trace().rightTotal(), saved.at(2));
    QCOMPARE(g.w->panelColor(wrong), TrackingMemoryWindow::kWrong);
}

void tst_TrackingMemoryWindow::clicksWhileATraceIsShownAreRefused_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<bool>("byMouse"); // else the handler is called straight
    for (const char *when : {"pause after the last click", "panel lit", "panel dark"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1, mouse").arg(when))) << QString::fromLatin1(when) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1, handler").arg(when))) << QString::fromLatin1(when) << false;
    }
}

void tst_TrackingMemoryWindow::clicksWhileATraceIsShownAreRefused()
{
    QFETCH(QString, when);
    QFETCH(bool, byMouse);
    GameFixture f;
    TrackingGame g(f, "0,0.5,1\r\n", {4, 2, 9});
    g.w->show();
    g.start();
    g.answer();
    int tries = 0;
    bool pressLit = false;
    f.clock.onWait = [&](double) {
        const bool pause = g.w->lblHint()->text() == QStringLiteral("軌跡解答開始");
        const int lit = litPanel(g.w);
        const bool now = when.startsWith(QLatin1String("pause")) ? pause
            : when.endsWith(QLatin1String("lit"))                ? lit != 0
                                                                 : !pause && lit == 0;
        if (!now || g.w->playState() != GameFrame::PlayState::Showing)
            return;
        ++tries;
        // The panel the trace has first: a click taken would count as right.
        if (byMouse)
            QTest::mouseClick(g.w->cmdKey(4), Qt::LeftButton);
        else
            g.w->cmdKey_Click(4);
        pressLit = pressLit || (lit != 4 && g.w->panelColor(4) == TrackingMemoryWindow::kLit);
    };
    g.answer(); // the second trace, with clicks tried all through it
    f.clock.onWait = nullptr;
    QVERIFY(tries > 0);
    QCoreApplication::processEvents(); // nothing was kept for later
    QVERIFY(!pressLit);
    QCOMPARE(g.w->trace().clicks().size(), 0);
    QCOMPARE(g.w->trace().rightTotal(), 3);
    QCOMPARE(g.w->msgInp()->rows(), 1);
    QCOMPARE(g.w->lblbun()->text(), QStringLiteral("0 / 3"));
    QCOMPARE(g.w->playState(), GameFrame::PlayState::Answering);
    QCOMPARE(g.w->trace().panels(), (QList<int>{4, 2, 9}));
}

void tst_TrackingMemoryWindow::pressLightsAPanelAndAwayFromItDarkensIt_data()
{
    QTest::addColumn<bool>("playing");
    QTest::addColumn<bool>("releasedOver");
    QTest::addColumn<QColor>("whilePressed");
    QTest::addColumn<QColor>("afterRelease");
    QTest::addColumn<int>("clicks");
    QTest::newRow("a click while answering")
        << true << true << TrackingMemoryWindow::kLit << TrackingMemoryWindow::kDark << 1;
    QTest::newRow("released away while answering")
        << true << false << TrackingMemoryWindow::kLit << TrackingMemoryWindow::kDark << 0;
    QTest::newRow("a press with no game")
        << false << true << TrackingMemoryWindow::kDark << TrackingMemoryWindow::kDark << 0;
}

void tst_TrackingMemoryWindow::pressLightsAPanelAndAwayFromItDarkensIt()
{
    QFETCH(bool, playing);
    QFETCH(bool, releasedOver);
    QFETCH(QColor, whilePressed);
    QFETCH(QColor, afterRelease);
    QFETCH(int, clicks);
    GameFixture f;
    TrackingGame g(f, "0,0.5,1\r\n", {5, 5});
    g.w->show();
    g.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.w));
    if (playing)
        g.start();
    Shape *panel = g.w->cmdKey(5);
    QTest::mousePress(panel, Qt::LeftButton);
    QCOMPARE(g.w->panelColor(5), whilePressed);
    if (!playing)
        QCOMPARE(QApplication::focusWidget(), g.w->cmdStart());
    QTest::mouseRelease(panel, Qt::LeftButton, {}, releasedOver ? panel->rect().center() : QPoint(-20, -20));
    QCOMPARE(g.w->panelColor(5), afterRelease);
    QCOMPARE(g.w->trace().rightTotal(), clicks);
}

void tst_TrackingMemoryWindow::theClockGoesOnDuringATrace()
{
    GameFixture f;
    TrackingGame g(f, "0,0.5,1\r\n", {1, 2, 3});
    g.start();
    QCOMPARE(g.w->lblJikan()->text(), QStringLiteral("0.0"));
    f.clock.advanceMs(1000);
    g.answer();
    QStringList shown;
    f.clock.onWait = [&](double) {
        g.w->tmrPlay_Timer(); // as the window's own timer shows the seconds
        if (shown.isEmpty() || shown.last() != g.w->lblJikan()->text())
            shown << g.w->lblJikan()->text();
    };
    g.answer();
    f.clock.onWait = nullptr;
    QVERIFY(g.w->tmrPlay()->isActive());
    // 1 s answering and 2.6 s for the second trace; then the first pause of the
    // third, and at its end its second pause and three panels lit and dark.
    QCOMPARE(shown.first(), QStringLiteral("3.9"));
    QCOMPARE(shown.last(), QStringLiteral("7.2"));
    QVERIFY(shown.size() >= 5);
}

void tst_TrackingMemoryWindow::savedLinesAreExactBytes_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QList<int>>("trace");
    QTest::addColumn<int>("turnsDone");
    QTest::addColumn<int>("rightInTurn");
    QTest::addColumn<double>("answerMs"); // the player's own time before the wrong click
    QTest::addColumn<QString>("history");
    QTest::addColumn<QString>("log");
    QTest::newRow("wrong first click") << QByteArray("0,0.5,1\r\n") << QList<int>{1} << 0 << 0 << 3250.0
                                       << "\"2026/12/07\",\"14:10:00\",1,0,0,\"0.5\",\"3.3秒\""
                                       << "\"2026/12/07\",\"14:10:00\",\"追跡記憶\",3.3,\"1 / 1 回  0.5秒\",";
    // The four turns: 1.8 s of pauses and 9 lighting times lit and dark, 18 × 1 s.
    QTest::newRow("four turns at one second") << QByteArray("3,1,1\r\n") << QList<int>{2, 8, 8, 4} << 3 << 1 << 220.0
                                              << "\"2026/12/07\",\"14:10:00\",4,1,7,\"1\",\"20秒\""
                                              << "\"2026/12/07\",\"14:10:00\",\"追跡記憶\",20,\"2 / 4 回  1秒\",";
    QTest::newRow("three turns at a tenth") << QByteArray("0,0.1,1\r\n") << QList<int>{6, 3, 3} << 2 << 2 << 0.0
                                            << "\"2026/12/07\",\"14:10:00\",3,2,5,\"0.1\",\"2.2秒\""
                                            << "\"2026/12/07\",\"14:10:00\",\"追跡記憶\",2.2,\"3 / 3 回  0.1秒\",";
}

void tst_TrackingMemoryWindow::savedLinesAreExactBytes()
{
    QFETCH(QByteArray, settings);
    QFETCH(QList<int>, trace);
    QFETCH(int, turnsDone);
    QFETCH(int, rightInTurn);
    QFETCH(double, answerMs);
    QFETCH(QString, history);
    QFETCH(QString, log);
    GameFixture f;
    f.dir.write(kPlayLogFile, QByteArray());
    TrackingGame g(f, settings, trace);
    g.start();
    for (int t = 0; t < turnsDone; ++t)
        g.answer();
    g.answer(rightInTurn);
    f.clock.advanceMs(answerMs);
    f.clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(14, 10, 0)));
    g.w->cmdKey_Click(g.wrongAt(rightInTurn + 1));
    QCOMPARE(f.dir.bytes(kHistory), sjis(history + "\r\n"));
    QCOMPARE(f.dir.bytes(kPlayLogFile), sjis(log + "\r\n"));
    // The grid shows the date and time as stored.
    QCOMPARE(g.w->msgRireki()->textMatrix(1, 1), QStringLiteral("2026/12/07"));
    QCOMPARE(g.w->msgRireki()->textMatrix(1, 2), QStringLiteral("14:10:00"));
}

void tst_TrackingMemoryWindow::filterShowsOnlyThatLightingTime_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("dates"); // of the rows shown, in file order
    QTest::newRow("0.5") << "0.5" << QStringList{"2026/11/02", "2026/11/05"};
    QTest::newRow("1 is not 1.0") << "1" << QStringList{"2026/11/03"};
    QTest::newRow("0.1 is not 0.10") << "0.1" << QStringList{"2026/11/01"};
    QTest::newRow("none played") << "0.7" << QStringList{};
}

void tst_TrackingMemoryWindow::filterShowsOnlyThatLightingTime()
{
    QFETCH(QString, chosen);
    QFETCH(QStringList, dates);
    GameFixture f;
    f.dir.write(kHistory,
                sjisLines({QStringLiteral("\"2026/11/01\",\"10:00:00\",3,1,4,\"0.1\",\"5.2秒\""),
                           QStringLiteral("\"2026/11/02\",\"10:00:00\",5,0,10,\"0.5\",\"21.5秒\""),
                           QStringLiteral("\"2026/11/03\",\"10:00:00\",2,1,2,\"1\",\"6秒\""),
                           QStringLiteral("\"2026/11/04\",\"10:00:00\",4,2,8,\"1.0\",\"18秒\""),
                           QStringLiteral("\"2026/11/05\",\"10:00:00\",6,3,18,\"0.5\",\"30.1秒\""),
                           QStringLiteral("\"2026/11/06\",\"10:00:00\",1,0,0,\"0.10\",\"1秒\"")}));
    TrackingGame g(f, "0,0.5,1\r\n");
    QComboBox *box = g.w->filterBox(QStringLiteral("cboJikan2"));
    QCOMPARE(box->count(), 10);
    pick(box, chosen);
    g.w->cboJikan2_Click();
    FlexGrid *grid = g.w->msgRireki();
    QStringList shown;
    for (int r = 1; r < grid->rows(); ++r) {
        QCOMPARE(grid->textMatrix(r, 0), QString::number(r));
        shown << grid->textMatrix(r, 1);
    }
    QCOMPARE(shown, dates);
    QCOMPARE(g.w->mcrRireki2()->rowCount(), dates.size());
    // This window keeps 全部表示 light yellow under a filter as well.
    QCOMPARE(backColor(g.w->cmdAllDsp()), HistoryPanel::kAllShown);
    g.w->cmdAllDsp_Click();
    QCOMPARE(grid->rows(), 7);
}

void tst_TrackingMemoryWindow::lightingTimeChosenDuringAGameAppliesNextGame()
{
    GameFixture f;
    TrackingGame g(f, "0,0.5,1\r\n", {3, 3});
    g.start();
    pick(g.w->cboJikan(), "0.2");
    g.w->cboJikan_Click();
    Phases p;
    g.record(p);
    g.answer();
    f.clock.onWait = nullptr;
    QCOMPARE(p.ms.mid(1), (QList<double>{500, 500, 500, 500})); // the game keeps its time
    g.w->cmdKey_Click(g.wrongAt(1));
    QCOMPARE(firstEntry().field(6), QStringLiteral("0.5"));
    Phases next;
    g.record(next);
    g.start();
    QCOMPARE(next.ms, (QList<double>{200, 200}));
}

void tst_TrackingMemoryWindow::backDuringATraceEndsIt()
{
    GameFixture f;
    f.dir.write(kSettings, "0,1,1\r\n");
    f.drawValues(drawsFor({1, 2, 3}));
    QPointer<TrackingMemoryWindow> w = f.open<TrackingMemoryWindow>();
    w->show();
    w->cmdStart_Click();
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    int waitsAfterBack = -1;
    f.clock.onWait = [&](double) {
        if (waitsAfterBack >= 0) {
            ++waitsAfterBack;
            return;
        }
        if (w && litPanel(w) == 2) {
            waitsAfterBack = 0;
            QTest::mouseClick(w->cmdEnd(), Qt::LeftButton);
        }
    };
    w->cmdKey_Click(1); // the longer trace, ended by 戻り while its second panel is lit
    f.clock.onWait = nullptr;
    QCOMPARE(waitsAfterBack, 0);
    QCOMPARE(f.navigator.mains, 1);
    QVERIFY(!f.dir.exists(kHistory));
    QTRY_VERIFY(!w);
}

QTEST_MAIN(tst_TrackingMemoryWindow)
#include "tst_trackingmemorywindow.moc"
