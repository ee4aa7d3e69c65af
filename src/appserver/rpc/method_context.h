#pragma once

#include "platform/core/date_time.h"
#include "platform/db/database.h"
#include "platform/net/rpc_message.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dfe::appserver {

// A refusal meant for the clerk: the call fails with this text and nothing it wrote is kept.
class MethodRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The server's time. Empty: the machine's clock; tests give their own.
using Clock = std::function<DateTime()>;

// What a remote method sees of its call: the database (inside the call's transaction), the positional
// arguments, whose by-reference ones it may change, and the server's clock.
class MethodContext {
public:
    MethodContext(db::Database& db, std::string method, std::vector<net::RpcArg>& args,
                  const Clock* clock = nullptr)
        : db_(db), method_(std::move(method)), args_(args), clock_(clock) {}

    db::Database& Db() { return db_; }
    DateTime Now() const { return clock_ && *clock_ ? (*clock_)() : DateTime::Now(); }
    const std::string& Method() const { return method_; }
    size_t ArgCount() const { return args_.size(); }
    // Refuses the call when fewer than `count` arguments came.
    void ExpectArgs(size_t count) const;
    const Variant& Arg(size_t index) const;
    std::string Text(size_t index) const { return Arg(index).AsString(); }
    // The final value of a by-reference argument, sent back with the answer.
    void SetArg(size_t index, Variant value);

private:
    db::Database& db_;
    std::string method_;
    std::vector<net::RpcArg>& args_;
    const Clock* clock_;
};

} // namespace dfe::appserver
