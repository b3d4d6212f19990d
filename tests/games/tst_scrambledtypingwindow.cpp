// バラバラ記憶 driven as the player drives it: words from a known list, drawn
// and scrambled in a known order, watched letter by letter on the fake clock,
// answers typed into the real answer box.
#include "core/rules/scrambled.h"
#include "gamefixture.h"
#include "games/typing/scrambledtypingwindow.h"
#include "widgets/answerbox.h"
#include "widgets/backcolor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <functional>

using namespace kioku;
namespace sc = kioku::rules;

namespace {

const QString kSettings = gameInfo(Game::Scrambled).settingsFile;
const QString kHistory = gameInfo(Game::Scrambled).historyFile;
// Four words without a letter in common; a draw r picks word int(4 r) + 1.
const QStringList kWords{"かぼちゃ", "りんご", "おすし", "ねこ"};

// The draws that pick `word` and then scramble it into each of `orders`, one per pass.
QList<double> drawsFor(const QString &word, const QStringList &orders)
{
    QList<double> draws{kWords.indexOf(word) / 4.0 + 0.01};
    for (const QString &order : orders) {
        QStringList left = sc::lettersOf(word);
        for (const QString &letter : sc::lettersOf(order)) {
            const qsizetype j = left.indexOf(letter);
            draws << (double(j) + 0.5) / double(left.size());
            left.removeAt(j);
        }
    }
    return draws;
}

// What the screen showed: every change of the big letter, with the pass, the
// tiles and the word label at that moment, in clock milliseconds from the
// start of the play.
struct Look {
    qint64 ms;
    QString letter;
    QString loop;
    QString tiles;
    QString kaitou;
    int answered;
};

struct Play {
    GameFixture &f;
    ScrambledTypingWindow *w = nullptr;
    qint64 startNs = 0;
    QList<Look> looks;

    // A window on `settings` whose draws are `draws` (the sample word at opening first).
    Play(GameFixture &fixture, const QString &settings, const QList<double> &draws) : f(fixture)
    {
        f.dir.write(sc::kScrambledDictionaryFile, sjisLines(kWords));
        f.dir.write(kSettings, sjis(settings + QStringLiteral("\r\n")));
        f.drawValues(draws);
        w = f.open<ScrambledTypingWindow>();
    }
    qint64 ms() const { return (f.clock.elapsedNs() - startNs) / 1000000; }
    QString tiles() const
    {
        QString t;
        for (int i = 1; i <= ScrambledTypingWindow::kTiles; ++i)
            if (!w->lblKanjiP(i)->isHidden())
                t += w->lblKanjiP(i)->text();
        return t;
    }
    // Records what the window shows now, when it changed.
    void look()
    {
        const Look l{ms(),    w->lblKanjiK()->text(), w->lblLoop()->text(),
                     tiles(), w->lblKaitou()->text(), w->rightCount() + w->wrongCount()};
        if (looks.isEmpty() || looks.last().letter != l.letter || looks.last().loop != l.loop
            || looks.last().kaitou != l.kaitou || looks.last().answered != l.answered)
            looks.append(l);
    }
    void countdown()
    {
        w->cmdStart_Click();
        w->tmrStart_Timer();
        w->tmrStart_Timer();
    }
    // The third tick: the play runs in here until it ends; `act` is called at
    // every wait of the clock, after the window has been looked at.
    void run(const std::function<void()> &act)
    {
        startNs = f.clock.elapsedNs();
        f.clock.onWait = [this, act](double) {
            look();
            act();
        };
        w->tmrStart_Timer();
        f.clock.onWait = nullptr;
    }
    void type(const QString &text, Qt::Key key = Qt::Key_Return)
    {
        w->txtKaitou()->setText(text);
        QTest::keyClick(w->txtKaitou(), key);
    }
    // The letters that came on show from `fromMs` on, blanks left out (a letter
    // that stays while something else changes counts once).
    QString lettersShown(qint64 fromMs = 0) const
    {
        QString s;
        for (int i = 0; i < looks.size(); ++i) {
            const Look &l = looks.at(i);
            if (l.ms >= fromMs && !l.letter.isEmpty() && (i == 0 || looks.at(i - 1).letter != l.letter))
                s += l.letter;
        }
        return s;
    }
    // The first look at which `letter` was on show, -1 when never.
    int firstLook(const QString &letter) const
    {
        for (int i = 0; i < looks.size(); ++i)
            if (looks.at(i).letter == letter)
                return i;
        return -1;
    }
};

} // namespace

