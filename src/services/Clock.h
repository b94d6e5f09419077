#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimer>

#include <chrono>
#include <functional>

// The system clock, the short pauses and delayed work, behind an interface so
// that tests set the date and never wait on a real clock.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }

    // Blocks without processing events until the wall clock's seconds value
    // has moved on by one (two); lasts up to one (two) seconds.
    virtual void pauseOneSecond() = 0;
    virtual void pauseTwoSeconds() = 0;

    // Runs task once on the user-interface thread after delay, unless
    // context is gone by then. Nothing blocks meanwhile.
    virtual void runLater(
        std::chrono::milliseconds delay, QObject* context, std::function<void()> task)
    {
        QTimer::singleShot(delay, context, std::move(task));
    }
    // The same pause of one or two seconds, calling whileWaiting over and
    // over until it ends, so that a window can repaint while the thread
    // waits. A clock whose pauses take no time calls it once.
    virtual void pauseSeconds(int seconds, const std::function<void()>& whileWaiting)
    {
        whileWaiting();
        if (seconds >= 2)
            pauseTwoSeconds();
        else
            pauseOneSecond();
    }
};
