#pragma once

// Core dumps are off for as long as a guard lives: a dump of a process that
// holds an open keeper would put its passwords and key on the disk. The
// first guard turns them off (the process no longer dumpable, the core size
// limit 0), the last one gone restores what was before. Guards may nest.
class CoreDumpGuard
{
public:
    CoreDumpGuard();
    ~CoreDumpGuard();
    CoreDumpGuard(const CoreDumpGuard&) = delete;
    CoreDumpGuard& operator=(const CoreDumpGuard&) = delete;

    // Whether this process would write no core dump now.
    static bool dumpsAreOff();
};
