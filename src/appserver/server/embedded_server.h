#pragma once

#include "appserver/rpc/method_registry.h"
#include "platform/db/database.h"
#include "platform/net/in_process_transport.h"

#include <memory>

namespace dfe::appserver {

// The application server inside the client's process (the embedded default): the same methods and the same
// wire format, over one database connection used by one call at a time. Registers itself as the in-process
// server for its lifetime; a connection that still holds the handler afterwards keeps the server's state
// alive.
class EmbeddedServer {
public:
    // `clock` is the server's time (empty: the machine's).
    explicit EmbeddedServer(std::unique_ptr<db::Database> db, Clock clock = {});
    ~EmbeddedServer();
    EmbeddedServer(const EmbeddedServer&) = delete;
    EmbeddedServer& operator=(const EmbeddedServer&) = delete;

    std::shared_ptr<const net::FrameHandler> Handler() const { return handler_; }
    const MethodRegistry& Registry() const;

private:
    struct State;
    std::shared_ptr<State> state_;
    std::shared_ptr<const net::FrameHandler> handler_;
};

} // namespace dfe::appserver
