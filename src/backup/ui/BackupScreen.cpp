#include "BackupScreen.h"

#include "backup/BackupEngine.h"
#include "backup/BackupTarget.h"
#include "backup/DiskFileOperations.h"
#include "datatool/ProgramBackupSets.h"
#include "screens/AccessibleNames.h"
#include "screens/BusyPointer.h"
#include "screens/CommandButton.h"
#include "screens/DriveList.h"
#include "screens/FolderChooser.h"
#include "screens/NamedWidget.h"
#include "screens/ReadableCaption.h"
#include "screens/ScreenBackgroundView.h"
#include "screens/ShellState.h"
#include "screens/ShowFailure.h"
#include "screens/Twips.h"
#include "services/Clock.h"
#include "services/HelpService.h"
#include "services/MessageService.h"
#include "storage/ProgramSettings.h"
#include "trackers/IndividualName.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

namespace {

// The label's "&" marks the letter drawn underlined, as the original label
// drew it; the text keeps its blanks (two after "program.") and line breaks.
QString accessKeyMarkup(const QString& text)
{
    QString html;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'&' && i + 1 < text.size() && text.at(i + 1) != u'&') {
            html += QStringLiteral("<u>%1</u>").arg(QString(text.at(++i)).toHtmlEscaped());
        } else if (c == u'&') {
            html += QStringLiteral("&amp;");
            ++i;
        } else if (c == u'\n') {
            html += QStringLiteral("<br>");
        } else {
            html += QString(c).toHtmlEscaped();
        }
    }
    return QStringLiteral("<span style=\"white-space: pre-wrap\">%1</span>").arg(html);
}

void paintPanel(QWidget* panel, const QColor& colour)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
}

} // namespace

bool BackupScreen::run(const ScreenServices& services, BackupKind kind, QWidget* caller)
{
    BackupScreen screen(services, kind, caller);
    screen.exec();
    return screen.programFolderChanged();
}

BackupScreen::BackupScreen(const ScreenServices& services, BackupKind kind, QWidget* caller)
    : QDialog(caller)
    , m_services(services)
    , m_kind(kind)
    , m_restoreMode(ProgramBackupSets::all().isRestoreKind(kind))
{
    setObjectName(QStringLiteral("Backup1"));
    setModal(true);
    if (const BackupFileSet* set = ProgramBackupSets::all().forKind(m_kind))
        m_setName = set->setName;
    buildMenu();
    buildControls();
    showTexts();

    const QString start = startingFolder();
    m_drives->showVolumeOf(start);
    m_folders->setPath(start);
    showPath(m_folders->path());
    enableRunAction();
    connect(m_drives, &DriveList::currentIndexChanged, this, &BackupScreen::driveChosen);
    connect(m_folders, &FolderChooser::pathChanged, this, &BackupScreen::folderChosen);

    resize(Twips::toPixels(QSize(8400, 7800), this));
    placeOverCaller(caller);
    showBackground();
}

BackupScreen::~BackupScreen()
{
    // The path box loses the focus as the screen goes; that is no typed
    // folder to look at.
    m_pathLabel->disconnect(this);
    m_pathLabel->removeEventFilter(this);
}

// --- building the screen ------------------------------------------------------

void BackupScreen::buildMenu()
{
    auto* bar = new QMenuBar(this);
    // The menu bar stands above the window's background, as a menu bar
    // does, not on its picture or colour.
    paintPanel(bar, QApplication::palette().color(QPalette::Window));
    m_optionsMenu = named(bar->addMenu(QStringLiteral("&Options")), "mO");
    m_backupAction = named(new QAction(QStringLiteral("&Make Backup Disk"), this), "mOM");
    m_restoreAction = named(new QAction(QStringLiteral("&Restore Files from Disk"), this), "mOR");
    m_exitAction = named(new QAction(QStringLiteral("E&xit"), this), "mOE");
    m_optionsMenu->addAction(m_backupAction);
    m_optionsMenu->addAction(m_restoreAction);
    m_optionsMenu->addSeparator();
    m_optionsMenu->addAction(m_exitAction);

    m_runAction = m_restoreMode ? m_restoreAction : m_backupAction;
    (m_restoreMode ? m_backupAction : m_restoreAction)->setVisible(false);
    m_backupAction->setEnabled(false);
    m_restoreAction->setEnabled(false);
    connect(m_runAction, &QAction::triggered, this, &BackupScreen::runCommand);
    connect(m_exitAction, &QAction::triggered, this, &BackupScreen::exit);

    auto* help = new QAction(this);
    help->setShortcut(Qt::Key_F1);
    help->setShortcutContext(Qt::WindowShortcut);
    connect(help, &QAction::triggered, this, [this] { m_services.help.showHelpTopic(HelpTopic); });
    addAction(help);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
}

