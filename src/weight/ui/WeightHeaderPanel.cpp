#include "weight/ui/WeightHeaderPanel.h"

#include "screens/AccessibleNames.h"
#include "screens/EntryBoxGroup.h"
#include "screens/NamedWidget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// Colours the screen's rules name.
const QColor BeginningLegend(128, 128, 255);
const QColor GoalLegend(128, 255, 255);

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
}

} // namespace

WeightHeaderPanel::WeightHeaderPanel(QLineEdit* nameBox, EntryBoxGroup& entryBoxes,
    QBoxLayout* nameRow, QLabel* createNote, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("SSPanel1"));
    setFrameShape(QFrame::StyledPanel);
    m_boxes[0] = nameBox;
    for (int i = 1; i < BoxCount; ++i) {
        m_boxes[i] = named(new QLineEdit(parent), arrayElementName("Text1", i));
        entryBoxes.add(m_boxes[i], i);
    }
    const std::array<int, BoxCount> limits { 25, 25, 15, 20, 20, 20, 100, 20, 20 };
    for (int i = 0; i < BoxCount; ++i)
        m_boxes[i]->setMaxLength(limits[i]);

    const std::array<QString, FieldLabelCount> captions { QStringLiteral("Beginning Date:"),
        QStringLiteral("Beginning Weight:"), QStringLiteral("Goal Weight:"),
        QStringLiteral("Average Number of Days Per Week:"),
        QStringLiteral("Average Time Per Exercise Period:"), QStringLiteral("Types of Exercise:") };
    for (int i = 0; i < FieldLabelCount; ++i) {
        m_fieldLabels[i] = named(new QLabel(captions[i], parent), arrayElementName("Label3", i));
        AccessibleNames::labelField(m_fieldLabels[i], m_boxes[i + 1]);
    }
    for (int i = 0; i < 2; ++i) {
        m_legendLines[i] = named(new QFrame(parent), arrayElementName("Line3", i));
        m_legendLines[i]->setFixedHeight(4);
        m_legendLines[i]->setAutoFillBackground(true);
        setBackground(m_legendLines[i], i == 0 ? BeginningLegend : GoalLegend);
        // What the colour tells the eye, said to a screen reader.
        m_legendLines[i]->setAccessibleName(i == 0
                ? QStringLiteral("Beginning weight line of the graph")
                : QStringLiteral("Goal weight line of the graph"));
        m_legendLines[i]->hide();
    }

    auto* figures = new QHBoxLayout;
    auto addField = [&](QLabel* caption, QLineEdit* box, QFrame* line) {
        auto* captionColumn = new QVBoxLayout;
        captionColumn->setSpacing(1);
        captionColumn->addWidget(caption);
        if (line)
            captionColumn->addWidget(line);
        figures->addLayout(captionColumn);
        figures->addWidget(box, 1);
        figures->addSpacing(12);
    };
    addField(m_fieldLabels[0], m_boxes[1], nullptr);
    addField(m_fieldLabels[1], m_boxes[2], m_legendLines[0]);
    addField(m_fieldLabels[2], m_boxes[3], m_legendLines[1]);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(createNote);
    layout->addLayout(figures);
}

void WeightHeaderPanel::showLegendMarks(bool shown)
{
    for (int i = 0; i < 2; ++i) {
        QLabel* caption = m_fieldLabels[1 + i];
        caption->setAutoFillBackground(shown);
        if (shown)
            setBackground(caption, i == 0 ? BeginningLegend : GoalLegend);
        m_legendLines[i]->setVisible(shown);
    }
}
