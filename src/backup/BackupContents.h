#pragma once

#include "BackupFileSets.h"
#include "FunctionContents.h"
#include "storage/ProgramFolder.h"

#include <QHash>
#include <QJsonObject>
#include <QStringList>

// What every function's files in a folder hold, by the functions' words
// ("weight", "bp", "passwords"), as a dated backup's manifest keeps it and a
// list of backups shows it.
class BackupContents
{
public:
    static inline const QString DetailsUnknownText = QStringLiteral("details unknown");
    static inline const QString NoFunctionFilesText
        = QStringLiteral("no weight, blood-pressure or password files");

    // The sets' files in folder, under their program names; a function
    // without files is left out.
    static QHash<QString, FunctionContents> describe(
        const BackupFileSets& sets, const ProgramFolder& folder);
    static QJsonObject toJson(const QHash<QString, FunctionContents>& contents);

    // One line for each person and one for the keeper, function by function:
    // "Weight Tracker: Ann, 12 weigh-ins, the last March 3, 2026",
    // "Password Keeper: 5 entries", "Password Keeper: protected, 2.1 KiB".
    // A manifest that says nothing of its files gives "details unknown".
    static QStringList lines(const BackupFileSets& sets, const QJsonObject& contents);
    // One line for all: "Weight Tracker 2 people, Blood Pressure Tracker 1
    // person, Password Keeper 5 entries".
    static QString summary(const BackupFileSets& sets, const QJsonObject& contents);
};
