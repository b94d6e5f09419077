#pragma once

#include <QtGlobal>

// The process's resident memory as Linux reports it in /proc/self/status, in
// KiB; 0 where it cannot be read.
class PeakMemory
{
public:
    // VmRSS: resident now.
    static qint64 residentKiB();
    // VmHWM: the most that was resident at any time so far.
    static qint64 peakKiB();
};
