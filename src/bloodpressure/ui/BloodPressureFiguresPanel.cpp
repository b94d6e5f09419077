#include "BloodPressureFiguresPanel.h"

#include "bloodpressure/BloodPressureStatistics.h"
#include "bloodpressure/BloodPressureSummaryText.h"
#include "screens/NamedWidget.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

BloodPressureFiguresPanel::BloodPressureFiguresPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("BPFigures"));
    m_morningAndEvening = named(new QLabel(this), "LabelMorningEvening");
    // The line wraps rather than widening the window on a small screen.
    m_morningAndEvening->setWordWrap(true);
    m_morningAndEvening->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_guideline = named(new QLabel(this), "LabelGuideline");
    m_homeWeekButton
        = named(new QPushButton(QStringLiteral("Home-Monitoring Week"), this), "CommandHomeWeek");
    m_homeWeekButton->setCheckable(true);
    m_homeWeekPanel
        = named(new QGroupBox(QStringLiteral("Home-Monitoring Week"), this), "PanelHomeWeek");
    m_homeWeek = named(new QLabel(m_homeWeekPanel), "LabelHomeWeek");
    m_homeWeek->setWordWrap(true);
    auto* panelLayout = new QVBoxLayout(m_homeWeekPanel);
    panelLayout->addWidget(m_homeWeek);
    m_homeWeekPanel->hide();
    connect(m_homeWeekButton, &QPushButton::toggled, m_homeWeekPanel, &QWidget::setVisible);

    auto* row = new QHBoxLayout;
    row->addWidget(m_guideline);
    row->addStretch(1);
    row->addWidget(m_homeWeekButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_morningAndEvening);
    layout->addLayout(row);
    layout->addWidget(m_homeWeekPanel);
}

void BloodPressureFiguresPanel::show(const BloodPressureStatistics& statistics)
{
    using Text = BloodPressureSummaryText;
    m_morningAndEvening->setText(Text::morningAndEvening(statistics));
    m_guideline->setText(QStringLiteral("Colors: ") + statistics.guideline->name());
    const QStringList week = Text::homeWeek(statistics);
    m_homeWeek->setText(week.isEmpty() ? Text::NotEnoughDays : week.join(QLatin1Char('\n')));
}
