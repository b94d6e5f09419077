#include "bloodpressure/BloodPressureAverages.h"

#include "storage/NumberText.h"

#include <cmath>

namespace {

// Values below 20 cannot be a pressure or a pulse: they are typing slips.
constexpr double SmallestCounted = 20;

class Mean
{
public:
    void add(const QString& cell)
    {
        const double value = NumberText::leadingNumber(cell.trimmed());
        if (value >= SmallestCounted) {
            m_sum += value;
            ++m_count;
        }
    }

    std::optional<int> rounded() const
    {
        if (m_count == 0)
            return std::nullopt;
        return static_cast<int>(std::floor(m_sum / m_count + 0.5));
    }

private:
    double m_sum = 0;
    int m_count = 0;
};

} // namespace

BloodPressureAverages BloodPressureAverages::RecomputeAverages(const QList<Reading>& readings)
{
    Mean systolic, diastolic, pulse;
    for (const Reading& reading : readings) {
        systolic.add(reading.systolic);
        diastolic.add(reading.diastolic);
        pulse.add(reading.pulse);
    }
    return { systolic.rounded(), diastolic.rounded(), pulse.rounded() };
}

QString BloodPressureAverages::text(const std::optional<int>& average)
{
    return average ? QString::number(*average) : QString();
}

std::array<QString, 4> BloodPressureAverages::labelTexts(bool fullScreenMode) const
{
    const QString blank = fullScreenMode ? QStringLiteral(" ") : QString();
    return {
        systolic || diastolic ? Caption : QString(),
        text(systolic),
        diastolic ? blank + text(diastolic) : QString(),
        pulse ? blank + text(pulse) : QString(),
    };
}
