#pragma once

#include "trackers/ui/TrackerScreen.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"

#include <QDate>
#include <QImage>
#include <QString>

#include <array>

class LineChart;
class MonthCalendar;
class ProgressPictures;
class PrintDocument;
class PrintOptionsPanel;
class QPageLayout;
class WeightReportOptionsBox;
struct PrintFont;
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
    // The graph picture every print run writes, beside the data.
    static inline const QString ChartFileName = QStringLiteral("Chartxxx.jpg");

    explicit WeightTracker(const ScreenServices& services, QWidget* parent = nullptr);
    ~WeightTracker() override;

    // "GOAL" while the goal message is shown, read by the report.
    QString goalReached() const { return m_goalReached; }
    // For the report: the stored path of a progress picture (0 beginning,
    // 1 current), trimmed, and whether that picture is loaded and shown.
    QString pictureReference(int picture) const;
    bool pictureShown(int picture) const;

    // --- commands --------------------------------------------------------
    void viewPlanInformation();
    void viewWeightTracker();
    void graphDisplay();
    void toggleTrendDisplay();
    // "&Print Options": the save question, then the panel with the report.
    void printOptions();

protected:
    void prepareScreen() override;
    void hideTransientViews() override;
    void hideDataPanels() override;
    void clearDisplayedIndividual() override;
    void showCreatePanels() override;
    bool loadIndividual(const QString& name) override;
    void showLoadedIndividual() override;
    Outcome writeIndividualFile(const QString& name) override;
    Outcome createIndividualFile(IndividualList& list, const QString& name) override;
    void refreshAfterSave() override;

    void logCellEdited() override { logEdited(); }
    void logRowsPacked() override { logEdited(); }
    // Delete Row leaves the derived columns as they were.
    void logRowDeleted() override { updateTrendAndGoal(); }
    void logDateAccepted(int row) override;
    // The weight screen keeps nothing by row number.
    void logRowsAboutToMove() override { }

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool closeTopmostView() override;
    bool printOptionsOpen() const override;

private:
    QWidget* buildHeaderPanel();
    QWidget* buildPlanPanel();
    void buildLogSide();
    QWidget* buildGraphPanel();
    void buildHeaderCalendar();
    void buildCommands();
    void buildPrintPanel();

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

    // The print run: the report of the displayed individual for a page and
    // font, with this run's graph.
    PrintDocument buildReport(const QPageLayout& layout, const PrintFont& font);
    QImage exportGraph();

    std::array<QLineEdit*, 9> m_entryBoxes {}; // Text1(0) to Text1(8)
    QPlainTextEdit* m_comments = nullptr; // Text3
    QLabel* m_commentLength = nullptr; // Label15
    std::array<QLabel*, 6> m_fieldLabels {}; // Label3(0) to Label3(5)
    std::array<QFrame*, 2> m_legendLines {}; // Line3(0) beginning, Line3(1) goal
    QFrame* m_planPanel = nullptr; // SSPanel2
    QGroupBox* m_graphPanel = nullptr; // SSPanel4
    ProgressPictures* m_pictures = nullptr; // SSFrame3 and its browser
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
    PrintOptionsPanel* m_printPanel = nullptr; // SSPanel80
    WeightReportOptionsBox* m_reportOptions = nullptr; // SSFrame80(2)
    // The progress pictures as loaded when the panel opened, reused by every
    // rebuild while it is open; null when not shown.
    std::array<QImage, 2> m_reportPictures;

    int m_calendarTarget = 1;
    QString m_goalReached;
};
