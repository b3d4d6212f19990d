// Number memory (frmG1): a play from スタート to the saved result.
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/rules/numbermemory.h"
#include "gamefixture.h"
#include "games/visual/numbermemorywindow.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QString kHistory = rules::kNumberMemoryHistoryFile;
const QColor kRightGreen(192, 255, 192);
const QColor kWrongRed(255, 192, 192);

// Draw values that give the digits of `digits` ("0".."8"), in turn.
QList<double> drawsFor(const QString &digits)
{
    QList<double> v;
    for (QChar c : digits)
        v << (c.digitValue() + 0.5) / 9.0;
    return v;
}

// The first history entry as read back.
HistoryEntry firstEntry()
{
    return readHistory(rules::numberMemoryHistory()).entries.value(0);
}

struct Play {
    GameFixture &f;
    NumberMemoryWindow *w;

    // A window opened on the settings line `settings`, drawing `digits` if given.
    Play(GameFixture &fixture, const QByteArray &settings, const QString &digits = QString()) : f(fixture)
    {
        f.dir.write(rules::kNumberMemorySettingsFile, settings);
        if (!digits.isEmpty())
            f.drawValues(drawsFor(digits));
        w = f.open<NumberMemoryWindow>();
    }
    QString label(const char *name) const { return w->findChild<QLabel *>(name)->text(); }
    QPushButton *kekka() const { return w->findChild<QPushButton *>("cmdKekka"); }
    Shape *cover() const { return w->findChild<Shape *>("shpWaku"); }
    Shape *bar() const { return w->findChild<Shape *>("shpJikanK"); }
    // スタート and the three countdown ticks; the display phase runs inside the third.
    void start()
    {
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
    }
    void answer(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            w->txtKaitou(i + 1)->setText(texts.at(i));
    }
    void showActive()
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
};

} // namespace

class tst_NumberMemoryWindow : public QObject {
    Q_OBJECT
private slots:
    void startPreparesTheBoard();
    void typingMovesTheFocusOnToJudging_data();
    void typingMovesTheFocusOnToJudging();
    void answerBoxesTakeNoInputMethod();
    void inputMethodDigitsGoOnePerBox_data();
    void inputMethodDigitsGoOnePerBox();
    void judgingColoursEachBoxAndCountsOverN_data();
    void judgingColoursEachBoxAndCountsOverN();
    void shortDisplayKeepsTheBarFull();
    void thirtySecondsCountDownAndShrinkTheBar();
    void savedLinesAreExactBytes();
    void aPlayIsSavedOnce_data();
    void aPlayIsSavedOnce();
    void saveWhileFilteredAddsTheRow();
    void aSaveThatCannotWriteItsHistorySavesNothing();
    void aClearThatCannotEmptyTheHistoryChangesNothing();
    void digitCountChangedMidPlayAppliesNextPlay();
    void displayTimeChosenDuringTheCountdownApplies();
    void answersEditedAfterJudgingDoNotChangeTheSavedResult();
    void backDuringDisplayEndsThePhase();
    void backDuringARealDisplayEndsThePhase();
    void windowDestroyedDuringDisplayIsLeftAlone();
};

void tst_NumberMemoryWindow::startPreparesTheBoard()
{
    GameFixture f;
    Play p(f, "4,2,1\r\n");
    p.w->cmdStart_Click();
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Countdown);
    QCOMPARE(f.ctx.session.playMode, qint16(0));
    QVERIFY(!p.cover()->isHidden());
    for (int i = 1; i <= 15; ++i) {
        QCOMPARE(p.w->lblMondai(i)->isHidden(), i > 4);
        QVERIFY(p.w->txtKaitou(i)->isHidden());
    }
    QCOMPARE((QStringList{p.label("lblMoji_T"), p.label("lblOk"), p.label("lblNg"), p.label("lblRitu"),
                          p.label("lblJikan")}),
             (QStringList{"4", "0", "0", "0.0%", "2"}));
    QVERIFY(!p.kekka()->isEnabled());
}

