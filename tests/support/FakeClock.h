#pragma once

#include "screens/Clock.h"

// A clock the test sets; pauses take no time and are only counted.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(10, 0)));

    QDateTime now() const override { return m_now; }
    void pauseOneSecond() override;
    void pauseTwoSeconds() override;

    void setNow(const QDateTime& now) { m_now = now; }
    void setToday(const QDate& date) { m_now.setDate(date); }
    int pausedSeconds() const { return m_pausedSeconds; }

private:
    QDateTime m_now;
    int m_pausedSeconds = 0;
};
