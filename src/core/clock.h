#pragma once
// The only door to time. Windows and rules ask a Clock for the date, the time of
// day and elapsed time, and wait through it, so tests can replace it with a
// FakeClock that runs a 30-second display in no real time.
#include <QDateTime>
#include <functional>

class QEventLoop;

namespace kioku {

class Clock {
public:
    virtual ~Clock() = default;
    // Local wall-clock date and time.
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
    QTime timeOfDay() const { return now().time(); }
    // Seconds since midnight with the millisecond fraction (0 <= s < 86400).
    double secondsSinceMidnight() const;
    // Monotonic time in nanoseconds; never jumps, not even at midnight.
    virtual qint64 elapsedNs() const = 0;
    // Lets pending events run for `ms` milliseconds of this clock's time, or
    // until wake() is called. Never spins a core.
    virtual void wait(double ms) = 0;
    // Ends every wait that is running now (a window that closes calls this).
    virtual void wake() = 0;

    // Lets events run until elapsedNs() reaches deadlineNs or stop() holds.
    // Returns true when the deadline was reached, false when stopped.
    bool waitUntil(qint64 deadlineNs, const std::function<bool()> &stop);
};

// The real clock: QDateTime for the wall clock, QElapsedTimer for elapsed time,
// a nested event loop with a precise timer for waits. The event loop's timer can
// fire a millisecond or two late, so it is set to end a little early and the
// last moments (at most about 3 ms) are slept, never spun: a wait ends within a
// fraction of a millisecond of its time.
class SystemClock : public Clock {
public:
    SystemClock();
    QDateTime now() const override;
    qint64 elapsedNs() const override;
    void wait(double ms) override;
    void wake() override;

private:
    qint64 m_start;
    QList<QEventLoop *> m_loops;
    quint64 m_wakes = 0; // wake() calls so far: a wait that sees it change ends
};

// A clock that moves only when told to. wait() lets pending events run once
// and then advances the clock by the time waited, so timed phases finish at once.
class FakeClock : public Clock {
public:
    explicit FakeClock(const QDateTime &start = QDateTime(QDate(2026, 12, 7), QTime(14, 5, 33)));
    QDateTime now() const override;
    qint64 elapsedNs() const override { return m_elapsedNs; }
    void wait(double ms) override;
    void wake() override { ++m_wakes; }

    void setNow(const QDateTime &t) { m_now = t; }
    void advanceMs(double ms);
    // Called once per wait, after pending events have run (tests use it to act mid-phase).
    std::function<void(double ms)> onWait;
    int waits() const { return m_waits; }
    int wakes() const { return m_wakes; }

private:
    QDateTime m_now;
    qint64 m_elapsedNs = 0;
    double m_fractionNs = 0;
    int m_waits = 0;
    int m_wakes = 0;
};

} // namespace kioku
