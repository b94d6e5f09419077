#include "Repetitions.h"

#include <QElapsedTimer>
#include <QList>

#include <algorithm>

Repetitions::Repetitions(int count)
    : m_count(std::max(count, 1))
{ }

double Repetitions::medianMilliseconds(const std::function<void()>& run,
    const std::function<void()>& prepare, const std::function<void()>& cleanup) const
{
    return median([&] {
        if (prepare)
            prepare();
        QElapsedTimer timer;
        timer.start();
        run();
        const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
        if (cleanup)
            cleanup();
        return milliseconds;
    });
}

double Repetitions::median(const std::function<double()>& measure) const
{
    QList<double> values;
    for (int i = 0; i < m_count; ++i)
        values.append(measure());
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
