#pragma once

#include "ProgramFolder.h"
#include "services/Outcome.h"

#include <QDate>
#include <QString>
#include <QVariant>

// Halvorn.ini: the program's own settings that the stored record files have
// no room for, kept as an INI file beside them so that a later setting is a
// new key, never a new record layout. Every call opens the file, reads or
// writes one key and closes it again, as the record files do. A key that is
// missing or unusable reads as its default.
class ProgramSettings
{
public:
    static inline const QString FileName = QStringLiteral("Halvorn.ini");

    static constexpr int DefaultBackupsKept = 10;
    static constexpr int MaximumBackupsKept = 999;
    static constexpr int DefaultBackupOverdueDays = 30;
    static constexpr int MaximumBackupOverdueDays = 3650;

    explicit ProgramSettings(const ProgramFolder& folder);

    // How many complete dated backups a backup of everything keeps.
    int backupsKept() const;
    Outcome setBackupsKept(int count) const;

    // The folder the dated backups go to when the program closes and when
    // the daily timer runs; empty until the user chooses one.
    QString backupFolder() const;
    Outcome setBackupFolder(const QString& folder) const;
    // Whether everything is backed up into backupFolder() when the program
    // closes (at most once a day). Never on without a folder.
    bool backUpAtClose() const;
    Outcome setBackUpAtClose(bool on) const;
    // The day of the last backup made when the program closed.
    QDate lastCloseBackupDate() const;
    Outcome setLastCloseBackupDate(const QDate& date) const;

    // The day of the newest backup this program completed, of one function
    // or of everything, from a screen, the command line, the close or the
    // daily timer; invalid before the first.
    QDate lastBackupDate() const;
    // Keeps the later of the stored day and this one.
    Outcome recordBackup(const QDate& date) const;

    // The folder "Back Up Everything" last wrote to, which the status bar
    // also looks in.
    QString lastEverythingFolder() const;
    Outcome setLastEverythingFolder(const QString& folder) const;

    // After this many days without a backup the main screen says so.
    int backupOverdueDays() const;
    Outcome setBackupOverdueDays(int days) const;

    // Minutes without input after which a protected keeper locks itself;
    // 0 means never.
    static constexpr int DefaultKeeperLockMinutes = 5;
    static constexpr int MaximumKeeperLockMinutes = 60;
    int keeperLockMinutes() const;
    Outcome setKeeperLockMinutes(int minutes) const;

    // The word of the guideline the Blood Pressure Tracker reads readings
    // by ("own", "acc-aha", "esh", "esc"); empty until one is chosen, which
    // reads as the program's own table.
    QString bloodPressureGuideline() const;
    Outcome setBloodPressureGuideline(const QString& key) const;

    // What the program shows beyond the screens as they always were: each
    // stays off until the user ticks it in its screen's Options menu.
    enum class Addition {
        WeightGraphTrend,
        WeightLogFigures,
        BloodPressureLogColours,
        BloodPressureFigures,
    };
    bool additionShown(Addition addition) const;
    Outcome setAdditionShown(Addition addition, bool shown) const;

private:
    QVariant value(const QString& key) const;
    Outcome setValue(const QString& key, const QVariant& value) const;
    int boundedInt(const QString& key, int fallback, int maximum) const;

    ProgramFolder m_folder;
};
