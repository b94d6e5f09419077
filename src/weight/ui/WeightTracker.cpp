#include "WeightTracker.h"

#include "backup/BackupFileSet.h"
#include "screens/AccessibleNames.h"
#include "trackers/ui/CalendarPlacement.h"
#include "services/Clock.h"
#include "screens/DataGrid.h"
#include "screens/EntryBoxGroup.h"
#include "screens/EntryBoxRules.h"
#include "screens/LineChart.h"
#include "screens/MonthCalendar.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/PanelScroller.h"
#include "screens/PictureFile.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/TabOrder.h"
#include "trackers/ui/TrackerLogPanel.h"
#include "storage/GColor4File.h"
#include "storage/StoredDate.h"
#include "weight/ui/ProgressPictures.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"
#include "weight/WeightGraphData.h"
#include "weight/WeightReport.h"
#include "weight/ui/WeightReportOptionsBox.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int CommentLimit = 1000;
constexpr int CommentWarningLength = 950;

// Colours the screen's rules name.
const QColor BeginningLegend(128, 128, 255);
const QColor GoalLegend(128, 255, 255);

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
    profile.backupKind = BackupFileSet::WeightBackup;
    profile.restoreKind = BackupFileSet::WeightRestore;
    const QString weightFormat = QStringLiteral("###.#");
    profile.logColumns = {
        { "Label11", QStringLiteral("Date of Weigh In"), QString(), 0.22 },
        { "Label9", QStringLiteral("Current Weight "), weightFormat, 0.12, true },
        { "Label10", QStringLiteral("Change from last Entry  "), weightFormat, 0.12 },
        { "Label23", QStringLiteral("Beginning Weight Difference"), weightFormat, 0.12 },
    };
    return profile;
}

constexpr int WeightColumn = 2;
constexpr int ChangeColumn = 3;
constexpr int DifferenceColumn = 4;

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QLabel(text, parent), name);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
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
    buildHeaderCalendar();
    layOutScreen(header, { plan, graph });
    buildPrintPanel();
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
    addPanelCommandButton(m_viewPlanAction, "Command3", viewPlan);
    addPanelCommandButton(m_viewLogAction, "Command4", viewLog);
    addPanelCommandButton(m_graphAction, "Command5", graph);
    connect(m_viewPlanAction, &QAction::triggered, this, &WeightTracker::viewPlanInformation);
    connect(m_viewLogAction, &QAction::triggered, this, &WeightTracker::viewWeightTracker);
    connect(m_graphAction, &QAction::triggered, this, &WeightTracker::graphDisplay);
}

