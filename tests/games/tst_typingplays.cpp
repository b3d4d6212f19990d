// The three typing games played the same short way, as the player plays them:
// a counted play of three answers (two right, one wrong) or a timed play of
// ten seconds, saved by hand, with the window's settings changed on the way.
#include "core/rules/cycle.h"
#include "core/rules/scrambled.h"
#include "core/rules/timelag.h"
#include "gamefixture.h"
#include "widgets/answerbox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

using namespace kioku;
namespace rl = kioku::rules;

namespace {

// Four words each; a draw r gives word int(4 r) + 1.
const QStringList kWords{"国語", "りんご", "自転車", "かぼちゃ"};
const QStringList kScrambledWords{"かぼちゃ", "りんご", "おすし", "ねこ"};

double drawOf(const QString &word, const QStringList &list)
{
    return list.indexOf(word) / double(list.size()) + 0.01;
}

// The draws that pick `word` from the scrambled list and lay its letters out in each of `orders`.
QList<double> scrambledDraws(const QString &word, const QStringList &orders)
{
    QList<double> draws{drawOf(word, kScrambledWords)};
    for (const QString &order : orders) {
        QStringList left = rl::lettersOf(word);
        for (const QString &letter : rl::lettersOf(order)) {
            const qsizetype j = left.indexOf(letter);
            draws << (double(j) + 0.5) / double(left.size());
            left.removeAt(j);
        }
    }
    return draws;
}

// One typing window on its list and settings (auto-save off), shown, and the
// short play of these tests.
struct Typist {
    GameFixture &f;
    int game; // 3, 4 or 7
    bool timed;
    TypingFrame *w = nullptr;
    // Looks at the window from the third tick on: at every wait of the clock
    // and once the play has begun.
    std::function<void()> watch = [] {};

    Typist(GameFixture &fixture, int gameNumber, bool timedPlay, const QString &lag = QStringLiteral("1回"))
        : f(fixture), game(gameNumber), timed(timedPlay)
    {
        const QString mode = timed ? QStringLiteral("\"秒数\"") : QStringLiteral("\"答数\"");
        QList<double> draws;
        if (game == 3) {
            f.dir.write(rl::kTimeLagDictionaryFile, sjisLines(kWords));
            f.dir.write(gameInfo(Game::TimeLag).settingsFile,
                        sjis(QStringLiteral("3,10,\"%1\",%2,0\r\n").arg(lag, mode)));
            for (const QString &word : kWords + kWords)
                draws << drawOf(word, kWords);
            f.drawValues(draws);
            w = f.open<TimeLagTypingWindow>();
        } else if (game == 4) {
            f.dir.write(rl::kCycleDictionaryFile, sjisLines(kWords));
            f.dir.write(gameInfo(Game::Cycle).settingsFile, sjis(QStringLiteral("3,10,%1,0\r\n").arg(mode)));
            for (const QString &word : kWords)
                draws << drawOf(word, kWords);
            f.drawValues(draws);
            w = f.open<CycleTypingWindow>();
        } else {
            f.dir.write(rl::kScrambledDictionaryFile, sjisLines(kScrambledWords));
            f.dir.write(gameInfo(Game::Scrambled).settingsFile, sjis(QStringLiteral("3,10,0.5,%1,0\r\n").arg(mode)));
            f.drawValues(scrambledDraws("ねこ", {"こね"}) + scrambledDraws("かぼちゃ", {"かぼちゃ"})
                         + scrambledDraws("りんご", {"りんご"})
                         + scrambledDraws("おすし", {"おすし", "しすお", "すおし", "おしす", "しおす", "おすし"}));
            w = f.open<ScrambledTypingWindow>();
        }
        w->resize(1100, 860);
        w->show();
        w->activateWindow();
    }

    void answer(const QString &text) const
    {
        w->txtKaitou()->setText(text);
        QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
    }

