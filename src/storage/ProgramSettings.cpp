#include "ProgramSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString BackupsKeptKey = QStringLiteral("Backup/Kept");
const QString BackupFolderKey = QStringLiteral("Backup/Folder");
const QString BackUpAtCloseKey = QStringLiteral("Backup/AtClose");
const QString LastCloseBackupKey = QStringLiteral("Backup/LastAtClose");
const QString LastEverythingFolderKey = QStringLiteral("Backup/LastEverythingFolder");
const QString OverdueDaysKey = QStringLiteral("Backup/OverdueDays");
const QString KeeperLockMinutesKey = QStringLiteral("Keeper/LockMinutes");
const QString KeeperProtectionDeclinedKey = QStringLiteral("Keeper/ProtectionDeclined");
const QString BloodPressureGuidelineKey = QStringLiteral("BloodPressure/Guideline");

} // namespace

ProgramSettings::ProgramSettings(const ProgramFolder& folder)
    : m_folder(folder)
{ }

QVariant ProgramSettings::value(const QString& key) const
{
    const QString path = m_folder.filePath(FileName);
    if (!QFileInfo(path).isFile())
        return {};
    QSettings settings(path, QSettings::IniFormat);
    return settings.value(key);
}

Outcome ProgramSettings::setValue(const QString& key, const QVariant& value) const
{
    const QString path = m_folder.filePath(FileName);
    QSettings settings(path, QSettings::IniFormat);
    const QVariant before = settings.value(key);
    if (value.isNull())
        settings.remove(key);
    else
        settings.setValue(key, value);
    // QSettings replaces the file whole through a temporary file, so a
    // failed write leaves the previous settings.
    settings.sync();
    const QSettings::Status status = settings.status();
    if (status == QSettings::NoError)
        return Outcome::success();
    // The value that could not be written stays pending in QSettings' cache
    // of the file, shared by the whole program: later reads would show it
    // and the next setting saved would write it unasked. Putting the
    // previous value back leaves nothing of the failed change.
    if (before.isValid())
        settings.setValue(key, before);
    else
        settings.remove(key);
    switch (status) {
    case QSettings::NoError:
    case QSettings::AccessError:
        return Outcome::failure(QFileInfo(path).fileName(),
            QStringLiteral("the file cannot be written in %1").arg(m_folder.path()));
    case QSettings::FormatError:
        break;
    }
    return Outcome::failure(QFileInfo(path).fileName(),
        QStringLiteral("the file is not a settings file this program can read"));
}

int ProgramSettings::boundedInt(const QString& key, int fallback, int maximum) const
{
    bool ok = false;
    const int stored = value(key).toInt(&ok);
    return ok && stored >= 1 && stored <= maximum ? stored : fallback;
}

int ProgramSettings::backupsKept() const
{
    return boundedInt(BackupsKeptKey, DefaultBackupsKept, MaximumBackupsKept);
}

Outcome ProgramSettings::setBackupsKept(int count) const
{
    if (count < 1 || count > MaximumBackupsKept)
        return Outcome::failure(
            FileName, QStringLiteral("keep from 1 to %1 backups").arg(MaximumBackupsKept));
    return setValue(BackupsKeptKey, count);
}

QString ProgramSettings::backupFolder() const
{
    return value(BackupFolderKey).toString();
}

Outcome ProgramSettings::setBackupFolder(const QString& folder) const
{
    return setValue(BackupFolderKey, folder.isEmpty() ? QVariant() : QVariant(folder));
}

bool ProgramSettings::backUpAtClose() const
{
    return value(BackUpAtCloseKey).toBool() && !backupFolder().isEmpty();
}

Outcome ProgramSettings::setBackUpAtClose(bool on) const
{
    return setValue(BackUpAtCloseKey, on);
}

QDate ProgramSettings::lastCloseBackupDate() const
{
    return QDate::fromString(value(LastCloseBackupKey).toString(), Qt::ISODate);
}

Outcome ProgramSettings::setLastCloseBackupDate(const QDate& date) const
{
    return setValue(LastCloseBackupKey, date.toString(Qt::ISODate));
}

QString ProgramSettings::lastEverythingFolder() const
{
    return value(LastEverythingFolderKey).toString();
}

Outcome ProgramSettings::setLastEverythingFolder(const QString& folder) const
{
    return setValue(LastEverythingFolderKey, folder);
}

int ProgramSettings::backupOverdueDays() const
{
    return boundedInt(OverdueDaysKey, DefaultBackupOverdueDays, MaximumBackupOverdueDays);
}

Outcome ProgramSettings::setBackupOverdueDays(int days) const
{
    if (days < 1 || days > MaximumBackupOverdueDays)
        return Outcome::failure(FileName,
            QStringLiteral("the days must lie from 1 to %1").arg(MaximumBackupOverdueDays));
    return setValue(OverdueDaysKey, days);
}

int ProgramSettings::keeperLockMinutes() const
{
    bool ok = false;
    const int stored = value(KeeperLockMinutesKey).toInt(&ok);
    return ok && stored >= 0 && stored <= MaximumKeeperLockMinutes ? stored
                                                                   : DefaultKeeperLockMinutes;
}

Outcome ProgramSettings::setKeeperLockMinutes(int minutes) const
{
    if (minutes < 0 || minutes > MaximumKeeperLockMinutes)
        return Outcome::failure(FileName,
            QStringLiteral("the keeper locks after 1 to %1 minutes, or never")
                .arg(MaximumKeeperLockMinutes));
    return setValue(KeeperLockMinutesKey, minutes);
}

bool ProgramSettings::keeperProtectionDeclined() const
{
    return value(KeeperProtectionDeclinedKey).toBool();
}

Outcome ProgramSettings::setKeeperProtectionDeclined(bool declined) const
{
    return setValue(KeeperProtectionDeclinedKey, declined);
}

QString ProgramSettings::bloodPressureGuideline() const
{
    return value(BloodPressureGuidelineKey).toString();
}

Outcome ProgramSettings::setBloodPressureGuideline(const QString& key) const
{
    return setValue(BloodPressureGuidelineKey, key);
}
