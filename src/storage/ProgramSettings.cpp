#include "ProgramSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString BackupsKeptKey = QStringLiteral("Backup/Kept");
const QString BackupFolderKey = QStringLiteral("Backup/Folder");
const QString BackUpAtCloseKey = QStringLiteral("Backup/AtClose");
const QString LastCloseBackupKey = QStringLiteral("Backup/LastAtClose");
const QString LastBackupKey = QStringLiteral("Backup/LastCompleted");
const QString LastEverythingFolderKey = QStringLiteral("Backup/LastEverythingFolder");
const QString OverdueDaysKey = QStringLiteral("Backup/OverdueDays");
const QString KeeperLockMinutesKey = QStringLiteral("Keeper/LockMinutes");
const QString BloodPressureGuidelineKey = QStringLiteral("BloodPressure/Guideline");

// The keys are stored: a renamed one would turn a user's choice off.
QString additionKey(ProgramSettings::Addition addition)
{
    using Addition = ProgramSettings::Addition;
    switch (addition) {
    case Addition::WeightGraphTrend:
        return QStringLiteral("Shown/WeightGraphTrend");
    case Addition::WeightLogFigures:
        return QStringLiteral("Shown/WeightLogFigures");
    case Addition::BloodPressureLogColours:
        return QStringLiteral("Shown/BloodPressureLogColours");
    case Addition::BloodPressureFigures:
        return QStringLiteral("Shown/BloodPressureFigures");
    }
    return QString();
}

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

QDate ProgramSettings::lastBackupDate() const
{
    return QDate::fromString(value(LastBackupKey).toString(), Qt::ISODate);
}

Outcome ProgramSettings::recordBackup(const QDate& date) const
{
    const QDate stored = lastBackupDate();
    if (!date.isValid() || (stored.isValid() && stored >= date))
        return Outcome::success();
    return setValue(LastBackupKey, date.toString(Qt::ISODate));
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

QString ProgramSettings::bloodPressureGuideline() const
{
    return value(BloodPressureGuidelineKey).toString();
}

Outcome ProgramSettings::setBloodPressureGuideline(const QString& key) const
{
    return setValue(BloodPressureGuidelineKey, key);
}

bool ProgramSettings::additionShown(Addition addition) const
{
    return value(additionKey(addition)).toBool();
}

Outcome ProgramSettings::setAdditionShown(Addition addition, bool shown) const
{
    return setValue(additionKey(addition), shown);
}
