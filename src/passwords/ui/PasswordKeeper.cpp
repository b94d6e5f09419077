#include "PasswordKeeper.h"

#include "passwords/IndexItem.h"
#include "passwords/PasswordReport.h"
#include "passwords/WebAddress.h"
#include "screens/AccessibleNames.h"
#include "screens/BusyPointer.h"
#include "services/Clock.h"
#include "screens/CommandButton.h"
#include "screens/EntryBoxGroup.h"
#include "screens/EntryBoxRules.h"
#include "screens/FunctionScreenFrame.h"
#include "screens/GuardedComboBox.h"
#include "services/HelpService.h"
#include "services/MessageService.h"
#include "screens/NamedWidget.h"
#include "screens/PanelColourService.h"
#include "screens/PrintOptionsPanel.h"
#include "screens/ScreenBackgroundView.h"
#include "screens/SecretClipboard.h"
#include "screens/ShellState.h"
#include "screens/SystemDialogs.h"
#include "screens/TabOrder.h"
#include "screens/Twips.h"
#include "storage/GColor3File.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

using Answer = MessageService::Answer;
using Buttons = MessageService::Buttons;
using Icon = MessageService::Icon;

const QString ActivitiesTitle = QStringLiteral("Password Keeper Activities");
const QString SaveTitle = QStringLiteral("Save");
const QString DeleteTitle = QStringLiteral("Delete");
const QString LaunchTitle = QStringLiteral("Launch");

// Combo1 is as wide as this many capital Ns: the name part of an item shows,
// however long the name.
constexpr int ListWidthInCharacters = 35;
// The part of the chosen item the Delete question quotes.
constexpr int DeleteQuestionLength = 60;

} // namespace

PasswordKeeper::PasswordKeeper(const ScreenServices& services, QWidget* parent)
    : QMainWindow(parent)
    , m_services(services)
    , m_files(services.folder)
    , m_secretClipboard(new SecretClipboard(services.clock, this))
    , m_opener(QApplication::activeWindow())
{
    setObjectName(QStringLiteral("Form4"));
    buildMenus();
    buildControls();
    buildPrintPanel();
    buildColourService();
    applySizeMode(m_opener);
    loadScreen();
}

PasswordKeeper::~PasswordKeeper() = default;

// --- construction ------------------------------------------------------------

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
    // Launch has no menu item: its button and its toolbar button.
    m_launchAction = addCommand(nullptr, "LaunchWebSite", QStringLiteral("Launch Web Site"));

    QMenu* utilities = named(menuBar()->addMenu(QStringLiteral("&Utilities")), "mU");
    m_backupAction = addCommand(utilities, "mUB", QStringLiteral("&Backup Files to Disk"));
    m_restoreAction = addCommand(utilities, "mUR", QStringLiteral("&Restore Files from Disk"));

    m_helpAction = named(menuBar()->addAction(QStringLiteral("&Help")), "mH");

    connect(m_newAction, &QAction::triggered, this, &PasswordKeeper::newEntry);
    connect(m_deleteAction, &QAction::triggered, this, &PasswordKeeper::deleteEntry);
    connect(m_printAction, &QAction::triggered, this, &PasswordKeeper::printOptions);
    connect(m_saveAction, &QAction::triggered, this, [this] { save(); });
    connect(m_exitAction, &QAction::triggered, this, &PasswordKeeper::exit);
    connect(m_launchAction, &QAction::triggered, this, &PasswordKeeper::launchWebSite);
    connect(m_backupAction, &QAction::triggered, this, &PasswordKeeper::backupFiles);
    connect(m_restoreAction, &QAction::triggered, this, &PasswordKeeper::restoreFiles);
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
    auto* centring = new QGridLayout(m_background);
    centring->addWidget(m_panel, 1, 1);
    centring->setRowStretch(0, 1);
    centring->setRowStretch(2, 1);
    centring->setColumnStretch(0, 1);
    centring->setColumnStretch(2, 1);

    m_statusPanel = m_frame->statusPanel();
}

