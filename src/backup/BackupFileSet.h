#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// One function's files as the backup utility copies them: the kind codes a
// calling screen passes, the words of the backup screen and its prompts, and
// which program-folder file becomes which file of the backup set. The backup
// names are part of every backup set ever written, so they never change.
class BackupFileSet
{
public:
    // BackupKind codes.
    static constexpr qint16 PasswordBackup = 20;
    static constexpr qint16 PasswordRestore = 21;
    static constexpr qint16 WeightBackup = 42;
    static constexpr qint16 WeightRestore = 43;
    static constexpr qint16 BloodPressureBackup = 44;
    static constexpr qint16 BloodPressureRestore = 45;
    // RestoreMode while a restore is asked for; 0 for a backup.
    static constexpr qint16 RestoreRequested = 99;

    // A file of the program folder and its name in the backup set.
    struct FilePair {
        QString liveName;
        QString backupName;
        bool operator==(const FilePair&) const = default;
    };

    // The set of a kind code, backup or restore; nothing for other codes.
    static const BackupFileSet* forKind(qint16 kind);
    static bool isRestoreKind(qint16 kind);
    static const QList<BackupFileSet>& all();
    // The settings files, which a backup of everything copies under their
    // own names and no single set includes.
    static const QList<FilePair>& settingsFiles();

    qint16 backupKind = 0;
    qint16 restoreKind = 0;
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
    FilePair listFiles;
    QString dataExtension;
    QString backupExtension;

    // The data file and backup copy of a listed name (trimmed).
    FilePair individualFiles(const QString& name) const;

    // Why a name read from a list file must not be copied, or the empty
    // text: a name that would reach outside the two folders, one whose
    // backup copy would be the list's own backup, or one whose data file
    // would be one of the program's own files.
    QString refusalOfListedName(const QString& name) const;
};
