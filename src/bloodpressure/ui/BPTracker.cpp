#include "BPTracker.h"

#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/BloodPressureGraphData.h"
#include "bloodpressure/BloodPressureReport.h"
#include "bloodpressure/BloodPressureStatistics.h"
#include "bloodpressure/PrintEntryCount.h"
#include "bloodpressure/ui/AveragesRow.h"
#include "bloodpressure/ui/BloodPressureFiguresPanel.h"
#include "bloodpressure/ui/BloodPressureGraphPanel.h"
#include "bloodpressure/ui/BloodPressureReportOptionsBox.h"
#include "bloodpressure/ui/MeasurementChart.h"
#include "bloodpressure/ui/ReadingEntryPanel.h"
#include "screens/AdditionOption.h"
#include "screens/DataGrid.h"
#include "screens/FunctionScreenFrame.h"
#include "screens/LineChart.h"
#include "screens/MonthCalendar.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/ScreenColour.h"
#include "screens/ShellState.h"
#include "screens/ShowFailure.h"
#include "services/Clock.h"
#include "storage/NumberText.h"
#include "trackers/ui/TrackerLogPanel.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace {

constexpr int TimeColumn = 2;
constexpr int SystolicColumn = 3;
constexpr int DiastolicColumn = 4;
constexpr int PulseColumn = 5;

TrackerProfile bloodPressureProfile()
{
    TrackerProfile profile;
    TrackerTexts& texts = profile.texts;
    texts.trackerName = QStringLiteral("Blood Pressure Tracker");
    texts.createNote = QStringLiteral("NOTE: To track blood pressure by calendar year add year to "
                                      "end of Name (i.e. John Smith 2012)");
    texts.viewExistingMenuCaption = QStringLiteral("&View Exsisting File");
    texts.backupCaption = QStringLiteral("&Backup Blood Pressurer Files to Disk");
    texts.restoreCaption = QStringLiteral("&Restore Blood Pressure Files from Disk");
    texts.helpTopic = BPTracker::HelpTopic;
    texts.printOptionsHelpTopic = BPTracker::PrintOptionsHelpTopic;
    profile.listFileName = BloodPressureFile::ListFileName;
    profile.dataFileExtension = BloodPressureFile::Extension;
    profile.dateChecker = DateChecker::Tracker::BloodPressure;
    profile.panelColour = &GColor1File::bloodPressurePanelColour;
    profile.setPanelColour = &GColor1File::setBloodPressurePanelColour;
    profile.gridBackground = &GColor1File::bloodPressureGridBackground;
    profile.setGridBackground = &GColor1File::setBloodPressureGridBackground;
    profile.backupKind = BackupKind::BloodPressureBackup;
    profile.restoreKind = BackupKind::BloodPressureRestore;
    const QString wholeNumber = QStringLiteral("###");
    profile.logColumns = {
        { "Label11", QStringLiteral("Date of Reading"), QString(), 0.22 },
        { "Label9", QStringLiteral("Time of Reading"), wholeNumber, 0.12, true },
        { "Label10", QStringLiteral("Systolic Pressure"), wholeNumber, 0.12 },
        { "Label23", QStringLiteral("  Diastolic Pressure"), wholeNumber, 0.12 },
        { "Label13", QStringLiteral(" Heart Rate (Pulse)"), QString(), 0.12 },
    };
    profile.logCaption = QStringLiteral("Blood Pressure Entry/Display");
    profile.saveRunsSaveNewFile = true;
    profile.viewMenuItemFollowsButton = true;
    return profile;
}

} // namespace

BPTracker::BPTracker(const ScreenServices& services, QWidget* parent)
    : TrackerScreen(services, bloodPressureProfile(), parent)
{
    setObjectName(QStringLiteral("BPTracker"));
    buildCommands();
    buildGuidelineMenu();
    QWidget* header = buildHeader();
    buildLogSide();
    m_measurementChart = new MeasurementChart(centralWidget());
    m_graphPanel = new BloodPressureGraphPanel(centralWidget());
    connect(
        m_graphPanel, &BloodPressureGraphPanel::timeDisplayToggled, this, &BPTracker::graphDisplay);
    m_printChart = named(new LineChart(this), "Chart2D2");
    m_printChart->hide();
    // Opening the list of individuals closes the log's calendar.
    individualBox()->view()->installEventFilter(this);

    layOutScreen(header, { m_measurementChart, m_graphPanel });
    buildPrintPanel();
    buildAdditions();
    openScreen();
    frame()->topButton(9)->setEnabled(false);
}

