#include "CoreDumpGuard.h"

#include <mutex>

#include <sys/prctl.h>
#include <sys/resource.h>

namespace {

std::mutex guarding;
int guards = 0;
int dumpableBefore = 1;
rlim_t coreLimitBefore = 0;

} // namespace

CoreDumpGuard::CoreDumpGuard()
{
    const std::lock_guard lock(guarding);
    if (guards++ > 0)
        return;
    dumpableBefore = prctl(PR_GET_DUMPABLE, 0, 0, 0, 0);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    // Only the soft limit: lowering the hard one could not be undone.
    rlimit limit {};
    if (getrlimit(RLIMIT_CORE, &limit) == 0) {
        coreLimitBefore = limit.rlim_cur;
        limit.rlim_cur = 0;
        setrlimit(RLIMIT_CORE, &limit);
    }
}

CoreDumpGuard::~CoreDumpGuard()
{
    const std::lock_guard lock(guarding);
    if (--guards > 0)
        return;
    rlimit limit {};
    if (getrlimit(RLIMIT_CORE, &limit) == 0) {
        limit.rlim_cur = coreLimitBefore;
        setrlimit(RLIMIT_CORE, &limit);
    }
    if (dumpableBefore > 0)
        prctl(PR_SET_DUMPABLE, dumpableBefore, 0, 0, 0);
}

bool CoreDumpGuard::dumpsAreOff()
{
    rlimit limit {};
    return prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0 && getrlimit(RLIMIT_CORE, &limit) == 0
        && limit.rlim_cur == 0;
}
