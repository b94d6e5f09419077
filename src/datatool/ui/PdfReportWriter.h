#pragma once

#include "datatool/ReportWriter.h"

// Lays a report out from the program folder's files as the screen would
// with its settings at their stored values, and writes it as a PDF. Needs a
// QApplication (fonts, and the chart the graph is drawn with), which need
// not have a display.
class PdfReportWriter : public ReportWriter
{
public:
    Outcome writeWeightReport(const Request& request) override;
    Outcome writeBloodPressureReport(const Request& request) override;
    Outcome writePasswordReport(const Request& request) override;
};
