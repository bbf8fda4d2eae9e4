#pragma once

#include "platform/clock.h"

// Test backend: time stands still until the test sets or advances it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2005, 6, 14), QTime(9, 30, 5)))
        : m_now(std::move(start)) {}
    QDateTime now() const override { return m_now; }
    void setNow(const QDateTime& now) { m_now = now; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
