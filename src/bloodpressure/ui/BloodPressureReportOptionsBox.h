#pragma once

#include "bloodpressure/BloodPressureReport.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QRadioButton;

// The blood-pressure report's options on the print options panel: how many
// of the latest entries to print (SSOption2(0) "All" to SSOption2(8) "90")
// and the graph, border, divider and summary page options. The check boxes keep their
// state while the screen is open; the number of entries starts from "All"
// each time the panel opens.
class BloodPressureReportOptionsBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit BloodPressureReportOptionsBox(QWidget* parent = nullptr);

    BloodPressureReport::Options options() const;

    // Selects "All" and offers only the numbers smaller than the count of
    // dated entries: a choice that would print them all is "All" already.
    void prepareForOpening(int datedEntries);

signals:
    // A choice or an option changed the report.
    void rebuildRequested();

private:
    void chooseEntryCount(int index);

    // PrintEntryCount
    int m_entryCount = 0;
    std::array<QRadioButton*, 9> m_entryCounts {}; // SSOption2(0) to SSOption2(8)
    QCheckBox* m_graph; // SSCheck3
    QCheckBox* m_borderLines; // SSCheck1
    QCheckBox* m_dividerLines; // SSCheck2
    QCheckBox* m_summaryPage;
};
