#include "BackupFileSet.h"

#include "bloodpressure/BloodPressureFile.h"
#include "passwords/PasswordFiles.h"
#include "trackers/IndividualName.h"
#include "storage/ProgramSettings.h"
#include "weight/WeightFile.h"

namespace {

QList<BackupFileSet> makeSets()
{
    return {
        {
            .backupKind = BackupFileSet::PasswordBackup,
            .restoreKind = BackupFileSet::PasswordRestore,
            .setName = QStringLiteral("Password Files"),
            .promptName = QStringLiteral("Password"),
            .backingUpText = QStringLiteral("Making Password File Backup Disk"),
            .deletingBeforeRestoreText = QStringLiteral("Deleting Old Password Files"),
            .restoringText = QStringLiteral("Restoring Password Files"),
            .fixedFiles = {
                { PasswordFiles::IndexFileName, QStringLiteral("Secfile1.Fil") },
                { PasswordFiles::EntriesFileName, QStringLiteral("Secfile2.Fil") },
            },
            // No list: the set is its two files.
            .listFiles = {},
            .dataExtension = {},
            .backupExtension = {},
        },
        {
            .backupKind = BackupFileSet::WeightBackup,
            .restoreKind = BackupFileSet::WeightRestore,
            .setName = QStringLiteral("Weight Tracker Files"),
            .promptName = QStringLiteral("Weight Tracker"),
            .backingUpText = QStringLiteral("Making Backup of Weight Tracker Files"),
            .deletingBeforeRestoreText = QStringLiteral("Deleting Old Files"),
            .restoringText = QStringLiteral("Restoring Weight Tracker Files"),
            .fixedFiles = {},
            .listFiles = { WeightFile::ListFileName, QStringLiteral("WeightTrker.Wtp") },
            .dataExtension = WeightFile::Extension,
            .backupExtension = QStringLiteral(".Wtp"),
        },
        {
            .backupKind = BackupFileSet::BloodPressureBackup,
            .restoreKind = BackupFileSet::BloodPressureRestore,
            .setName = QStringLiteral("Blood Pressure Files"),
            .promptName = QStringLiteral("Blood Pressure"),
            .backingUpText = QStringLiteral("Making Backup of Blood Pressure Files"),
            .deletingBeforeRestoreText = QStringLiteral("Deleting Old Files"),
            .restoringText = QStringLiteral("Restoring Blood Pressure Files"),
            .fixedFiles = {},
            .listFiles = { BloodPressureFile::ListFileName, QStringLiteral("BpTrker.Bpf") },
            .dataExtension = BloodPressureFile::Extension,
            .backupExtension = QStringLiteral(".Bpf"),
        },
    };
}

} // namespace

const QList<BackupFileSet>& BackupFileSet::all()
{
    static const QList<BackupFileSet> sets = makeSets();
    return sets;
}

const QList<BackupFileSet::FilePair>& BackupFileSet::settingsFiles()
{
    static const QList<FilePair> files = [] {
        QList<FilePair> pairs;
        for (const QString& name : { QStringLiteral("GColor1.Fil"), QStringLiteral("GColor3.Fil"),
                 QStringLiteral("GColor4.Fil"), QStringLiteral("GColor14.Fil"),
                 QStringLiteral("GZORQ1.Fil"), QStringLiteral("ZORQNAME.FIL"),
                 ProgramSettings::FileName })
            pairs.append({ name, name });
        return pairs;
    }();
    return files;
}

const BackupFileSet* BackupFileSet::forKind(qint16 kind)
{
    for (const BackupFileSet& set : all()) {
        if (set.backupKind == kind || set.restoreKind == kind)
            return &set;
    }
    return nullptr;
}

bool BackupFileSet::isRestoreKind(qint16 kind)
{
    const BackupFileSet* set = forKind(kind);
    return set && set->restoreKind == kind;
}

BackupFileSet::FilePair BackupFileSet::individualFiles(const QString& name) const
{
    return { IndividualName::dataFileName(name, dataExtension),
        IndividualName::dataFileName(name, backupExtension) };
}

QString BackupFileSet::refusalOfListedName(const QString& name) const
{
    if (QString reason = IndividualName::pathRefusal(name); !reason.isEmpty())
        return reason;
    const FilePair files = individualFiles(name);
    if (files.backupName.compare(listFiles.backupName, Qt::CaseInsensitive) == 0
        || IndividualName::isProgramFileName(name))
        return QStringLiteral("\"%1\" is the name of one of the program's own files.")
            .arg(name.trimmed());
    return {};
}
