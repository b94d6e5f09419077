#include "WeightTracker.h"

#include "screens/AdditionOption.h"
#include "screens/CommandButton.h"
#include "screens/DataGrid.h"
#include "screens/EntryBoxGroup.h"
#include "screens/EntryBoxRules.h"
#include "screens/MonthCalendar.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/PanelScroller.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/ShowFailure.h"
#include "services/Clock.h"
#include "storage/GColor4File.h"
#include "storage/StoredDate.h"
#include "trackers/ui/CalendarPlacement.h"
#include "trackers/ui/TrackerLogPanel.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"
#include "weight/WeightGraphData.h"
#include "weight/WeightReport.h"
#include "weight/WeightStatistics.h"
#include "weight/WeightUnits.h"
#include "weight/ui/ProgressPictures.h"
#include "weight/ui/TrendAndGoalDisplay.h"
#include "weight/ui/WeightAveragesPanel.h"
#include "weight/ui/WeightGraphPanel.h"
#include "weight/ui/WeightHeaderPanel.h"
#include "weight/ui/WeightLogGrid.h"
#include "weight/ui/WeightPlanPanel.h"
#include "weight/ui/WeightReportPrinting.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

// The weight file keeps a line break of the comments as CR LF, as it was
// typed on the system the files come from; the comments box holds LF.
const QString StoredLineBreak = QStringLiteral("\r\n");

TrackerProfile weightProfile()
{
    TrackerProfile profile;
    TrackerTexts& texts = profile.texts;
    texts.trackerName = QStringLiteral("Weight Tracker");
    texts.createNote = QStringLiteral(
        "NOTE: To track weight by calendar year add year to end of Name (i.e. John Smith 2012)");
    texts.viewExistingMenuCaption = QStringLiteral("&View Existing File");
    texts.backupCaption = QStringLiteral("&Backup Weight Tracker Files to Disk");
    texts.restoreCaption = QStringLiteral("&Restore Weight Tracker Files from Disk");
    texts.helpTopic = WeightTracker::HelpTopic;
    texts.printOptionsHelpTopic = WeightTracker::PrintOptionsHelpTopic;
    profile.listFileName = WeightFile::ListFileName;
    profile.dataFileExtension = WeightFile::Extension;
    profile.dateChecker = DateChecker::Tracker::Weight;
    profile.panelColour = &GColor1File::weightPanelColour;
    profile.setPanelColour = &GColor1File::setWeightPanelColour;
    profile.gridBackground = &GColor1File::weightGridBackground;
    profile.setGridBackground = &GColor1File::setWeightGridBackground;
    profile.coloursAskedBeforeSave = true;
    profile.backupKind = BackupKind::WeightBackup;
    profile.restoreKind = BackupKind::WeightRestore;
    const QString weightFormat = QStringLiteral("###.#");
    profile.logColumns = {
        { "Label11", QStringLiteral("Date of Weigh In"), QString(), 0.22 },
        { "Label9", QStringLiteral("Current Weight "), weightFormat, 0.12, true },
        { "Label10", QStringLiteral("Change from last Entry  "), weightFormat, 0.12 },
        { "Label23", QStringLiteral("Beginning Weight Difference"), weightFormat, 0.12 },
    };
    return profile;
}

} // namespace

WeightTracker::WeightTracker(const ScreenServices& services, QWidget* parent)
    : TrackerScreen(services, weightProfile(), parent)
{
    setObjectName(QStringLiteral("WeightTracker"));
    buildCommands();
    QWidget* header = buildHeaderPanel();
    QWidget* plan = buildPlanPanel();
    buildLogSide();
    QWidget* graph = buildGraphPanel();
    QWidget* averages = buildAveragesPanel();
    buildHeaderCalendar();
    layOutScreen(header, { plan, graph, averages });
    buildPrintPanel();
    buildAdditions();
    openScreen();
}

WeightTracker::~WeightTracker() = default;

// --- building the screen ---------------------------------------------------

