#include "DataImporter.h"

#include "FolderChecker.h"

#include <QStringList>

QString DataImporter::damageOf(const ProgramFolder& folder, FolderChecker::Tracker tracker,
    const QString& name, const IndividualList& list)
{
    if (!folder.exists(list.dataFileName(name)))
        return {};
    QStringList faults;
    QString file;
    for (const FolderChecker::Problem& problem :
        FolderChecker::checkDataFile(folder, tracker, name)) {
        if (problem.isDamage()) {
            file = problem.file;
            faults.append(problem.message);
        }
    }
    if (faults.isEmpty())
        return {};
    return QStringLiteral("%1 is damaged (%2); repair it in Halvorn or restore it from a "
                          "backup, then import again")
        .arg(file, faults.join(QStringLiteral("; ")));
}