QWidget* WeightTracker::buildHeaderPanel()
{
    QWidget* centre = centralWidget();
    auto* headerPanel = named(new QFrame(centre), "SSPanel1");
    headerPanel->setFrameShape(QFrame::StyledPanel);
    m_entryBoxes[0] = nameBox();
    for (int i = 1; i < 9; ++i) {
        m_entryBoxes[i] = named(new QLineEdit(centre), arrayElementName("Text1", i));
        entryBoxes()->add(m_entryBoxes[i], i);
    }
    const std::array<int, 9> limits { 25, 25, 15, 20, 20, 20, 100, 20, 20 };
    for (int i = 0; i < 9; ++i)
        m_entryBoxes[i]->setMaxLength(limits[i]);
    connect(entryBoxes(), &EntryBoxGroup::focused, this, &WeightTracker::entryBoxFocused);
    connect(entryBoxes(), &EntryBoxGroup::clicked, this, &WeightTracker::entryBoxClicked);
    connect(entryBoxes(), &EntryBoxGroup::enterPressed, this, &WeightTracker::entryBoxEnter);
    connect(entryBoxes(), &EntryBoxGroup::edited, this, &WeightTracker::entryBoxEdited);

    const std::array<QString, 6> captions { QStringLiteral("Beginning Date:"),
        QStringLiteral("Beginning Weight:"), QStringLiteral("Goal Weight:"),
        QStringLiteral("Average Number of Days Per Week:"),
        QStringLiteral("Average Time Per Exercise Period:"), QStringLiteral("Types of Exercise:") };
    for (int i = 0; i < 6; ++i) {
        m_fieldLabels[i] = label(centre, arrayElementName("Label3", i), captions[i]);
        AccessibleNames::labelField(m_fieldLabels[i], m_entryBoxes[i + 1]);
    }
    for (int i = 0; i < 2; ++i) {
        m_legendLines[i] = named(new QFrame(centre), arrayElementName("Line3", i));
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
    addField(m_fieldLabels[0], m_entryBoxes[1], nullptr);
    addField(m_fieldLabels[1], m_entryBoxes[2], m_legendLines[0]);
    addField(m_fieldLabels[2], m_entryBoxes[3], m_legendLines[1]);

    auto* layout = new QVBoxLayout(headerPanel);
    layout->addLayout(nameRow());
    layout->addWidget(createNote());
    layout->addLayout(figures);
    return headerPanel;
}

QWidget* WeightTracker::buildPlanPanel()
{
    m_planPanel = named(new QFrame(centralWidget()), "SSPanel2");
    m_planPanel->setFrameShape(QFrame::StyledPanel);
    for (int i = 4; i < 9; ++i)
        m_entryBoxes[i]->setParent(m_planPanel);
    for (int i = 3; i < 6; ++i)
        m_fieldLabels[i]->setParent(m_planPanel);

    auto* title = label(m_planPanel, QStringLiteral("SSPanel2Caption"),
        QStringLiteral("Exercise Plan and Information"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    m_saveNewButton
        = named(new QPushButton(QStringLiteral("&Save New File"), m_planPanel), "Command11");
    m_saveNewButton->hide();
    connect(m_saveNewButton, &QPushButton::clicked, this, &WeightTracker::saveNewFile);
    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch(1);
    top->addWidget(m_saveNewButton);

    auto* plan = named(
        new QGroupBox(QStringLiteral("Exercise Plan"), m_planPanel), QStringLiteral("SSFrame1"));
    auto* planGrid = new QGridLayout(plan);
    planGrid->addWidget(m_fieldLabels[3], 0, 0);
    m_entryBoxes[4]->setMaximumWidth(80);
    planGrid->addWidget(m_entryBoxes[4], 0, 1);
    planGrid->addWidget(m_fieldLabels[4], 0, 2);
    planGrid->addWidget(m_entryBoxes[5], 0, 3);
    planGrid->addWidget(m_fieldLabels[5], 1, 0, 1, 4);
    planGrid->addWidget(m_entryBoxes[6], 2, 0, 1, 4);
    auto* warning = label(plan, QStringLiteral("Label5"),
        QStringLiteral(
            "WARNING: Please Before starting any exercise plan consult with your physician."));
    warning->setAutoFillBackground(true);
    QPalette warningPalette = warning->palette();
    warningPalette.setColor(QPalette::Window, QColor(255, 255, 128));
    warningPalette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    warning->setPalette(warningPalette);
    QFont warningFont = warning->font();
    warningFont.setBold(true);
    warning->setFont(warningFont);
    warning->setAlignment(Qt::AlignCenter);
    // Long captions take a second line in the panel of a small screen.
    for (QLabel* caption : { warning, m_fieldLabels[3], m_fieldLabels[4] })
        caption->setWordWrap(true);
    // Given the room, the two captions of the first row keep one line.
    for (QLabel* caption : { m_fieldLabels[3], m_fieldLabels[4] })
        caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    planGrid->addWidget(warning, 3, 0, 1, 4);

    auto* comments = named(new QGroupBox(QStringLiteral("Additional Comments"), m_planPanel),
        QStringLiteral("SSFrame2"));
    m_comments = named(new QPlainTextEdit(comments), QStringLiteral("Text3"));
    m_comments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_comments->setAccessibleName(comments->title());
    TabOrder::moveFocusOnTab(m_comments);
    m_commentLength = label(comments, QStringLiteral("Label15"), QStringLiteral("0"));
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addStretch(1);
    lengthRow->addWidget(
        label(comments, QStringLiteral("Label6"), QStringLiteral("Length (Max. = 1000) :")));
    lengthRow->addWidget(m_commentLength);
    auto* commentsLayout = new QVBoxLayout(comments);
    commentsLayout->addLayout(lengthRow);
    commentsLayout->addWidget(m_comments);

    m_pictures = new ProgressPictures(services(), mainPanel(), { m_entryBoxes[7], m_entryBoxes[8] },
        nameBox(), individualBox(), m_planPanel);
    connect(m_pictures, &ProgressPictures::changed, this, &WeightTracker::markChanged);
    connect(
        m_pictures, &ProgressPictures::browserOpening, this, [this] { m_headerCalendar->hide(); });
    connect(m_pictures, &ProgressPictures::leftWithoutEntering, this,
        [this] { exitButton()->setFocus(); });

    auto* layout = new QVBoxLayout(m_planPanel);
    layout->addLayout(top);
    layout->addWidget(plan);
    layout->addWidget(comments, 1);
    layout->addWidget(m_pictures);
    m_planPanel->hide();
    // Taller than an 800 by 600 screen leaves it: there it scrolls.
    return new PanelScroller(m_planPanel, centralWidget());
}

void WeightTracker::buildLogSide()
{
    TrackerLogPanel* panel = logPanel();
    m_trendSwitch
        = named(new QPushButton(QStringLiteral("Turn Trend Display OFF"), panel), "SSCommand10");
    connect(m_trendSwitch, &QPushButton::clicked, this, &WeightTracker::toggleTrendDisplay);

    m_trendLabels[0]
        = label(panel, QStringLiteral("Label12_0"), QStringLiteral("Last  Entry Trend "));
    m_trendLabels[1]
        = label(panel, QStringLiteral("Label12_1"), QStringLiteral("Beginning Weight  Trend   "));
    m_lastEntryTrend = label(panel, QStringLiteral("Image8"), QString());
    m_beginningTrend = label(panel, QStringLiteral("Image9"), QString());
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
    m_congratulations = label(panel, QStringLiteral("Label16"), QStringLiteral("CONGRATULATIONS!"));
    m_goalAchieved
        = label(panel, QStringLiteral("Label14"), QStringLiteral("GOAL WEIGHT ACHIEVED!"));
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
    panel->sideTop()->addLayout(trends);
    panel->sideTop()->addWidget(m_congratulations);
    panel->sideTop()->addWidget(m_goalAchieved);
    panel->sideBottom()->addWidget(m_trendSwitch);

    connect(logGrid(), &DataGrid::clicked, this, [this] {
        // The derived columns cannot be typed into: a click there moves to
        // the weight of the same row.
        DataGrid* grid = logGrid();
        if (grid->currentRow() >= 1 && grid->currentColumn() > WeightColumn) {
            grid->setCurrentColumn(WeightColumn);
            grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
            grid->view()->setFocus();
        }
    });
}

QWidget* WeightTracker::buildGraphPanel()
{
    m_graphPanel = named(new QGroupBox(centralWidget()), "SSPanel4");
    m_chart = named(new LineChart(m_graphPanel), "Chart2D1");
    m_chart->setAccessibleName(QStringLiteral("Weight graph"));
    auto* layout = new QVBoxLayout(m_graphPanel);
    layout->addWidget(m_chart);
    m_graphPanel->hide();
    return m_graphPanel;
}

void WeightTracker::buildHeaderCalendar()
{
    m_headerCalendar = named(new MonthCalendar(centralWidget()), "MonthView1");
    m_headerCalendar->hide();
    connect(
        m_headerCalendar, &MonthCalendar::datePicked, this, &WeightTracker::beginningDatePicked);
    m_comments->viewport()->installEventFilter(this);
    connect(m_comments, &QPlainTextEdit::textChanged, this, &WeightTracker::commentsChanged);
}

void WeightTracker::logDateAccepted(int /*row*/)
{
    DataGrid* grid = logGrid();
    grid->setCurrentColumn(WeightColumn);
    grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
    grid->view()->setFocus();
    logEdited();
}

void WeightTracker::buildPrintPanel()
{
    m_reportOptions = new WeightReportOptionsBox;
    auto rebuild = [this](const QPageLayout& layout, const PrintFont& font) {
        return buildReport(layout, font);
    };
    m_printPanel = new PrintOptionsPanel(
        services(), PrintPanelProfile::weightTracker(), m_reportOptions, rebuild, centralWidget());
    m_printPanel->setOptionsMenu(optionsMenu()->menuAction());
    m_printPanel->setFirstTextBox(nameBox());
    connect(m_reportOptions, &WeightReportOptionsBox::rebuildRequested, m_printPanel,
        &PrintOptionsPanel::rebuildPreview);
    panelColours()->addDependant(
        [this](const QColor& colour) { m_printPanel->setPanelColour(colour); });
    connect(m_printPanel, &PrintOptionsPanel::statusChanged, this,
        [this](const QString& text) { showStatus(text.isEmpty() ? windowTitleText() : text); });
    connect(printOptionsAction(), &QAction::triggered, this, &WeightTracker::printOptions);
}

// --- the entry boxes -------------------------------------------------------

bool WeightTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_comments->viewport() && event->type() == QEvent::MouseButtonPress)
        m_headerCalendar->hide();
    return TrackerScreen::eventFilter(watched, event);
}

void WeightTracker::entryBoxFocused(int index)
{
    m_calendarTarget = index;
    if (index != 1)
        m_headerCalendar->hide();
}

void WeightTracker::entryBoxClicked(int index)
{
    m_calendarTarget = index;
    if (index == 1 && inCreateMode())
        CalendarPlacement::showBelow(m_headerCalendar, m_entryBoxes[1], 1920, 130);
    else if (index == 7 || index == 8)
        // Centred on the grid's place: the plan panel holding the picture
        // dates takes it, and the hidden grid may never have been laid out.
        CalendarPlacement::showCentredOn(m_headerCalendar, m_planPanel, 2520);
    else
        m_headerCalendar->hide();
}

void WeightTracker::entryBoxEdited(int index)
{
    // The name box has the base's rule.
    if (index == 0)
        return;
    QLineEdit* box = m_entryBoxes[index];
    if (index >= 2 && index <= 4)
        EntryBoxRules::applyNumberRule(box);
    else
        EntryBoxRules::applyNoDoubleQuoteRule(box);
    markChanged();
}

void WeightTracker::entryBoxEnter(int index)
{
    const int last = m_planPanel->isVisible() ? 8 : 3;
    if (index < last)
        m_entryBoxes[index + 1]->setFocus();
}

void WeightTracker::commentsChanged()
{
    EntryBoxRules::applyNoDoubleQuoteRule(m_comments);
    QString text = m_comments->toPlainText();
    // Stored line breaks are two characters; the limit counts them so.
    auto storedLength = [](const QString& t) { return t.size() + t.count(QLatin1Char('\n')); };
    if (storedLength(text) > CommentLimit) {
        while (storedLength(text) > CommentLimit)
            text.chop(1);
        const QSignalBlocker blocker(m_comments);
        m_comments->setPlainText(text);
        m_comments->moveCursor(QTextCursor::End);
    }
    showCommentLength();
    markChanged();
}

void WeightTracker::showCommentLength()
{
    const QString text = m_comments->toPlainText();
    const qsizetype length = text.size() + text.count(QLatin1Char('\n'));
    m_commentLength->setText(QString::number(length));
    QPalette palette = m_commentLength->palette();
    palette.setColor(
        QPalette::WindowText, length > CommentWarningLength ? QColor(255, 0, 0) : QColor(0, 0, 0));
    m_commentLength->setPalette(palette);
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
    m_entryBoxes[2]->setFocus();
    markChanged();
}

// --- panels ----------------------------------------------------------------

void WeightTracker::hideTransientViews()
{
    showLegendMarks(false);
    m_headerCalendar->hide();
}

void WeightTracker::hideDataPanels()
{
    m_planPanel->hide();
    // The graph too: after Delete it would still show the deleted log.
    m_graphPanel->hide();
    m_saveNewButton->hide();
    m_pictures->closeViews();
}

void WeightTracker::showCreatePanels()
{
    for (int i = 7; i < 9; ++i) {
        const QString shown = WeightFile::shownPictureDate(m_entryBoxes[i]->text());
        if (shown != m_entryBoxes[i]->text())
            m_entryBoxes[i]->setText(shown);
    }
    m_graphPanel->hide();
    m_planPanel->show();
    m_saveNewButton->show();
}

void WeightTracker::viewPlanInformation()
{
    showLegendMarks(false);
    hideDataPanels();
    logPanel()->hide();
    m_planPanel->show();
    m_planPanel->raise();
    enableFileActions();
    m_viewPlanAction->setEnabled(false);
    m_graphAction->setEnabled(true);
    m_pictures->hideEmptyPictures();
}

void WeightTracker::viewWeightTracker()
{
    showLogPanel();
    updateTrendAndGoal();
}

void WeightTracker::showLogPanel()
{
    showLegendMarks(false);
    logPanel()->calendar()->setSelectedDate(services().clock.today());
    logPanel()->calendar()->hide();
    hideDataPanels();
    enableFileActions();
    m_viewLogAction->setEnabled(false);
    m_graphAction->setEnabled(true);
    logPanel()->show();
    logPanel()->raise();
}

void WeightTracker::graphDisplay()
{
    m_viewPlanAction->setEnabled(true);
    m_viewLogAction->setEnabled(true);
    m_graphAction->setEnabled(false);
    showLegendMarks(true);
    rebuildGraph(logRows());
    // The graph takes the data panels' place.
    m_planPanel->hide();
    logPanel()->hide();
    m_graphPanel->show();
    m_graphPanel->raise();
    m_graphPanel->setFocus();
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
    for (int i = 1; i < 9; ++i)
        m_entryBoxes[i]->clear();
    m_comments->clear();
    m_pictures->clear();
    m_lastEntryTrend->clear();
    m_beginningTrend->clear();
    m_congratulations->hide();
    m_goalAchieved->hide();
    m_goalReached.clear();
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
    for (int i = 7; i < 9; ++i) {
        const QString shown = WeightFile::shownPictureDate(m_entryBoxes[i]->text());
        if (shown != m_entryBoxes[i]->text())
            m_entryBoxes[i]->setText(shown);
    }
    if (file->cutShortRow > 0)
        reportLastRowCutShort(file->fileName(), file->cutShortRow);
    return true;
}

void WeightTracker::showFile(const WeightFile& file)
{
    DataGrid* grid = logGrid();
    const int rows = file.storedRowCount();
    grid->setRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        const WeighIn weighIn = file.row(row);
        grid->setText(row, 1, weighIn.date.trimmed());
        grid->setText(row, WeightColumn, weighIn.weight.trimmed());
    }
    for (int i = 1; i < 9; ++i)
        m_entryBoxes[i]->setText(file.headerField(i));
    QString comments = file.comments;
    {
        // Shown as stored: the typing rules and the limit are not applied.
        const QSignalBlocker blocker(m_comments);
        m_comments->setPlainText(comments.replace(StoredLineBreak, QStringLiteral("\n")));
    }
    showCommentLength();
    m_pictures->setReferences(file.beginningPicture, file.currentPicture);
}

