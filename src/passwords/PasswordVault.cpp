#include "PasswordVault.h"

#include "KeeperConversion.h"
#include "Sodium.h"

#include <QtEndian>

#include <sodium.h>

#include <cstring>

namespace {

const QByteArray Magic = QByteArrayLiteral("HALVAULT");
const QByteArray KeyCheckText = QByteArrayLiteral("Halvorn vault key check");
// The context of the keys derived from the stretched key (eight bytes).
const char KeyContext[crypto_kdf_CONTEXTBYTES] = { 'H', 'A', 'L', 'V', 'A', 'U', 'L', 'T' };
enum : quint64 { CheckKeyId = 1, CipherKeyId = 2 };

// The first format sealed with the stretched key itself and keyed the check
// with it too, and held the files in the classic form.
constexpr quint16 FirstFormat = 1;

constexpr qsizetype SaltLength = crypto_pwhash_SALTBYTES;
constexpr qsizetype NonceLength = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr qsizetype KeyLength = crypto_aead_xchacha20poly1305_ietf_KEYBYTES;
constexpr qsizetype TagLength = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr qsizetype CheckLength = 32;

// Where each field of the header starts.
constexpr qsizetype VersionAt = 8;
constexpr qsizetype AlgorithmAt = 12;
constexpr qsizetype PassesAt = 16;
constexpr qsizetype MemoryAt = 24;
constexpr qsizetype SaltAt = 32;
constexpr qsizetype NonceAt = SaltAt + SaltLength;
constexpr qsizetype KeyCheckAt = NonceAt + NonceLength;
constexpr qsizetype SealedLengthAt = KeyCheckAt + CheckLength;
constexpr qsizetype HeaderLength = SealedLengthAt + 8;

// The index's length before its bytes.
constexpr std::size_t IndexLengthBytes = 4;

template <typename T> void append(QByteArray& bytes, T value)
{
    const T stored = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&stored), sizeof stored);
}