QFrame* PasswordKeeper::buildPanel()
{
    auto* panel = named(new QFrame(m_background), "Panel3D1");
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    panel->setAutoFillBackground(true);

    auto heading = [panel](const QString& text, int index) {
        QLabel* label = named(new QLabel(text, panel), arrayElementName("Label1", index));
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        return label;
    };
    QLabel* listHeading = heading(QStringLiteral("Select Existing Password Files:"), 5);
    QLabel* boxesHeading
        = heading(QStringLiteral("View Existing Password Files or Create New Password Files:"), 6);
    QLabel* listLabel = named(
        new QLabel(QStringLiteral("Web address, Location, Service,Card, etc.:      "), panel),
        arrayElementName("Label1", 0));

    m_list = named(new GuardedComboBox(panel), "Combo1");
    m_list->setOpeningGuard([this] { return openList(); });
    // activated, not currentIndexChanged: choosing the entry already shown
    // loads it again, and filling the list loads nothing.
    connect(m_list, &QComboBox::activated, this, &PasswordKeeper::chooseEntry);
    m_list->installEventFilter(this);
    m_list->setContextMenuPolicy(Qt::PreventContextMenu);
    // Its width is fixed below; measuring every item for a size hint would
    // only cost time with thousands listed.
    m_list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_listMeasure = named(new QLabel(panel), "Label4");
    m_listMeasure->hide();

    m_normalColourBox = named(new QLineEdit(panel), "Text2");
    m_normalColourBox->hide();
    m_swatch = named(new QLabel(panel), "Label3");
    m_swatch->hide();

    m_nameBox = named(new QLineEdit(panel), arrayElementName("Text1", 0));
    m_nameBox->setMaxLength(PasswordFiles::MaximumNameLength);
    m_signOnBox = named(new QLineEdit(panel), arrayElementName("Text1", 1));
    m_signOnBox->setMaxLength(PasswordFiles::MaximumSignOnLength);
    // Shown in clear on purpose, in a bold face that tells 1, l and I apart.
    m_passwordBox = named(new QLineEdit(panel), arrayElementName("Text1", 2));
    m_passwordBox->setMaxLength(PasswordFiles::MaximumPasswordLength);
    QFont passwordFont(QStringLiteral("MS Sans Serif"));
    passwordFont.setBold(true);
    m_passwordBox->setFont(passwordFont);
    m_secretClipboard->guard(m_passwordBox);
    m_commentBox = named(new QPlainTextEdit(panel), arrayElementName("Text1", 3));
    TabOrder::moveFocusOnTab(m_commentBox);
    m_commentBox->setFixedHeight(m_commentBox->fontMetrics().lineSpacing() * 4 + 12);

    m_entryBoxes = new EntryBoxGroup(m_normalColourBox, this);
    // The screen puts its cursor on Exit; the first box to get the focus is
    // the user's choice and is highlighted.
    m_entryBoxes->setSkipsFirstFocus(false);
    const QList<QLineEdit*> lineBoxes { m_nameBox, m_signOnBox, m_passwordBox };
    for (int index = 0; index < lineBoxes.size(); ++index) {
        QLineEdit* box = lineBoxes[index];
        m_entryBoxes->add(box, index);
        box->installEventFilter(this);
        box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 50);
    }
    m_entryBoxes->add(m_commentBox, 3);
    m_commentBox->installEventFilter(this);
    connect(m_entryBoxes, &EntryBoxGroup::edited, this, [this](int index) {
        if (index == 0)
            nameEdited();
        boxTouched();
    });
    connect(m_nameBox, &QLineEdit::textChanged, this, &PasswordKeeper::UpdateLaunchState);
    connect(m_commentBox, &QPlainTextEdit::textChanged, this, &PasswordKeeper::commentChanged);

    auto boxLabel = [panel](const QString& text, int index) {
        return named(new QLabel(text, panel), arrayElementName("Label1", index));
    };
    auto* boxes = new QGridLayout;
    const std::array<QString, 4> captions { QStringLiteral(
                                                "Web address, Location, Service,Card, etc.:"),
        QStringLiteral("Sign On ID, Login ID, User ID, etc.:"),
        QStringLiteral("Password, PIN No., Secret #, etc.:"),
        QStringLiteral("Comments, Notes, Remarks, etc.:") };
    const std::array<QWidget*, 4> fields { m_nameBox, m_signOnBox, m_passwordBox, m_commentBox };
    for (int row = 0; row < 4; ++row) {
        QLabel* caption = boxLabel(captions[row], row + 1);
        AccessibleNames::labelField(caption, fields[row]);
        boxes->addWidget(caption, row, 0, row == 3 ? Qt::AlignTop : Qt::Alignment());
        boxes->addWidget(fields[row], row, 1);
    }

    m_newButton = named(new QPushButton(QStringLiteral("&New File"), panel), "Command5");
    connect(m_newButton, &QPushButton::clicked, this, &PasswordKeeper::newEntry);
    auto* saveButton = new CommandButton(m_saveAction, "Command2", QStringLiteral("&Save"), panel);
    auto* printButton
        = new CommandButton(m_printAction, "Command3", QStringLiteral("&Print Options"), panel);
    auto* deleteButton
        = new CommandButton(m_deleteAction, "Command4", QStringLiteral("&Delete"), panel);
    auto* launchButton
        = new CommandButton(m_launchAction, "Command6", QStringLiteral("&Launch"), panel);
    // Launch is the one command without the Options menu on its right click.
    launchButton->setContextMenuPolicy(Qt::PreventContextMenu);
    m_exitButton = new CommandButton(m_exitAction, "Command1", QStringLiteral("E&xit"), panel);
    auto* commands = new QHBoxLayout;
    for (QPushButton* button : { m_newButton, static_cast<QPushButton*>(saveButton),
             static_cast<QPushButton*>(printButton), static_cast<QPushButton*>(deleteButton),
             static_cast<QPushButton*>(launchButton), m_exitButton })
        commands->addWidget(button);

    AccessibleNames::labelField(listLabel, m_list);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(listLabel);
    listRow->addWidget(m_list);
    listRow->addStretch(1);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(listHeading);
    layout->addLayout(listRow);
    layout->addSpacing(16);
    layout->addWidget(boxesHeading);
    layout->addLayout(boxes);
    layout->addSpacing(12);
    layout->addLayout(commands);
    TabOrder::followLayout(panel);
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

