// Number memory (frmG1): a play from スタート to the saved result.
#include "core/game/history.h"
#include "core/playlog/playlog.h"
#include "core/rules/numbermemory.h"
#include "gamefixture.h"
#include "games/visual/frmg1.h"
#include "widgets/chart.h"
#include "widgets/flexgrid.h"
#include "widgets/shape.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace kioku;

namespace {

const QString kHistory = rules::kNumberMemoryHistoryFile;

// Draw values that give the digits of `digits` ("0".."8"), in turn.
QList<double> drawsFor(const QString &digits)
{
    QList<double> v;
    for (QChar c : digits)
        v << (c.digitValue() + 0.5) / 9.0;
    return v;
}

struct Play {
    GameFixture &f;
    frmG1 *w;

    QLabel *label(const char *name) const { return w->findChild<QLabel *>(name); }
    QPushButton *kekka() const { return w->findChild<QPushButton *>("cmdKekka"); }
    Shape *cover() const { return w->findChild<Shape *>("shpWaku"); }
    Shape *bar() const { return w->findChild<Shape *>("shpJikanK"); }

    void choose(const char *box, const QString &text, void (frmG1::*handler)())
    {
        auto *c = w->findChild<QComboBox *>(box);
        c->setCurrentIndex(c->findText(text));
        (w->*handler)();
    }
    // スタート and the three countdown ticks; the display phase runs inside the third.
    void start()
    {
        w->cmdStart_Click();
        for (int i = 0; i < 3; ++i)
            w->tmrStart_Timer();
    }
    QString shownDigits() const
    {
        QString s;
        for (int i = 1; i <= w->playDigits(); ++i)
            s += w->lblMondai(i)->text();
        return s;
    }
    void answer(const QStringList &texts)
    {
        for (int i = 0; i < texts.size(); ++i)
            w->txtKaitou(i + 1)->setText(texts.at(i));
    }
    QColor boxColor(int i) const { return w->txtKaitou(i)->palette().color(QPalette::Base); }
};

} // namespace

class tst_frmG1 : public QObject {
    Q_OBJECT
private slots:
    void startPreparesTheBoard();
    void oneDigitMovesFocusToJudging();
    void typingMovesFocusAlong();
    void clickingABoxEmptiesIt();
    void fifteenRightIsAHundredPercent();
    void fullWidthDigitsAreWrong();
    void emptyBoxesAreWrongOverN();
    void shortDisplayKeepsTheBarFull();
    void thirtySecondsCountDownAndShrinkTheBar();
    void digitsAreVisibleUntilTheEndTimePasses();
    void savedLinesAreExactBytes();
    void manualSaveAndRepeatedSave();
    void saveWhileFilteredAddsTheRow();
    void nineIsNeverDrawn();
    void digitCountChangedMidPlayAppliesNextPlay();
    void answersEditedAfterJudgingDoNotChangeTheSavedResult();
    void backDuringDisplayEndsThePhase();
    void backDuringARealDisplayEndsThePhase();
    void windowDestroyedDuringDisplayIsLeftAlone();
    void backDuringCountdownShowsMain();
};

void tst_frmG1::startPreparesTheBoard()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "4,2,1\r\n");
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.w->cmdStart_Click();
    QVERIFY(p.w->countdownRunning());
    QCOMPARE(f.ctx.playMode, qint16(0));
    QCOMPARE(p.w->phase(), frmG1::Phase::Countdown);
    QVERIFY(!p.cover()->isHidden());
    for (int i = 1; i <= 15; ++i) {
        QCOMPARE(p.w->lblMondai(i)->isHidden(), i > 4);
        QVERIFY(p.w->txtKaitou(i)->isHidden());
    }
    QCOMPARE(p.label("lblMoji_T")->text(), QStringLiteral("4"));
    QCOMPARE(p.label("lblOk")->text(), QStringLiteral("0"));
    QCOMPARE(p.label("lblNg")->text(), QStringLiteral("0"));
    QCOMPARE(p.label("lblRitu")->text(), QStringLiteral("0.0%"));
    QCOMPARE(p.label("lblJikan")->text(), QStringLiteral("2"));
    QVERIFY(!p.w->cmdStart()->isEnabled());
    QVERIFY(!p.kekka()->isEnabled());
    QCOMPARE(p.bar()->width(), p.w->fullBarWidth());
}

