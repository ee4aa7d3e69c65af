#pragma once

#include <exception>

namespace dfe {

// Thrown to abandon an operation silently: every event dispatch catches it without showing anything,
// because the rule that threw has already told the clerk why.
class Abort : public std::exception {
public:
    const char* what() const noexcept override { return "operation abandoned"; }
};

[[noreturn]] inline void ThrowAbort() {
    throw Abort();
}

} // namespace dfe
