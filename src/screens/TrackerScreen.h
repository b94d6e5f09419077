#pragma once

#include "screens/DateChecker.h"
#include "screens/MessageService.h"
#include "screens/ScreenServices.h"
#include "screens/TrackerTexts.h"
#include "storage/IndividualList.h"
#include "storage/WriteOutcome.h"

#include <QMainWindow>
#include <QString>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

// What the two trackers share: one individual on display at a time, chosen
// from the individual list; view and create modes; the commands that create,
// select, save and delete an individual's data file; the save prompt that
// guards every action which would lose unsaved work; Exit, Escape, F1 and the
// "&Options" pop-up menu. A tracker supplies its data file's contents and
// panels through the hooks at the end.
class TrackerScreen : public QMainWindow
{
    Q_OBJECT

public:
    // Marker values of the screen's state fields.
    static constexpr qint16 Changed = 1;
    static constexpr qint16 SaveRefusedMarker = 2222;
    static constexpr qint16 AddRowSave = 88;
    static constexpr qint16 DeleteRowSave = 99;

    ~TrackerScreen() override;

    qint16 changesMade() const { return m_changesMade; }
    bool inCreateMode() const;
    const IndividualList& individuals() const { return m_individuals; }
    // The name of the individual on display (or being created), trimmed.
    QString displayedName() const;

    // F1 and "&Help" open the help at a context number; the program sets
    // the opener, tests may read what was asked.
    void setHelpOpener(std::function<void(int topic)> opener) { m_openHelp = std::move(opener); }

    // --- commands --------------------------------------------------------
    void viewExistingFile();
    void selectIndividual(int index);
    void createNewFile();
    void saveNewFile();
    // Save (quietSave 0), or the quiet save of Add Row (88) or Delete Row
    // (99). True when the file was written or there was nothing to write.
    bool save(qint16 quietSave = 0);
    void deleteDisplayedFile();
    MessageService::Answer promptSaveChanges();
    void exit();

    // Every edit of a displayed value.
    void markChanged();

protected:
    TrackerScreen(const ScreenServices& services, const QString& familyName, TrackerTexts texts,
        const QString& listFileName, const QString& dataFileExtension,
        DateChecker::Tracker dateCheckerRecord, QWidget* parent);

    // The open-screen sequence; the tracker calls it once its own controls
    // exist. It ends with View Existing File once the window is shown.
    void openScreen();
    // A comfortable size for the log, the panels and the graph, centred on
    // the screen the window opens on.
    void placeOnScreen();

    const ScreenServices& services() const { return m_services; }
    MessageService& messages() const { return m_services.messages; }
    const TrackerTexts& texts() const { return m_texts; }
    QString windowTitleText() const;
    void showStatus(const QString& text);

    // Enables what the panel switches enable (EnableFileActions): only in
    // view mode.
    void enableFileActions();
    // A tracker's own "&Options" item, placed after View Existing File.
    QAction* addPanelMenuItem(const char* objectName, const QString& caption);
    // Every command and menu item that acts on the individual on display:
    // the panel switches, Save, Delete Displayed File and Print Options.
    // Disabled while nobody is on display.
    void setIndividualActionsEnabled(bool enabled);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    // --- hooks of the tracker --------------------------------------------
    // Settings read when the screen opens (date checker, trend display...).
    virtual void prepareScreen() = 0;
    // Hides the graph legend and the calendars: the first step of most
    // commands.
    virtual void hideTransientViews() = 0;
    virtual void hideDataPanels() = 0;
    // Empties the fields, the log and the pictures of the displayed
    // individual.
    virtual void clearDisplayedIndividual() = 0;
    // Shows the panels of create mode (the plan panel, Save New File).
    virtual void showCreatePanels() = 0;
    // Reads the data file of the chosen name into the screen; false (and
    // the reason shown) when it exists but cannot be read, so that nothing
    // can be saved over it.
    virtual bool loadIndividual(const QString& name) = 0;
    // Runs after a successful load with the screen unchanged: derived
    // figures, graph, the first panel.
    virtual void showLoadedIndividual() = 0;
    // Writes the displayed individual's data file whole.
    virtual WriteOutcome writeIndividualFile(const QString& name) = 0;
    // Writes the first data file of a new individual (no log lines) and
    // lists the name, all or nothing. The name has passed the name rules.
    virtual WriteOutcome createIndividualFile(IndividualList& list, const QString& name) = 0;
    // The tracker's panel switches (buttons and menu items), which need an
    // individual on display like Delete, Print Options and Save.
    virtual void setPanelActionsEnabled(bool enabled) = 0;
    // After a Save or Save New File that showed its message: the graph is
    // rebuilt when it is on display.
    virtual void refreshAfterSave() = 0;
    // Escape closes the topmost open view first; true when it closed one.
    virtual bool closeTopmostView() { return false; }
    virtual bool printOptionsOpen() const { return false; }

    // Controls shared by both trackers, named as the tracker's controls.
    QComboBox* m_individualBox; // Combo1
    QLineEdit* m_nameBox; // Text1(0)
    QLabel* m_selectLabel; // Label2
    QLabel* m_createNote; // Label8
    QLabel* m_todayLabel; // Label4
    QPushButton* m_exitButton; // Command1
    QPushButton* m_viewExistingButton; // Command2
    QPushButton* m_createButton; // Command7
    QPushButton* m_deleteButton; // Command8
    QPushButton* m_printOptionsButton; // Command9
    QPushButton* m_saveButton; // Command10
    QMenu* m_optionsMenu; // mO
    QMenu* m_programSetupMenu; // mOProg
    DateChecker* m_dateChecker; // its menu item is DisableDateChecker
    QAction* m_gridBackgroundAction;
    QAction* m_panelColourAction;
    QAction* m_createAction; // mOCr
    QAction* m_viewExistingAction; // mOV
    QAction* m_deleteAction; // mODel
    QAction* m_printOptionsAction; // mOP
    QAction* m_saveAction; // mOS
    QAction* m_exitAction; // mOEx
    QMenu* m_utilitiesMenu; // mU
    QAction* m_backupAction; // mUB
    QAction* m_restoreAction; // mUR
    QAction* m_helpAction; // mH

private:
    void buildCommonControls();
    void buildMenus();
    // View mode with nobody on display: how the screen opens, and what
    // View Existing File returns to.
    void showNoIndividual();
    void enterViewMode();
    void enterCreateMode();
    void fillIndividualBox();
    void openHelp();
    void escape();
    // Shows the failure of a write and keeps the screen marked changed.
    void reportFailedWrite(const WriteOutcome& outcome, const QString& title);

    ScreenServices m_services;
    QString m_familyName;
    TrackerTexts m_texts;
    IndividualList m_individuals;
    std::function<void(int)> m_openHelp;
    QLabel* m_statusPanel = nullptr;

    qint16 m_changesMade = 0;
    qint16 m_saveRefused = 0;
    qint16 m_quietSave = 0;
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
