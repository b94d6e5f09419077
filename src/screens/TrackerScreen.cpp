#include "TrackerScreen.h"

#include "screens/BusyPointer.h"
#include "screens/Clock.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QAction* makeAction(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

TrackerScreen::TrackerScreen(const ScreenServices& services, const QString& familyName,
    TrackerTexts texts, const QString& listFileName, const QString& dataFileExtension,
    DateChecker::Tracker dateCheckerRecord, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_familyName(familyName)
    , m_texts(std::move(texts))
    , m_individuals(listFileName, dataFileExtension)
{
    m_dateChecker = new DateChecker(
        dateCheckerRecord, m_services.folder, m_services.messages, m_services.clock, this);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setCentralWidget(new QWidget(this));
    buildCommonControls();
    buildMenus();
}

TrackerScreen::~TrackerScreen() = default;

void TrackerScreen::buildCommonControls()
{
    QWidget* centre = centralWidget();
    m_individualBox = new QComboBox(centre);
    m_individualBox->setObjectName(QStringLiteral("Combo1"));
    m_individualBox->setMinimumContentsLength(25);
    m_nameBox = new QLineEdit(centre);
    m_nameBox->setObjectName(QStringLiteral("Text1_0"));
    m_nameBox->setMaxLength(25);
    m_selectLabel = new QLabel(QStringLiteral("Select Individual:"), centre);
    m_selectLabel->setObjectName(QStringLiteral("Label2"));
    m_createNote = new QLabel(m_texts.createNote, centre);
    m_createNote->setObjectName(QStringLiteral("Label8"));
    m_createNote->setWordWrap(true);
    m_createNote->hide();
    m_todayLabel = new QLabel(centre);
    m_todayLabel->setObjectName(QStringLiteral("Label4"));

    m_exitButton = makeButton(centre, "Command1", QStringLiteral("E&xit"));
    m_viewExistingButton = makeButton(centre, "Command2", QStringLiteral("&View Existing File"));
    m_createButton = makeButton(centre, "Command7", QStringLiteral("&Create New File"));
    m_deleteButton = makeButton(centre, "Command8", QStringLiteral("&Delete Displayed File"));
    m_printOptionsButton = makeButton(centre, "Command9", QStringLiteral("&Print Options"));
    m_saveButton = makeButton(centre, "Command10", QStringLiteral("&Save"));

    connect(m_exitButton, &QPushButton::clicked, this, &TrackerScreen::exit);
    connect(m_viewExistingButton, &QPushButton::clicked, this, &TrackerScreen::viewExistingFile);
    connect(m_createButton, &QPushButton::clicked, this, &TrackerScreen::createNewFile);
    connect(m_deleteButton, &QPushButton::clicked, this, &TrackerScreen::deleteDisplayedFile);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { save(); });
    // activated, not currentIndexChanged: choosing the name already shown
    // loads it again, and filling the list loads nothing.
    connect(m_individualBox, &QComboBox::activated, this, &TrackerScreen::selectIndividual);

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_statusPanel, 1);
}

