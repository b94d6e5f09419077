#include "RestoreLoss.h"

#include "BackupStatus.h"
#include "storage/ProgramSettings.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>

#include <algorithm>

namespace {

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// "the guideline", "the guideline and the lock time", "a, b and c".
QString spoken(const QStringList& names)
{
    if (names.size() < 2)
        return names.value(0);
    return QStringLiteral("%1 and %2")
        .arg(names.mid(0, names.size() - 1).join(QStringLiteral(", ")), names.last());
}

// The settings files other than Halvorn.ini, by what the user knows them as.
QString settingsFileWords(const QString& name)
{
    static const QHash<QString, QString> words {
        { QStringLiteral("gcolor1.fil"),
            QStringLiteral("the panel colours, grid backgrounds and date checkers") },
        { QStringLiteral("gcolor3.fil"), QStringLiteral("the display mode and window size") },
        { QStringLiteral("gcolor4.fil"), QStringLiteral("the print fonts and trend display") },
        { QStringLiteral("gcolor14.fil"), QStringLiteral("the picture folder") },
        { QStringLiteral("gzorq1.fil"), QStringLiteral("the screen background") },
        { QStringLiteral("zorqname.fil"), QStringLiteral("the family name") },
    };
    return words.value(name.toLower(), QStringLiteral("other settings"));
}

// A key of Halvorn.ini by what the user knows it as; empty for the
// program's own bookkeeping (the last backups made), which no user sets.
QString settingsKeyWords(const QString& key)
{
    static const QHash<QString, QString> words {
        { QStringLiteral("BloodPressure/Guideline"), QStringLiteral("the guideline") },
        { QStringLiteral("Keeper/LockMinutes"), QStringLiteral("the lock time") },
        { QStringLiteral("Keeper/ProtectionDeclined"),
            QStringLiteral("the keeper's protection offer") },
        { QStringLiteral("Backup/Kept"), QStringLiteral("the number of backups kept") },
        { QStringLiteral("Backup/Folder"), QStringLiteral("the backup folder") },
        { QStringLiteral("Backup/AtClose"), QStringLiteral("the backup at close") },
        { QStringLiteral("Backup/OverdueDays"), QStringLiteral("the days before a backup is old") },
    };
    if (const auto found = words.constFind(key); found != words.cend())
        return *found;
    if (key.startsWith(QStringLiteral("Backup/Last")))
        return {};
    if (key.startsWith(QStringLiteral("WeightPerson-")))
        return QStringLiteral("the weight units and heights");
    return QStringLiteral("other settings");
}

QByteArray fileBytes(const QString& path, bool* exists)
{
    QFile file(path);
    *exists = file.exists();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addOnce(QStringList& names, const QString& name)
{
    if (!name.isEmpty() && !names.contains(name))
        names.append(name);
}

} // namespace

QStringList RestoreLoss::lines(const BackupFileSets& sets,
    const QHash<QString, FunctionContents>& current,
    const QHash<QString, FunctionContents>& restored, const QStringList& settings)
{
    QStringList lost;
    QStringList gained;
    for (const BackupFileSet& set : sets.all()) {
        // A function the backup holds nothing of keeps its files.
        if (!restored.contains(set.contentsKey))
            continue;
        const FunctionContents now = current.value(set.contentsKey);
        if (set.isTracker())
            trackerLines(set, now, restored.value(set.contentsKey), lost, gained);
        else
            keeperLines(set, now, restored.value(set.contentsKey), lost, gained);
    }
    if (!settings.isEmpty())
        lost.append(
            QStringLiteral("Settings: %1 %2.")
                .arg(spoken(settings),
                    settings.size() == 1 ? QStringLiteral("differs") : QStringLiteral("differ")));
    if (lost.isEmpty())
        lost.append(NothingLostText);
    return lost + gained;
}

void RestoreLoss::trackerLines(const BackupFileSet& set, const FunctionContents& current,
    const FunctionContents& restored, QStringList& lost, QStringList& gained)
{
    const QString& function = set.functionName;
    const auto rows = [&set](qsizetype count) { return counted(count, set.rowWord, set.rowsWord); };
    for (const FunctionContents::Person& person : current.people) {
        const FunctionContents::Person* held = restored.person(person.name);
        if (!held) {
            lost.append(QStringLiteral("%1: %2 is not in this backup; the log of %3 stays in the "
                                       "program folder but is no longer listed.")
                            .arg(function, person.name, rows(person.rows)));
            continue;
        }
        const qsizetype newer = std::count_if(person.dates.cbegin(), person.dates.cend(),
            [&](const QDate& date) { return !held->last.isValid() || date > held->last; });
        if (newer > 0 && held->last.isValid())
            lost.append(
                QStringLiteral("%1: %2 has %3 after %4 that this backup does not hold.")
                    .arg(function, person.name, rows(newer), BackupStatus::dateText(held->last)));
        else if (newer > 0)
            lost.append(QStringLiteral("%1: %2 has %3 that this backup does not hold.")
                            .arg(function, person.name, rows(newer)));
        else if (person.fileChecksum != held->fileChecksum)
            lost.append(QStringLiteral("%1: %2's log differs from this backup's copy.")
                            .arg(function, person.name));
    }
    for (const FunctionContents::Person& person : restored.people) {
        if (!current.person(person.name))
            gained.append(QStringLiteral("%1: %2, who is only in this backup, comes back with %3.")
                              .arg(function, person.name, rows(person.rows)));
    }
}

void RestoreLoss::keeperLines(const BackupFileSet& set, const FunctionContents& current,
    const FunctionContents& restored, QStringList& lost, QStringList& gained)
{
    const QString& function = set.functionName;
    if (!current.present)
        return;
    if (current.isProtected) {
        if (!restored.isProtected || current.vaultChecksum != restored.vaultChecksum)
            lost.append(QStringLiteral("%1: the protected vault differs from this backup's.")
                            .arg(function));
        return;
    }
    if (restored.isProtected) {
        lost.append(
            QStringLiteral("%1: this backup holds a protected vault in place of the %2 "
                           "here.")
                .arg(function,
                    counted(current.entries, QStringLiteral("entry"), QStringLiteral("entries"))));
        return;
    }
    // Entries are matched by their checksums, as many times as they occur.
    QList<QByteArray> unmatched = restored.entryChecksums;
    qsizetype missing = 0;
    for (const QByteArray& entry : current.entryChecksums) {
        if (!unmatched.removeOne(entry))
            ++missing;
    }
    if (missing > 0)
        lost.append(QStringLiteral("%1: %2 not in this backup.")
                        .arg(function,
                            counted(missing, QStringLiteral("entry"), QStringLiteral("entries"))));
    if (!unmatched.isEmpty())
        gained.append(QStringLiteral("%1: %2 back from this backup.")
                          .arg(function,
                              unmatched.size() == 1
                                  ? QStringLiteral("1 entry comes")
                                  : QStringLiteral("%1 entries come").arg(unmatched.size())));
}

QStringList RestoreLoss::settingsDiffering(
    const ProgramFolder& current, const ProgramFolder& copies)
{
    QStringList names;
    for (const BackupFileSet::FilePair& files : BackupFileSets::settingsFiles()) {
        if (!copies.exists(files.backupName))
            continue;
        if (files.liveName.compare(ProgramSettings::FileName, Qt::CaseInsensitive) == 0) {
            QSettings now(current.filePath(files.liveName), QSettings::IniFormat);
            QSettings then(copies.filePath(files.backupName), QSettings::IniFormat);
            QStringList keys = now.allKeys() + then.allKeys();
            std::sort(keys.begin(), keys.end());
            keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
            for (const QString& key : std::as_const(keys)) {
                if (now.value(key) != then.value(key))
                    addOnce(names, settingsKeyWords(key));
            }
            continue;
        }
        bool nowExists = false;
        bool thenExists = false;
        const QByteArray now = fileBytes(current.filePath(files.liveName), &nowExists);
        const QByteArray then = fileBytes(copies.filePath(files.backupName), &thenExists);
        if (now != then || nowExists != thenExists)
            addOnce(names, settingsFileWords(files.liveName));
    }
    return names;
}
