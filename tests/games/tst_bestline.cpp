// The line beside 保存 that tells a saved play's standing against the
// player's own best (lblBestNew, lblBest), played through number memory's
// window with the keyboard as the player plays it.
#include "core/game/history.h"
#include "core/rules/numbermemory.h"
#include "core/rules/timelag.h"
#include "gamefixture.h"
#include "games/visual/numbermemorywindow.h"
#include "widgets/answerbox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace kioku;

namespace {

const QString kHistory = rules::kNumberMemoryHistoryFile;

// A number-memory history line: `right` and `wrong` digits at `seconds`.
QString historyLine(int right, int wrong, const QString &seconds)
{
    return QStringLiteral("\"2026/12/01\",\"10:00:00\",\"○\",%1,%2,\"50.0%\",\"%3秒\"")
        .arg(right)
        .arg(wrong)
        .arg(seconds);
}

struct Window {
    GameFixture &f;
    NumberMemoryWindow *w;

    // Eight digits 12345678 at 0.5 seconds, saved automatically or not.
    Window(GameFixture &fixture, const QStringList &history, bool autoSave = true) : f(fixture)
    {
        f.dir.write(rules::kNumberMemorySettingsFile, autoSave ? "8,0.5,1\r\n" : "8,0.5,0\r\n");
        if (!history.isEmpty())
            f.dir.write(kHistory, sjisLines(history));
        w = f.open<NumberMemoryWindow>();
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("the window did not become active");
    }
    QLabel *label(const char *name) const { return w->findChild<QLabel *>(name); }
    QPushButton *button(const char *name) const { return w->findChild<QPushButton *>(name); }
    // スタート, the countdown, then the digits typed into the boxes and Enter on 回答.
    void play(const QString &typed)
    {
        f.drawValues({0.5 / 9, 1.5 / 9, 2.5 / 9, 3.5 / 9, 4.5 / 9, 5.5 / 9, 6.5 / 9, 7.5 / 9}); // 0 … 7
        QTest::mouseClick(button("cmdStart"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
        QCOMPARE(typeIntoFocus(typed), QString());
        QCOMPARE(QApplication::focusWidget(), button("cmdKekka"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    bool shown(const char *name) const { return label(name)->isVisibleTo(w); }
    // The label's text is wholly inside it.
    bool fits(const char *name) const
    {
        QLabel *l = label(name);
        return l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width() - 2 * l->margin();
    }
};

} // namespace

class tst_BestLine : public QObject {
    Q_OBJECT

private slots:
    void standingAfterASave_data();
    void standingAfterASave();
    void manualSaveShowsItAtTheSave();
    void clearStartsAfresh();
    void typingPlayKeepsItsMode_data();
    void typingPlayKeepsItsMode();
};

void tst_BestLine::standingAfterASave_data()
{
    QTest::addColumn<QStringList>("history");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("newBest");
    QTest::addColumn<QString>("best"); // "" : the line stays hidden

    QTest::newRow("more digits all right") << QStringList{historyLine(6, 0, "0.5"), historyLine(7, 1, "0.5")}
                                           << "01234567" << true << "これまでのベスト: 6 桁";
    QTest::newRow("as many as the best") << QStringList{historyLine(8, 0, "0.5")} << "01234567" << false
                                         << "これまでのベスト: 8 桁";
    QTest::newRow("a wrong digit") << QStringList{historyLine(6, 0, "0.5")} << "01234599" << false
                                   << "これまでのベスト: 6 桁";
    QTest::newRow("another display time")
        << QStringList{historyLine(9, 0, "1")} << "01234567" << false << "この設定では初めての記録です";
    QTest::newRow("no history, a wrong digit") << QStringList{} << "91234567" << false << "";
}

void tst_BestLine::standingAfterASave()
{
    QFETCH(QStringList, history);
    QFETCH(QString, typed);
    QFETCH(bool, newBest);
    QFETCH(QString, best);
    GameFixture f;
    Window g(f, history);
    QVERIFY(!g.shown("lblBestNew"));
    QVERIFY(!g.shown("lblBest"));
    g.play(typed);
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), history.size() + 1);
    QCOMPARE(g.shown("lblBestNew"), newBest);
    QCOMPARE(g.shown("lblBest"), !best.isEmpty());
    if (!best.isEmpty())
        QCOMPARE(g.label("lblBest")->text(), best);
    QApplication::processEvents();
    QVERIFY(!g.shown("lblBestNew") || g.fits("lblBestNew"));
    QVERIFY(!g.shown("lblBest") || g.fits("lblBest"));
    // Nothing asked the player anything: the line interrupts no one.
    QVERIFY(f.messages.shown.isEmpty());
    // The next スタート takes the line away.
    QTest::mouseClick(g.button("cmdStart"), Qt::LeftButton);
    QVERIFY(!g.shown("lblBestNew"));
    QVERIFY(!g.shown("lblBest"));
}

void tst_BestLine::manualSaveShowsItAtTheSave()
{
    GameFixture f;
    Window g(f, {historyLine(6, 0, "0.5")}, false);
    g.play("01234567");
    QVERIFY(!g.shown("lblBestNew")); // judged, not saved
    QTest::mouseClick(g.button("cmdHozon"), Qt::LeftButton);
    QVERIFY(g.shown("lblBestNew"));
    // The play is saved once: 保存 is grey, and a press on it changes nothing.
    QVERIFY(!g.button("cmdHozon")->isEnabled());
    QTest::mouseClick(g.button("cmdHozon"), Qt::LeftButton);
    QVERIFY(g.shown("lblBestNew"));
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), 2);
}

void tst_BestLine::clearStartsAfresh()
{
    GameFixture f;
    Window g(f, {historyLine(8, 0, "0.5")});
    g.play("01234567");
    QCOMPARE(g.label("lblBest")->text(), QStringLiteral("これまでのベスト: 8 桁"));
    QTest::mouseClick(g.button("cmdClear"), Qt::LeftButton); // asked, and answered OK
    QVERIFY(!g.shown("lblBest"));
    g.play("01234567");
    QCOMPARE(g.label("lblBest")->text(), QStringLiteral("この設定では初めての記録です"));
    g.play("01234567");
    QCOMPARE(g.label("lblBest")->text(), QStringLiteral("これまでのベスト: 8 桁"));
}

void tst_BestLine::typingPlayKeepsItsMode_data()
{
    QTest::addColumn<bool>("timed");
    QTest::addColumn<bool>("newBest");
    QTest::addColumn<QString>("best");
    // The counted play (3 answers, 0.41/秒) beats the other 3-answer play; the
    // timed one (10 seconds, 0.50/秒) does not beat the other 10-second play.
    QTest::newRow("counted, switched to timed mid-play") << false << true << "これまでのベスト: 0.40/秒";
    QTest::newRow("timed, switched to counted mid-play") << true << false << "これまでのベスト: 2.00/秒";
}

void tst_BestLine::typingPlayKeepsItsMode()
{
    QFETCH(bool, timed);
    GameFixture f;
    const QStringList words{"国語", "りんご", "自転車", "かぼちゃ"};
    f.dir.write(rules::kTimeLagDictionaryFile, sjisLines(words));
    f.dir.write(gameInfo(Game::TimeLag).settingsFile,
                sjis(QStringLiteral("3,10,\"1回\",%1,0\r\n").arg(timed ? "\"秒数\"" : "\"答数\"")));
    f.dir.write(gameInfo(Game::TimeLag).historyFile,
                sjisLines({"\"2026/12/01\",\"10:00:00\",3,3,0,9,\"100.0%\",\"0.40/秒\",\"22.5秒\",\"1回\"",
                           "\"2026/12/01\",\"10:01:00\",5,5,0,20,\"100.0%\",\"2.00/秒\",\"10秒\",\"1回\""}));
    QList<double> draws;
    for (const QString &word : words + words)
        draws << words.indexOf(word) / 4.0 + 0.01;
    f.drawValues(draws);
    auto *w = f.open<TimeLagTypingWindow>();
    w->resize(1100, 860);
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));

    QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        w->tmrStart_Timer();
    w->tmrPlay()->stop(); // the elapsed seconds are moved by hand
    const QStringList answers{"国語", "りんご", "ｘ"};
    for (int i = 0; i < answers.size(); ++i) {
        if (!timed) {
            f.clock.advanceMs(4000);
            w->tmrPlay_Timer();
        }
        w->txtKaitou()->setText(answers.at(i));
        QTest::keyClick(w->txtKaitou(), Qt::Key_Return);
        if (i == 0) { // the player flips the mode while the play runs
            QRadioButton *other = w->optMode(timed ? 0 : 1);
            QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(6, other->height() / 2));
        }
    }
    for (int i = 0; i < 12 && w->playState() == GameFrame::PlayState::Answering; ++i) {
        f.clock.advanceMs(1000);
        w->tmrBp_Timer();
    }
    QCOMPARE(w->playState(), GameFrame::PlayState::Finished);
    QTest::mouseClick(w->cmdHozon(), Qt::LeftButton);
    QCOMPARE(readHistory(rules::timeLagHistory()).entries.size(), 3);
    QTEST(w->findChild<QLabel *>("lblBestNew")->isVisibleTo(w), "newBest");
    QTEST(w->findChild<QLabel *>("lblBest")->text(), "best");
}

QTEST_MAIN(tst_BestLine)
#include "tst_bestline.moc"