BPTracker::~BPTracker() = default;

// --- building the screen ---------------------------------------------------

void BPTracker::buildCommands()
{
    const QString chart = QStringLiteral("View Blood Pressure Measurement Chart");
    const QString log = QStringLiteral("View Measurements");
    const QString graph = QStringLiteral("&Graph Display");
    // The panel switches have no menu items of their own on this screen.
    m_chartAction = addPanelCommand(nullptr, chart);
    m_viewLogAction = addPanelCommand(nullptr, log);
    m_graphAction = addPanelCommand(nullptr, graph);
    addPanelCommandButton(m_chartAction, "Command3", chart);
    addPanelCommandButton(m_viewLogAction, "Command4", log);
    addPanelCommandButton(m_graphAction, "Command5", graph);
    connect(m_chartAction, &QAction::triggered, this, &BPTracker::viewMeasurementChart);
    connect(m_viewLogAction, &QAction::triggered, this, &BPTracker::viewMeasurements);
    connect(m_graphAction, &QAction::triggered, this, &BPTracker::graphDisplay);
}

QWidget* BPTracker::buildHeader()
{
    auto* header = named(new QFrame(centralWidget()), "SSPanel1");
    header->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(header);
    layout->addLayout(nameRow());
    layout->addWidget(createNote());
    // The note keeps its line while hidden, so that the commands and panels
    // do not move when create mode shows it.
    QSizePolicy notePolicy = createNote()->sizePolicy();
    notePolicy.setRetainSizeWhenHidden(true);
    createNote()->setSizePolicy(notePolicy);
    return header;
}

void BPTracker::buildLogSide()
{
    // The averages stand right under their columns; the entry panel, while
    // open, under them, so that the grid only grows shorter for it.
    TrackerLogPanel* panel = logPanel();
    auto* underGrid = new QWidget(panel);
    auto* layout = new QVBoxLayout(underGrid);
    layout->setContentsMargins(0, 0, 0, 0);
    m_averages = new AveragesRow(logGrid(), underGrid);
    m_figures = new BloodPressureFiguresPanel(underGrid);
    m_entryPanel = new ReadingEntryPanel(underGrid);
    layout->addWidget(m_averages);
    layout->addWidget(m_figures);
    layout->addWidget(m_entryPanel);
    panel->underGrid()->addWidget(underGrid, 1);
    connect(m_entryPanel, &ReadingEntryPanel::enterClicked, this, &BPTracker::enterReading);
    connect(m_entryPanel, &ReadingEntryPanel::cancelClicked, this, &BPTracker::cancelReading);
}

void BPTracker::buildPrintPanel()
{
    m_reportOptions = new BloodPressureReportOptionsBox;
    auto rebuild = [this](const QPageLayout& layout, const PrintFont& font) {
        return buildReport(layout, font);
    };
    m_printPanel = new PrintOptionsPanel(services(), PrintPanelProfile::bloodPressureTracker(),
        m_reportOptions, rebuild, centralWidget());
    m_printPanel->setOptionsMenu(optionsMenu()->menuAction());
    m_printPanel->setFirstTextBox(nameBox());
    panelColours()->addDependant(
        [this](const QColor& colour) { m_printPanel->setPanelColour(colour); });
    connect(m_reportOptions, &BloodPressureReportOptionsBox::rebuildRequested, m_printPanel,
        &PrintOptionsPanel::rebuildPreview);
    connect(m_printPanel, &PrintOptionsPanel::statusChanged, this,
        [this](const QString& text) { showStatus(text.isEmpty() ? windowTitleText() : text); });
    connect(printOptionsAction(), &QAction::triggered, this, &BPTracker::printOptions);
}

