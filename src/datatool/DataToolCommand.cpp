#include "DataToolCommand.h"

#include "MasterPasswordInput.h"
#include "bloodpressure/BloodPressureFile.h"
#include "passwords/ClassicPasswordStorage.h"
#include "passwords/KeeperProtection.h"
#include "weight/WeightFile.h"

DataToolCommand::DataToolCommand(DataToolOutput& output)
    : m_out(output.out())
    , m_err(output.err())
    , m_output(output)
{ }

std::optional<QString> DataToolCommand::listedName(
    const DataToolOptions& options, bool weight, const QString& name, int& exitCode)
{
    const ProgramFolder folder(options.folder);
    QString error;
    const IndividualList list = weight ? WeightFile::LoadIndividualList(folder, &error)
                                       : BloodPressureFile::LoadBpIndividualList(folder, &error);
    if (!error.isEmpty()) {
        exitCode = problem(error);
        return std::nullopt;
    }
    const qsizetype listed = list.indexOf(name);
    if (listed < 0) {
        exitCode = problem(
            QStringLiteral("%1: no individual named \"%2\"").arg(list.listFileName(), name));
        return std::nullopt;
    }
    return list.at(listed);
}

std::shared_ptr<PasswordStorage> DataToolCommand::passwordStorage(
    const ProgramFolder& folder, int& exitCode)
{
    if (!KeeperProtection::isProtected(folder))
        return std::make_shared<ClassicPasswordStorage>(folder);
    MasterPasswordInput input(m_err);
    const std::optional<SecretBytes> password = input.read(QStringLiteral("Master password"));
    if (!password) {
        exitCode = problem(QStringLiteral("the Password Keeper is protected: no master password "
                                          "was given"));
        return nullptr;
    }
    KeeperProtection::Unlocked unlocked = KeeperProtection(folder).unlock(password->view());
    if (!unlocked.storage) {
        exitCode = problem(unlocked.outcome.message());
        return nullptr;
    }
    return unlocked.storage;
}
