#include "BackupFileSet.h"

#include "bloodpressure/BloodPressureFile.h"
#include "passwords/PasswordFiles.h"
#include "storage/IndividualName.h"
#include "weight/WeightFile.h"

namespace {

QList<BackupFileSet> makeSets()
{
    BackupFileSet passwords;
    passwords.backupKind = BackupFileSet::PasswordBackup;
    passwords.restoreKind = BackupFileSet::PasswordRestore;
    passwords.setName = QStringLiteral("Password Files");
    passwords.promptName = QStringLiteral("Password");
    passwords.backingUpText = QStringLiteral("Making Password File Backup Disk");
    passwords.deletingBeforeRestoreText = QStringLiteral("Deleting Old Password Files");
    passwords.restoringText = QStringLiteral("Restoring Password Files");
    passwords.fixedFiles = {
        { PasswordFiles::IndexFileName, QStringLiteral("Secfile1.Fil") },
        { PasswordFiles::EntriesFileName, QStringLiteral("Secfile2.Fil") },
    };

    BackupFileSet weight;
    weight.backupKind = BackupFileSet::WeightBackup;
    weight.restoreKind = BackupFileSet::WeightRestore;
    weight.setName = QStringLiteral("Weight Tracker Files");
    weight.promptName = QStringLiteral("Weight Tracker");
    weight.backingUpText = QStringLiteral("Making Backup of Weight Tracker Files");
    weight.deletingBeforeRestoreText = QStringLiteral("Deleting Old Files");
    weight.restoringText = QStringLiteral("Restoring Weight Tracker Files");
    weight.listFiles = { WeightFile::ListFileName, QStringLiteral("WeightTrker.Wtp") };
    weight.dataExtension = WeightFile::Extension;
    weight.backupExtension = QStringLiteral(".Wtp");

    BackupFileSet bloodPressure;
    bloodPressure.backupKind = BackupFileSet::BloodPressureBackup;
    bloodPressure.restoreKind = BackupFileSet::BloodPressureRestore;
    bloodPressure.setName = QStringLiteral("Blood Pressure Files");
    bloodPressure.promptName = QStringLiteral("Blood Pressure");
    bloodPressure.backingUpText = QStringLiteral("Making Backup of Blood Pressure Files");
    bloodPressure.deletingBeforeRestoreText = QStringLiteral("Deleting Old Files");
    bloodPressure.restoringText = QStringLiteral("Restoring Blood Pressure Files");
    bloodPressure.listFiles = { BloodPressureFile::ListFileName, QStringLiteral("BpTrker.Bpf") };
    bloodPressure.dataExtension = BloodPressureFile::Extension;
    bloodPressure.backupExtension = QStringLiteral(".Bpf");

    return { passwords, weight, bloodPressure };
}

} // namespace

const QList<BackupFileSet>& BackupFileSet::all()
{
    static const QList<BackupFileSet> sets = makeSets();
    return sets;
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
