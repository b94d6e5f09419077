#include "VaultPasswordStorage.h"

#include <utility>

VaultPasswordStorage::VaultPasswordStorage(
    ProgramFolder folder, PasswordVault::Key key, VaultContents contents)
    : m_file(std::move(folder))
    , m_key(std::move(key))
    , m_contents(std::move(contents))
{ }

const SecretBytes& VaultPasswordStorage::bytesOf(Part part) const
{
    return part == Part::Index ? m_contents.index : m_contents.entries;
}

// The vault holds no record of whether a part was written empty; an empty
// part reads as a file never written, which every reader takes alike.
bool VaultPasswordStorage::exists(Part part) const
{
    return !bytesOf(part).isEmpty();
}

std::optional<QByteArray> VaultPasswordStorage::read(Part part, QString&) const
{
    // A deep copy: the caller's array must outlive a later change here.
    return QByteArray(bytesOf(part).view());
}

// As the classic file reads: a record of which not even two bytes are
// stored is empty.
std::optional<PasswordRecord> VaultPasswordStorage::readRecord(int recordNumber) const
{
    if (recordNumber < 1)
        return std::nullopt;
    return PasswordRecord::fromEntries(m_contents.entries.view(), recordNumber, textForm());
}

Outcome VaultPasswordStorage::write(Part part, const QByteArray& bytes)
{
    VaultContents next;
    next.index = part == Part::Index ? SecretBytes::copyOf(bytes)
                                     : SecretBytes::copyOf(m_contents.index.view());
    next.entries = part == Part::Entries ? SecretBytes::copyOf(bytes)
                                         : SecretBytes::copyOf(m_contents.entries.view());
    return seal(std::move(next));
}

Outcome VaultPasswordStorage::writeBoth(const QByteArray& index, const QByteArray& entries)
{
    VaultContents next;
    next.index = SecretBytes::copyOf(index);
    next.entries = SecretBytes::copyOf(entries);
    return seal(std::move(next));
}

Outcome VaultPasswordStorage::seal(VaultContents next)
{
    if (Outcome written = m_file.write(PasswordVault::seal(next, m_key)); !written)
        return written;
    m_contents = std::move(next);
    return Outcome::success();
}
