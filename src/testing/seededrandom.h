#pragma once
// A random source for tests and pictures that must come out the same every run.
#include "core/random.h"

#include <QList>

#include <random>

namespace kioku {

// Deterministic: a fixed seed that reseed() does not change, or a fixed list of
// values returned in turn (cycling).
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(quint64 seed = 1) : m_gen(seed) {}
    explicit SeededRandom(QList<double> values) : m_values(std::move(values)) {}
    void reseed() override {}
    double next() override;
    // From now on the values are `values` in turn, from the first.
    void setValues(QList<double> values)
    {
        m_values = std::move(values);
        m_pos = 0;
    }

private:
    std::mt19937_64 m_gen;
    QList<double> m_values;
    int m_pos = 0;
};

} // namespace kioku