void WeightTracker::buildCommands()
{
    const QString viewPlan = QStringLiteral("View &Plan Information");
    const QString viewLog = QStringLiteral("View &Weight Tracker");
    const QString graph = QStringLiteral("&Graph Display");
    m_viewPlanAction = addPanelCommand("mOIn", viewPlan);
    m_viewLogAction = addPanelCommand("mOMnt", viewLog);
    insertPanelMenuSeparator();
    m_graphAction = addPanelCommand(nullptr, graph);
    const QString averages = QStringLiteral("&Averages and Units");
    m_averagesAction = addPanelCommand("mOAvg", averages);
    addPanelCommandButton(m_viewPlanAction, "Command3", viewPlan);
    addPanelCommandButton(m_viewLogAction, "Command4", viewLog);
    addPanelCommandButton(m_graphAction, "Command5", graph);
    connect(m_averagesAction, &QAction::triggered, this, &WeightTracker::viewAverages);
    connect(m_viewPlanAction, &QAction::triggered, this, &WeightTracker::viewPlanInformation);
    connect(m_viewLogAction, &QAction::triggered, this, &WeightTracker::viewWeightTracker);
    connect(m_graphAction, &QAction::triggered, this, &WeightTracker::graphDisplay);
}

QWidget* WeightTracker::buildHeaderPanel()
{
    m_header
        = new WeightHeaderPanel(nameBox(), *entryBoxes(), nameRow(), createNote(), centralWidget());
    m_entryBoxes = m_header->boxes();
    connect(entryBoxes(), &EntryBoxGroup::focused, this, &WeightTracker::entryBoxFocused);
    connect(entryBoxes(), &EntryBoxGroup::clicked, this, &WeightTracker::entryBoxClicked);
    connect(entryBoxes(), &EntryBoxGroup::enterPressed, this, &WeightTracker::entryBoxEnter);
    connect(entryBoxes(), &EntryBoxGroup::edited, this, &WeightTracker::entryBoxEdited);
    return m_header;
}

QWidget* WeightTracker::buildPlanPanel()
{
    m_planPanel
        = new WeightPlanPanel({ m_entryBoxes[DaysPerWeekBox], m_entryBoxes[TimePerPeriodBox],
                                  m_entryBoxes[ExerciseTypesBox] },
            { m_header->fieldLabel(3), m_header->fieldLabel(4), m_header->fieldLabel(5) },
            centralWidget());
    for (EntryBox box : { BeginningPictureDateBox, CurrentPictureDateBox })
        m_entryBoxes[box]->setParent(m_planPanel);
    connect(m_planPanel->saveNewButton(), &QPushButton::clicked, this, &WeightTracker::saveNewFile);
    connect(m_planPanel, &WeightPlanPanel::commentsEdited, this, &WeightTracker::markChanged);

    m_pictures = new ProgressPictures(services(), mainPanel(),
        { m_entryBoxes[BeginningPictureDateBox], m_entryBoxes[CurrentPictureDateBox] }, nameBox(),
        individualBox(), m_planPanel);
    connect(m_pictures, &ProgressPictures::changed, this, &WeightTracker::markChanged);
    connect(
        m_pictures, &ProgressPictures::browserOpening, this, [this] { m_headerCalendar->hide(); });
    connect(m_pictures, &ProgressPictures::leftWithoutEntering, this,
        [this] { exitButton()->setFocus(); });
    m_planPanel->addPictures(m_pictures);
    m_planPanel->hide();
    // Taller than an 800 by 600 screen leaves it: there it scrolls.
    return new PanelScroller(m_planPanel, centralWidget());
}

void WeightTracker::buildLogSide()
{
    m_trendAndGoal = new TrendAndGoalDisplay(*logPanel(), services().folder, this);
    connect(m_trendAndGoal, &TrendAndGoalDisplay::switchClicked, this,
        &WeightTracker::toggleTrendDisplay);

    connect(logGrid(), &DataGrid::clicked, this, [this] {
        // The derived columns cannot be typed into: a click there moves to
        // the weight of the same row.
        DataGrid* grid = logGrid();
        if (grid->currentRow() >= 1 && grid->currentColumn() > WeightLogGrid::WeightColumn) {
            grid->setCurrentColumn(WeightLogGrid::WeightColumn);
            grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
            grid->view()->setFocus();
        }
    });
}

