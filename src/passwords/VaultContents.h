#pragma once

#include "SecretBytes.h"

// What a vault holds: the keeper's index and entries files, byte for byte as
// the classic files would store them, in guarded memory.
struct VaultContents {
    SecretBytes index;
    SecretBytes entries;
};
