#pragma once

#include <QGroupBox>

struct GraphData;
class LineChart;
class QCheckBox;

// The graph panel (SSPanel4): the screen graph Chart2D1, the switch that
// adds the time of each reading to its label, and the legend of the five
// lines.
class BloodPressureGraphPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit BloodPressureGraphPanel(QWidget* parent = nullptr);

    LineChart* chart() const { return m_chart; }
    bool timeShown() const;

    // The graph and, as the panel's caption, its caption.
    void showGraph(const GraphData& graph);

signals:
    void timeDisplayToggled();

private:
    LineChart* m_chart; // Chart2D1
    QCheckBox* m_timeShown; // SSCheck4
};