// In the smaller-screen display the keeper takes the place of the window it
// was opened from; otherwise it covers the screen.
void PasswordKeeper::applySizeMode(const QWidget* opener)
{
    const QRect available = screen()->availableGeometry();
    const ShellState& state = m_services.state;
    if (state.DisplayMode == ShellState::SmallerScreenDisplay) {
        if (opener != nullptr && opener->isVisible()) {
            setGeometry(opener->geometry());
        } else {
            const QSize size = Twips::toPixels(QSize(state.WindowWidth, state.WindowHeight), this)
                                   .expandedTo(minimumSizeHint())
                                   .boundedTo(available.size());
            setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
        }
        return;
    }
    // Without a window manager nobody maximises the window: cover the
    // screen first.
    setGeometry(available);
    setWindowState(windowState() | Qt::WindowMaximized);
}

// --- loading and activation ------------------------------------------------

void PasswordKeeper::loadScreen()
{
    m_frame->showScreenBackground();
    m_panelColours->load();
    m_EntryModified = 0;
    LoadIndex();
    setWindowTitle(caption());
    // The keeper prints in its name box's colour, plain, until the font
    // dialog says otherwise.
    ShellState& state = m_services.state;
    state.PrintFontUnderline = false;
    state.PrintFontStrikethrough = false;
    state.PrintFontColour = m_nameBox->palette().color(QPalette::Text);
    const QColor normal = m_normalColourBox->palette().color(QPalette::Base);
    for (QWidget* box : { static_cast<QWidget*>(m_nameBox), static_cast<QWidget*>(m_signOnBox),
             static_cast<QWidget*>(m_passwordBox), static_cast<QWidget*>(m_commentBox),
             static_cast<QWidget*>(m_list) }) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, normal);
        box->setPalette(palette);
    }
}

