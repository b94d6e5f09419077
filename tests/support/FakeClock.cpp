#include "FakeClock.h"

FakeClock::FakeClock(QDateTime now)
    : m_now(std::move(now))
{
}

void FakeClock::pauseOneSecond()
{
    m_pausedSeconds += 1;
}

void FakeClock::pauseTwoSeconds()
{
    m_pausedSeconds += 2;
}
