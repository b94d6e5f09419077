#include "FolderChecker.h"

#include "LogValueRules.h"
#include "PasswordSnapshot.h"
#include "backup/FileSetTransaction.h"
#include "bloodpressure/BloodPressureFile.h"
#include "passwords/IndexItem.h"
#include "passwords/KeeperLeftovers.h"
#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordVault.h"
#include "passwords/VaultFile.h"
#include "storage/LeftoverFiles.h"
#include "storage/NumberText.h"
#include "storage/RecordFile.h"
#include "storage/TextRecordFile.h"
#include "trackers/IndividualDataFile.h"
#include "trackers/IndividualName.h"
#include "weight/WeightFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <algorithm>

namespace {

QString quoted(const QString& text)
{
    return QStringLiteral("\"%1\"").arg(text);
}

// The name of an existing file as it is spelled in the folder.
QString storedName(const ProgramFolder& folder, const QString& bareName)
{
    return QFileInfo(folder.filePath(bareName)).fileName();
}

} // namespace

const QStringList& FolderChecker::programFileNames()
{
    static const QStringList names { WeightFile::ListFileName, BloodPressureFile::ListFileName,
        PasswordFiles::IndexFileName, PasswordFiles::EntriesFileName, PasswordVault::FileName,
        QStringLiteral("GColor1.Fil"), QStringLiteral("GColor3.Fil"), QStringLiteral("GColor4.Fil"),
        QStringLiteral("GColor14.Fil"), QStringLiteral("GZORQ1.Fil"),
        QStringLiteral("ZORQNAME.FIL"), QStringLiteral("Temp.Fil") };
    return names;
}

QList<FolderChecker::Problem> FolderChecker::check(const ProgramFolder& folder)
{
    QList<Problem> problems;
    if (FileSetTransaction::hasUnfinishedRun(folder.path()))
        problems.append({ FileSetTransaction::JournalFileName,
            QStringLiteral("a backup or restore was interrupted and is not yet finished or "
                           "undone; any halvorn-data command that can lock the folder, or "
                           "Halvorn at its next start, settles it") });
    for (const LeftoverFiles::Leftover& leftover : LeftoverFiles::find(folder.path()))
        problems.append({ leftover.name,
            QStringLiteral("%1 left by a run that was cut short; any halvorn-data command that "
                           "can lock the folder, or Halvorn at its next start, removes it")
                .arg(leftover.what) });
    checkTracker(folder, Tracker::Weight, problems);
    checkTracker(folder, Tracker::BloodPressure, problems);
    checkPasswords(folder, problems);
    for (const QString& leftover : KeeperLeftovers::find(folder))
        problems.append({ leftover,
            QStringLiteral("a save of the Password Keeper was cut short and left this copy of "
                           "it, passwords included; Halvorn at its next start, or any "
                           "halvorn-data command that locks the folder, deletes it") });
    checkSettings(folder, problems);
    return problems;
}

bool FolderChecker::hasDamage(const QList<Problem>& problems)
{
    return std::any_of(problems.cbegin(), problems.cend(),
        [](const Problem& problem) { return problem.isDamage(); });
}

namespace {

QList<BackupFileSet::Damage> damageOnly(const QList<FolderChecker::Problem>& problems)
{
    QList<BackupFileSet::Damage> damage;
    for (const FolderChecker::Problem& problem : problems) {
        if (problem.isDamage())
            damage.append({ problem.file, problem.message });
    }
    return damage;
}

} // namespace

QList<BackupFileSet::Damage> FolderChecker::damageInTrackerCopy(
    const ProgramFolder& copy, const BackupFileSet& set, Tracker tracker)
{
    QList<Problem> problems = checkListFile(copy, tracker);
    if (problems.isEmpty()) {
        IndividualList list(set.listFiles.liveName, set.dataExtension);
        // The list file passed its check, so it reads.
        (void)list.load(copy);
        for (const QString& name : list.names()) {
            if (set.refusalOfListedName(name).isEmpty() && copy.exists(list.dataFileName(name)))
                problems += checkDataFile(copy, tracker, name);
        }
    }
    return damageOnly(problems);
}

