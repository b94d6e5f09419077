#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class BackupFileOperations;

// The dated folders that backups of everything make inside one backup
// folder ("Halvorn 2026-12-10 0930"): their names, which sort by date, what
// state each is in, and the keeping of a number of them.
class DatedBackups
{
public:
    enum class State {
        // The manifest is there and every file it names has its size.
        Complete,
        // No manifest: the backup was cut short, or is being written.
        Unfinished,
        // A manifest that cannot be read, or files that disagree with it.
        Damaged,
    };

    struct Entry {
        QString name;
        QString path;
        State state = State::Unfinished;
        // From the manifest, or from the name when there is none.
        QDateTime made;
        qint64 size = 0;
        // Why an entry is damaged.
        QString problem;
        // The program folder its manifest names; empty without one.
        QString programFolderId;
        // A backup made just before a restore, to undo it with.
        bool beforeRestore = false;
        // What its files hold, from the manifest; empty when the manifest
        // says nothing of it (or there is none).
        QJsonObject contents;
    };

    static inline const QString NamePrefix = QStringLiteral("Halvorn ");
    // The end of the name of a backup made just before a restore.
    static inline const QString BeforeRestoreSuffix = QStringLiteral(" before restore");
    // How long a backup made before a restore stays out of the number kept.
    static constexpr int BeforeRestoreDaysSpared = 7;

    // The name of a backup made at when: the date and the minute; taken
    // names get "-2", "-3" and so on, before the suffix.
    static QString folderName(const QDateTime& when, int attempt = 1, const QString& suffix = {});
    static bool isDatedName(const QString& name);
    // The minute a dated name stands for.
    static QDateTime timeOfName(const QString& name);

    // The dated folders below parent, oldest first. Links are not followed:
    // a link is not a backup this program made.
    static QList<Entry> list(const QString& parent, BackupFileOperations& files);
    static std::optional<Entry> describe(const QString& folder, BackupFileOperations& files);

    // The newest complete backup of everything among the folders' dated
    // ones; backups made before a restore are not counted.
    static std::optional<Entry> newestComplete(
        const QStringList& parents, BackupFileOperations& files);

    struct Pruning {
        QStringList removed;
        // Sentences for the user: an unfinished folder removed, a folder
        // that could not be removed, a damaged one left alone.
        QStringList notes;
    };
    struct Keeping {
        int keep = 0;
        // The folder just written, which is never touched.
        QString spare;
        // Complete backups are counted and removed only when their manifest
        // names this program folder: a backup folder may be shared.
        QString programFolderId;
        // An unfinished folder is removed only when its name's minute is
        // more than a day before now (it may still be being written) and
        // it holds nothing but what a backup writes.
        QDateTime now;
        std::function<bool(const QString& folder)> isOwnUnfinished;
    };
    // After a complete backup: keeps the newest `keep` complete folders of
    // the program folder and removes older ones, and unfinished ones as
    // Keeping says. Damaged folders are neither counted nor removed: they
    // may still hold what nothing else does.
    static Pruning keepNewest(
        const QString& parent, const Keeping& keeping, BackupFileOperations& files);

    // Removes a dated folder, its manifest first, so that a removal cut
    // short leaves an unfinished folder, never a complete one with files
    // missing.
    static bool remove(const Entry& entry, BackupFileOperations& files);

private:
    static void pruneUnfinished(
        const Entry& entry, const Keeping& keeping, BackupFileOperations& files, Pruning& pruning);
};