void BPTracker::buildGuidelineMenu()
{
    // Beside the other choices of how the screen looks.
    QMenu* options = optionsMenu();
    const QList<QAction*> items = options->actions();
    const auto colour = std::find_if(items.begin(), items.end(),
        [](const QAction* item) { return item->objectName() == u"mOPC"; });
    QAction* before = colour != items.end() && colour + 1 != items.end() ? *(colour + 1) : nullptr;
    auto* menu = named(new QMenu(QStringLiteral("G&uideline"), options), "mOGuideline");
    options->insertMenu(before, menu);
    m_guidelineActions = new QActionGroup(this);
    for (const BloodPressureGuideline::Id id : BloodPressureGuideline::all()) {
        const BloodPressureGuideline& guideline = BloodPressureGuideline::of(id);
        QAction* action = menu->addAction(guideline.menuCaption());
        action->setObjectName(QStringLiteral("mOGuideline_")
            + BloodPressureGuideline::key(id).replace(QLatin1Char('-'), QLatin1Char('_')));
        action->setCheckable(true);
        action->setData(int(id));
        m_guidelineActions->addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { chooseGuideline(id); });
    }
}

void BPTracker::chooseGuideline(BloodPressureGuideline::Id id)
{
    m_guideline = id;
    // The choice holds for this session even when it cannot be stored.
    if (const Outcome stored = BloodPressureGuideline::store(services().folder, id); !stored)
        showSettingFailure(messages(), stored, QStringLiteral("guideline"), texts().trackerName);
    applyGuideline();
}

void BPTracker::applyGuideline()
{
    for (QAction* action : m_guidelineActions->actions())
        action->setChecked(action->data().toInt() == int(m_guideline));
    m_measurementChart->fill(BloodPressureGuideline::of(m_guideline));
    recomputeAverages();
}

bool BPTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == individualBox()->view() && event->type() == QEvent::Show)
        logPanel()->calendar()->hide();
    return TrackerScreen::eventFilter(watched, event);
}

// --- panels ----------------------------------------------------------------

void BPTracker::prepareScreen()
{
    m_guideline = BloodPressureGuideline::stored(services().folder);
    m_logColoursOption->applyStored();
    m_figuresOption->applyStored();
    applyGuideline();
}

void BPTracker::hideTransientViews()
{
    // The log's calendar, the base's, is the only passing view here.
}

void BPTracker::hideDataPanels()
{
    m_measurementChart->hide();
    // The graph too: after Delete it would still show the deleted log.
    m_graphPanel->hide();
    closeEntryPanel();
}

void BPTracker::showCreatePanels()
{
    // Create mode needs only the name box and Save: no panel of its own.
}

void BPTracker::showPanel(QWidget* panel)
{
    logPanel()->calendar()->hide();
    for (QWidget* other :
        std::initializer_list<QWidget*> { logPanel(), m_measurementChart, m_graphPanel }) {
        if (other != panel)
            other->hide();
    }
    panel->show();
    panel->raise();
    panel->setFocus();
}

void BPTracker::viewMeasurementChart()
{
    showPanel(m_measurementChart);
    // Both other panels are a click away, the graph included, which is no
    // longer on display.
    m_viewLogAction->setEnabled(true);
    m_graphAction->setEnabled(true);
}

void BPTracker::viewMeasurements()
{
    logPanel()->calendar()->setSelectedDate(services().clock.today());
    closeEntryPanel();
    enableFileActions();
    m_viewLogAction->setEnabled(false);
    m_graphAction->setEnabled(true);
    showPanel(logPanel());
}

void BPTracker::graphDisplay()
{
    m_graphAction->setEnabled(false);
    m_chartAction->setEnabled(true);
    m_viewLogAction->setEnabled(true);
    rebuildScreenGraph();
    showPanel(m_graphPanel);
}

bool BPTracker::graphOnDisplay() const
{
    return m_graphPanel->isVisible();
}

void BPTracker::refreshAfterSave()
{
    if (graphOnDisplay())
        graphDisplay();
}

// --- the entry panel ---------------------------------------------------------

void BPTracker::prepareReadingEntry(int row)
{
    m_changesBeforeEntry = changesMade();
    m_entryRow = row;
    DataGrid* grid = logGrid();
    grid->setCurrentCell(row, 1);
    logPanel()->calendar()->hide();
    m_entryPanel->prepare(readingOf(row), services().clock.now().time());
    m_entryPanel->show();
    grid->setCurrentCell(row, TimeColumn);
    grid->view()->setFocus();
    markChanged();
}

