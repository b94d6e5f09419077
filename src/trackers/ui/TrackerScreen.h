#pragma once

#include "screens/ScreenServices.h"
#include "services/MessageService.h"
#include "services/Outcome.h"
#include "trackers/IndividualList.h"
#include "trackers/ui/TrackerLogClient.h"
#include "trackers/ui/TrackerProfile.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>

class BackgroundSelector;
class CommandButton;
class DateChecker;
class FunctionScreenFrame;
class TrackerColours;
class PanelColourService;
class QFrame;
class EntryBoxGroup;
class QAction;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class TrackerLogPanel;

// What the two trackers share: one individual on display at a time, chosen
// from the individual list; view and create modes; the commands that create,
// select, save and delete an individual's data file; the save prompt that
// guards every action which would lose unsaved work; the log panel with its
// grid and calendar; Exit, Escape, F1, activation and the "&Options" pop-up
// menu. A tracker supplies its profile, its own panels and commands, and its
// data file's contents through the hooks at the end.
class TrackerScreen : public QMainWindow, protected TrackerLogClient
{
    Q_OBJECT

public:
    // Marker values of the screen's state fields.
    static constexpr qint16 Changed = 1;
    static constexpr qint16 SaveRefusedMarker = 2222;

    ~TrackerScreen() override;

    qint16 changesMade() const { return m_changesMade; }
    bool inCreateMode() const;
    const IndividualList& individuals() const { return m_individuals; }
    // The name of the individual on display (or being created), trimmed.
    QString displayedName() const;

    // --- commands --------------------------------------------------------
    void viewExistingFile();
    void selectIndividual(int index);
    void createNewFile();
    void saveNewFile();
    // Save (quietSave 0), or the quiet save of Add Row or Delete Row
    // (TrackerLog's markers). True when the file was written or there was
    // nothing to write.
    bool save(qint16 quietSave = 0);
    void deleteDisplayedFile();
    // mUB, mUR: the backup screen for this tracker's files; a restore
    // opens the screen again on the restored list.
    void backupFiles();
    void restoreFiles();
    void importLog();
    MessageService::Answer promptSaveChanges();
    void exit();

    // Every edit of a displayed value.
    void markChanged();

protected:
    TrackerScreen(const ScreenServices& services, TrackerProfile profile, QWidget* parent);

    // The open-screen sequence; the tracker calls it once its own controls
    // exist. It ends with View Existing File once the window is shown.
    void openScreen();
    // The screen's layout: the tracker's header (holding nameRow()) on top,
    // the command column on the left (View Existing File and Create New
    // File, the tracker's panel commands, then Save, Delete Displayed File,
    // Print Options and Exit) and the panels, which share one place, on the
    // right. The log panel is one of them.
    void layOutScreen(QWidget* header, const QList<QWidget*>& panels);
    // "Select Individual:", the list or the name box, and today's date;
    // under it the note shown in create mode.
    QBoxLayout* nameRow() const { return m_nameRow; }
    QLabel* createNote() const { return m_createNote; }

    const ScreenServices& services() const { return m_services; }
    MessageService& messages() const { return m_services.messages; }
    const TrackerTexts& texts() const { return m_profile.texts; }
    QString windowTitleText() const;
    void showStatus(const QString& text);
    // Puts the changed mark back to what it was before a step the user has
    // taken back.
    void restoreChangesMade(qint16 before);

    // Tells the user, once per load, that the data file ended part-way
    // through a row, which was loaded as far as it goes.
    void reportLastRowCutShort(const QString& fileName, int row);

    // EnableFileActions: enables the panel switches, Save, Delete and Print
    // Options; only in view mode.
    void enableFileActions();
    // A tracker's panel command with its "&Options" item, placed after View
    // Existing File; enabled while an individual is on display. A command
    // without a menu item passes no actionName.
    QAction* addPanelCommand(const char* actionName, const QString& caption);
    void insertPanelMenuSeparator();
    // The panel command's button in the command column, in the order added.
    void addPanelCommandButton(QAction* action, const char* name, const QString& caption);

    TrackerLogPanel* logPanel() const { return m_logPanel; }
    DataGrid* logGrid() const;
    // The Text1 boxes; the name box is Text1(0). A tracker adds its own.
    EntryBoxGroup* entryBoxes() const { return m_entryBoxes; }
    QLineEdit* nameBox() const { return m_nameBox; }
    QComboBox* individualBox() const { return m_individualBox; }
    QLineEdit* normalColourBox() const { return m_normalColourBox; }
    DateChecker* dateChecker() const { return m_dateChecker; }
    QPushButton* exitButton() const;
    QMenu* optionsMenu() const { return m_optionsMenu; }
    // Print Options, which each tracker connects to its own report.
    QAction* printOptionsAction() const { return m_printOptionsAction; }
    // Panel3D1, on which the screen's controls sit.
    QFrame* mainPanel() const { return m_panel; }
    // What paints Panel3D1 and its followers (the print options panel).
    PanelColourService* panelColours() const { return m_panelColours; }
    // Toolbars, status bar and screen background.
    FunctionScreenFrame* frame() const { return m_frame.get(); }

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // --- hooks of the tracker --------------------------------------------
    // Settings read when the screen opens (trend display...).
    virtual void prepareScreen() = 0;
    // Hides the tracker's calendars, legend and other passing views: the
    // first step of most commands. The log's calendar is the base's.
    virtual void hideTransientViews() = 0;
    // Hides the tracker's own data panels; the log panel is the base's.
    virtual void hideDataPanels() = 0;
    // Empties the tracker's fields and pictures; the base empties the log
    // and the name box.
    virtual void clearDisplayedIndividual() = 0;
    // Shows the panels of create mode (the plan panel, Save New File).
    virtual void showCreatePanels() = 0;
    // Reads the data file of the chosen name into the screen; false (and
    // the reason shown) when it exists but cannot be read, so that nothing
    // can be saved over it. Cell writes are the program's own here.
    virtual bool loadIndividual(const QString& name) = 0;
    // Runs after a successful load with the screen unchanged: derived
    // figures, graph, the first panel.
    virtual void showLoadedIndividual() = 0;
    // Writes the displayed individual's data file whole.
    virtual Outcome writeIndividualFile(const QString& name) = 0;
    // Writes the first data file of a new individual (no log lines) and
    // lists the name, all or nothing. The name has passed the name rules.
    virtual Outcome createIndividualFile(IndividualList& list, const QString& name) = 0;
    // After a Save or Save New File that showed its message: the graph is
    // rebuilt when it is on display.
    virtual void refreshAfterSave() = 0;
    // Escape closes the topmost open view first; true when it closed one.
    virtual bool closeTopmostView() { return false; }
    virtual bool printOptionsOpen() const { return false; }