    // スタート, the countdown and the play to its end; `midPlay` runs once,
    // right after the first answer has been judged.
    void play(const std::function<void()> &midPlay) const
    {
        QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
        w->tmrStart_Timer();
        w->tmrStart_Timer();
        if (game == 7) {
            playScrambled(midPlay);
            return;
        }
        f.clock.onWait = [this](double) { watch(); };
        w->tmrStart_Timer();
        f.clock.onWait = nullptr;
        watch();
        w->tmrPlay()->stop(); // the test moves the elapsed seconds itself
        // 国語 and りんご right (in 輪廻記憶 国語 twice: turn 1, then the first of turn 2), then a wrong one.
        const QStringList answers{"国語", game == 3 ? "りんご" : "国語", "ｘ"};
        for (int i = 0; i < answers.size(); ++i) {
            if (!timed) {
                f.clock.advanceMs(game == 3 ? 4000 : 4100);
                w->tmrPlay_Timer();
            }
            answer(answers.at(i));
            if (i == 0)
                midPlay();
        }
        for (int i = 0; i < 12 && w->playState() == GameFrame::PlayState::Answering; ++i) {
            f.clock.advanceMs(1000);
            w->tmrBp_Timer();
        }
    }

private:
    // かぼちゃ right, りんご wrong and, in a counted play, おすし right; a timed
    // play runs out while おすし is on show.
    void playScrambled(const std::function<void()> &midPlay) const
    {
        const qint64 startNs = f.clock.elapsedNs();
        bool midDone = false;
        QStringList typed;
        f.clock.onWait = [&, startNs](double) {
            const qint64 ms = (f.clock.elapsedNs() - startNs) / 1000000;
            watch();
            w->tmrPlay()->stop();
            if (timed && ms % 1000 == 0)
                w->tmrBp_Timer();
            if (!timed)
                w->tmrPlay_Timer();
            if (w->playState() != GameFrame::PlayState::Answering)
                return;
            if (!midDone && w->rightCount() + w->wrongCount() == 1) {
                midDone = true;
                midPlay();
            }
            const QString letter = w->findChild<QLabel *>("lblKanjiK")->text();
            const QString word = letter == QStringLiteral("ぼ") ? QStringLiteral("かぼちゃ")
                : letter == QStringLiteral("ん")                ? QStringLiteral("りんごう")
                : letter == QStringLiteral("す") && !timed      ? QStringLiteral("おすし")
                                                                : QString();
            if (!word.isEmpty() && !typed.contains(word)) {
                typed << word;
                answer(word);
            } else if (ms > 60000) {
                QTest::keyClick(w->txtKaitou(), Qt::Key_Escape); // never reached when all is well
            }
        };
        w->tmrStart_Timer();
        f.clock.onWait = nullptr;
    }
};

// What a player changes in the window: the mode with its seconds or its
// count, or the lag of 時間差記憶.
void change(TypingFrame *w, const QString &setting)
{
    const auto clickOption = [](QRadioButton *b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    };
    if (setting == QStringLiteral("秒数 180")) {
        clickOption(w->optMode(1));
        pick(w->cboJikan(), QStringLiteral("180"));
        w->cboJikan_Click();
    } else if (setting == QStringLiteral("答数 2")) {
        clickOption(w->optMode(0));
        pick(w->cboKaisu(), QStringLiteral("2"));
        w->cboKaisu_Click();
    } else if (setting == QStringLiteral("2回")) {
        auto *g3 = qobject_cast<TimeLagTypingWindow *>(w);
        pick(g3->cboMode(), QStringLiteral("2回"));
        g3->cboMode_Click();
    } else {
        qFatal("no such setting: %s", qPrintable(setting));
    }
}

// What the short play of each game saves and shows, whatever is changed on the
// way: its history line and play-log line (after the date and time) and the
// result boxes 解答数, 正解率, タイプ数／秒 and 時間.
struct Outcome {
    QString history;
    QString log;
    QStringList boxes;
};

Outcome outcomeOf(int game, bool timed)
{
    // 時間差記憶: 国語 and りんご right (5 characters); counted, 4 s for each
    // answer and a tenth of a second of blank after each: 12.2 s.
    // 輪廻記憶: 国語 twice right (4 characters), 4.1 s for each answer: 12.3 s;
    // the play ends in turn 2 with one word of it typed.
    // バラバラ記憶: a counted play counts one character per answer, each given
    // at the second letter of its word (0.52 s) and its word shown 0.5 s after
    // a right one, 1.2 s after a wrong one: 3.8 s; the timed one types かぼちゃ
    // and りんごう (8 characters) in its 10 seconds.
    if (game == 3 && !timed)
        return {",3,2,1,5,\"66.7%\",\"0.41/秒\",\"12.2秒\",\"1\"",
                ",\"時間差記憶\",12.2,\"答数 : 3  1回モード\",",
                {"3", "66.7%", "0.41/秒", "12.2"}};
    if (game == 3)
        return {",3,2,1,5,\"66.7%\",\"0.50/秒\",\"10秒\",\"1\"",
                ",\"時間差記憶\",10,\"秒数 : 10  1回モード\",",
                {"3", "66.7%", "0.50/秒", "10"}};
    if (game == 4 && !timed)
        return {",3,2,1,4,\"66.7%\",\"0.33/秒\",\"12.3秒\",2",
                ",\"輪廻記憶\",12.3,\"1 / 2 回\",",
                {"3", "66.7%", "0.33/秒", "12.3"}};
    if (game == 4)
        return {",3,2,1,4,\"66.7%\",\"0.40/秒\",\"10秒\",2",
                ",\"輪廻記憶\",10,\"1 / 2 回\",",
                {"3", "66.7%", "0.40/秒", "10"}};
    if (!timed)
        return {",3,2,1,3,\"66.7%\",\"0.79/秒\",\"3.8秒\"",
                ",\"バラバラ記憶\",3.8,\"秒数 : 3.8   答数 : 3\",",
                {"3", "66.7%", "0.79/秒", "3.8"}};
    return {",2,1,1,8,\"50.0%\",\"0.80/秒\",\"10秒\"",
            ",\"バラバラ記憶\",10,\"秒数 : 10   答数 : 8\",",
            {"2", "50.0%", "0.80/秒", "0"}};
}

} // namespace

