#include "platform/net/request_token.h"

#include <random>

namespace dfe::net {
namespace {

thread_local RetryTokenScope* activeScope = nullptr;

RequestToken RandomToken() {
    thread_local std::mt19937_64 engine{std::random_device{}()};
    RequestToken token{};
    for (size_t i = 0; i < token.size(); i += 8) {
        const uint64_t r = engine();
        for (size_t b = 0; b < 8; ++b)
            token[i + b] = static_cast<uint8_t>(r >> (8 * b));
    }
    return token;
}

} // namespace

RequestToken NextRequestToken() {
    return activeScope ? activeScope->Next() : RandomToken();
}

RetryTokenScope::RetryTokenScope() : base_(RandomToken()), outer_(activeScope) {
    activeScope = this;
}

RetryTokenScope::~RetryTokenScope() {
    activeScope = outer_;
}

RequestToken RetryTokenScope::Next() {
    RequestToken token = base_;
    const uint32_t n = next_++;
    // The last four bytes count the calls of the attempt.
    for (size_t b = 0; b < 4; ++b)
        token[token.size() - 4 + b] ^= static_cast<uint8_t>(n >> (8 * b));
    return token;
}

} // namespace dfe::net
