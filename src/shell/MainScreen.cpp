#include "MainScreen.h"

#include "screens/BackgroundSelector.h"
#include "screens/BusyPointer.h"
#include "screens/NamedWidget.h"
#include "screens/ScreenBackgroundView.h"
#include "screens/ScreenColour.h"
#include "screens/SystemDialogs.h"
#include "services/HelpService.h"
#include "services/MessageService.h"
#include "services/ProgramInfo.h"
#include "shell/AboutBox.h"
#include "shell/DisplayModes.h"
#include "shell/FamilyNameQuestion.h"
#include "shell/FullBackupCommands.h"
#include "shell/MainMenuPanel.h"
#include "shell/MainScreenBackground.h"
#include "shell/ScreenMetrics.h"
#include "shell/SplashScreen.h"
#include "storage/GColor1File.h"
#include "storage/ZorqNameFile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>

namespace {

// Help topics of the main screen.
constexpr int OverviewTopic = 1000;
constexpr int BackgroundSelectorTopic = 1001;
constexpr int BackupAndRestoreTopic = 1005;

// Below this screen size (twips) the program's windows do not fit.
constexpr int SmallestScreenWidth = 9945;
constexpr int SmallestScreenHeight = 7590;

// The centre panel sits this far above the window's vertical centre.
constexpr int CentrePanelLift = 245;

const QString MainMenuStatus = QStringLiteral("Main Menu");

} // namespace

MainScreen::MainScreen(
    ScreenServices services, std::unique_ptr<ScreenMetrics> metrics, QWidget* parent)
    : QMainWindow(parent)
    , m_services(std::move(services))
    , m_state(m_services.state)
    , m_help(m_services.help)
    , m_metrics(metrics ? std::move(metrics) : std::make_unique<ScreenMetrics>())
    , m_displayModes(new DisplayModes(
          *this, m_state, *m_metrics, m_services.folder, m_services.messages,
          [this] { runStartUp(); }, this))
    , m_fullBackup(std::make_unique<FullBackupCommands>(m_services, this))
    , m_functionScreens(m_state)
{
    setObjectName(QStringLiteral("Startfrm"));
    setWindowTitle(ProgramInfo::name());
    const QIcon icon(m_services.folder.shippedFilePath(ProgramInfo::pictureFileName()));
    if (!icon.isNull())
        setWindowIcon(icon);
    buildControls();
    buildMenus();
}

MainScreen::~MainScreen()
{
    m_functionScreens.deleteAll(this);
}

// --- construction -------------------------------------------------------

void MainScreen::buildControls()
{
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("MainBackground"));
    m_central->installEventFilter(this);
    setCentralWidget(m_central);

    m_backgroundImage = new QLabel(m_central);
    m_backgroundImage->setObjectName(QStringLiteral("Image1"));
    m_backgroundImage->setScaledContents(true);
    m_backgroundImage->hide();

    // The swatch's colour is what "default background" means on this
    // screen: the desktop's own window colour.
    m_swatch = new QLabel(m_central);
    m_swatch->setObjectName(QStringLiteral("Label1"));
    m_swatch->setAutoFillBackground(true);
    // Its own, so that it never takes on the window's colour.
    QPalette swatchPalette = m_swatch->palette();
    swatchPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    m_swatch->setPalette(swatchPalette);
    m_swatch->hide();
    m_background = std::make_unique<MainScreenBackground>(
        m_services, *m_central, *m_backgroundImage, *m_swatch);

    m_centrePanel = new MainMenuPanel(m_central);
    connect(m_centrePanel, &MainMenuPanel::functionChosen, this, [this](FunctionScreen screen) {
        BusyPointerScope busy;
        openFunctionScreen(screen);
    });
    connect(m_centrePanel, &MainMenuPanel::helpChosen, this, [this] {
        BusyPointerScope busy;
        showProgramOverview();
    });
    connect(m_centrePanel, &MainMenuPanel::exitChosen, this, [this] {
        BusyPointerScope busy;
        exitProgram();
    });

    BackgroundSelector::Target target;
    target.statusText = QStringLiteral("Background Selector");
    target.current = [this] { return m_state.ScreenBackground; };
    target.show = [this](const BackgroundSetting& background) { m_background->show(background); };
    target.colourPreset = [this] {
        // Blue stands in for a picture, which has no colour to start from.
        return m_state.ScreenBackground.isColour()
            ? ScreenColour::toQColor(m_state.ScreenBackground.colourValue())
            : QColor(0, 0, 255);
    };
    target.choose
        = [this](const BackgroundSetting& background) { m_background->choose(background); };
    target.place = [this](QWidget*) { layoutControls(); };
    target.showStatus = [this](const QString& text) { setStatus(text); };
    target.idleStatus = [] { return MainMenuStatus; };
    m_selector = named(
        new BackgroundSelector(m_services, "Command1", QString(), std::move(target), m_central),
        "SSPanel4");

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusPanel = new QLabel(bar);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1Panel1"));
    bar->addWidget(m_statusPanel, 1);
    m_backupPanel = new QLabel(bar);
    m_backupPanel->setObjectName(QStringLiteral("StatusBar1Panel2"));
    bar->addPermanentWidget(m_backupPanel);
}

