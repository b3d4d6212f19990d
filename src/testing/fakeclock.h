#pragma once
// Test doubles for time: never linked into the program itself.
#include "core/clock.h"

#include <functional>

namespace kioku {

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
