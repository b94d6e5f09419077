#include "FakeClock.h"

#include <algorithm>

FakeClock::FakeClock(QDateTime now)
    : m_now(std::move(now))
{ }

void FakeClock::pauseOneSecond()
{
    m_pausedSeconds += 1;
}

void FakeClock::pauseTwoSeconds()
{
    m_pausedSeconds += 2;
}

void FakeClock::runLater(
    std::chrono::milliseconds delay, QObject* context, std::function<void()> task)
{
    m_pending.append({ m_now.addMSecs(delay.count()), context, std::move(task) });
}

void FakeClock::advance(std::chrono::milliseconds duration)
{
    m_now = m_now.addMSecs(duration.count());
    // A task may ask for more delayed work, so the earliest is looked up anew
    // each time.
    for (;;) {
        const auto earliest = std::min_element(m_pending.begin(), m_pending.end(),
            [](const PendingTask& a, const PendingTask& b) { return a.due < b.due; });
        if (earliest == m_pending.end() || earliest->due > m_now)
            return;
        const PendingTask due = *earliest;
        m_pending.erase(earliest);
        if (due.context)
            due.task();
    }
}
