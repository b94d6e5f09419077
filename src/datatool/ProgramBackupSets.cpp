#include "ProgramBackupSets.h"

#include "FolderChecker.h"
#include "ProgramContents.h"
#include "bloodpressure/BloodPressureBackupSet.h"
#include "passwords/PasswordBackupSet.h"
#include "weight/WeightBackupSet.h"

namespace {

BackupFileSet checkedTrackerSet(BackupFileSet set, FolderChecker::Tracker tracker)
{
    set.findDamage = [set, tracker](const ProgramFolder& copy) {
        return FolderChecker::damageInTrackerCopy(copy, set, tracker);
    };
    return set;
}

} // namespace

const BackupFileSets& ProgramBackupSets::all()
{
    static const BackupFileSets sets = [] {
        BackupFileSet passwords = PasswordBackupSet::make();
        passwords.findDamage = &FolderChecker::damageInPasswordCopy;
        passwords.describe = &ProgramContents::passwords;
        BackupFileSet weight
            = checkedTrackerSet(WeightBackupSet::make(), FolderChecker::Tracker::Weight);
        weight.describe = &ProgramContents::weight;
        BackupFileSet bloodPressure = checkedTrackerSet(
            BloodPressureBackupSet::make(), FolderChecker::Tracker::BloodPressure);
        bloodPressure.describe = &ProgramContents::bloodPressure;
        return BackupFileSets({ passwords, weight, bloodPressure });
    }();
    return sets;
}
