#pragma once

#include <QJsonValue>

#include <optional>

// A figure of the stats commands' JSON: rounded to 4 decimals, so that a
// script reads 179.3125 and not 179.31249999999997, and a zero of either
// sign written 0. Nothing is null.
class StatsNumber
{
public:
    static constexpr int Decimals = 4;

    static QJsonValue of(double value);
    static QJsonValue of(const std::optional<double>& value);
};
