#pragma once

#include <QByteArray>

#include <cstddef>

// Bytes that must not outlive their use: key material and decrypted keeper
// files. They live in libsodium's guarded memory (kept out of swap, fenced
// by guard pages) and are wiped when freed. Not copyable, so no stray copy
// is left behind; moved, the source is left empty.
class SecretBytes
{
public:
    SecretBytes() = default;
    explicit SecretBytes(std::size_t size);
    // A copy of bytes; the caller wipes its own array where it owns one.
    static SecretBytes copyOf(const QByteArray& bytes);
    ~SecretBytes();

    SecretBytes(const SecretBytes&) = delete;
    SecretBytes& operator=(const SecretBytes&) = delete;
    SecretBytes(SecretBytes&& other) noexcept;
    SecretBytes& operator=(SecretBytes&& other) noexcept;

    unsigned char* data() { return m_data; }
    const unsigned char* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    bool operator==(const SecretBytes& other) const;

    // A QByteArray over the same memory, without copying, for the readers
    // that take one. Valid while this object lives and is not changed.
    QByteArray view() const;

    // Wipes a QByteArray the program owns before it is freed. Only the
    // array's own buffer is wiped: shared copies detach first, so call it
    // on the last copy.
    static void wipe(QByteArray& bytes);

private:
    void release();

    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
};
