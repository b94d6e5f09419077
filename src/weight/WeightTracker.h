#pragma once

#include "screens/TrackerScreen.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>

class LineChart;
class MonthCalendar;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The Weight Tracker: one individual's header figures, exercise plan and
// weigh-in log, the derived columns with the trend pictures and the goal
// message, and the graph of the last 50 weigh-ins.
class WeightTracker : public TrackerScreen
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 1010;
    static constexpr int PrintOptionsHelpTopic = 1014;

    explicit WeightTracker(const ScreenServices& services, QWidget* parent = nullptr);
    ~WeightTracker() override;

    // "GOAL" while the goal message is shown, read by the report.
    QString goalReached() const { return m_goalReached; }

    // --- commands --------------------------------------------------------
    void viewPlanInformation();
    void viewWeightTracker();
    void graphDisplay();
    void toggleTrendDisplay();

protected:
    void prepareScreen() override;
    void hideTransientViews() override;
    void hideDataPanels() override;
    void clearDisplayedIndividual() override;
    void showCreatePanels() override;
    bool loadIndividual(const QString& name) override;
    void showLoadedIndividual() override;
    WriteOutcome writeIndividualFile(const QString& name) override;
    WriteOutcome createIndividualFile(IndividualList& list, const QString& name) override;
    void refreshAfterSave() override;

    void logCellEdited() override { logEdited(); }
    void logRowsPacked() override { logEdited(); }
    // Delete Row leaves the derived columns as they were.
    void logRowDeleted() override { updateTrendAndGoal(); }
    void logDateAccepted(int row) override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHeaderPanel();
    QWidget* buildPlanPanel();
    void buildLogSide();
    QWidget* buildGraphPanel();
    void buildHeaderCalendar();
    void buildCommands();

    // The Text1 rules of the weight screen: calendar placement, character
    // rules and Enter moving on.
    void entryBoxFocused(int index);
    void entryBoxClicked(int index);
    void entryBoxEdited(int index);
    void entryBoxEnter(int index);
    void commentsChanged();
    void showCommentLength();
    void beginningDatePicked(const QDate& date);

    // From the screen to the file and back.
    WeightFile displayedFile(const QString& name) const;
    void showFile(const WeightFile& file);

    // RecomputeDerivedColumns and UpdateTrendAndGoal over the displayed log.
    // Each returns or takes the rows and derived cells it works on, so that
    // one pass over a long log serves them all.
    QList<ProgressStatistics::DerivedRow> recomputeDerivedColumns(const QList<WeighIn>& rows);
    void updateTrendAndGoal();
    void showTrendAndGoal(
        const QList<WeighIn>& rows, const QList<ProgressStatistics::DerivedRow>& derived);
    void logEdited();
    void showLogPanel();
    void applyTrendDisplay(bool on);
    void showLegendMarks(bool shown);
    void rebuildGraph(const QList<WeighIn>& rows);
    // Rows 1 to N - 1 of the log as the grid holds them.
    QList<WeighIn> logRows() const;
    bool graphOnDisplay() const;

    std::array<QLineEdit*, 9> m_entryBoxes {}; // Text1(0) to Text1(8)
    QPlainTextEdit* m_comments = nullptr; // Text3
    QLabel* m_commentLength = nullptr; // Label15
    std::array<QLabel*, 6> m_fieldLabels {}; // Label3(0) to Label3(5)
    std::array<QFrame*, 2> m_legendLines {}; // Line3(0) beginning, Line3(1) goal
    QFrame* m_planPanel = nullptr; // SSPanel2
    QGroupBox* m_graphPanel = nullptr; // SSPanel4
    QGroupBox* m_picturesFrame = nullptr; // SSFrame3
    std::array<QLabel*, 2> m_pictures {}; // Image2(0), Image2(1)
    QAction* m_viewPlanAction = nullptr; // mOIn, Command3
    QAction* m_viewLogAction = nullptr; // mOMnt, Command4
    QAction* m_graphAction = nullptr; // Command5
    QPushButton* m_saveNewButton = nullptr; // Command11
    QPushButton* m_trendSwitch = nullptr; // SSCommand10
    std::array<QLabel*, 2> m_trendLabels {}; // Label12(0), Label12(1)
    QLabel* m_lastEntryTrend = nullptr; // Image8
    QLabel* m_beginningTrend = nullptr; // Image9
    QLabel* m_congratulations = nullptr; // Label16
    QLabel* m_goalAchieved = nullptr; // Label14
    MonthCalendar* m_headerCalendar = nullptr; // MonthView1
    LineChart* m_chart = nullptr; // Chart2D1

    // Pictures come with their own screen; their references are kept so
    // that a save never drops them.
    std::optional<QString> m_beginningPicture;
    std::optional<QString> m_currentPicture;

    int m_calendarTarget = 1;
    QString m_goalReached;
};
