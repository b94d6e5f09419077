#pragma once

#include "backup/BackupFileSet.h"
#include "storage/ProgramFolder.h"

#include <QList>
#include <QString>

// Reads every list, data, password and settings file of a program folder
// and reports what is wrong, without changing any file.
//
// Damage is what the program itself could not have written: a listed name
// without its data file, a data file without a list entry, a file or record
// that cannot be read, a file cut short, a row count that disagrees with the
// rows stored, a value that only a calendar or pick list fills which is not
// one of theirs, and index items that point at free records or share one.
// A note is something odd the user may well have typed, such as a weight
// that is not a number: it gives no figures, but nothing is broken.
class FolderChecker
{
public:
    enum class Severity { Damage, Note };
    enum class Tracker { Weight, BloodPressure };

    struct Problem {
        QString file;
        QString message;
        Severity severity = Severity::Damage;
        bool isDamage() const { return severity == Severity::Damage; }
        QString text() const
        {
            return file + (isDamage() ? QStringLiteral(": ") : QStringLiteral(": note: "))
                + message;
        }
    };

    static QList<Problem> check(const ProgramFolder& folder);

    // The checks of one individual's data file, which exists.
    static QList<Problem> checkDataFile(
        const ProgramFolder& folder, Tracker tracker, const QString& name);

    // The checks of a tracker's list file: readable, and every line a whole
    // quoted name ended by its line break. A list cut short would drop the
    // names after the cut without a word.
    static QList<Problem> checkListFile(const ProgramFolder& folder, Tracker tracker);

    // The checks of the two password files and of their agreement.
    static QList<Problem> checkPasswordFiles(const ProgramFolder& folder);

    static bool hasDamage(const QList<Problem>& problems);

    // The damage in a copy of a tracker's backup set: its list, then the
    // data file of each name it lists that the copy holds and that the set
    // would copy at all.
    static QList<BackupFileSet::Damage> damageInTrackerCopy(
        const ProgramFolder& copy, const BackupFileSet& set, Tracker tracker);
    // The damage in a copy of the two password files.
    static QList<BackupFileSet::Damage> damageInPasswordCopy(const ProgramFolder& copy);

    // The files the program keeps for itself. A data file of the weight
    // tracker shares their extension, so these are never taken for one.
    static const QStringList& programFileNames();

private:
    static void checkTracker(
        const ProgramFolder& folder, Tracker tracker, QList<Problem>& problems);
    static void checkPasswords(const ProgramFolder& folder, QList<Problem>& problems);
    static void checkVault(const ProgramFolder& folder, QList<Problem>& problems);
    static void checkSettings(const ProgramFolder& folder, QList<Problem>& problems);
};
