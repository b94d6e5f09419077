#include "BloodPressureFile.h"

#include "trackers/IndividualDataFile.h"

#include <QtGlobal>

#include <algorithm>

namespace {

constexpr int valuesPerReading = 5;

} // namespace

int BloodPressureFile::storedRowCount() const
{
    return qMax(rowCount, int(rows.size()) + 1);
}

Reading BloodPressureFile::row(int gridRow) const
{
    if (gridRow < 1 || gridRow > rows.size())
        return {};
    return rows.at(gridRow - 1);
}

IndividualList BloodPressureFile::emptyIndividualList()
{
    return IndividualList(ListFileName, Extension);
}

IndividualList BloodPressureFile::LoadBpIndividualList(const ProgramFolder& folder, QString* error)
{
    IndividualList list = emptyIndividualList();
    if (const Outcome loaded = list.load(folder); !loaded && error)
        *error = loaded.reason;
    return list;
}

Outcome BloodPressureFile::WriteBpIndividualList(
    const ProgramFolder& folder, const IndividualList& list)
{
    return list.write(folder);
}

Outcome BloodPressureFile::SaveNewBloodPressureFile(
    const ProgramFolder& folder, IndividualList& list) const
{
    // A new individual's log is still empty: the count alone is written, and
    // loading it later gives rowCount - 1 empty rows.
    return list.addIndividual(folder, name, [&] {
        return IndividualDataFile::writeValues(
            folder, name, Extension, { QString::number(storedRowCount()) });
    });
}

Outcome BloodPressureFile::SaveBloodPressureFile(const ProgramFolder& folder) const
{
    const int storedRows = storedRowCount();
    QList<std::optional<QString>> values;
    values.reserve(1 + valuesPerReading * (storedRows - 1));
    values.append(QString::number(storedRows));
    for (int gridRow = 1; gridRow < storedRows; ++gridRow) {
        const Reading reading = row(gridRow);
        for (const QString* cell :
            { &reading.date, &reading.time, &reading.systolic, &reading.diastolic, &reading.pulse })
            values.append(cell->trimmed());
    }
    return IndividualDataFile::writeValues(folder, name, Extension, values);
}

std::optional<BloodPressureFile> BloodPressureFile::LoadBloodPressureFile(
    const ProgramFolder& folder, const QString& name, QString* error)
{
    QStringList values;
    if (const Outcome read = IndividualDataFile::readValues(folder, name, Extension, values);
        !read) {
        if (error)
            *error = read.reason;
        return std::nullopt;
    }
    // A value past the end of the file is read as the empty text.
    const auto value = [&values](qsizetype index) {
        return index < values.size() ? values.at(index).trimmed() : QString();
    };

    BloodPressureFile file;
    file.name = name.trimmed();
    file.rowCount = IndividualDataFile::rowCountFromText(value(0));
    const qsizetype readingLines = std::max<qsizetype>(values.size() - 1, 0);
    const qsizetype storedRows = (readingLines + valuesPerReading - 1) / valuesPerReading;
    file.cutShortRow = readingLines % valuesPerReading != 0 ? int(storedRows) : 0;
    if (storedRows >= file.rowCount)
        file.rowCount = int(storedRows) + 1;
    file.rows.reserve(file.rowCount - 1);
    for (int gridRow = 1; gridRow < file.rowCount; ++gridRow) {
        const qsizetype first = 1 + qsizetype(valuesPerReading) * (gridRow - 1);
        file.rows.append(Reading {
            value(first), value(first + 1), value(first + 2), value(first + 3), value(first + 4) });
    }
    return file;
}

Outcome BloodPressureFile::deleteBloodPressureFile(
    const ProgramFolder& folder, IndividualList& list, const QString& name)
{
    return list.deleteIndividual(folder, name);
}
