#include "TrackerKind.h"

#include "storage/IndividualList.h"
#include "weight/WeightFile.h"
#include "weight/WeightTracker.h"

TrackerKind weightTrackerKind()
{
    TrackerKind kind;
    kind.name = "Weight";
    kind.trackerName = QStringLiteral("Weight Tracker");
    kind.listFileName = WeightFile::ListFileName;
    kind.dataFileExtension = WeightFile::Extension;
    kind.create
        = [](const ScreenServices& services) { return std::make_unique<WeightTracker>(services); };
    kind.storeIndividual
        = [](const ProgramFolder& folder, const QString& name, const QList<QStringList>& rows) {
              WeightFile file;
              file.name = name;
              file.beginningWeight = QStringLiteral("180");
              file.goalWeight = QStringLiteral("150");
              file.rowCount = 50;
              for (const QStringList& row : rows)
                  file.rows.append(WeighIn { row.value(0), row.value(1) });
              file.SaveWeightFile(folder);
              IndividualList list = WeightFile::LoadIndividualList(folder);
              list.add(name);
              WeightFile::WriteIndividualList(folder, list);
          };
    kind.typedValue = QStringLiteral("179");
    kind.saveNewFileButton = "Command11";
    return kind;
}