void MainScreen::buildMenus()
{
    QMenuBar* bar = menuBar();

    m_optionsMenu = bar->addMenu(QStringLiteral("&Options"));
    m_optionsMenu->setObjectName(QStringLiteral("mO"));
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption, auto command) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    addItem(m_optionsMenu, "mOBC", QStringLiteral("&Background Selector"),
        &MainScreen::toggleBackgroundSelector);
    m_optionsMenu->addSeparator();
    m_displayMenu = m_optionsMenu->addMenu(QStringLiteral("&Program Display"));
    m_displayMenu->setObjectName(QStringLiteral("mOP"));
    m_displayMenu->menuAction()->setObjectName(QStringLiteral("mOPAction"));
    // The tick shows the current mode and is the commands' own test of
    // "already in this mode"; choosing the item must not flip it first.
    m_fullScreenAction
        = addItem(m_displayMenu, "mOPF", QStringLiteral("&Full Screen Display"), [this] {
              m_fullScreenAction->setChecked(!m_fullScreenAction->isChecked());
              m_displayModes->fullScreenDisplay();
          });
    m_smallerScreenAction
        = addItem(m_displayMenu, "mOPS", QStringLiteral("&Smaller Screen Display"), [this] {
              m_smallerScreenAction->setChecked(!m_smallerScreenAction->isChecked());
              m_displayModes->smallerScreenDisplay();
          });
    m_displayMenu->addSeparator();
    QAction* defaultSizeAction
        = addItem(m_displayMenu, "mOPDefault", QStringLiteral("&Default Screen Size"), [this] {
              m_displayModes->defaultScreenSize();
              layoutControls();
          });
    m_fullScreenAction->setCheckable(true);
    m_smallerScreenAction->setCheckable(true);
    m_displayModes->setMenuActions(m_fullScreenAction, m_smallerScreenAction, defaultSizeAction);
    m_optionsMenu->addSeparator();
    addItem(m_optionsMenu, "mON", QStringLiteral("&Family Name"), &MainScreen::familyNameCommand);
    m_optionsMenu->addSeparator();
    addItem(m_optionsMenu, "mOE", QStringLiteral("E&xit"), &MainScreen::exitProgram);
    // The backups of everything come after the screen's own items, each with
    // an access key of its own.
    m_optionsMenu->addSeparator();
    addItem(m_optionsMenu, "mOBE", QStringLiteral("Back Up &Everything..."),
        &MainScreen::backUpEverything);
    addItem(m_optionsMenu, "mORE", QStringLiteral("&Restore Everything..."),
        &MainScreen::restoreEverything);
    addItem(
        m_optionsMenu, "mOBS", QStringLiteral("Backup &Settings..."), &MainScreen::backupSettings);
    connect(m_optionsMenu, &QMenu::aboutToShow, m_displayModes, &DisplayModes::tickDisplayMode);
    connect(m_displayMenu, &QMenu::aboutToShow, m_displayModes, &DisplayModes::tickDisplayMode);

    QMenu* functions = bar->addMenu(QStringLiteral("&Program Functions"));
    functions->setObjectName(QStringLiteral("mDI"));
    addItem(functions, "mFP", QStringLiteral("A &Blood Pressure Tracker"),
        [this] { openFunctionScreen(FunctionScreen::BloodPressureTracker); });
    addItem(functions, "mFCal", QStringLiteral("A &Password Keeper"), [this] {
        BusyPointerScope busy;
        openFunctionScreen(FunctionScreen::PasswordKeeper);
    });
    addItem(functions, "mFToDo", QStringLiteral("A &Weight Tracker"),
        [this] { openFunctionScreen(FunctionScreen::WeightTracker); });

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mHe"));
    addItem(help, "mHI", QStringLiteral("&Program Overview"), &MainScreen::showProgramOverview);
    addItem(help, "mHBR", QStringLiteral("&Backup and Restore Option"),
        &MainScreen::showBackupAndRestoreHelp);
    help->addSeparator();
    addItem(help, "mHA", QStringLiteral("&About Halvorn"), &MainScreen::showAbout);
    addItem(help, "mHWeb", QStringLiteral("Halvorn on the &Web"), &MainScreen::launchWebSite);
}

