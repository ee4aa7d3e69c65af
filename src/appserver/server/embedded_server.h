#pragma once

#include "appserver/rpc/dispatcher.h"
#include "appserver/rpc/method_registry.h"
#include "platform/db/database.h"
#include "platform/net/in_process_transport.h"

#include <memory>
#include <mutex>

namespace dfe::appserver {

// The application server inside the client's process (the embedded default): the same methods and the same
// wire format, over one database connection shared by the calls in turn. Registers itself as the in-process
// server for its lifetime.
class EmbeddedServer {
public:
    explicit EmbeddedServer(std::unique_ptr<db::Database> db);
    ~EmbeddedServer();
    EmbeddedServer(const EmbeddedServer&) = delete;
    EmbeddedServer& operator=(const EmbeddedServer&) = delete;

    std::shared_ptr<const net::FrameHandler> Handler() const { return handler_; }
    const MethodRegistry& Registry() const { return registry_; }

private:
    MethodRegistry registry_;
    Dispatcher dispatcher_;
    std::unique_ptr<db::Database> db_;
    std::mutex mutex_;
    std::shared_ptr<const net::FrameHandler> handler_;
};

} // namespace dfe::appserver
