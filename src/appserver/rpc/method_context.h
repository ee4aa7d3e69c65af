#pragma once

#include "platform/db/database.h"
#include "platform/net/rpc_message.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace dfe::appserver {

// A refusal meant for the clerk: the call fails with this text and nothing it wrote is kept.
class MethodRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a remote method sees of its call: the database (inside the call's transaction) and the positional
// arguments, whose by-reference ones it may change.
class MethodContext {
public:
    MethodContext(db::Database& db, std::string method, std::vector<net::RpcArg>& args)
        : db_(db), method_(std::move(method)), args_(args) {}

    db::Database& Db() { return db_; }
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
};

} // namespace dfe::appserver
