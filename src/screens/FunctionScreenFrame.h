#pragma once

#include "screens/ScreenServices.h"

#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>

#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QToolBar;
class QWidget;

// What surrounds the controls of a function screen: the screen background
// with its full-window picture, the status bar whose first panel says what
// the screen is doing, the top toolbar that returns to the main screen, the
// side toolbar repeating the screen's most used commands with its companion
// strip, and the panels that bring hidden toolbars back. The toolbars'
// layout and hidden state are kept per user and restored on activation.
class FunctionScreenFrame : public QObject
{
    Q_OBJECT

public:
    static constexpr int TopButtonCount = 14;

    struct SideButton {
        QAction* command;
        QString label;
        QString toolTip;
    };

    struct Setup {
        // The third key of the layout store ("Vornmek", "Halvorn").
        QString layoutKey;
        QList<SideButton> sideButtons;
        QAction* exitCommand = nullptr;
        std::function<QString()> caption;
        // While it answers true the side buttons only beep.
        std::function<bool()> printOptionsOpen;
    };

    // Sets the window's central widget (the background) and its status bar
    // and toolbars. The screen owns the frame and must let it go before the
    // window itself is torn down (a member does), since the frame watches
    // the window's events.
    FunctionScreenFrame(QMainWindow& window, const ScreenServices& services, Setup setup);

    // Where the screen places its main panel; the picture lies behind it.
    QWidget* background() const { return m_background; }
    QLabel* backgroundImage() const { return m_backgroundImage; }
    QLabel* statusPanel() const { return m_statusPanel; }
    QToolBar* topToolbar() const { return m_topToolbar; }
    QToolBar* sideToolbar() const { return m_sideToolbar; }
    // Buttons counted from 1, as the screens name them.
    QAction* topButton(int number) const { return m_topButtons.value(number - 1); }
    QAction* sideButton(int number) const { return m_sideButtons.value(number - 1); }

    void showStatus(const QString& text);
    void showCaption();

    // The program-wide background, shown at load and each activation.
    void showScreenBackground();

    // --- commands ---------------------------------------------------------
    void hideTopToolbar();
    void hideSideToolbars();
    void restoreTopToolbar();
    void restoreSideToolbars();

    // The per-user layout store, and where in it a screen's layout lies
    // ("Toolbar1", "User1" and the screen's key).
    static QSettings layoutStore();
    static QString layoutGroup(const QString& layoutKey);

signals:
    // A side button was pressed while the print options were open.
    void beeped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildStatusBar();
    void buildTopToolbar();
    void buildSideToolbars();
    QToolBar* addToolbar(const char* name, Qt::ToolBarArea area, const QString& hideCaption,
        void (FunctionScreenFrame::*hide)());
    void runTopButton(int number);
    void runSideButton(QAction* command);
    void activated();
    void restoreLayout();
    void saveLayout();
    void showRestorePanels();

    QMainWindow& m_window;
    ScreenServices m_services;
    Setup m_setup;
    QWidget* m_background;
    QLabel* m_backgroundImage; // Image1
    QLabel* m_statusPanel; // StatusBar1 panel 1
    QLabel* m_restoreTopPanel; // StatusBar1 panel 2
    QLabel* m_restoreSidePanel; // StatusBar1 panel 3
    QToolBar* m_topToolbar = nullptr; // Toolbar1
    QToolBar* m_sideToolbar = nullptr; // Toolbar2
    QToolBar* m_companionToolbar = nullptr; // Toolbar3
    QList<QAction*> m_topButtons;
    QList<QAction*> m_sideButtons;
};
