#include "TrackerScreen.h"

#include "screens/AccessibleNames.h"
#include "screens/BackgroundSelector.h"
#include "screens/CommandButton.h"
#include "screens/DataGrid.h"
#include "screens/EntryBoxGroup.h"
#include "screens/EntryBoxRules.h"
#include "screens/FunctionScreenFrame.h"
#include "screens/MonthCalendar.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/ShellState.h"
#include "screens/TabOrder.h"
#include "screens/Twips.h"
#include "screens/WindowPlacement.h"
#include "services/Clock.h"
#include "services/HelpService.h"
#include "trackers/ui/GridBackground.h"
#include "trackers/ui/TrackerColours.h"
#include "trackers/ui/TrackerLogPanel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

TrackerScreen::TrackerScreen(
    const ScreenServices& services, TrackerProfile profile, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_profile(std::move(profile))
    , m_individuals(m_profile.listFileName, m_profile.dataFileExtension)
{
    m_dateChecker = new DateChecker(
        m_profile.dateChecker, m_services.folder, m_services.messages, m_services.clock, this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildMenus();
    buildFrame();
    buildCommonControls();
    buildColourServices();
}

TrackerScreen::~TrackerScreen() = default;

QAction* TrackerScreen::addCommand(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = named(new QAction(caption, this), name);
    if (menu)
        menu->addAction(action);
    return action;
}

CommandButton* TrackerScreen::addCommandButton(
    QAction* action, const char* name, const QString& caption)
{
    return new CommandButton(action, QString::fromLatin1(name), caption, centralWidget());
}

void TrackerScreen::buildMenus()
{
    m_optionsMenu = named(menuBar()->addMenu(QStringLiteral("&Options")), "mO");
    m_programSetupMenu = named(m_optionsMenu->addMenu(QStringLiteral("&Program Setup")), "mOProg");
    m_dateChecker->addTo(m_programSetupMenu);
    m_optionsMenu->addSeparator();
    m_gridBackgroundAction
        = addCommand(m_optionsMenu, "mOBC", QStringLiteral("&Grid Background Selector"));
    m_panelColourAction = addCommand(m_optionsMenu, "mOPC", QStringLiteral("Panel C&olor"));
    m_optionsMenu->addSeparator();
    m_createAction = addCommand(m_optionsMenu, "mOCr", QStringLiteral("&Create New File"));
    m_optionsMenu->addSeparator();
    m_viewExistingAction
        = addCommand(m_optionsMenu, "mOV", m_profile.texts.viewExistingMenuCaption);
    m_optionsMenu->addSeparator();
    m_deleteAction = addCommand(m_optionsMenu, "mODel", QStringLiteral("&Delete Displayed File"));
    m_printOptionsAction = addCommand(m_optionsMenu, "mOP", QStringLiteral("&Print Options"));
    m_saveAction = addCommand(m_optionsMenu, "mOS", QStringLiteral("&Save"));
    m_optionsMenu->addSeparator();
    m_exitAction = addCommand(m_optionsMenu, "mOEx", QStringLiteral("E&xit"));

    connect(m_createAction, &QAction::triggered, this, &TrackerScreen::createNewFile);
    connect(m_viewExistingAction, &QAction::triggered, this, &TrackerScreen::viewExistingFile);
    connect(m_deleteAction, &QAction::triggered, this, &TrackerScreen::deleteDisplayedFile);
    connect(m_saveAction, &QAction::triggered, this, [this] { save(); });
    connect(m_exitAction, &QAction::triggered, this, &TrackerScreen::exit);

    m_utilitiesMenu = named(menuBar()->addMenu(QStringLiteral("&Utilities")), "mU");
    m_backupAction = addCommand(m_utilitiesMenu, "mUB", m_profile.texts.backupCaption);
    m_restoreAction = addCommand(m_utilitiesMenu, "mUR", m_profile.texts.restoreCaption);
    connect(m_utilitiesMenu, &QMenu::aboutToShow, this,
        [this] { m_backupAction->setEnabled(m_individualBox->count() > 0); });
    connect(m_backupAction, &QAction::triggered, this, &TrackerScreen::backupFiles);
    connect(m_restoreAction, &QAction::triggered, this, &TrackerScreen::restoreFiles);
    m_utilitiesMenu->addSeparator();
    m_importAction = addCommand(m_utilitiesMenu, "mUImport", QStringLiteral("&Import..."));
    connect(m_importAction, &QAction::triggered, this, &TrackerScreen::importLog);

    m_helpAction = named(menuBar()->addAction(QStringLiteral("&Help")), "mH");
    connect(m_helpAction, &QAction::triggered, this, &TrackerScreen::openHelp);

    // Escape and F1 reach the screen before any control sees them.
    auto* escapeAction = new QAction(this);
    escapeAction->setShortcut(Qt::Key_Escape);
    escapeAction->setShortcutContext(Qt::WindowShortcut);
    connect(escapeAction, &QAction::triggered, this, &TrackerScreen::escape);
    addAction(escapeAction);
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(Qt::Key_F1);
    helpKey->setShortcutContext(Qt::WindowShortcut);
    connect(helpKey, &QAction::triggered, this, &TrackerScreen::openHelp);
    addAction(helpKey);
}

void TrackerScreen::buildFrame()
{
    FunctionScreenFrame::Setup setup;
    setup.layoutKey = QStringLiteral("Vornmek");
    setup.sideButtons = {
        { m_gridBackgroundAction, QStringLiteral("Grid"),
            QStringLiteral("Grid Background Selector") },
        { m_panelColourAction, QStringLiteral("Color"), QStringLiteral("Panel Color") },
        { m_deleteAction, QStringLiteral("Delete"), QStringLiteral("Delete Existing File") },
        { m_printOptionsAction, QStringLiteral("Print"), QStringLiteral("Print Options") },
        { m_helpAction, QStringLiteral("Help"), QStringLiteral("Help") },
        { m_exitAction, QStringLiteral("Exit"), QStringLiteral("Exit") },
    };
    setup.exitCommand = m_exitAction;
    setup.caption = [this] { return windowTitleText(); };
    setup.printOptionsOpen = [this] { return printOptionsOpen(); };
    m_frame = std::make_unique<FunctionScreenFrame>(*this, m_services, std::move(setup));
    m_statusPanel = m_frame->statusPanel();

    // The screen's controls sit on the main panel, the background round it.
    m_panel = named(new QFrame(centralWidget()), "Panel3D1");
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setLineWidth(2);
    m_swatch = named(new QLabel(m_panel), "Label1");
    m_swatch->hide();
}

void TrackerScreen::buildColourServices()
{
    TrackerColours::Parts parts { this, m_panel, m_swatch, logGrid(), m_normalColourBox,
        [this](const QString& text) { showStatus(text); }, [this] { return windowTitleText(); } };
    m_colours = std::make_unique<TrackerColours>(
        m_services, m_profile, std::move(parts), centralWidget());
    m_panelColours = m_colours->panelColours();
    m_gridSelector = m_colours->gridSelector();
    connect(
        m_gridBackgroundAction, &QAction::triggered, m_gridSelector, &BackgroundSelector::toggle);
    connect(m_panelColourAction, &QAction::triggered, m_panelColours, &PanelColourService::choose);
}

void TrackerScreen::buildCommonControls()
{
    QWidget* centre = centralWidget();
    m_individualBox = named(new QComboBox(centre), "Combo1");
    m_individualBox->setMinimumContentsLength(25);
    // activated, not currentIndexChanged: choosing the name already shown
    // loads it again, and filling the list loads nothing.
    connect(m_individualBox, &QComboBox::activated, this, &TrackerScreen::selectIndividual);

    m_normalColourBox = named(new QLineEdit(centre), "Text2");
    m_normalColourBox->hide();
    m_entryBoxes = new EntryBoxGroup(m_normalColourBox, this);
    m_nameBox = named(new QLineEdit(centre), "Text1_0");
    m_nameBox->setMaxLength(25);
    m_entryBoxes->add(m_nameBox, 0);
    connect(m_entryBoxes, &EntryBoxGroup::edited, this, [this](int index) {
        if (index == 0)
            nameBoxEdited();
    });

    m_selectLabel = named(new QLabel(QStringLiteral("Select Individual:"), centre), "Label2");
    // The label is the list's; in create mode it reads "Enter File Name:"
    // in front of the name box instead.
    AccessibleNames::labelField(m_selectLabel, m_individualBox);
    m_nameBox->setAccessibleName(QStringLiteral("Enter File Name"));
    m_createNote = named(new QLabel(m_profile.texts.createNote, centre), "Label8");
    m_createNote->setWordWrap(true);
    m_createNote->hide();
    m_todayLabel = named(new QLabel(centre), "Label4");
    m_nameRow = new QHBoxLayout;
    m_nameRow->addWidget(m_selectLabel);
    // The name box stands where the list stands: just right of the label.
    m_nameRow->addSpacing(4);
    m_nameRow->addWidget(m_individualBox);
    m_nameRow->addWidget(m_nameBox);
    m_nameRow->addStretch(1);
    m_nameRow->addWidget(m_todayLabel);

    m_exitButton = addCommandButton(m_exitAction, "Command1", QStringLiteral("E&xit"));
    m_viewExistingButton
        = named(new QPushButton(QStringLiteral("&View Existing File"), centre), "Command2");
    connect(m_viewExistingButton, &QPushButton::clicked, m_viewExistingAction, &QAction::trigger);
    m_createButton
        = addCommandButton(m_createAction, "Command7", QStringLiteral("&Create New File"));
    m_deleteButton
        = addCommandButton(m_deleteAction, "Command8", QStringLiteral("&Delete Displayed File"));
    m_printOptionsButton
        = addCommandButton(m_printOptionsAction, "Command9", QStringLiteral("&Print Options"));
    m_saveButton = addCommandButton(m_saveAction, "Command10", QStringLiteral("&Save"));

    const TrackerLog::Services logServices { m_services.folder, m_services.messages,
        m_services.clock, *m_dateChecker };
    m_logPanel = new TrackerLogPanel(m_profile.logColumns, *this, logServices, centre, centre);
    m_logPanel->setCaption(m_profile.logCaption);
    // The grid and the table it hands the focus to are one control.
    const QString logName
        = m_profile.logCaption.isEmpty() ? m_profile.texts.trackerName : m_profile.logCaption;
    logGrid()->setAccessibleName(logName);
    logGrid()->view()->setAccessibleName(logName);
    m_logPanel->log()->setFocusTargets(m_saveButton, m_logPanel->deleteRowButton());
    connect(m_logPanel->grid(), &DataGrid::rightButtonReleased, this,
        [this](const QPoint& position) { m_optionsMenu->popup(position); });
}

void TrackerScreen::layOutScreen(QWidget* header, const QList<QWidget*>& panels)
{
    // The commands keep their column whether a panel is shown or not, so
    // that nothing moves when one opens or closes.
    auto* commandColumn = named(new QWidget(centralWidget()), "CommandColumn");
    auto* commands = new QVBoxLayout(commandColumn);
    commands->setContentsMargins(0, 0, 0, 0);
    QList<QWidget*> order { m_viewExistingButton, m_createButton };
    order += m_panelCommandButtons;
    order += { m_saveButton, m_deleteButton, m_printOptionsButton, m_exitButton };
    for (QWidget* command : order) {
        commands->addWidget(command);
        if (auto* button = qobject_cast<CommandButton*>(command))
            m_commandButtons.append(button);
    }
    commands->addStretch(1);
    m_commandColumn = commandColumn;
    fitCommandColumn();

    // The data panels take the same place; one is in front at a time, and
    // the place stays empty while none is.
    auto* panelArea = named(new QWidget(centralWidget()), "PanelArea");
    panelArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* stack = new QGridLayout(panelArea);
    stack->setContentsMargins(0, 0, 0, 0);
    for (QWidget* panel : panels + QList<QWidget*> { m_logPanel })
        stack->addWidget(panel, 0, 0);

    auto* body = new QHBoxLayout;
    body->addWidget(commandColumn);
    body->addWidget(panelArea, 1);
    auto* layout = new QVBoxLayout(m_panel);
    layout->addWidget(header);
    layout->addLayout(body, 1);
    auto* around = new QVBoxLayout(centralWidget());
    const int margin = Twips::toPixelsX(150, this);
    around->setContentsMargins(margin, Twips::toPixelsY(15, this), margin, margin);
    around->addWidget(m_panel);
    m_panel->lower();
    m_frame->backgroundImage()->lower();
    TabOrder::followLayout(centralWidget());

    // The window the tracker is opened from is the active one while the
    // tracker is being built.
    WindowPlacement::placeLikeOpener(*this, m_services.state, QApplication::activeWindow());
}

void TrackerScreen::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitCommandColumn();
}

void TrackerScreen::fitCommandColumn()
{
    if (!m_commandColumn)
        return;
    const int widest = width() / 4;
    for (CommandButton* button : std::as_const(m_commandButtons))
        button->setTwoLines(button->oneLineWidth() > widest);
    // A little room beside the longest caption, which otherwise touches the
    // button's edges.
    m_commandColumn->setFixedWidth(m_commandColumn->sizeHint().width() + 16);
}

QString TrackerScreen::windowTitleText() const
{
    return m_services.state.titleFor(m_profile.texts.trackerName);
}

void TrackerScreen::reportLastRowCutShort(const QString& fileName, int row)
{
    messages().warn(QStringLiteral("The file \"%1\" ends part-way through row %2, which may "
                                   "have lost part of its entry.\nPlease check that row.")
                        .arg(fileName)
                        .arg(row),
        texts().trackerName);
}

void TrackerScreen::showStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

bool TrackerScreen::inCreateMode() const
{
    // The screen's own test: Create New File is disabled only in create mode.
    return !m_createAction->isEnabled();
}

QString TrackerScreen::displayedName() const
{
    return m_nameBox->text().trimmed();
}

DataGrid* TrackerScreen::logGrid() const
{
    return m_logPanel->grid();
}

QPushButton* TrackerScreen::exitButton() const
{
    return m_exitButton;
}

void TrackerScreen::openScreen()
{
    setWindowTitle(windowTitleText());
    showStatus(windowTitleText());
    m_frame->showScreenBackground();
    prepareScreen();
    m_panelColours->load();
    m_colours->gridBackground().load();
    m_logPanel->calendar()->setSelectedDate(m_services.clock.today());
    m_todayLabel->setText(QStringLiteral("Today's Date: ")
        + QLocale::system().toString(m_services.clock.today(), QLocale::ShortFormat));
    m_changesMade = 0;
    hideViews();
    showNoIndividual();
    // The list is read, and "No Files Found" said, over the screen the user
    // has just opened: once the window is on show.
    if (isVisible())
        viewExistingFile();
    else
        m_openingPending = true;
}

bool TrackerScreen::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        activated();
    return QMainWindow::event(event);
}

