#pragma once

#include "storage/WeightPersonSettings.h"
#include "trackers/ui/TrackerScreen.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"
#include "weight/WeightReport.h"

#include <QDate>
#include <QImage>
#include <QString>

#include <array>

class AdditionOption;
class MonthCalendar;
class ProgressPictures;
class PrintOptionsPanel;
class TrendAndGoalDisplay;
class WeightAveragesPanel;
class WeightGraphPanel;
class WeightStatistics;
class WeightHeaderPanel;
class WeightLogGrid;
class WeightPlanPanel;
class WeightReportPrinting;
class QLineEdit;

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

    // The Text1 boxes by what they hold. Each value is the box's Text1 index,
    // which names the control and the weight file's header field.
    enum EntryBox {
        NameBox = 0,
        BeginningDateBox = 1,
        BeginningWeightBox = 2,
        GoalWeightBox = 3,
        DaysPerWeekBox = 4,
        TimePerPeriodBox = 5,
        ExerciseTypesBox = 6,
        BeginningPictureDateBox = 7,
        CurrentPictureDateBox = 8,
    };

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
    // "&Averages and Units": the weekly and monthly averages and the
    // person's unit, stones and height.
    void viewAverages();
    void saveUnits();
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
    QWidget* buildAveragesPanel();
    void buildHeaderCalendar();
    void buildCommands();
    void buildPrintPanel();
    // The Options menu's choices beyond the screen as it always was.
    void buildAdditions();

    // The Text1 rules of the weight screen: calendar placement, character
    // rules and Enter moving on.
    void entryBoxFocused(int index);
    void entryBoxClicked(int index);
    void entryBoxEdited(int index);
    void entryBoxEnter(int index);
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
    void rebuildGraph(const QList<WeighIn>& rows);
    // The trend, averages and BMI of the log in the person's units.
    WeightStatistics statistics(const QList<WeighIn>& rows) const;
    void loadPersonSettings();
    void showAverages(const QList<WeighIn>& rows);
    // The weigh-in log on the grid, and its rows 1 to N - 1 as the grid
    // holds them.
    WeightLogGrid log() const;
    QList<WeighIn> logRows() const;
    // The picture dates in the form the boxes show, whatever was stored.
    void showPictureDatesAsShown();
    bool graphOnDisplay() const;

    // The print run: the report's values of the displayed individual, with
    // this run's graph.
    WeightReport::Values reportValues();
    QImage exportGraph();

    WeightHeaderPanel* m_header = nullptr; // SSPanel1
    std::array<QLineEdit*, 9> m_entryBoxes {}; // Text1(0) to Text1(8), by EntryBox
    WeightPlanPanel* m_planPanel = nullptr; // SSPanel2
    WeightGraphPanel* m_graphPanel = nullptr; // SSPanel4
    WeightAveragesPanel* m_averagesPanel = nullptr;
    ProgressPictures* m_pictures = nullptr; // SSFrame3 and its browser
    TrendAndGoalDisplay* m_trendAndGoal = nullptr;
    QAction* m_viewPlanAction = nullptr; // mOIn, Command3
    QAction* m_viewLogAction = nullptr; // mOMnt, Command4
    QAction* m_graphAction = nullptr; // Command5
    QAction* m_averagesAction = nullptr;
    AdditionOption* m_graphTrendOption = nullptr;
    AdditionOption* m_logFiguresOption = nullptr;
    MonthCalendar* m_headerCalendar = nullptr; // MonthView1
    PrintOptionsPanel* m_printPanel = nullptr; // SSPanel80
    WeightReportPrinting* m_printing = nullptr;

    int m_calendarTarget = BeginningDateBox;
    QString m_goalReached;
    // The displayed person's units, kept in Halvorn.ini.
    WeightPersonSettings::Values m_personSettings;
};
