#pragma once

#include "backup/BackupKind.h"
#include "storage/GColor1File.h"
#include "trackers/ui/DateChecker.h"
#include "trackers/ui/TrackerLogPanel.h"
#include "trackers/ui/TrackerTexts.h"

#include <QList>
#include <QString>

// What a tracker screen tells the shared base about itself: its words, its
// files, which date-checker switch it reads and the columns of its log.
struct TrackerProfile {
    TrackerTexts texts;
    QString listFileName;
    QString dataFileExtension;
    DateChecker::Tracker dateChecker;
    // BackupKind codes of the "&Utilities" items (42 and 43 for weight).
    BackupKind backupKind = BackupKind::WeightBackup;
    BackupKind restoreKind = BackupKind::WeightRestore;
    QList<TrackerLogColumn> logColumns;
    // The log panel's caption; none when empty.
    QString logCaption;
    // A tracker without a Save New File button of its own: in create mode,
    // typing a name enables Save, and Save runs Save New File.
    bool saveRunsSaveNewFile = false;
    // View Existing File's menu item is disabled and enabled with its button
    // (off while the list is on show, after a selection, while the list is
    // empty); otherwise the menu item is never disabled.
    bool viewMenuItemFollowsButton = false;
    // Its panel colour and grid background records in GColor1.Fil.
    StoredColour (GColor1File::*panelColour)() const = nullptr;
    Outcome (GColor1File::*setPanelColour)(const StoredColour&) const = nullptr;
    BackgroundSetting (GColor1File::*gridBackground)() const = nullptr;
    Outcome (GColor1File::*setGridBackground)(const BackgroundSetting&) const = nullptr;
    // Closing asks about the colours before the unsaved changes, not after.
    bool coloursAskedBeforeSave = false;
};