void TrackerScreen::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    activated();
    if (!m_openingPending)
        return;
    m_openingPending = false;
    // Queued, so that the window is drawn before any message box of View
    // Existing File holds the user's attention.
    QMetaObject::invokeMethod(this, &TrackerScreen::viewExistingFile, Qt::QueuedConnection);
}

void TrackerScreen::activated()
{
    m_logPanel->setColumnWidths();
    // The print options panel covers the commands and keeps its own focus
    // and status text when a dialog it opened closes.
    if (printOptionsOpen())
        return;
    if (m_viewExistingButton->isEnabled())
        m_viewExistingButton->setFocus();
    showStatus(windowTitleText());
}

void TrackerScreen::markChanged()
{
    if (m_loading)
        return;
    m_changesMade = Changed;
    enableSaveAfterChange();
}

void TrackerScreen::restoreChangesMade(qint16 before)
{
    m_changesMade = before;
}

void TrackerScreen::enableSaveAfterChange()
{
    m_saveAction->setEnabled(!inCreateMode() || m_profile.saveRunsSaveNewFile);
}

void TrackerScreen::nameBoxEdited()
{
    EntryBoxRules::applyNoDoubleQuoteRule(m_nameBox);
    markChanged();
}

void TrackerScreen::hideViews()
{
    m_logPanel->calendar()->hide();
    m_gridSelector->close();
    hideTransientViews();
}

