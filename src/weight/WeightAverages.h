#pragma once

#include "weight/WeightTrend.h"

#include <QList>
#include <QString>

#include <optional>

// The weigh-ins averaged by ISO week and by calendar month: only periods
// holding weigh-ins are listed, oldest first, each with its change from the
// period listed before it.
class WeightAverages
{
public:
    struct Period {
        QString label; // "2026-W01" or "2026-01"
        int weighIns = 0;
        double average = 0;
        std::optional<double> change; // from the period before; none for the first
        bool operator==(const Period&) const = default;
    };

    // A week belongs to the year its Thursday falls in, so December 29, 2025
    // is in 2026-W01.
    static QList<Period> weekly(const WeightTrend& trend);
    static QList<Period> monthly(const WeightTrend& trend);

    static QString weekLabel(const QDate& date);
    static QString monthLabel(const QDate& date);
};