void tst_NumberMemoryWindow::typingMovesTheFocusOnToJudging_data()
{
    QTest::addColumn<QString>("digits");
    QTest::newRow("one digit") << "5";
    QTest::newRow("three digits") << "123";
}

void tst_NumberMemoryWindow::typingMovesTheFocusOnToJudging()
{
    QFETCH(QString, digits);
    GameFixture f;
    Play p(f, QByteArray::number(digits.size()) + ",0.5,1\r\n", digits);
    p.showActive();
    p.start();
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    QVERIFY(!p.cover()->isHidden());
    QVERIFY(p.w->txtKaitou(digits.size() + 1)->isHidden());
    QVERIFY(p.kekka()->isEnabled());
    for (int i = 1; i <= digits.size(); ++i) {
        QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(i));
        QTest::keyClicks(p.w->txtKaitou(i), digits.mid(i - 1, 1));
    }
    QCOMPARE(QApplication::focusWidget(), p.kekka());
    // The keyboard carries on: Enter on 回答 judges, Enter on スタート starts again.
    QTest::keyClick(p.kekka(), Qt::Key_Return);
    QCOMPARE(p.label("lblRitu"), QStringLiteral("100.0%"));
    QCOMPARE(QApplication::focusWidget(), p.w->cmdStart());
    QVERIFY(p.w->cmdStart()->isEnabled());
    QVERIFY(!p.kekka()->isEnabled());
    QTest::keyClick(p.w->cmdStart(), Qt::Key_Return);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Countdown);
}

void tst_NumberMemoryWindow::answerBoxesTakeNoInputMethod()
{
    // The Japanese input method a player leaves on after the typing games is
    // not asked to the digit boxes: the desktop sends their keys as they are.
    GameFixture f;
    Play p(f, "4,0.5,1\r\n", "8551");
    p.showActive();
    p.start();
    QLineEdit *box = p.w->txtKaitou(1);
    QCOMPARE(QApplication::focusWidget(), box);
    QVERIFY(!box->testAttribute(Qt::WA_InputMethodEnabled));
    // What the desktop's input method (fcitx, ibus) asks the focused box before it takes its keys.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(QGuiApplication::focusObject(), &query);
    QVERIFY(!query.value(Qt::ImEnabled).toBool());
    QVERIFY(!QInputMethod::queryFocusObject(Qt::ImEnabled, QVariant()).toBool());
    QVERIFY(box->inputMethodHints() & Qt::ImhDigitsOnly);
}

void tst_NumberMemoryWindow::inputMethodDigitsGoOnePerBox_data()
{
    QTest::addColumn<QString>("committed"); // by the input method, or as a key's text (a leading "key:")
    QTest::addColumn<QStringList>("boxes"); // the four boxes afterwards
    QTest::addColumn<int>("focused");       // the box with the focus afterwards, 0 for 回答
    QTest::newRow("one full-width digit") << "８" << QStringList{"8", "", "", ""} << 2;
    QTest::newRow("a full-width key") << "key:５" << QStringList{"5", "", "", ""} << 2;
    QTest::newRow("four digits at once") << "８５５１" << QStringList{"8", "5", "5", "1"} << 0;
    QTest::newRow("half-width digits at once") << "85" << QStringList{"8", "5", "", ""} << 3;
    QTest::newRow("more than the boxes: the last keeps the rest")
        << "８５５１２" << QStringList{"8", "5", "5", "12"} << 0;
}