class tst_TypingPlays : public QObject {
    Q_OBJECT
private slots:
    void aPlayKeepsTheSettingsItStartedWith_data();
    void aPlayKeepsTheSettingsItStartedWith();
    void theLastCountdownPictureStaysUntilTheFirstAnswer_data();
    void theLastCountdownPictureStaysUntilTheFirstAnswer();
    void aViewDuringAPlayLeavesTheBoardAndTheKeys_data();
    void aViewDuringAPlayLeavesTheBoardAndTheKeys();
};

void tst_TypingPlays::aPlayKeepsTheSettingsItStartedWith_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<bool>("timed");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("duringPlay"); // else after the end, before 保存
    for (const int game : {3, 4, 7}) {
        for (const bool timed : {false, true}) {
            QStringList settings{"秒数 180", "答数 2"};
            if (game == 3)
                settings << "2回";
            for (const QString &setting : std::as_const(settings))
                for (const bool during : {true, false})
                    QTest::addRow("frmG%d %s play, %s %s", game, timed ? "timed" : "counted", qPrintable(setting),
                                  during ? "during it" : "after it")
                        << game << timed << setting << during;
        }
    }
}

void tst_TypingPlays::aPlayKeepsTheSettingsItStartedWith()
{
    // Every figure of a finished play, on screen and saved, is the play's own:
    // what is chosen meanwhile is for the next play.
    QFETCH(int, game);
    QFETCH(bool, timed);
    QFETCH(QString, setting);
    QFETCH(bool, duringPlay);
    GameFixture f;
    Typist t(f, game, timed);
    t.play([&] {
        if (duringPlay)
            change(t.w, setting);
    });
    QCOMPARE(t.w->playState(), GameFrame::PlayState::Finished);
    if (!duringPlay)
        change(t.w, setting);
    QTest::mouseClick(t.w->cmdHozon(), Qt::LeftButton);

    const Outcome o = outcomeOf(game, timed);
    const QString when = f.clock.now().toString(QStringLiteral("\"yyyy/MM/dd\",\"HH:mm:ss\""));
    QCOMPARE(f.dir.bytes(gameInfo(t.w->description().game).historyFile), sjis(when + o.history + "\r\n"));
    QCOMPARE(f.dir.bytes(kPlayLogFile), sjis(when + o.log + "\r\n"));
    const QStringList boxes{t.w->lblMoji_T()->text(), t.w->lblRitu()->text(), t.w->lblByou()->text(),
                            t.w->lblJikan()->text()};
    QCOMPARE(boxes, o.boxes);
}

