// What the three typing games share, on a plain typing game built on the
// time-lag window's description: play modes, Enter and ESC (and a Japanese
// input method's conversion), the time bar and time-out, the end of a play.
#include "core/rules/timelag.h"
#include "gamefixture.h"
#include "games/typing/typingframe.h"
#include "widgets/answerbox.h"
#include "widgets/playparts.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace kioku;
namespace tl = kioku::rules;

namespace {

// A typing game whose due word is always "国語"; the play begins at the third tick.
class TestTyping : public TypingFrame {
public:
    explicit TestTyping(AppContext &ctx)
        : TypingFrame(ctx, timeLagDescription(),
                      TypingSetup{tl::TimeLagSetting::AnswerCount, tl::TimeLagSetting::PlaySeconds,
                                  tl::TimeLagSetting::PlayModeSetting, 600})
    {
        auto *v = new QVBoxLayout(playArea());
        v->addWidget(countdownPanel());
        v->addWidget(txtKaitou());
        v->addWidget(timeBar());
        v->addWidget(cmdStart());
        v->addWidget(modeBox());
        v->addWidget(resultBox());
    }
    QStringList answers;
    int giveUps = 0;
    using TypingFrame::startTyping;

protected:
    // Its one word needs no list file.
    std::optional<OpenRefusal> openRefusal() override { return std::nullopt; }
    void beginPlay() override { startTyping(); }
    void answerGiven(const QString &answer) override
    {
        answers << answer;
        if (answer == QStringLiteral("国語"))
            countRight(answer);
        else
            countWrong();
        txtKaitou()->clear();
        if (answersDone())
            endPlay(playSecondsValue());
    }
    void giveUp() override
    {
        ++giveUps;
        countWrong();
        endPlay(playSecondsValue());
    }
    std::optional<SavedPlay> result(const QDateTime &now) const override
    {
        if (rightCount() + wrongCount() == 0)
            return std::nullopt;
        HistoryEntry e({now.toString(QStringLiteral("yyyy/MM/dd")), now.toString(QStringLiteral("HH:mm:ss")),
                        QString::number(rightCount() + wrongCount()), QString::number(rightCount()),
                        QString::number(wrongCount()), QString::number(typedCharacters()),
                        tl::typingRate(rightCount(), wrongCount()),
                        tl::perSecondText(typedCharacters(), playSecondsValue()), tl::secondsText(playSecondsValue()),
                        QStringLiteral("2")});
        return SavedPlay{e, PlayRecord{}};
    }
};

const QString kSettings = gameInfo(Game::TimeLag).settingsFile;

void press(QWidget *w, Qt::Key key)
{
    QTest::keyClick(w, key);
}

void type(AnswerBox *box, const QString &text)
{
    box->setFocus();
    box->insert(text);
}

// スタート and the three countdown ticks.
void start(TestTyping *w)
{
    w->cmdStart_Click();
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
}

} // namespace

class tst_TypingFrame : public QObject {
    Q_OBJECT
private slots:
    void playModeChoosesItsBox_data();
    void playModeChoosesItsBox();
    void keysOutsideAPlay_data();
    void keysOutsideAPlay();
    void aTimedPlayEndsWhenItsTimeIsUp();
    void aCountedPlayEndsAtItsLastAnswer();
    void settingsChangedDuringAPlayApplyToTheNext();
    void giveUpEndsThePlayOverItsSeconds();
    void anInputMethodConversionIsNotAnAnswer();
};

void tst_TypingFrame::playModeChoosesItsBox_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("timed to counted") << QByteArray("20,60,\"2回\",\"秒数\",1\r\n") << 0
                                      << QByteArray("20,60,\"2回\",\"答数\",1\r\n");
    QTest::newRow("counted to timed") << QByteArray("5,90,\"1回\",\"答数\",0\r\n") << 1
                                      << QByteArray("5,90,\"1回\",\"秒数\",0\r\n");
}

void tst_TypingFrame::playModeChoosesItsBox()
{
    QFETCH(QByteArray, file);
    QFETCH(int, chosen);
    QFETCH(QByteArray, after);
    GameFixture f;
    f.dir.write(kSettings, sjis(QString::fromUtf8(file)));
    auto *w = f.open<TestTyping>();
    const int stored = 1 - chosen;
    // Opening shows the stored mode and makes it the program's; the file stays as it is.
    QVERIFY(w->optMode(stored)->isChecked());
    QCOMPARE(w->cboJikan()->isEnabled(), stored == 1);
    QCOMPARE(w->cboKaisu()->isEnabled(), stored == 0);
    QCOMPARE(f.ctx.session.playMode, qint16(stored));
    QCOMPARE(f.dir.bytes(kSettings), sjis(QString::fromUtf8(file)));

    w->optMode(chosen)->click();
    QCOMPARE(f.ctx.session.playMode, qint16(chosen));
    QCOMPARE(w->cboJikan()->isEnabled(), chosen == 1);
    QCOMPARE(w->cboKaisu()->isEnabled(), chosen == 0);
    QCOMPARE(f.dir.bytes(kSettings), sjis(QString::fromUtf8(after)));
}