QWidget* WeightTracker::buildGraphPanel()
{
    m_graphPanel = new WeightGraphPanel(centralWidget());
    m_graphPanel->hide();
    // The averages are a step on from the graph: their button sits under
    // it, beside the graph's own choices, and leaves the command column as
    // it was.
    m_graphPanel->addCommandButton(new CommandButton(m_averagesAction,
        QStringLiteral("AveragesCommand"), m_averagesAction->text(), m_graphPanel));
    connect(
        m_graphPanel, &WeightGraphPanel::choicesChanged, this, [this] { rebuildGraph(logRows()); });
    return m_graphPanel;
}

QWidget* WeightTracker::buildAveragesPanel()
{
    m_averagesPanel = new WeightAveragesPanel(centralWidget());
    m_averagesPanel->hide();
    connect(
        m_averagesPanel, &WeightAveragesPanel::saveUnitsClicked, this, &WeightTracker::saveUnits);
    return m_averagesPanel;
}

void WeightTracker::buildHeaderCalendar()
{
    m_headerCalendar = named(new MonthCalendar(centralWidget()), "MonthView1");
    m_headerCalendar->hide();
    connect(
        m_headerCalendar, &MonthCalendar::datePicked, this, &WeightTracker::beginningDatePicked);
    m_planPanel->comments()->viewport()->installEventFilter(this);
}

void WeightTracker::logDateAccepted(int /*row*/)
{
    DataGrid* grid = logGrid();
    grid->setCurrentColumn(WeightLogGrid::WeightColumn);
    grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
    grid->view()->setFocus();
    logEdited();
}

void WeightTracker::buildPrintPanel()
{
    m_printing = new WeightReportPrinting(
        services(), [this] { return reportValues(); }, centralWidget());
    m_printPanel = m_printing->panel();
    m_printPanel->setOptionsMenu(optionsMenu()->menuAction());
    m_printPanel->setFirstTextBox(nameBox());
    panelColours()->addDependant(
        [this](const QColor& colour) { m_printPanel->setPanelColour(colour); });
    connect(m_printPanel, &PrintOptionsPanel::statusChanged, this,
        [this](const QString& text) { showStatus(text.isEmpty() ? windowTitleText() : text); });
    connect(printOptionsAction(), &QAction::triggered, this, &WeightTracker::printOptions);
}

// --- the entry boxes -------------------------------------------------------

bool WeightTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_planPanel->comments()->viewport() && event->type() == QEvent::MouseButtonPress)
        m_headerCalendar->hide();
    return TrackerScreen::eventFilter(watched, event);
}

void WeightTracker::entryBoxFocused(int index)
{
    m_calendarTarget = index;
    if (index != BeginningDateBox)
        m_headerCalendar->hide();
}

void WeightTracker::entryBoxClicked(int index)
{
    m_calendarTarget = index;
    if (index == BeginningDateBox && inCreateMode())
        CalendarPlacement::showBelow(m_headerCalendar, m_entryBoxes[BeginningDateBox], 1920, 130);
    else if (index == BeginningPictureDateBox || index == CurrentPictureDateBox)
        // Centred on the grid's place: the plan panel holding the picture
        // dates takes it, and the hidden grid may never have been laid out.
        CalendarPlacement::showCentredOn(m_headerCalendar, m_planPanel, 2520);
    else
        m_headerCalendar->hide();
}

void WeightTracker::entryBoxEdited(int index)
{
    // The name box has the base's rule.
    if (index == NameBox)
        return;
    QLineEdit* box = m_entryBoxes[index];
    if (index == BeginningWeightBox || index == GoalWeightBox || index == DaysPerWeekBox)
        EntryBoxRules::applyNumberRule(box);
    else
        EntryBoxRules::applyNoDoubleQuoteRule(box);
    markChanged();
}

void WeightTracker::entryBoxEnter(int index)
{
    const int last = m_planPanel->isVisible() ? CurrentPictureDateBox : GoalWeightBox;
    if (index < last)
        m_entryBoxes[index + 1]->setFocus();
}

void WeightTracker::beginningDatePicked(const QDate& date)
{
    QLineEdit* target = m_entryBoxes[m_calendarTarget];
    const QString before = target->text();
    const QString picked = StoredDate::longText(date);
    target->setText(picked);
    if (!dateChecker()->accepts(picked)) {
        // A refused date leaves the box as it was.
        target->setText(before);
        target->setFocus();
        return;
    }
    m_headerCalendar->hide();
    m_entryBoxes[BeginningWeightBox]->setFocus();
    markChanged();
}

