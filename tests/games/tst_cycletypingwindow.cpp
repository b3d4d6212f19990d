// 輪廻記憶 driven as the player drives it: words on a known list, drawn in a
// known order, answers typed into the real answer box.
#include "core/rules/cycle.h"
#include "gamefixture.h"
#include "games/typing/cycletypingwindow.h"
#include "widgets/answerbox.h"
#include "widgets/twips.h"

#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace kioku;
namespace cy = kioku::rules;

namespace {

const QString kSettings = gameInfo(Game::Cycle).settingsFile;
const QString kHistory = gameInfo(Game::Cycle).historyFile;
// Four words; a draw r gives word int(4 r) + 1.
const QStringList kWords{"国語", "りんご", "自転車", "かぼちゃ"};

double drawOf(const QString &word, const QStringList &list = kWords)
{
    return list.indexOf(word) / double(list.size()) + 0.01;
}

struct Play {
    GameFixture &f;
    CycleTypingWindow *w = nullptr;

    // A window on `settings`, drawing `words` in turn, one a turn.
    Play(GameFixture &fixture, const QString &settings, const QStringList &words, int turnLimit = cy::kCycleTurnLimit)
        : f(fixture)
    {
        f.dir.write(cy::kCycleDictionaryFile, sjisLines(kWords));
        f.dir.write(kSettings, sjis(settings + QStringLiteral("\r\n")));
        QList<double> draws;
        for (const QString &word : words)
            draws << drawOf(word);
        f.drawValues(draws);
        w = f.open<CycleTypingWindow>(turnLimit);
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
    void answer(const QStringList &texts)
    {
        for (const QString &t : texts)
            answer(t);
    }
    QStringList column(int c) const
    {
        QStringList cells;
        for (int r = 1; r < w->msgInp()->rows(); ++r)
            cells << w->msgInp()->textMatrix(r, c);
        return cells;
    }
};

QString savedAt(const GameFixture &f)
{
    return f.clock.now().toString(QStringLiteral("\"yyyy/MM/dd\",\"HH:mm:ss\""));
}

} // namespace

class tst_CycleTypingWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithItsListAndTurnOne();
    void aMissingListKeepsTheWindowShut();
    void everyTurnAddsOneWordTypedOldestFirst_data();
    void everyTurnAddsOneWordTypedOldestFirst();
    void aCountedPlayEndsAtItsLastAnswer_data();
    void aCountedPlayEndsAtItsLastAnswer();
    void giveUpRevealsTheWholeSequence();
    void theListIsReadAgainAtEveryStart_data();
    void theListIsReadAgainAtEveryStart();
    void thePlayEndsWhenTheSequenceIsFull();
    void theGridKeepsTheNewestWordAndLongWordsInView();
    void anInputMethodConversionIsNotAnAnswer();
};

void tst_CycleTypingWindow::opensWithItsListAndTurnOne()
{
    GameFixture f;
    Play p(f, "20,60,\"答数\",0", {"自転車"});
    QCOMPARE(p.w->fraJisyo()->title(), QStringLiteral("登録辞書 4個"));
    QCOMPARE(p.w->lstJisyo()->count(), 4);
    QCOMPARE(p.w->lblMonsu()->text(), QStringLiteral("1"));
    QCOMPARE(p.w->msgInp()->rows(), 1);
    QCOMPARE(p.w->msgInp()->textMatrix(0, 0), QStringLiteral("問題"));
    QCOMPARE(p.w->msgInp()->textMatrix(0, 1), QStringLiteral("解答"));
    QCOMPARE(p.w->msgInp()->fontSize(), 11.0);
    QVERIFY(qAbs(pixelsToTwips(p.w->msgInp(), p.w->msgInp()->columnWidth(1)) - 1220) <= 15);
    QCOMPARE(p.w->lblMondai()->text(), QString());
    QVERIFY(p.w->optMode(0)->isChecked());
    QCOMPARE(f.dir.bytes(kSettings), sjis(QStringLiteral("20,60,\"答数\",0\r\n"))); // not rewritten

    p.start();
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("自転車"));
    QCOMPARE(p.column(0), QStringList{"自転車"});
}