QList<BackupFileSet::Damage> FolderChecker::damageInPasswordCopy(const ProgramFolder& copy)
{
    return damageOnly(checkPasswordFiles(copy));
}

void FolderChecker::checkTracker(
    const ProgramFolder& folder, Tracker tracker, QList<Problem>& problems)
{
    const bool weight = tracker == Tracker::Weight;
    const QString listFile = weight ? WeightFile::ListFileName : BloodPressureFile::ListFileName;
    const QString extension = weight ? WeightFile::Extension : BloodPressureFile::Extension;

    // Checked here first: the list's own error names the file, and the
    // check's messages name it once.
    IndividualList list
        = weight ? WeightFile::emptyIndividualList() : BloodPressureFile::emptyIndividualList();
    const QList<Problem> listProblems = checkListFile(folder, tracker);
    problems.append(listProblems);
    if (listProblems.isEmpty())
        (void)list.load(folder);
    for (const auto& [first, second] : list.namesDifferingOnlyInCase())
        problems.append({ storedName(folder, listFile),
            QStringLiteral("lists %1 and %2, which differ only in letter case and share one file "
                           "on a disk that does not tell case apart")
                .arg(quoted(first), quoted(second)) });

    for (const QString& name : list.names()) {
        if (const QString refusal = IndividualName::pathRefusal(name); !refusal.isEmpty()) {
            problems.append({ storedName(folder, listFile),
                QStringLiteral("lists %1, which cannot name a file: %2")
                    .arg(quoted(name), refusal) });
            continue;
        }
        const QString dataFile = list.dataFileName(name);
        if (!folder.exists(dataFile)) {
            problems.append({ storedName(folder, listFile),
                QStringLiteral("lists %1 but %2 is missing").arg(quoted(name), dataFile) });
            continue;
        }
        problems.append(checkDataFile(folder, tracker, name));
    }

    const QStringList entries = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    for (const QString& entry : entries) {
        if (!entry.endsWith(extension, Qt::CaseInsensitive)
            || programFileNames().contains(entry, Qt::CaseInsensitive))
            continue;
        const QString name = entry.chopped(extension.size());
        if (!list.contains(name))
            problems.append({ entry, QStringLiteral("has no entry in %1").arg(listFile) });
    }
}

QList<FolderChecker::Problem> FolderChecker::checkListFile(
    const ProgramFolder& folder, Tracker tracker)
{
    const QString listFile
        = tracker == Tracker::Weight ? WeightFile::ListFileName : BloodPressureFile::ListFileName;
    if (!folder.exists(listFile))
        return {};
    const QString file = storedName(folder, listFile);
    QFile list(folder.filePath(listFile));
    if (!QFileInfo(list).isFile() || !list.open(QIODevice::ReadOnly))
        return { { file,
            QStringLiteral("cannot be read: %1")
                .arg(QFileInfo(list).isFile() ? list.errorString()
                                              : QStringLiteral("it is not a regular file")) } };
    const QByteArray bytes = list.readAll();
    // The program writes each name as "name" and a line break.
    qsizetype line = 1;
    for (qsizetype at = 0; at < bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            return { { file,
                QStringLiteral("ends part-way through line %1; the list was cut short")
                    .arg(line) } };
        const QByteArray text
            = bytes.sliced(at, end - at).chopped(end > at && bytes.at(end - 1) == '\r' ? 1 : 0);
        if (!text.isEmpty() && (text.size() < 2 || !text.startsWith('"') || !text.endsWith('"')))
            return { { file, QStringLiteral("line %1 is not a quoted name").arg(line) } };
        at = end + 1;
    }
    return {};
}

