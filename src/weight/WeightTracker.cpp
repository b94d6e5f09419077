#include "WeightTracker.h"

#include "screens/CalendarPlacement.h"
#include "screens/Clock.h"
#include "screens/DataGrid.h"
#include "screens/EntryBoxRules.h"
#include "screens/LineChart.h"
#include "screens/MonthCalendar.h"
#include "screens/TrackerLog.h"
#include "screens/Twips.h"
#include "shell/HelpService.h"
#include "storage/GColor4File.h"
#include "storage/StoredDate.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightGraphData.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString PictureDatePlaceholder = QStringLiteral("Date Photo Taken");
constexpr int CommentLimit = 1000;
constexpr int CommentWarningLength = 950;

// Colours the screen's rules name.
const QColor Highlight(255, 255, 0);
const QColor BeginningLegend(128, 128, 255);
const QColor GoalLegend(128, 255, 255);

TrackerTexts weightTexts()
{
    TrackerTexts texts;
    texts.trackerName = QStringLiteral("Weight Tracker");
    texts.createNote = QStringLiteral(
        "NOTE: To track weight by calendar year add year to end of Name (i.e. John Smith 2012)");
    texts.viewExistingMenuCaption = QStringLiteral("&View Existing File");
    texts.backupCaption = QStringLiteral("&Backup Weight Tracker Files to Disk");
    texts.restoreCaption = QStringLiteral("&Restore Weight Tracker Files from Disk");
    texts.helpTopic = WeightTracker::HelpTopic;
    texts.printOptionsHelpTopic = WeightTracker::PrintOptionsHelpTopic;
    return texts;
}

template <typename W> W* named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text)
{
    return named(new QLabel(text, parent), name);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption)
{
    return named(new QPushButton(caption, parent), name);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
}

} // namespace

WeightTracker::WeightTracker(
    const ScreenServices& services, const QString& familyName, HelpService* help, QWidget* parent)
    : TrackerScreen(services, familyName, weightTexts(), WeightFile::ListFileName,
        WeightFile::Extension, DateChecker::Tracker::Weight, parent)
    , m_help(help)
{
    setObjectName(QStringLiteral("WeightTracker"));
    if (m_help)
        setHelpOpener([this](int topic) { m_help->showHelpTopic(topic); });
    buildHeaderPanel();
    buildPlanPanel();
    buildLogPanel();
    buildGraphPanel();
    buildCalendars();
    layOutScreen();
    connectEntryBoxes();

    m_viewPlanAction = addPanelMenuItem("mOIn", QStringLiteral("View &Plan Information"));
    m_viewLogAction = addPanelMenuItem("mOMnt", QStringLiteral("View &Weight Tracker"));
    m_optionsMenu->insertSeparator(m_deleteAction);
    connect(m_viewPlanAction, &QAction::triggered, this, &WeightTracker::viewPlanInformation);
    connect(m_viewLogAction, &QAction::triggered, this, &WeightTracker::viewWeightTracker);

    openScreen();
}

WeightTracker::~WeightTracker() = default;

// --- building the screen ---------------------------------------------------

