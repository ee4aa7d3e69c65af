#pragma once

#include "platform/net/rpc_message.h"

namespace dfe::net {

// The token of the next call on this thread: random, unless a RetryTokenScope is active, in which case the
// n-th call of each attempt gets the same token as the n-th call of the first attempt.
RequestToken NextRequestToken();

// Held by the retry policy around one logical sequence of calls, so that repeating the sequence after a lost
// answer repeats the same tokens and the server can recognise work it already committed.
class RetryTokenScope {
public:
    RetryTokenScope();
    ~RetryTokenScope();
    RetryTokenScope(const RetryTokenScope&) = delete;
    RetryTokenScope& operator=(const RetryTokenScope&) = delete;
    // Called before each attempt.
    void Restart() { next_ = 0; }
    RequestToken Next();

private:
    RequestToken base_;
    uint32_t next_ = 0;
    RetryTokenScope* outer_;
};

} // namespace dfe::net
