#include "weight/ui/WeightGraphPanel.h"

#include "screens/LineChart.h"
#include "screens/NamedWidget.h"
#include "storage/GraphData.h"

#include <QVBoxLayout>

WeightGraphPanel::WeightGraphPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("SSPanel4"));
    m_chart = named(new LineChart(this), "Chart2D1");
    m_chart->setAccessibleName(QStringLiteral("Weight graph"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart);
}

void WeightGraphPanel::showGraph(const GraphData& graph)
{
    m_chart->showGraph(graph);
    setTitle(graph.caption);
}

QImage WeightGraphPanel::exportGraph(const QString& filePath)
{
    QImage graph;
    m_chart->exportJpeg(filePath, &graph);
    return graph;
}
