#pragma once

#include "bloodpressure/BloodPressureAverages.h"
#include "bloodpressure/BloodPressureGuideline.h"
#include "bloodpressure/Reading.h"
#include "trackers/ui/TrackerScreen.h"

#include <QList>
#include <QString>

class AdditionOption;
class AveragesRow;
class BloodPressureFiguresPanel;
class BloodPressureGraphPanel;
class BloodPressureReportOptionsBox;
class LineChart;
class MeasurementChart;
class PrintDocument;
class PrintOptionsPanel;
class QActionGroup;
class QImage;
class QPageLayout;
class ReadingEntryPanel;
struct PrintFont;

// The Blood Pressure Tracker: one individual's reading log, filled through
// the calendar and the entry panel's pick lists, with the averages under
// it, the chart of the blood-pressure categories and the graph of the last
// 50 readings. In create mode typing a name enables Save, which saves the
// new individual.
class BPTracker : public TrackerScreen
{
    Q_OBJECT

public:
    static constexpr int HelpTopic = 1016;
    static constexpr int PrintOptionsHelpTopic = 1014;
    // The picture of the graph that the printed report places on its page.
    static inline const QString GraphImageFileName = QStringLiteral("Chartxxx.jpg");

    explicit BPTracker(const ScreenServices& services, QWidget* parent = nullptr);
    ~BPTracker() override;

    // --- commands --------------------------------------------------------
    void viewMeasurementChart(); // Command3
    void viewMeasurements(); // Command4
    void graphDisplay(); // Command5
    void enterReading(); // SSCommand11(0)
    void cancelReading(); // SSCommand11(1)
    // "&Print Options": the save question, then the panel with the report.
    void printOptions(); // Command9
    // "&Guideline": the categories the chart, the log's colours, the report
    // and the figures follow, stored in the program settings.
    void chooseGuideline(BloodPressureGuideline::Id id);
    BloodPressureGuideline::Id guideline() const { return m_guideline; }

    // --- for the printed report ------------------------------------------
    // Rows 1 to N - 1 of the log as the grid holds them.
    QList<Reading> logRows() const;
    BloodPressureAverages averages() const;
    bool timeOfReadingShown() const;
    // BuildPrintGraph: the hidden graph (Chart2D2) of the last
    // printEntryCount readings; nothing for the choices the screen graph
    // serves ("All", 60, 90).
    void buildPrintGraph(int printEntryCount);
    // ExportGraphImage: the graph for printEntryCount, rebuilt from the log
    // as it stands, written to Chartxxx.jpg and, when asked, drawn into
    // drawn. A failed write is reported; the report takes the picture drawn
    // in memory, so that it never shows one an earlier export left there.
    Outcome exportGraphImage(int printEntryCount, QImage* drawn = nullptr);

    // The row the entry panel edits, or -1 while it is closed.
    int entryRow() const { return m_entryRow; }

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

    void logCellEdited() override { recomputeAverages(); }
    void logRowsPacked() override { recomputeAverages(); }
    void logRowDeleted() override { recomputeAverages(); }
    void logDateAccepted(int row) override { prepareReadingEntry(row); }
    // Enter must never write into a reading the sort or deletion moved
    // into the entry row's place.
    void logRowsAboutToMove() override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool closeTopmostView() override;
    bool printOptionsOpen() const override;

private:
    QWidget* buildHeader();
    void buildCommands();
    void buildLogSide();
    void buildPrintPanel();
    void buildGuidelineMenu();
    // The Options menu's choices beyond the screen as it always was.
    void buildAdditions();
    // The chart, the log's colours and the figures under the chosen
    // guideline; the menu shows it ticked.
    void applyGuideline();
    void colourLog();
    // RebuildPreview: the report of the log as it stands.
    PrintDocument buildReport(const QPageLayout& layout, const PrintFont& font);

    // PrepareReadingEntry: opens the entry panel on the row's reading.
    void prepareReadingEntry(int row);
    void closeEntryPanel();
    Reading readingOf(int row) const;
    // RecomputeAverages over the log as it stands.
    void recomputeAverages() { showAverages(logRows()); }
    void showAverages(const QList<Reading>& rows);
    // BuildScreenGraph without touching the panels or their buttons.
    void rebuildScreenGraph() { rebuildScreenGraph(logRows()); }
    void rebuildScreenGraph(const QList<Reading>& rows);
    // Puts one of the data panels in front, alone.
    void showPanel(QWidget* panel);
    bool graphOnDisplay() const;

    QAction* m_chartAction = nullptr; // Command3
    QAction* m_viewLogAction = nullptr; // Command4
    QAction* m_graphAction = nullptr; // Command5
    MeasurementChart* m_measurementChart = nullptr; // SSPanel6
    BloodPressureGraphPanel* m_graphPanel = nullptr; // SSPanel4
    LineChart* m_printChart = nullptr; // Chart2D2, never shown
    ReadingEntryPanel* m_entryPanel = nullptr; // SSPanel5
    AveragesRow* m_averages = nullptr; // Label6(0) to Label6(3)
    BloodPressureFiguresPanel* m_figures = nullptr;
    QActionGroup* m_guidelineActions = nullptr;
    AdditionOption* m_logColoursOption = nullptr;
    AdditionOption* m_figuresOption = nullptr;
    BloodPressureGuideline::Id m_guideline = BloodPressureGuideline::Id::Own;
    BloodPressureReportOptionsBox* m_reportOptions = nullptr;
    PrintOptionsPanel* m_printPanel = nullptr; // SSPanel80

    int m_entryRow = -1;
    // The changed mark from before the date pick that opened the entry
    // panel; Cancel puts it back.
    qint16 m_changesBeforeEntry = 0;
};