void tst_NumberMemoryWindow::inputMethodDigitsGoOnePerBox()
{
    // Should a digit still come through an input method (or full width), it is
    // the digit it shows: one to a box, and the focus moves on as with keys.
    QFETCH(QString, committed);
    QFETCH(QStringList, boxes);
    QFETCH(int, focused);
    GameFixture f;
    Play p(f, "4,0.5,1\r\n", "8551");
    p.showActive();
    p.start();
    QWidget *box = QApplication::focusWidget();
    QCOMPARE(box, p.w->txtKaitou(1));
    if (committed.startsWith(QLatin1String("key:"))) {
        const QString text = committed.mid(4);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(box, &press);
    } else {
        QInputMethodEvent preedit(committed, {});
        QApplication::sendEvent(box, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(committed);
        QApplication::sendEvent(box, &commit);
    }
    QStringList shown;
    for (int i = 1; i <= 4; ++i)
        shown << p.w->txtKaitou(i)->text();
    QCOMPARE(shown, boxes);
    QCOMPARE(QApplication::focusWidget(), focused ? static_cast<QWidget *>(p.w->txtKaitou(focused)) : p.kekka());
}

void tst_NumberMemoryWindow::judgingColoursEachBoxAndCountsOverN_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("counts"); // 正解, 不正解, rate
    QTest::addColumn<QString>("marks");
    QStringList fifteen;
    for (QChar c : QStringLiteral("012345678876543"))
        fifteen << QString(c);
    QTest::newRow("fifteen right") << "012345678876543" << fifteen << QStringList{"15", "0", "100.0%"}
                                   << "○○○○○○○○○○○○○○○";
    QTest::newRow("full-width digits are wrong")
        << "123" << QStringList{"１", "２", "３"} << QStringList{"0", "3", "0.0%"} << "×××－－－－－－－－－－－－";
    QTest::newRow("empty boxes are wrong") << "31415826" << QStringList{"3", "1", "", "1", "5", "", "0", "6"}
                                           << QStringList{"5", "3", "62.5%"} << "○○×○○××○－－－－－－－";
}

void tst_NumberMemoryWindow::judgingColoursEachBoxAndCountsOverN()
{
    QFETCH(QString, digits);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, counts);
    QFETCH(QString, marks);
    GameFixture f;
    Play p(f, QByteArray::number(digits.size()) + ",1,1\r\n", digits);
    p.start();
    p.answer(answers);
    p.w->cmdKekka_Click();
    QCOMPARE((QStringList{p.label("lblOk"), p.label("lblNg"), p.label("lblRitu")}), counts);
    for (int i = 1; i <= digits.size(); ++i)
        QCOMPARE(p.w->txtKaitou(i)->palette().color(QPalette::Base),
                 answers.at(i - 1) == digits.mid(i - 1, 1) ? kRightGreen : kWrongRed);
    QVERIFY(p.cover()->isHidden()); // the digits uncovered above the answers
    QCOMPARE(firstEntry().field(3), marks);
    QCOMPARE(firstEntry().field(6), counts.at(2));
}

void tst_NumberMemoryWindow::shortDisplayKeepsTheBarFull()
{
    GameFixture f;
    Play p(f, "5,0.2,1\r\n");
    QSet<QString> shown;
    QSet<int> widths;
    double waited = 0;
    f.clock.onWait = [&](double ms) {
        shown << p.label("lblJikan");
        widths << p.bar()->width();
        waited += ms;
    };
    p.start();
    QCOMPARE(shown, QSet<QString>{"0"});
    QCOMPARE(widths, QSet<int>{p.w->fullBarWidth()});
    QVERIFY(waited >= 200 && waited < 210);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
}

void tst_NumberMemoryWindow::thirtySecondsCountDownAndShrinkTheBar()
{
    GameFixture f;
    Play p(f, "5,30,1\r\n");
    QStringList counts;
    QList<int> widths;
    f.clock.onWait = [&](double) {
        if (counts.isEmpty() || counts.last() != p.label("lblJikan"))
            counts << p.label("lblJikan");
        if (widths.isEmpty() || widths.last() != p.bar()->width())
            widths << p.bar()->width();
    };
    p.start();
    QStringList expected;
    for (int i = 30; i >= 0; --i)
        expected << QString::number(i);
    QCOMPARE(counts, expected);
    QCOMPARE(widths.size(), 31); // full width, then 30 steps down to nothing
    QCOMPARE(widths.last(), 0);
    // The display lasted the 30 seconds and then some: no busy loop in between.
    QVERIFY(f.clock.elapsedNs() >= qint64(30) * 1000000000);
    QVERIFY(f.clock.waits() < 80);
}