// --- function screens ---------------------------------------------------

void MainScreen::setFunctionScreenFactory(FunctionScreen screen, FunctionScreenFactory factory)
{
    m_functionScreens.setFactory(screen, std::move(factory));
}

QWidget* MainScreen::functionScreen(FunctionScreen screen) const
{
    return m_functionScreens.window(screen);
}

void MainScreen::openFunctionScreen(FunctionScreen screen)
{
    QWidget* window = m_functionScreens.open(screen, this);
    if (window == nullptr)
        return;
    window->show();
    window->raise();
    window->activateWindow();
    hide();
}

void MainScreen::functionScreenClosed(QWidget* screen)
{
    if (!m_displayModes->isMaximizedState())
        move(screen->pos());
    show();
    raise();
    activateWindow();
}

// --- start-up -----------------------------------------------------------

void MainScreen::open()
{
    runStartUp();
    // Once a start: an old backup is said here, never in a message box.
    refreshBackupStatus();
    // The first show resizes and maximises the window; that is still part
    // of loading, not a user's resize.
    m_displayModes->setLoading(true);
    show();
    QApplication::processEvents();
    m_displayModes->setLoading(false);
}

void MainScreen::runStartUp()
{
    // Applying a display mode runs this sequence again, sometimes from
    // inside itself (the screen-size check switches to full-screen display).
    if (m_startUpDepth++ == 0)
        m_screenSizeWarned = false;

    setStatus(MainMenuStatus);
    BusyPointerOn();
    m_displayModes->setLoading(true);
    m_displayModes->applyStoredMode();

    for (int pass = 0; pass < 2; ++pass) {
        checkScreenSize();
        loadFamilyName();
    }

    if (m_state.SplashShown == 0) {
        SplashScreen splash(m_services.folder, m_services.clock);
        splash.run();
        QApplication::processEvents();
        m_state.SplashShown = ShellState::SplashWasShown;
    }

    QPalette selectorPalette = m_selector->palette();
    selectorPalette.setColor(QPalette::Window, swatchColour());
    m_selector->setPalette(selectorPalette);

    m_state.PrintFontUnderline = false;
    m_state.PrintFontStrikethrough = false;

    if (--m_startUpDepth == 0)
        m_displayModes->setLoading(false);
    BusyPointerOff();
    layoutControls();
}

