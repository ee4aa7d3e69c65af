#pragma once

#include "appserver/rpc/method_registry.h"
#include "platform/db/database.h"
#include "platform/net/rpc_message.h"

#include <string>
#include <string_view>

namespace dfe::appserver {

// Runs one call: finds the method, runs it in its own transaction and builds the answer. Bad input and
// failing methods become refusals or protocol errors; nothing here throws at the transport.
class Dispatcher {
public:
    explicit Dispatcher(const MethodRegistry& registry, Clock clock = {})
        : registry_(registry), clock_(std::move(clock)) {}

    net::RpcResponse Dispatch(net::RpcRequest request, db::Database& db) const;
    // A request payload in, an answer payload out. `fatal` tells that the request could not be read, after
    // which the conversation ends.
    std::string HandlePayload(std::string_view payload, db::Database& db, bool& fatal) const;
    // A whole request frame in, a whole answer frame out (the in-process transport).
    std::string HandleFrame(std::string_view frame, db::Database& db) const;

private:
    net::RpcResponse Run(const RemoteMethod& method, net::RpcRequest& request, db::Database& db) const;
    const MethodRegistry& registry_;
    Clock clock_;
};

net::RpcResponse ProtocolErrorResponse(const std::string& message);

} // namespace dfe::appserver
