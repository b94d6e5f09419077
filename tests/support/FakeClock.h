#pragma once

#include "services/Clock.h"

#include <QList>
#include <QObject>
#include <QPointer>

// A clock the test sets; pauses take no time and are only counted; delayed
// work runs when the test moves the clock past its time.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime now = QDateTime(QDate(2026, 12, 9), QTime(10, 0)));

    QDateTime now() const override { return m_now; }
    void pauseOneSecond() override;
    void pauseTwoSeconds() override;
    void runLater(
        std::chrono::milliseconds delay, QObject* context, std::function<void()> task) override;

    void setNow(const QDateTime& now) { m_now = now; }
    void setToday(const QDate& date) { m_now.setDate(date); }
    int pausedSeconds() const { return m_pausedSeconds; }

    // Moves the clock on and runs, in time order, the delayed work that has
    // come due.
    void advance(std::chrono::milliseconds duration);
    int pendingTasks() const { return int(m_pending.size()); }

private:
    struct PendingTask {
        QDateTime due;
        QPointer<QObject> context;
        std::function<void()> task;
    };

    QDateTime m_now;
    int m_pausedSeconds = 0;
    QList<PendingTask> m_pending;
};
