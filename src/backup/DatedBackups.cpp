#include "DatedBackups.h"

#include "BackupFileOperations.h"
#include "BackupManifest.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd HHmm");

const QRegularExpression& datedName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^Halvorn (\\d{4}-\\d{2}-\\d{2} \\d{4})(-[1-9]\\d*)?( before restore)?$"));
    return pattern;
}

} // namespace

QString DatedBackups::folderName(const QDateTime& when, int attempt, const QString& suffix)
{
    const QString name = NamePrefix + when.toString(DateFormat);
    return (attempt <= 1 ? name : QStringLiteral("%1-%2").arg(name).arg(attempt)) + suffix;
}

bool DatedBackups::isDatedName(const QString& name)
{
    return timeOfName(name).isValid();
}

QDateTime DatedBackups::timeOfName(const QString& name)
{
    const QRegularExpressionMatch match = datedName().match(name);
    if (!match.hasMatch())
        return {};
    return QDateTime::fromString(match.captured(1), DateFormat);
}

std::optional<DatedBackups::Entry> DatedBackups::describe(
    const QString& folder, BackupFileOperations& files)
{
    const QFileInfo info(folder);
    if (!info.isDir() || info.isSymLink() || !isDatedName(info.fileName()))
        return std::nullopt;
    Entry entry;
    entry.name = info.fileName();
    entry.path = info.absoluteFilePath();
    entry.made = timeOfName(entry.name);
    entry.beforeRestore = entry.name.endsWith(BeforeRestoreSuffix);
    QString reason;
    const std::optional<BackupManifest> manifest = BackupManifest::read(entry.path, files, &reason);
    if (!manifest) {
        entry.state = reason.isEmpty() ? State::Unfinished : State::Damaged;
        entry.problem = reason;
        const QDir dir(entry.path);
        for (const QFileInfo& file : dir.entryInfoList(QDir::Files | QDir::Hidden))
            entry.size += file.size();
        return entry;
    }
    entry.state = State::Complete;
    entry.made = manifest->made;
    entry.programFolderId = manifest->programFolderId;
    entry.contents = manifest->contents;
    entry.size = manifest->totalSize();
    for (const BackupManifest::File& file : manifest->files) {
        const QFileInfo stored(QDir(entry.path).filePath(file.name));
        if (!stored.isFile() || stored.size() != file.size) {
            entry.state = State::Damaged;
            entry.problem = stored.isFile()
                ? QStringLiteral("%1 is not the size its manifest gives").arg(file.name)
                : QStringLiteral("%1 is missing").arg(file.name);
            break;
        }
    }
    return entry;
}

QList<DatedBackups::Entry> DatedBackups::list(const QString& parent, BackupFileOperations& files)
{
    QList<Entry> entries;
    const QDir dir(parent);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (std::optional<Entry> entry = describe(dir.filePath(name), files))
            entries.append(*entry);
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.made != b.made ? a.made < b.made : a.name < b.name;
    });
    return entries;
}

std::optional<DatedBackups::Entry> DatedBackups::newestComplete(
    const QStringList& parents, BackupFileOperations& files)
{
    std::optional<Entry> newest;
    QStringList seen;
    for (const QString& parent : parents) {
        const QString absolute = QDir(parent).absolutePath();
        if (parent.isEmpty() || seen.contains(absolute))
            continue;
        seen.append(absolute);
        for (const Entry& entry : list(parent, files)) {
            if (entry.state == State::Complete && !entry.beforeRestore
                && (!newest || entry.made > newest->made))
                newest = entry;
        }
    }
    return newest;
}

bool DatedBackups::remove(const Entry& entry, BackupFileOperations& files)
{
    const QString manifest = QDir(entry.path).filePath(BackupManifest::FileName);
    return files.remove(manifest) && files.syncFolder(entry.path) && files.removeFolder(entry.path);
}

DatedBackups::Pruning DatedBackups::keepNewest(
    const QString& parent, const Keeping& keeping, BackupFileOperations& files)
{
    Pruning pruning;
    const QString spared = QFileInfo(keeping.spare).absoluteFilePath();
    QList<Entry> complete;
    for (const Entry& entry : list(parent, files)) {
        if (entry.path == spared)
            continue;
        switch (entry.state) {
        case State::Complete:
            if (!keeping.programFolderId.isEmpty()
                && entry.programFolderId == keeping.programFolderId
                && (!entry.beforeRestore
                    || entry.made.addDays(BeforeRestoreDaysSpared) < keeping.now))
                complete.append(entry);
            break;
        case State::Unfinished:
            pruneUnfinished(entry, keeping, files, pruning);
            break;
        case State::Damaged:
            pruning.notes.append(QStringLiteral("%1 is damaged (%2) and was left as it is.")
                                     .arg(entry.name, entry.problem));
            break;
        }
    }
    // The one just written counts as the newest of the kept.
    const qsizetype surplus = complete.size() - std::max(0, keeping.keep - 1);
    for (qsizetype i = 0; i < surplus; ++i) {
        if (remove(complete.at(i), files))
            pruning.removed.append(complete.at(i).name);
        else
            pruning.notes.append(
                QStringLiteral("%1 could not be removed.").arg(complete.at(i).name));
    }
    return pruning;
}

void DatedBackups::pruneUnfinished(
    const Entry& entry, const Keeping& keeping, BackupFileOperations& files, Pruning& pruning)
{
    // A backup being written now, by this computer or another sharing the
    // folder, has no manifest yet either.
    if (timeOfName(entry.name).addDays(1) > keeping.now)
        return;
    if (!keeping.isOwnUnfinished || !keeping.isOwnUnfinished(entry.path)) {
        pruning.notes.append(
            QStringLiteral("%1 is named like a backup but holds what no backup writes; it was "
                           "left as it is.")
                .arg(entry.name));
        return;
    }
    if (remove(entry, files)) {
        pruning.removed.append(entry.name);
        pruning.notes.append(
            QStringLiteral("%1 was an unfinished backup (it has no manifest) and was removed.")
                .arg(entry.name));
    } else {
        pruning.notes.append(
            QStringLiteral("%1 is an unfinished backup and could not be removed.").arg(entry.name));
    }
}