void tst_NumberMemoryWindow::savedLinesAreExactBytes()
{
    GameFixture f;
    f.dir.write(QStringLiteral("データ.txt"), QByteArray());
    Play p(f, "8,0.5,1\r\n", "12345678");
    p.start();
    p.answer({"1", "2", "0", "4", "5", "6", "0", "8"});
    p.w->cmdKekka_Click();
    QCOMPARE(
        f.dir.bytes(kHistory),
        sjis(QStringLiteral("\"2026/12/07\",\"14:05:33\",\"○○×○○○×○－－－－－－－\",6,2,\"75.0%\",\"0.5秒\"\r\n")));
    // The marks ○ × － are the code page 932 characters 81 9B, 81 7E, 81 7C.
    QVERIFY(f.dir.bytes(kHistory).contains(QByteArray("\x81\x9b\x81\x9b\x81\x7e\x81\x9b", 8)));
    QVERIFY(f.dir.bytes(kHistory).contains(QByteArray("\x81\x7c", 2)));
    QCOMPARE(f.dir.bytes(QStringLiteral("データ.txt")),
             sjis(QStringLiteral("\"2026/12/07\",\"14:05:33\",\"数字記憶\",0.5,"
                                 "\"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%\",\r\n")));
    // The new entry is the grid's first row and the chart's first point.
    QCOMPARE(p.w->msgRireki()->textMatrix(1, 1), QStringLiteral("26/12/07"));
    QCOMPARE(p.w->mcrRireki2()->value(0, 0), 6.0);
}

void tst_NumberMemoryWindow::aPlayIsSavedOnce_data()
{
    // What the player does after one judged play, button by button:
    //   save     a click on 保存          refused  a click on 保存 the disk refuses
    //   call     保存's handler itself (a grey button takes no click)
    //   auto     a click on the save-mode box     play     スタート, typed, 回答
    //   start    スタート alone (the play runs)   space    Space to the focused control
    //   focus    the focus on 保存
    QTest::addColumn<bool>("autoSave"); // the mode the play is judged in
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("saved"); // history lines and log records at the end
    QTest::addColumn<bool>("saveEnabled");
    QTest::newRow("保存 once") << false << QStringList{"save"} << 1 << false;
    QTest::newRow("保存 twice") << false << QStringList{"save", "save"} << 1 << false;
    QTest::newRow("saved automatically, then manual mode and 保存")
        << true << QStringList{"auto", "save"} << 1 << false;
    QTest::newRow("saved by hand, then automatic and back")
        << false << QStringList{"save", "auto", "auto", "save"} << 1 << false;
    QTest::newRow("refused by the disk, then 保存 again")
        << false << QStringList{"refused", "save", "save"} << 1 << false;
    QTest::newRow("refused by the disk: 保存 stays") << false << QStringList{"refused"} << 0 << true;
    QTest::newRow("judged, not saved: 保存 waits") << false << QStringList{} << 0 << true;
    QTest::newRow("the next play is saved again") << false << QStringList{"save", "play", "save", "save"} << 2 << false;
    QTest::newRow("automatic, next play in manual mode") << true << QStringList{"auto", "play", "save"} << 2 << false;
    QTest::newRow("the handler twice") << false << QStringList{"call", "call"} << 1 << false;
    QTest::newRow("the handler after an automatic save") << true << QStringList{"auto", "call"} << 1 << false;
    QTest::newRow("the handler during the next play") << false << QStringList{"save", "start", "call"} << 1 << true;
    // Space on 保存 twice: the second goes to スタート (a new play), never to
    // クリア, whose question would clear the history on the next Space.
    QTest::newRow("Space on 保存 twice") << false << QStringList{"focus", "space", "space"} << 1 << true;
}

