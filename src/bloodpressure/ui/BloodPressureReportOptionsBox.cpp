#include "BloodPressureReportOptionsBox.h"

#include "bloodpressure/PrintEntryCount.h"
#include "screens/NamedWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int ChoicesPerRow = 5;

} // namespace

BloodPressureReportOptionsBox::BloodPressureReportOptionsBox(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("BPReportOptions"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(named(new QLabel(QStringLiteral("Print this No. Entries:"), this), "Label5"));
    auto* choices = new QGridLayout;
    for (int i = 0; i < int(m_entryCounts.size()); ++i) {
        const QString caption
            = i == 0 ? QStringLiteral("All") : QString::number(PrintEntryCount::Choices[i - 1]);
        m_entryCounts[i] = named(new QRadioButton(caption, this), arrayElementName("SSOption2", i));
        choices->addWidget(m_entryCounts[i], i / ChoicesPerRow, i % ChoicesPerRow);
        connect(m_entryCounts[i], &QRadioButton::clicked, this, [this, i] { chooseEntryCount(i); });
    }
    m_entryCounts[0]->setChecked(true);
    layout->addLayout(choices);

    auto check = [this, layout](const QString& caption, const char* name, bool ticked) {
        auto* box = named(new QCheckBox(caption, this), name);
        box->setChecked(ticked);
        layout->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &BloodPressureReportOptionsBox::rebuildRequested);
        return box;
    };
    m_graph = check(QStringLiteral("Print Graph (Limit: Up to 50 Entries)"), "SSCheck3", true);
    m_borderLines = check(QStringLiteral("Print Border Gridline "), "SSCheck1", false);
    m_dividerLines = check(QStringLiteral("Print Divider Line every 5 Entries"), "SSCheck2", false);
    m_summaryPage = check(QStringLiteral("Summary Page"), "SummaryPage", false);
}

BloodPressureReport::Options BloodPressureReportOptionsBox::options() const
{
    BloodPressureReport::Options options;
    options.entryCount = m_entryCount;
    options.printGraph = m_graph->isChecked();
    options.borderLines = m_borderLines->isChecked();
    options.dividerLines = m_dividerLines->isChecked();
    options.summaryPage = m_summaryPage->isChecked();
    return options;
}

void BloodPressureReportOptionsBox::prepareForOpening(int datedEntries)
{
    m_entryCount = 0;
    m_entryCounts[0]->setChecked(true);
    for (int i = 1; i < int(m_entryCounts.size()); ++i)
        m_entryCounts[i]->setVisible(PrintEntryCount::Choices[i - 1] < datedEntries);
}

void BloodPressureReportOptionsBox::chooseEntryCount(int index)
{
    m_entryCount = index == 0 ? 0 : PrintEntryCount::Choices[index - 1];
    emit rebuildRequested();
}
