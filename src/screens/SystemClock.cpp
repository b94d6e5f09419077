#include "SystemClock.h"

#include <QThread>
#include <QTime>

namespace {

int currentSeconds()
{
    // A short sleep keeps the wait from spinning a core at full load; it
    // still processes no events.
    QThread::msleep(5);
    return QTime::currentTime().second();
}

} // namespace

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTime();
}

void SystemClock::pauseOneSecond()
{
    waitForTicks(1, currentSeconds);
}

void SystemClock::pauseTwoSeconds()
{
    waitForTicks(2, currentSeconds);
}

void SystemClock::pauseSeconds(int seconds, const std::function<void()>& whileWaiting)
{
    waitForTicks(seconds >= 2 ? 2 : 1, [&whileWaiting] {
        whileWaiting();
        return currentSeconds();
    });
}
