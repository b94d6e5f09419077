#include "StatsNumber.h"

#include <cmath>

QJsonValue StatsNumber::of(double value)
{
    const double scale = std::pow(10.0, Decimals);
    const double rounded = std::round(value * scale) / scale;
    // -0.00001 rounds to -0, which JSON would write "-0".
    return QJsonValue(rounded == 0 ? 0.0 : rounded);
}

QJsonValue StatsNumber::of(const std::optional<double>& value)
{
    return value ? of(*value) : QJsonValue(QJsonValue::Null);
}