void tst_frmG1::oneDigitMovesFocusToJudging()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "1,0.5,1\r\n");
    f.drawValues(drawsFor("5"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    p.start();
    QCOMPARE(p.w->phase(), frmG1::Phase::Answering);
    QVERIFY(!p.cover()->isHidden());
    QVERIFY(!p.w->txtKaitou(1)->isHidden());
    QVERIFY(p.w->txtKaitou(2)->isHidden());
    QVERIFY(p.kekka()->isEnabled());
    QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(1));
    QTest::keyClicks(p.w->txtKaitou(1), "5");
    QCOMPARE(QApplication::focusWidget(), p.kekka());
    QTest::mouseClick(p.kekka(), Qt::LeftButton);
    QCOMPARE(p.label("lblRitu")->text(), QStringLiteral("100.0%"));
    QCOMPARE(QApplication::focusWidget(), p.w->cmdStart());
    QVERIFY(p.w->cmdStart()->isEnabled());
    QVERIFY(!p.kekka()->isEnabled());
}

void tst_frmG1::typingMovesFocusAlong()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "3,0.5,1\r\n");
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.w->show();
    p.w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    p.start();
    QTest::keyClicks(p.w->txtKaitou(1), "1");
    QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(2));
    QTest::keyClicks(p.w->txtKaitou(2), "2");
    QCOMPARE(QApplication::focusWidget(), p.w->txtKaitou(3));
    QTest::keyClicks(p.w->txtKaitou(3), "3");
    QCOMPARE(QApplication::focusWidget(), p.kekka());
}

void tst_frmG1::clickingABoxEmptiesIt()
{
    GameFixture f;
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.w->show();
    p.start();
    p.answer({"1", "2"});
    QTest::mouseClick(p.w->txtKaitou(1), Qt::LeftButton);
    QCOMPARE(p.w->txtKaitou(1)->text(), QString());
    QCOMPARE(p.w->txtKaitou(2)->text(), QStringLiteral("2"));
}

void tst_frmG1::fifteenRightIsAHundredPercent()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "15,1,1\r\n");
    f.drawValues(drawsFor("012345678876543"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    QCOMPARE(p.shownDigits(), QStringLiteral("012345678876543"));
    QStringList typed;
    for (QChar c : p.shownDigits())
        typed << QString(c);
    p.answer(typed);
    p.w->cmdKekka_Click();
    QCOMPARE(p.label("lblOk")->text(), QStringLiteral("15"));
    QCOMPARE(p.label("lblNg")->text(), QStringLiteral("0"));
    QCOMPARE(p.label("lblRitu")->text(), QStringLiteral("100.0%"));
    for (int i = 1; i <= 15; ++i)
        QCOMPARE(p.boxColor(i), QColor(192, 255, 192));
    QVERIFY(p.cover()->isHidden()); // digits uncovered above the answers
    const HistoryFile h = readHistory(rules::numberMemoryHistory());
    QCOMPARE(h.entries.size(), 1);
    QCOMPARE(h.entries.first().field(3), QStringLiteral("○○○○○○○○○○○○○○○"));
    QCOMPARE(h.entries.first().field(6), QStringLiteral("100.0%"));
}

void tst_frmG1::fullWidthDigitsAreWrong()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "3,0.5,0\r\n");
    f.drawValues(drawsFor("123"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    p.answer({"１", "２", "３"});
    p.w->cmdKekka_Click();
    QCOMPARE(p.label("lblOk")->text(), QStringLiteral("0"));
    QCOMPARE(p.label("lblNg")->text(), QStringLiteral("3"));
    QCOMPARE(p.label("lblRitu")->text(), QStringLiteral("0.0%"));
    for (int i = 1; i <= 3; ++i)
        QCOMPARE(p.boxColor(i), QColor(255, 192, 192));
    QVERIFY(!f.dir.exists(kHistory)); // manual save mode
}

void tst_frmG1::emptyBoxesAreWrongOverN()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,0.5,1\r\n");
    f.drawValues(drawsFor("31415926"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    QCOMPARE(p.shownDigits(), QStringLiteral("31415826")); // 9 is drawn as 8
    p.answer({"3", "1", "", "1", "5", "", "0", "6"});
    p.w->cmdKekka_Click();
    QCOMPARE(p.label("lblOk")->text(), QStringLiteral("5"));
    QCOMPARE(p.label("lblNg")->text(), QStringLiteral("3"));
    QCOMPARE(p.label("lblRitu")->text(), QStringLiteral("62.5%"));
    QCOMPARE(p.boxColor(3), QColor(255, 192, 192));
    QCOMPARE(p.boxColor(6), QColor(255, 192, 192));
    QCOMPARE(p.boxColor(7), QColor(255, 192, 192));
    QCOMPARE(p.boxColor(8), QColor(192, 255, 192));
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.first().field(3),
             QStringLiteral("○○×○○××○－－－－－－－"));
}

void tst_frmG1::shortDisplayKeepsTheBarFull()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "5,0.2,1\r\n");
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    QStringList shown;
    QList<int> widths;
    double waited = 0;
    f.clock.onWait = [&](double ms) {
        shown << p.label("lblJikan")->text();
        widths << p.bar()->width();
        waited += ms;
    };
    p.start();
    QVERIFY(!shown.isEmpty());
    for (const QString &s : shown)
        QCOMPARE(s, QStringLiteral("0"));
    for (int w : widths)
        QCOMPARE(w, p.w->fullBarWidth());
    QVERIFY(waited >= 200 && waited < 210);
    QCOMPARE(p.w->phase(), frmG1::Phase::Answering);
}