WeightFile WeightTracker::displayedFile(const QString& name) const
{
    WeightFile file;
    file.name = name;
    for (int i = 1; i < 9; ++i)
        file.headerField(i) = m_entryBoxes[i]->text();
    file.comments = m_comments->toPlainText().replace(QLatin1Char('\n'), StoredLineBreak);
    file.beginningPicture = m_pictures->reference(ProgressPictures::Beginning);
    file.currentPicture = m_pictures->reference(ProgressPictures::Current);
    const DataGrid* grid = logGrid();
    file.rowCount = grid->rowCount();
    for (int row = 1; row < grid->rowCount(); ++row)
        file.rows.append(
            WeighIn { grid->text(row, 1).trimmed(), grid->text(row, WeightColumn).trimmed() });
    return file;
}

WriteOutcome WeightTracker::writeIndividualFile(const QString& name)
{
    const WeightFile file = displayedFile(name);
    QString error;
    if (!file.SaveWeightFile(services().folder, &error))
        return WriteOutcome::failure(file.fileName(), error);
    return WriteOutcome::success();
}

WriteOutcome WeightTracker::createIndividualFile(IndividualList& list, const QString& name)
{
    WeightFile file = displayedFile(name);
    file.rows.clear();
    QString error;
    if (!file.SaveNewWeightFile(services().folder, list, &error))
        return WriteOutcome::failure(file.fileName(), error);
    return WriteOutcome::success();
}