QString PasswordKeeper::caption() const
{
    return m_services.state.titleFor(QStringLiteral("Password Keeper"));
}

bool PasswordKeeper::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        // A message box opening over the screen takes the activation; the
        // screen's return to the front afterwards is no new activation.
        m_deactivatedByModal = QApplication::activeModalWidget() != nullptr;
        break;
    case QEvent::WindowActivate:
        if (m_deactivatedByModal)
            m_deactivatedByModal = false;
        else
            activated();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void PasswordKeeper::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    activated();
}

void PasswordKeeper::activated()
{
    m_listMeasure->setText(QString(ListWidthInCharacters, QLatin1Char('N')));
    m_listMeasure->adjustSize();
    m_list->setFixedWidth(m_listMeasure->width());
    ScreenBackgroundView::fitImage(*m_background, *m_backgroundImage);
    showCaption();
    if (m_nameBox->text().isEmpty())
        DisableAllActions();
    m_exitButton->setFocus();
    m_newButton->setEnabled(true);
    BusyPointerOff();
}

void PasswordKeeper::showStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

void PasswordKeeper::showCaption()
{
    showStatus(caption());
}

bool PasswordKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background) {
        if (event->type() == QEvent::Resize)
            ScreenBackgroundView::fitImage(*m_background, *m_backgroundImage);
        // Right clicks on the background, the picture and the buttons (but
        // Launch) arrive here; the boxes keep their own edit menus.
        if (event->type() == QEvent::ContextMenu && !printOptionsOpen()) {
            m_optionsMenu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched == m_list && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        listLostFocus();
    } else if (event->type() == QEvent::KeyRelease
        && (watched == m_nameBox || watched == m_signOnBox || watched == m_passwordBox
            || watched == m_commentBox)) {
        boxTouched();
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- the list ----------------------------------------------------------------

void PasswordKeeper::LoadIndex()
{
    BusyPointerScope busy;
    const QStringList items = m_files.LoadIndex();
    // A save or a delete changes an item or two of thousands: only the rows
    // between the unchanged beginning and the unchanged end are replaced.
    qsizetype same = 0;
    while (same < items.size() && same < m_items.size() && items.at(same) == m_items.at(same))
        ++same;
    qsizetype sameAtEnd = 0;
    while (sameAtEnd < items.size() - same && sameAtEnd < m_items.size() - same
        && items.at(items.size() - 1 - sameAtEnd) == m_items.at(m_items.size() - 1 - sameAtEnd))
        ++sameAtEnd;
    listModel().removeRows(int(same), int(m_items.size() - same - sameAtEnd));
    // Only the name shows, in the box and in its drop-down; the record
    // number stays with the item. New rows go in together: one at a time,
    // the list would be told of each.
    QList<QStandardItem*> rows;
    for (qsizetype i = same; i < items.size() - sameAtEnd; ++i) {
        auto* row = new QStandardItem(IndexItem(items.at(i)).name());
        row->setData(items.at(i), Qt::UserRole);
        rows.append(row);
    }
    if (!rows.isEmpty())
        listModel().invisibleRootItem()->insertRows(int(same), rows);
    m_items = items;
    m_list->setCurrentIndex(-1);
    fitDropDownToNames();
}

// The box is only so wide; the drop-down shows long names whole. Its width
// is that of the widest name's row, measured alone rather than every row in
// turn.
void PasswordKeeper::fitDropDownToNames()
{
    const QFontMetrics metrics(m_list->view()->font());
    int widestRow = -1;
    int widest = -1;
    for (int row = 0; row < m_list->count(); ++row) {
        if (const int width = metrics.horizontalAdvance(m_list->itemText(row)); width > widest) {
            widest = width;
            widestRow = row;
        }
    }
    const int dropDownWidth = widestRow >= 0
        ? m_list->view()->sizeHintForIndex(listModel().index(widestRow, 0)).width()
        : 0;
    m_list->view()->setMinimumWidth(
        dropDownWidth + m_list->view()->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
}

QStandardItemModel& PasswordKeeper::listModel() const
{
    // A combo box's own model is a QStandardItemModel.
    return *static_cast<QStandardItemModel*>(m_list->model());
}

void PasswordKeeper::forgetSelection()
{
    m_SelectedIndex = -1;
    m_SelectedRecord = 0;
    m_selectedItem.clear();
}

// The chosen entry is forgotten only once the list really opens: after a
// Cancel, Save's Yes must still replace the entry on display, not another
// of the same name.
bool PasswordKeeper::openList()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction()) {
        m_nameBox->setFocus();
        return false;
    }
    forgetSelection();
    ClearEntry();
    // The boxes are empty now, so the list shows no entry as chosen either.
    m_list->setCurrentIndex(-1);
    return true;
}

void PasswordKeeper::chooseEntry(int index)
{
    if (index < 0 || index >= m_list->count())
        return;
    const QString item = m_list->itemData(index).toString();
    // The arrow keys and the wheel choose without opening the list, so the
    // question opening it asks is asked here.
    if (m_EntryModified > 0) {
        if (!AskSaveBeforeAction()) {
            m_list->setCurrentIndex(m_SelectedIndex);
            return;
        }
        // A save reloads the list.
        index = m_list->findData(item);
        if (index < 0)
            return;
        m_list->setCurrentIndex(index);
    }
    const IndexItem indexItem(item);
    m_SelectedIndex = index;
    m_selectedItem = item;
    m_SelectedRecord = indexItem.recordNumber();

    std::optional<PasswordEntry> entry;
    {
        BusyPointerScope busy;
        entry = m_files.loadEntry(item);
    }
    if (!entry) {
        ClearEntry();
        forgetSelection();
        m_services.messages.error(QStringLiteral("This Password File could not be read from %1.")
                                      .arg(PasswordFiles::EntriesFileName),
            caption());
        return;
    }
    showEntry(*entry);
    UpdateLaunchState();
    if (!m_list->currentText().isEmpty())
        EnableEntryActions();
    if (m_nameBox->text().isEmpty())
        ClearEntry();
    m_EntryModified = 0;
}

// Leaving the list with no name in the box leaves nothing to act on. Boxes
// the user filled before typing a name are kept: they have not been saved.
void PasswordKeeper::listLostFocus()
{
    if (!m_nameBox->text().isEmpty())
        return;
    if (anyBoxHoldsText())
        DisableAllActions();
    else
        ClearEntry();
}

// --- the boxes ------------------------------------------------------------------

PasswordEntry PasswordKeeper::shownEntry() const
{
    return { m_nameBox->text(), m_signOnBox->text(), m_passwordBox->text(),
        m_commentBox->toPlainText() };
}

void PasswordKeeper::showEntry(const PasswordEntry& entry)
{
    m_filling = true;
    m_nameBox->setText(entry.name);
    m_signOnBox->setText(entry.signOn);
    m_passwordBox->setText(entry.password);
    // A comment pasted on another system may hold CR LF line breaks.
    QString comment = entry.comment;
    comment.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_commentBox->setPlainText(comment);
    m_filling = false;
}

bool PasswordKeeper::anyBoxHoldsText() const
{
    const PasswordEntry entry = shownEntry();
    return !(entry.name.isEmpty() && entry.signOn.isEmpty() && entry.password.isEmpty()
        && entry.comment.isEmpty());
}

void PasswordKeeper::nameEdited()
{
    EntryBoxRules::applyNameRule(m_nameBox);
}

void PasswordKeeper::commentChanged()
{
    UpdateLaunchState();
    if (m_filling)
        return;
    EntryBoxRules::applyLengthLimit(m_commentBox, PasswordFiles::MaximumCommentLength);
    // Typed, pasted or dropped: the multi-line box tells no user edit apart.
    boxTouched();
}

void PasswordKeeper::boxTouched()
{
    // The release of the Escape that closed the screen changes nothing.
    if (m_nameBox->text().isEmpty() || !isVisible())
        return;
    EnableEntryActions();
    m_EntryModified = Modified;
}

// --- the screen's own procedures ---------------------------------------------

void PasswordKeeper::ClearEntry()
{
    showEntry({});
    // Nothing is left in the boxes that could be lost.
    m_EntryModified = 0;
    DisableAllActions();
}

void PasswordKeeper::DisableAllActions()
{
    for (QAction* action :
        { m_saveAction, m_printAction, m_deleteAction, m_launchAction, m_newAction })
        action->setEnabled(false);
    m_newButton->setEnabled(false);
}

void PasswordKeeper::EnableEntryActions()
{
    for (QAction* action : { m_saveAction, m_printAction, m_deleteAction, m_newAction })
        action->setEnabled(true);
    m_newButton->setEnabled(true);
}

void PasswordKeeper::UpdateLaunchState()
{
    m_launchAction->setEnabled(WebAddress::looksLikeWebAddress(m_nameBox->text()));
}

bool PasswordKeeper::AskSaveBeforeAction()
{
    const Answer answer = m_services.messages.show({
        QStringLiteral("Save new file or modifications made to an existing file before next "
                       "action or before exiting?"),
        ActivitiesTitle,
        Icon::Question,
        Buttons::YesNoCancel,
        Answer::Yes,
    });
    switch (answer) {
    case Answer::Yes:
        if (!save())
            return false;
        m_EntryModified = 0;
        return true;
    case Answer::No:
        m_EntryModified = 0;
        return true;
    default:
        return false;
    }
}

bool PasswordKeeper::AskSaveBeforeExit()
{
    const Answer answer = m_services.messages.show({
        QStringLiteral("Save new file or modifications made to an existing file before exiting?"),
        ActivitiesTitle,
        Icon::Question,
        Buttons::YesNo,
        Answer::Yes,
    });
    if (answer != Answer::Yes)
        return true;
    if (!save())
        return false;
    m_EntryModified = 0;
    return true;
}

// --- commands ------------------------------------------------------------------

QString PasswordKeeper::matchingItem(const QString& trimmedName) const
{
    if (!m_selectedItem.isEmpty() && IndexItem(m_selectedItem).name().trimmed() == trimmedName)
        return m_selectedItem;
    const qsizetype position = PasswordFiles::findByName(m_items, trimmedName);
    return position < 0 ? QString() : m_items[position];
}

bool PasswordKeeper::save()
{
    const PasswordEntry entry = shownEntry();
    const QString trimmedName = entry.name.trimmed();
    // A blank name matches nothing and names nothing: refused before any
    // question.
    if (trimmedName.isEmpty()) {
        m_services.messages.warn(PasswordFiles::nameRefusal(entry.name, {}), SaveTitle);
        m_nameBox->setFocus();
        return false;
    }

    const QString match = matchingItem(trimmedName);
    Answer answer = Answer::No;
    if (!match.isEmpty()) {
        answer = m_services.messages.show({
            IndexItem(match).name().trimmed()
                + QStringLiteral("\nThis file already exists.\n\n"
                                 "Replace exixting file?\n"
                                 "Selecting - Yes - Replaces "
                                 "Existing File!\n")
                + QString(18, QLatin1Char(' ')) + QStringLiteral("No  - Creates a New File!"),
            SaveTitle,
            Icon::Exclamation,
            Buttons::YesNoCancel,
            Answer::No,
        });
    }
    if (answer == Answer::Cancel)
        return false;

    PasswordFileResult result;
    {
        BusyPointerScope busy;
        // No makes a second entry of the name, as the question promises.
        result = answer == Answer::Yes
            ? m_files.ReplaceEntry(IndexItem(match).recordNumber(), entry)
            : m_files.AddEntry(entry, PasswordFiles::SameName::Allowed);
    }
    if (!result.ok)
        return saveFailed(result.reason);

    m_EntryModified = 0;
    forgetSelection();
    ClearEntry();
    LoadIndex();
    m_exitButton->setFocus();
    return true;
}

// The boxes, the list and the changed mark stay, so nothing typed is lost.
bool PasswordKeeper::saveFailed(const QString& reason)
{
    m_services.messages.error(reason, SaveTitle);
    m_nameBox->setFocus();
    return false;
}

void PasswordKeeper::deleteEntry()
{
    showStatus(QStringLiteral("Delete"));
    if (m_list->currentText().isEmpty() || m_selectedItem.isEmpty()) {
        m_services.messages.inform(
            QStringLiteral("Currently no Existing Password File has been selected!"), DeleteTitle);
        showCaption();
        return;
    }
    const Answer answer = m_services.messages.show({
        QStringLiteral("Do you really want to Delete this Password File?\n")
            + m_list->currentText().left(DeleteQuestionLength),
        DeleteTitle,
        Icon::Question,
        Buttons::YesNo,
        Answer::No,
    });
    if (answer == Answer::Yes) {
        PasswordFileResult result;
        {
            BusyPointerScope busy;
            result = m_files.DeleteEntry(m_selectedItem);
        }
        if (result.ok) {
            ClearEntry();
            forgetSelection();
            LoadIndex();
        } else {
            m_services.messages.error(result.reason, DeleteTitle);
        }
    }
    showCaption();
}

void PasswordKeeper::newEntry()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction()) {
        m_nameBox->setFocus();
        return;
    }
    forgetSelection();
    ClearEntry();
    LoadIndex();
    m_nameBox->setFocus();
}

