#pragma once

#include "SecretBytes.h"
#include "VaultContents.h"
#include "VaultParameters.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The vault file's layout. A plain header says what the file is and how to
// open it; the keeper's two files follow, encrypted and authenticated
// together with the header; a checksum of everything closes the file so that
// damage is told from a wrong password, and can be found without one.
//
//   magic "HALVAULT", format version (2 bytes), reserved (2), key stretching
//   algorithm (4), passes (8), memory (8), salt (16), nonce (24),
//   key check (32), sealed length (8) | sealed contents | checksum (32)
//
// Numbers are little-endian. The contents are the index's length (4 bytes)
// and bytes, then the entries' bytes, sealed with XChaCha20-Poly1305. Argon2id
// stretches the master password into a key, and two keys are derived from it
// under labels of their own: one seals, the other keys the key check (a
// hash), so a wrong password is known as such.
//
// Version 2 holds the two files in the Unicode form (KeeperConversion), so
// any text. Version 1 held them in the classic form and used the stretched
// key for both the seal and the check; it still opens, its contents given
// in the Unicode form, and the next seal writes version 2.
class PasswordVault
{
public:
    static inline const QString FileName = QStringLiteral("Secvault.vlt");
    static constexpr quint16 FormatVersion = 2;

    enum class Problem {
        None,
        // Not a vault at all, or cut short before its header ends.
        NotAVault,
        // Written by a newer program, in a format this one cannot read.
        NewerVersion,
        // The checksum, the lengths or the seal do not hold.
        Damaged,
        WrongPassword,
    };

    // A key stretched from a master password, with the salt and figures it
    // was stretched with; a vault is sealed and reopened under it.
    struct Key {
        SecretBytes bytes;
        QByteArray salt;
        VaultParameters parameters;
    };

    // Stretches password with a new random salt. Nothing when the machine
    // lacks the memory the figures ask for.
    static std::optional<Key> makeKey(const QByteArray& password, VaultParameters parameters);

    // The file's bytes holding contents (in the Unicode form), under a new
    // nonce, in the current format.
    static QByteArray seal(const VaultContents& contents, const Key& key);

    struct Opened {
        Problem problem = Problem::None;
        // What was wrong, for a damaged vault.
        QString detail;
        // The format the file was written in.
        quint16 version = 0;
        // Set when the vault opened: its contents and the key, kept to seal
        // the next version of the vault without stretching again.
        std::optional<VaultContents> contents;
        std::optional<Key> key;
    };
    static Opened open(const QByteArray& file, const QByteArray& password);

    // Opens with a key already stretched (the unlocked keeper's); the key
    // must have been made from this vault's salt and figures.
    static Opened open(const QByteArray& file, const Key& key);

    // What can be checked without the password: the header and the checksum.
    struct Inspection {
        Problem problem = Problem::None;
        QString detail;
        quint16 version = 0;
        VaultParameters parameters;
    };
    static Inspection inspect(const QByteArray& file);

    // The words the user is shown for a problem.
    static QString message(Problem problem, const QString& detail = {});

private:
    // Opens a file inspect() found sound, once: its checksum runs over the
    // whole vault.
    static Opened unseal(const QByteArray& file, const Inspection& inspection, const Key& key);
};
