#include "FunctionScreenFrame.h"

#include "screens/NamedWidget.h"
#include "screens/ScreenBackgroundView.h"
#include "screens/ShellState.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString LoadingStatus = QStringLiteral("Loading");
const QString ReturnToolTip = QStringLiteral("Return to the Main Menu");

// The top toolbar's buttons 2 to 13 all lead back to the main screen; their
// words say no more than that.
const char* const ReturnLabels[] = { "Home", "Back", "Menu", "Start", "Return", "Leave", "Programs",
    "Functions", "Switch", "Done", "Close", "Finish" };

} // namespace

FunctionScreenFrame::FunctionScreenFrame(
    QMainWindow& window, const ScreenServices& services, Setup setup)
    : m_window(window)
    , m_services(services)
    , m_setup(std::move(setup))
{
    m_background = named(new QWidget(&window), "Background");
    m_background->installEventFilter(this);
    window.setCentralWidget(m_background);
    m_backgroundImage = named(new QLabel(m_background), "Image1");
    m_backgroundImage->setScaledContents(true);
    m_backgroundImage->hide();

    buildStatusBar();
    buildTopToolbar();
    buildSideToolbars();
    window.installEventFilter(this);
}

QSettings FunctionScreenFrame::layoutStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Halvorn"),
        QStringLiteral("Toolbars"));
}

QString FunctionScreenFrame::layoutGroup(const QString& layoutKey)
{
    return QStringLiteral("Toolbar1/User1/") + layoutKey;
}

// --- construction --------------------------------------------------------------

void FunctionScreenFrame::buildStatusBar()
{
    QStatusBar* bar = m_window.statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    m_statusPanel = named(new QLabel(bar), "StatusBar1Panel1");
    bar->addWidget(m_statusPanel, 1);
    auto restorePanel = [this, bar](const char* name, const QString& text) {
        auto* panel = named(new QLabel(text, bar), name);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setCursor(Qt::PointingHandCursor);
        panel->installEventFilter(this);
        panel->hide();
        bar->addPermanentWidget(panel);
        return panel;
    };
    m_restoreTopPanel
        = restorePanel("StatusBar1Panel2", QStringLiteral("Click to Restore Top Toolbar"));
    m_restoreSidePanel
        = restorePanel("StatusBar1Panel3", QStringLiteral("Click to Restore Side Toolbars"));
}

QToolBar* FunctionScreenFrame::addToolbar(const char* name, Qt::ToolBarArea area,
    const QString& hideCaption, void (FunctionScreenFrame::*hide)())
{
    auto* toolbar = named(new QToolBar(QString::fromLatin1(name), &m_window), name);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Its own menu, not the screen's "&Options": the one way to hide it.
    toolbar->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(toolbar);
    QAction* hideAction
        = named(menu->addAction(hideCaption), QByteArray(name).append("Hide").constData());
    connect(hideAction, &QAction::triggered, this, hide);
    connect(toolbar, &QWidget::customContextMenuRequested, menu,
        [menu, toolbar](const QPoint& at) { menu->popup(toolbar->mapToGlobal(at)); });
    // The title is what screen readers announce a toolbar by: its place,
    // not its control name.
    toolbar->setWindowTitle(area == Qt::TopToolBarArea ? QStringLiteral("Top toolbar")
            : area == Qt::LeftToolBarArea              ? QStringLiteral("Side toolbar")
                                                       : QStringLiteral("Companion toolbar"));
    m_window.addToolBar(area, toolbar);
    return toolbar;
}

void FunctionScreenFrame::buildTopToolbar()
{
    m_topToolbar = addToolbar("Toolbar1", Qt::TopToolBarArea, QStringLiteral("Hide Top Toolbar"),
        &FunctionScreenFrame::hideTopToolbar);
    for (int number = 1; number <= TopButtonCount; ++number) {
        QString label = ReturnToolTip;
        QString toolTip = ReturnToolTip;
        if (number == 1) {
            label = QStringLiteral("Main");
            toolTip = QStringLiteral("Main Menu");
        } else if (number == TopButtonCount) {
            label = QStringLiteral("Exit");
            toolTip = label;
        } else {
            label = QString::fromLatin1(ReturnLabels[number - 2]);
        }
        QAction* action = m_topToolbar->addAction(label);
        action->setToolTip(toolTip);
        m_topToolbar->widgetForAction(action)->setObjectName(arrayElementName("Toolbar1", number));
        connect(action, &QAction::triggered, this, [this, number] { runTopButton(number); });
        m_topButtons.append(action);
        if (number == 1 || number == TopButtonCount - 1)
            m_topToolbar->addSeparator();
    }
}

