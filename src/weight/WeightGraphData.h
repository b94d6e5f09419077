#pragma once

#include "storage/GraphData.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeighIn.h"

#include <QList>
#include <QString>

#include <optional>

// The weight graph: the latest weigh-ins (at most 50) with two flat reference
// lines, the goal weight and the beginning weight. Series 1 holds the
// weights, series 2 the goal, series 3 the beginning weight; each point is
// labelled with its weigh-in date as "mmm-dd-yy".
class WeightGraphData
{
public:
    static constexpr int EntryLimit = 50;
    static inline const QString AxisTitle = QStringLiteral("Weigh In Dates");
    static inline const QString LimitedAxisTitle
        = QStringLiteral("Weigh In Dates (Graph Limited to Last 50 Entries)");
    static inline const QString CaptionSuffix = QStringLiteral(" Weight Tracker Graph");

    // The legend marks on the header labels share these colours with the
    // reference lines.
    static constexpr qint32 BeginningWeightColour = GraphSeries::colour(128, 128, 255);
    static constexpr qint32 GoalWeightColour = GraphSeries::colour(128, 255, 255);
    static constexpr qint32 WeightColour = GraphSeries::colour(0, 0, 192);
    static constexpr qint32 TrendColour = GraphSeries::colour(220, 100, 0);

    struct Options {
        // A fourth series, "Trend": the smoothed weight at each point.
        bool trend = false;
        // Points placed by their dates (a month apart looks a month apart),
        // in date order; rows whose date cannot be read are left out.
        bool spaceByDate = false;
        QString valueAxisTitle;
    };

    // "Weight (lb)" once a unit was chosen for the person; no title before,
    // since the weights are then only numbers.
    static QString valueAxisTitle(const std::optional<WeightPersonSettings::Unit>& unit);

    // name is the individual's name as the selection box shows it. Weights
    // and the two boxes are read by their leading number, an empty or
    // non-numeric text giving 0. The long axis title is used from 50 entries
    // on, even when nothing is cut.
    static GraphData build(const QString& name, const QList<WeighIn>& rows,
        const QString& goalWeight, const QString& beginningWeight);
    static GraphData build(const QString& name, const QList<WeighIn>& rows,
        const QString& goalWeight, const QString& beginningWeight, const Options& options);
};
