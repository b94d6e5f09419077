#pragma once

#include "CoreDumpGuard.h"
#include "PasswordStorage.h"
#include "PasswordVault.h"
#include "VaultFile.h"

// The keeper's two files inside an unlocked vault: read from memory, and
// every change sealed into a new version of the whole vault under the key
// stretched at unlocking. Destroying it wipes the key and the contents.
class VaultPasswordStorage : public PasswordStorage
{
public:
    VaultPasswordStorage(ProgramFolder folder, PasswordVault::Key key, VaultContents contents);

    bool exists(Part part) const override;
    std::optional<QByteArray> read(Part part, QString& error) const override;
    std::optional<PasswordRecord> readRecord(int recordNumber) const override;
    Outcome write(Part part, const QByteArray& bytes) override;
    // One seal of the vault for both.
    Outcome writeBoth(const QByteArray& index, const QByteArray& entries) override;
    // An unlocked vault's contents are always in the Unicode form: a vault
    // of the earlier format is converted when it opens.
    KeeperText::Form textForm() const override { return KeeperText::Form::Unicode; }

    const VaultContents& contents() const { return m_contents; }
    const PasswordVault::Key& key() const { return m_key; }

private:
    const SecretBytes& bytesOf(Part part) const;
    Outcome seal(VaultContents next);

    // No core dump while the decrypted files and the key are in memory.
    CoreDumpGuard m_noCoreDumps;
    VaultFile m_file;
    PasswordVault::Key m_key;
    VaultContents m_contents;
};
