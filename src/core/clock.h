#pragma once
// The only door to time. Windows and rules ask a Clock for the date, the time of
// day and elapsed time, and wait through it, so tests can replace it with a
// fake clock (kioku_testing) that runs a 30-second display in no real time.
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
    // stop() is looked at after every wait, which lasts at most `sliceNs` when
    // that is > 0. Returns true when the deadline was reached, false when stopped.
    bool waitUntil(qint64 deadlineNs, const std::function<bool()> &stop, qint64 sliceNs = 0);
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

} // namespace kioku