void TrackerScreen::hidePanels()
{
    m_logPanel->hide();
    hideDataPanels();
}

void TrackerScreen::clearIndividual()
{
    m_loading = true;
    m_nameBox->clear();
    m_logPanel->clearLog();
    clearDisplayedIndividual();
    m_loading = false;
}

QAction* TrackerScreen::addPanelCommand(const char* actionName, const QString& caption)
{
    auto* action = new QAction(caption, this);
    if (actionName) {
        action->setObjectName(QLatin1String(actionName));
        m_optionsMenu->insertAction(m_deleteAction, action);
    }
    m_panelActions.append(action);
    return action;
}

void TrackerScreen::insertPanelMenuSeparator()
{
    m_optionsMenu->insertSeparator(m_deleteAction);
}

void TrackerScreen::addPanelCommandButton(QAction* action, const char* name, const QString& caption)
{
    m_panelCommandButtons.append(addCommandButton(action, name, caption));
}

void TrackerScreen::setIndividualActionsEnabled(bool enabled)
{
    for (QAction* action : m_panelActions)
        action->setEnabled(enabled);
    for (QAction* action : { m_saveAction, m_deleteAction, m_printOptionsAction })
        action->setEnabled(enabled);
}

void TrackerScreen::setViewExistingEnabled(bool enabled)
{
    m_viewExistingButton->setEnabled(enabled);
    if (m_profile.viewMenuItemFollowsButton)
        m_viewExistingAction->setEnabled(enabled);
}

