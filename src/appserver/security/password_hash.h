#pragma once

#include <string>
#include <string_view>

namespace dfe::appserver {

// Salted Argon2id password hashes as libsodium's crypto_pwhash_str strings ("$argon2id$v=19$m=...").
// The cost is libsodium's interactive one: a verification takes a noticeable fraction of a second.

// A new hash of `password` with a random salt. Throws std::runtime_error when libsodium cannot start or
// the memory the hash needs is not there.
std::string HashPassword(std::string_view password);

// Whether `password` is the one `hash` was made from; false for a string that is not such a hash.
bool VerifyPassword(const std::string& hash, std::string_view password);

// Spends what a verification spends, for a caller with no hash to verify against, so that an operator
// without a password does not answer sooner than a wrong password does.
void SpendVerification(std::string_view password);

} // namespace dfe::appserver