void WeightTracker::buildHeaderPanel()
{
    QWidget* centre = centralWidget();
    m_headerPanel = named(new QFrame(centre), QStringLiteral("SSPanel1"));
    m_headerPanel->setFrameShape(QFrame::StyledPanel);
    m_entryBoxes[0] = m_nameBox;
    for (int i = 1; i < 9; ++i)
        m_entryBoxes[i] = named(new QLineEdit(centre), QStringLiteral("Text1_%1").arg(i));
    const std::array<int, 9> limits { 25, 25, 15, 20, 20, 20, 100, 20, 20 };
    for (int i = 0; i < 9; ++i)
        m_entryBoxes[i]->setMaxLength(limits[i]);
    m_normalColourBox = named(new QLineEdit(centre), QStringLiteral("Text2"));
    m_normalColourBox->hide();

    const std::array<QString, 6> captions { QStringLiteral("Beginning Date:"),
        QStringLiteral("Beginning Weight:"), QStringLiteral("Goal Weight:"),
        QStringLiteral("Average Number of Days Per Week:"),
        QStringLiteral("Average Time Per Exercise Period:"), QStringLiteral("Types of Exercise:") };
    for (int i = 0; i < 6; ++i)
        m_fieldLabels[i] = label(centre, QStringLiteral("Label3_%1").arg(i), captions[i]);
    for (int i = 0; i < 2; ++i) {
        m_legendLines[i] = named(new QFrame(centre), QStringLiteral("Line3_%1").arg(i));
        m_legendLines[i]->setFixedHeight(4);
        m_legendLines[i]->setAutoFillBackground(true);
        setBackground(m_legendLines[i], i == 0 ? BeginningLegend : GoalLegend);
        m_legendLines[i]->hide();
    }

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(m_selectLabel);
    // The name box stands where the list stands: just right of the label.
    nameRow->addSpacing(4);
    nameRow->addWidget(m_individualBox);
    nameRow->addWidget(m_nameBox);
    nameRow->addStretch(1);
    nameRow->addWidget(m_todayLabel);

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

    auto* layout = new QVBoxLayout(m_headerPanel);
    layout->addLayout(nameRow);
    layout->addWidget(m_createNote);
    layout->addLayout(figures);
}

void WeightTracker::buildPlanPanel()
{
    m_planPanel = named(new QFrame(centralWidget()), QStringLiteral("SSPanel2"));
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
        = button(m_planPanel, QStringLiteral("Command11"), QStringLiteral("&Save New File"));
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
    planGrid->addWidget(warning, 3, 0, 1, 4);

    auto* comments = named(new QGroupBox(QStringLiteral("Additional Comments"), m_planPanel),
        QStringLiteral("SSFrame2"));
    m_comments = named(new QPlainTextEdit(comments), QStringLiteral("Text3"));
    m_comments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_commentLength = label(comments, QStringLiteral("Label15"), QStringLiteral("0"));
    auto* lengthRow = new QHBoxLayout;
    lengthRow->addStretch(1);
    lengthRow->addWidget(
        label(comments, QStringLiteral("Label6"), QStringLiteral("Length (Max. = 1000) :")));
    lengthRow->addWidget(m_commentLength);
    auto* commentsLayout = new QVBoxLayout(comments);
    commentsLayout->addLayout(lengthRow);
    commentsLayout->addWidget(m_comments);

    // The progress pictures come with their own screen; the frame keeps
    // their places and the dates taken, which the file stores.
    m_picturesFrame
        = named(new QGroupBox(QStringLiteral("Beginning and Current Photos"), m_planPanel),
            QStringLiteral("SSFrame3"));
    auto* picturesLayout = new QGridLayout(m_picturesFrame);
    for (int i = 0; i < 2; ++i) {
        m_pictures[i] = named(new QLabel(m_picturesFrame), QStringLiteral("Image2_%1").arg(i));
        m_pictures[i]->setMinimumSize(120, 90);
        m_pictures[i]->hide();
        m_entryBoxes[7 + i]->setParent(m_picturesFrame);
        picturesLayout->addWidget(m_pictures[i], 0, i);
        picturesLayout->addWidget(m_entryBoxes[7 + i], 1, i);
    }

    auto* layout = new QVBoxLayout(m_planPanel);
    layout->addLayout(top);
    layout->addWidget(plan);
    layout->addWidget(comments, 1);
    layout->addWidget(m_picturesFrame);
    m_planPanel->hide();
}

void WeightTracker::buildGraphPanel()
{
    m_graphPanel = named(new QGroupBox(centralWidget()), QStringLiteral("SSPanel4"));
    m_chart = named(new LineChart(m_graphPanel), QStringLiteral("Chart2D1"));
    auto* layout = new QVBoxLayout(m_graphPanel);
    layout->addWidget(m_chart);
    m_graphPanel->hide();
}

