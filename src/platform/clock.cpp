#include "clock.h"

void Clock::seedFromClock() {
    m_generator.seed(static_cast<quint32>(now().toMSecsSinceEpoch()));
}

double Clock::random() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_generator);
}

int Clock::randomBetween(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_generator);
}