void tst_frmG1::thirtySecondsCountDownAndShrinkTheBar()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "5,30,1\r\n");
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    QStringList counts;
    QList<int> widths;
    f.clock.onWait = [&](double) {
        const QString s = p.label("lblJikan")->text();
        if (counts.isEmpty() || counts.last() != s)
            counts << s;
        if (widths.isEmpty() || widths.last() != p.bar()->width())
            widths << p.bar()->width();
    };
    p.start();
    QStringList expected;
    for (int i = 30; i >= 0; --i)
        expected << QString::number(i);
    QCOMPARE(counts, expected);
    QCOMPARE(widths.first(), p.w->fullBarWidth());
    QCOMPARE(widths.last(), 0);
    QCOMPARE(widths.size(), 31); // full width, then 30 steps down
    for (int i = 1; i < widths.size(); ++i)
        QVERIFY(widths.at(i) < widths.at(i - 1));
    // The display lasted the 30 seconds and then some: no busy loop in between.
    QVERIFY(f.clock.elapsedNs() >= qint64(30) * 1000000000);
    QVERIFY(f.clock.waits() < 80);
}

void tst_frmG1::digitsAreVisibleUntilTheEndTimePasses()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "6,2,1\r\n");
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    qint64 coveredAt = -1;
    qint64 startNs = -1;
    f.clock.onWait = [&](double) {
        if (startNs < 0)
            startNs = f.clock.elapsedNs();
        QVERIFY(p.cover()->isHidden());
        QVERIFY(!p.w->lblMondai(1)->text().isEmpty());
    };
    p.start();
    coveredAt = f.clock.elapsedNs();
    QVERIFY(!p.cover()->isHidden());
    QVERIFY(coveredAt > 2000000000LL);
    QVERIFY(coveredAt < 2000000000LL + 5000000LL);
}

