#include "ImportCommand.h"

#include "DataImporter.h"

#include <QFile>

int ImportCommand::run(const DataToolOptions& options)
{
    const Kind kind = options.kindAt(1);
    if ((kind != Kind::Weight && kind != Kind::BloodPressure) || options.positional.size() != 4)
        return usageError(QStringLiteral("import takes weight or bp, a NAME and a FILE.csv"));
    const QString name = options.positional.at(2);
    const QString csvPath = options.positional.at(3);
    QFile csvFile(csvPath);
    if (!csvFile.open(QIODevice::ReadOnly))
        return problem(QStringLiteral("%1: %2").arg(csvPath, csvFile.errorString()));
    const QByteArray csv = csvFile.readAll();
    csvFile.close();

    const ProgramFolder folder(options.folder);
    const DataImporter::Result result = kind == Kind::Weight
        ? DataImporter::importWeight(folder, name, csv)
        : DataImporter::importBloodPressure(folder, name, csv);
    if (!result.ok) {
        if (!result.error.isEmpty())
            print(m_err, QStringLiteral("%1: %2: %3\n").arg(ProgramName, csvPath, result.error));
        if (!result.targetError.isEmpty())
            print(m_err, QStringLiteral("%1: %2\n").arg(ProgramName, result.targetError));
        for (const DataImporter::RowError& row : result.rowErrors)
            print(m_err,
                QStringLiteral("%1: %2: line %3: %4\n")
                    .arg(ProgramName, csvPath)
                    .arg(row.line)
                    .arg(row.reason));
        print(m_err, QStringLiteral("%1: nothing was imported\n").arg(ProgramName));
        return ProblemFound;
    }
    const QString target
        = kind == Kind::Weight ? QStringLiteral("weight") : QStringLiteral("blood-pressure");
    print(m_out,
        QStringLiteral("Added %1 %2 to the %3 file of %4%5.\n")
            .arg(result.rowsAdded)
            .arg(result.rowsAdded == 1 ? QStringLiteral("row") : QStringLiteral("rows"))
            .arg(target, name.trimmed(),
                result.individualCreated ? QStringLiteral(", a new individual") : QString()));
    return Success;
}
