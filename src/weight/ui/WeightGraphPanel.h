#pragma once

#include <QGroupBox>
#include <QImage>

struct GraphData;
class LineChart;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The graph panel (SSPanel4): the weight graph Chart2D1 of the last 50
// weigh-ins with the beginning and goal weight lines, and under it the
// choice of spacing the points by date and, while the trend line is drawn,
// its legend.
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

    // The trend line is drawn only when the Options menu asks for it.
    void setTrendShown(bool shown);
    bool trendShown() const { return m_trendShown; }
    // "Space by Date", off until ticked.
    bool spacedByDate() const;

    // A command's button at the end of the choices' row.
    void addCommandButton(QPushButton* button);

signals:
    // A choice under the graph changed; the graph is to be built again.
    void choicesChanged();

private:
    LineChart* m_chart; // Chart2D1
    QLabel* m_trendLegend;
    QCheckBox* m_spaceByDate;
    bool m_trendShown = false;
    QHBoxLayout* m_choices;
};
