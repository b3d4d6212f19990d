#include "testing/fakeclock.h"

#include <QCoreApplication>

#include <cmath>

namespace kioku {

FakeClock::FakeClock(const QDateTime &start) : m_now(start)
{
}

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
