#include "PasswordSnapshot.h"

#include "passwords/ClassicPasswordStorage.h"
#include "passwords/IndexItem.h"
#include "passwords/PasswordFiles.h"
#include "passwords/SecretBytes.h"
#include "storage/TextRecordFile.h"

#include <QFile>
#include <QFileInfo>

Outcome PasswordSnapshot::fail(const QString& fileName, const QString& reason)
{
    m_failedFile = fileName;
    m_failureReason = reason;
    return Outcome::failed(QStringLiteral("%1: %2").arg(fileName, reason));
}

PasswordSnapshot::~PasswordSnapshot()
{
    SecretBytes::wipe(m_entries);
}

Outcome PasswordSnapshot::load(const ProgramFolder& folder)
{
    return load(folder, std::make_shared<ClassicPasswordStorage>(folder));
}

Outcome PasswordSnapshot::load(
    const ProgramFolder& folder, const std::shared_ptr<PasswordStorage>& storage)
{
    using Part = PasswordStorage::Part;
    m_items.clear();
    SecretBytes::wipe(m_entries);
    m_failedFile.clear();
    m_failureReason.clear();
    auto storedName = [&folder](Part part) {
        return QFileInfo(folder.filePath(ClassicPasswordStorage::fileName(part))).fileName();
    };

    // LoadIndex gives an empty list for an unreadable index; here that must
    // be told apart from an empty one.
    QString reason;
    if (storage->exists(Part::Index) && !storage->read(Part::Index, reason))
        return fail(storedName(Part::Index), reason);
    m_items = PasswordFiles(folder, storage).LoadIndex();

    m_entriesExist = storage->exists(Part::Entries);
    if (m_entriesExist) {
        std::optional<QByteArray> entries = storage->read(Part::Entries, reason);
        if (!entries)
            return fail(storedName(Part::Entries), reason);
        m_entries = std::move(*entries);
    }
    return Outcome::success();
}

PasswordRecord PasswordSnapshot::record(int recordNumber) const
{
    PasswordRecord record;
    if (recordNumber < 1)
        return record;
    const qint64 start = qint64(recordNumber - 1) * PasswordRecord::Length;
    // As the keeper reads it: a record of which not even two bytes are
    // stored is empty, whatever its one byte holds.
    if (start + 2 <= m_entries.size())
        record.structure().decode(QByteArrayView(m_entries).sliced(start).first(
            qMin<qint64>(PasswordRecord::Length, m_entries.size() - start)));
    return record;
}

PasswordEntry PasswordSnapshot::entry(const QString& indexItem) const
{
    const IndexItem item(indexItem);
    const PasswordRecord stored = record(item.recordNumber());
    return PasswordEntry { item.name(), stored.UnscrambleField(PasswordRecord::SignOn),
        stored.UnscrambleField(PasswordRecord::Password),
        stored.UnscrambleField(PasswordRecord::Comment) };
}