void tst_NumberMemoryWindow::aPlayIsSavedOnce()
{
    QFETCH(bool, autoSave);
    QFETCH(QStringList, steps);
    QFETCH(int, saved);
    QFETCH(bool, saveEnabled);
    GameFixture f;
    Play p(f, autoSave ? "2,1,1\r\n" : "2,1,0\r\n");
    p.showActive();
    const auto play = [&] {
        f.drawValues(drawsFor(QStringLiteral("47")));
        p.start();
        p.answer({"4", "7"});
        QTest::mouseClick(p.kekka(), Qt::LeftButton);
    };
    play();
    for (const QString &step : std::as_const(steps)) {
        if (step == QLatin1String("save")) {
            QTest::mouseClick(p.w->cmdHozon(), Qt::LeftButton);
        } else if (step == QLatin1String("call")) {
            p.w->cmdHozon_Click();
        } else if (step == QLatin1String("start")) {
            f.drawValues(drawsFor(QStringLiteral("47")));
            p.start();
        } else if (step == QLatin1String("focus")) {
            p.w->cmdHozon()->setFocus(Qt::TabFocusReason);
        } else if (step == QLatin1String("space")) {
            QWidget *focused = QApplication::focusWidget();
            QVERIFY(focused);
            QVERIFY2(focused != p.w->cmdClear(), "the focus went to クリア");
            QTest::keyClick(focused, Qt::Key_Space);
        } else if (step == QLatin1String("refused")) {
            FileSizeLimit limit(16); // no history line fits
            QTest::mouseClick(p.w->cmdHozon(), Qt::LeftButton);
        } else if (step == QLatin1String("auto")) {
            // On its box: ticked, the check box has no caption to click.
            QCheckBox *box = p.w->chkAs();
            const bool was = box->isChecked();
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
            QCOMPARE(box->isChecked(), !was);
        } else {
            play();
        }
    }
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), saved);
    QCOMPARE(readPlayLog().records.size(), saved);
    QCOMPARE(p.w->msgRireki()->rows(), saved + 1);
    QCOMPARE(p.w->cmdHozon()->isEnabled(), saveEnabled);
    // A refused save was told; nothing else asked the player anything.
    QCOMPARE(f.messages.shown.size(), int(steps.count(QStringLiteral("refused"))));
}

void tst_NumberMemoryWindow::saveWhileFilteredAddsTheRow()
{
    GameFixture f;
    QStringList lines;
    for (int i = 1; i <= 9; ++i)
        lines << QStringLiteral("\"2026/11/%1\",\"10:00:00\",\"○○○－－－－－－－－－－－－\",3,0,\"100.0%\",\"1秒\"")
                     .arg(i, 2, 10, QLatin1Char('0'));
    f.dir.write(kHistory, sjisLines(lines));
    Play p(f, "8,0.5,1\r\n");
    p.w->resize(1000, 700);
    p.w->show();
    pick(p.w->findChild<QComboBox *>("cboKaisu2"), "3");
    p.w->cboKaisu2_Click();
    p.start();
    p.w->cmdKekka_Click(); // eight empty boxes: all wrong, saved at once
    FlexGrid *grid = p.w->msgRireki();
    QCOMPARE(grid->rows(), 11);
    QCOMPARE(grid->textMatrix(10, 0), QStringLiteral("10"));
    QCOMPARE(grid->textMatrix(10, 5), QStringLiteral("8"));
    QVERIFY(showsLastPage(grid)); // the new row is shown at the bottom of a full grid
    QCOMPARE(p.w->mcrRireki2()->rowCount(), 10);
}

