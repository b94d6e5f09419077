// The construction of the Password Keeper's window: its menus and their
// actions, the frame round the panel, the panel colour, the print options
// panel and the size the window opens at. The screen's commands are in
// PasswordKeeper.cpp.
#include "PasswordKeeper.h"

#include "passwords/ui/PasswordEntryBoxes.h"
#include "passwords/ui/PasswordKeeperPanel.h"
#include "passwords/ui/PasswordList.h"
#include "passwords/ui/UnlockPanel.h"
#include "screens/FunctionScreenFrame.h"
#include "screens/GuardedComboBox.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/WindowPlacement.h"
#include "storage/GColor3File.h"

#include <QAction>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

QAction* PasswordKeeper::addCommand(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = named(new QAction(caption, this), name);
    if (menu)
        menu->addAction(action);
    return action;
}

void PasswordKeeper::buildMenus()
{
    m_optionsMenu = named(menuBar()->addMenu(QStringLiteral("&Options")), "mO");
    m_panelColourAction = addCommand(m_optionsMenu, "mOC", QStringLiteral("Panel Color"));
    m_optionsMenu->addSeparator();
    m_newAction = addCommand(m_optionsMenu, "mON", QStringLiteral("&New File"));
    m_optionsMenu->addSeparator();
    m_deleteAction = addCommand(m_optionsMenu, "mODel", QStringLiteral("&Delete"));
    m_printAction = addCommand(m_optionsMenu, "mOP", QStringLiteral("&Print Options"));
    m_saveAction = addCommand(m_optionsMenu, "mOS", QStringLiteral("&Save"));
    m_optionsMenu->addSeparator();
    m_exitAction = addCommand(m_optionsMenu, "mOE", QStringLiteral("E&xit"));
    // The master password's commands come after the screen's own items.
    m_optionsMenu->addSeparator();
    buildProtectionCommands(m_optionsMenu);
    // Launch has no menu item: its button and its toolbar button.
    m_launchAction = addCommand(nullptr, "LaunchWebSite", QStringLiteral("Launch Web Site"));

    QMenu* utilities = named(menuBar()->addMenu(QStringLiteral("&Utilities")), "mU");
    m_backupAction = addCommand(utilities, "mUB", QStringLiteral("&Backup Files to Disk"));
    m_restoreAction = addCommand(utilities, "mUR", QStringLiteral("&Restore Files from Disk"));
    utilities->addSeparator();
    m_healthAction = addCommand(utilities, "mUHealth", QStringLiteral("Password &Health"));
    m_importAction = addCommand(utilities, "mUImport", QStringLiteral("&Import..."));

    m_helpAction = named(menuBar()->addAction(QStringLiteral("&Help")), "mH");

    connect(m_newAction, &QAction::triggered, this, &PasswordKeeper::newEntry);
    connect(m_deleteAction, &QAction::triggered, this, &PasswordKeeper::deleteEntry);
    connect(m_printAction, &QAction::triggered, this, &PasswordKeeper::printOptions);
    connect(m_saveAction, &QAction::triggered, this, [this] { save(); });
    connect(m_exitAction, &QAction::triggered, this, &PasswordKeeper::exit);
    connect(m_launchAction, &QAction::triggered, this, &PasswordKeeper::launchWebSite);
    connect(m_backupAction, &QAction::triggered, this, &PasswordKeeper::backupFiles);
    connect(m_restoreAction, &QAction::triggered, this, &PasswordKeeper::restoreFiles);
    connect(m_healthAction, &QAction::triggered, this, &PasswordKeeper::showPasswordHealth);
    connect(m_importAction, &QAction::triggered, this, &PasswordKeeper::importPasswords);
    connect(m_helpAction, &QAction::triggered, this, &PasswordKeeper::openHelp);

    // F1 reaches the screen whichever control has the focus. Escape comes
    // through keyPressEvent instead, so that the dropped-down list keeps it.
    auto* helpKey = new QAction(this);
    helpKey->setShortcut(Qt::Key_F1);
    helpKey->setShortcutContext(Qt::WindowShortcut);
    connect(helpKey, &QAction::triggered, this, &PasswordKeeper::openHelp);
    addAction(helpKey);
}