    // The log's hooks the base answers itself.
    bool saveLog(qint16 quietSave) override { return save(quietSave); }
    void logChangedByUser() override { markChanged(); }

private:
    void buildFrame();
    void buildColourServices();
    void buildCommonControls();
    void buildMenus();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption);
    CommandButton* addCommandButton(QAction* action, const char* name, const QString& caption);
    void hideViews();
    void hidePanels();
    void clearIndividual();
    void setIndividualActionsEnabled(bool enabled);
    // Command2, and its menu item where the profile says so.
    void setViewExistingEnabled(bool enabled);
    // Save is on in view mode once something changed, and in create mode
    // only where it runs Save New File.
    void enableSaveAfterChange();
    // View mode with nobody on display: how the screen opens, and what
    // View Existing File returns to.
    void showNoIndividual();
    void enterViewMode();
    void enterCreateMode();
    void fillIndividualBox();
    void nameBoxEdited();
    void activated();
    void openHelp();
    void escape();
    // The save prompt, then the backup screen for the kind; false when
    // the user cancelled.
    bool openBackupScreen(BackupKind kind);
    // The command column of a small window: a caption wider than a quarter
    // of the window takes two lines, so that the panels keep their room.
    void fitCommandColumn();
    // Shows the failure of a write and keeps the screen marked changed.
    void reportFailedWrite(const Outcome& outcome, const QString& title);

    ScreenServices m_services;
    TrackerProfile m_profile;
    IndividualList m_individuals;

    QComboBox* m_individualBox; // Combo1
    QLineEdit* m_nameBox; // Text1(0)
    QLineEdit* m_normalColourBox; // Text2, hidden: the boxes' normal colour
    EntryBoxGroup* m_entryBoxes;
    QLabel* m_selectLabel; // Label2
    QLabel* m_createNote; // Label8
    QLabel* m_todayLabel; // Label4
    QBoxLayout* m_nameRow;
    QLabel* m_statusPanel; // StatusBar1 panel 1
    std::unique_ptr<FunctionScreenFrame> m_frame;
    QFrame* m_panel; // Panel3D1
    QLabel* m_swatch; // Label1
    PanelColourService* m_panelColours;
    std::unique_ptr<TrackerColours> m_colours;
    BackgroundSelector* m_gridSelector; // SSPanel9
    DateChecker* m_dateChecker; // its menu item is DisableDateChecker
    TrackerLogPanel* m_logPanel; // SSPanel3
    QWidget* m_commandColumn = nullptr;
    QList<CommandButton*> m_commandButtons;
    QList<QWidget*> m_panelCommandButtons;

    QMenu* m_optionsMenu; // mO
    QMenu* m_programSetupMenu; // mOProg
    QAction* m_gridBackgroundAction; // mOBC
    QAction* m_panelColourAction; // mOPC
    QAction* m_createAction; // mOCr, Command7
    QAction* m_viewExistingAction; // mOV
    QAction* m_deleteAction; // mODel, Command8
    QAction* m_printOptionsAction; // mOP, Command9
    QAction* m_saveAction; // mOS, Command10
    QAction* m_exitAction; // mOEx, Command1
    QMenu* m_utilitiesMenu; // mU
    QAction* m_backupAction; // mUB
    QAction* m_restoreAction; // mUR
    QAction* m_importAction; // mUImport
    QAction* m_helpAction; // mH
    QList<QAction*> m_panelActions;
    // Command2 is disabled while its list is on show; its menu item mOV
    // follows it only where the profile says so, and otherwise never is
    // disabled, so that the list can always be read again.
    QPushButton* m_viewExistingButton;
    CommandButton* m_exitButton;
    CommandButton* m_createButton;
    CommandButton* m_deleteButton;
    CommandButton* m_printOptionsButton;
    CommandButton* m_saveButton;

    qint16 m_changesMade = 0;
    qint16 m_saveRefused = 0;
    int m_selectedIndex = -1;
    MessageService::Answer m_promptAnswer = MessageService::Answer::Cancel;
    // The individual created in this visit to create mode: saving it again
    // rewrites its file instead of refusing the name as already listed.
    QString m_createdName;
    // Loading fills boxes whose change handlers mark the screen changed.
    bool m_loading = false;
    // View Existing File waits for the window to be shown.
    bool m_openingPending = false;
};
