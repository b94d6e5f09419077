#pragma once

#include <functional>

// Runs a measured step several times and keeps the median, so that one
// disturbed run on a shared machine does not decide the figure.
class Repetitions
{
public:
    explicit Repetitions(int count);

    int count() const { return m_count; }

    // The median wall-clock time of run, in milliseconds. prepare and
    // cleanup run before and after each repetition, outside the timing.
    double medianMilliseconds(const std::function<void()>& run,
        const std::function<void()>& prepare = {}, const std::function<void()>& cleanup = {}) const;

    // The median of values, each produced by one call of measure.
    double median(const std::function<double()>& measure) const;

private:
    int m_count;
};