void BackupScreen::buildControls()
{
    m_image = named(new QLabel(this), "Image1");
    m_defaultColour = named(new QLabel(this), "Label6");
    m_defaultColour->hide();
    paintPanel(m_defaultColour, QApplication::palette().color(QPalette::Button));

    m_frame = named(new QFrame(this), "SSPanel1");
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_instructions = named(new QLabel(m_frame), "Label1");
    m_instructions->setTextFormat(Qt::RichText);
    m_instructions->setWordWrap(true);
    auto* drivesLabel = named(new QLabel(QStringLiteral("Drives:"), m_frame), "Label2_0");
    auto* foldersLabel = named(new QLabel(QStringLiteral("Folders:"), m_frame), "Label2_1");
    m_drives = named(new DriveList(m_frame), "Drive1");
    m_folders = named(new FolderChooser(m_frame), "Dir1");
    AccessibleNames::labelField(drivesLabel, m_drives);
    AccessibleNames::labelField(foldersLabel, m_folders);
    auto* pathCaption = named(new QLabel(QStringLiteral("Path:"), m_frame), "Label4");
    // The path is shown in a box, so that a folder can also be typed.
    m_pathLabel = named(new QLineEdit(m_frame), "Label5");
    AccessibleNames::labelField(pathCaption, m_pathLabel);
    connect(m_pathLabel, &QLineEdit::editingFinished, this, &BackupScreen::typedFolder);
    m_pathLabel->installEventFilter(this);
    // The frame takes the screen's colours, which black text may not read on.
    for (QLabel* caption : { m_instructions, drivesLabel, foldersLabel, pathCaption })
        ReadableCaption::keepReadable(caption);
    m_status = named(new QLabel(m_frame), "SSPanel2");
    m_status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setMinimumHeight(m_status->fontMetrics().height() * 2);
    m_status->hide();
    m_progress = named(new QProgressBar(m_frame), "ProgressBar1");
    m_progress->hide();
    m_actionButton = new CommandButton(m_runAction, QStringLiteral("SSCommand2"),
        m_restoreMode ? QStringLiteral("&Restore ") + m_setName : QStringLiteral("&Make Backup"),
        m_frame);
    m_exitButton = new CommandButton(
        m_exitAction, QStringLiteral("SSCommand1"), QStringLiteral("E&xit"), m_frame);
    m_menuSpot = named(new QLabel(m_frame), "Label3");
    m_menuSpot->setMinimumSize(24, 24);

    m_folderMenu = new QMenu(this);
    QAction* newFolder = named(new QAction(QStringLiteral("&New Folder..."), this), "mNewFolder");
    m_folderMenu->addAction(newFolder);
    connect(newFolder, &QAction::triggered, this, &BackupScreen::makeFolder);
    m_folders->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_folders, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { m_folderMenu->popup(m_folders->viewport()->mapToGlobal(at)); });

    // The status panel and the progress bar keep their room while hidden,
    // so that nothing moves when a run shows them.
    for (QWidget* passing : std::initializer_list<QWidget*> { m_status, m_progress }) {
        QSizePolicy policy = passing->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        passing->setSizePolicy(policy);
    }

    auto* column = new QVBoxLayout(m_frame);
    column->addWidget(m_instructions);
    column->addSpacing(6);
    column->addWidget(drivesLabel);
    column->addWidget(m_drives);
    column->addWidget(foldersLabel);
    column->addWidget(m_folders, 1);
    auto* pathRow = new QHBoxLayout;
    pathRow->setSpacing(Twips::toPixelsX(30, this));
    pathRow->addWidget(pathCaption);
    pathRow->addWidget(m_pathLabel, 1);
    column->addLayout(pathRow);
    column->addWidget(m_status);
    column->addWidget(m_progress);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_menuSpot);
    buttons->addStretch(1);
    buttons->addWidget(m_actionButton);
    buttons->addWidget(m_exitButton);
    column->addLayout(buttons);

    const QColor panelColour = m_defaultColour->palette().color(QPalette::Window);
    paintPanel(m_frame, panelColour);
    paintPanel(m_status, panelColour);
    layout()->addWidget(m_frame);
    // The background shows round the frame.
    layout()->setContentsMargins(16, 8, 16, 16);
}

