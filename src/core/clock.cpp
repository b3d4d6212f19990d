#include "clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <thread>

namespace kioku {

double Clock::secondsSinceMidnight() const
{
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

bool Clock::waitUntil(qint64 deadlineNs, const std::function<bool()> &stop, qint64 sliceNs)
{
    for (;;) {
        if (stop && stop())
            return false;
        const qint64 left = deadlineNs - elapsedNs();
        if (left <= 0)
            return true;
        wait((sliceNs > 0 ? qMin(left, sliceNs) : left) / 1e6);
    }
}

namespace {
// One monotonic timer for the whole process, started on first use.
const QElapsedTimer &processTimer()
{
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}
} // namespace

SystemClock::SystemClock() : m_start(processTimer().nsecsElapsed())
{
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

qint64 SystemClock::elapsedNs() const
{
    return processTimer().nsecsElapsed() - m_start;
}

void SystemClock::wait(double ms)
{
    if (!QCoreApplication::instance())
        return;
    const quint64 wakes = m_wakes;
    const double capped = ms > 0 ? std::min(ms, 2.0e9) : 0.0;
    const qint64 target = elapsedNs() + qint64(std::llround(capped * 1e6));

    // The event loop runs until shortly before the target. Its timer counts whole
    // milliseconds, the event dispatcher rounds its poll timeout up to a whole
    // millisecond and the kernel lets a long poll end up to 0.1 % late, so the
    // loop is told to end 2 ms + 0.2 % early; a late wake-up still falls before
    // the target. Long waits take a few rounds, each shorter and more exact.
    for (;;) {
        const qint64 left = target - elapsedNs();
        const qint64 loopMs = (left - 2000000 - left / 500) / 1000000;
        if (loopMs < 1)
            break;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        m_loops.append(&loop);
        timer.start(int(std::min<qint64>(loopMs, 2000000000)));
        loop.exec();
        m_loops.removeOne(&loop);
        if (m_wakes != wakes)
            return;
    }

    // The last moments (at most about 3 ms): pending events run once, then the
    // thread sleeps to the target. A sleep, not a spin: no CPU is used.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (m_wakes != wakes)
        return;
    const qint64 left = target - elapsedNs();
    if (left > 0)
        std::this_thread::sleep_for(std::chrono::nanoseconds(left));
}

void SystemClock::wake()
{
    ++m_wakes;
    for (QEventLoop *loop : std::as_const(m_loops))
        loop->quit();
}

} // namespace kioku