void PasswordKeeper::launchWebSite()
{
    showStatus(QStringLiteral("Launching Web Site"));
    const QString name = m_nameBox->text().trimmed();
    if (const std::optional<QUrl> address = WebAddress::fromEntryName(name); !address) {
        m_services.messages.warn(
            QStringLiteral("\"%1\" is not a web address, so it cannot be launched.\n"
                           "A web address looks like www.example.com or https://example.com.")
                .arg(name),
            LaunchTitle);
    } else if (!m_services.dialogs.openUrl(address->toString(QUrl::FullyEncoded))) {
        m_services.messages.inform(
            QStringLiteral("The web site %1 could not be opened.\n"
                           "Please check that a web browser is installed and set as the default.")
                .arg(address->toDisplayString()),
            LaunchTitle);
    }
    showCaption();
}

void PasswordKeeper::printOptions()
{
    m_printPanel->open();
}

bool PasswordKeeper::printOptionsOpen() const
{
    return m_printPanel && m_printPanel->printOptionsOpen();
}

PrintDocument PasswordKeeper::buildReport(const QPageLayout& layout, const PrintFont& font) const
{
    return PasswordReport::build(shownEntry(), m_services.clock.today(), layout, font);
}

void PasswordKeeper::exit()
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return;
    m_EntryModified = 0;
    close();
}

