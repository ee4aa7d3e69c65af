#pragma once

#include "platform/core/date_time.h"
#include "platform/db/database.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::appserver {

// The operators entitled to release postings at a branch (OPERLIBERAFIL) and their release passwords, kept
// only as Argon2id hashes (SENHALIBERACAO), with the count of wrong tries in a row (FALHASENHALIB). Works
// inside the caller's transaction.

struct ReleaseAnswer {
    bool accepted = false;
    std::string message; // what the operator is told when refused
};

// Whether `password` is the release password of `operatorCode` and he may release at `branch`. After
// kFreeReleaseTries wrong passwords in a row, tries are refused unverified until the wait has passed; the
// right password clears the count. An operator without a password (or unknown) is verified against a hash
// nobody's password matches and refused as a wrong password is.
ReleaseAnswer ConfirmRelease(db::Database& db, const std::string& operatorCode, std::string_view password,
                             const std::string& branch, DateTime now);

// Stores a new release password for a registered operator and clears his wrong tries; with `branches`, the
// branches he may release at become exactly those. Throws std::runtime_error naming what is wrong: an
// empty password, an unknown operator or branch.
void SetReleasePassword(db::Database& db, const std::string& operatorCode, std::string_view password,
                        const std::optional<std::vector<std::string>>& branches, DateTime now);

} // namespace dfe::appserver