// --- panels ----------------------------------------------------------------

void WeightTracker::hideTransientViews()
{
    m_header->showLegendMarks(false);
    m_headerCalendar->hide();
}

void WeightTracker::hideDataPanels()
{
    m_planPanel->hide();
    // The graph too: after Delete it would still show the deleted log.
    m_graphPanel->hide();
    m_averagesPanel->hide();
    m_planPanel->saveNewButton()->hide();
    m_pictures->closeViews();
}

void WeightTracker::showCreatePanels()
{
    showPictureDatesAsShown();
    m_graphPanel->hide();
    m_planPanel->show();
    m_planPanel->saveNewButton()->show();
}

void WeightTracker::showPictureDatesAsShown()
{
    for (EntryBox box : { BeginningPictureDateBox, CurrentPictureDateBox }) {
        const QString shown = WeightFile::shownPictureDate(m_entryBoxes[box]->text());
        if (shown != m_entryBoxes[box]->text())
            m_entryBoxes[box]->setText(shown);
    }
}

void WeightTracker::viewPlanInformation()
{
    m_header->showLegendMarks(false);
    hideDataPanels();
    logPanel()->hide();
    m_planPanel->show();
    m_planPanel->raise();
    enableFileActions();
    m_viewPlanAction->setEnabled(false);
    m_graphAction->setEnabled(true);
    m_averagesAction->setEnabled(true);
    m_pictures->hideEmptyPictures();
}

void WeightTracker::viewWeightTracker()
{
    showLogPanel();
    updateTrendAndGoal();
}

void WeightTracker::showLogPanel()
{
    m_header->showLegendMarks(false);
    logPanel()->calendar()->setSelectedDate(services().clock.today());
    logPanel()->calendar()->hide();
    hideDataPanels();
    enableFileActions();
    m_viewLogAction->setEnabled(false);
    m_graphAction->setEnabled(true);
    m_averagesAction->setEnabled(true);
    logPanel()->show();
    logPanel()->raise();
}

void WeightTracker::graphDisplay()
{
    m_viewPlanAction->setEnabled(true);
    m_viewLogAction->setEnabled(true);
    m_graphAction->setEnabled(false);
    m_averagesAction->setEnabled(true);
    m_header->showLegendMarks(true);
    rebuildGraph(logRows());
    // The graph takes the data panels' place.
    m_planPanel->hide();
    logPanel()->hide();
    m_averagesPanel->hide();
    m_graphPanel->show();
    m_graphPanel->raise();
    m_graphPanel->setFocus();
}

void WeightTracker::viewAverages()
{
    m_header->showLegendMarks(false);
    hideDataPanels();
    logPanel()->hide();
    showAverages(logRows());
    enableFileActions();
    m_averagesAction->setEnabled(false);
    m_averagesPanel->show();
    m_averagesPanel->raise();
}

void WeightTracker::showAverages(const QList<WeighIn>& rows)
{
    m_averagesPanel->showAverages(individualBox()->currentText(), statistics(rows));
}

void WeightTracker::loadPersonSettings()
{
    QString problem;
    m_personSettings = WeightPersonSettings(services().folder)
                           .read(individualBox()->currentText().trimmed(), &problem);
    m_averagesPanel->showSettings(m_personSettings, problem);
}

WeightStatistics WeightTracker::statistics(const QList<WeighIn>& rows) const
{
    return WeightStatistics(
        rows, m_entryBoxes[GoalWeightBox]->text(), m_personSettings, services().clock.today());
}

QString WeightTracker::pictureReference(int picture) const
{
    return m_pictures->reference(picture).value_or(QString()).trimmed();
}

bool WeightTracker::pictureShown(int picture) const
{
    return m_pictures->pictureShown(picture);
}

bool WeightTracker::graphOnDisplay() const
{
    return m_graphPanel->isVisible();
}

void WeightTracker::refreshAfterSave()
{
    if (graphOnDisplay())
        graphDisplay();
}

// --- from the file to the screen and back ------------------------------------

