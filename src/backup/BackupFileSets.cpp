#include "BackupFileSets.h"

#include "storage/ProgramSettings.h"

#include <utility>

BackupFileSets::BackupFileSets(QList<BackupFileSet> sets)
    : m_sets(std::move(sets))
{ }

const BackupFileSet* BackupFileSets::forKind(BackupKind kind) const
{
    for (const BackupFileSet& set : m_sets) {
        if (set.backupKind == kind || set.restoreKind == kind)
            return &set;
    }
    return nullptr;
}

bool BackupFileSets::isRestoreKind(BackupKind kind) const
{
    const BackupFileSet* set = forKind(kind);
    return set && set->restoreKind == kind;
}

const QList<BackupFileSet::FilePair>& BackupFileSets::settingsFiles()
{
    static const QList<BackupFileSet::FilePair> files = [] {
        QList<BackupFileSet::FilePair> pairs;
        for (const QString& name : { QStringLiteral("GColor1.Fil"), QStringLiteral("GColor3.Fil"),
                 QStringLiteral("GColor4.Fil"), QStringLiteral("GColor14.Fil"),
                 QStringLiteral("GZORQ1.Fil"), QStringLiteral("ZORQNAME.FIL"),
                 ProgramSettings::FileName })
            pairs.append({ name, name });
        return pairs;
    }();
    return files;
}
