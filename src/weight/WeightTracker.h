#pragma once

#include "screens/TrackerScreen.h"
#include "weight/WeightFile.h"

#include <QDate>
#include <QString>

#include <array>

class DataGrid;
class HelpService;
class LineChart;
class MonthCalendar;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TrackerLog;

// The Weight Tracker: one individual's header figures, exercise plan and
// weigh-in log, the derived columns with the trend pictures and the goal
// message, and the graph of the last 50 weigh-ins.
class WeightTracker : public TrackerScreen
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 1010;
    static constexpr int PrintOptionsHelpTopic = 1014;

    WeightTracker(const ScreenServices& services, const QString& familyName,
        HelpService* help = nullptr, QWidget* parent = nullptr);
    ~WeightTracker() override;

    // "GOAL" while the goal message is shown, read by the report.
    QString goalReached() const { return m_goalReached; }

    // --- commands --------------------------------------------------------
    void viewPlanInformation();
    void viewWeightTracker();
    void graphDisplay();
    void addRow();
    void deleteRow();
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
    void setPanelActionsEnabled(bool enabled) override;
    void refreshAfterSave() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildHeaderPanel();
    void buildPlanPanel();
    void buildLogPanel();
    void buildGraphPanel();
    void buildCalendars();
    void layOutScreen();
    void connectEntryBoxes();

    // The Text1 rules: highlight, calendar placement, character rules and
    // Enter.
    void entryBoxFocused(int index);
    void entryBoxLeft();
    void entryBoxClicked(int index);
    void entryBoxEdited(int index);
    void entryBoxEnter(int index);
    void commentsChanged();
    void logDatePicked(const QDate& date);
    void removeQuoteFromEditor();
    void beginningDatePicked(const QDate& date);

    // From the screen to the file and back.
    WeightFile displayedFile(const QString& name) const;
    void showFile(const WeightFile& file);

    // RecomputeDerivedColumns and UpdateTrendAndGoal over the displayed log.
    void recomputeDerivedColumns();
    void updateTrendAndGoal();
    void logEdited();
    void applyTrendDisplay(bool on);
    void showLegendMarks(bool shown);
    void hideGraphLegend() { showLegendMarks(false); }
    void rebuildGraph();
    // Rows 1 to N - 1 of the log as the grid holds them.
    QList<WeighIn> logRows() const;
    bool graphOnDisplay() const;
    void setColumnWidths();

    HelpService* m_help;

    std::array<QLineEdit*, 9> m_entryBoxes {}; // Text1(0) to Text1(8)
    QLineEdit* m_normalColourBox = nullptr; // Text2
    QPlainTextEdit* m_comments = nullptr; // Text3
    QLabel* m_commentLength = nullptr; // Label15
    std::array<QLabel*, 6> m_fieldLabels {}; // Label3(0) to Label3(5)
    std::array<QFrame*, 2> m_legendLines {}; // Line3(0) beginning, Line3(1) goal
    QFrame* m_headerPanel = nullptr; // SSPanel1
    QFrame* m_planPanel = nullptr; // SSPanel2
    QFrame* m_logPanel = nullptr; // SSPanel3
    QGroupBox* m_graphPanel = nullptr; // SSPanel4
    QGroupBox* m_picturesFrame = nullptr; // SSFrame3
    std::array<QLabel*, 2> m_pictures {}; // Image2(0), Image2(1)
    QPushButton* m_viewPlanButton = nullptr; // Command3
    QPushButton* m_viewLogButton = nullptr; // Command4
    QPushButton* m_graphButton = nullptr; // Command5
    QPushButton* m_saveNewButton = nullptr; // Command11
    QPushButton* m_addRowButton = nullptr; // SSCommand8
    QPushButton* m_deleteRowButton = nullptr; // SSCommand9
    QPushButton* m_trendSwitch = nullptr; // SSCommand10
    QAction* m_viewPlanAction = nullptr; // mOIn
    QAction* m_viewLogAction = nullptr; // mOMnt
    std::array<QLabel*, 2> m_trendLabels {}; // Label12(0), Label12(1)
    QLabel* m_lastEntryTrend = nullptr; // Image8
    QLabel* m_beginningTrend = nullptr; // Image9
    QLabel* m_congratulations = nullptr; // Label16
    QLabel* m_goalAchieved = nullptr; // Label14
    DataGrid* m_grid = nullptr; // Grid4
    MonthCalendar* m_headerCalendar = nullptr; // MonthView1
    MonthCalendar* m_logCalendar = nullptr; // MonthView2
    LineChart* m_chart = nullptr; // Chart2D1
    TrackerLog* m_log = nullptr;
    std::array<QLabel*, 4> m_columnHeadings {}; // Label11, Label9, Label10, Label23
    QWidget* m_headingIndent = nullptr;

    // Pictures come with their own screen; their references are kept so
    // that a save never drops them.
    std::optional<QString> m_beginningPicture;
    std::optional<QString> m_currentPicture;

    int m_calendarTarget = 1;
    bool m_firstFocusSkipped = false;
    // The program writing log cells is not an edit by the user.
    bool m_writingLog = false;
    QString m_goalReached;
};