void tst_CycleTypingWindow::aMissingListKeepsTheWindowShut()
{
    GameFixture f;
    QPointer<CycleTypingWindow> w = f.open<CycleTypingWindow>();
    QVERIFY(w->closing());
    QCOMPARE(f.messages.shown.size(), 1);
    QVERIFY(f.messages.shown.first().text.contains(cy::kCycleDictionaryFile));
    QCOMPARE(f.messages.shown.first().icon, MsgIcon::Warning);
    QCOMPARE(f.navigator.mains, 1); // back to the main window
    QCOMPARE(f.navigator.quits, 0);
    QVERIFY(!f.dir.exists(kSettings));
    QTRY_VERIFY(w.isNull());
}

void tst_CycleTypingWindow::everyTurnAddsOneWordTypedOldestFirst_data()
{
    QTest::addColumn<QStringList>("draws"); // the newest word of turn 1, 2, 3, …
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("turn");
    QTest::addColumn<QString>("due");
    QTest::addColumn<QStringList>("problems"); // column 0 of the answer grid
    QTest::addColumn<QStringList>("answers");  // column 1

    const QStringList abcd{"国語", "りんご", "自転車", "かぼちゃ"};
    QTest::newRow("turn 1 done: turn 2 shows only the new word")
        << abcd << QStringList{"国語"} << 1 << 2 << "国語" << QStringList{"", "りんご"} << QStringList{"", ""};
    QTest::newRow("turn 2, the oldest typed") << abcd << QStringList{"国語", "国語"} << 2 << 2 << "りんご"
                                              << QStringList{"", "りんご"} << QStringList{"国語", ""};
    QTest::newRow("turn 2 done: turn 3") << abcd << QStringList{"国語", "国語", "りんご"} << 3 << 3 << "国語"
                                         << QStringList{"", "", "自転車"} << QStringList{"", "", ""};
    QTest::newRow("the newest word first is wrong") << abcd << QStringList{"国語", "りんご"} << 1 << 2 << "国語"
                                                    << QStringList{"", "りんご"} << QStringList{"", ""};
    QTest::newRow("turn 3: a wrong word keeps the position")
        << abcd << QStringList{"国語", "国語", "りんご", "国語", "算数"} << 4 << 3 << "りんご"
        << QStringList{"", "", "自転車"} << QStringList{"国語", "", ""};
    QTest::newRow("turn 3: the due word again, then the newest: turn 4")
        << abcd << QStringList{"国語", "国語", "りんご", "国語", "算数", "りんご", "自転車"} << 6 << 4 << "国語"
        << QStringList{"", "", "", "かぼちゃ"} << QStringList{"", "", "", ""};
    QTest::newRow("the same word twice: each in its place")
        << QStringList{"りんご", "りんご", "国語"} << QStringList{"りんご", "りんご", "りんご", "りんご"} << 4 << 3
        << "りんご" << QStringList{"", "", "国語"} << QStringList{"りんご", "", ""};
}

void tst_CycleTypingWindow::everyTurnAddsOneWordTypedOldestFirst()
{
    QFETCH(QStringList, draws);
    QFETCH(QStringList, typed);
    QFETCH(int, right);
    QFETCH(int, turn);
    QFETCH(QString, due);
    QFETCH(QStringList, problems);
    QFETCH(QStringList, answers);
    GameFixture f;
    Play p(f, "20,60,\"秒数\",0", draws);
    p.start();
    p.answer(typed);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    QCOMPARE(p.w->rightCount(), right);
    QCOMPARE(p.w->wrongCount(), int(typed.size()) - right);
    QCOMPARE(p.w->lblMoji_T()->text(), QString::number(typed.size()));
    QCOMPARE(p.w->lblMonsu()->text(), QString::number(turn));
    QCOMPARE(p.w->sequence().turn(), turn);
    QCOMPARE(p.w->dueWord(), due);
    QCOMPARE(p.w->lblMondai()->text(), p.w->sequence().newestWord());
    QCOMPARE(p.w->msgInp()->rows(), turn + 1);
    // Only the newest word shows; typed words fill in as they come right.
    QCOMPARE(p.column(0), problems);
    QCOMPARE(p.column(1), answers);
    QCOMPARE(p.w->txtKaitou()->text(), QString());
}