void WeightTracker::clearDisplayedIndividual()
{
    for (int box = BeginningDateBox; box <= CurrentPictureDateBox; ++box)
        m_entryBoxes[box]->clear();
    m_planPanel->comments()->clear();
    m_pictures->clear();
    m_trendAndGoal->clear();
    m_goalReached.clear();
    m_personSettings = {};
    m_averagesPanel->showSettings(m_personSettings, QString());
}

bool WeightTracker::loadIndividual(const QString& name)
{
    QString error;
    const std::optional<WeightFile> file
        = WeightFile::LoadWeightFile(services().folder, name, &error);
    if (!file) {
        messages().error(error, texts().trackerName);
        return false;
    }
    showFile(*file);
    m_pictures->ShowProgressPictures();
    showPictureDatesAsShown();
    if (file->cutShortRow > 0)
        reportLastRowCutShort(file->fileName(), file->cutShortRow);
    return true;
}

void WeightTracker::showFile(const WeightFile& file)
{
    log().showFileRows(file);
    for (int box = BeginningDateBox; box <= CurrentPictureDateBox; ++box)
        m_entryBoxes[box]->setText(file.headerField(box));
    QString comments = file.comments;
    m_planPanel->showStoredComments(comments.replace(StoredLineBreak, QStringLiteral("\n")));
    m_pictures->setReferences(file.beginningPicture, file.currentPicture);
}

WeightFile WeightTracker::displayedFile(const QString& name) const
{
    WeightFile file;
    file.name = name;
    for (int box = BeginningDateBox; box <= CurrentPictureDateBox; ++box)
        file.headerField(box) = m_entryBoxes[box]->text();
    file.comments
        = m_planPanel->comments()->toPlainText().replace(QLatin1Char('\n'), StoredLineBreak);
    file.beginningPicture = m_pictures->reference(ProgressPictures::Beginning);
    file.currentPicture = m_pictures->reference(ProgressPictures::Current);
    file.rowCount = logGrid()->rowCount();
    file.rows = log().storedRows();
    return file;
}

Outcome WeightTracker::writeIndividualFile(const QString& name)
{
    const WeightFile file = displayedFile(name);
    // The message names the file twice, as it always has: the file the save
    // was for, then the reason, which names the file that failed.
    if (const Outcome saved = file.SaveWeightFile(services().folder); !saved)
        return Outcome::failure(file.fileName(), saved.reason);
    return Outcome::success();
}

Outcome WeightTracker::createIndividualFile(IndividualList& list, const QString& name)
{
    WeightFile file = displayedFile(name);
    file.rows.clear();
    if (const Outcome saved = file.SaveNewWeightFile(services().folder, list); !saved)
        return Outcome::failure(file.fileName(), saved.reason);
    return Outcome::success();
}

void WeightTracker::showLoadedIndividual()
{
    // The log is read once: a long log is what makes opening slow.
    const QList<WeighIn> rows = logRows();
    const QList<ProgressStatistics::DerivedRow> derived = recomputeDerivedColumns(rows);
    loadPersonSettings();
    m_graphPanel->hide();
    // Rebuilt without being shown, so that Graph Display and printing find
    // this individual's data.
    rebuildGraph(rows);
    showLogPanel();
    showTrendAndGoal(rows, derived);
}

void WeightTracker::logEdited()
{
    const QList<WeighIn> rows = logRows();
    showTrendAndGoal(rows, recomputeDerivedColumns(rows));
}

// --- derived figures and the graph -------------------------------------------

WeightLogGrid WeightTracker::log() const
{
    return WeightLogGrid(*logGrid());
}

QList<WeighIn> WeightTracker::logRows() const
{
    return log().rows();
}

QList<ProgressStatistics::DerivedRow> WeightTracker::recomputeDerivedColumns(
    const QList<WeighIn>& rows)
{
    WeightLogGrid grid = log();
    QList<ProgressStatistics::DerivedRow> derived = grid.shownDerivedColumns();
    ProgressStatistics::RecomputeDerivedColumns(
        rows, m_entryBoxes[BeginningWeightBox]->text(), derived);
    auto quietly = logPanel()->log()->programWrites();
    grid.showDerivedColumns(derived);
    return derived;
}

void WeightTracker::updateTrendAndGoal()
{
    showTrendAndGoal(logRows(), log().shownDerivedColumns());
}

