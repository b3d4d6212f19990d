// 時間差記憶 driven as the player drives it: words on a known list, drawn in
// a known order, answers typed into the real answer box.
#include "core/rules/timelag.h"
#include "gamefixture.h"
#include "games/typing/timelagtypingwindow.h"
#include "widgets/answerbox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace kioku;
namespace tl = kioku::rules;

namespace {

const QString kSettings = gameInfo(Game::TimeLag).settingsFile;
const QString kHistory = gameInfo(Game::TimeLag).historyFile;
// Four words; a draw r gives word int(4 r) + 1.
const QStringList kWords{"国語", "りんご", "自転車", "かぼちゃ"};

double drawOf(const QString &word)
{
    return kWords.indexOf(word) / 4.0 + 0.01;
}

struct Play {
    GameFixture &f;
    TimeLagTypingWindow *w = nullptr;

    // A window on `settings`, drawing `words` in turn (the first at opening).
    Play(GameFixture &fixture, const QString &settings, const QStringList &words) : f(fixture)
    {
        f.dir.write(tl::kTimeLagDictionaryFile, sjisLines(kWords));
        f.dir.write(kSettings, sjis(settings + QStringLiteral("\r\n")));
        QList<double> draws;
        for (const QString &word : words)
            draws << drawOf(word);
        f.drawValues(draws);
        w = f.open<TimeLagTypingWindow>();
    }
    void start()
    {
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
    }
    void answer(const QString &text)
    {
        w->txtKaitou()->setText(text);
        QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
    }
};

} // namespace

class tst_TimeLagTypingWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithItsListAndAWord();
    void aMissingOrEmptyListKeepsTheWindowShut_data();
    void aMissingOrEmptyListKeepsTheWindowShut();
    void theDueWordLagsBehind_data();
    void theDueWordLagsBehind();
    void answersAreComparedExactly_data();
    void answersAreComparedExactly();
    void aCountedPlaySavesItsLinesByteForByte();
    void giveUpShowsTheDueWordAndEndsThePlay();
    void aTimedPlayWithNothingTypedSavesNothing();
    void keysTypedDuringTheBlankAreKept();
    void theTimeRunningOutDuringTheBlankEndsThePlayThere();
    void anInputMethodConversionIsNotAnAnswer();
    void keysTypedFromTheStartReachTheAnswerBox_data();
    void keysTypedFromTheStartReachTheAnswerBox();
};

void tst_TimeLagTypingWindow::opensWithItsListAndAWord()
{
    GameFixture f;
    Play p(f, "20,60,\"2回\",\"秒数\",1", {"自転車"});
    QCOMPARE(p.w->fraJisyo()->title(), QStringLiteral("登録ワード一覧 4個"));
    QCOMPARE(p.w->lstJisyo()->count(), 4);
    QCOMPARE(p.w->cboMode()->currentText(), QStringLiteral("2回"));
    QCOMPARE(p.w->currentWord(), QStringLiteral("自転車"));
    QCOMPARE(p.w->lblMondai()->text(), QString()); // shown from スタート on
    p.w->cmdStart_Click();
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("自転車"));
    QCOMPARE(p.w->lblJikan()->text(), QStringLiteral("60"));
    QCOMPARE(f.dir.bytes(kSettings), sjis(QStringLiteral("20,60,\"2回\",\"秒数\",1\r\n"))); // not rewritten
}

void tst_TimeLagTypingWindow::aMissingOrEmptyListKeepsTheWindowShut_data()
{
    QTest::addColumn<QByteArray>("list"); // "-": no file
    QTest::newRow("no list") << QByteArray("-");
    QTest::newRow("an empty list") << QByteArray("");
    QTest::newRow("blank lines only") << QByteArray("\r\n  \r\n");
}

