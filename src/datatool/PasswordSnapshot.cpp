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
    m_form = storage->textForm();

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
    return PasswordRecord::fromEntries(m_entries, recordNumber, m_form);
}

PasswordEntry PasswordSnapshot::entry(const QString& indexItem) const
{
    const IndexItem item(indexItem);
    const PasswordRecord stored = record(item.recordNumber());
    return PasswordEntry { item.name(), stored.UnscrambleField(PasswordRecord::SignOn),
        stored.UnscrambleField(PasswordRecord::Password),
        stored.UnscrambleField(PasswordRecord::Comment) };
}