QList<FolderChecker::Problem> FolderChecker::checkPasswordFiles(const ProgramFolder& folder)
{
    QList<Problem> problems;
    checkPasswords(folder, problems);
    return problems;
}

QList<FolderChecker::Problem> FolderChecker::checkDataFile(
    const ProgramFolder& folder, Tracker tracker, const QString& name)
{
    const bool weight = tracker == Tracker::Weight;
    const QString extension = weight ? WeightFile::Extension : BloodPressureFile::Extension;
    // Lines before the first row, and lines per row.
    const int headerLines = weight ? 1 + WeightFile::HeaderFieldCount + 3 : 1;
    const int linesPerRow = weight ? 2 : 5;

    QList<Problem> problems;
    const QString dataFile = IndividualName::dataFileName(name, extension);
    const QString file = storedName(folder, dataFile);
    QStringList values;
    QString reason;
    if (!TextRecordFile::readAllValues(folder.filePath(dataFile), values, &reason)) {
        problems.append({ file, QStringLiteral("cannot be read: %1").arg(reason) });
        return problems;
    }
    if (values.size() < headerLines) {
        problems.append({ file,
            QStringLiteral("ends after %1 of its %2 header lines")
                .arg(values.size())
                .arg(headerLines) });
        return problems;
    }

    const QString countText = values.at(0).trimmed();
    const std::optional<double> count = NumberText::toNumber(countText);
    const bool countUsable = count && *count >= 1 && *count <= IndividualDataFile::MaximumRowCount;
    if (!countUsable)
        problems.append({ file,
            QStringLiteral("the row count %1 is not a number from 1 to %2")
                .arg(quoted(countText))
                .arg(IndividualDataFile::MaximumRowCount) });
    const qsizetype stored = values.size() - headerLines;
    if (const qsizetype partial = stored % linesPerRow; partial != 0) {
        problems.append({ file,
            QStringLiteral("ends part-way through row %1: %2 of its %3 lines are stored")
                .arg(stored / linesPerRow + 1)
                .arg(partial)
                .arg(linesPerRow) });
    } else if (countUsable) {
        const int rows = IndividualDataFile::rowCountFromText(countText) - 1;
        // A new individual's file holds the header alone; every later save
        // writes every row of the grid.
        if (stored != 0 && stored != qsizetype(rows) * linesPerRow)
            problems.append({ file,
                QStringLiteral("the row count %1 means %2 rows of %3 lines, but %4 lines "
                               "follow the header")
                    .arg(countText)
                    .arg(rows)
                    .arg(linesPerRow)
                    .arg(stored) });
    }

    using Measurement = LogValueRules::Measurement;
    for (qsizetype at = headerLines, row = 1; at + linesPerRow <= values.size();
         at += linesPerRow, ++row) {
        auto report = [&](const QString& problem, Severity severity) {
            if (!problem.isEmpty())
                problems.append(
                    { file, QStringLiteral("row %1: %2").arg(row).arg(problem), severity });
        };
        auto cell = [&](int column) { return values.at(at + column).trimmed(); };
        // Dates come from the calendar only.
        if (!cell(0).isEmpty())
            report(LogValueRules::dateProblem(cell(0)), Severity::Damage);
        if (weight) {
            // The weight is typed: text that is not a number is the user's
            // own and only gives no figures.
            if (!cell(1).isEmpty())
                report(LogValueRules::weightProblem(cell(1)), Severity::Note);
            continue;
        }
        // The time column is the one the user may type into freely, so any
        // text there is the user's own; the measurements come from pick
        // lists.
        const Measurement measurements[]
            = { Measurement::Systolic, Measurement::Diastolic, Measurement::Pulse };
        for (int m = 0; m < 3; ++m) {
            if (!cell(2 + m).isEmpty())
                report(LogValueRules::measurementProblem(measurements[m], cell(2 + m)),
                    Severity::Damage);
        }
    }
    return problems;
}