void TrackerScreen::buildMenus()
{
    m_optionsMenu = menuBar()->addMenu(QStringLiteral("&Options"));
    m_optionsMenu->setObjectName(QStringLiteral("mO"));
    m_programSetupMenu = m_optionsMenu->addMenu(QStringLiteral("&Program Setup"));
    m_programSetupMenu->setObjectName(QStringLiteral("mOProg"));
    m_dateChecker->addTo(m_programSetupMenu);
    m_optionsMenu->addSeparator();
    // The background selector and the panel colours come with their own
    // screens; until then the items are there and do nothing.
    m_gridBackgroundAction
        = makeAction(m_optionsMenu, "mOGrid", QStringLiteral("&Grid Background Selector"));
    m_panelColourAction = makeAction(m_optionsMenu, "mOColor", QStringLiteral("Panel C&olor"));
    m_optionsMenu->addSeparator();
    m_createAction = makeAction(m_optionsMenu, "mOCr", QStringLiteral("&Create New File"));
    m_optionsMenu->addSeparator();
    m_viewExistingAction = makeAction(m_optionsMenu, "mOV", m_texts.viewExistingMenuCaption);
    m_optionsMenu->addSeparator();
    m_deleteAction = makeAction(m_optionsMenu, "mODel", QStringLiteral("&Delete Displayed File"));
    m_printOptionsAction = makeAction(m_optionsMenu, "mOP", QStringLiteral("&Print Options"));
    m_saveAction = makeAction(m_optionsMenu, "mOS", QStringLiteral("&Save"));
    m_optionsMenu->addSeparator();
    m_exitAction = makeAction(m_optionsMenu, "mOEx", QStringLiteral("E&xit"));

    connect(m_createAction, &QAction::triggered, this, &TrackerScreen::createNewFile);
    connect(m_viewExistingAction, &QAction::triggered, this, &TrackerScreen::viewExistingFile);
    connect(m_deleteAction, &QAction::triggered, this, &TrackerScreen::deleteDisplayedFile);
    connect(m_saveAction, &QAction::triggered, this, [this] { save(); });
    connect(m_exitAction, &QAction::triggered, this, &TrackerScreen::exit);

    // Backup and restore come with the backup screen; the items are in
    // place and do nothing until then.
    m_utilitiesMenu = menuBar()->addMenu(QStringLiteral("&Utilities"));
    m_utilitiesMenu->setObjectName(QStringLiteral("mU"));
    m_backupAction = makeAction(m_utilitiesMenu, "mUB", m_texts.backupCaption);
    m_restoreAction = makeAction(m_utilitiesMenu, "mUR", m_texts.restoreCaption);
    connect(m_utilitiesMenu, &QMenu::aboutToShow, this,
        [this] { m_backupAction->setEnabled(m_individualBox->count() > 0); });

    m_helpAction = menuBar()->addAction(QStringLiteral("&Help"));
    m_helpAction->setObjectName(QStringLiteral("mH"));
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

QString TrackerScreen::windowTitleText() const
{
    return m_familyName.isEmpty() ? m_texts.trackerName
                                  : m_familyName + QLatin1Char(' ') + m_texts.trackerName;
}

void TrackerScreen::showStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

bool TrackerScreen::inCreateMode() const
{
    // The screen's own test: Create New File is disabled only in create mode.
    return !m_createButton->isEnabled();
}

QString TrackerScreen::displayedName() const
{
    return m_nameBox->text().trimmed();
}

void TrackerScreen::openScreen()
{
    setWindowTitle(windowTitleText());
    showStatus(windowTitleText());
    prepareScreen();
    m_todayLabel->setText(QStringLiteral("Today's Date: ")
        + QLocale::system().toString(m_services.clock.today(), QLocale::ShortFormat));
    m_changesMade = 0;
    hideTransientViews();
    showNoIndividual();
    // The list is read, and "No Files Found" said, over the screen the user
    // has just opened: once the window is on show.
    if (isVisible())
        viewExistingFile();
    else
        m_openingPending = true;
}

void TrackerScreen::placeOnScreen()
{
    const QRect available = screen()->availableGeometry();
    const QSize size
        = (available.size() * 0.85).expandedTo(QSize(1000, 700)).boundedTo(available.size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
}

void TrackerScreen::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_openingPending)
        return;
    m_openingPending = false;
    // Queued, so that the window is drawn before any message box of View
    // Existing File holds the user's attention.
    QMetaObject::invokeMethod(this, &TrackerScreen::viewExistingFile, Qt::QueuedConnection);
}

void TrackerScreen::markChanged()
{
    if (m_loading)
        return;
    m_changesMade = Changed;
    m_saveButton->setEnabled(!inCreateMode());
}

void TrackerScreen::viewExistingFile()
{
    hideTransientViews();
    m_createNote->hide();
    if (m_changesMade == Changed && !displayedName().isEmpty()
        && promptSaveChanges() == MessageService::Answer::Cancel)
        return;

    m_individualBox->clear();
    m_viewExistingButton->setEnabled(false);
    m_viewExistingAction->setEnabled(false);
    QString error;
    if (!m_individuals.load(m_services.folder, &error))
        messages().error(error, m_texts.trackerName);
    // With or without individuals to choose from, nobody is on display
    // now; an empty list must not leave create mode's boxes or commands
    // that act on an individual behind.
    showNoIndividual();
    if (m_individuals.isEmpty()) {
        m_individualBox->setEnabled(false);
        messages().inform(QStringLiteral("Currently there are no Individual Files to view,\n"
                                         "please use the Create New File Button\n"
                                         "to enter Individual information!"),
            QStringLiteral("No Files Found"));
        m_createButton->setFocus();
        return;
    }
    fillIndividualBox();
    m_individualBox->setFocus();
}