void BackupScreen::showTexts()
{
    const QString& set = m_setName;
    QString instructions;
    if (m_restoreMode) {
        setWindowTitle(QStringLiteral("Restore %1 from Backup Media").arg(set));
        instructions
            = QStringLiteral("Restore %1 from backup media to Halvorn Program.\n"
                             "CAUTION: RESTORE FUNCTION WILL FIRST ERASE ALL EXISTING "
                             "%2 IN THE PROGRAM AND THEN RESTORE FILES.\n"
                             "To restore, first place backup disk in Drive a: or select "
                             "Folder/files location, then select Drive and or folder from "
                             "the Drive/Folders lists below, then Click &Restore %1 Button "
                             "and follow directions as they appear.")
                  .arg(set, set.toUpper());
    } else {
        setWindowTitle(QStringLiteral("Backup %1").arg(set));
        instructions = QStringLiteral("This utility allows you to make a backup of the %1 "
                                      "contained within this program.  To make the backup , first "
                                      "create a folder on your hard drive or flash card etc., then "
                                      "select Drive or location from the Drives and or Folders "
                                      "lists below, then Click the &Make Backup Button and follow "
                                      "directions as they appear.")
                           .arg(set);
    }
    m_instructions->setText(accessKeyMarkup(instructions));
}

void BackupScreen::placeOverCaller(QWidget* caller)
{
    const QWidget* over = caller ? caller->window() : nullptr;
    const QRect area = over ? over->frameGeometry() : screen()->availableGeometry();
    QPoint topLeft(area.left() + area.width() / 2 - width() / 2,
        area.top() + area.height() / 2 - height() / 2 + Twips::toPixelsY(415, this));
    // A caller near the screen's bottom must not push the buttons off it.
    const QRect available = screen()->availableGeometry();
    topLeft.setY(qBound(available.top(), topLeft.y(), available.bottom() - height()));
    topLeft.setX(qBound(available.left(), topLeft.x(), available.right() - width()));
    move(topLeft);
}

void BackupScreen::showBackground()
{
    ScreenBackgroundView::show(
        m_services.state.ScreenBackground, m_services.folder, *this, *m_image);
}

bool BackupScreen::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        showBackground();
    return QDialog::event(event);
}

void BackupScreen::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ScreenBackgroundView::fitImage(*this, *m_image);
}

bool BackupScreen::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the path box goes to the typed folder; it must not reach
    // the dialog, whose default button would start the run.
    if (watched == m_pathLabel && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            typedFolder();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BackupScreen::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_running)
        m_optionsMenu->popup(event->globalPos());
}

// --- choosing where ------------------------------------------------------------

void BackupScreen::driveChosen()
{
    if (!m_drives->isReadable()) {
        showFailure(m_services.messages,
            Outcome::failed(QStringLiteral("Device/Drive is Unavailable!")),
            QStringLiteral("Device/Drive Error"));
        returnToProgramVolume();
        return;
    }
    m_folders->setPath(m_drives->rootPath());
    folderChosen(m_folders->path());
}

void BackupScreen::folderChosen(const QString& path)
{
    m_runActionLocked = false;
    showPath(path);
    enableRunAction();
}

void BackupScreen::showPath(const QString& path)
{
    m_pathLabel->setText(QDir::toNativeSeparators(path));
}

QString BackupScreen::chosenPath() const
{
    // The folder listed, not what may be half typed into the path box.
    return QDir::toNativeSeparators(m_folders->path());
}

void BackupScreen::typedFolder()
{
    const QString typed = m_pathLabel->text().trimmed();
    if (typed == chosenPath())
        return;
    const QFileInfo folder(typed);
    if (typed.isEmpty() || !folder.isDir() || !folder.isReadable() || !folder.isExecutable()) {
        showPath(m_folders->path());
        showFailure(m_services.messages,
            Outcome::refused(QStringLiteral("There is no folder that can be opened at\n%1")
                                 .arg(QDir::toNativeSeparators(typed))),
            QStringLiteral("Path"), MessageService::Icon::Exclamation);
        return;
    }
    m_drives->showVolumeOf(folder.absoluteFilePath());
    m_folders->setPath(folder.absoluteFilePath());
    showPath(m_folders->path());
}

QSettings BackupScreen::lastFolderStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Halvorn"),
        QStringLiteral("Backups"));
}

