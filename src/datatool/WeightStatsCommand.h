#pragma once

#include "DataToolCommand.h"

class WeightStatistics;

// stats weight NAME [--format text|json]: the weigh-ins' trend, weekly rate,
// the goal's projected date, the weekly and monthly averages and the body
// mass index, as the Weight Tracker shows them.
class WeightStatsCommand : public DataToolCommand
{
public:
    using DataToolCommand::DataToolCommand;

    int run(const DataToolOptions& options) override;

private:
    static QString text(const QString& name, const WeightStatistics& statistics);
    static QByteArray json(const QString& name, const WeightStatistics& statistics);
};