void tst_NumberMemoryWindow::aSaveThatCannotWriteItsHistorySavesNothing()
{
    // A folder where the history file should be: the system refuses the append.
    // The play log gets the play only with its history line, so nothing is half saved.
    GameFixture f;
    QVERIFY(QDir().mkdir(kHistory));
    f.dir.write(kPlayLogFile, QByteArray());
    Play p(f, "8,0.5,1\r\n");
    p.showActive();
    QCoreApplication::processEvents();
    const qsizetype before = f.messages.shown.size();
    p.start();
    p.w->cmdKekka_Click(); // judged: auto-save runs
    QCOMPARE(f.messages.shown.size(), before + 1);
    QCOMPARE(f.messages.shown.last().icon, MsgIcon::Warning);
    QVERIFY(f.messages.shown.last().text.contains(kHistory));
    QCOMPARE(p.w->msgRireki()->rows(), 1);
    QCOMPARE(f.dir.bytes(kPlayLogFile), QByteArray());
}

void tst_NumberMemoryWindow::aClearThatCannotEmptyTheHistoryChangesNothing()
{
    GameFixture f;
    const QByteArray history = sjisLines(
        {QStringLiteral("\"2026/11/01\",\"10:00:00\",\"○○○－－－－－－－－－－－－\",3,0,\"100.0%\",\"1秒\""),
         QStringLiteral("\"2026/11/02\",\"10:00:00\",\"○×○－－－－－－－－－－－－\",2,1,\"66.7%\",\"1秒\"")});
    f.dir.write(kHistory, history);
    Play p(f, "8,0.5,1\r\n");
    p.showActive();
    QCoreApplication::processEvents();
    // The history file turns into a folder under the window: emptying it fails.
    QVERIFY(QFile::remove(kHistory));
    QVERIFY(QDir().mkdir(kHistory));
    const qsizetype before = f.messages.shown.size();
    p.w->cmdClear_Click(); // the question is answered OK
    QCOMPARE(f.messages.shown.size(), before + 2);
    QCOMPARE(f.messages.shown.last().icon, MsgIcon::Warning);
    QVERIFY(f.messages.shown.last().title != QStringLiteral("クリア終了"));
    QCOMPARE(p.w->msgRireki()->rows(), 3);
    QCOMPARE(p.w->mcrRireki2()->rowCount(), 2);
}

void tst_NumberMemoryWindow::digitCountChangedMidPlayAppliesNextPlay()
{
    GameFixture f;
    Play p(f, "4,0.5,1\r\n", "1234");
    p.start();
    pick(p.w->findChild<QComboBox *>("cboKaisu"), "6");
    p.w->cboKaisu_Click();
    QCOMPARE(f.dir.bytes(rules::kNumberMemorySettingsFile), QByteArray("6,0.5,1\r\n"));
    p.answer({"1", "2", "3", "4"});
    p.w->cmdKekka_Click();
    QCOMPARE(p.label("lblRitu"), QStringLiteral("100.0%"));
    QCOMPARE(firstEntry().field(3), QStringLiteral("○○○○－－－－－－－－－－－"));
    p.start();
    QCOMPARE(p.w->playDigits(), 6);
    QVERIFY(!p.w->txtKaitou(6)->isHidden());
}

void tst_NumberMemoryWindow::displayTimeChosenDuringTheCountdownApplies()
{
    GameFixture f;
    Play p(f, "3,0.5,1\r\n", "123");
    p.w->cmdStart_Click();
    p.w->tmrStart_Timer();
    pick(p.w->findChild<QComboBox *>("cboJikan"), "2");
    p.w->cboJikan_Click();
    QCOMPARE(p.label("lblJikan"), QStringLiteral("2"));
    p.w->tmrStart_Timer();
    f.clock.onWait = [&](double) {
        QVERIFY(p.cover()->isHidden());
        QVERIFY(!p.w->lblMondai(1)->text().isEmpty());
    };
    p.w->tmrStart_Timer();           // the digits are shown for the time chosen, not the one at スタート
    QVERIFY(!p.cover()->isHidden()); // and covered once the end time has passed
    QVERIFY(f.clock.elapsedNs() > 2000000000LL);
    QVERIFY(f.clock.elapsedNs() < 2000000000LL + 5000000LL);
    p.answer({"1", "2", "3"});
    p.w->cmdKekka_Click();
    QCOMPARE(firstEntry().field(7), QStringLiteral("2秒"));
}

