#include "BoundedXmlDevice.h"

#include <algorithm>
#include <cstring>

BoundedXmlDevice::BoundedXmlDevice(QIODevice& source, qint64 totalLimit)
    : m_source(source)
    , m_totalLimit(totalLimit)
{ }

bool BoundedXmlDevice::open(OpenMode mode)
{
    if ((mode & WriteOnly) || isOpen())
        return false;
    return QIODevice::open(mode | Unbuffered);
}

bool BoundedXmlDevice::atEnd() const
{
    return !m_failure.isEmpty() || m_reachedTotal || m_source.atEnd();
}

qint64 BoundedXmlDevice::readData(char* data, qint64 maxSize)
{
    if (!m_failure.isEmpty() || m_reachedTotal)
        return -1;
    if (m_totalLimit >= 0) {
        maxSize = std::min(maxSize, m_totalLimit - m_total);
        if (maxSize <= 0) {
            m_reachedTotal = true;
            return -1;
        }
    }
    const qint64 read = m_source.read(data, maxSize);
    if (read <= 0)
        return read;
    m_total += read;
    if (!scan(data, read)) {
        m_failure = QStringLiteral("a tag or a text runs past %1 KiB, longer than any value an "
                                   "export holds; this is not a file the phone wrote")
                        .arg(SpanLimit / 1024);
        return -1;
    }
    return read;
}

qint64 BoundedXmlDevice::writeData(const char*, qint64)
{
    return -1;
}

bool BoundedXmlDevice::scan(const char* data, qint64 size)
{
    // memchr runs at the speed of the library, whatever the build: a
    // phone's export is hundreds of megabytes.
    const char* at = data;
    const char* const end = data + size;
    while (at < end) {
        const void* mark = std::memchr(at, m_inTag ? '>' : '<', size_t(end - at));
        if (!mark) {
            m_span += end - at;
            return m_span <= SpanLimit;
        }
        const char* found = static_cast<const char*>(mark);
        m_span += found - at;
        if (m_span > SpanLimit)
            return false;
        m_span = 0;
        m_inTag = !m_inTag;
        at = found + 1;
    }
    return true;
}
