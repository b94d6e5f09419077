#include "DataToolCommand.h"

#include "bloodpressure/BloodPressureFile.h"
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
