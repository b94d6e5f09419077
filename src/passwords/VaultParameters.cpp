#include "VaultParameters.h"

namespace {

bool fastestAccepted = false;

constexpr quint64 MiB = quint64(1) << 20;

// OWASP's equivalent settings for Argon2id: the memory each number of passes
// needs at least.
quint64 leastMemoryFor(quint64 passes)
{
    switch (passes) {
    case 1:
        return 46 * MiB;
    case 2:
        return 19 * MiB;
    case 3:
        return 12 * MiB;
    case 4:
        return 9 * MiB;
    default:
        return 7 * MiB;
    }
}

} // namespace

bool VaultParameters::acceptable() const
{
    if (fastestAccepted && *this == fastest())
        return true;
    const VaultParameters most = standard();
    return passes >= 1 && passes <= 4 * most.passes && memoryBytes <= 4 * most.memoryBytes
        && memoryBytes >= leastMemoryFor(passes);
}

void VaultParameters::acceptFastestForTests()
{
    fastestAccepted = true;
}
