#include "FailDevice.h"

FailDevice::FailDevice(QIODevice* target, qint64 bytesBeforeFailure, QObject* parent)
    : QIODevice(parent)
    , m_target(target)
    , m_limit(bytesBeforeFailure)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 FailDevice::readData(char*, qint64)
{
    return -1;
}

qint64 FailDevice::writeData(const char* data, qint64 size)
{
    const qint64 room = qMax<qint64>(m_limit - m_written, 0);
    if (size > 0 && room == 0) {
        setErrorString(QStringLiteral("No space left on device"));
        return -1;
    }
    qint64 count = qMin(size, room);
    if (m_target) {
        count = m_target->write(data, count);
        if (count < 0) {
            setErrorString(m_target->errorString());
            return -1;
        }
    }
    m_written += count;
    return count;
}
