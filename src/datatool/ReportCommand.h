#pragma once

#include "DataToolCommand.h"

class ReportWriter;

// report weight|bp|passwords NAME -o FILE.pdf: a function's printed report
// as a PDF. Without a report writer it says reports are not available.
class ReportCommand : public DataToolCommand
{
public:
    ReportCommand(DataToolOutput& output, ReportWriter* reports);

    int run(const DataToolOptions& options) override;

private:
    ReportWriter* m_reports;
};