class tst_ScrambledTypingWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithARevealedSampleWord();
    void aMissingOrUnusableListKeepsTheWindowShut_data();
    void aMissingOrUnusableListKeepsTheWindowShut();
    void aWordIsShownInPassesOfNewOrders_data();
    void aWordIsShownInPassesOfNewOrders();
    void enterOnTheThirdLetterJudgesAtOnce_data();
    void enterOnTheThirdLetterJudgesAtOnce();
    void aGiveUpMovesOnAndTheOldWordNeverComesBack_data();
    void aGiveUpMovesOnAndTheOldWordNeverComesBack();
    void aCountedPlayEndsAtItsLastAnswerAndSaves();
    void aTimedPlayEndsAtTheTimeLimitAndSaves();
    void anInputMethodConversionIsNotAnAnswer();
    void aViewNeverTakesTheBoardAway_data();
    void aViewNeverTakesTheBoardAway();
};

void tst_ScrambledTypingWindow::opensWithARevealedSampleWord()
{
    GameFixture f;
    f.dir.write(sc::kScrambledDictionaryFile, sjisLines(kWords + QStringList{"しんかんせんのえきべん"}));
    f.dir.write(kSettings, sjis(QStringLiteral("10,60,0.3,\"答数\",1\r\n")));
    f.drawValues(drawsFor("りんご", {"ごりん"}));
    ScrambledTypingWindow *w = f.open<ScrambledTypingWindow>();
    QCOMPARE(w->dictionary().size(), 4);
    QVERIFY(!w->lblChui()->isHidden());
    QVERIFY(w->lblChui()->text().contains(QStringLiteral("1 個")));
    // The solution beside its scrambled letters, the tiles readable.
    QCOMPARE(w->lblKaitou()->text(), QStringLiteral("りんご"));
    QCOMPARE(w->lblKanjiK()->text(), QStringLiteral("りんご"));
    const QStringList tiles{"ご", "り", "ん"};
    for (int i = 1; i <= ScrambledTypingWindow::kTiles; ++i) {
        QCOMPARE(w->lblKanjiP(i)->isHidden(), i > 3);
        if (i <= 3) {
            QCOMPARE(w->lblKanjiP(i)->text(), tiles.at(i - 1));
            QCOMPARE(w->tileLetterColor(i), QColor(Qt::black));
        }
    }
    QCOMPARE(w->lblLoop()->text(), QStringLiteral("回"));
    QCOMPARE(w->cboMode()->count(), 10);
    QCOMPARE(w->cboMode()->currentText(), QStringLiteral("0.3"));
    pick(w->cboMode(), QStringLiteral("0.8"));
    w->cboMode_Click();
    QCOMPARE(f.dir.bytes(kSettings), sjis(QStringLiteral("10,60,0.8,\"答数\",1\r\n")));
}

void tst_ScrambledTypingWindow::aMissingOrUnusableListKeepsTheWindowShut_data()
{
    QTest::addColumn<QByteArray>("list"); // "-": no file
    QTest::newRow("no list") << QByteArray("-");
    QTest::newRow("an empty list") << QByteArray("");
    QTest::newRow("only words longer than nine letters")
        << sjisLines({"しんかんせんのえきべん", "とうもろこしばたけです"});
}

void tst_ScrambledTypingWindow::aMissingOrUnusableListKeepsTheWindowShut()
{
    QFETCH(QByteArray, list);
    GameFixture f;
    if (list != "-")
        f.dir.write(sc::kScrambledDictionaryFile, list);
    QPointer<ScrambledTypingWindow> w = f.open<ScrambledTypingWindow>();
    QVERIFY(w->closing());
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(sc::kScrambledDictionaryFile));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    QCOMPARE(f.navigator.mains, 1); // back to the main window, the program goes on
    QCOMPARE(f.navigator.quits, 0);
    QVERIFY(!f.dir.exists(kSettings));
    QTRY_VERIFY(w.isNull());
}

void tst_ScrambledTypingWindow::aWordIsShownInPassesOfNewOrders_data()
{
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<int>("letterMs");
    QTest::newRow("0.5 s a letter") << "0.5" << 500;
    QTest::newRow("0.1 s a letter") << "0.1" << 100;
    QTest::newRow("1.0 s a letter") << "1.0" << 1000;
}

