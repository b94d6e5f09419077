#pragma once

#include "storage/ProgramFolder.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

class TrackerScreen;
struct ScreenServices;

// What the shared tracker tests need to know about one tracker screen, so
// that every lifecycle case runs against each tracker unchanged.
struct TrackerKind {
    // For test names: "Weight".
    std::string name;
    // "Weight Tracker": the window title and the name in the save prompt.
    QString trackerName;
    QString listFileName;
    QString dataFileExtension;
    std::function<std::unique_ptr<TrackerScreen>(const ScreenServices&)> create;
    // Stores an individual through the core's writers and lists the name.
    // Each row holds the texts of log columns 1 onwards (date first).
    std::function<void(const ProgramFolder&, const QString& name, const QList<QStringList>& rows)>
        storeIndividual;
    // A value the user types into log column 2, the column typed into.
    QString typedValue;
    // What saves a new individual in create mode ("Command11", or Save
    // itself, "Command10").
    const char* saveNewFileButton;
    // View Existing File's menu item (mOV) is disabled whenever its button
    // is; otherwise the menu item is never disabled.
    bool viewMenuItemFollowsButton = false;
};

TrackerKind weightTrackerKind();
TrackerKind bloodPressureTrackerKind();

// Test names and failure messages show the tracker, not the struct's bytes.
void PrintTo(const TrackerKind& kind, std::ostream* os);