void WeightTracker::layOutScreen()
{
    m_viewPlanButton = button(
        centralWidget(), QStringLiteral("Command3"), QStringLiteral("View &Plan Information"));
    m_viewLogButton = button(
        centralWidget(), QStringLiteral("Command4"), QStringLiteral("View &Weight Tracker"));
    m_graphButton
        = button(centralWidget(), QStringLiteral("Command5"), QStringLiteral("&Graph Display"));
    connect(m_viewPlanButton, &QPushButton::clicked, this, &WeightTracker::viewPlanInformation);
    connect(m_viewLogButton, &QPushButton::clicked, this, &WeightTracker::viewWeightTracker);
    connect(m_graphButton, &QPushButton::clicked, this, &WeightTracker::graphDisplay);

    // The commands keep their column whether a panel is shown or not, so
    // that nothing moves when one opens or closes.
    auto* commandColumn = named(new QWidget(centralWidget()), QStringLiteral("CommandColumn"));
    auto* commands = new QVBoxLayout(commandColumn);
    commands->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* command :
        { m_viewExistingButton, m_createButton, m_viewPlanButton, m_viewLogButton, m_graphButton,
            m_saveButton, m_deleteButton, m_printOptionsButton, m_exitButton })
        commands->addWidget(command);
    commands->addStretch(1);
    // A little room beside the longest caption, which otherwise touches the
    // button's edges.
    commandColumn->setFixedWidth(commandColumn->sizeHint().width() + 16);

    // The three data panels take the same place; one is in front at a time,
    // and the place stays empty while none is.
    auto* panelArea = named(new QWidget(centralWidget()), QStringLiteral("PanelArea"));
    panelArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* panels = new QGridLayout(panelArea);
    panels->setContentsMargins(0, 0, 0, 0);
    panels->addWidget(m_planPanel, 0, 0);
    panels->addWidget(m_logPanel, 0, 0);
    panels->addWidget(m_graphPanel, 0, 0);

    auto* body = new QHBoxLayout;
    body->addWidget(commandColumn);
    body->addWidget(panelArea, 1);

    auto* layout = new QVBoxLayout(centralWidget());
    layout->addWidget(m_headerPanel);
    layout->addLayout(body, 1);
    placeOnScreen();
}

void WeightTracker::connectEntryBoxes()
{
    for (int i = 0; i < 9; ++i) {
        QLineEdit* box = m_entryBoxes[i];
        box->installEventFilter(this);
        box->setAutoFillBackground(true);
        connect(box, &QLineEdit::textChanged, this, [this, i] { entryBoxEdited(i); });
    }
    m_comments->installEventFilter(this);
    m_comments->viewport()->installEventFilter(this);
    connect(m_comments, &QPlainTextEdit::textChanged, this, &WeightTracker::commentsChanged);
}

// --- the entry boxes -------------------------------------------------------

