#pragma once

#include "BackupKind.h"
#include "FunctionContents.h"
#include "storage/ProgramFolder.h"

#include <QList>
#include <QString>

#include <functional>

// One function's files as the backup utility copies them: the kinds a
// calling screen asks for, the words of the backup screen and its prompts,
// and which program-folder file becomes which file of the backup set. Each
// function declares its own set; the backup names are part of every backup
// set ever written, so they never change.
class BackupFileSet
{
public:
    // A file of the program folder and its name in the backup set.
    struct FilePair {
        QString liveName;
        QString backupName;
        bool operator==(const FilePair&) const = default;
    };

    // A file of a copied set that the program could not have written, and
    // why; any of them refuses a restore of the set whole.
    struct Damage {
        QString fileName;
        QString reason;
    };

    BackupKind backupKind = BackupKind::PasswordBackup;
    BackupKind restoreKind = BackupKind::PasswordRestore;
    // "Weight Tracker Files": the screen's caption, label and button.
    QString setName;
    // "Weight Tracker": the name in the go-ahead prompts.
    QString promptName;
    QString backingUpText;
    QString deletingBeforeRestoreText;
    QString restoringText;

    // The password set is two fixed files; a tracker set is its list file
    // and one data file per listed name.
    bool isTracker() const { return !dataExtension.isEmpty(); }
    QList<FilePair> fixedFiles;
    // The files that take the fixed files' place while the function's files
    // are protected (the keeper's vault); empty for a set without them.
    QList<FilePair> protectedFiles;
    FilePair listFiles;
    QString dataExtension;
    QString backupExtension;

    // The fixed files as they are now: the protected ones when the first of
    // them exists (exists is asked with its name), else the classic ones.
    QList<FilePair> presentFixedFiles(
        const std::function<bool(const QString&)>& exists, bool backupNames) const;
    // The names (backup or live) of the other form's files, which a copy of
    // files, the first of its form, replaces: a set is kept in one form.
    QStringList otherFormNames(const FilePair& files, bool backupNames) const;

    // The data file and backup copy of a listed name (trimmed).
    FilePair individualFiles(const QString& name) const;

    // Why a name read from a list file must not be copied, or the empty
    // text: a name that would reach outside the two folders, one whose
    // backup copy would be the list's own backup, or one whose data file
    // would be one of the program's own files.
    QString refusalOfListedName(const QString& name) const;

    // Reads a copy of the set, in a folder of its own, as the program would
    // read it; unset, a copy is taken as it comes.
    std::function<QList<Damage>(const ProgramFolder& copy)> findDamage;

    // "Blood Pressure Tracker": the function's name where a restore says
    // what it would lose and a list of backups what each holds.
    QString functionName;
    // The function's word in a dated backup's manifest ("bp").
    QString contentsKey;
    // A tracker's rows, one and many ("reading", "readings").
    QString rowWord;
    QString rowsWord;
    // What the set's files in folder (under their program names) hold, as
    // the function reads them; unset, nothing is said of them.
    std::function<FunctionContents(const ProgramFolder& folder)> describe;
};