void tst_CycleTypingWindow::aCountedPlayEndsAtItsLastAnswer_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("msEach");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("entry");  // the history line after date and time
    QTest::addColumn<QString>("record"); // the play-log line after date and time

    // 2.05 s an answer. Six right: 国語 | 国語 りんご | 国語 りんご 自転車 = 15
    // characters; turn 4 has begun when the sixth answer ends the play.
    QTest::newRow("6 answers, no error") << 6 << 2050
                                         << QStringList{"国語", "国語", "りんご", "国語", "りんご", "自転車"}
                                         << ",6,6,0,15,\"100.0%\",\"1.22/秒\",\"12.3秒\",4"
                                         << ",\"輪廻記憶\",12.3,\"0 / 4 回\",";
    QTest::newRow("3 answers, the third one wrong")
        << 3 << 2100 << QStringList{"国語", "国語", "自転車"} << ",3,2,1,4,\"66.7%\",\"0.63/秒\",\"6.3秒\",2"
        << ",\"輪廻記憶\",6.3,\"1 / 2 回\",";
}

void tst_CycleTypingWindow::aCountedPlayEndsAtItsLastAnswer()
{
    QFETCH(int, count);
    QFETCH(int, msEach);
    QFETCH(QStringList, typed);
    QFETCH(QString, entry);
    QFETCH(QString, record);
    GameFixture f;
    Play p(f, QStringLiteral("%1,60,\"答数\",1").arg(count), kWords);
    p.start();
    for (const QString &t : typed) {
        QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
        f.clock.advanceMs(msEach);
        p.w->tmrPlay_Timer();
        p.answer(t);
    }
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QVERIFY(p.w->cmdStart()->isEnabled());
    QVERIFY(!p.w->tmrPlay()->isActive());
    QCOMPARE(f.dir.bytes(kHistory), sjis(savedAt(f) + entry + QStringLiteral("\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile), sjis(savedAt(f) + record + QStringLiteral("\r\n")));
    QCOMPARE(p.w->msgRireki()->rows(), 2);
    QCOMPARE(p.w->msgRireki()->textMatrix(1, 10), QString::number(p.w->sequence().turn()));
}

void tst_CycleTypingWindow::giveUpRevealsTheWholeSequence()
{
    // ESC in turn 4 after two of its words, in a timed play of 60 seconds.
    GameFixture f;
    Play p(f, "20,60,\"秒数\",0", kWords);
    p.start();
    p.answer({"国語", "国語", "りんご", "国語", "りんご", "自転車", "国語", "りんご"});
    f.clock.advanceMs(20000);
    QTest::keyClick(p.w->txtKaitou(), Qt::Key_Escape);
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(p.w->lblMondai()->text(), QStringLiteral("自転車"));
    QCOMPARE(p.column(0), kWords);
    QCOMPARE(p.column(1), (QStringList{"国語", "りんご", "", ""}));
    QCOMPARE(p.w->lblMonsu()->text(), QStringLiteral("4"));
    QCOMPARE(p.w->lblNg()->text(), QStringLiteral("1"));
    QCOMPARE(p.w->lblMoji_T()->text(), QStringLiteral("9"));
    QCOMPARE(p.w->lblRitu()->text(), QStringLiteral("88.9%"));
    QCOMPARE(p.w->lblByou()->text(), QStringLiteral("0.33/秒")); // 20 characters over the 60 seconds
    // Saved by hand: nothing yet.
    QVERIFY(!f.dir.exists(kHistory));
    p.w->cmdHozon_Click();
    QCOMPARE(f.dir.bytes(kHistory),
             sjis(savedAt(f) + QStringLiteral(",9,8,1,20,\"88.9%\",\"0.33/秒\",\"60秒\",4\r\n")));
    QCOMPARE(f.dir.bytes(kPlayLogFile), sjis(savedAt(f) + QStringLiteral(",\"輪廻記憶\",60,\"2 / 4 回\",\r\n")));

    // The next play begins afresh at turn 1.
    p.w->cmdStart_Click();
    QCOMPARE(p.w->lblMonsu()->text(), QStringLiteral("1"));
    QCOMPARE(p.w->msgInp()->rows(), 1);
    QCOMPARE(p.w->lblMondai()->text(), QString());
}

void tst_CycleTypingWindow::theListIsReadAgainAtEveryStart_data()
{
    QTest::addColumn<QByteArray>("later"); // the list at the start of the play ("-": gone)
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<bool>("told");

    QTest::newRow("grown: the first four words, never a fifth")
        << sjisLines({"社会", "理科", "音楽", "図工", "体育", "家庭科"}) << QStringList{"社会", "理科", "音楽", "図工"}
        << false;
    QTest::newRow("shrunk: the later slots keep their words")
        << sjisLines({"社会", "理科"}) << QStringList{"社会", "理科", "自転車", "かぼちゃ"} << false;
    QTest::newRow("gone: the words read at opening") << QByteArray("-") << kWords << true;
    QTest::newRow("emptied: the words read at opening") << QByteArray("\r\n") << kWords << true;
}

void tst_CycleTypingWindow::theListIsReadAgainAtEveryStart()
{
    QFETCH(QByteArray, later);
    QFETCH(QStringList, table);
    QFETCH(bool, told);
    GameFixture f;
    Play p(f, "20,60,\"秒数\",0", {});
    p.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.w));
    QCoreApplication::processEvents(); // the window has settled: a problem is told at once
    if (later == "-")
        QVERIFY(QFile::remove(cy::kCycleDictionaryFile));
    else
        QVERIFY(f.dir.write(cy::kCycleDictionaryFile, later));
    f.drawValues({0.999}); // the last slot of the table
    p.start();
    QCOMPARE(p.w->dictionary().words(), table);
    QCOMPARE(p.w->lblMondai()->text(), table.last());
    QCOMPARE(p.w->fraJisyo()->title(), QStringLiteral("登録辞書 4個"));
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    QCOMPARE(f.messages.shown.size(), told ? 1 : 0);
    if (told) {
        QVERIFY(f.messages.shown.first().text.contains(cy::kCycleDictionaryFile));
        QVERIFY(f.messages.shown.first().text.contains(QStringLiteral("開いたときに読み込んだ単語")));
    } else {
        QCOMPARE(p.w->lstJisyo()->item(0)->text(), table.first()); // the list shows what is drawn from
    }
}

void tst_CycleTypingWindow::thePlayEndsWhenTheSequenceIsFull()
{
    // With room for three turns, the third turn typed whole ends the play.
    GameFixture f;
    Play p(f, "20,60,\"秒数\",1", kWords, 3);
    p.start();
    p.answer({"国語", "国語", "りんご", "国語", "りんご"});
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Answering);
    p.answer(QStringLiteral("自転車"));
    QCOMPARE(p.w->playState(), GameFrame::PlayState::Finished);
    QCOMPARE(p.w->lblMonsu()->text(), QStringLiteral("3"));
    QCOMPARE(p.column(1), (QStringList{"国語", "りんご", "自転車"}));
    QCOMPARE(readPlayLog().records.first().comment, QStringLiteral("3 / 3 回"));
    QVERIFY(f.dir.bytes(kHistory).endsWith(",3\r\n"));
}

