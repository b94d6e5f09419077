#include "KeeperProtection.h"

#include "ClassicPasswordStorage.h"
#include "KeeperConversion.h"
#include "PasswordFiles.h"
#include "VaultFile.h"

#include <QFile>

#include <tuple>
#include <utility>

namespace {

using Part = PasswordStorage::Part;
using Problem = PasswordVault::Problem;

const Outcome Interrupted = Outcome::refused(QStringLiteral("Interrupted."));

std::optional<SecretBytes> readClassic(
    const ClassicPasswordStorage& classic, Part part, Outcome& failure)
{
    QString error;
    std::optional<QByteArray> bytes = classic.read(part, error);
    if (!bytes) {
        failure = Outcome::failure(ClassicPasswordStorage::fileName(part), error);
        return std::nullopt;
    }
    SecretBytes secret = SecretBytes::copyOf(*bytes);
    SecretBytes::wipe(*bytes);
    return secret;
}

bool holds(const ClassicPasswordStorage& classic, Part part, const SecretBytes& expected)
{
    if (!classic.exists(part))
        return expected.isEmpty();
    QString error;
    std::optional<QByteArray> bytes = classic.read(part, error);
    const bool same = bytes && SecretBytes::copyOf(*bytes) == expected;
    if (bytes)
        SecretBytes::wipe(*bytes);
    return same;
}

// Whether the classic file holds what the vault's Unicode contents hold, read
// in the Unicode form: a copy left by protecting or by removing protection.
bool holdsInUnicode(const ClassicPasswordStorage& classic, Part part, const SecretBytes& expected)
{
    if (!classic.exists(part))
        return expected.isEmpty();
    Outcome failure = Outcome::success();
    std::optional<SecretBytes> bytes = readClassic(classic, part, failure);
    if (!bytes)
        return false;
    VaultContents stored;
    (part == Part::Index ? stored.index : stored.entries) = std::move(*bytes);
    const VaultContents converted = KeeperConversion::toUnicode(stored);
    return (part == Part::Index ? converted.index : converted.entries) == expected;
}

Outcome removeClassic(const ClassicPasswordStorage& classic, Part part)
{
    QFile file(classic.filePath(part));
    if (!file.exists() || file.remove())
        return Outcome::success();
    return Outcome::failure(ClassicPasswordStorage::fileName(part), file.errorString());
}

} // namespace

KeeperProtection::KeeperProtection(ProgramFolder folder, VaultParameters parameters)
    : m_folder(std::move(folder))
    , m_parameters(parameters)
{ }

bool KeeperProtection::isProtected(const ProgramFolder& folder)
{
    return VaultFile(folder).exists();
}

bool KeeperProtection::isEmptyKeeper(const ProgramFolder& folder)
{
    const ClassicPasswordStorage classic(folder);
    return !isProtected(folder) && !classic.exists(Part::Index) && !classic.exists(Part::Entries);
}

Outcome KeeperProtection::protect(const QByteArray& masterPassword)
{
    const VaultFile vault(m_folder);
    if (vault.exists())
        return Outcome::refused(QStringLiteral("The Password Keeper is already protected."));
    if (masterPassword.isEmpty())
        return Outcome::refused(QStringLiteral("Please enter a master password."));
    const ClassicPasswordStorage classic(m_folder);
    Outcome failure = Outcome::success();
    std::optional<SecretBytes> index = readClassic(classic, Part::Index, failure);
    if (!index)
        return failure;
    std::optional<SecretBytes> entries = readClassic(classic, Part::Entries, failure);
    if (!entries)
        return failure;
    const VaultContents contents
        = KeeperConversion::toUnicode({ std::move(*index), std::move(*entries) });

    std::optional<PasswordVault::Key> key = PasswordVault::makeKey(masterPassword, m_parameters);
    if (!key)
        return Outcome::refused(
            QStringLiteral("The master password could not be turned into a key: this "
                           "computer has too little free memory. Nothing was changed."));
    if (Outcome written = vault.write(PasswordVault::seal(contents, *key)); !written)
        return written;
    if (stops(Step::VaultWritten))
        return Interrupted;

    // Read back and opened as the next unlocking will open it; only a vault
    // known to hold every byte may take the classic files' place.
    QString error;
    const std::optional<QByteArray> stored = vault.read(error);
    const PasswordVault::Opened reopened
        = stored ? PasswordVault::open(*stored, *key) : PasswordVault::Opened {};
    if (!reopened.contents || !(reopened.contents->index == contents.index)
        || !(reopened.contents->entries == contents.entries)) {
        std::ignore = vault.remove();
        return Outcome::failure(PasswordVault::FileName,
            QStringLiteral("it did not read back as written, so the keeper was left "
                           "unprotected"));
    }
    if (stops(Step::VaultVerified))
        return Interrupted;

    bool stopped = false;
    const QStringList stray = settleLeftovers(contents, stopped);
    if (stopped)
        return Interrupted;
    if (!stray.isEmpty())
        return Outcome::failure(stray.first(),
            QStringLiteral("the keeper is protected, but this unprotected copy could not be "
                           "deleted; delete it yourself"));
    return Outcome::success();
}

