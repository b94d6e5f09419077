#include "TrackerKind.h"

#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/ui/BPTracker.h"
#include "trackers/IndividualList.h"
#include "weight/WeightFile.h"
#include "weight/ui/WeightTracker.h"

#include <gtest/gtest.h>

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
              EXPECT_TRUE(file.SaveWeightFile(folder));
              IndividualList list = WeightFile::LoadIndividualList(folder);
              list.add(name);
              EXPECT_TRUE(WeightFile::WriteIndividualList(folder, list));
          };
    kind.typedValue = QStringLiteral("179");
    kind.saveNewFileButton = "Command11";
    return kind;
}

TrackerKind bloodPressureTrackerKind()
{
    TrackerKind kind;
    kind.name = "BloodPressure";
    kind.trackerName = QStringLiteral("Blood Pressure Tracker");
    kind.listFileName = BloodPressureFile::ListFileName;
    kind.dataFileExtension = BloodPressureFile::Extension;
    kind.create
        = [](const ScreenServices& services) { return std::make_unique<BPTracker>(services); };
    kind.storeIndividual = [](const ProgramFolder& folder, const QString& name,
                               const QList<QStringList>& rows) {
        BloodPressureFile file;
        file.name = name;
        file.rowCount = 50;
        for (const QStringList& row : rows)
            file.rows.append(
                Reading { row.value(0), row.value(1), row.value(2), row.value(3), row.value(4) });
        EXPECT_TRUE(file.SaveBloodPressureFile(folder));
        IndividualList list = BloodPressureFile::LoadBpIndividualList(folder);
        list.add(name);
        EXPECT_TRUE(BloodPressureFile::WriteBpIndividualList(folder, list));
    };
    kind.typedValue = QStringLiteral("7:05 AM");
    kind.saveNewFileButton = "Command10";
    kind.viewMenuItemFollowsButton = true;
    return kind;
}

void PrintTo(const TrackerKind& kind, std::ostream* os)
{
    *os << kind.name;
}