void tst_TimeLagTypingWindow::aMissingOrEmptyListKeepsTheWindowShut()
{
    QFETCH(QByteArray, list);
    GameFixture f;
    if (list != "-")
        f.dir.write(tl::kTimeLagDictionaryFile, list);
    QPointer<TimeLagTypingWindow> w = f.open<TimeLagTypingWindow>();
    QVERIFY(w->closing());
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(tl::kTimeLagDictionaryFile));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    QCOMPARE(f.navigator.mains, 1); // back to the main window, the program goes on
    QCOMPARE(f.navigator.quits, 0);
    QVERIFY(!f.dir.exists(kSettings));
    QTRY_VERIFY(w.isNull());
}

void tst_TimeLagTypingWindow::theDueWordLagsBehind_data()
{
    QTest::addColumn<QString>("lag");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("right");
    // Words shown: 国語 (at スタート), りんご, 自転車, かぼちゃ …
    QTest::newRow("1回: the word before") << "1回" << QStringList{"国語", "りんご"} << 2;
    QTest::newRow("1回: not the word on display") << "1回" << QStringList{"りんご"} << 0;
    QTest::newRow("2回: two words back") << "2回" << QStringList{"国語", "りんご"} << 2;
    QTest::newRow("2回: not one back") << "2回" << QStringList{"りんご"} << 0;
}

void tst_TimeLagTypingWindow::theDueWordLagsBehind()
{
    QFETCH(QString, lag);
    QFETCH(QStringList, typed);
    QFETCH(int, right);
    GameFixture f;
    Play p(f, QStringLiteral("20,60,\"%1\",\"秒数\",0").arg(lag),
           {"国語", "りんご", "自転車", "かぼちゃ", "国語", "りんご"});
    p.start();
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    QCOMPARE(p.w->shownWords().size(), lag == QStringLiteral("2回") ? 2 : 1);
    QCOMPARE(p.w->dueWord(), QStringLiteral("国語"));
    for (const QString &t : typed)
        p.answer(t);
    QCOMPARE(p.w->rightCount(), right);
    QCOMPARE(p.w->wrongCount(), int(typed.size()) - right);
    QCOMPARE(p.w->txtKaitou()->text(), QString());
}

void tst_TimeLagTypingWindow::answersAreComparedExactly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("the same word") << "かぼちゃ" << true;
    QTest::newRow("katakana for hiragana") << "カボチャ" << false;
    QTest::newRow("a trailing blank") << "かぼちゃ " << false;
    QTest::newRow("a full-width blank before") << "　かぼちゃ" << false;
}

void tst_TimeLagTypingWindow::answersAreComparedExactly()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    GameFixture f;
    Play p(f, "20,60,\"1回\",\"秒数\",0", {"かぼちゃ", "国語", "りんご"});
    p.start();
    p.answer(typed);
    QCOMPARE(p.w->rightCount(), right ? 1 : 0);
    QCOMPARE(p.w->typedCharacters(), right ? 4 : 0);
    // Enter on an empty box changes nothing and shows no new word.
    const QString shown = p.w->lblMondai()->text();
    QTest::keyClick(p.w->txtKaitou(), Qt::Key_Return);
    QCOMPARE(p.w->lblMondai()->text(), shown);
    QCOMPARE(p.w->rightCount() + p.w->wrongCount(), 1);
}

