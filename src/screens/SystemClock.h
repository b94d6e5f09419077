#pragma once

#include "services/Clock.h"

// The wall clock. The pauses wait for the seconds value to tick over, so
// they end on a clock tick rather than after a fixed time.
class SystemClock : public Clock
{
public:
    QDateTime now() const override;
    void pauseOneSecond() override;
    void pauseTwoSeconds() override;
    void pauseSeconds(int seconds, const std::function<void()>& whileWaiting) override;

    // The pause itself, on any clock: waits until the seconds value read
    // from readSeconds has advanced by the given number of ticks (1 or 2),
    // counting the wrap from 59 to 0.
    template <typename ReadSeconds> static void waitForTicks(int ticks, ReadSeconds readSeconds)
    {
        const int start = readSeconds();
        for (;;) {
            const int elapsed = (readSeconds() - start + 60) % 60;
            if (elapsed >= ticks)
                return;
        }
    }
};