PasswordVault::Opened KeeperProtection::openVault(
    const QByteArray& masterPassword, Outcome& failure) const
{
    const VaultFile vault(m_folder);
    QString error;
    const std::optional<QByteArray> stored = vault.read(error);
    if (!stored) {
        failure = Outcome::failure(PasswordVault::FileName, error);
        PasswordVault::Opened opened;
        opened.problem = Problem::Damaged;
        opened.detail = error;
        return opened;
    }
    PasswordVault::Opened opened = PasswordVault::open(*stored, masterPassword);
    if (opened.problem != Problem::None)
        failure = Outcome::refused(PasswordVault::message(opened.problem, opened.detail));
    return opened;
}

Outcome KeeperProtection::unprotect(const QByteArray& masterPassword)
{
    Outcome failure = Outcome::success();
    PasswordVault::Opened opened = openVault(masterPassword, failure);
    if (!opened.contents)
        return failure;
    KeeperConversion::Classic converted = KeeperConversion::toClassic(*opened.contents);
    if (!converted.contents)
        return Outcome::refused(
            QStringLiteral("The protection was not removed: without it the Password Keeper "
                           "can hold only the characters of Windows-1252, and these entries "
                           "hold others: %1. Change them, then remove the protection.")
                .arg(converted.unheldEntries.join(QStringLiteral(", "))));
    const VaultContents& contents = *converted.contents;
    ClassicPasswordStorage classic(m_folder);
    // A failure part-way takes back what was written: the vault stays the
    // keeper, and no clear list of entry names is left beside it.
    auto undo = [&classic](Outcome failed) {
        std::ignore = removeClassic(classic, Part::Index);
        std::ignore = removeClassic(classic, Part::Entries);
        return failed;
    };
    const std::pair<Part, Step> parts[]
        = { { Part::Index, Step::IndexWritten }, { Part::Entries, Step::EntriesWritten } };
    for (const auto& [part, step] : parts) {
        const SecretBytes& bytes = part == Part::Index ? contents.index : contents.entries;
        // A part never written stays without a file, as before protection.
        if (!bytes.isEmpty()) {
            if (Outcome written = classic.write(part, bytes.view()); !written)
                return undo(written);
        }
        if (stops(step))
            return Interrupted;
    }
    if (!holds(classic, Part::Index, contents.index)
        || !holds(classic, Part::Entries, contents.entries))
        return undo(Outcome::failure(PasswordFiles::IndexFileName,
            QStringLiteral("the files did not read back as written, so the keeper stays "
                           "protected")));
    if (stops(Step::ClassicVerified))
        return Interrupted;
    if (Outcome removed = VaultFile(m_folder).remove(); !removed)
        return undo(removed);
    if (stops(Step::VaultRemoved))
        return Interrupted;
    return Outcome::success();
}

Outcome KeeperProtection::changeMasterPassword(
    const QByteArray& oldPassword, const QByteArray& newPassword)
{
    if (newPassword.isEmpty())
        return Outcome::refused(QStringLiteral("Please enter a new master password."));
    Outcome failure = Outcome::success();
    PasswordVault::Opened opened = openVault(oldPassword, failure);
    if (!opened.contents)
        return failure;
    std::optional<PasswordVault::Key> key = PasswordVault::makeKey(newPassword, m_parameters);
    if (!key)
        return Outcome::refused(
            QStringLiteral("The master password could not be turned into a key: this "
                           "computer has too little free memory. Nothing was changed."));
    return VaultFile(m_folder).write(PasswordVault::seal(*opened.contents, *key));
}

KeeperProtection::Unlocked KeeperProtection::unlock(const QByteArray& masterPassword)
{
    Unlocked unlocked;
    PasswordVault::Opened opened = openVault(masterPassword, unlocked.outcome);
    unlocked.problem = opened.problem;
    if (!opened.contents)
        return unlocked;
    bool stopped = false;
    unlocked.strayFiles = settleLeftovers(*opened.contents, stopped);
    unlocked.storage = std::make_shared<VaultPasswordStorage>(
        m_folder, std::move(*opened.key), std::move(*opened.contents));
    return unlocked;
}

QStringList KeeperProtection::settleLeftovers(const VaultContents& contents, bool& stopped)
{
    const ClassicPasswordStorage classic(m_folder);
    QStringList stray;
    const std::pair<Part, Step> parts[]
        = { { Part::Index, Step::IndexRemoved }, { Part::Entries, Step::EntriesRemoved } };
    for (const auto& [part, step] : parts) {
        if (classic.exists(part)) {
            const SecretBytes& bytes = part == Part::Index ? contents.index : contents.entries;
            if (!holdsInUnicode(classic, part, bytes) || !removeClassic(classic, part))
                stray.append(ClassicPasswordStorage::fileName(part));
        }
        if (stops(step)) {
            stopped = true;
            return stray;
        }
    }
    return stray;
}
