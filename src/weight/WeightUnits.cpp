#include "weight/WeightUnits.h"

#include <cmath>

namespace {

// In pounds and inches the index carries this factor, which is the number
// of pounds per kilogram times the square of inches per metre, rounded as
// the WHO tables round it.
constexpr double ImperialFactor = 703.0;

} // namespace

QString WeightUnits::longName(Unit unit)
{
    return unit == Unit::Kilograms ? QStringLiteral("Kilograms") : QStringLiteral("Pounds");
}

QString WeightUnits::stonesAndPounds(double pounds)
{
    const qint64 tenths = std::llround(std::fabs(pounds) * 10);
    const qint64 stones = tenths / (PoundsPerStone * 10);
    const qint64 rest = tenths % (PoundsPerStone * 10);
    return QStringLiteral("%1%2 st %3 lb")
        .arg(pounds < 0 && tenths > 0 ? QStringLiteral("-") : QString())
        .arg(stones)
        .arg(double(rest) / 10, 0, 'f', 1);
}

QString WeightUnits::oneDecimal(double value)
{
    const double shown = std::round(value * 10) / 10;
    return QString::number(shown == 0 ? 0.0 : shown, 'f', 1);
}

QString WeightUnits::changeText(double change)
{
    const QString shown = oneDecimal(change);
    return change > 0 && shown != u"0.0" ? u'+' + shown : shown;
}

QString WeightUnits::weightText(double weight, const WeightPersonSettings::Values& settings)
{
    QString text = oneDecimal(weight) + WeightPersonSettings::unitSuffix(settings.unit);
    if (settings.unit == Unit::Pounds && settings.stones)
        text += QStringLiteral(" (%1)").arg(stonesAndPounds(weight));
    return text;
}

std::optional<WeightUnits::BodyMassIndex> WeightUnits::bodyMassIndex(
    double weight, const WeightPersonSettings::Values& settings)
{
    if (!settings.unit || !settings.height || !(*settings.height > 0) || !(weight > 0))
        return std::nullopt;
    const double height = *settings.height;
    const double index = settings.unit == Unit::Kilograms
        ? weight / ((height / 100) * (height / 100))
        : ImperialFactor * weight / (height * height);
    return BodyMassIndex { index, bandOf(index) };
}

WeightUnits::Band WeightUnits::bandOf(double index)
{
    const double shown = std::round(index * 10) / 10;
    if (shown < 18.5)
        return Band::Underweight;
    if (shown < 25)
        return Band::Normal;
    if (shown < 30)
        return Band::Overweight;
    return Band::Obese;
}

QString WeightUnits::bandRange(Band band)
{
    switch (band) {
    case Band::Underweight:
        return QStringLiteral("below 18.5");
    case Band::Normal:
        return QStringLiteral("18.5-24.9");
    case Band::Overweight:
        return QStringLiteral("25-29.9");
    case Band::Obese:
        break;
    }
    return QStringLiteral("30 or more");
}

QString WeightUnits::bandName(Band band)
{
    switch (band) {
    case Band::Underweight:
        return QStringLiteral("Underweight");
    case Band::Normal:
        return QStringLiteral("Normal weight");
    case Band::Overweight:
        return QStringLiteral("Overweight");
    case Band::Obese:
        break;
    }
    return QStringLiteral("Obese");
}

QString WeightUnits::bodyMassIndexText(const BodyMassIndex& index)
{
    return QStringLiteral("BMI %1 (%2, %3)")
        .arg(index.value, 0, 'f', 1)
        .arg(bandName(index.band), bandRange(index.band));
}