void TrackerScreen::enableFileActions()
{
    if (!inCreateMode())
        setIndividualActionsEnabled(true);
}

void TrackerScreen::enterViewMode()
{
    m_selectLabel->setText(QStringLiteral("Select Individual:"));
    m_individualBox->show();
    m_individualBox->setEnabled(true);
    m_nameBox->hide();
    m_createAction->setEnabled(true);
}

void TrackerScreen::enterCreateMode()
{
    m_selectLabel->setText(QStringLiteral("Enter File Name:"));
    m_individualBox->hide();
    m_nameBox->show();
    m_createAction->setEnabled(false);
}

void TrackerScreen::fillIndividualBox()
{
    // The list keeps the names in their stored order; the box must not sort
    // them again.
    m_individualBox->clear();
    m_individualBox->addItems(m_individuals.names());
    m_individualBox->setCurrentIndex(-1);
}

void TrackerScreen::exit()
{
    hideViews();
    m_saveRefused = 0;
    if (m_changesMade == Changed && promptSaveChanges() == MessageService::Answer::Cancel) {
        m_saveRefused = 0;
        return;
    }
    if (m_saveRefused == SaveRefusedMarker) {
        m_saveRefused = 0;
        return;
    }
    close();
}

void TrackerScreen::closeEvent(QCloseEvent* event)
{
    m_gridSelector->close();
    if (m_profile.coloursAskedBeforeSave)
        m_panelColours->askSave();
    // Any unsaved change is asked about, whatever the plan boxes hold:
    // closing must never drop weigh-ins silently.
    if (m_changesMade == Changed && promptSaveChanges() == MessageService::Answer::Cancel) {
        m_saveRefused = 0;
        event->ignore();
        return;
    }
    m_changesMade = 0;
    if (!m_profile.coloursAskedBeforeSave)
        m_panelColours->askSave();
    if (m_saveRefused == SaveRefusedMarker) {
        m_saveRefused = 0;
        event->ignore();
        return;
    }
    event->accept();
}

void TrackerScreen::contextMenuEvent(QContextMenuEvent* event)
{
    if (printOptionsOpen())
        return;
    m_optionsMenu->popup(event->globalPos());
}

void TrackerScreen::escape()
{
    if (!closeTopmostView())
        exit();
}

void TrackerScreen::openHelp()
{
    m_services.help.showHelpTopic(
        printOptionsOpen() ? m_profile.texts.printOptionsHelpTopic : m_profile.texts.helpTopic);
}