void tst_TimeLagTypingWindow::aCountedPlaySavesItsLinesByteForByte()
{
    // Five answers, four right: the play ends at the fifth Enter.
    GameFixture f;
    Play p(f, "5,60,\"1回\",\"答数\",1", {"国語", "りんご", "自転車", "かぼちゃ", "国語", "りんご", "自転車"});
    p.start();
    // 8.18 s for each answer and a tenth of a second of blank after each of the first four.
    for (const QString &t : QStringList{"国語", "りんご", "自転車", "国語", "国語"}) {
        f.clock.advanceMs(8180);
        p.w->tmrPlay_Timer();
        p.answer(t);
    }
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(p.w->lblRitu()->text(), QStringLiteral("80.0%"));
    QCOMPARE(p.w->lblJikan()->text(), QStringLiteral("41.3"));
    // 国語 りんご 自転車 国語 = 2 + 3 + 3 + 2 characters over 41.3 seconds
    QCOMPARE(p.w->lblByou()->text(), QStringLiteral("0.24/秒"));
    const QString when = f.clock.now().toString(QStringLiteral("\"yyyy/MM/dd\",\"HH:mm:ss\""));
    QCOMPARE(f.dir.bytes(kHistory),
             sjis(when + QStringLiteral(",5,4,1,10,\"80.0%\",\"0.24/秒\",\"41.3秒\",\"1\"\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile),
             sjis(when + QStringLiteral(",\"時間差記憶\",41.3,\"答数 : 5  1回モード\",\r\n")));
    QCOMPARE(p.w->msgRireki()->rows(), 2);
}

void tst_TimeLagTypingWindow::giveUpShowsTheDueWordAndEndsThePlay()
{
    // ESC ten seconds into a timed play of 60: per second over the 60.
    GameFixture f;
    Play p(f, "20,60,\"2回\",\"秒数\",0", {"国語", "りんご", "自転車", "かぼちゃ"});
    p.start();
    p.answer(QStringLiteral("国語"));
    f.clock.advanceMs(10000);
    QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape);
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("りんご"));
    QCOMPARE(p.w->wrongCount(), 1);
    QCOMPARE(p.w->lblMoji_T()->text(), QStringLiteral("2"));
    QCOMPARE(p.w->lblByou()->text(), QStringLiteral("0.03/秒"));
    QVERIFY(p.w->cmdStart()->isEnabled());
    QVERIFY(!f.dir.exists(kHistory)); // manual save
    p.w->cmdHozon_Click();
    QCOMPARE(readPlayLog().records.first().comment, QStringLiteral("秒数 : 60  2回モード"));
    // The next play shows the word that was on display, not a new draw.
    p.w->cmdStart_Click();
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("かぼちゃ"));
}

void tst_TimeLagTypingWindow::aTimedPlayWithNothingTypedSavesNothing()
{
    GameFixture f;
    f.clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 30))); // it runs past midnight
    Play p(f, "20,10,\"1回\",\"秒数\",1", {"国語", "りんご"});
    p.start();
    for (int i = 0; i < 10; ++i) {
        f.clock.advanceMs(1000);
        p.w->tmrBp_Timer();
    }
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(p.w->lblByou()->text(), QStringLiteral("0.00/秒"));
    QCOMPARE(p.w->lblRitu()->text(), QStringLiteral("0.0%"));
    QVERIFY(!f.dir.exists(kHistory));
    QVERIFY(!f.dir.exists(kPlayLogFile));
}

void tst_TimeLagTypingWindow::keysTypedDuringTheBlankAreKept()
{
    // A fast typist starts the next answer while the label is blank: the keys
    // reach the emptied box once the new word is shown.
    GameFixture f;
    Play p(f, "20,60,\"1回\",\"秒数\",0", {"国語", "りんご", "自転車"});
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    p.start();
    bool typed = false;
    f.clock.onWait = [&](double) {
        if (!std::exchange(typed, true))
            QTest::keyClicks(p.w->txtKaitou(), "ab");
    };
    p.answer(QStringLiteral("国語"));
    f.clock.onWait = nullptr;
    QCoreApplication::processEvents();
    QCOMPARE(p.w->rightCount(), 1);
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("自転車"));
    QCOMPARE(p.w->txtKaitou()->text(), QStringLiteral("ab"));
}

void tst_TimeLagTypingWindow::theTimeRunningOutDuringTheBlankEndsThePlayThere()
{
    // The last second of a timed play passes while the label is blank: the
    // play ends, and the blank's wait shows no new word on the finished play.
    GameFixture f;
    Play p(f, "20,10,\"1回\",\"秒数\",1", {"国語", "りんご", "自転車"});
    p.start();
    bool timedOut = false;
    f.clock.onWait = [&](double) {
        if (std::exchange(timedOut, true))
            return;
        f.clock.advanceMs(10000);
        p.w->tmrBp_Timer();
    };
    p.answer(QStringLiteral("国語"));
    f.clock.onWait = nullptr;
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QVERIFY(p.w->cmdStart()->isEnabled());
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("自転車")); // the word the next play starts with
    QCOMPARE(p.w->rightCount(), 1);
    p.w->cmdStart_Click();
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("自転車"));
    QCOMPARE(p.w->msgRireki()->rows(), 2); // saved once, with the answer given
}

