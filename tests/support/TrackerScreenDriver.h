#pragma once

#include "FakeClock.h"
#include "RecordingHelp.h"
#include "ScriptedDialogs.h"
#include "ScriptedMessageService.h"
#include "TemporaryProgramFolder.h"
#include "TrackerKind.h"
#include "backup/ui/BackupScreen.h"

#include "screens/ScreenServices.h"
#include "screens/ShellState.h"
#include "trackers/ui/TrackerScreen.h"

#include <QDate>
#include <QString>

#include <gtest/gtest.h>

#include <memory>

class DataGrid;
class QAction;
class QPushButton;

// Drives one tracker screen through its real widgets, in a temporary program
// folder with scripted messages and a fixed clock (December 9, 2026).
class TrackerScreenDriver
{
public:
    static const QDate Today;

    explicit TrackerScreenDriver(TrackerKind kind);

    const TrackerKind& kind() const { return m_kind; }

    // Creates the screen, shows it and lets View Existing File run.
    void open();
    void storeIndividual(const QString& name, const QList<QStringList>& rows = {});
    // Chooses the name in the list as the user does.
    void select(const QString& name);

    template <typename W = QWidget> W* find(const QString& name) const
    {
        W* widget = screen->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QPushButton* button(const char* name) const;
    QAction* action(const char* name) const;
    DataGrid* grid() const;

    void clickCell(int row, int column);
    // The log's calendar, as the user clicks a day on it.
    void pickLogDate(const QDate& date);
    void typeIntoCell(int row, int column, const QString& keys);

    QString dataFileName(const QString& name) const;
    QByteArray storedBytes(const QString& name) const;

    TemporaryProgramFolder folder;
    ScriptedMessageService messages;
    ScriptedDialogs dialogs;
    FakeClock clock { QDateTime(Today, QTime(10, 0)) };
    ShellState state;
    RecordingHelp help;
    ScreenServices services { folder.folder(), messages, dialogs, clock, state, help,
        &BackupScreen::run };
    std::unique_ptr<TrackerScreen> screen;

private:
    TrackerKind m_kind;
};