void TrackerScreen::showNoIndividual()
{
    m_changesMade = 0;
    hideDataPanels();
    m_loading = true;
    m_nameBox->clear();
    clearDisplayedIndividual();
    m_loading = false;
    m_selectedIndex = -1;
    enterViewMode();
    setIndividualActionsEnabled(false);
}

void TrackerScreen::selectIndividual(int index)
{
    if (index < 0 || index >= m_individuals.size())
        return;
    hideTransientViews();
    m_changesMade = 0;
    BusyPointerScope busy;
    m_viewExistingButton->setEnabled(false);
    m_viewExistingAction->setEnabled(false);
    hideDataPanels();
    m_loading = true;
    clearDisplayedIndividual();
    const QString name = m_individuals.at(index);
    m_nameBox->setText(name);
    const bool loaded = loadIndividual(name);
    m_loading = false;
    if (!loaded) {
        setIndividualActionsEnabled(false);
        return;
    }

    setIndividualActionsEnabled(true);
    m_selectedIndex = index;
    m_changesMade = 0;
    showLoadedIndividual();
}

QAction* TrackerScreen::addPanelMenuItem(const char* objectName, const QString& caption)
{
    auto* action = new QAction(caption, m_optionsMenu);
    action->setObjectName(QLatin1String(objectName));
    m_optionsMenu->insertAction(m_deleteAction, action);
    return action;
}

void TrackerScreen::setIndividualActionsEnabled(bool enabled)
{
    setPanelActionsEnabled(enabled);
    for (QPushButton* command : { m_saveButton, m_deleteButton, m_printOptionsButton })
        command->setEnabled(enabled);
    for (QAction* item : { m_saveAction, m_deleteAction, m_printOptionsAction })
        item->setEnabled(enabled);
}

void TrackerScreen::enableFileActions()
{
    if (inCreateMode())
        return;
    setPanelActionsEnabled(true);
    m_printOptionsButton->setEnabled(true);
    m_saveButton->setEnabled(true);
    m_deleteAction->setEnabled(true);
}

void TrackerScreen::createNewFile()
{
    hideTransientViews();
    m_viewExistingButton->setEnabled(true);
    m_viewExistingAction->setEnabled(true);
    m_createNote->show();
    if (m_changesMade == Changed && !inCreateMode()
        && promptSaveChanges() == MessageService::Answer::Cancel)
        return;

    m_changesMade = 0;
    m_loading = true;
    m_nameBox->clear();
    clearDisplayedIndividual();
    m_loading = false;
    hideDataPanels();
    setIndividualActionsEnabled(false);
    m_createdName.clear();
    enterCreateMode();
    showCreatePanels();
    m_nameBox->setFocus();
    m_changesMade = 0;
}

void TrackerScreen::enterViewMode()
{
    m_selectLabel->setText(QStringLiteral("Select Individual:"));
    m_individualBox->show();
    m_individualBox->setEnabled(true);
    m_nameBox->hide();
    m_createButton->setEnabled(true);
    m_createAction->setEnabled(true);
}