void tst_frmG1::savedLinesAreExactBytes()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,0.5,1\r\n");
    f.dir.write(QStringLiteral("データ.txt"), QByteArray());
    f.drawValues(drawsFor("12345678"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    p.answer({"1", "2", "0", "4", "5", "6", "0", "8"});
    p.w->cmdKekka_Click();
    QCOMPARE(f.dir.bytes(kHistory),
             sjis(QStringLiteral("\"2026/12/07\",\"14:05:33\",\"○○×○○○×○－－－－－－－\",6,2,\"75.0%\",\"0.5秒\"\r\n")));
    QCOMPARE(f.dir.bytes(QStringLiteral("データ.txt")),
             sjis(QStringLiteral("\"2026/12/07\",\"14:05:33\",\"数字記憶\",0.5,"
                                 "\"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%\",\r\n")));
    // The marks ○ × － are the code page 932 characters 81 9B, 81 7E, 81 7C.
    QVERIFY(f.dir.bytes(kHistory).contains(QByteArray("\x81\x9b\x81\x9b\x81\x7e", 6)));
    QVERIFY(f.dir.bytes(kHistory).contains(QByteArray("\x81\x7c", 2)));

    FlexGrid *grid = p.w->msgRireki();
    QCOMPARE(grid->rows(), 2);
    QCOMPARE(grid->textMatrix(1, 0), QStringLiteral("1"));
    QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("26/12/07"));
    QCOMPARE(grid->textMatrix(1, 3), QStringLiteral("○○×○○○×○－－－－－－－"));
    QCOMPARE(p.w->mcrRireki2()->rowCount(), 1);
    QCOMPARE(p.w->mcrRireki2()->value(0, 0), 6.0);
}

void tst_frmG1::manualSaveAndRepeatedSave()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "2,1,0\r\n");
    f.drawValues(drawsFor("47"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    p.answer({"4", "7"});
    p.w->cmdKekka_Click();
    QVERIFY(!f.dir.exists(kHistory));
    p.w->cmdHozon_Click();
    p.w->cmdHozon_Click();
    const HistoryFile h = readHistory(rules::numberMemoryHistory());
    QCOMPARE(h.entries.size(), 2);
    QCOMPARE(h.entries.at(1).field(7), QStringLiteral("1秒"));
    QCOMPARE(readPlayLog().records.size(), 2);
    QCOMPARE(readPlayLog().records.at(0).seconds, 1.0f);
    // A new start takes the result away: nothing more to save until judged.
    p.w->cmdStart_Click();
    p.w->cmdHozon_Click();
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), 2);
}

void tst_frmG1::saveWhileFilteredAddsTheRow()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,0.5,1\r\n");
    QStringList lines;
    for (int i = 1; i <= 9; ++i)
        lines << QStringLiteral("\"2026/11/%1\",\"10:00:00\",\"○○○－－－－－－－－－－－－\",3,0,\"100.0%\",\"1秒\"")
                     .arg(i, 2, 10, QLatin1Char('0'));
    f.dir.write(kHistory, sjisLines(lines));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.w->resize(1000, 700);
    p.w->show();
    p.choose("cboKaisu2", "3", &frmG1::cboKaisu2_Click);
    QCOMPARE(p.w->msgRireki()->rows(), 10);
    p.start();
    p.w->cmdKekka_Click(); // eight empty boxes: all wrong, saved at once
    FlexGrid *grid = p.w->msgRireki();
    QCOMPARE(grid->rows(), 11);
    QCOMPARE(grid->textMatrix(10, 0), QStringLiteral("10"));
    QCOMPARE(grid->textMatrix(10, 5), QStringLiteral("8"));
    QCOMPARE(grid->topRow(), 10); // the new row is the top row shown
    QCOMPARE(p.w->mcrRireki2()->rowCount(), 10);
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.size(), 10);
}

void tst_frmG1::nineIsNeverDrawn()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "15,0.2,0\r\n");
    f.drawValues({0.999999, 0.0});
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    QCOMPARE(p.w->lblMondai(1)->text(), QStringLiteral("8"));
    QCOMPARE(p.w->lblMondai(2)->text(), QStringLiteral("0"));
    f.random = std::make_unique<SeededRandom>(99);
    f.ctx.random = f.random.get();
    QSet<QString> seen;
    for (int play = 0; play < 60; ++play) {
        p.w->cmdKekka_Click();
        p.start();
        for (QChar c : p.shownDigits())
            seen.insert(QString(c));
    }
    QVERIFY(!seen.contains(QStringLiteral("9")));
    QCOMPARE(seen.size(), 9);
}

