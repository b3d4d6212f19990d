#include "clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace kioku {

double Clock::secondsSinceMidnight() const
{
    return now().time().msecsSinceStartOfDay() / 1000.0;
}

bool Clock::waitUntil(qint64 deadlineNs, const std::function<bool()> &stop)
{
    for (;;) {
        if (stop && stop())
            return false;
        const qint64 left = deadlineNs - elapsedNs();
        if (left <= 0)
            return true;
        wait(left / 1e6);
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

SystemClock::SystemClock() : m_start(processTimer().nsecsElapsed()) {}

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
    // A partial millisecond is waited as a whole one, so a caller that waits for
    // a deadline never spins on zero-length waits.
    const int whole = ms > 0 ? int(std::min(std::ceil(ms), 2.0e9)) : 0;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    m_loops.append(&loop);
    timer.start(whole);
    loop.exec();
    m_loops.removeOne(&loop);
}

void SystemClock::wake()
{
    for (QEventLoop *loop : std::as_const(m_loops))
        loop->quit();
}

FakeClock::FakeClock(const QDateTime &start) : m_now(start) {}

QDateTime FakeClock::now() const
{
    return m_now;
}

void FakeClock::advanceMs(double ms)
{
    if (!(ms > 0))
        return;
    const qint64 msBefore = m_elapsedNs / 1000000;
    m_fractionNs += ms * 1e6;
    // A hair of tolerance so that three thirds of a millisecond make a whole one.
    const double whole = std::floor(m_fractionNs + 1e-6);
    m_elapsedNs += qint64(whole);
    m_fractionNs -= whole;
    const qint64 msAfter = m_elapsedNs / 1000000;
    if (msAfter != msBefore)
        m_now = m_now.addMSecs(msAfter - msBefore);
}

void FakeClock::wait(double ms)
{
    ++m_waits;
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    advanceMs(ms);
    if (onWait)
        onWait(ms);
}

} // namespace kioku