void MainScreen::checkScreenSize()
{
    const QSize screen = m_metrics->sizeInTwips();
    if (screen.width() < SmallestScreenWidth || screen.height() < SmallestScreenHeight) {
        // The original repeated this warning once per pass of the start-up
        // sequence; once per command is enough to be read.
        if (!m_screenSizeWarned) {
            m_screenSizeWarned = true;
            m_services.messages.show(
                { QStringLiteral("Monitor Resolution Settings (Screen Area) and Program Size "
                                 "requirements are at least 800 by 600 or Higher.\nIf you do not "
                                 "set your screen resolution to this setting or higher this "
                                 "program will not function properly!"),
                    QStringLiteral("Program Display Option"), MessageService::Icon::Information,
                    MessageService::Buttons::Ok, MessageService::Answer::Ok });
        }
        m_displayModes->fullScreenDisplay();
        return;
    }
    m_displayModes->fitSmallerWindow();
}

void MainScreen::loadFamilyName()
{
    m_state.FamilyName.clear();
    m_state.FamilyName = ZorqNameFile(m_services.folder).familyName();
    refreshTitle();
    applyScreenBackground();
}

void MainScreen::applyScreenBackground()
{
    m_background->applyStored();

    m_state.SharedPanelColour = GColor1File(m_services.folder).sharedPanelColour();
    ScreenBackgroundView::fitImage(*m_central, *m_backgroundImage);
}

// --- activation, resizing, display modes --------------------------------

void MainScreen::activated()
{
    m_displayModes->tickDisplayMode();
    BusyPointerOn();
    refreshTitle();
    setStatus(MainMenuStatus);
    // A function screen closing may have made a backup meanwhile.
    refreshBackupStatus();
    if (m_state.ScreenBackground.isColour())
        ScreenBackgroundView::show(
            m_state.ScreenBackground, m_services.folder, *m_central, *m_backgroundImage);
    ScreenBackgroundView::fitImage(*m_central, *m_backgroundImage);
    BusyPointerOff();
    m_displayModes->tickDisplayMode();
}

void MainScreen::resized()
{
    // Minimising is not a change of display mode.
    if (!m_displayModes->isLoading() && isVisible() && !isMinimized())
        m_displayModes->windowResized();
    layoutControls();
}

// --- family name --------------------------------------------------------

void MainScreen::familyNameCommand()
{
    setStatus(QStringLiteral("Family Name"));
    QApplication::processEvents();
    askFamilyName();
    QApplication::processEvents();
    refreshTitle();
    QApplication::processEvents();
    setStatus(MainMenuStatus);
}

void MainScreen::askFamilyName()
{
    m_state.FamilyName = ZorqNameFile(m_services.folder).familyName();
    BusyPointerOff();
    m_state.FamilyName
        = FamilyNameQuestion(m_services.folder, m_services.messages).ask(m_state.FamilyName);
}

// --- help, about, web site, exit ---------------------------------------

void MainScreen::showProgramOverview()
{
    m_help.showHelpTopic(OverviewTopic);
}

void MainScreen::showBackupAndRestoreHelp()
{
    m_help.showHelpTopic(BackupAndRestoreTopic);
}

void MainScreen::showAbout()
{
    setStatus(QStringLiteral("About Halvorn"));
    AboutBox about(m_services.folder, m_services.dialogs, this);
    about.exec();
    setStatus(MainMenuStatus);
}

void MainScreen::launchWebSite()
{
    BusyPointerOff();
    setStatus(QStringLiteral("Launching Web Site"));
    m_services.dialogs.openUrl(ProgramInfo::makerWebSite());
    setStatus(MainMenuStatus);
}