void WeightTracker::showLoadedIndividual()
{
    // The log is read once: a long log is what makes opening slow.
    const QList<WeighIn> rows = logRows();
    const QList<ProgressStatistics::DerivedRow> derived = recomputeDerivedColumns(rows);
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

QList<WeighIn> WeightTracker::logRows() const
{
    const DataGrid* grid = logGrid();
    QList<WeighIn> rows;
    for (int row = 1; row < grid->rowCount(); ++row)
        rows.append(WeighIn { grid->text(row, 1), grid->text(row, WeightColumn) });
    return rows;
}

namespace {

// The derived columns as the grid holds them now: Delete Row leaves them as
// they were, and a result of 0 keeps a cell's boldness.
QList<ProgressStatistics::DerivedRow> shownDerivedColumns(const DataGrid& grid)
{
    QList<ProgressStatistics::DerivedRow> derived;
    for (int row = 1; row < grid.rowCount(); ++row)
        derived.append(ProgressStatistics::DerivedRow {
            { grid.text(row, ChangeColumn), grid.isBold(row, ChangeColumn) },
            { grid.text(row, DifferenceColumn), grid.isBold(row, DifferenceColumn) } });
    return derived;
}

} // namespace

QList<ProgressStatistics::DerivedRow> WeightTracker::recomputeDerivedColumns(
    const QList<WeighIn>& rows)
{
    DataGrid* grid = logGrid();
    QList<ProgressStatistics::DerivedRow> derived = shownDerivedColumns(*grid);
    ProgressStatistics::RecomputeDerivedColumns(rows, m_entryBoxes[2]->text(), derived);
    auto quietly = logPanel()->log()->programWrites();
    for (int row = 1; row < grid->rowCount() && row - 1 < derived.size(); ++row) {
        const ProgressStatistics::DerivedRow& cells = derived[row - 1];
        grid->setText(row, ChangeColumn, cells.change.text);
        grid->setCellBold(row, ChangeColumn, cells.change.bold);
        grid->setText(row, DifferenceColumn, cells.difference.text);
        grid->setCellBold(row, DifferenceColumn, cells.difference.bold);
    }
    grid->setText(0, 1, QStringLiteral("Sort"));
    if (grid->rowCount() > 1)
        grid->setText(1, ChangeColumn, ProgressStatistics::NotApplicable);
    return derived;
}

void WeightTracker::updateTrendAndGoal()
{
    showTrendAndGoal(logRows(), shownDerivedColumns(*logGrid()));
}

void WeightTracker::showTrendAndGoal(
    const QList<WeighIn>& rows, const QList<ProgressStatistics::DerivedRow>& derived)
{
    const ProgressStatistics::TrendAndGoal trend
        = ProgressStatistics::UpdateTrendAndGoal(rows, derived, m_entryBoxes[3]->text());
    auto showIcon = [this](QLabel* picture, const QString& name) {
        picture->setProperty("pictureName", name);
        picture->setAccessibleDescription(picture->accessibleName() + QStringLiteral(": ")
            + ProgressStatistics::trendInWords(name));
        // A missing icon file leaves the picture empty.
        const QPixmap icon
            = name.isEmpty() ? QPixmap() : QPixmap(services().folder.shippedFilePath(name));
        if (icon.isNull())
            picture->clear();
        else
            picture->setPixmap(
                icon.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    };
    showIcon(m_lastEntryTrend, trend.lastEntryIcon);
    showIcon(m_beginningTrend, trend.beginningIcon);
    m_goalReached = trend.GoalReached;
    m_congratulations->setVisible(trend.goalMessageShown());
    m_goalAchieved->setVisible(trend.goalMessageShown());
}

void WeightTracker::rebuildGraph(const QList<WeighIn>& rows)
{
    const GraphData data = WeightGraphData::build(individualBox()->currentText().trimmed(), rows,
        m_entryBoxes[3]->text(), m_entryBoxes[2]->text());
    m_chart->showGraph(data);
    m_graphPanel->setTitle(data.caption);
}

// --- settings ----------------------------------------------------------------

void WeightTracker::prepareScreen()
{
    applyTrendDisplay(GColor4File(services().folder).weightTrendDisplayOn());
    m_headerCalendar->setSelectedDate(services().clock.today());
}

void WeightTracker::toggleTrendDisplay()
{
    const bool on = m_trendSwitch->text() != QStringLiteral("Turn Trend Display OFF");
    applyTrendDisplay(on);
    // The choice holds for this session even when it cannot be stored.
    if (const WriteOutcome outcome = GColor4File(services().folder).setWeightTrendDisplay(on);
        !outcome.written)
        messages().error(
            outcome.settingMessage(QStringLiteral("trend display setting")), texts().trackerName);
    exitButton()->setFocus();
}

void WeightTracker::applyTrendDisplay(bool on)
{
    for (QWidget* widget : std::initializer_list<QWidget*> {
             m_trendLabels[0], m_trendLabels[1], m_lastEntryTrend, m_beginningTrend })
        widget->setVisible(on);
    m_trendSwitch->setText(
        on ? QStringLiteral("Turn Trend Display OFF") : QStringLiteral("Turn Trend Display ON"));
}

void WeightTracker::showLegendMarks(bool shown)
{
    for (int i = 0; i < 2; ++i) {
        QLabel* caption = m_fieldLabels[1 + i];
        caption->setAutoFillBackground(shown);
        if (shown)
            setBackground(caption, i == 0 ? BeginningLegend : GoalLegend);
        m_legendLines[i]->setVisible(shown);
    }
}

// --- printing ----------------------------------------------------------------

namespace {

// A picture for the report: upright, as the frame shows it, and decoded no
// larger than the largest picture box needs at a fine printer's resolution,
// so that two camera photos neither slow the panel nor fill the memory.
QImage printablePicture(const QString& path)
{
    constexpr int LongestSide = 1600;
    const PictureFile file(path);
    QSize size = file.naturalSize();
    if (size.width() > LongestSide || size.height() > LongestSide)
        size.scale(LongestSide, LongestSide, Qt::KeepAspectRatio);
    return file.read(size);
}

} // namespace

void WeightTracker::printOptions()
{
    hideTransientViews();
    if (changesMade() == Changed && promptSaveChanges() == MessageService::Answer::Cancel)
        return;
    // The report prints the pictures the frame shows, and offers no option
    // for one it does not.
    for (int i = 0; i < 2; ++i)
        m_reportPictures[i] = pictureShown(i) ? printablePicture(pictureReference(i)) : QImage();
    m_reportOptions->prepareForOpening(
        !m_reportPictures[0].isNull(), !m_reportPictures[1].isNull());
    m_printPanel->open();
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
    QImage graph;
    m_chart->exportJpeg(services().folder.filePath(ChartFileName), &graph);
    return graph;
}

PrintDocument WeightTracker::buildReport(const QPageLayout& layout, const PrintFont& font)
{
    WeightReport::Values values;
    values.name = nameBox()->text();
    values.goalReached = m_goalReached == ProgressStatistics::GoalText;
    values.beginningDate = m_entryBoxes[1]->text();
    values.beginningWeight = m_entryBoxes[2]->text();
    values.goalWeight = m_entryBoxes[3]->text();
    values.daysPerWeek = m_entryBoxes[4]->text();
    values.timePerPeriod = m_entryBoxes[5]->text();
    values.exerciseTypes = m_entryBoxes[6]->text();
    values.beginningPictureDate = m_entryBoxes[7]->text();
    values.currentPictureDate = m_entryBoxes[8]->text();
    values.comments = m_comments->toPlainText();
    const DataGrid* grid = logGrid();
    for (int row = 1; row < grid->rowCount(); ++row)
        values.rows.append(WeightReport::Row { grid->text(row, 1), grid->text(row, WeightColumn),
            grid->text(row, ChangeColumn), grid->text(row, DifferenceColumn) });
    values.graph = exportGraph();
    values.beginningPicture = m_reportPictures[0];
    values.currentPicture = m_reportPictures[1];
    values.textColour = nameBox()->palette().color(QPalette::Text);
    values.printed = services().clock.today();
    return WeightReport::build(values, m_reportOptions->options(), layout, font);
}
