// The waits of a play on their own: a plain window, the fake clock, and what
// ends each wait.
#include "games/frame/playwaits.h"
#include "testing/fakeclock.h"
#include "widgets/playparts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace kioku;

class tst_PlayWaits : public QObject {
    Q_OBJECT
private slots:
    void waitsEndAsTheirCauseSays_data();
    void waitsEndAsTheirCauseSays();
    void displayCountsTheSecondsDown_data();
    void displayCountsTheSecondsDown();
    void blockedAreaTakesNoInputHeldKeysArriveAfter();
};

void tst_PlayWaits::waitsEndAsTheirCauseSays_data()
{
    QTest::addColumn<QString>("cause"); // what happens during the second step of the wait
    QTest::addColumn<int>("end");
    QTest::newRow("nothing: the whole time") << "" << int(PlayWaits::End::Elapsed);
    QTest::newRow("the stop condition comes to hold") << "stop" << int(PlayWaits::End::Stopped);
    QTest::newRow("a newer display begins") << "supersede" << int(PlayWaits::End::Superseded);
    QTest::newRow("the window begins to close") << "closing" << int(PlayWaits::End::Closed);
    QTest::newRow("the window is deleted") << "delete" << int(PlayWaits::End::Closed);
}

void tst_PlayWaits::waitsEndAsTheirCauseSays()
{
    QFETCH(QString, cause);
    QFETCH(int, end);
    FakeClock clock;
    QPointer<QWidget> window = new QWidget;
    bool closing = false;
    auto *waits = new PlayWaits(clock, window, [&] { return closing; });
    bool stop = false;
    int steps = 0;
    clock.onWait = [&](double) {
        if (++steps != 2)
            return;
        if (cause == QLatin1String("stop"))
            stop = true;
        else if (cause == QLatin1String("supersede"))
            waits->supersede();
        else if (cause == QLatin1String("closing"))
            closing = true;
        else if (cause == QLatin1String("delete"))
            delete window.data(); // the waits go with it
    };
    const qint64 start = clock.elapsedNs();
    const PlayWaits::End got = waits->waitMs(30000, [&] { return stop; });
    clock.onWait = nullptr;
    QCOMPARE(int(got), end);
    const qint64 waited = clock.elapsedNs() - start;
    if (got == PlayWaits::End::Elapsed)
        QCOMPARE(waited, qint64(30000) * 1000000);
    else
        QVERIFY2(waited <= qint64(100) * 1000000, qPrintable(QString::number(waited))); // a few looks, not 30 s
    if (window)
        QCOMPARE(int(waits->waitMs(10)), int(closing ? PlayWaits::End::Closed : PlayWaits::End::Elapsed));
    delete window.data();
}

void tst_PlayWaits::displayCountsTheSecondsDown_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QStringList>("counts"); // the numbers shown, in turn
    QTest::addColumn<QList<int>>("bars");    // the bar's widths (of 100), in turn
    QTest::newRow("3 s: 3, 2, 1, 0") << 3.0f << QStringList{"3", "2", "1", "0"} << QList<int>{100, 66, 33, 0};
    QTest::newRow("1 s: 1, 0") << 1.0f << QStringList{"1", "0"} << QList<int>{100, 0};
    QTest::newRow("0.5 s: 0 from the start, the bar full") << 0.5f << QStringList{"0"} << QList<int>{100};
    QTest::newRow("0.2 s: 0 from the start, the bar full") << 0.2f << QStringList{"0"} << QList<int>{100};
}

void tst_PlayWaits::displayCountsTheSecondsDown()
{
    QFETCH(float, seconds);
    QFETCH(QStringList, counts);
    QFETCH(QList<int>, bars);
    FakeClock clock;
    QWidget window;
    PlayWaits waits(clock, &window, [] { return false; });
    auto *count = new QLabel(&window);
    auto *bar = new TimeBar(100, 10, &window);
    bar->setBarWidth(100);
    QStringList shown;
    QList<int> widths;
    auto look = [&] {
        if (shown.isEmpty() || shown.last() != count->text())
            shown << count->text();
        if (widths.isEmpty() || widths.last() != bar->barWidth())
            widths << bar->barWidth();
    };
    clock.onWait = [&](double) { look(); };
    const qint64 start = clock.elapsedNs();
    QCOMPARE(int(waits.runDisplayCountdown(seconds, count, bar)), int(PlayWaits::End::Elapsed));
    clock.onWait = nullptr;
    look();
    QCOMPARE(shown, counts);
    QCOMPARE(widths, bars);
    // On show for the time set, to the millisecond.
    const qint64 shownNs = clock.elapsedNs() - start;
    QVERIFY2(shownNs >= qint64(double(seconds) * 1e9) && shownNs < qint64(double(seconds) * 1e9) + 1000000,
             qPrintable(QString::number(shownNs)));
}

void tst_PlayWaits::blockedAreaTakesNoInputHeldKeysArriveAfter()
{
    FakeClock clock;
    QWidget window;
    PlayWaits waits(clock, &window, [] { return false; });
    auto *board = new QWidget(&window);
    auto *piece = new QLineEdit(board);
    auto *answer = new QLineEdit(&window);
    window.show();

    // A delay holding the board still: keys to it are dropped, not delivered later.
    clock.onWait = [&](double) { QTest::keyClicks(piece, "ab"); };
    QCOMPARE(int(waits.blockFor(500, board)), int(PlayWaits::End::Elapsed));
    QCoreApplication::processEvents();
    QCOMPARE(piece->text(), QString());

    // A blank between two words: keys typed into the window arrive once it is over, in order.
    bool once = false;
    clock.onWait = [&](double) {
        if (!std::exchange(once, true))
            QTest::keyClicks(answer, "xy");
    };
    QCOMPARE(int(waits.holdInputFor(100)), int(PlayWaits::End::Elapsed));
    clock.onWait = nullptr;
    QCOMPARE(answer->text(), QString());
    answer->setText(QStringLiteral(">"));
    QCoreApplication::processEvents();
    QCOMPARE(answer->text(), QStringLiteral(">xy"));
}

QTEST_MAIN(tst_PlayWaits)
#include "tst_playwaits.moc"