void tst_ScrambledTypingWindow::aWordIsShownInPassesOfNewOrders()
{
    QFETCH(QString, seconds);
    QFETCH(int, letterMs);
    const QStringList orders{"ちかゃぼ", "ぼゃかち", "かちぼゃ"};
    GameFixture f;
    Play p(f, QStringLiteral("1,60,%1,\"答数\",1").arg(seconds),
           drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", orders));
    p.countdown();
    // Answered at the first letter of the third pass: the play of one answer ends.
    p.run([&] {
        if (p.w->lblLoop()->text() == QStringLiteral("3") && !p.w->lblKanjiK()->text().isEmpty())
            p.type(QStringLiteral("かぼちゃ"));
    });
    QCOMPARE(p.w->rightCount(), 1);

    // Each pass: the four letters in its order, each for the display time and a
    // hundredth of blank; one second after the last blank began, the next pass.
    int i = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        const QStringList order = sc::lettersOf(orders.at(pass - 1));
        for (int k = 0; k < 4; ++k, i += 2) {
            const Look &letter = p.looks.at(i);
            const Look &blank = p.looks.at(i + 1);
            QCOMPARE(letter.letter, order.at(k));
            QCOMPARE(letter.loop, QString::number(pass));
            QCOMPARE(letter.tiles, orders.at(pass - 1)); // four tiles, the other five hidden
            QCOMPARE(blank.letter, QString());
            QCOMPARE(blank.ms - letter.ms, letterMs);
            QCOMPARE(p.looks.at(i + 2).ms - blank.ms, k < 3 ? 10 : 1000);
        }
    }
    QCOMPARE(p.looks.at(i).letter, QStringLiteral("か"));
    QCOMPARE(p.looks.at(i).loop, QStringLiteral("3"));
    QCOMPARE(p.looks.at(i).tiles, orders.at(2));
}

void tst_ScrambledTypingWindow::enterOnTheThirdLetterJudgesAtOnce_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("shownMs"); // how long the word stays in lblKaitou
    QTest::newRow("right") << "かぼちゃ" << true << 500;
    QTest::newRow("wrong") << "かぼちや" << false << 1200;
    QTest::newRow("katakana for hiragana") << "カボチャ" << false << 1200;
}

void tst_ScrambledTypingWindow::enterOnTheThirdLetterJudgesAtOnce()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    QFETCH(int, shownMs);
    GameFixture f;
    Play p(f, "2,60,0.5,\"答数\",1",
           drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", {"ぼかゃち"}) + drawsFor("りんご", {"りんご"}));
    p.countdown();
    qint64 enterMs = -1;
    p.run([&] {
        if (enterMs < 0 && p.w->lblKanjiK()->text() == QStringLiteral("ゃ")) {
            enterMs = p.ms();
            p.type(typed);
        } else if (p.w->lblKanjiK()->text() == QStringLiteral("り")) {
            QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape); // the second word given up: the end
        }
    });
    // The look right after Enter: judged, the letter gone, the word shown.
    const int at = p.firstLook(QStringLiteral("ゃ")) + 1;
    QCOMPARE(p.looks.at(at).ms, enterMs + 10);
    QCOMPARE(p.looks.at(at).answered, 1);
    QCOMPARE(p.looks.at(at).letter, QString());
    QCOMPARE(p.looks.at(at).kaitou, QStringLiteral("かぼちゃ"));
    // The fourth letter never came; the next word follows the pause.
    QCOMPARE(p.lettersShown(), QStringLiteral("ぼかゃり"));
    QCOMPARE(p.looks.at(at + 1).kaitou, QString());
    QCOMPARE(p.looks.at(at + 1).ms - p.looks.at(at).ms, shownMs);
    QCOMPARE(p.w->rightCount(), right ? 1 : 0);
    QCOMPARE(p.w->lblNg()->text(), QString::number(right ? 1 : 2));
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
}

void tst_ScrambledTypingWindow::aGiveUpMovesOnAndTheOldWordNeverComesBack_data()
{
    QTest::addColumn<int>("how"); // 0 ESC, 1 … 9 that tile, -1 the frame around the tiles
    QTest::newRow("ESC") << 0;
    QTest::newRow("a click on a tile") << 3;
    QTest::newRow("a click beside the tiles") << -1;
}

