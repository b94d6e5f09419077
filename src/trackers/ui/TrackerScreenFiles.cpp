// The individual's file lifecycle of a tracker: the list viewed and an
// individual chosen, a new individual created and saved, the displayed one
// saved or deleted, its files backed up or restored, and the save prompt
// that guards every action which would lose unsaved work. The screen's
// construction, layout and activation are in TrackerScreen.cpp.
#include "TrackerScreen.h"

#include "screens/BusyPointer.h"
#include "screens/CommandButton.h"
#include "screens/DataGrid.h"
#include "screens/ShowFailure.h"
#include "services/Clock.h"
#include "trackers/ui/TrackerLogPanel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

void TrackerScreen::viewExistingFile()
{
    hideViews();
    m_createNote->hide();
    if (m_changesMade == Changed && !displayedName().isEmpty()
        && promptSaveChanges() == MessageService::Answer::Cancel)
        return;

    m_individualBox->clear();
    setViewExistingEnabled(false);
    if (const Outcome loaded = m_individuals.load(m_services.folder); !loaded)
        showFailure(messages(), loaded, m_profile.texts.trackerName);
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
    hidePanels();
    clearIndividual();
    m_selectedIndex = -1;
    enterViewMode();
    setIndividualActionsEnabled(false);
}

void TrackerScreen::selectIndividual(int index)
{
    if (index < 0 || index >= m_individuals.size())
        return;
    hideViews();
    // Another individual replaces the one on display: unsaved changes are
    // asked about first, and Cancel keeps the displayed individual.
    if (m_changesMade == Changed && promptSaveChanges() == MessageService::Answer::Cancel) {
        const QSignalBlocker blocker(m_individualBox);
        m_individualBox->setCurrentIndex(m_selectedIndex);
        return;
    }
    m_changesMade = 0;
    BusyPointerScope busy;
    setViewExistingEnabled(false);
    hidePanels();
    clearIndividual();
    const QString name = m_individuals.at(index);
    m_loading = true;
    m_nameBox->setText(name);
    bool loaded = false;
    {
        auto quietly = m_logPanel->log()->programWrites();
        loaded = loadIndividual(name);
    }
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

void TrackerScreen::createNewFile()
{
    hideViews();
    setViewExistingEnabled(true);
    m_createNote->show();
    if (m_changesMade == Changed && !inCreateMode()
        && promptSaveChanges() == MessageService::Answer::Cancel)
        return;

    m_changesMade = 0;
    clearIndividual();
    hidePanels();
    setIndividualActionsEnabled(false);
    m_createdName.clear();
    enterCreateMode();
    showCreatePanels();
    m_nameBox->setFocus();
    m_changesMade = 0;
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
    Outcome outcome;
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
        if (outcome.succeeded)
            m_createdName = name;
    }
    if (!outcome.succeeded) {
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
    hideViews();
    if (m_changesMade != Changed && quietSave != TrackerLog::AddRowSave) {
        messages().inform(QStringLiteral("There have been no entries/changes made to save!"),
            QStringLiteral("Save Command"));
        return true;
    }
    m_changesMade = 0;
    const Outcome outcome = writeIndividualFile(displayedName());
    if (!outcome.succeeded) {
        reportFailedWrite(outcome, QStringLiteral("Save File Command"));
        return false;
    }
    if (quietSave != TrackerLog::AddRowSave && quietSave != TrackerLog::DeleteRowSave) {
        messages().inform(
            QStringLiteral("File has been Saved."), QStringLiteral("Save File Command"));
        refreshAfterSave();
    }
    return true;
}

void TrackerScreen::reportFailedWrite(const Outcome& outcome, const QString& title)
{
    m_changesMade = Changed;
    enableSaveAfterChange();
    showFailure(messages(), outcome, title);
}

void TrackerScreen::deleteDisplayedFile()
{
    hideViews();
    showStatus(QStringLiteral("Delete Existing File"));
    hidePanels();

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
    if (answer != MessageService::Answer::Yes) {
        // Nothing was deleted: unsaved changes are still there to be asked
        // about when the screen closes.
    } else if (const Outcome deleted
               = m_individuals.deleteIndividual(m_services.folder, displayedName());
               deleted) {
        fillIndividualBox();
        m_selectedIndex = -1;
        clearIndividual();
        setIndividualActionsEnabled(false);
        m_changesMade = 0;
    } else {
        showFailure(messages(), deleted, QStringLiteral("Delete Current File"));
    }
    m_services.clock.pauseOneSecond();
    BusyPointerOff();
    showStatus(windowTitleText());
}

void TrackerScreen::backupFiles()
{
    openBackupScreen(m_profile.backupKind);
    BusyPointerOff();
}

void TrackerScreen::restoreFiles()
{
    if (!openBackupScreen(m_profile.restoreKind))
        return;
    openScreen();
    setViewExistingEnabled(true);
    BusyPointerOff();
}

bool TrackerScreen::openBackupScreen(BackupKind kind)
{
    hideViews();
    // Unsaved work is asked about first, for a restore as for a backup: the
    // restored list replaces whatever is on display.
    if (m_changesMade == Changed && promptSaveChanges() == MessageService::Answer::Cancel)
        return false;
    m_services.openBackupScreen(m_services, kind, this);
    return true;
}

MessageService::Answer TrackerScreen::promptSaveChanges()
{
    m_promptAnswer = messages().show({
        QStringLiteral("Save changes made to %1 before next action or exiting?")
            .arg(m_profile.texts.trackerName),
        m_profile.texts.trackerName + QStringLiteral(" Information"),
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