void PasswordKeeper::buildControls()
{
    FunctionScreenFrame::Setup setup;
    setup.layoutKey = QStringLiteral("Halvorn");
    setup.sideButtons = {
        { m_deleteAction, QStringLiteral("Delete"), QStringLiteral("Delete") },
        { m_printAction, QStringLiteral("Print Options"), QStringLiteral("Print Options") },
        { m_launchAction, QStringLiteral("Launch Web Site"), QStringLiteral("Launch Web Site") },
        { m_helpAction, QStringLiteral("Help"), QStringLiteral("Help") },
        { m_exitAction, QStringLiteral("Exit"), QStringLiteral("Exit") },
    };
    setup.exitCommand = m_exitAction;
    setup.caption = [this] { return caption(); };
    setup.printOptionsOpen = [this] { return printOptionsOpen(); };
    m_frame = std::make_unique<FunctionScreenFrame>(*this, m_services, std::move(setup));
    m_background = m_frame->background();
    m_background->installEventFilter(this);
    m_backgroundImage = m_frame->backgroundImage();

    m_panel = buildPanel();
    buildUnlockPanel(m_background);
    auto* centring = new QGridLayout(m_background);
    centring->addWidget(m_panel, 1, 1);
    centring->addWidget(m_unlockPanel, 1, 1);
    centring->setRowStretch(0, 1);
    centring->setRowStretch(2, 1);
    centring->setColumnStretch(0, 1);
    centring->setColumnStretch(2, 1);

    m_statusPanel = m_frame->statusPanel();
}

QFrame* PasswordKeeper::buildPanel()
{
    auto* panel = new PasswordKeeperPanel(
        { m_saveAction, m_printAction, m_deleteAction, m_launchAction, m_exitAction },
        *m_secretClipboard, m_background);
    m_passwordList = panel->list();
    m_list = m_passwordList->box();
    m_list->setOpeningGuard([this] { return openList(); });
    // activated, not currentIndexChanged: choosing the entry already shown
    // loads it again, and filling the list loads nothing.
    connect(m_list, &QComboBox::activated, this, &PasswordKeeper::chooseEntry);
    m_list->installEventFilter(this);
    m_normalColourBox = panel->normalColourBox();
    m_swatch = panel->swatch();
    m_boxes = panel->boxes();
    m_nameBox = m_boxes->nameBox();
    connect(m_boxes, &PasswordEntryBoxes::touched, this, &PasswordKeeper::boxTouched);
    connect(m_boxes, &PasswordEntryBoxes::textChanged, this, &PasswordKeeper::UpdateLaunchState);
    m_newButton = panel->newButton();
    connect(m_newButton, &QPushButton::clicked, this, &PasswordKeeper::newEntry);
    m_exitButton = panel->exitButton();
    return panel;
}

void PasswordKeeper::buildColourService()
{
    PanelColourService::Setup colours;
    colours.readRecord
        = [this] { return GColor3File(m_services.folder).passwordKeeperPanelColour(); };
    colours.writeRecord = [this](const StoredColour& colour) {
        return GColor3File(m_services.folder).setPasswordKeeperPanelColour(colour);
    };
    colours.swatch = m_swatch;
    colours.closingQuestion = QStringLiteral("Save changes made to Panel Color?");
    colours.closingTitle = QStringLiteral("Panel Color Changes");
    colours.showStatus = [this](const QString& text) { showStatus(text); };
    colours.caption = [this] { return caption(); };
    m_panelColours = new PanelColourService(m_services, std::move(colours), this);
    m_panelColours->addPanel(m_panel);
    m_panelColours->addDependant(
        [this](const QColor& colour) { m_printPanel->setPanelColour(colour); });
    connect(m_panelColourAction, &QAction::triggered, m_panelColours, &PanelColourService::choose);
}

void PasswordKeeper::buildPrintPanel()
{
    auto rebuild = [this](const QPageLayout& layout, const PrintFont& font) {
        return buildReport(layout, font);
    };
    m_printPanel = new PrintOptionsPanel(
        m_services, PrintPanelProfile::passwordKeeper(), nullptr, rebuild, m_background);
    m_printPanel->setOptionsMenu(m_optionsMenu->menuAction());
    m_printPanel->setFirstTextBox(m_nameBox);
    connect(m_printPanel, &PrintOptionsPanel::statusChanged, this, &PasswordKeeper::showStatus);
}

void PasswordKeeper::applySizeMode(const QWidget* opener)
{
    WindowPlacement::placeLikeOpener(*this, m_services.state, opener);
}