void tst_NumberMemoryWindow::answersEditedAfterJudgingDoNotChangeTheSavedResult()
{
    GameFixture f;
    Play p(f, "3,0.5,0\r\n", "567");
    p.w->show();
    p.start();
    p.answer({"5", "6", "7"});
    p.w->cmdKekka_Click();
    QTest::mouseClick(p.w->txtKaitou(2), Qt::LeftButton); // a click empties the box
    QCOMPARE(p.w->txtKaitou(2)->text(), QString());
    QCOMPARE(p.w->txtKaitou(3)->text(), QStringLiteral("7"));
    pick(p.w->findChild<QComboBox *>("cboJikan"), "12");
    p.w->cboJikan_Click();
    p.w->cmdHozon_Click();
    QCOMPARE(firstEntry().field(3), QStringLiteral("○○○－－－－－－－－－－－－"));
    QCOMPARE(firstEntry().field(7), QStringLiteral("0.5秒")); // the time the digits were shown
}

void tst_NumberMemoryWindow::backDuringDisplayEndsThePhase()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,30,1\r\n");
    QPointer<NumberMemoryWindow> w = f.open<NumberMemoryWindow>();
    w->show();
    int waitsAfterBack = -1;
    f.clock.onWait = [&](double) {
        if (waitsAfterBack >= 0) {
            ++waitsAfterBack;
            return;
        }
        if (f.clock.elapsedNs() > 3000000000LL) {
            waitsAfterBack = 0;
            QTest::mouseClick(w->cmdEnd(), Qt::LeftButton);
        }
    };
    w->cmdStart_Click();
    for (int i = 0; i < 3 && w; ++i)
        w->tmrStart_Timer();
    // The phase ended right after 戻り, long before its 30 seconds.
    QCOMPARE(waitsAfterBack, 0);
    QVERIFY(f.clock.elapsedNs() < 5000000000LL);
    QVERIFY(!f.dir.exists(kHistory));
    QTRY_VERIFY(w.isNull());
    QCOMPARE(f.navigator.mains, 1);
}

void tst_NumberMemoryWindow::backDuringARealDisplayEndsThePhase()
{
    // The program's own clock: the display waits in an event loop, and 戻り
    // pressed from inside that loop ends it long before its 30 seconds.
    GameFixture f;
    SystemClock real;
    AppContext ctx(real, f.services.random, f.messages, f.navigator);
    ctx.session.helpTourOn = 0;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,30,1\r\n");
    QPointer<NumberMemoryWindow> w = new NumberMemoryWindow(ctx);
    w->tmrStart()->stop();
    w->Form_Load();
    w->show();
    QTimer::singleShot(100, w, [&] { QTest::mouseClick(w->cmdEnd(), Qt::LeftButton); });
    QElapsedTimer took;
    took.start();
    w->cmdStart_Click();
    for (int i = 0; i < 3 && w; ++i)
        w->tmrStart_Timer();
    QVERIFY(took.elapsed() < 20000);
    QCOMPARE(f.navigator.mains, 1);
    QTRY_VERIFY(w.isNull());
}

void tst_NumberMemoryWindow::windowDestroyedDuringDisplayIsLeftAlone()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,30,1\r\n");
    QPointer<NumberMemoryWindow> w = f.open<NumberMemoryWindow>();
    f.clock.onWait = [&](double) {
        if (w && f.clock.elapsedNs() > 1000000000LL)
            delete w.data();
    };
    w->cmdStart_Click();
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    w->tmrStart_Timer(); // returns after the window is gone, touching nothing
    QVERIFY(w.isNull());
    QVERIFY(f.clock.elapsedNs() < 3000000000LL);
}

QTEST_MAIN(tst_NumberMemoryWindow)
#include "tst_numbermemorywindow.moc"
