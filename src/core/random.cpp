#include "random.h"

#include "clock.h"

#include <cstring>

namespace kioku {

SystemRandom::SystemRandom(const Clock &clock) : m_clock(clock)
{
    reseed();
}

void SystemRandom::reseed()
{
    // The elapsed nanoseconds, the time of day and a running count: two reseeds
    // within the same millisecond still start different sequences.
    const qint64 ns = m_clock.elapsedNs();
    const double secs = m_clock.secondsSinceMidnight();
    quint64 secsBits = 0;
    std::memcpy(&secsBits, &secs, sizeof secsBits);
    ++m_reseeds;
    std::seed_seq seq{quint32(quint64(ns)),    quint32(quint64(ns) >> 32), quint32(secsBits),
                      quint32(secsBits >> 32), quint32(m_reseeds),         quint32(m_reseeds >> 32)};
    m_gen.seed(seq);
}

double SystemRandom::next()
{
    return double(m_gen() >> 11) * 0x1.0p-53;
}

} // namespace kioku