void tst_frmG1::digitCountChangedMidPlayAppliesNextPlay()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "4,0.5,1\r\n");
    f.drawValues(drawsFor("1234"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    p.choose("cboKaisu", "6", &frmG1::cboKaisu_Click);
    QCOMPARE(f.dir.bytes(rules::kNumberMemorySettingsFile), QByteArray("6,0.5,1\r\n"));
    QCOMPARE(p.w->playDigits(), 4);
    p.answer({"1", "2", "3", "4"});
    p.w->cmdKekka_Click();
    QCOMPARE(p.label("lblRitu")->text(), QStringLiteral("100.0%"));
    QCOMPARE(readHistory(rules::numberMemoryHistory()).entries.first().field(3),
             QStringLiteral("○○○○－－－－－－－－－－－"));
    p.start();
    QCOMPARE(p.w->playDigits(), 6);
    QVERIFY(!p.w->txtKaitou(6)->isHidden());
}

void tst_frmG1::answersEditedAfterJudgingDoNotChangeTheSavedResult()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "3,0.5,0\r\n");
    f.drawValues(drawsFor("567"));
    Play p{f, f.open<frmG1>()};
    WindowGuard g(p.w);
    p.start();
    p.answer({"5", "6", "7"});
    p.w->cmdKekka_Click();
    p.w->txtKaitou_Click(2); // the box is emptied, as a click does
    p.choose("cboJikan", "12", &frmG1::cboJikan_Click);
    p.w->cmdHozon_Click();
    const HistoryEntry e = readHistory(rules::numberMemoryHistory()).entries.first();
    QCOMPARE(e.field(3), QStringLiteral("○○○－－－－－－－－－－－－"));
    QCOMPARE(e.intField(4), 3);
    QCOMPARE(e.field(7), QStringLiteral("0.5秒")); // the time the digits were shown
}

void tst_frmG1::backDuringDisplayEndsThePhase()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,30,1\r\n");
    QPointer<frmG1> w = f.open<frmG1>();
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
    QCOMPARE(f.navigator.mains, 1);
    QVERIFY(!f.dir.exists(kHistory));
    QTRY_VERIFY(w.isNull());
    QCOMPARE(f.navigator.mains, 1);
}

void tst_frmG1::backDuringARealDisplayEndsThePhase()
{
    // The program's own clock: the display waits in an event loop, and 戻り
    // pressed from inside that loop ends it long before its 30 seconds.
    GameFixture f;
    SystemClock real;
    f.ctx.clock = &real;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,30,1\r\n");
    QPointer<frmG1> w = f.open<frmG1>();
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

void tst_frmG1::windowDestroyedDuringDisplayIsLeftAlone()
{
    GameFixture f;
    f.dir.write(rules::kNumberMemorySettingsFile, "8,30,1\r\n");
    QPointer<frmG1> w = f.open<frmG1>();
    bool deleted = false;
    f.clock.onWait = [&](double) {
        if (!deleted && f.clock.elapsedNs() > 1000000000LL) {
            deleted = true;
            delete w.data();
        }
    };
    w->cmdStart_Click();
    w->tmrStart_Timer();
    w->tmrStart_Timer();
    w->tmrStart_Timer(); // returns after the window is gone, touching nothing
    QVERIFY(deleted);
    QVERIFY(w.isNull());
    QVERIFY(f.clock.elapsedNs() < 3000000000LL);
}

void tst_frmG1::backDuringCountdownShowsMain()
{
    GameFixture f;
    QPointer<frmG1> w = f.open<frmG1>();
    w->show();
    w->cmdStart_Click();
    w->tmrStart_Timer();
    w->cmdEnd_Click();
    QCOMPARE(f.navigator.mains, 1);
    if (w) {
        w->tmrStart_Timer();
        w->tmrStart_Timer();
        QCOMPARE(w->phase(), frmG1::Phase::Countdown); // the play never begins
    }
    QTRY_VERIFY(w.isNull());
}

QTEST_MAIN(tst_frmG1)
#include "tst_frmg1.moc"
