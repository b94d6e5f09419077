#pragma once

#include <QtGlobal>

// How hard the master password is stretched into the key (Argon2id's passes
// and memory). Stored in each vault's header, so a vault written with other
// figures, older or newer, still opens with its own.
struct VaultParameters {
    quint64 passes = 0;
    quint64 memoryBytes = 0;

    // About half a second on a two-core machine of today, with 64 MiB.
    static VaultParameters standard() { return { 4, quint64(64) << 20 }; }
    // The least libsodium allows: for tests, which stretch many keys.
    static VaultParameters fastest() { return { 1, 8192 }; }

    bool operator==(const VaultParameters&) const = default;
};
