#include "Sodium.h"

#include <sodium.h>

bool Sodium::ready()
{
    static const bool initialised = sodium_init() >= 0;
    return initialised;
}