void BPTracker::enterReading()
{
    if (m_entryRow < 0)
        return;
    QString missing;
    const std::optional<Reading> picked = m_entryPanel->pickedReading(&missing);
    if (!picked) {
        // Nothing is written with a part missing: no ":05 AM", no empty
        // pressure. The panel stays open for the choice.
        messages().inform(
            QStringLiteral("Please choose the %1 before entering the reading.").arg(missing),
            QStringLiteral("Blood Pressure Entry"));
        m_entryPanel->focusFirstEmptyList();
        return;
    }
    DataGrid* grid = logGrid();
    grid->setText(m_entryRow, TimeColumn, picked->time);
    grid->setText(m_entryRow, SystolicColumn, picked->systolic);
    grid->setText(m_entryRow, DiastolicColumn, picked->diastolic);
    grid->setText(m_entryRow, PulseColumn, picked->pulse);
    recomputeAverages();
    markChanged();
    closeEntryPanel();
}

void BPTracker::cancelReading()
{
    if (m_entryRow < 0)
        return;
    closeEntryPanel();
    // The picked date stays but is not counted as a change; changes made
    // before the pick still are, and a save since the pick still counts.
    restoreChangesMade(std::min(m_changesBeforeEntry, changesMade()));
}

void BPTracker::logRowsAboutToMove()
{
    cancelReading();
}

void BPTracker::closeEntryPanel()
{
    m_entryPanel->hide();
    m_entryRow = -1;
}

// --- from the file to the screen and back ------------------------------------

Reading BPTracker::readingOf(int row) const
{
    const DataGrid* grid = logGrid();
    return Reading { grid->text(row, 1), grid->text(row, TimeColumn),
        grid->text(row, SystolicColumn), grid->text(row, DiastolicColumn),
        grid->text(row, PulseColumn) };
}

QList<Reading> BPTracker::logRows() const
{
    QList<Reading> rows;
    for (int row = 1; row < logGrid()->rowCount(); ++row)
        rows.append(readingOf(row));
    return rows;
}

void BPTracker::clearDisplayedIndividual()
{
    closeEntryPanel();
    recomputeAverages();
}

bool BPTracker::loadIndividual(const QString& name)
{
    QString error;
    const std::optional<BloodPressureFile> file
        = BloodPressureFile::LoadBloodPressureFile(services().folder, name, &error);
    if (!file) {
        messages().error(error, texts().trackerName);
        return false;
    }
    DataGrid* grid = logGrid();
    const int rows = file->storedRowCount();
    grid->setRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        const Reading reading = file->row(row);
        grid->setText(row, 1, reading.date.trimmed());
        grid->setText(row, TimeColumn, reading.time.trimmed());
        grid->setText(row, SystolicColumn, reading.systolic.trimmed());
        grid->setText(row, DiastolicColumn, reading.diastolic.trimmed());
        grid->setText(row, PulseColumn, reading.pulse.trimmed());
    }
    if (file->cutShortRow > 0)
        reportLastRowCutShort(file->fileName(), file->cutShortRow);
    return true;
}

void BPTracker::showLoadedIndividual()
{
    // One reading of a long log serves the averages and the graph, which
    // is rebuilt without being shown, so that Graph Display and printing
    // find this individual's readings.
    const QList<Reading> rows = logRows();
    showAverages(rows);
    rebuildScreenGraph(rows);
    viewMeasurements();
}

Outcome BPTracker::writeIndividualFile(const QString& name)
{
    BloodPressureFile file;
    file.name = name;
    file.rowCount = logGrid()->rowCount();
    file.rows = logRows();
    // The message names the file twice, as it always has: the file the save
    // was for, then the reason, which names the file that failed.
    if (const Outcome saved = file.SaveBloodPressureFile(services().folder); !saved)
        return Outcome::failure(file.fileName(), saved.reason);
    return Outcome::success();
}

Outcome BPTracker::createIndividualFile(IndividualList& list, const QString& name)
{
    BloodPressureFile file;
    file.name = name;
    file.rowCount = logGrid()->rowCount();
    if (const Outcome saved = file.SaveNewBloodPressureFile(services().folder, list); !saved)
        return Outcome::failure(file.fileName(), saved.reason);
    return Outcome::success();
}

// --- derived figures and the graphs ------------------------------------------

BloodPressureAverages BPTracker::averages() const
{
    return BloodPressureAverages::RecomputeAverages(logRows());
}