void tst_ScrambledTypingWindow::aGiveUpMovesOnAndTheOldWordNeverComesBack()
{
    QFETCH(int, how);
    GameFixture f;
    Play p(f, "2,60,0.5,\"答数\",1",
           drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", {"かぼちゃ"}) + drawsFor("りんご", {"んごり"}));
    p.countdown();
    qint64 giveUpMs = -1;
    QList<QColor> red;
    int wrongAfterSecondEsc = -1;
    bool handlerReturnedAtOnce = false;
    p.run([&] {
        const QString letter = p.w->lblKanjiK()->text();
        if (giveUpMs < 0 && letter == QStringLiteral("ぼ")) {
            giveUpMs = p.ms();
            if (how == 0)
                QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape);
            else if (how > 0)
                QTest::mouseClick(p.w->lblKanjiP(how), Qt::LeftButton);
            else
                QTest::mouseClick(p.w->fraGattai(), Qt::LeftButton, {}, QPoint(p.w->fraGattai()->width() - 4, 4));
            // The handler only ends the display: the next word is the running
            // loop's business, not run inside the handler.
            handlerReturnedAtOnce = p.ms() == giveUpMs && p.w->playState() == GameFrame::PlayState::Answering
                && p.w->lblKanjiK()->text() == QStringLiteral("ぼ");
        } else if (giveUpMs >= 0 && p.ms() == giveUpMs + 10) {
            for (int i = 1; i <= 4; ++i)
                red << p.w->tileLetterColor(i);
            QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape); // once given up, given up
            wrongAfterSecondEsc = p.w->wrongCount();
        } else if (letter == QStringLiteral("り")) {
            p.type(QStringLiteral("りんご"));
        }
    });
    QVERIFY(handlerReturnedAtOnce);
    QCOMPARE(red, QList<QColor>(4, ScrambledTypingWindow::kGiveUpRed));
    QCOMPARE(wrongAfterSecondEsc, 1);
    // The given-up letter stays 0.7 s; then only the next word's letters come,
    // from its first pass on, and nothing of the old one.
    const int at = p.firstLook(QStringLiteral("ん"));
    QCOMPARE(p.looks.at(at - 1).letter, QStringLiteral("ぼ"));
    QCOMPARE(p.looks.at(at).ms - giveUpMs, 710);
    QCOMPARE(p.looks.at(at).loop, QStringLiteral("1"));
    QCOMPARE(p.looks.at(at).tiles, QStringLiteral("んごり"));
    QCOMPARE(p.lettersShown(giveUpMs + 1), QStringLiteral("んごり"));
    QCOMPARE(p.w->wrongCount(), 1);
    QCOMPARE(p.w->rightCount(), 1);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    // Nothing is left running that could show a letter later.
    const QString shown = p.w->lblKanjiK()->text();
    f.clock.onWait = [&](double) { QCOMPARE(p.w->lblKanjiK()->text(), shown); };
    for (int i = 0; i < 300; ++i)
        f.clock.wait(10);
    f.clock.onWait = nullptr;
}