void FolderChecker::checkPasswords(const ProgramFolder& folder, QList<Problem>& problems)
{
    if (KeeperProtection::isProtected(folder)) {
        checkVault(folder, problems);
        return;
    }
    PasswordSnapshot snapshot;
    if (!snapshot.load(folder).succeeded) {
        problems.append({ snapshot.failedFile(),
            QStringLiteral("cannot be read: %1").arg(snapshot.failureReason()) });
        return;
    }
    const QString indexFile = storedName(folder, PasswordFiles::IndexFileName);
    const QString entriesFile = storedName(folder, PasswordFiles::EntriesFileName);
    if (!snapshot.items().isEmpty() && !snapshot.entriesFileExists())
        problems.append({ entriesFile,
            QStringLiteral("is missing, but %1 lists %2 entries")
                .arg(indexFile)
                .arg(snapshot.items().size()) });
    if (snapshot.entriesFileSize() % snapshot.recordLength() != 0)
        problems.append({ entriesFile,
            QStringLiteral("ends inside record %1: %2 bytes is not a whole number of %3-byte "
                           "records")
                .arg(snapshot.storedRecordCount() + 1)
                .arg(snapshot.entriesFileSize())
                .arg(snapshot.recordLength()) });

    QHash<int, QString> pointedAt;
    for (const QString& text : snapshot.items()) {
        const IndexItem item(text);
        const int record = item.recordNumber();
        const QString name = quoted(item.name());
        if (text.size() <= IndexItem::PaddedNameWidth || record < 1
            || record > PasswordFiles::MaximumRecords) {
            problems.append(
                { indexFile, QStringLiteral("the item for %1 holds no record number").arg(name) });
            continue;
        }
        if (pointedAt.contains(record)) {
            problems.append({ indexFile,
                QStringLiteral("the items for %1 and %2 both point at record %3")
                    .arg(pointedAt.value(record), name)
                    .arg(record) });
            continue;
        }
        pointedAt.insert(record, name);
        if (!snapshot.record(record).isInUse())
            problems.append({ indexFile,
                QStringLiteral("the item for %1 points at record %2, which is free")
                    .arg(name)
                    .arg(record) });
    }

    const QString inUse = QStringLiteral("Full ");
    const QString deleted(PasswordRecord::StatusWidth, u' ');
    const QString neverWritten(PasswordRecord::StatusWidth, QChar(0));
    for (int record = 1; record <= snapshot.storedRecordCount(); ++record) {
        const PasswordRecord stored = snapshot.record(record);
        const QString status = stored.structure().field(PasswordRecord::Status);
        if (status != inUse && status != deleted && status != neverWritten)
            problems.append({ entriesFile,
                QStringLiteral("record %1 has the status mark %2, neither \"Full\" nor blanks")
                    .arg(record)
                    .arg(quoted(status)) });
        else if (stored.isInUse() && !pointedAt.contains(record))
            problems.append({ entriesFile,
                QStringLiteral("record %1 is in use, but no item of %2 points at it")
                    .arg(record)
                    .arg(indexFile) });
    }
}

