#include "WeightFile.h"

#include "trackers/IndividualDataFile.h"

#include <QtGlobal>

#include <algorithm>

namespace {

constexpr int headerLineCount = 12;

} // namespace

QString WeightFile::shownPictureDate(const QString& stored)
{
    return stored.trimmed().isEmpty() ? PictureDatePlaceholder : stored;
}

QString& WeightFile::headerField(int index)
{
    return const_cast<QString&>(std::as_const(*this).headerField(index));
}

const QString& WeightFile::headerField(int index) const
{
    Q_ASSERT(index >= 1 && index <= HeaderFieldCount);
    switch (index) {
    case 1:
        return beginningDate;
    case 2:
        return beginningWeight;
    case 3:
        return goalWeight;
    case 4:
        return exerciseDaysPerWeek;
    case 5:
        return exerciseTimePerPeriod;
    case 6:
        return exerciseTypes;
    case 7:
        return beginningPictureDate;
    default:
        return currentPictureDate;
    }
}

int WeightFile::storedRowCount() const
{
    return qMax(rowCount, int(rows.size()) + 1);
}

WeighIn WeightFile::row(int gridRow) const
{
    if (gridRow < 1 || gridRow > rows.size())
        return {};
    return rows.at(gridRow - 1);
}

IndividualList WeightFile::emptyIndividualList()
{
    return IndividualList(ListFileName, Extension);
}

IndividualList WeightFile::LoadIndividualList(const ProgramFolder& folder, QString* error)
{
    IndividualList list = emptyIndividualList();
    if (const Outcome loaded = list.load(folder); !loaded && error)
        *error = loaded.reason;
    return list;
}

Outcome WeightFile::WriteIndividualList(const ProgramFolder& folder, const IndividualList& list)
{
    return list.write(folder);
}

QList<std::optional<QString>> WeightFile::headerValues(int storedRows) const
{
    QList<std::optional<QString>> values;
    values.reserve(headerLineCount + 2 * (storedRows - 1));
    values.append(QString::number(storedRows));
    for (int index = 1; index <= HeaderFieldCount; ++index)
        values.append(headerField(index));
    values.append(comments);
    values.append(beginningPicture);
    values.append(currentPicture);
    return values;
}

Outcome WeightFile::SaveNewWeightFile(const ProgramFolder& folder, IndividualList& list) const
{
    // A new individual's log is still empty: the header alone is written, and
    // loading it later gives rowCount - 1 empty rows.
    return list.addIndividual(folder, name, [&] {
        return IndividualDataFile::writeValues(
            folder, name, Extension, headerValues(storedRowCount()));
    });
}

Outcome WeightFile::SaveWeightFile(const ProgramFolder& folder) const
{
    const int storedRows = storedRowCount();
    QList<std::optional<QString>> values = headerValues(storedRows);
    for (int gridRow = 1; gridRow < storedRows; ++gridRow) {
        const WeighIn weighIn = row(gridRow);
        values.append(weighIn.date.trimmed());
        values.append(weighIn.weight.trimmed());
    }
    return IndividualDataFile::writeValues(folder, name, Extension, values);
}

std::optional<WeightFile> WeightFile::LoadWeightFile(
    const ProgramFolder& folder, const QString& name, QString* error)
{
    QStringList values;
    if (const Outcome read = IndividualDataFile::readValues(folder, name, Extension, values);
        !read) {
        if (error)
            *error = read.reason;
        return std::nullopt;
    }
    // Lines past the end of the file leave their field as it was: empty text,
    // or an unset picture.
    const auto line = [&values](int number) -> std::optional<QString> {
        if (number > values.size())
            return std::nullopt;
        return values.at(number - 1);
    };

    WeightFile file;
    file.name = name.trimmed();
    file.rowCount = IndividualDataFile::rowCountFromText(line(1).value_or(QString()));
    for (int index = 1; index <= HeaderFieldCount; ++index)
        file.headerField(index) = line(1 + index).value_or(QString());
    file.comments = line(10).value_or(QString());
    file.beginningPicture = line(11);
    file.currentPicture = line(12);

    const qsizetype rowLines = std::max<qsizetype>(values.size() - headerLineCount, 0);
    const qsizetype storedRows = (rowLines + 1) / 2;
    file.cutShortRow = rowLines % 2 != 0 ? int(storedRows) : 0;
    if (storedRows >= file.rowCount)
        file.rowCount = int(storedRows) + 1;
    file.rows.reserve(file.rowCount - 1);
    for (int gridRow = 1; gridRow < file.rowCount; ++gridRow) {
        const int dateLine = headerLineCount + 2 * gridRow - 1;
        file.rows.append(WeighIn { line(dateLine).value_or(QString()).trimmed(),
            line(dateLine + 1).value_or(QString()).trimmed() });
    }
    return file;
}

Outcome WeightFile::deleteWeightFile(
    const ProgramFolder& folder, IndividualList& list, const QString& name)
{
    return list.deleteIndividual(folder, name);
}
