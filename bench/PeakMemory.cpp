#include "PeakMemory.h"

#include <QByteArray>
#include <QFile>

namespace {

qint64 statusField(const QByteArray& name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    // A line reads "VmHWM:\t  123456 kB".
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace

qint64 PeakMemory::residentKiB()
{
    return statusField("VmRSS");
}

qint64 PeakMemory::peakKiB()
{
    return statusField("VmHWM");
}
