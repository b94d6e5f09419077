#include "CpuTime.h"

#include <sys/resource.h>

namespace {

double milliseconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    const auto ms
        = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

double CpuTime::ownMilliseconds()
{
    return milliseconds(RUSAGE_SELF);
}

double CpuTime::childrenMilliseconds()
{
    return milliseconds(RUSAGE_CHILDREN);
}
