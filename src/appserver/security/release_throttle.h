#pragma once

#include <cstdint>
#include <string>

namespace dfe::appserver {

// Wrong release passwords in a row that are let through without waiting.
inline constexpr int64_t kFreeReleaseTries = 3;

// The wait, in seconds, after `failures` consecutive wrong passwords: none before the third, then 30 s,
// doubling with each further failure up to 15 minutes.
int64_t ReleaseLockoutSeconds(int64_t failures);

// A wait as the operator reads it: "30 segundos", "1 minuto e 30 segundos", "15 minutos".
std::string WaitText(int64_t seconds);

} // namespace dfe::appserver
