#pragma once

#include <QDateTime>

#include <random>

// Local time and the program's one random number generator. Tests set the time and the seed.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0; // local time, no time-zone conversion applied by callers
    // Seeds the generator from the clock, as start-up does once.
    void seedFromClock();
    void seed(quint32 value) { m_generator.seed(value); }
    // A number in [0, 1), like the classic Rnd().
    double random();
    // A whole number in [low, high].
    int randomBetween(int low, int high);

private:
    std::mt19937 m_generator{5489u};
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
