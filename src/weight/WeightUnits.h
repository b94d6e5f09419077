#pragma once

#include "storage/WeightPersonSettings.h"

#include <QString>

#include <optional>

// The figures that depend on the person's unit: the stones-and-pounds form
// of a weight in pounds, and the body mass index with its WHO band.
class WeightUnits
{
public:
    using Unit = WeightPersonSettings::Unit;

    static constexpr int PoundsPerStone = 14;

    // "Pounds" or "Kilograms", the graph's axis title.
    static QString longName(Unit unit);

    // "14 st 4.0 lb": the weight is rounded to a tenth of a pound first, so
    // that 199.96 lb is 14 st 4.0 lb, never 13 st 14.0 lb.
    static QString stonesAndPounds(double pounds);

    // A figure to one decimal; one that shows as 0.0 carries no sign.
    static QString oneDecimal(double value);
    // A change to one decimal with its sign: "+0.5", "-1.5", "0.0".
    static QString changeText(double change);

    // A weight with one decimal and the unit ("183.2 lb"), and with stones
    // beside it when asked for ("183.2 lb (13 st 1.2 lb)"); only the number
    // while no unit is chosen ("183.2").
    static QString weightText(double weight, const WeightPersonSettings::Values& settings);

    enum class Band { Underweight, Normal, Overweight, Obese };

    struct BodyMassIndex {
        double value = 0; // unrounded
        Band band = Band::Normal;
        bool operator==(const BodyMassIndex&) const = default;
    };

    // From a weight in the unit and a height in its length (inches with
    // pounds, centimetres with kilograms); nothing without a unit or a
    // usable height or weight. The band is that of the index as shown, to one decimal, so
    // that 24.96 shows as 25.0 and is overweight.
    static std::optional<BodyMassIndex> bodyMassIndex(
        double weight, const WeightPersonSettings::Values& settings);
    static Band bandOf(double index);
    // "below 18.5", "18.5-24.9", "25-29.9", "30 or more".
    static QString bandRange(Band band);
    // "Underweight", "Normal weight", "Overweight", "Obese".
    static QString bandName(Band band);
    // "BMI 27.3 (Overweight, 25-29.9)".
    static QString bodyMassIndexText(const BodyMassIndex& index);
};