void BPTracker::showAverages(const QList<Reading>& rows)
{
    m_averages->show(BloodPressureAverages::RecomputeAverages(rows),
        services().state.DisplayMode == ShellState::FullScreenDisplay);
    m_figures->show(BloodPressureStatistics::of(rows, BloodPressureGuideline::of(m_guideline)));
    colourLog();
}

void BPTracker::colourLog()
{
    // Colour only: the cells hold the stored texts, so the report's marks
    // stay off the screen.
    const BloodPressureGuideline& guideline = BloodPressureGuideline::of(m_guideline);
    const bool coloured = m_logColoursOption && m_logColoursOption->isOn();
    DataGrid* grid = logGrid();
    for (int row = 1; row < grid->rowCount(); ++row) {
        for (const int column : { SystolicColumn, DiastolicColumn }) {
            const double value = NumberText::leadingNumber(grid->text(row, column).trimmed());
            const DataGrid::CellRange cell { row, column, row, column };
            if (!coloured || !(value > 0)) {
                // Empty rows keep having no cells of their own.
                if (grid->foreground(row, column).isValid())
                    grid->setForeground(cell, QColor());
                if (grid->isUnderline(row, column))
                    grid->setUnderline(cell, false);
                continue;
            }
            const BloodPressureGuideline::Category& category
                = guideline.category(column == SystolicColumn ? guideline.ofSystolic(value)
                                                              : guideline.ofDiastolic(value));
            grid->setForeground(cell, ScreenColour::toQColor(category.colour));
            grid->setUnderline(cell, category.underlined);
        }
    }
}

bool BPTracker::timeOfReadingShown() const
{
    return m_graphPanel->timeShown();
}

void BPTracker::rebuildScreenGraph(const QList<Reading>& rows)
{
    m_graphPanel->showGraph(
        BloodPressureGraphData::screenGraph(displayedName(), rows, timeOfReadingShown()));
}

void BPTracker::buildPrintGraph(int printEntryCount)
{
    if (BloodPressureGraphData::printUsesScreenGraph(printEntryCount))
        return;
    m_printChart->showGraph(BloodPressureGraphData::printGraph(
        displayedName(), logRows(), printEntryCount, timeOfReadingShown()));
}

Outcome BPTracker::exportGraphImage(int printEntryCount, QImage* drawn)
{
    // Rebuilt first: readings entered since the graph was last drawn must
    // be in the picture.
    LineChart* source = m_printChart;
    if (BloodPressureGraphData::printUsesScreenGraph(printEntryCount)) {
        rebuildScreenGraph();
        source = m_graphPanel->chart();
    } else {
        buildPrintGraph(printEntryCount);
    }
    if (!source->exportJpeg(services().folder.filePath(GraphImageFileName), drawn))
        return Outcome::failure(GraphImageFileName, source->errorString());
    return Outcome::success();
}

// --- printing ----------------------------------------------------------------

void BPTracker::printOptions()
{
    // The chart would stay alone behind the panel; the log takes its place.
    if (m_measurementChart->isVisible())
        viewMeasurements();
    if (changesMade() == Changed && promptSaveChanges() == MessageService::Answer::Cancel)
        return;
    m_reportOptions->prepareForOpening(PrintEntryCount::datedEntries(logRows()));
    m_printPanel->open();
}

bool BPTracker::printOptionsOpen() const
{
    return m_printPanel && m_printPanel->printOptionsOpen();
}

bool BPTracker::closeTopmostView()
{
    return m_printPanel->escape();
}

PrintDocument BPTracker::buildReport(const QPageLayout& layout, const PrintFont& font)
{
    BloodPressureReport::Values values;
    values.name = nameBox()->text();
    values.rows = logRows();
    const BloodPressureReport::Options options = m_reportOptions->options();
    // This run's picture, from memory: a Chartxxx.jpg that could not be
    // written must never put an older graph, perhaps another person's, on
    // the page. The page is printed from the drawn picture, so a file that
    // could not be written does not stop the report.
    std::ignore = exportGraphImage(options.entryCount, &values.graph);
    values.printed = services().clock.today();
    values.guideline = m_guideline;
    if (options.summaryPage) {
        LineChart chart;
        chart.showGraph(BloodPressureGraphData::summaryGraph(
            displayedName(), PrintEntryCount::printedRange(values.rows, options.entryCount)));
        values.summaryGraph = chart.image();
    }
    return BloodPressureReport::build(values, options, layout, font);
}