void tst_TypingFrame::keysOutsideAPlay_data()
{
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter before any play") << false << int(Qt::Key_Return);
    QTest::newRow("ESC before any play") << false << int(Qt::Key_Escape);
    QTest::newRow("Enter during the countdown") << true << int(Qt::Key_Return);
    QTest::newRow("ESC during the countdown") << true << int(Qt::Key_Escape);
}

void tst_TypingFrame::keysOutsideAPlay()
{
    // スタート enabled means no play: Enter and ESC empty the box and move to
    // スタート. During the countdown no word is due yet: the keys do nothing.
    QFETCH(bool, countdown);
    QFETCH(int, key);
    GameFixture f;
    auto *w = f.open<TestTyping>();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    if (countdown)
        w->cmdStart_Click();
    type(w->txtKaitou(), QStringLiteral("国語"));
    press(w->txtKaitou(), Qt::Key(key));
    QVERIFY(w->answers.isEmpty());
    QCOMPARE(w->giveUps, 0);
    if (countdown) {
        QCOMPARE(w->txtKaitou()->text(), QStringLiteral("国語"));
        QCOMPARE(w->playState(), GameFrame::PlayState::Countdown);
    } else {
        QCOMPARE(w->txtKaitou()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w->cmdStart()));
    }
    // Enter on an empty box changes nothing.
    w->txtKaitou()->clear();
    press(w->txtKaitou(), Qt::Key_Return);
    QVERIFY(w->answers.isEmpty());
}

void tst_TypingFrame::aTimedPlayEndsWhenItsTimeIsUp()
{
    GameFixture f;
    f.clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 40, 700))); // the play runs past midnight
    f.dir.write(kSettings, sjis(QStringLiteral("20,60,\"2回\",\"秒数\",1\r\n")));
    auto *w = f.open<TestTyping>();
    start(w);
    QCOMPARE(w->playState(), GameFrame::PlayState::Answering);
    QVERIFY(!w->cmdStart()->isEnabled());
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("60"));
    type(w->txtKaitou(), QStringLiteral("国語"));
    press(w->txtKaitou(), Qt::Key_Return);
    type(w->txtKaitou(), QStringLiteral("こくご"));
    press(w->txtKaitou(), Qt::Key_Return);
    QCOMPARE(w->lblOk()->text(), QStringLiteral("1"));
    QCOMPARE(w->lblNg()->text(), QStringLiteral("1"));
    QCOMPARE(w->lblMoji_T()->text(), QStringLiteral("2"));

    f.clock.advanceMs(30000); // 30 s: half the bar
    w->tmrBp_Timer();
    QCOMPARE(w->remaining(), 30);
    QCOMPARE(w->timeBar()->barWidth(), 300);
    QCOMPARE(w->playState(), GameFrame::PlayState::Answering);
    f.clock.advanceMs(29300); // the time of day's whole seconds reach the end
    w->tmrBp_Timer();
    QCOMPARE(w->remaining(), 0);
    QCOMPARE(w->playState(), GameFrame::PlayState::Finished);
    QVERIFY(w->cmdStart()->isEnabled());
    QCOMPARE(w->lblByou()->text(), QStringLiteral("0.03/秒")); // 2 characters over the 60 seconds
    QCOMPARE(w->lblRitu()->text(), QStringLiteral("50.0%"));
    QCOMPARE(w->msgRireki()->rows(), 2); // saved at once
    QCOMPARE(w->msgRireki()->textMatrix(1, 9), QStringLiteral("60秒"));
    w->tmrBp_Timer(); // nothing more after the end
    QCOMPARE(w->msgRireki()->rows(), 2);
}

