// The clock and the random source that every timed phase and every draw goes through.
#include "core/clock.h"
#include "core/random.h"
#include "testing/fakeclock.h"
#include "testing/seededrandom.h"

#include <QtTest>

using namespace kioku;

class tst_clock : public QObject {
    Q_OBJECT

private slots:
    void fakeClockWaitAdvances();
    void fakeClockKeepsFractions();
    void fakeClockRunsPostedEvents();
    void waitUntilDeadline();
    void waitUntilStopped();
    void secondsSinceMidnight();
    void systemClockWaits();
    void systemClockWaitNeverEndsEarly_data();
    void systemClockWaitNeverEndsEarly();
    void systemClockWakeEndsNestedWaits();
    void seededRandom();
    void systemRandomReseeds();
};

void tst_clock::fakeClockWaitAdvances()
{
    FakeClock c(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)));
    QList<double> seen;
    c.onWait = [&](double ms) { seen.append(ms); };
    c.wait(1500);
    QCOMPARE(c.waits(), 1);
    QCOMPARE(seen, QList<double>({1500.0}));
    QCOMPARE(c.elapsedNs(), qint64(1500000000));
    QCOMPARE(c.now(), QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0, 500)));
    QCOMPARE(c.today(), QDate(2026, 12, 8));
    c.wake();
    QCOMPARE(c.wakes(), 1);
    c.wait(0);
    c.wait(-5); // a negative wait moves nothing
    QCOMPARE(c.elapsedNs(), qint64(1500000000));
    QCOMPARE(c.waits(), 3);
}

void tst_clock::fakeClockKeepsFractions()
{
    FakeClock c;
    const QDateTime start = c.now();
    for (int i = 0; i < 10; ++i)
        c.advanceMs(0.25);
    QCOMPARE(c.elapsedNs(), qint64(2500000));
    QCOMPARE(c.now(), start.addMSecs(2));
    c.advanceMs(0.5);
    QCOMPARE(c.now(), start.addMSecs(3));
    for (int i = 0; i < 3; ++i)
        c.advanceMs(1.0 / 3.0);
    QCOMPARE(c.now(), start.addMSecs(4));
    QVERIFY(qAbs(c.elapsedNs() - 4000000) <= 1);
}

void tst_clock::fakeClockRunsPostedEvents()
{
    FakeClock c;
    int ran = 0;
    QTimer::singleShot(0, this, [&] { ++ran; });
    QMetaObject::invokeMethod(
        this, [&] { ++ran; }, Qt::QueuedConnection);
    c.wait(10);
    QCOMPARE(ran, 2);
}

void tst_clock::waitUntilDeadline()
{
    FakeClock c;
    c.advanceMs(100);
    const qint64 deadline = c.elapsedNs() + 30000LL * 1000000;
    QVERIFY(c.waitUntil(deadline, [] { return false; }));
    QVERIFY(c.elapsedNs() >= deadline);
    QCOMPARE(c.waits(), 1);
    // A deadline already passed waits not at all.
    QVERIFY(c.waitUntil(0, [] { return false; }));
    QCOMPARE(c.waits(), 1);
}

void tst_clock::waitUntilStopped()
{
    FakeClock c;
    // Already stopped: no wait at all.
    QVERIFY(!c.waitUntil(c.elapsedNs() + 1000000000LL, [] { return true; }));
    QCOMPARE(c.waits(), 0);
    // Stopped during the first wait (a button pressed mid-phase).
    bool stop = false;
    c.onWait = [&](double) { stop = true; };
    QVERIFY(!c.waitUntil(c.elapsedNs() + 1000000000LL, [&] { return stop; }));
    QCOMPARE(c.waits(), 1);
}

void tst_clock::secondsSinceMidnight()
{
    FakeClock c(QDateTime(QDate(2026, 12, 7), QTime(1, 2, 3, 456)));
    QCOMPARE(c.secondsSinceMidnight(), 3723.456);
    QCOMPARE(c.timeOfDay(), QTime(1, 2, 3, 456));
}

void tst_clock::systemClockWaits()
{
    SystemClock c;
    QVERIFY(c.waitUntil(c.elapsedNs() + 5000000, [] { return false; }));
    QVERIFY(qAbs(c.now().secsTo(QDateTime::currentDateTime())) < 5);
}

void tst_clock::systemClockWaitNeverEndsEarly_data()
{
    QTest::addColumn<double>("ms");
    // All in the last moments, across the switch from event loop to sleep, and longer.
    QTest::newRow("1.5 ms") << 1.5;
    QTest::newRow("4.7 ms") << 4.7;
    QTest::newRow("25.4 ms") << 25.4;
}

void tst_clock::systemClockWaitNeverEndsEarly()
{
    // A display waits exactly to its end time; ending early would cut it short.
    QFETCH(double, ms);
    SystemClock c;
    for (int i = 0; i < 3; ++i) {
        int ran = 0;
        QTimer::singleShot(0, this, [&] { ++ran; });
        const qint64 before = c.elapsedNs();
        c.wait(ms);
        QVERIFY2(c.elapsedNs() - before >= qint64(ms * 1e6), qPrintable(QString::number(ms)));
        QCOMPARE(ran, 1); // pending events ran, however short the wait
    }
}

void tst_clock::systemClockWakeEndsNestedWaits()
{
    SystemClock c;
    bool innerEnded = false;
    QTimer::singleShot(10, this, [&] {
        QTimer::singleShot(10, this, [&] { c.wake(); });
        c.wait(600000);
        innerEnded = true;
    });
    QElapsedTimer t;
    t.start();
    c.wait(600000);
    QVERIFY(t.elapsed() < 300000);
    QTRY_VERIFY(innerEnded);
    // Both loops are gone: a later wait is not ended by the old wake.
    const qint64 before = c.elapsedNs();
    c.wait(15);
    QVERIFY(c.elapsedNs() - before >= 14000000);
}

void tst_clock::seededRandom()
{
    SeededRandom a(42), b(42);
    for (int i = 0; i < 100; ++i) {
        const double x = a.next();
        QVERIFY(x >= 0 && x < 1);
        QCOMPARE(x, b.next());
        a.reseed();
    }
    SeededRandom v(QList<double>{0.1, 0.99});
    QCOMPARE(v.next(), 0.1);
    QCOMPARE(v.below(10), 9);
    QCOMPARE(v.next(), 0.1);
}

void tst_clock::systemRandomReseeds()
{
    FakeClock clock;
    SystemRandom r(clock);
    // Two reseeds at the same clock reading still give different draws.
    r.reseed();
    const double first = r.next();
    r.reseed();
    const double second = r.next();
    QVERIFY(first != second);
    int counts[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4000; ++i) {
        const int k = r.below(4);
        QVERIFY(k >= 0 && k < 4);
        ++counts[k];
    }
    for (int k : counts)
        QVERIFY(k > 800);
}

QTEST_GUILESS_MAIN(tst_clock)
#include "tst_clock.moc"
