#include "testing/seededrandom.h"

namespace kioku {

double SeededRandom::next()
{
    if (!m_values.isEmpty()) {
        const double v = m_values.at(m_pos);
        m_pos = (m_pos + 1) % int(m_values.size());
        return v;
    }
    return double(m_gen() >> 11) * 0x1.0p-53;
}

} // namespace kioku
