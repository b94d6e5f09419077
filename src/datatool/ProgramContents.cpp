#include "ProgramContents.h"

#include "bloodpressure/BloodPressureFile.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordVault.h"
#include "storage/StoredDate.h"
#include "trackers/DatedRows.h"
#include "trackers/IndividualName.h"
#include "weight/WeightFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray fileChecksum(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}

// The dated rows of a log: their count, each date and the last one.
template <typename Row>
FunctionContents::Person describeLog(
    const QString& name, const QList<Row>& rows, const QString& path)
{
    FunctionContents::Person person;
    person.name = name;
    person.rows = DatedRows::count(rows);
    for (int row = 0; row < person.rows; ++row) {
        const QDate date = StoredDate::parse(rows.at(row).date);
        person.dates.append(date);
        if (date.isValid())
            person.last = date;
    }
    person.fileChecksum = fileChecksum(path);
    return person;
}

template <typename LoadList, typename LoadFile>
FunctionContents describeTracker(const ProgramFolder& folder, const QString& listFileName,
    const QString& extension, LoadList loadList, LoadFile loadFile)
{
    FunctionContents contents;
    if (!folder.exists(listFileName))
        return contents;
    contents.present = true;
    const IndividualList list = loadList(folder);
    for (const QString& name : list.names()) {
        if (!IndividualName::pathRefusal(name).isEmpty())
            continue;
        const auto file = loadFile(folder, name);
        const QString path = folder.filePath(IndividualName::dataFileName(name, extension));
        contents.people.append(file ? describeLog(name.trimmed(), file->rows, path)
                                    : FunctionContents::Person { name.trimmed(), 0, {}, {}, {} });
    }
    return contents;
}

} // namespace

FunctionContents ProgramContents::weight(const ProgramFolder& folder)
{
    return describeTracker(
        folder, WeightFile::ListFileName, WeightFile::Extension,
        [](const ProgramFolder& in) { return WeightFile::LoadIndividualList(in); },
        [](const ProgramFolder& in, const QString& name) {
            return WeightFile::LoadWeightFile(in, name);
        });
}

FunctionContents ProgramContents::bloodPressure(const ProgramFolder& folder)
{
    return describeTracker(
        folder, BloodPressureFile::ListFileName, BloodPressureFile::Extension,
        [](const ProgramFolder& in) { return BloodPressureFile::LoadBpIndividualList(in); },
        [](const ProgramFolder& in, const QString& name) {
            return BloodPressureFile::LoadBloodPressureFile(in, name);
        });
}

FunctionContents ProgramContents::passwords(const ProgramFolder& folder)
{
    FunctionContents contents;
    contents.keeper = true;
    if (folder.exists(PasswordVault::FileName)) {
        const QString vault = folder.filePath(PasswordVault::FileName);
        contents.present = true;
        contents.isProtected = true;
        contents.vaultSize = QFileInfo(vault).size();
        contents.vaultChecksum = fileChecksum(vault);
        return contents;
    }
    if (!folder.exists(PasswordFiles::IndexFileName))
        return contents;
    contents.present = true;
    const PasswordFiles files(folder);
    const QStringList items = files.LoadIndex();
    contents.entries = int(items.size());
    for (const QString& item : items) {
        const std::optional<PasswordEntry> entry = files.loadEntry(item);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        // Each text with its length, so that no two entries hash alike by
        // where one text ends and the next begins.
        const QStringList texts = entry
            ? QStringList { entry->name, entry->signOn, entry->password, entry->comment }
            : QStringList { item };
        for (const QString& text : texts) {
            const QByteArray bytes = text.toUtf8();
            hash.addData(QByteArray::number(bytes.size()) + ':');
            hash.addData(bytes);
        }
        contents.entryChecksums.append(hash.result());
    }
    return contents;
}