void FolderChecker::checkSettings(const ProgramFolder& folder, QList<Problem>& problems)
{
    enum class Kind { Text, Tagged };
    struct Record {
        int number;
        Kind kind;
    };
    struct SettingsFile {
        QString name;
        int recordLength;
        QList<Record> records;
    };
    // The records each settings file holds and their kinds; 16-bit integer
    // records cannot be bad and are left out.
    const QList<SettingsFile> files {
        { QStringLiteral("GColor1.Fil"), 20,
            { { 49, Kind::Text }, { 80, Kind::Text }, { 82, Kind::Text }, { 83, Kind::Text },
                { 84, Kind::Text }, { 85, Kind::Text }, { 87, Kind::Text } } },
        { QStringLiteral("GColor3.Fil"), 20,
            { { 26, Kind::Text }, { 35, Kind::Text }, { 80, Kind::Text }, { 85, Kind::Text },
                { 104, Kind::Text } } },
        { QStringLiteral("GColor4.Fil"), 40,
            { { 32, Kind::Tagged }, { 33, Kind::Tagged }, { 34, Kind::Text }, { 36, Kind::Tagged },
                { 37, Kind::Tagged } } },
        { QStringLiteral("GZORQ1.Fil"), 10, { { 3, Kind::Tagged } } },
        { QStringLiteral("ZORQNAME.FIL"), 40, { { 1, Kind::Text } } },
    };

    // RecordFile opens for writing too; a copy keeps the folder untouched
    // and lets a read-only folder be checked.
    QTemporaryDir scratch;
    for (const SettingsFile& settings : files) {
        if (!folder.exists(settings.name))
            continue;
        const QString file = storedName(folder, settings.name);
        const QString copy = scratch.filePath(settings.name);
        QFile original(folder.filePath(settings.name));
        if (!scratch.isValid() || !original.copy(copy)) {
            problems.append({ file,
                QStringLiteral("cannot be read: %1")
                    .arg(scratch.isValid() ? original.errorString() : scratch.errorString()) });
            continue;
        }
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        RecordFile records(copy, settings.recordLength);
        for (const Record& record : settings.records) {
            bool read = false;
            if (record.kind == Kind::Text) {
                QString text;
                read = records.readText(record.number, text);
            } else {
                TaggedValue value;
                read = records.readTagged(record.number, value);
            }
            if (!read)
                problems.append({ file,
                    QStringLiteral("record %1 is bad: its length or type code is out of range")
                        .arg(record.number) });
        }
        records.close();
    }

    const QString pictureFolderFile = QStringLiteral("GColor14.Fil");
    if (folder.exists(pictureFolderFile)) {
        TextRecordFile file;
        if (!file.openForReading(folder.filePath(pictureFolderFile)))
            problems.append({ storedName(folder, pictureFolderFile),
                QStringLiteral("cannot be read: %1").arg(file.errorString()) });
        file.close();
    }
}

// Without the master password only the vault's header and checksum can be
// checked; what it holds is checked when the keeper is unlocked.
void FolderChecker::checkVault(const ProgramFolder& folder, QList<Problem>& problems)
{
    const QString vaultFile = storedName(folder, PasswordVault::FileName);
    QString error;
    const std::optional<QByteArray> bytes = VaultFile(folder).read(error);
    if (!bytes) {
        problems.append({ vaultFile, QStringLiteral("cannot be read: %1").arg(error) });
        return;
    }
    const PasswordVault::Inspection inspection = PasswordVault::inspect(*bytes);
    switch (inspection.problem) {
    case PasswordVault::Problem::None:
    case PasswordVault::Problem::WrongPassword:
        problems.append({ vaultFile,
            QStringLiteral("the protected keeper's header and checksum are sound; its entries "
                           "need the master password to be checked"),
            Severity::Note });
        break;
    case PasswordVault::Problem::NewerVersion:
        problems.append({ vaultFile,
            QStringLiteral("was written by a newer version of Halvorn (format %1) and cannot be "
                           "checked here")
                .arg(inspection.version),
            Severity::Note });
        break;
    case PasswordVault::Problem::NotAVault:
        problems.append({ vaultFile, QStringLiteral("is not a protected keeper") });
        break;
    case PasswordVault::Problem::Damaged:
        problems.append({ vaultFile, QStringLiteral("is damaged: %1").arg(inspection.detail) });
        break;
    }
    for (const QString& name : { PasswordFiles::IndexFileName, PasswordFiles::EntriesFileName }) {
        if (folder.exists(name))
            problems.append({ storedName(folder, name),
                QStringLiteral("lies beside the protected keeper, unprotected; unlocking the "
                               "keeper removes it when it holds what the vault holds"),
                Severity::Note });
    }
}
