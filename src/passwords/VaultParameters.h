#pragma once

#include <QtGlobal>

// How hard the master password is stretched into the key (Argon2id's passes
// and memory). Stored in each vault's header, so a vault written with other
// figures, older or newer, still opens with its own, within bounds.
struct VaultParameters {
    quint64 passes = 0;
    quint64 memoryBytes = 0;

    // About half a second on a two-core machine of today, with 64 MiB.
    static VaultParameters standard() { return { 4, quint64(64) << 20 }; }
    // The least libsodium allows: for tests, which stretch many keys.
    static VaultParameters fastest() { return { 1, 8192 }; }

    // Whether a vault may carry these figures. Whoever can write the vault
    // file can write its header, so figures are taken only within fixed
    // bounds: at most four times the standard's passes and memory (an
    // unlock of hours or gigabytes is refused before it starts), and at least
    // the least that OWASP recommends for Argon2id (for one pass 46 MiB, for
    // two 19 MiB, three 12 MiB, four 9 MiB, five and more 7 MiB).
    bool acceptable() const;

    // Test programs seal many vaults with fastest(); they accept exactly
    // those figures as well.
    static void acceptFastestForTests();

    bool operator==(const VaultParameters&) const = default;
};
