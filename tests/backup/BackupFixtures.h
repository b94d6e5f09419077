#pragma once

#include "TemporaryProgramFolder.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Files that the folder check finds sound, for backups that must pass it.
namespace BackupFixtures {

using Files = QMap<QString, QByteArray>;

// A weight file, told apart by its note.
QByteArray weightFile(const QByteArray& note);
// A blood-pressure file with one reading, told apart by its time.
QByteArray bloodPressureFile(const QByteArray& time);
// The two password files of a keeper holding one entry per name, as the
// keeper writes them, under the given names.
Files passwordFiles(const QStringList& names, const QString& indexName = "Secfile1.Fil",
    const QString& entriesName = "Secfile2.Fil");

void writeAll(const TemporaryProgramFolder& folder, const Files& files);
Files withChanges(Files files, const Files& changes);

} // namespace BackupFixtures
