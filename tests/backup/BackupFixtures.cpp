#include "BackupFixtures.h"

#include "passwords/PasswordFiles.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace BackupFixtures {

QByteArray weightFile(const QByteArray& note)
{
    return "\"1\"\r\n\"" + note + "\"\r\n" + QByteArray("\"\"\r\n").repeated(10);
}

QByteArray bloodPressureFile(const QByteArray& time)
{
    return "\"2\"\r\n\"January 01, 2026\"\r\n\"" + time + "\"\r\n\"120\"\r\n\"80\"\r\n\"70\"\r\n";
}

Files passwordFiles(const QStringList& names, const QString& indexName, const QString& entriesName)
{
    TemporaryProgramFolder folder;
    QRandomGenerator random(7);
    PasswordFiles files(folder.folder(), &random);
    for (const QString& name : names)
        EXPECT_TRUE(files.AddEntry({ name, "ann", name.toLower() + "-pw", "" }));
    return { { indexName, folder.read(PasswordFiles::IndexFileName) },
        { entriesName, folder.read(PasswordFiles::EntriesFileName) } };
}

void writeAll(const TemporaryProgramFolder& folder, const Files& files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        folder.write(it.key(), it.value());
}

Files withChanges(Files files, const Files& changes)
{
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        files.insert(it.key(), it.value());
    return files;
}

} // namespace BackupFixtures
