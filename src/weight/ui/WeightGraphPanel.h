#pragma once

#include <QGroupBox>
#include <QImage>

struct GraphData;
class LineChart;
class QCheckBox;
class QHBoxLayout;
class QPushButton;

// The graph panel (SSPanel4): the weight graph Chart2D1 of the last 50
// weigh-ins with the beginning and goal weight lines, and under it the
// choices of the trend line and of spacing the points by date.
class WeightGraphPanel : public QGroupBox
{
    Q_OBJECT

public:
    explicit WeightGraphPanel(QWidget* parent = nullptr);

    // The graph and, as the panel's caption, its caption.
    void showGraph(const GraphData& graph);
    // Writes the graph as a JPEG file and returns the picture drawn, which
    // is what the report prints whether or not the file could be written.
    QImage exportGraph(const QString& filePath);

    // "Trend", on until the user hides it; "Space by Date", off.
    bool trendShown() const;
    bool spacedByDate() const;

    // A command's button at the end of the choices' row.
    void addCommandButton(QPushButton* button);

signals:
    // A choice under the graph changed; the graph is to be built again.
    void choicesChanged();

private:
    LineChart* m_chart; // Chart2D1
    QCheckBox* m_trend;
    QCheckBox* m_spaceByDate;
    QHBoxLayout* m_choices;
};
