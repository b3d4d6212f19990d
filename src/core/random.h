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

} // namespace kioku