void FunctionScreenFrame::buildSideToolbars()
{
    m_sideToolbar = addToolbar("Toolbar2", Qt::LeftToolBarArea,
        QStringLiteral("Hide Side Toolbars"), &FunctionScreenFrame::hideSideToolbars);
    for (int number = 1; number <= m_setup.sideButtons.size(); ++number) {
        const SideButton& side = m_setup.sideButtons[number - 1];
        QAction* command = side.command;
        QAction* action = m_sideToolbar->addAction(side.label);
        action->setToolTip(side.toolTip);
        action->setEnabled(command->isEnabled());
        // The button is enabled with its command, in one place.
        connect(command, &QAction::changed, action,
            [action, command] { action->setEnabled(command->isEnabled()); });
        connect(action, &QAction::triggered, this, [this, command] { runSideButton(command); });
        QWidget* button = m_sideToolbar->widgetForAction(action);
        button->setObjectName(arrayElementName("Toolbar2", number));
        if (auto* toolButton = qobject_cast<QToolButton*>(button))
            toolButton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        m_sideButtons.append(action);
    }
    m_companionToolbar = addToolbar("Toolbar3", Qt::RightToolBarArea,
        QStringLiteral("Hide Side Toolbars"), &FunctionScreenFrame::hideSideToolbars);
    m_companionToolbar->setMinimumWidth(m_sideToolbar->iconSize().width() / 2);
}

// --- status bar ------------------------------------------------------------------

void FunctionScreenFrame::showStatus(const QString& text)
{
    m_statusPanel->setText(text);
}

void FunctionScreenFrame::showCaption()
{
    showStatus(m_setup.caption());
}

// --- buttons -----------------------------------------------------------------------

void FunctionScreenFrame::runTopButton(int number)
{
    if (number < TopButtonCount) {
        showStatus(LoadingStatus);
        QApplication::processEvents();
    }
    const QPointer<QMainWindow> window(&m_window);
    m_setup.exitCommand->trigger();
    // The user kept the screen open: it is idle again.
    if (window && m_window.isVisible())
        showCaption();
}

void FunctionScreenFrame::runSideButton(QAction* command)
{
    if (m_setup.printOptionsOpen && m_setup.printOptionsOpen()) {
        QApplication::beep();
        emit beeped();
        return;
    }
    command->trigger();
}

// --- hiding and restoring ------------------------------------------------------------

void FunctionScreenFrame::hideTopToolbar()
{
    m_topToolbar->hide();
    showRestorePanels();
    saveLayout();
}

void FunctionScreenFrame::hideSideToolbars()
{
    m_sideToolbar->hide();
    m_companionToolbar->hide();
    showRestorePanels();
    saveLayout();
}

void FunctionScreenFrame::restoreTopToolbar()
{
    m_topToolbar->show();
    QApplication::processEvents();
    showRestorePanels();
    saveLayout();
}

void FunctionScreenFrame::restoreSideToolbars()
{
    m_sideToolbar->show();
    m_companionToolbar->show();
    showRestorePanels();
    saveLayout();
}

// A restore panel shows exactly while its toolbars are hidden; the status
// bar itself is never hidden, so they can always be brought back.
void FunctionScreenFrame::showRestorePanels()
{
    m_restoreTopPanel->setVisible(m_topToolbar->isHidden());
    m_restoreSidePanel->setVisible(m_sideToolbar->isHidden());
}

// --- layout store ----------------------------------------------------------------------

void FunctionScreenFrame::restoreLayout()
{
    QSettings store = layoutStore();
    const QByteArray layout = store.value(layoutGroup(m_setup.layoutKey)).toByteArray();
    // Nothing stored: the design layout stays.
    if (!layout.isEmpty())
        m_window.restoreState(layout);
    // The strip goes with the side toolbar.
    m_companionToolbar->setVisible(!m_sideToolbar->isHidden());
    showRestorePanels();
}

void FunctionScreenFrame::saveLayout()
{
    QSettings store = layoutStore();
    store.setValue(layoutGroup(m_setup.layoutKey), m_window.saveState());
}

// --- background and activation -----------------------------------------------------

void FunctionScreenFrame::showScreenBackground()
{
    ScreenBackgroundView::show(
        m_services.state.ScreenBackground, m_services.folder, *m_background, *m_backgroundImage);
}

void FunctionScreenFrame::activated()
{
    restoreLayout();
    showScreenBackground();
}

bool FunctionScreenFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_background && event->type() == QEvent::Resize) {
        ScreenBackgroundView::fitImage(*m_background, *m_backgroundImage);
    } else if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::WindowActivate:
            activated();
            break;
        case QEvent::WindowDeactivate:
        case QEvent::Close:
            // A toolbar the user moved keeps its place.
            if (m_window.isVisible())
                saveLayout();
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_restoreTopPanel)
            restoreTopToolbar();
        else if (watched == m_restoreSidePanel)
            restoreSideToolbars();
    }
    return QObject::eventFilter(watched, event);
}
