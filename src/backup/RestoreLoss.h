#pragma once

#include "BackupFileSets.h"
#include "FunctionContents.h"
#include "storage/ProgramFolder.h"

#include <QHash>
#include <QStringList>

// What a restore would lose, said function by function before it replaces
// anything: rows of a log newer than the backup's last, people the backup
// does not list, keeper entries it does not hold, settings that differ;
// then what comes back from it. The question before a restore and every
// restore's dry run say these same lines.
class RestoreLoss
{
public:
    static inline const QString NothingLostText
        = QStringLiteral("Nothing would be lost: the program folder holds nothing this backup "
                         "does not.");

    // current: what the program folder holds; restored: what the backup
    // puts in its place, for the functions it replaces only. settings: the
    // names of the settings that differ (settingsDiffering).
    static QStringList lines(const BackupFileSets& sets,
        const QHash<QString, FunctionContents>& current,
        const QHash<QString, FunctionContents>& restored, const QStringList& settings);

    // The settings the backup's copies (under their own names in copies)
    // would change: "the guideline", "the lock time". A settings file the
    // backup lacks stays as it is and is not compared.
    static QStringList settingsDiffering(const ProgramFolder& current, const ProgramFolder& copies);

private:
    static void trackerLines(const BackupFileSet& set, const FunctionContents& current,
        const FunctionContents& restored, QStringList& lost, QStringList& gained);
    static void keeperLines(const BackupFileSet& set, const FunctionContents& current,
        const FunctionContents& restored, QStringList& lost, QStringList& gained);
};