bool WeightTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_comments->viewport() && event->type() == QEvent::MouseButtonPress)
        m_headerCalendar->hide();
    for (int i = 0; i < 9; ++i) {
        if (watched != m_entryBoxes[i])
            continue;
        switch (event->type()) {
        case QEvent::FocusIn:
            entryBoxFocused(i);
            break;
        case QEvent::FocusOut:
            entryBoxLeft();
            break;
        case QEvent::MouseButtonPress:
            entryBoxClicked(i);
            break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                entryBoxEnter(i);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return TrackerScreen::eventFilter(watched, event);
}

void WeightTracker::entryBoxFocused(int index)
{
    // The first focus after opening is the screen placing its cursor, not
    // the user choosing a box.
    if (!m_firstFocusSkipped) {
        m_firstFocusSkipped = true;
        return;
    }
    setBackground(m_entryBoxes[index], Highlight);
    m_calendarTarget = index;
    if (index != 1)
        m_headerCalendar->hide();
}

void WeightTracker::entryBoxLeft()
{
    const QColor normal = m_normalColourBox->palette().color(QPalette::Base);
    for (QLineEdit* box : m_entryBoxes) {
        if (box->palette().color(QPalette::Base) == Highlight)
            setBackground(box, normal);
    }
}

void WeightTracker::entryBoxClicked(int index)
{
    m_calendarTarget = index;
    if (index == 1 && inCreateMode())
        CalendarPlacement::showBelow(m_headerCalendar, m_entryBoxes[1], 1920, 130);
    else if (index == 7 || index == 8)
        CalendarPlacement::showCentredOn(m_headerCalendar, m_grid, 2520);
    else
        m_headerCalendar->hide();
}

void WeightTracker::entryBoxEdited(int index)
{
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
    const qsizetype length = storedLength(text);
    m_commentLength->setText(QString::number(length));
    QPalette palette = m_commentLength->palette();
    palette.setColor(
        QPalette::WindowText, length > CommentWarningLength ? QColor(255, 0, 0) : QColor(0, 0, 0));
    m_commentLength->setPalette(palette);
    markChanged();
}

void WeightTracker::beginningDatePicked(const QDate& date)
{
    QLineEdit* target = m_entryBoxes[m_calendarTarget];
    target->setText(StoredDate::longText(date));
    if (!m_dateChecker->check(target))
        return;
    m_headerCalendar->hide();
    m_entryBoxes[2]->setFocus();
    markChanged();
}

// --- panels ----------------------------------------------------------------

void WeightTracker::hideTransientViews()
{
    hideGraphLegend();
    m_headerCalendar->hide();
    m_logCalendar->hide();
}

void WeightTracker::hideDataPanels()
{
    m_planPanel->hide();
    m_logPanel->hide();
    // The graph too: after Delete it would still show the deleted log.
    m_graphPanel->hide();
    m_saveNewButton->hide();
}

void WeightTracker::showCreatePanels()
{
    for (int i = 7; i < 9; ++i) {
        if (m_entryBoxes[i]->text().trimmed().isEmpty())
            m_entryBoxes[i]->setText(PictureDatePlaceholder);
    }
    m_graphPanel->hide();
    m_planPanel->show();
    m_saveNewButton->show();
}

void WeightTracker::setPanelActionsEnabled(bool enabled)
{
    m_viewPlanButton->setEnabled(enabled);
    m_viewLogButton->setEnabled(enabled);
    m_viewPlanAction->setEnabled(enabled);
    m_viewLogAction->setEnabled(enabled);
    m_graphButton->setEnabled(enabled);
}

void WeightTracker::viewPlanInformation()
{
    hideGraphLegend();
    hideDataPanels();
    m_graphPanel->hide();
    m_planPanel->show();
    m_planPanel->raise();
    enableFileActions();
    m_viewPlanButton->setEnabled(false);
    m_viewPlanAction->setEnabled(false);
    m_graphButton->setEnabled(true);
    m_pictures[0]->setVisible(m_beginningPicture.value_or(QString()).size() > 0);
    m_pictures[1]->setVisible(m_currentPicture.value_or(QString()).size() > 0);
}

void WeightTracker::viewWeightTracker()
{
    hideGraphLegend();
    m_logCalendar->setSelectedDate(services().clock.today());
    m_logCalendar->hide();
    hideDataPanels();
    m_graphPanel->hide();
    enableFileActions();
    m_viewLogButton->setEnabled(false);
    m_viewLogAction->setEnabled(false);
    m_graphButton->setEnabled(true);
    m_logPanel->show();
    m_logPanel->raise();
    setColumnWidths();
    updateTrendAndGoal();
}

// --- settings ----------------------------------------------------------------

void WeightTracker::prepareScreen()
{
    applyTrendDisplay(GColor4File(services().folder).weightTrendDisplayOn());
    m_headerCalendar->setSelectedDate(services().clock.today());
    m_logCalendar->setSelectedDate(services().clock.today());
}

void WeightTracker::toggleTrendDisplay()
{
    const bool on = m_trendSwitch->text() != QStringLiteral("Turn Trend Display OFF");
    applyTrendDisplay(on);
    GColor4File(services().folder).setWeightTrendDisplay(on);
    m_exitButton->setFocus();
}

void WeightTracker::applyTrendDisplay(bool on)
{
    for (QWidget* widget :
        { static_cast<QWidget*>(m_trendLabels[0]), static_cast<QWidget*>(m_trendLabels[1]),
            static_cast<QWidget*>(m_lastEntryTrend), static_cast<QWidget*>(m_beginningTrend) })
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

// --- the weigh-in log --------------------------------------------------------

void WeightTracker::buildLogPanel()
{
    m_logPanel = named(new QFrame(centralWidget()), QStringLiteral("SSPanel3"));
    m_logPanel->setFrameShape(QFrame::StyledPanel);
    m_grid = named(new DataGrid(1, 1, m_logPanel), QStringLiteral("Grid4"));
    m_grid->setColumnCount(5);
    m_grid->setRowCount(50);
    m_grid->setColumnType(1, DataGrid::ColumnType::Date);
    m_grid->setColumnEditLimit(1, 20);
    for (int column = 2; column < 5; ++column)
        m_grid->setColumnFormat(column, QStringLiteral("###.#"));
    for (int column = 1; column < 5; ++column)
        m_grid->setColumnAlignment(column, Qt::AlignCenter);
    m_grid->setText(0, 1, QStringLiteral("Sort"));
    m_grid->setHeaderSorting(true);

    auto* headings = new QHBoxLayout;
    headings->setSpacing(0);
    const std::array<std::pair<const char*, QString>, 4> captions { {
        { "Label11", QStringLiteral("Date of Weigh In") },
        { "Label9", QStringLiteral("Current Weight ") },
        { "Label10", QStringLiteral("Change from last Entry  ") },
        { "Label23", QStringLiteral("Beginning Weight Difference") },
    } };
    m_columnHeadings.fill(nullptr);
    for (int i = 0; i < 4; ++i) {
        m_columnHeadings[i]
            = label(m_logPanel, QLatin1String(captions[i].first), captions[i].second);
        m_columnHeadings[i]->setWordWrap(true);
        m_columnHeadings[i]->setAlignment(Qt::AlignCenter);
    }
    m_headingIndent = new QWidget(m_logPanel);
    headings->addWidget(m_headingIndent);
    for (QLabel* heading : m_columnHeadings)
        headings->addWidget(heading);
    headings->addStretch(1);

    m_addRowButton
        = button(m_logPanel, QStringLiteral("SSCommand8"), QStringLiteral("&Add Additional Row"));
    m_deleteRowButton
        = button(m_logPanel, QStringLiteral("SSCommand9"), QStringLiteral("Delete Selected Row"));
    m_trendSwitch = button(
        m_logPanel, QStringLiteral("SSCommand10"), QStringLiteral("Turn Trend Display OFF"));
    connect(m_addRowButton, &QPushButton::clicked, this, &WeightTracker::addRow);
    connect(m_deleteRowButton, &QPushButton::clicked, this, &WeightTracker::deleteRow);
    connect(m_trendSwitch, &QPushButton::clicked, this, &WeightTracker::toggleTrendDisplay);

    m_trendLabels[0]
        = label(m_logPanel, QStringLiteral("Label12_0"), QStringLiteral("Last  Entry Trend "));
    m_trendLabels[1] = label(
        m_logPanel, QStringLiteral("Label12_1"), QStringLiteral("Beginning Weight  Trend   "));
    m_lastEntryTrend = label(m_logPanel, QStringLiteral("Image8"), QString());
    m_beginningTrend = label(m_logPanel, QStringLiteral("Image9"), QString());
    for (QLabel* picture : { m_lastEntryTrend, m_beginningTrend }) {
        picture->setFixedSize(48, 48);
        picture->setAlignment(Qt::AlignCenter);
    }
    m_congratulations
        = label(m_logPanel, QStringLiteral("Label16"), QStringLiteral("CONGRATULATIONS!"));
    m_goalAchieved
        = label(m_logPanel, QStringLiteral("Label14"), QStringLiteral("GOAL WEIGHT ACHIEVED!"));
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
    auto* side = new QVBoxLayout;
    side->addLayout(trends);
    side->addWidget(m_congratulations);
    side->addWidget(m_goalAchieved);
    side->addStretch(1);
    side->addWidget(m_addRowButton);
    side->addWidget(m_deleteRowButton);
    side->addWidget(m_trendSwitch);

    auto* logColumn = new QVBoxLayout;
    logColumn->addLayout(headings);
    logColumn->addWidget(m_grid, 1);
    auto* layout = new QHBoxLayout(m_logPanel);
    layout->addLayout(logColumn, 3);
    layout->addLayout(side, 1);
    m_logPanel->hide();
}

void WeightTracker::buildCalendars()
{
    m_headerCalendar = named(new MonthCalendar(centralWidget()), QStringLiteral("MonthView1"));
    m_logCalendar = named(new MonthCalendar(centralWidget()), QStringLiteral("MonthView2"));
    m_headerCalendar->hide();
    m_logCalendar->hide();
    connect(
        m_headerCalendar, &MonthCalendar::datePicked, this, &WeightTracker::beginningDatePicked);
    connect(m_logCalendar, &MonthCalendar::datePicked, this, &WeightTracker::logDatePicked);

    m_log = new TrackerLog(m_grid, m_logCalendar, services().folder, messages(), this);
    m_log->setEditableColumns({ 2 });
    m_log->save = [this](qint16 quietSave) { return save(quietSave); };
    m_log->markChanged = [this] {
        if (!m_writingLog)
            markChanged();
    };
    m_log->rowsPacked = [this] {
        recomputeDerivedColumns();
        updateTrendAndGoal();
    };
    m_log->rowDeleted = [this] { updateTrendAndGoal(); };
    m_log->showCalendar = [this](const QDate& date) {
        m_logCalendar->setSelectedDate(date.isValid() ? date : services().clock.today());
        QTableWidget* view = m_grid->view();
        const QRect cell = view->visualRect(
            view->model()->index(m_grid->currentRow() - 1, m_grid->currentColumn() - 1));
        CalendarPlacement::showBeside(
            m_logCalendar, view->viewport(), cell.right() + 4, cell.top());
    };
    m_log->focusAfterSort = m_saveButton;
    m_log->deleteRowButton = m_deleteRowButton;

    connect(m_grid, &DataGrid::clicked, this, [this] {
        // The derived columns cannot be typed into: a click there moves to
        // the weight of the same row.
        if (m_grid->currentRow() >= 1 && m_grid->currentColumn() >= 3) {
            m_grid->setCurrentColumn(2);
            m_grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
            m_grid->view()->setFocus();
        }
    });
    connect(m_grid, &DataGrid::afterEdit, this, [this] { logEdited(); });
    connect(m_grid, &DataGrid::editorTextChanged, this, &WeightTracker::removeQuoteFromEditor);
    connect(m_grid, &DataGrid::rightButtonReleased, this,
        [this](const QPoint& position) { m_optionsMenu->popup(position); });
}

void WeightTracker::logDatePicked(const QDate& date)
{
    m_grid->setText(StoredDate::longText(date));
    if (!m_dateChecker->check(*m_grid))
        return;
    m_logCalendar->hide();
    m_grid->setCurrentColumn(2);
    m_grid->setEditMode(DataGrid::EditMode::KeyboardAndMouse);
    m_grid->view()->setFocus();
    markChanged();
    logEdited();
}

void WeightTracker::setColumnWidths()
{
    const int panelTwips = Twips::fromPixelsX(m_logPanel->width(), m_logPanel);
    const std::array<double, 5> fractions { 0.02, 0.22, 0.12, 0.12, 0.12 };
    int gridTwips = 0;
    for (int column = 0; column < 5; ++column) {
        const int twips = int(std::lround(panelTwips * fractions[column]));
        m_grid->setColumnWidthTwips(column, twips);
        gridTwips += twips;
    }
    m_headingIndent->setFixedWidth(Twips::toPixelsX(m_grid->columnWidthTwips(0), m_logPanel) + 2);
    for (int i = 0; i < 4; ++i)
        m_columnHeadings[i]->setFixedWidth(
            Twips::toPixelsX(m_grid->columnWidthTwips(i + 1), m_logPanel));
    const QTableWidget* view = m_grid->view();
    m_grid->setFixedWidth(Twips::toPixelsX(gridTwips, m_logPanel)
        + view->verticalScrollBar()->sizeHint().width() + 2 * view->frameWidth() + 2);
}

void WeightTracker::showEvent(QShowEvent* event)
{
    TrackerScreen::showEvent(event);
    setColumnWidths();
    if (m_viewExistingButton->isEnabled())
        m_viewExistingButton->setFocus();
    showStatus(windowTitleText());
}

void WeightTracker::resizeEvent(QResizeEvent* event)
{
    TrackerScreen::resizeEvent(event);
    setColumnWidths();
}

void WeightTracker::removeQuoteFromEditor()
{
    // A double quote cannot be stored; the cell editor drops it as typed,
    // as the boxes do.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (editor && m_grid->isAncestorOf(editor))
        EntryBoxRules::applyNoDoubleQuoteRule(editor);
}

// --- from the file to the screen and back ------------------------------------

void WeightTracker::clearDisplayedIndividual()
{
    m_writingLog = true;
    m_grid->clear();
    m_grid->setText(0, 1, QStringLiteral("Sort"));
    m_writingLog = false;
    for (int i = 1; i < 9; ++i)
        m_entryBoxes[i]->clear();
    m_comments->clear();
    m_beginningPicture.reset();
    m_currentPicture.reset();
    for (QLabel* picture : m_pictures) {
        picture->clear();
        picture->hide();
    }
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
    for (int i = 7; i < 9; ++i) {
        if (m_entryBoxes[i]->text().trimmed().isEmpty())
            m_entryBoxes[i]->setText(PictureDatePlaceholder);
    }
    return true;
}

void WeightTracker::showFile(const WeightFile& file)
{
    m_writingLog = true;
    const int rows = file.storedRowCount();
    m_grid->setRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        const WeighIn weighIn = file.row(row);
        m_grid->setText(row, 1, weighIn.date.trimmed());
        m_grid->setText(row, 2, weighIn.weight.trimmed());
    }
    m_writingLog = false;
    for (int i = 1; i < 9; ++i)
        m_entryBoxes[i]->setText(file.headerField(i));
    m_comments->setPlainText(file.comments);
    m_beginningPicture = file.beginningPicture;
    m_currentPicture = file.currentPicture;
}

WeightFile WeightTracker::displayedFile(const QString& name) const
{
    WeightFile file;
    file.name = name;
    for (int i = 1; i < 9; ++i)
        file.headerField(i) = m_entryBoxes[i]->text();
    file.comments = m_comments->toPlainText();
    file.beginningPicture = m_beginningPicture;
    file.currentPicture = m_currentPicture;
    file.rowCount = m_grid->rowCount();
    for (int row = 1; row < m_grid->rowCount(); ++row)
        file.rows.append(
            WeighIn { m_grid->text(row, 1).trimmed(), m_grid->text(row, 2).trimmed() });
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
    m_writingLog = true;
    recomputeDerivedColumns();
    m_writingLog = false;
    updateTrendAndGoal();
    m_graphPanel->hide();
    // Rebuilt without being shown, so that Graph Display and printing find
    // this individual's data.
    rebuildGraph();
    viewWeightTracker();
}

void WeightTracker::logEdited()
{
    m_writingLog = true;
    recomputeDerivedColumns();
    m_writingLog = false;
    updateTrendAndGoal();
}

void WeightTracker::addRow()
{
    m_log->addRow();
}

void WeightTracker::deleteRow()
{
    m_log->deleteRow();
}

void WeightTracker::refreshAfterSave()
{
    if (graphOnDisplay())
        graphDisplay();
}

// --- derived figures and the graph -------------------------------------------

QList<WeighIn> WeightTracker::logRows() const
{
    QList<WeighIn> rows;
    for (int row = 1; row < m_grid->rowCount(); ++row)
        rows.append(WeighIn { m_grid->text(row, 1), m_grid->text(row, 2) });
    return rows;
}

namespace {

// Columns 3 and 4 as the grid holds them now: Delete Row leaves them as they
// were, and a result of 0 keeps a cell's boldness.
QList<ProgressStatistics::DerivedRow> shownDerivedColumns(const DataGrid& grid)
{
    QList<ProgressStatistics::DerivedRow> derived;
    for (int row = 1; row < grid.rowCount(); ++row)
        derived.append(ProgressStatistics::DerivedRow { { grid.text(row, 3), grid.isBold(row, 3) },
            { grid.text(row, 4), grid.isBold(row, 4) } });
    return derived;
}

QColor storedColour(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

void WeightTracker::recomputeDerivedColumns()
{
    QList<ProgressStatistics::DerivedRow> derived = shownDerivedColumns(*m_grid);
    ProgressStatistics::RecomputeDerivedColumns(logRows(), m_entryBoxes[2]->text(), derived);
    const bool writing = m_writingLog;
    m_writingLog = true;
    for (int row = 1; row < m_grid->rowCount() && row - 1 < derived.size(); ++row) {
        const ProgressStatistics::DerivedRow& cells = derived[row - 1];
        m_grid->setText(row, 3, cells.change.text);
        m_grid->setCellBold(row, 3, cells.change.bold);
        m_grid->setText(row, 4, cells.difference.text);
        m_grid->setCellBold(row, 4, cells.difference.bold);
    }
    m_grid->setText(0, 1, QStringLiteral("Sort"));
    if (m_grid->rowCount() > 1)
        m_grid->setText(1, 3, ProgressStatistics::NotApplicable);
    m_writingLog = writing;
}

void WeightTracker::updateTrendAndGoal()
{
    const ProgressStatistics::TrendAndGoal trend = ProgressStatistics::UpdateTrendAndGoal(
        logRows(), shownDerivedColumns(*m_grid), m_entryBoxes[3]->text());
    auto showIcon = [this](QLabel* picture, const QString& name) {
        picture->setProperty("pictureName", name);
        // A missing icon file leaves the picture empty.
        const QPixmap icon = name.isEmpty() ? QPixmap() : QPixmap(services().folder.filePath(name));
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

void WeightTracker::rebuildGraph()
{
    const GraphData data = WeightGraphData::build(m_individualBox->currentText().trimmed(),
        logRows(), m_entryBoxes[3]->text(), m_entryBoxes[2]->text());
    m_chart->suspendDrawing();
    m_chart->clearPointLabels();
    m_chart->setSeriesCount(int(data.series.size()));
    m_chart->setPointCount(int(data.pointCount()));
    for (int series = 0; series < data.series.size(); ++series) {
        const GraphSeries& line = data.series[series];
        m_chart->setSeriesColour(series, storedColour(line.lineColour));
        for (int point = 0; point < line.values.size(); ++point)
            m_chart->setValue(series, point, line.values[point]);
    }
    for (const QString& pointLabel : data.labels)
        m_chart->addPointLabel(pointLabel);
    m_chart->setXAxisTitle(data.axisTitle);
    m_chart->resumeDrawing();
    m_graphPanel->setTitle(data.caption);
}

void WeightTracker::graphDisplay()
{
    m_viewPlanButton->setEnabled(true);
    m_viewLogButton->setEnabled(true);
    m_graphButton->setEnabled(false);
    showLegendMarks(true);
    rebuildGraph();
    // The graph takes the data panels' place.
    m_planPanel->hide();
    m_logPanel->hide();
    m_graphPanel->show();
    m_graphPanel->raise();
    m_graphPanel->setFocus();
}

bool WeightTracker::graphOnDisplay() const
{
    return m_graphPanel->isVisible();
}
