#pragma once

#include "appserver/rpc/dispatcher.h"
#include "appserver/rpc/method_registry.h"
#include "appserver/server/tcp_server.h"

#include <memory>
#include <string>
#include <thread>

namespace dfe::host {

// The server name that asks the host to run the application server itself.
inline constexpr const char* kEmbeddedServer = "embedded";

// The application server inside the host process, for the embedded default: the database (created with the
// schema and the demo data when it has none) served on a free loopback port. Packages carry their own copy
// of the platform, so they reach it through the loopback socket like any client.
class EmbeddedBackend {
public:
    explicit EmbeddedBackend(const std::string& database);
    ~EmbeddedBackend();
    EmbeddedBackend(const EmbeddedBackend&) = delete;
    EmbeddedBackend& operator=(const EmbeddedBackend&) = delete;

    int Port() const { return server_->Port(); }

private:
    appserver::MethodRegistry registry_;
    appserver::Dispatcher dispatcher_;
    std::unique_ptr<appserver::TcpServer> server_;
    std::thread thread_;
};

} // namespace dfe::host
