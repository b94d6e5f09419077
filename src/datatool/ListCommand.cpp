#include "ListCommand.h"

#include "FolderChecker.h"
#include "PasswordSnapshot.h"
#include "bloodpressure/BloodPressureFile.h"
#include "passwords/IndexItem.h"
#include "weight/WeightFile.h"

#include <utility>

int ListCommand::run(const DataToolOptions& options)
{
    if (options.positional.size() != 2)
        return usageError(QStringLiteral("list takes one of weight, bp, passwords"));
    const ProgramFolder folder(options.folder);
    QString error;
    QStringList names;
    QList<FolderChecker::Problem> damage;
    switch (options.kindAt(1)) {
    case Kind::Weight:
        names = WeightFile::LoadIndividualList(folder, &error).names();
        damage = FolderChecker::checkListFile(folder, FolderChecker::Tracker::Weight);
        break;
    case Kind::BloodPressure:
        names = BloodPressureFile::LoadBpIndividualList(folder, &error).names();
        damage = FolderChecker::checkListFile(folder, FolderChecker::Tracker::BloodPressure);
        break;
    case Kind::Passwords: {
        int exitCode = Success;
        const std::shared_ptr<PasswordStorage> storage = passwordStorage(folder, exitCode);
        if (!storage)
            return exitCode;
        PasswordSnapshot snapshot;
        error = snapshot.load(folder, storage).reason;
        for (const QString& item : snapshot.items())
            names.append(IndexItem(item).name());
        break;
    }
    case Kind::Unknown:
        return usageError(QStringLiteral("list takes one of weight, bp, passwords"));
    }
    if (!error.isEmpty())
        return problem(error);
    for (const QString& name : std::as_const(names))
        print(m_out, name + u'\n');
    // The names that could be read are listed; a damaged list is still no
    // success, since the names after the damage are lost.
    for (const FolderChecker::Problem& found : std::as_const(damage))
        problem(found.text());
    return damage.isEmpty() ? Success : ProblemFound;
}
