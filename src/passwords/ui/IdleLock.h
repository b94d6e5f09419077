#pragma once

#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>

class Clock;

// Calls back once no key, click or wheel has reached the program for the
// set time. Time runs on the program's clock, so tests move it on instead of
// waiting.
class IdleLock : public QObject
{
    Q_OBJECT

public:
    IdleLock(Clock& clock, std::function<void()> onIdle, QObject* parent = nullptr);
    ~IdleLock() override;

    // Starts watching with minutes of patience; 0 never calls back.
    void start(int minutes);
    void stop();
    bool isRunning() const { return m_running; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkLater(std::chrono::milliseconds delay);
    void check();

    Clock& m_clock;
    std::function<void()> m_onIdle;
    std::chrono::minutes m_patience { 0 };
    QDateTime m_lastInput;
    bool m_running = false;
    // Each start or stop makes earlier checks stale.
    int m_generation = 0;
};