void tst_TypingPlays::theLastCountdownPictureStaysUntilTheFirstAnswer_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("lag");
    QTest::newRow("時間差記憶 1回: through the blank before the first word") << 3 << "1回";
    QTest::newRow("時間差記憶 2回: through the blanks and the second") << 3 << "2回";
    QTest::newRow("輪廻記憶: beside the first word") << 4 << "";
    QTest::newRow("バラバラ記憶: beside the first letters") << 7 << "";
}

void tst_TypingPlays::theLastCountdownPictureStaysUntilTheFirstAnswer()
{
    // The third picture comes with the third tick, as the play begins: it is
    // seen beside the play's first word until the player answers it.
    QFETCH(int, game);
    QFETCH(QString, lag);
    GameFixture f;
    Typist t(f, game, false, lag.isEmpty() ? QStringLiteral("1回") : lag);
    const auto shown = [&t] {
        QList<int> s;
        for (int i = 1; i <= 3; ++i)
            if (t.w->imgStart(i)->isVisible())
                s << i;
        return s;
    };
    QList<QList<int>> before; // from the third tick to the first answer
    QStringList words;        // the word or letter on show meanwhile
    t.watch = [&] {
        if (t.w->rightCount() + t.w->wrongCount() > 0)
            return;
        before << shown();
        const QString word = t.w->findChild<QLabel *>(game == 7 ? "lblKanjiK" : "lblMondai")->text();
        if (!word.isEmpty() && !words.contains(word))
            words << word;
    };
    QList<int> afterFirstAnswer{-1};
    t.play([&] { afterFirstAnswer = shown(); });
    QVERIFY(!before.isEmpty());
    QCOMPARE(before, QList<QList<int>>(before.size(), QList<int>{3}));
    QVERIFY(!words.isEmpty()); // the play's first word was on show beside it
    QCOMPARE(afterFirstAnswer, QList<int>());
    QCOMPARE(shown(), QList<int>());
}

void tst_TypingPlays::aViewDuringAPlayLeavesTheBoardAndTheKeys_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("button");
    for (const int game : {3, 4, 7})
        for (const char *button : {"cmdPByou", "cmdAllDsp"})
            QTest::addRow("frmG%d %s", game, button) << game << QString::fromLatin1(button);
}

void tst_TypingPlays::aViewDuringAPlayLeavesTheBoardAndTheKeys()
{
    // A chart or the whole history looked at during a play: the board stays,
    // and the next keys still go to the answer box.
    QFETCH(int, game);
    QFETCH(QString, button);
    GameFixture f;
    Typist t(f, game, false);
    QVERIFY(QTest::qWaitForWindowActive(t.w));
    QPushButton *pressed = button == QStringLiteral("cmdAllDsp") ? t.w->cmdAllDsp() : t.w->viewButton(button);
    QWidget *board = t.w->findChild<QWidget *>("fraGame");
    bool boardShown = false;
    QWidget *focus = nullptr;
    t.play([&] {
        QTest::mouseClick(pressed, Qt::LeftButton);
        boardShown = board->isVisible() && t.w->txtKaitou()->isVisible();
        focus = QApplication::focusWidget();
    });
    QVERIFY(boardShown);
    QCOMPARE(focus, static_cast<QWidget *>(t.w->txtKaitou()));
    QCOMPARE(t.w->rightCount() + t.w->wrongCount(), 3); // the play went on to its end
}

QTEST_MAIN(tst_TypingPlays)
#include "tst_typingplays.moc"
