#pragma once

#include "backup/BackupFileOperations.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"
#include "storage/WeightPersonSettings.h"
#include "trackers/IndividualList.h"

#include <QString>

#include <functional>
#include <optional>

// A new individual made by an import, all at once: the data file, the list
// that names it and, when the import knows it, the person's unit. Each is
// written complete beside the folder's files, in the staging folder of a
// FileSetTransaction, and the set is put in place under its journal, so
// that a run stopped at any step leaves, once the folder is opened again,
// the folder as it was or with the whole new individual: never a data file
// that no list names, which would keep the name from being used again.
class NewIndividualTransaction
{
public:
    // saveDataFile writes the new data file into the folder it is given.
    static Outcome write(const ProgramFolder& folder, IndividualList list, const QString& name,
        const std::function<Outcome(const ProgramFolder&)>& saveDataFile,
        const std::optional<WeightPersonSettings::Values>& personSettings,
        BackupFileOperations& files);
};
