#include "weight/ui/TrendAndGoalDisplay.h"

#include "screens/NamedWidget.h"
#include "storage/ProgramFolder.h"
#include "trackers/ui/TrackerLogPanel.h"
#include "weight/WeightStatistics.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString TrendsOnCaption = QStringLiteral("Turn Trend Display OFF");
const QString TrendsOffCaption = QStringLiteral("Turn Trend Display ON");

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QLabel(text, parent), name);
}

} // namespace

TrendAndGoalDisplay::TrendAndGoalDisplay(
    TrackerLogPanel& panel, const ProgramFolder& folder, QObject* parent)
    : QObject(parent)
    , m_folder(folder)
{
    m_trendSwitch = named(new QPushButton(TrendsOnCaption, &panel), "SSCommand10");
    connect(m_trendSwitch, &QPushButton::clicked, this, &TrendAndGoalDisplay::switchClicked);

    m_trendLabels[0]
        = label(&panel, QStringLiteral("Label12_0"), QStringLiteral("Last  Entry Trend "));
    m_trendLabels[1]
        = label(&panel, QStringLiteral("Label12_1"), QStringLiteral("Beginning Weight  Trend   "));
    m_lastEntryTrend = label(&panel, QStringLiteral("Image8"), QString());
    m_beginningTrend = label(&panel, QStringLiteral("Image9"), QString());
    for (QLabel* picture : { m_lastEntryTrend, m_beginningTrend }) {
        picture->setFixedSize(48, 48);
        picture->setAlignment(Qt::AlignCenter);
    }
    // On a small screen the captions take two lines and leave the log room.
    for (QLabel* caption : m_trendLabels) {
        caption->setWordWrap(true);
        caption->setAlignment(Qt::AlignCenter);
    }
    m_lastEntryTrend->setAccessibleName(QStringLiteral("Last entry trend"));
    m_beginningTrend->setAccessibleName(QStringLiteral("Beginning weight trend"));
    m_congratulations
        = label(&panel, QStringLiteral("Label16"), QStringLiteral("CONGRATULATIONS!"));
    m_goalAchieved
        = label(&panel, QStringLiteral("Label14"), QStringLiteral("GOAL WEIGHT ACHIEVED!"));
    for (QLabel* goal : { m_congratulations, m_goalAchieved }) {
        QFont font = goal->font();
        font.setBold(true);
        font.setPointSize(font.pointSize() + 2);
        goal->setFont(font);
        goal->setAlignment(Qt::AlignCenter);
        QPalette palette = goal->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 128, 0));
        goal->setPalette(palette);
        goal->hide();
    }

    auto* trends = new QGridLayout;
    trends->addWidget(m_trendLabels[0], 0, 0, Qt::AlignCenter);
    trends->addWidget(m_trendLabels[1], 0, 1, Qt::AlignCenter);
    trends->addWidget(m_lastEntryTrend, 1, 0, Qt::AlignCenter);
    trends->addWidget(m_beginningTrend, 1, 1, Qt::AlignCenter);
    panel.sideTop()->addLayout(trends);
    m_trendWeight = label(&panel, QStringLiteral("TrendWeight"), QString());
    QFont bold = m_trendWeight->font();
    bold.setBold(true);
    m_trendWeight->setFont(bold);
    m_weeklyRate = label(&panel, QStringLiteral("WeeklyRate"), QString());
    m_projection = label(&panel, QStringLiteral("GoalProjection"), QString());
    m_bodyMassIndex = label(&panel, QStringLiteral("BodyMassIndex"), QString());
    for (QLabel* figure : { m_trendWeight, m_weeklyRate, m_projection, m_bodyMassIndex }) {
        figure->setWordWrap(true);
        figure->setAlignment(Qt::AlignCenter);
        // The figures wrap within the side's width and never widen it: on
        // a small screen the log needs that room.
        figure->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

    panel.sideTop()->addWidget(m_trendWeight);
    panel.sideTop()->addWidget(m_weeklyRate);
    panel.sideTop()->addWidget(m_projection);
    panel.sideTop()->addWidget(m_bodyMassIndex);
    panel.sideTop()->addWidget(m_congratulations);
    panel.sideTop()->addWidget(m_goalAchieved);
    panel.sideBottom()->addWidget(m_trendSwitch);
    showFiguresAsChosen();
}

void TrendAndGoalDisplay::show(const ProgressStatistics::TrendAndGoal& trend)
{
    showIcon(m_lastEntryTrend, trend.lastEntryIcon);
    showIcon(m_beginningTrend, trend.beginningIcon);
    m_congratulations->setVisible(trend.goalMessageShown());
    m_goalAchieved->setVisible(trend.goalMessageShown());
}

void TrendAndGoalDisplay::showIcon(QLabel* picture, const QString& name)
{
    picture->setProperty("pictureName", name);
    picture->setAccessibleDescription(
        picture->accessibleName() + QStringLiteral(": ") + ProgressStatistics::trendInWords(name));
    const QPixmap icon = name.isEmpty() ? QPixmap() : QPixmap(m_folder.shippedFilePath(name));
    if (icon.isNull())
        picture->clear();
    else
        picture->setPixmap(
            icon.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TrendAndGoalDisplay::clear()
{
    m_lastEntryTrend->clear();
    m_beginningTrend->clear();
    m_congratulations->hide();
    m_goalAchieved->hide();
    for (QLabel* figure : { m_trendWeight, m_weeklyRate, m_projection, m_bodyMassIndex })
        figure->clear();
}

void TrendAndGoalDisplay::showFigures(const WeightStatistics& statistics)
{
    if (statistics.trend().isEmpty()) {
        for (QLabel* figure : { m_trendWeight, m_weeklyRate, m_projection, m_bodyMassIndex })
            figure->clear();
        return;
    }
    m_trendWeight->setText(statistics.trendText());
    m_weeklyRate->setText(statistics.rateText());
    // Beside the goal message a date would say the goal is still ahead.
    m_projection->setText(m_congratulations->isHidden() ? statistics.projectionText() : QString());
    m_bodyMassIndex->setText(statistics.bodyMassIndexText());
}

QString TrendAndGoalDisplay::trendWeightText() const
{
    return m_trendWeight->text();
}

QString TrendAndGoalDisplay::projectionText() const
{
    return m_projection->text();
}

QString TrendAndGoalDisplay::bodyMassIndexText() const
{
    return m_bodyMassIndex->text();
}

void TrendAndGoalDisplay::setTrendsShown(bool on)
{
    for (QWidget* widget : std::initializer_list<QWidget*> {
             m_trendLabels[0], m_trendLabels[1], m_lastEntryTrend, m_beginningTrend })
        widget->setVisible(on);
    m_trendSwitch->setText(on ? TrendsOnCaption : TrendsOffCaption);
    showFiguresAsChosen();
}

void TrendAndGoalDisplay::setFiguresShown(bool on)
{
    m_figuresChosen = on;
    showFiguresAsChosen();
}

void TrendAndGoalDisplay::showFiguresAsChosen()
{
    const bool shown = m_figuresChosen && trendsShown();
    for (QLabel* figure : { m_trendWeight, m_weeklyRate, m_projection, m_bodyMassIndex })
        figure->setVisible(shown);
}

bool TrendAndGoalDisplay::trendsShown() const
{
    return m_trendSwitch->text() == TrendsOnCaption;
}