void tst_CycleTypingWindow::theGridKeepsTheNewestWordAndLongWordsInView()
{
    GameFixture f;
    const QString longWord = QStringLiteral("チョコレートケーキ");
    const QStringList words{"国語", longWord};
    f.dir.write(cy::kCycleDictionaryFile, sjisLines(words));
    f.dir.write(kSettings, sjis(QStringLiteral("20,60,\"秒数\",0\r\n")));
    f.drawValues({drawOf(longWord, words)});
    CycleTypingWindow *w = f.open<CycleTypingWindow>();
    w->resize(1100, 760);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    FlexGrid *grid = w->msgInp();
    const int widest = QFontMetrics(grid->font()).horizontalAdvance(longWord);
    QVERIFY2(grid->columnWidth(0) > widest && grid->columnWidth(1) > widest,
             qPrintable(QStringLiteral("%1 px for %2 px").arg(grid->columnWidth(0)).arg(widest)));
    w->cmdStart_Click();
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    for (int turn = 1; turn <= 8; ++turn) {
        QCoreApplication::processEvents();
        QVERIFY2(showsLastPage(grid), qPrintable(QStringLiteral("turn %1").arg(turn)));
        for (int i = 0; i < turn; ++i) {
            w->txtKaitou()->setText(longWord);
            QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
        }
    }
    // Typing the first word of turn 9 brings row 1 into view.
    w->txtKaitou()->setText(longWord);
    QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
    QCOMPARE(grid->topRow(), 1);
}

void tst_CycleTypingWindow::anInputMethodConversionIsNotAnAnswer()
{
    GameFixture f;
    Play p(f, "20,60,\"秒数\",0", kWords);
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
    QCOMPARE(p.w->lblMonsu()->text(), QStringLiteral("2"));
}

QTEST_MAIN(tst_CycleTypingWindow)
#include "tst_cycletypingwindow.moc"
