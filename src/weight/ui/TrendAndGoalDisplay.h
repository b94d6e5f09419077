#pragma once

#include "weight/ProgressStatistics.h"

#include <QObject>

#include <array>

class ProgramFolder;
class QLabel;
class QPushButton;
class TrackerLogPanel;
class WeightStatistics;

// The figures beside the weigh-in log: the two trend pictures with their
// captions, the goal message, and the switch that shows or hides the
// trends. The widgets sit on the log panel's side.
class TrendAndGoalDisplay : public QObject
{
    Q_OBJECT

public:
    TrendAndGoalDisplay(TrackerLogPanel& panel, const ProgramFolder& folder, QObject* parent);

    // The icons of the trend pictures (a missing icon file leaves its
    // picture empty) and the goal message.
    void show(const ProgressStatistics::TrendAndGoal& trend);
    void clear();
    // The trend weight, its weekly rate, the goal's projected date and the
    // body mass index, under the pictures.
    void showFigures(const WeightStatistics& statistics);
    QString trendWeightText() const;
    QString projectionText() const;
    QString bodyMassIndexText() const;
    // The switch's caption says what a click would do. Switched off it
    // hides the figures too.
    void setTrendsShown(bool on);
    bool trendsShown() const;
    // The trend weight, rate, projection and index are shown only when the
    // Options menu asks for them.
    void setFiguresShown(bool on);

signals:
    void switchClicked();

private:
    void showIcon(QLabel* picture, const QString& name);
    void showFiguresAsChosen();

    const ProgramFolder& m_folder;
    QPushButton* m_trendSwitch; // SSCommand10
    std::array<QLabel*, 2> m_trendLabels {}; // Label12(0), Label12(1)
    QLabel* m_lastEntryTrend; // Image8
    QLabel* m_beginningTrend; // Image9
    QLabel* m_congratulations; // Label16
    QLabel* m_goalAchieved; // Label14
    QLabel* m_trendWeight;
    QLabel* m_weeklyRate;
    QLabel* m_projection;
    QLabel* m_bodyMassIndex;
    bool m_figuresChosen = false;
};
