#include "BenchFolder.h"

#include "bloodpressure/BloodPressureFile.h"
#include "passwords/IndexItem.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordRecord.h"
#include "storage/RecordFile.h"
#include "storage/StoredDate.h"
#include "trackers/IndividualList.h"
#include "weight/WeightFile.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

namespace {

// The logs start here and have one entry a day.
const QDate FirstDay(1990, 1, 1);

// Varied but repeatable values, so that changes go both ways and the log has
// bold and plain cells as a real one does.
int spread(int i, int range)
{
    return int((quint64(i) * 7919 + 13) % quint64(range));
}

} // namespace

BenchFolder::BenchFolder()
{
    if (!m_dir.isValid())
        m_error = QStringLiteral("no temporary folder: %1").arg(m_dir.errorString());
    else
        writeWeightFile() && writeBloodPressureFile() && writePasswordFiles();
}

bool BenchFolder::writeWeightFile()
{
    WeightFile file;
    file.name = WeightName;
    file.beginningDate = StoredDate::longText(FirstDay);
    file.beginningWeight = QStringLiteral("200");
    file.goalWeight = QStringLiteral("150");
    for (int i = 0; i < LogRows; ++i)
        file.rows.append(WeighIn { StoredDate::longText(FirstDay.addDays(i)),
            QString::number((1800 + spread(i, 400)) / 10.0) });
    IndividualList list = WeightFile::emptyIndividualList();
    list.add(WeightName);
    return succeeded(file.SaveWeightFile(folder()))
        && succeeded(WeightFile::WriteIndividualList(folder(), list));
}

bool BenchFolder::succeeded(const Outcome& outcome)
{
    if (!outcome)
        m_error = outcome.reason;
    return outcome.succeeded;
}

bool BenchFolder::writeBloodPressureFile()
{
    BloodPressureFile file;
    file.name = BloodPressureName;
    for (int i = 0; i < LogRows; ++i)
        file.rows.append(Reading { StoredDate::longText(FirstDay.addDays(i)),
            QStringLiteral("7:%1 AM").arg(spread(i, 60), 2, 10, QLatin1Char('0')),
            QString::number(110 + spread(i, 50)), QString::number(70 + spread(i + 1, 30)),
            QString::number(60 + spread(i + 2, 30)) });
    IndividualList list = BloodPressureFile::emptyIndividualList();
    list.add(BloodPressureName);
    return succeeded(file.SaveBloodPressureFile(folder()))
        && succeeded(BloodPressureFile::WriteBpIndividualList(folder(), list));
}

bool BenchFolder::writePasswordFiles()
{
    return writePasswordEntries(folder(), PasswordEntries, QString(), &m_error);
}

bool BenchFolder::writePasswordEntries(
    const ProgramFolder& folder, int count, const QString& tag, QString* error)
{
    // Record by record and the index once: adding 9,999 entries one at a
    // time would search ever longer for a free record and take minutes.
    const PasswordFiles files(folder);
    QRandomGenerator random(1);
    RecordFile entries(files.entriesFilePath(), PasswordRecord::Length);
    QStringList items;
    for (int number = 1; number <= count; ++number) {
        PasswordRecord record = PasswordRecord::ScrambleEntry(QStringLiteral("user%1").arg(number),
            QStringLiteral("secret%1%2").arg(number).arg(tag),
            QStringLiteral("Entry number %1").arg(number), random);
        if (!entries.writeStructure(number, record.structure())) {
            if (error)
                *error = entries.errorString();
            return false;
        }
        items.append(
            IndexItem::build(QStringLiteral("www.site%1.example").arg(number), number).text());
    }
    std::sort(items.begin(), items.end(), IndividualList::lessThan);
    const Outcome written = files.WriteIndex(items);
    if (!written && error)
        *error = written.reason;
    return written.succeeded;
}

QString BenchFolder::writeHousehold(
    const ProgramFolder& folder, int people, int entries, const QString& tag)
{
    QString error;
    IndividualList list = WeightFile::emptyIndividualList();
    for (int person = 0; person < people && error.isEmpty(); ++person) {
        WeightFile file;
        file.name = QStringLiteral("Person %1").arg(person, 5, 10, QChar(u'0'));
        file.beginningDate = StoredDate::longText(FirstDay);
        file.beginningWeight = QStringLiteral("200");
        file.goalWeight = QStringLiteral("150");
        file.comments = tag;
        for (int day = 0; day < 30; ++day)
            file.rows.append(WeighIn { StoredDate::longText(FirstDay.addDays(day)),
                QString::number((1800 + spread(person + day, 400)) / 10.0) });
        list.add(file.name);
        if (const Outcome saved = file.SaveWeightFile(folder); !saved && error.isEmpty())
            error = saved.reason;
    }
    if (error.isEmpty())
        error = WeightFile::WriteIndividualList(folder, list).reason;
    if (error.isEmpty() && entries > 0)
        writePasswordEntries(folder, entries, tag, &error);
    return error;
}
