#include "WeightReportOptionsBox.h"

#include "screens/NamedWidget.h"

#include <QCheckBox>
#include <QVBoxLayout>

WeightReportOptionsBox::WeightReportOptionsBox(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(arrayElementName("SSFrame80", 2));
    auto check = [this](const QString& caption, const QString& name, bool ticked) {
        auto* box = named(new QCheckBox(caption, this), name);
        box->setChecked(ticked);
        return box;
    };
    m_graph = check(QStringLiteral("Print Graph"), QStringLiteral("SSCheck3"), true);
    m_plan = check(QStringLiteral("Plan Information"), arrayElementName("SSCheck80", 0), true);
    m_data = check(QStringLiteral("Weight Tracker Data"), arrayElementName("SSCheck80", 1), true);
    m_pictures[0]
        = check(QStringLiteral("Picture(Beginning)"), arrayElementName("SSCheck2", 0), false);
    m_pictures[1]
        = check(QStringLiteral("Picture(Current)"), arrayElementName("SSCheck2", 1), false);
    m_borderLines = check(QStringLiteral("Print Border Lines"), QStringLiteral("SSCheck1"), false);
    m_dividerLines = check(QStringLiteral("Divider Lines"), QStringLiteral("SSCheck4"), false);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box :
        { m_graph, m_plan, m_data, m_pictures[0], m_pictures[1], m_borderLines, m_dividerLines }) {
        layout->addWidget(box);
        const bool picture = box == m_pictures[0] || box == m_pictures[1];
        connect(box, &QCheckBox::clicked, this, [this, picture] {
            if (!picture || m_plan->isChecked())
                emit rebuildRequested();
        });
    }
}

WeightReport::Options WeightReportOptionsBox::options() const
{
    WeightReport::Options options;
    options.printGraph = m_graph->isChecked();
    options.planInformation = m_plan->isChecked();
    options.weightTrackerData = m_data->isChecked();
    options.beginningPicture = m_pictures[0]->isChecked();
    options.currentPicture = m_pictures[1]->isChecked();
    options.borderLines = m_borderLines->isChecked();
    options.dividerLines = m_dividerLines->isChecked();
    return options;
}

void WeightReportOptionsBox::prepareForOpening(bool beginningPictureShown, bool currentPictureShown)
{
    setEnabled(true);
    pictureOptionAvailable(m_pictures[0], beginningPictureShown);
    pictureOptionAvailable(m_pictures[1], currentPictureShown);
}

void WeightReportOptionsBox::pictureOptionAvailable(QCheckBox* option, bool available)
{
    option->setChecked(false);
    option->setEnabled(available);
    QFont font = option->font();
    font.setStrikeOut(!available);
    option->setFont(font);
}