void MainScreen::exitProgram()
{
    BusyPointerOff();
    const MessageService::Answer answer
        = m_services.messages.show({ QStringLiteral("Do you wish to Exit Halvorn?"),
            QStringLiteral("Exit"), MessageService::Icon::Question,
            MessageService::Buttons::YesNoCancel, MessageService::Answer::Yes });
    if (answer == MessageService::Answer::Yes) {
        m_displayModes->saveDisplayMode();
        m_fullBackup->backUpAtClose();
        QApplication::processEvents();
        emit exitRequested();
        return;
    }
    QApplication::processEvents();
    BusyPointerOff();
}

void MainScreen::toggleBackgroundSelector()
{
    m_selector->toggle();
}

void MainScreen::backUpEverything()
{
    setStatus(FullBackupCommands::BackUpTitle);
    m_fullBackup->backUpEverything();
    refreshBackupStatus();
    setStatus(MainMenuStatus);
}

void MainScreen::restoreEverything()
{
    // An open function screen would write its own files back over the
    // restored ones at its next save.
    if (m_functionScreens.anyOpen()) {
        m_services.messages.warn(
            QStringLiteral("Please close the Weight Tracker, the Blood Pressure Tracker and "
                           "the Password Keeper before restoring everything."),
            FullBackupCommands::RestoreTitle);
        return;
    }
    setStatus(FullBackupCommands::RestoreTitle);
    if (m_fullBackup->restoreEverything())
        loadFamilyName();
    refreshBackupStatus();
    setStatus(MainMenuStatus);
}

void MainScreen::backupSettings()
{
    setStatus(QStringLiteral("Backup Settings"));
    m_fullBackup->backupSettings();
    refreshBackupStatus();
    setStatus(MainMenuStatus);
}

void MainScreen::refreshBackupStatus()
{
    m_backupPanel->setText(m_fullBackup->statusText());
}

QString MainScreen::backupStatusText() const
{
    return m_backupPanel->text();
}

bool MainScreen::backgroundSelectorOpen() const
{
    return m_selector->isOpen();
}

// --- events -------------------------------------------------------------

void MainScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        m_help.showHelpTopic(m_selector->isOpen() ? BackgroundSelectorTopic : OverviewTopic);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        exitProgram();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainScreen::closeEvent(QCloseEvent* event)
{
    m_displayModes->saveDisplayMode();
    m_fullBackup->backUpAtClose();
    event->accept();
}

void MainScreen::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    resized();
}

void MainScreen::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

bool MainScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_central) {
        if (event->type() == QEvent::Resize) {
            layoutControls();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton) {
                m_optionsMenu->popup(mouse->globalPosition().toPoint());
                return true;
            }
        }
        return QMainWindow::eventFilter(watched, event);
    }

    auto* screen = qobject_cast<QWidget*>(watched);
    if (screen != nullptr && screen->isWindow()) {
        // An activation still queued for a function screen that has just
        // closed must not hide the main screen shown in its place.
        if (event->type() == QEvent::WindowActivate && isVisible() && screen->isVisible()) {
            hide();
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            functionScreenClosed(screen);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- helpers ------------------------------------------------------------

void MainScreen::setStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

QString MainScreen::statusText() const
{
    return m_statusPanel->text();
}

void MainScreen::refreshTitle()
{
    setWindowTitle(m_state.titleFor(ProgramInfo::name()));
}

void MainScreen::layoutControls()
{
    const int width = m_central->width();
    const int height = m_central->height();
    const QSize panel = m_centrePanel->size();
    const int top = height / 2 - panel.height() / 2 - m_metrics->toPixels(CentrePanelLift);
    m_centrePanel->move(width / 2 - panel.width() / 2, std::max(0, top));
    ScreenBackgroundView::fitImage(*m_central, *m_backgroundImage);
    m_selector->move((width - m_selector->width()) / 2, m_centrePanel->y());
}

QColor MainScreen::swatchColour() const
{
    return m_swatch->palette().color(QPalette::Window);
}
