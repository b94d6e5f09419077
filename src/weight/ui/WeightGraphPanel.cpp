#include "weight/ui/WeightGraphPanel.h"

#include "screens/LineChart.h"
#include "screens/NamedWidget.h"
#include "screens/ScreenColour.h"
#include "storage/GraphData.h"
#include "weight/WeightGraphData.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WeightGraphPanel::WeightGraphPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("SSPanel4"));
    m_chart = named(new LineChart(this), "Chart2D1");
    m_chart->setAccessibleName(QStringLiteral("Weight graph"));
    // The word in the line's colour is the line's legend.
    m_trendLegend = named(new QLabel(QStringLiteral("Trend"), this), "TrendLegend");
    QPalette palette = m_trendLegend->palette();
    palette.setColor(QPalette::WindowText, ScreenColour::toQColor(WeightGraphData::TrendColour));
    m_trendLegend->setPalette(palette);
    m_trendLegend->hide();
    m_spaceByDate = named(new QCheckBox(QStringLiteral("Space by Date"), this), "SpaceByDateCheck");
    connect(m_spaceByDate, &QCheckBox::toggled, this, &WeightGraphPanel::choicesChanged);

    m_choices = new QHBoxLayout;
    m_choices->addWidget(m_trendLegend);
    m_choices->addWidget(m_spaceByDate);
    m_choices->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addLayout(m_choices);
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

void WeightGraphPanel::addCommandButton(QPushButton* button)
{
    m_choices->addWidget(button);
}

void WeightGraphPanel::setTrendShown(bool shown)
{
    m_trendShown = shown;
    m_trendLegend->setVisible(shown);
}

bool WeightGraphPanel::spacedByDate() const
{
    return m_spaceByDate->isChecked();
}
