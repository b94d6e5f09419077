#include "BloodPressureGraphPanel.h"

#include "bloodpressure/BloodPressureGraphData.h"
#include "screens/AccessibleNames.h"
#include "screens/LegendSample.h"
#include "screens/LineChart.h"
#include "screens/NamedWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPoint>
#include <QVBoxLayout>

#include <array>

BloodPressureGraphPanel::BloodPressureGraphPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("SSPanel4"));
    m_chart = named(new LineChart(this), "Chart2D1");
    m_timeShown = named(new QCheckBox(QStringLiteral("Display Time of Reading"), this), "SSCheck4");
    connect(m_timeShown, &QCheckBox::toggled, this, &BloodPressureGraphPanel::timeDisplayToggled);

    // The legend shows each line as the graph draws it; the graph's series
    // are, in order, systolic normal, systolic, diastolic normal, diastolic
    // and pulse.
    const GraphData looks = BloodPressureGraphData::screenGraph(QString(), {}, false);
    const std::array<QString, 5> captions { QStringLiteral("Systolic Reading:"),
        QStringLiteral("Systolic Normal:"), QStringLiteral("Diastolic Reading:"),
        QStringLiteral("Diastolic Normal:"), QStringLiteral("Pulse:") };
    const std::array<int, 5> seriesOfLabel { 1, 0, 3, 2, 4 };
    // Each reading beside its normal line, one line of the legend each, so
    // that the legend fits the narrowest window.
    const std::array<QPoint, 5> places { QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1),
        QPoint(0, 2) };
    auto* legend = new QGridLayout;
    legend->setHorizontalSpacing(8);
    for (int i = 0; i < 5; ++i) {
        const int row = places[i].y();
        const int column = 2 * places[i].x();
        legend->addWidget(named(new QLabel(captions[i], this), arrayElementName("Label3", i)), row,
            column, Qt::AlignRight);
        auto* sample = new LegendSample(looks.series.at(seriesOfLabel[i]), this);
        // A screen reader cannot see the line: it is told which it is.
        sample->setAccessibleName(
            AccessibleNames::fromCaption(captions[i]) + QStringLiteral(" line of the graph"));
        legend->addWidget(sample, row, column + 1);
    }
    // The time switch takes the place beside "Pulse:", so that the legend
    // and the switch fit the panel of an 800 by 600 screen.
    legend->addWidget(m_timeShown, 2, 2, 1, 2, Qt::AlignRight);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addLayout(legend);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_chart, 1);
    layout->addLayout(bottom);
    hide();
}

bool BloodPressureGraphPanel::timeShown() const
{
    return m_timeShown->isChecked();
}

void BloodPressureGraphPanel::showGraph(const GraphData& graph)
{
    m_chart->showGraph(graph);
    setTitle(graph.caption);
}