void tst_TypingFrame::aCountedPlayEndsAtItsLastAnswer()
{
    GameFixture f;
    f.dir.write(kSettings, sjis(QStringLiteral("5,60,\"2回\",\"答数\",1\r\n")));
    auto *w = f.open<TestTyping>();
    start(w);
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("0.0"));
    for (int i = 0; i < 5; ++i) {
        f.clock.advanceMs(8260);
        w->tmrPlay_Timer();
        type(w->txtKaitou(), i == 2 ? QStringLiteral("算数") : QStringLiteral("国語"));
        press(w->txtKaitou(), Qt::Key_Return);
    }
    QCOMPARE(w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(w->lblRitu()->text(), QStringLiteral("80.0%"));
    QCOMPARE(w->msgRireki()->textMatrix(1, 9), QStringLiteral("41.3秒"));
    QVERIFY(!w->tmrPlay()->isActive()); // the clock stopped with the play
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("41.3"));
}

void tst_TypingFrame::settingsChangedDuringAPlayApplyToTheNext()
{
    // A timed play of 60 s: choosing 10 s and the counted mode while it runs
    // changes neither when it ends nor what is saved; the next play takes them.
    GameFixture f;
    f.dir.write(kSettings, sjis(QStringLiteral("20,60,\"2回\",\"秒数\",1\r\n")));
    auto *w = f.open<TestTyping>();
    start(w);
    pick(w->cboJikan(), QStringLiteral("10"));
    w->cboJikan_Click();
    w->optMode(0)->click();
    type(w->txtKaitou(), QStringLiteral("国語"));
    QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
    f.clock.advanceMs(30000);
    w->tmrBp_Timer();
    QCOMPARE(w->playState(), GameFrame::PlayState::Answering);
    QCOMPARE(w->remaining(), 30);
    f.clock.advanceMs(30000);
    w->tmrBp_Timer();
    QCOMPARE(w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(w->msgRireki()->textMatrix(1, 9), QStringLiteral("60秒"));
    QCOMPARE(w->playSettingText(), QStringLiteral("60"));
    // The next play is counted, of 20 answers.
    w->cmdStart_Click();
    QVERIFY(!w->timedPlay());
    QCOMPARE(w->lblJikan()->text(), QStringLiteral("0.0"));
    QCOMPARE(w->playSettingText(), QStringLiteral("20"));
}

void tst_TypingFrame::giveUpEndsThePlayOverItsSeconds()
{
    // ESC 10 s into a timed play of 60 s: characters per second over the 60.
    GameFixture f;
    f.dir.write(kSettings, sjis(QStringLiteral("20,60,\"2回\",\"秒数\",0\r\n")));
    auto *w = f.open<TestTyping>();
    start(w);
    for (int i = 0; i < 3; ++i) {
        type(w->txtKaitou(), QStringLiteral("国語"));
        press(w->txtKaitou(), Qt::Key_Return);
    }
    f.clock.advanceMs(10000);
    press(w->txtKaitou(), Qt::Key_Escape);
    QCOMPARE(w->giveUps, 1);
    QCOMPARE(w->lblByou()->text(), QStringLiteral("0.10/秒"));
    QCOMPARE(w->lblRitu()->text(), QStringLiteral("75.0%"));
    QCOMPARE(w->msgRireki()->rows(), 1); // manual save
    w->cmdHozon_Click();
    QCOMPARE(w->msgRireki()->rows(), 2);
}

void tst_TypingFrame::anInputMethodConversionIsNotAnAnswer()
{
    // A Japanese typist confirms a conversion with Enter and cancels one with
    // ESC: neither is an answer nor a give-up. Only Enter with nothing being
    // converted submits.
    GameFixture f;
    f.dir.write(kSettings, sjis(QStringLiteral("20,60,\"2回\",\"秒数\",0\r\n")));
    auto *w = f.open<TestTyping>();
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    start(w);
    AnswerBox *box = w->txtKaitou();
    box->setFocus();

    QInputMethodEvent preedit(QStringLiteral("こくご"), {});
    QCoreApplication::sendEvent(box, &preedit);
    QVERIFY(box->composing());
    press(box, Qt::Key_Return); // confirms the conversion
    press(box, Qt::Key_Escape); // cancels it
    QVERIFY(w->answers.isEmpty());
    QCOMPARE(w->giveUps, 0);
    QCOMPARE(w->playState(), GameFrame::PlayState::Answering);

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("国語"));
    QCoreApplication::sendEvent(box, &commit);
    QVERIFY(!box->composing());
    QCOMPARE(box->text(), QStringLiteral("国語"));
    press(box, Qt::Key_Return);
    QCOMPARE(w->answers, QStringList{QStringLiteral("国語")});
    QCOMPARE(w->lblOk()->text(), QStringLiteral("1"));
}

QTEST_MAIN(tst_TypingFrame)
#include "tst_typingframe.moc"
