#pragma once

// CPU time (user and system), which load from other processes on a shared
// machine does not inflate the way it does wall-clock time.
class CpuTime
{
public:
    // Of this process so far, in milliseconds.
    static double ownMilliseconds();
    // Of this process's finished children so far, in milliseconds.
    static double childrenMilliseconds();
};