void WeightTracker::showTrendAndGoal(
    const QList<WeighIn>& rows, const QList<ProgressStatistics::DerivedRow>& derived)
{
    const ProgressStatistics::TrendAndGoal trend = ProgressStatistics::UpdateTrendAndGoal(
        rows, derived, m_entryBoxes[GoalWeightBox]->text());
    m_trendAndGoal->show(trend);
    m_trendAndGoal->showFigures(statistics(rows));
    m_goalReached = trend.GoalReached;
}

void WeightTracker::rebuildGraph(const QList<WeighIn>& rows)
{
    WeightGraphData::Options options;
    options.trend = m_graphPanel->trendShown();
    options.spaceByDate = m_graphPanel->spacedByDate();
    options.valueAxisTitle = WeightGraphData::valueAxisTitle(m_personSettings.unit);
    const GraphData graph = WeightGraphData::build(individualBox()->currentText().trimmed(), rows,
        m_entryBoxes[GoalWeightBox]->text(), m_entryBoxes[BeginningWeightBox]->text(), options);
    m_graphPanel->showGraph(graph);
}

// --- settings ----------------------------------------------------------------

void WeightTracker::prepareScreen()
{
    applyTrendDisplay(GColor4File(services().folder).weightTrendDisplayOn());
    m_graphTrendOption->applyStored();
    m_logFiguresOption->applyStored();
    m_headerCalendar->setSelectedDate(services().clock.today());
}

void WeightTracker::toggleTrendDisplay()
{
    const bool on = !m_trendAndGoal->trendsShown();
    applyTrendDisplay(on);
    // The choice holds for this session even when it cannot be stored.
    if (const Outcome outcome = GColor4File(services().folder).setWeightTrendDisplay(on);
        !outcome.succeeded)
        showSettingFailure(
            messages(), outcome, QStringLiteral("trend display setting"), texts().trackerName);
    exitButton()->setFocus();
}

void WeightTracker::applyTrendDisplay(bool on)
{
    m_trendAndGoal->setTrendsShown(on);
}

// --- printing ----------------------------------------------------------------

void WeightTracker::printOptions()
{
    hideTransientViews();
    if (changesMade() == Changed && promptSaveChanges() == MessageService::Answer::Cancel)
        return;
    // The report prints the pictures the frame shows.
    std::array<QString, 2> shown;
    for (int i = 0; i < 2; ++i)
        shown[i] = pictureShown(i) ? pictureReference(i) : QString();
    m_printing->open(shown);
}

bool WeightTracker::printOptionsOpen() const
{
    return m_printPanel && m_printPanel->printOptionsOpen();
}

bool WeightTracker::closeTopmostView()
{
    // The print preview and panel stand in front of the pictures' views.
    return m_printPanel->escape() || m_pictures->closeTopmostView();
}

QImage WeightTracker::exportGraph()
{
    rebuildGraph(logRows());
    // Chartxxx.jpg is written as before, but the report takes this run's
    // picture from memory: a file that could not be written must never put
    // an older graph, perhaps another person's, on the page.
    return m_graphPanel->exportGraph(services().folder.filePath(ChartFileName));
}

WeightReport::Values WeightTracker::reportValues()
{
    WeightReport::Values values;
    values.name = nameBox()->text();
    values.goalReached = m_goalReached == ProgressStatistics::GoalText;
    values.beginningDate = m_entryBoxes[BeginningDateBox]->text();
    values.beginningWeight = m_entryBoxes[BeginningWeightBox]->text();
    values.goalWeight = m_entryBoxes[GoalWeightBox]->text();
    values.daysPerWeek = m_entryBoxes[DaysPerWeekBox]->text();
    values.timePerPeriod = m_entryBoxes[TimePerPeriodBox]->text();
    values.exerciseTypes = m_entryBoxes[ExerciseTypesBox]->text();
    values.beginningPictureDate = m_entryBoxes[BeginningPictureDateBox]->text();
    values.currentPictureDate = m_entryBoxes[CurrentPictureDateBox]->text();
    values.comments = m_planPanel->comments()->toPlainText();
    values.rows = log().reportRows();
    values.graph = exportGraph();
    values.textColour = nameBox()->palette().color(QPalette::Text);
    values.printed = services().clock.today();
    return values;
}