void tst_ScrambledTypingWindow::aCountedPlayEndsAtItsLastAnswerAndSaves()
{
    // Three answers: right, wrong, given up; the give-up after some 37 s of thought.
    GameFixture f;
    Play p(f, "3,60,0.5,\"答数\",1",
           drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", {"かぼちゃ"}) + drawsFor("りんご", {"りんご"})
               + drawsFor("おすし", {"すしお"}));
    p.w->cmdStart_Click();
    p.w->tmrStart_Timer();
    // No word yet in the countdown: keys and clicks do nothing.
    p.type(QStringLiteral("かぼちゃ"));
    QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape);
    QTest::mouseClick(p.w->fraGattai(), Qt::LeftButton);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Countdown);
    QCOMPARE(p.w->lblMoji_T()->text(), QStringLiteral("0"));
    p.w->tmrStart_Timer();
    bool clearDuringPlay = true;
    p.run([&] {
        p.w->tmrPlay_Timer();
        clearDuringPlay = clearDuringPlay && !p.w->cmdClear()->isEnabled();
        const QString letter = p.w->lblKanjiK()->text();
        if (letter == QStringLiteral("ち")) {
            p.type(QStringLiteral("かぼちゃ"));
        } else if (letter == QStringLiteral("ん")) {
            p.type(QStringLiteral("りんごう"));
        } else if (letter == QStringLiteral("す") && p.w->wrongCount() == 1) {
            f.clock.advanceMs(37300);
            QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape);
        }
    });
    QVERIFY(clearDuringPlay);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QVERIFY(p.w->cmdClear()->isEnabled());
    QVERIFY(p.w->cmdStart()->isEnabled());
    // The last word revealed.
    QCOMPARE(p.w->lblKaitou()->text(), QStringLiteral("おすし"));
    QCOMPARE(p.w->lblKanjiK()->text(), QStringLiteral("おすし"));
    QCOMPARE(p.w->tileLetterColor(1), QColor(Qt::black));
    QCOMPARE(p.w->lblLoop()->text(), QStringLiteral("回"));
    // Typed characters become right + wrong: 3, whatever was typed.
    QCOMPARE(p.w->typedCharacters(), 3);
    QCOMPARE(p.w->lblJikan()->text(), QStringLiteral("41.3"));
    QCOMPARE(p.w->lblRitu()->text(), QStringLiteral("33.3%"));
    QCOMPARE(p.w->lblByou()->text(), QStringLiteral("0.07/秒"));
    const QString when = f.clock.now().toString(QStringLiteral("\"yyyy/MM/dd\",\"HH:mm:ss\""));
    QCOMPARE(f.dir.bytes(kHistory), sjis(when + QStringLiteral(",3,1,2,3,\"33.3%\",\"0.07/秒\",\"41.3秒\"\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile),
             sjis(when + QStringLiteral(",\"バラバラ記憶\",41.3,\"秒数 : 41.3   答数 : 3\",\r\n")));
    QCOMPARE(p.w->msgRireki()->rows(), 2);
}

void tst_ScrambledTypingWindow::aTimedPlayEndsAtTheTimeLimitAndSaves()
{
    // Ten seconds: one right (4 characters), one wrong (4), and a third word
    // half typed when the time is up.
    GameFixture f;
    Play p(f, "10,10,0.5,\"秒数\",1",
           drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", {"かぼちゃ"}) + drawsFor("りんご", {"りんご"})
               + drawsFor("おすし", {"おすし", "しすお", "すおし", "おしす", "しおす"}));
    p.countdown();
    qint64 endMs = -1;
    QStringList left; // lblJikan at every tick of the time bar
    p.run([&] {
        if (p.ms() % 1000 == 0) {
            p.w->tmrBp_Timer();
            left << p.w->lblJikan()->text();
        }
        if (p.w->playState() != GameFrame::PlayState::Answering) {
            if (endMs < 0)
                endMs = p.ms();
            return;
        }
        const QString letter = p.w->lblKanjiK()->text();
        if (letter == QStringLiteral("ぼ"))
            p.type(QStringLiteral("かぼちゃ"));
        else if (letter == QStringLiteral("り"))
            p.type(QStringLiteral("りんごう"));
        else if (letter == QStringLiteral("お"))
            p.w->txtKaitou()->setText(QStringLiteral("おす"));
    });
    QCOMPARE(endMs, 10000);
    QCOMPARE(left, (QStringList{"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}));
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    // The word on show is revealed, not judged, and stays revealed.
    QCOMPARE(p.w->rightCount(), 1);
    QCOMPARE(p.w->wrongCount(), 1);
    QCOMPARE(p.w->lblKanjiK()->text(), QStringLiteral("おすし"));
    QCOMPARE(p.w->lblKaitou()->text(), QStringLiteral("おすし"));
    QCOMPARE(p.w->lblLoop()->text(), QStringLiteral("回"));
    QVERIFY(p.w->cmdClear()->isEnabled());
    QCOMPARE(p.w->typedCharacters(), 8);
    QCOMPARE(p.w->lblByou()->text(), QStringLiteral("0.80/秒"));
    QCOMPARE(p.w->lblRitu()->text(), QStringLiteral("50.0%"));
    const QString when = f.clock.now().toString(QStringLiteral("\"yyyy/MM/dd\",\"HH:mm:ss\""));
    QCOMPARE(f.dir.bytes(kHistory), sjis(when + QStringLiteral(",2,1,1,8,\"50.0%\",\"0.80/秒\",\"10秒\"\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile),
             sjis(when + QStringLiteral(",\"バラバラ記憶\",10,\"秒数 : 10   答数 : 8\",\r\n")));
    // A second play counts from nothing.
    p.w->cmdStart_Click();
    QCOMPARE(p.w->typedCharacters(), 0);
    QCOMPARE(p.w->lblOk()->text(), QStringLiteral("0"));
    QVERIFY(!p.w->cmdClear()->isEnabled());
}

void tst_ScrambledTypingWindow::anInputMethodConversionIsNotAnAnswer()
{
    GameFixture f;
    Play p(f, "1,60,0.5,\"答数\",1", drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", {"かぼちゃ"}));
    p.countdown();
    AnswerBox *box = p.w->txtKaitou();
    int step = 0;
    int answeredAfterPreedit = -1;
    p.run([&] {
        if (step == 0 && p.w->lblKanjiK()->text() == QStringLiteral("か")) {
            step = 1;
            QInputMethodEvent preedit(QStringLiteral("かぼちゃ"), {});
            QCoreApplication::sendEvent(box, &preedit);
            QTest::keyClick(box, Qt::Key_Return); // confirms the conversion, sends nothing
            QTest::keyClick(box, Qt::Key_Escape); // cancels it, gives nothing up
        } else if (step == 1 && p.w->lblKanjiK()->text() == QStringLiteral("ぼ")) {
            step = 2;
            answeredAfterPreedit = p.w->rightCount() + p.w->wrongCount();
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("かぼちゃ"));
            QCoreApplication::sendEvent(box, &commit);
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    QCOMPARE(answeredAfterPreedit, 0);
    QCOMPARE(p.w->rightCount(), 1);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
}

void tst_ScrambledTypingWindow::aViewNeverTakesTheBoardAway_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("midPlay");
    for (const char *button : {"cmdKaitou", "cmdPByou", "cmdRitu", "cmdByou", "cmdMoji"})
        for (const bool midPlay : {false, true})
            QTest::addRow("%s %s", button, midPlay ? "during a play" : "before it")
                << QString::fromLatin1(button) << midPlay;
}

void tst_ScrambledTypingWindow::aViewNeverTakesTheBoardAway()
{
    // Before a play a view grows the history over the board, and a click on
    // the panel puts it away again; during a play the chart is drawn where the
    // panel is, the board and the keys stay the player's, and the play ends
    // and is saved as ever.
    QFETCH(QString, button);
    QFETCH(bool, midPlay);
    GameFixture f;
    f.dir.write(kHistory,
                sjis(QStringLiteral("\"2026/12/06\",\"10:00:00\",1,1,0,1,\"100.0%\",\"0.10/秒\",\"10.0秒\"\r\n")));
    Play p(f, "1,60,0.5,\"答数\",1", drawsFor("ねこ", {"こね"}) + drawsFor("かぼちゃ", {"かぼちゃ"}));
    p.w->resize(1100, 860);
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    QWidget *board = p.w->findChild<QWidget *>("fraGame");
    QPushButton *view = p.w->viewButton(button);
    if (!midPlay) {
        QTest::mouseClick(view, Qt::LeftButton);
        QVERIFY(p.w->panelTall());
        QVERIFY(!board->isVisible());
        QTest::mouseClick(p.w->fraRireki(), Qt::LeftButton, {}, QPoint(2, 2)); // put away
        QVERIFY(!p.w->fraRireki()->isVisible());
        QVERIFY(board->isVisible());
        QVERIFY(p.w->cmdStart()->isVisible());
        QTest::mouseClick(p.w->cmdStart(), Qt::LeftButton);
        QVERIFY(p.w->fraRireki()->isVisible()); // back, compact, with the new play
        QVERIFY(!p.w->panelTall());
        p.w->tmrStart_Timer();
        p.w->tmrStart_Timer();
    } else {
        p.countdown();
    }
    bool answered = false;
    bool boardKept = true;
    p.run([&] {
        if (p.ms() > 30000 && p.w->playState() == GameFrame::PlayState::Answering)
            QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape); // the keys went astray: the test ends the play
        if (answered || p.w->lblKanjiK()->text() != QStringLiteral("ぼ"))
            return;
        answered = true;
        if (midPlay) {
            QTest::mouseClick(view, Qt::LeftButton);
            boardKept = board->isVisible() && p.w->txtKaitou()->isVisible() && p.w->lblKanjiK()->isVisible()
                && !p.w->panelTall() && backColor(view) == HistoryPanel::kSelectedView;
            // Put away during the play: the save at its end brings it back.
            QTest::mouseClick(p.w->fraRireki(), Qt::LeftButton, {}, QPoint(2, 2));
            boardKept = boardKept && !p.w->fraRireki()->isVisible() && board->isVisible();
        }
        typeIntoFocus(QStringLiteral("かぼちゃ\r"));
    });
    QVERIFY(boardKept);
    QCOMPARE(p.w->rightCount(), 1);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(f.dir.bytes(kHistory).count("\r\n"), 2); // saved at once
    QCOMPARE(p.w->msgRireki()->rows(), 3);
    QVERIFY(board->isVisible());
    QVERIFY(p.w->fraRireki()->isVisible());
    QVERIFY(p.w->cmdStart()->isEnabled());
}

QTEST_MAIN(tst_ScrambledTypingWindow)
#include "tst_scrambledtypingwindow.moc"
