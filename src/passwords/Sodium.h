#pragma once

// libsodium must be set up once before its first use; every class of the
// keeper that draws random numbers or encrypts calls this first. Safe from
// any thread and cheap after the first call.
namespace Sodium {
// False when the library cannot work on this machine (no source of random
// numbers); nothing of the vault may then be written.
bool ready();
} // namespace Sodium