void tst_TimeLagTypingWindow::anInputMethodConversionIsNotAnAnswer()
{
    GameFixture f;
    Play p(f, "20,60,\"1回\",\"秒数\",0", {"国語", "りんご", "自転車"});
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    p.start();
    AnswerBox *box = p.w->txtKaitou();
    box->setFocus();
    QInputMethodEvent preedit(QStringLiteral("こくご"), {});
    QCoreApplication::sendEvent(box, &preedit);
    QTest::keyClick(box, Qt::Key_Return); // confirms the conversion, judges nothing
    QTest::keyClick(box, Qt::Key_Escape); // cancels it, the play goes on
    QCOMPARE(p.w->rightCount() + p.w->wrongCount(), 0);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("国語"));
    QCoreApplication::sendEvent(box, &commit);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(p.w->rightCount(), 1);
}

void tst_TimeLagTypingWindow::keysTypedFromTheStartReachTheAnswerBox_data()
{
    // What the player types into whatever has the focus: one piece after each
    // of the first two countdown ticks (tick1, tick2), then one during each
    // wait of the play's beginning, in order: the blank before the first word,
    // and in a "2回" play the second before the next word and its blank. "\r" is Enter.
    QTest::addColumn<QString>("lag");
    QTest::addColumn<QStringList>("typed"); // tick1, tick2, then one per wait
    QTest::addColumn<QString>("box");       // the answer box once the play runs
    QTest::addColumn<int>("right");
    QTest::newRow("1回: countdown and blank") << "1回" << QStringList{"あ", "い", "う"} << "あいう" << 0;
    QTest::newRow("2回: countdown, blank, second and blank")
        << "2回" << QStringList{"あ", "い", "う", "え", "お"} << "あいうえお" << 0;
    QTest::newRow("2回: the due word sent during the second")
        << "2回" << QStringList{"", "国", "", "語\r", "り"} << "り" << 1;
}

void tst_TimeLagTypingWindow::keysTypedFromTheStartReachTheAnswerBox()
{
    // The first word due is on screen through the countdown: whatever the
    // player types from スタート on reaches the answer box, in order, and an
    // Enter held through a wait answers once the wait is over.
    QFETCH(QString, lag);
    QFETCH(QStringList, typed);
    QFETCH(QString, box);
    QFETCH(int, right);
    GameFixture f;
    Play p(f, QStringLiteral("20,60,\"%1\",\"秒数\",0").arg(lag), {"国語", "りんご", "自転車", "かぼちゃ"});
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    QString lost;
    const auto typeNow = [&lost](const QString &keys) { lost += typeIntoFocus(keys); };
    QTest::mouseClick(p.w->cmdStart(), Qt::LeftButton);
    p.w->tmrStart_Timer();
    typeNow(typed.at(0));
    p.w->tmrStart_Timer();
    typeNow(typed.at(1));
    int wait = 2;
    f.clock.onWait = [&](double) {
        if (wait < typed.size())
            typeNow(typed.at(wait++));
    };
    p.w->tmrStart_Timer();
    f.clock.onWait = nullptr;
    QCOMPARE(wait, int(typed.size())); // every wait of the beginning had its keys
    // Keys held through a blank are posted again after it: the answer's own
    // blank holds them once more.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(lost, QString());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(p.w->txtKaitou()));
    QCOMPARE(p.w->txtKaitou()->text(), box);
    QCOMPARE(p.w->rightCount(), right);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
}

QTEST_MAIN(tst_TimeLagTypingWindow)
#include "tst_timelagtypingwindow.moc"
