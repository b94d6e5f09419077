#pragma once

#include "DataToolCommand.h"

#include <QJsonObject>
#include <QString>

class BloodPressureStatistics;

// stats bp NAME [--guideline own|acc-aha|esh|esc] [--format text|json]: the
// figures of one individual's readings that the screen and the report's
// summary page show: counts, minimum, average and maximum, the morning and
// evening averages, the home-monitoring week and the readings in each
// category. The text rounds averages as the screen does; the JSON gives
// them unrounded.
class BloodPressureStatsCommand : public DataToolCommand
{
public:
    explicit BloodPressureStatsCommand(DataToolOutput& output);

    int run(const DataToolOptions& options) override;

    static QString text(const QString& name, const BloodPressureStatistics& statistics);
    static QJsonObject json(const QString& name, const BloodPressureStatistics& statistics);
};
