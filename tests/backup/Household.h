#pragma once

#include "storage/ProgramFolder.h"

#include <QDate>
#include <QString>
#include <QStringList>

// A household written by the program's own writers, for comparing a
// program folder with a backup of it: logs with dated rows, a keeper and
// settings.
namespace Household {

// Ann: 3 weigh-ins March 1 to 3, 2026; Bob: 3 in February. Dee: readings on
// March 2 and 3. The keeper holds Bank and Mail; the lock time is 5.
void write(const ProgramFolder& folder);

// Adds count weigh-ins (readings) to a person's log from first on, one a
// day, listing the person when new.
void addWeighIns(const ProgramFolder& folder, const QString& name, const QDate& first, int count);
void addReadings(const ProgramFolder& folder, const QString& name, const QDate& first, int count);
void removeWeightPerson(const ProgramFolder& folder, const QString& name);
void addEntries(const ProgramFolder& folder, const QStringList& names);
void removeEntry(const ProgramFolder& folder, const QString& name);

} // namespace Household