template <typename T> T read(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

const unsigned char* bytesOf(const QByteArray& bytes, qsizetype at = 0)
{
    return reinterpret_cast<const unsigned char*>(bytes.constData()) + at;
}

QByteArray checksum(const QByteArray& bytes, qsizetype length)
{
    QByteArray sum(CheckLength, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(sum.data()), CheckLength, bytesOf(bytes),
        std::size_t(length), nullptr, 0);
    return sum;
}

// The keys a vault of version uses: from the current format on, the key
// check and the cipher each take a key of their own, derived from the
// stretched key under its own label, so that the check's value says nothing
// about the cipher's key.
struct VaultKeys {
    SecretBytes check;
    SecretBytes cipher;
};

VaultKeys keysFor(const SecretBytes& stretched, quint16 version)
{
    if (version == FirstFormat)
        return { SecretBytes::copyOf(stretched.view()), SecretBytes::copyOf(stretched.view()) };
    VaultKeys keys { SecretBytes(crypto_kdf_KEYBYTES), SecretBytes(KeyLength) };
    crypto_kdf_derive_from_key(
        keys.check.data(), keys.check.size(), CheckKeyId, KeyContext, stretched.data());
    crypto_kdf_derive_from_key(
        keys.cipher.data(), keys.cipher.size(), CipherKeyId, KeyContext, stretched.data());
    return keys;
}

QByteArray keyCheck(const SecretBytes& key)
{
    QByteArray check(CheckLength, '\0');
    crypto_generichash(reinterpret_cast<unsigned char*>(check.data()), CheckLength,
        bytesOf(KeyCheckText), std::size_t(KeyCheckText.size()), key.data(), key.size());
    return check;
}

// What libsodium can run at all, and what this program accepts.
bool plausible(const VaultParameters& parameters)
{
    return parameters.passes >= crypto_pwhash_OPSLIMIT_MIN
        && parameters.passes <= crypto_pwhash_OPSLIMIT_MAX
        && parameters.memoryBytes >= crypto_pwhash_MEMLIMIT_MIN
        && parameters.memoryBytes <= crypto_pwhash_MEMLIMIT_MAX && parameters.acceptable();
}

std::optional<SecretBytes> stretch(
    const QByteArray& password, const QByteArray& salt, const VaultParameters& parameters)
{
    if (!Sodium::ready())
        return std::nullopt;
    SecretBytes key(KeyLength);
    if (crypto_pwhash(key.data(), key.size(), password.constData(),
            static_cast<unsigned long long>(password.size()), bytesOf(salt), parameters.passes,
            std::size_t(parameters.memoryBytes), crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        return std::nullopt;
    return key;
}

PasswordVault::Opened failure(PasswordVault::Problem problem, QString detail = {})
{
    PasswordVault::Opened opened;
    opened.problem = problem;
    opened.detail = std::move(detail);
    return opened;
}

} // namespace

std::optional<PasswordVault::Key> PasswordVault::makeKey(
    const QByteArray& password, VaultParameters parameters)
{
    if (!Sodium::ready())
        return std::nullopt;
    QByteArray salt(SaltLength, '\0');
    randombytes_buf(salt.data(), std::size_t(salt.size()));
    std::optional<SecretBytes> bytes = stretch(password, salt, parameters);
    if (!bytes)
        return std::nullopt;
    return Key { std::move(*bytes), salt, parameters };
}

QByteArray PasswordVault::seal(const VaultContents& contents, const Key& key)
{
    const std::size_t plainLength
        = IndexLengthBytes + contents.index.size() + contents.entries.size();
    SecretBytes plain(plainLength);
    const quint32 indexLength = qToLittleEndian(quint32(contents.index.size()));
    std::memcpy(plain.data(), &indexLength, IndexLengthBytes);
    if (!contents.index.isEmpty())
        std::memcpy(plain.data() + IndexLengthBytes, contents.index.data(), contents.index.size());
    if (!contents.entries.isEmpty())
        std::memcpy(plain.data() + IndexLengthBytes + contents.index.size(),
            contents.entries.data(), contents.entries.size());

    QByteArray nonce(NonceLength, '\0');
    randombytes_buf(nonce.data(), std::size_t(nonce.size()));
    const VaultKeys keys = keysFor(key.bytes, FormatVersion);

    QByteArray file = Magic;
    append<quint16>(file, FormatVersion);
    append<quint16>(file, 0);
    append<quint32>(file, quint32(crypto_pwhash_ALG_ARGON2ID13));
    append<quint64>(file, key.parameters.passes);
    append<quint64>(file, key.parameters.memoryBytes);
    file.append(key.salt);
    file.append(nonce);
    file.append(keyCheck(keys.check));
    append<quint64>(file, quint64(plainLength) + TagLength);

    const qsizetype sealedAt = file.size();
    file.resize(sealedAt + qsizetype(plainLength) + TagLength);
    unsigned long long sealedLength = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        reinterpret_cast<unsigned char*>(file.data()) + sealedAt, &sealedLength, plain.data(),
        plain.size(), bytesOf(file), HeaderLength, nullptr, bytesOf(nonce), keys.cipher.data());
    file.append(checksum(file, file.size()));
    return file;
}

PasswordVault::Inspection PasswordVault::inspect(const QByteArray& file)
{
    Inspection inspection;
    auto fail = [&inspection](Problem problem, QString detail = {}) {
        inspection.problem = problem;
        inspection.detail = std::move(detail);
        return inspection;
    };
    if (file.size() < VersionAt + 2 || !file.startsWith(Magic))
        return fail(Problem::NotAVault);
    inspection.version = read<quint16>(file, VersionAt);
    // A newer program may lay out everything after the version differently.
    if (inspection.version > FormatVersion)
        return fail(Problem::NewerVersion);
    if (inspection.version < FirstFormat)
        return fail(Problem::Damaged, QStringLiteral("its header is not valid"));
    if (file.size() < HeaderLength + TagLength + CheckLength)
        return fail(Problem::Damaged, QStringLiteral("it is cut short"));
    const quint64 sealedLength = read<quint64>(file, SealedLengthAt);
    if (sealedLength != quint64(file.size() - HeaderLength - CheckLength))
        return fail(Problem::Damaged,
            sealedLength > quint64(file.size() - HeaderLength - CheckLength)
                ? QStringLiteral("it is cut short")
                : QStringLiteral("its length is wrong"));
    if (checksum(file, file.size() - CheckLength) != file.right(CheckLength))
        return fail(Problem::Damaged, QStringLiteral("its checksum does not match"));
    inspection.parameters = { read<quint64>(file, PassesAt), read<quint64>(file, MemoryAt) };
    if (read<quint32>(file, AlgorithmAt) != quint32(crypto_pwhash_ALG_ARGON2ID13))
        return fail(Problem::Damaged, QStringLiteral("its header is not valid"));
    // Checked before any key is stretched: the figures decide how long that
    // takes and how much memory.
    if (!plausible(inspection.parameters))
        return fail(Problem::Damaged,
            QStringLiteral("its key stretching figures are not ones Halvorn writes"));
    return inspection;
}

PasswordVault::Opened PasswordVault::open(const QByteArray& file, const QByteArray& password)
{
    const Inspection inspection = inspect(file);
    if (inspection.problem != Problem::None)
        return failure(inspection.problem, inspection.detail);
    std::optional<SecretBytes> bytes
        = stretch(password, file.mid(SaltAt, SaltLength), inspection.parameters);
    if (!bytes)
        return failure(
            Problem::Damaged, QStringLiteral("the key could not be made (too little memory?)"));
    return unseal(file, inspection,
        Key { std::move(*bytes), file.mid(SaltAt, SaltLength), inspection.parameters });
}

PasswordVault::Opened PasswordVault::open(const QByteArray& file, const Key& key)
{
    const Inspection inspection = inspect(file);
    if (inspection.problem != Problem::None)
        return failure(inspection.problem, inspection.detail);
    return unseal(file, inspection, key);
}

PasswordVault::Opened PasswordVault::unseal(
    const QByteArray& file, const Inspection& inspection, const Key& key)
{
    const VaultKeys keys = keysFor(key.bytes, inspection.version);
    if (file.mid(SaltAt, SaltLength) != key.salt || inspection.parameters != key.parameters
        || sodium_memcmp(bytesOf(keyCheck(keys.check)), bytesOf(file, KeyCheckAt), CheckLength)
            != 0)
        return failure(Problem::WrongPassword);

    const std::size_t sealedLength = std::size_t(file.size() - HeaderLength - CheckLength);
    SecretBytes plain(sealedLength - TagLength);
    unsigned long long plainLength = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(plain.data(), &plainLength, nullptr,
            bytesOf(file, HeaderLength), sealedLength, bytesOf(file), HeaderLength,
            bytesOf(file, NonceAt), keys.cipher.data())
        != 0)
        return failure(Problem::Damaged, QStringLiteral("its seal does not hold"));
    quint32 indexLength = 0;
    if (plainLength < IndexLengthBytes)
        return failure(Problem::Damaged, QStringLiteral("its contents are cut short"));
    std::memcpy(&indexLength, plain.data(), IndexLengthBytes);
    indexLength = qFromLittleEndian(indexLength);
    if (indexLength > plainLength - IndexLengthBytes)
        return failure(Problem::Damaged, QStringLiteral("its contents are cut short"));

    VaultContents contents { SecretBytes(indexLength),
        SecretBytes(plainLength - IndexLengthBytes - indexLength) };
    if (indexLength > 0)
        std::memcpy(contents.index.data(), plain.data() + IndexLengthBytes, indexLength);
    if (!contents.entries.isEmpty())
        std::memcpy(contents.entries.data(), plain.data() + IndexLengthBytes + indexLength,
            contents.entries.size());

    Opened opened;
    opened.version = inspection.version;
    opened.contents = inspection.version == FirstFormat ? KeeperConversion::toUnicode(contents)
                                                        : std::move(contents);
    opened.key = Key { SecretBytes::copyOf(key.bytes.view()), key.salt, key.parameters };
    return opened;
}

QString PasswordVault::message(Problem problem, const QString& detail)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::NotAVault:
        return QStringLiteral("%1 is not a protected keeper. It was left as it is.").arg(FileName);
    case Problem::NewerVersion:
        return QStringLiteral("%1 was written by a newer version of Halvorn. Install the newer "
                              "version to open it; the file was left as it is.")
            .arg(FileName);
    case Problem::Damaged:
        return QStringLiteral("%1 is damaged (%2). It was left as it is: restore it from a "
                              "backup.")
            .arg(FileName, detail);
    case Problem::WrongPassword:
        return QStringLiteral("The master password is not right. Nothing was changed.");
    }
    return {};
}
