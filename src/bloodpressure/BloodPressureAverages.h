#pragma once

#include "bloodpressure/Reading.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The averages below the reading log (and on the report's first page): the
// whole number nearest to the mean of each measurement's values of 20 or
// more, halves rounded up. Smaller values, empty cells and non-numbers do not
// count, so a stray 15 cannot drag an average down.
class BloodPressureAverages
{
public:
    std::optional<int> systolic;
    std::optional<int> diastolic;
    std::optional<int> pulse;

    static inline const QString Caption = QStringLiteral("Averages:");

    // Over every row given, whether dated or not: the screen passes its whole
    // log, the report the rows it prints.
    static BloodPressureAverages RecomputeAverages(const QList<Reading>& readings);

    // The decimal digits of an average, or empty when nothing counted.
    static QString text(const std::optional<int>& average);

    // Label6(0) to Label6(3): "Averages:" when a systolic or diastolic value
    // counted (pulses alone do not earn the caption), then the three
    // averages. In full-screen display mode the diastolic and pulse averages
    // have one blank before them.
    std::array<QString, 4> labelTexts(bool fullScreenMode) const;

    bool operator==(const BloodPressureAverages&) const = default;
};
