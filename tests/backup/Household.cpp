#include "Household.h"

#include "bloodpressure/BloodPressureFile.h"
#include "passwords/PasswordFiles.h"
#include "storage/ProgramSettings.h"
#include "storage/StoredDate.h"
#include "weight/WeightFile.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace Household {

void write(const ProgramFolder& folder)
{
    addWeighIns(folder, "Ann", QDate(2026, 3, 1), 3);
    addWeighIns(folder, "Bob", QDate(2026, 2, 1), 3);
    addReadings(folder, "Dee", QDate(2026, 3, 2), 2);
    addEntries(folder, { "Bank", "Mail" });
    EXPECT_TRUE(ProgramSettings(folder).setKeeperLockMinutes(5));
}

void addWeighIns(const ProgramFolder& folder, const QString& name, const QDate& first, int count)
{
    IndividualList list = WeightFile::LoadIndividualList(folder);
    WeightFile file = WeightFile::LoadWeightFile(folder, name).value_or(WeightFile());
    file.name = name;
    int row = 0;
    while (row < file.rows.size() && !file.rows.at(row).date.isEmpty())
        ++row;
    for (int day = 0; day < count; ++day, ++row) {
        const WeighIn weighIn { StoredDate::longText(first.addDays(day)),
            QString::number(180 - row) };
        if (row < file.rows.size())
            file.rows[row] = weighIn;
        else
            file.rows.append(weighIn);
    }
    ASSERT_TRUE(file.SaveWeightFile(folder));
    list.add(name);
    ASSERT_TRUE(WeightFile::WriteIndividualList(folder, list));
}

void addReadings(const ProgramFolder& folder, const QString& name, const QDate& first, int count)
{
    IndividualList list = BloodPressureFile::LoadBpIndividualList(folder);
    BloodPressureFile file
        = BloodPressureFile::LoadBloodPressureFile(folder, name).value_or(BloodPressureFile());
    file.name = name;
    int row = 0;
    while (row < file.rows.size() && !file.rows.at(row).date.isEmpty())
        ++row;
    for (int day = 0; day < count; ++day, ++row) {
        const Reading reading { StoredDate::longText(first.addDays(day)), "7:30 AM",
            QString::number(120 + row), "80", "64" };
        if (row < file.rows.size())
            file.rows[row] = reading;
        else
            file.rows.append(reading);
    }
    ASSERT_TRUE(file.SaveBloodPressureFile(folder));
    list.add(name);
    ASSERT_TRUE(BloodPressureFile::WriteBpIndividualList(folder, list));
}

void removeWeightPerson(const ProgramFolder& folder, const QString& name)
{
    IndividualList list = WeightFile::LoadIndividualList(folder);
    ASSERT_TRUE(WeightFile::deleteWeightFile(folder, list, name));
}

void addEntries(const ProgramFolder& folder, const QStringList& names)
{
    // Seeded, so that two households written alike are alike byte for byte.
    QRandomGenerator random(7);
    PasswordFiles files(folder, &random);
    for (const QString& name : names)
        ASSERT_TRUE(files.AddEntry({ name, "me", "secret " + name, {} }));
}

void removeEntry(const ProgramFolder& folder, const QString& name)
{
    PasswordFiles files(folder);
    for (const QString& item : files.LoadIndex()) {
        if (item.startsWith(name)) {
            ASSERT_TRUE(files.DeleteEntry(item));
            return;
        }
    }
    ADD_FAILURE() << "no entry " << name.toStdString();
}

} // namespace Household
