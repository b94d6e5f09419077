#include "ClassicPasswordStorage.h"

#include "PasswordFiles.h"

#include "backup/DiskFileOperations.h"
#include "backup/FileSetTransaction.h"
#include "storage/FileReading.h"
#include "storage/FileWriting.h"
#include "storage/RecordFile.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Run before each rewrite: a rewrite keeps the permissions of the file it
// replaces, so a missing file is created empty with owner-only permissions
// first, and one restored or copied in with wider permissions is narrowed.
// Best effort: where it fails, the rewrite that follows reports the reason.
void keepOwnerOnly(const QString& path)
{
    QFile file(path);
    if (file.exists())
        file.setPermissions(OwnerOnly);
    else
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly, OwnerOnly);
}

} // namespace

ClassicPasswordStorage::ClassicPasswordStorage(ProgramFolder folder, BackupFileOperations* files)
    : m_folder(std::move(folder))
    , m_files(files)
{ }

QString ClassicPasswordStorage::fileName(Part part)
{
    return part == Part::Index ? PasswordFiles::IndexFileName : PasswordFiles::EntriesFileName;
}

QString ClassicPasswordStorage::filePath(Part part) const
{
    return m_folder.filePath(fileName(part));
}

bool ClassicPasswordStorage::exists(Part part) const
{
    return QFileInfo::exists(filePath(part));
}

std::optional<QByteArray> ClassicPasswordStorage::read(Part part, QString& error) const
{
    if (!exists(part))
        return QByteArray();
    return FileReading::readAll(filePath(part), error);
}

// Reading never creates the entries file: a missing one holds only records
// never written.
std::optional<PasswordRecord> ClassicPasswordStorage::readRecord(int recordNumber) const
{
    if (recordNumber < 1)
        return std::nullopt;
    if (!exists(Part::Entries))
        return PasswordRecord();
    RecordFile file(filePath(Part::Entries), PasswordRecord::Length);
    PasswordRecord record;
    if (!file.readStructure(recordNumber, record.structure()))
        return std::nullopt;
    return record;
}

Outcome ClassicPasswordStorage::write(Part part, const QByteArray& bytes)
{
    const QString path = filePath(part);
    keepOwnerOnly(path);
    return FileWriting::replaceFile(path, bytes, OwnerOnly);
}

Outcome ClassicPasswordStorage::writeBoth(const QByteArray& index, const QByteArray& entries)
{
    DiskFileOperations disk;
    BackupFileOperations& files = m_files ? *m_files : disk;
    // A run cut short earlier is settled when the folder is opened; staging
    // over it could mix its files with these.
    if (FileSetTransaction::hasUnfinishedRun(m_folder.path()))
        return Outcome::refused(QStringLiteral(
            "The Password Files could not be saved: an interrupted backup, restore or import "
            "in the folder must be finished first. Close the program and start it again."));
    FileSetTransaction transaction(m_folder.path(), files);
    Outcome outcome = transaction.prepare();
    for (const auto& [part, bytes] :
        { std::pair { Part::Index, &index }, std::pair { Part::Entries, &entries } }) {
        if (!outcome)
            break;
        // The name the folder already uses, in its letter case.
        const QString name = QFileInfo(filePath(part)).fileName();
        outcome = transaction.stageBytes(
            name, *bytes, exists(part) ? QStringList { name } : QStringList {}, OwnerOnly);
    }
    if (outcome)
        outcome = transaction.commit();
    else
        transaction.discard();
    if (!outcome)
        return Outcome::failed(
            QStringLiteral("The Password Files could not be saved: %1").arg(outcome.reason));
    return Outcome::success();
}