QString BackupScreen::startingFolder() const
{
    // A restore most likely reads the set from where it was last written.
    const QString program = m_services.folder.path();
    if (!m_restoreMode)
        return program;
    const QString last
        = lastFolderStore().value(QStringLiteral("LastFolder/") + m_setName).toString();
    const QFileInfo folder(last);
    if (last.isEmpty() || !folder.isDir() || BackupTarget::isProgramFolder(last, m_services.folder))
        return program;
    return last;
}

void BackupScreen::enableRunAction()
{
    m_runAction->setEnabled(!m_running && !m_runActionLocked
        && !BackupTarget::isProgramFolder(m_folders->path(), m_services.folder));
}

void BackupScreen::makeFolder()
{
    const QString title = QStringLiteral("New Folder");
    const std::optional<QString> answer = m_services.messages.input(
        QStringLiteral("Name of the new folder in\n%1:").arg(chosenPath()), title, QString());
    if (!answer)
        return;
    const QString name = answer->trimmed();
    if (const QString refusal = IndividualName::pathRefusal(name); !refusal.isEmpty()) {
        showFailure(m_services.messages, Outcome::refused(refusal), title,
            MessageService::Icon::Exclamation);
        return;
    }
    QDir parent(m_folders->path());
    if (!parent.mkdir(name)) {
        showFailure(m_services.messages,
            Outcome::failed(QStringLiteral("The folder \"%1\" could not be made in\n%2")
                                .arg(name, chosenPath())),
            title, MessageService::Icon::Exclamation);
        return;
    }
    m_folders->setPath(parent.filePath(name));
}

// --- the run ---------------------------------------------------------------------

void BackupScreen::runCommand()
{
    if (m_running || !m_runAction->isEnabled())
        return;
    const QString targetPath = BackupTarget::targetPath(m_folders->path());
    setRunning(true);
    DiskFileOperations files;
    BackupEngine engine({ m_services.folder, m_services.messages, m_services.clock, *this, files,
        ProgramBackupSets::all() });
    const BackupOutcome outcome = m_restoreMode ? engine.restore(m_kind, targetPath)
                                                : engine.backup(m_kind, targetPath, chosenPath());
    if (!m_restoreMode && outcome.completed()) {
        lastFolderStore().setValue(QStringLiteral("LastFolder/") + m_setName, m_folders->path());
        if (const Outcome stored
            = ProgramSettings(m_services.folder).recordBackup(m_services.clock.today());
            !stored.succeeded)
            showFailure(
                m_services.messages, stored, windowTitle(), MessageService::Icon::Exclamation);
    }
    m_programFolderChanged = m_programFolderChanged || outcome.programFolderChanged;
    setRunning(false);
    if (m_closeRequested) {
        m_closeRequested = false;
        exit();
    }
}

void BackupScreen::setRunning(bool running)
{
    m_running = running;
    m_drives->setEnabled(!running);
    m_folders->setEnabled(!running);
    m_pathLabel->setEnabled(!running);
    m_exitAction->setEnabled(!running);
    m_optionsMenu->menuAction()->setEnabled(!running);
    enableRunAction();
}

void BackupScreen::exit()
{
    close();
}

void BackupScreen::done(int result)
{
    if (m_running) {
        m_closeRequested = true;
        return;
    }
    QDialog::done(result);
}

// --- what the run shows -------------------------------------------------------------

void BackupScreen::setStatusText(const QString& text)
{
    m_status->setText(text);
}

void BackupScreen::setStatusPanelVisible(bool visible)
{
    m_status->setVisible(visible);
}

void BackupScreen::setProgressBarVisible(bool visible)
{
    m_progress->setVisible(visible);
}

void BackupScreen::setProgressMaximum(int maximum)
{
    m_progress->setMaximum(maximum);
}

void BackupScreen::setProgressValue(int value)
{
    m_progress->setValue(value);
}

void BackupScreen::setBusy(bool busy)
{
    if (busy)
        BusyPointerOn();
    else
        BusyPointerOff();
}

void BackupScreen::letEventsRun()
{
    QCoreApplication::processEvents();
}

void BackupScreen::repaint()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BackupScreen::disableRunAction()
{
    m_runActionLocked = true;
    enableRunAction();
}

void BackupScreen::returnToProgramVolume()
{
    m_drives->showVolumeOf(m_services.folder.path());
    m_folders->setPath(m_services.folder.path());
    folderChosen(m_folders->path());
}

void BackupScreen::fileCopied(const QString&, const QString&)
{ }
