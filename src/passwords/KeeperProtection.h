#pragma once

#include "PasswordVault.h"
#include "VaultPasswordStorage.h"
#include "services/Outcome.h"
#include "storage/ProgramFolder.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// Turns the keeper's protection on and off, changes the master password and
// unlocks a protected keeper. Each change keeps a complete copy of the
// keeper on disk at every moment: protecting removes the classic files only
// once the vault has been written, read back and found to hold their exact
// bytes, and removing protection deletes the vault only once the classic
// files have been written back and read back the same way. A crash part-way
// leaves the classic files beside the vault; unlocking removes them when
// they hold what the vault holds, and leaves any that differ for the user.
class KeeperProtection
{
public:
    // The moments at which a change can be cut short, in order.
    enum class Step {
        VaultWritten,
        VaultVerified,
        IndexRemoved,
        EntriesRemoved,
        IndexWritten,
        EntriesWritten,
        ClassicVerified,
        VaultRemoved,
    };

    explicit KeeperProtection(
        ProgramFolder folder, VaultParameters parameters = VaultParameters::standard());

    // Whether the folder's keeper is protected: its vault exists.
    static bool isProtected(const ProgramFolder& folder);
    // Whether the folder has no keeper files at all yet.
    static bool isEmptyKeeper(const ProgramFolder& folder);

    Outcome protect(const QByteArray& masterPassword);
    Outcome unprotect(const QByteArray& masterPassword);
    Outcome changeMasterPassword(const QByteArray& oldPassword, const QByteArray& newPassword);

    struct Unlocked {
        Outcome outcome = Outcome::success();
        PasswordVault::Problem problem = PasswordVault::Problem::None;
        std::shared_ptr<VaultPasswordStorage> storage;
        // Classic files left beside the vault that differ from it.
        QStringList strayFiles;
    };
    Unlocked unlock(const QByteArray& masterPassword);

    // For tests: the change stops after this step, as a crash there would.
    void stopAfter(std::optional<Step> step) { m_stopAfter = step; }

private:
    // Reads and opens the vault with the password.
    PasswordVault::Opened openVault(const QByteArray& masterPassword, Outcome& failure) const;
    // Removes the classic files that hold exactly what contents holds.
    QStringList settleLeftovers(const VaultContents& contents, bool& stopped);
    bool stops(Step step) const { return m_stopAfter == step; }

    ProgramFolder m_folder;
    VaultParameters m_parameters;
    std::optional<Step> m_stopAfter;
};