// Escape arrives here from every control that has no use for it; the list,
// while dropped down, takes it and only closes.
void PasswordKeeper::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (!m_printPanel->escape())
            close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void PasswordKeeper::closeEvent(QCloseEvent* event)
{
    // A save the user cancelled or that failed keeps the screen open, with
    // the boxes as they were.
    if (m_EntryModified > 0 && !AskSaveBeforeExit()) {
        event->ignore();
        return;
    }
    m_EntryModified = 0;
    m_panelColours->askSave();
    event->accept();
}

void PasswordKeeper::openHelp()
{
    m_services.help.showHelpTopic(printOptionsOpen() ? PrintOptionsHelpTopic : HelpTopic);
}

void PasswordKeeper::backupFiles()
{
    openBackupScreen(BackupKind::PasswordBackup);
}

// The restored files show at once.
void PasswordKeeper::restoreFiles()
{
    if (!openBackupScreen(BackupKind::PasswordRestore))
        return;
    forgetSelection();
    LoadIndex();
    ClearEntry();
}

// Unsaved boxes are asked about first, for a backup as for a restore; Cancel
// opens nothing.
bool PasswordKeeper::openBackupScreen(BackupKind kind)
{
    if (m_EntryModified > 0 && !AskSaveBeforeAction())
        return false;
    m_services.openBackupScreen(m_services, kind, this);
    BusyPointerOff();
    return true;
}