void TrackerScreen::enterCreateMode()
{
    m_selectLabel->setText(QStringLiteral("Enter File Name:"));
    m_individualBox->hide();
    m_nameBox->show();
    m_createButton->setEnabled(false);
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

void TrackerScreen::saveNewFile()
{
    const QString name = displayedName();
    if (name.isEmpty()) {
        messages().inform(QStringLiteral("Please Enter Individual Name to save file."),
            QStringLiteral("No Files Found"));
        m_nameBox->setFocus();
        m_saveRefused = SaveRefusedMarker;
        return;
    }

    const qint16 changesBefore = m_changesMade;
    m_changesMade = 0;
    WriteOutcome outcome;
    if (!m_createdName.isEmpty() && name.compare(m_createdName, Qt::CaseInsensitive) == 0) {
        // Saved once already in this visit to create mode: the name is
        // listed, only its file is brought up to date.
        outcome = writeIndividualFile(name);
    } else {
        const QString refusal = m_individuals.refusalForNewName(name, m_services.folder);
        if (!refusal.isEmpty()) {
            m_changesMade = changesBefore;
            messages().warn(refusal, QStringLiteral("Save File"));
            m_nameBox->setFocus();
            m_saveRefused = SaveRefusedMarker;
            return;
        }
        outcome = createIndividualFile(m_individuals, name);
        if (outcome.written)
            m_createdName = name;
    }
    if (!outcome.written) {
        reportFailedWrite(outcome, QStringLiteral("Save File"));
        return;
    }
    messages().inform(QStringLiteral("File has been Saved."), QStringLiteral("Save File"));
    refreshAfterSave();
}

bool TrackerScreen::save(qint16 quietSave)
{
    if (inCreateMode()) {
        saveNewFile();
        return m_changesMade == 0 && m_saveRefused != SaveRefusedMarker;
    }
    hideTransientViews();
    if (m_changesMade != Changed && quietSave != AddRowSave) {
        messages().inform(QStringLiteral("There have been no entries/changes made to save!"),
            QStringLiteral("Save Command"));
        return true;
    }
    m_quietSave = quietSave;
    m_changesMade = 0;
    const WriteOutcome outcome = writeIndividualFile(displayedName());
    m_quietSave = 0;
    if (!outcome.written) {
        reportFailedWrite(outcome, QStringLiteral("Save File Command"));
        return false;
    }
    if (quietSave != AddRowSave && quietSave != DeleteRowSave) {
        messages().inform(
            QStringLiteral("File has been Saved."), QStringLiteral("Save File Command"));
        refreshAfterSave();
    }
    return true;
}

void TrackerScreen::reportFailedWrite(const WriteOutcome& outcome, const QString& title)
{
    m_changesMade = Changed;
    m_saveButton->setEnabled(!inCreateMode());
    messages().error(outcome.message(), title);
}

void TrackerScreen::deleteDisplayedFile()
{
    hideTransientViews();
    showStatus(QStringLiteral("Delete Existing File"));
    hideDataPanels();

    const QString shownName = m_individualBox->currentText().left(30).trimmed();
    const MessageService::Answer answer = messages().show({
        QStringLiteral("Do You really want to delete\n%1\nfile and all its contents?")
            .arg(shownName),
        QStringLiteral("Delete Current File"),
        MessageService::Icon::Question,
        MessageService::Buttons::YesNoCancel,
        MessageService::Answer::No,
    });
    BusyPointerOn();
    if (answer == MessageService::Answer::Yes) {
        QString error;
        if (m_individuals.deleteIndividual(m_services.folder, displayedName(), &error)) {
            fillIndividualBox();
            m_selectedIndex = -1;
            m_loading = true;
            clearDisplayedIndividual();
            m_loading = false;
            setIndividualActionsEnabled(false);
        } else {
            messages().error(error, QStringLiteral("Delete Current File"));
        }
    }
    m_changesMade = 0;
    m_services.clock.pauseOneSecond();
    BusyPointerOff();
    showStatus(windowTitleText());
}

MessageService::Answer TrackerScreen::promptSaveChanges()
{
    m_promptAnswer = messages().show({
        QStringLiteral("Save changes made to %1 before next action or exiting?")
            .arg(m_texts.trackerName),
        m_texts.trackerName + QStringLiteral(" Information"),
        MessageService::Icon::Question,
        MessageService::Buttons::YesNoCancel,
        MessageService::Answer::Yes,
    });
    switch (m_promptAnswer) {
    case MessageService::Answer::No:
        m_changesMade = 0;
        break;
    case MessageService::Answer::Yes:
        if (inCreateMode())
            saveNewFile();
        else
            save();
        // A save that could not write keeps the changes: the action that
        // asked must not go on and lose them.
        if (m_changesMade == Changed)
            m_promptAnswer = MessageService::Answer::Cancel;
        m_changesMade = m_promptAnswer == MessageService::Answer::Cancel ? Changed : 0;
        break;
    default:
        break;
    }
    return m_promptAnswer;
}

void TrackerScreen::exit()
{
    hideTransientViews();
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
    // Any unsaved change is asked about, whatever the plan boxes hold:
    // closing must never drop weigh-ins silently.
    if (m_changesMade == Changed && promptSaveChanges() == MessageService::Answer::Cancel) {
        m_saveRefused = 0;
        event->ignore();
        return;
    }
    m_changesMade = 0;
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
    if (m_openHelp)
        m_openHelp(printOptionsOpen() ? m_texts.printOptionsHelpTopic : m_texts.helpTopic);
}
