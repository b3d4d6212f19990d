#pragma once
// The only door to chance: uniform numbers in [0, 1).
#include <QList>
#include <random>

namespace kioku {

class Clock;

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Reseeds from the clock (the games reseed before every draw or shuffle).
    virtual void reseed() = 0;
    // Uniform in [0, 1).
    virtual double next() = 0;
    // Integer part of n times next(): 0 .. n-1.
    int below(int n) { return int(next() * n); }
};

class SystemRandom : public RandomSource {
public:
    explicit SystemRandom(const Clock &clock);
    void reseed() override;
    double next() override;

private:
    const Clock &m_clock;
    std::mt19937_64 m_gen;
    quint64 m_reseeds = 0;
};

// Deterministic: a fixed seed that reseed() does not change, or a fixed list of
// values returned in turn (cycling).
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(quint64 seed = 1) : m_gen(seed) {}
    explicit SeededRandom(QList<double> values) : m_values(std::move(values)) {}
    void reseed() override {}
    double next() override;

private:
    std::mt19937_64 m_gen;
    QList<double> m_values;
    int m_pos = 0;
};

} // namespace kioku
