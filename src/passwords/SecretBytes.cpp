#include "SecretBytes.h"

#include "Sodium.h"

#include <sodium.h>

#include <cstring>
#include <new>
#include <utility>

SecretBytes::SecretBytes(std::size_t size)
{
    if (size == 0)
        return;
    // Without libsodium there is no guarded memory; refusing here keeps a
    // secret from landing in ordinary memory by accident.
    if (!Sodium::ready())
        throw std::bad_alloc();
    m_data = static_cast<unsigned char*>(sodium_malloc(size));
    if (m_data == nullptr)
        throw std::bad_alloc();
    m_size = size;
}

SecretBytes SecretBytes::copyOf(const QByteArray& bytes)
{
    SecretBytes copy(std::size_t(bytes.size()));
    if (!bytes.isEmpty())
        std::memcpy(copy.m_data, bytes.constData(), std::size_t(bytes.size()));
    return copy;
}

SecretBytes::~SecretBytes()
{
    release();
}

SecretBytes::SecretBytes(SecretBytes&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
{ }

SecretBytes& SecretBytes::operator=(SecretBytes&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

bool SecretBytes::operator==(const SecretBytes& other) const
{
    if (m_size != other.m_size)
        return false;
    return m_size == 0 || sodium_memcmp(m_data, other.m_data, m_size) == 0;
}

QByteArray SecretBytes::view() const
{
    if (m_size == 0)
        return {};
    return QByteArray::fromRawData(reinterpret_cast<const char*>(m_data), qsizetype(m_size));
}

void SecretBytes::wipe(QByteArray& bytes)
{
    if (!bytes.isEmpty() && !bytes.isDetached())
        bytes.clear();
    else if (!bytes.isEmpty())
        sodium_memzero(bytes.data(), std::size_t(bytes.size()));
    bytes.clear();
}

void SecretBytes::release()
{
    // sodium_free wipes the memory before giving it back.
    if (m_data != nullptr)
        sodium_free(m_data);
    m_data = nullptr;
    m_size = 0;
}
