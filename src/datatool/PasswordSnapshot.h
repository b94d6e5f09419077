#pragma once

#include "passwords/PasswordEntry.h"
#include "passwords/PasswordRecord.h"
#include "passwords/PasswordStorage.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// The password keeper's two files read once, without touching them.
// PasswordFiles opens Secfile2.fil for reading and writing, which creates it
// when it is missing and fails in a read-only folder (a restored backup, a
// mounted copy); an export or a check must neither change the folder nor
// depend on being allowed to.
class PasswordSnapshot
{
public:
    PasswordSnapshot() = default;
    // The entries' bytes are wiped: a protected keeper's are decrypted.
    ~PasswordSnapshot();
    PasswordSnapshot(const PasswordSnapshot&) = delete;
    PasswordSnapshot& operator=(const PasswordSnapshot&) = delete;

    // Fails, with the file and the reason, when a file exists but cannot be
    // read.
    Outcome load(const ProgramFolder& folder);
    // The same from where storage keeps them (a protected keeper's vault).
    Outcome load(const ProgramFolder& folder, const std::shared_ptr<PasswordStorage>& storage);
    // After a failed load: the file that could not be read, and why.
    const QString& failedFile() const { return m_failedFile; }
    const QString& failureReason() const { return m_failureReason; }

    // The index items in the keeper's list order.
    const QStringList& items() const { return m_items; }

    bool entriesFileExists() const { return m_entriesExist; }
    qint64 entriesFileSize() const { return m_entries.size(); }
    // Records wholly stored in the entries file.
    int storedRecordCount() const { return int(m_entries.size() / recordLength()); }
    // The length of one record in the form the keeper's texts take.
    int recordLength() const { return PasswordRecord::lengthOf(m_form); }

    // Record n as PasswordFiles reads it: bytes past the end read as zero.
    PasswordRecord record(int recordNumber) const;

    // The entry an index item names, its fields unscrambled.
    PasswordEntry entry(const QString& indexItem) const;

private:
    Outcome fail(const QString& fileName, const QString& reason);

    QStringList m_items;
    QString m_failedFile;
    QString m_failureReason;
    QByteArray m_entries;
    bool m_entriesExist = false;
    KeeperText::Form m_form = KeeperText::Form::Classic;
};
