#include "appserver/server/embedded_server.h"

#include "appserver/modules/all_methods.h"

namespace dfe::appserver {

EmbeddedServer::EmbeddedServer(std::unique_ptr<db::Database> db)
    : dispatcher_(registry_), db_(std::move(db)) {
    RegisterAllMethods(registry_);
    handler_ = std::make_shared<const net::FrameHandler>([this](std::string_view frame) {
        std::lock_guard lock(mutex_);
        return dispatcher_.HandleFrame(frame, *db_);
    });
    net::RegisterInProcessServer(handler_);
}

EmbeddedServer::~EmbeddedServer() {
    if (net::InProcessServer() == handler_) net::RegisterInProcessServer(nullptr);
}

} // namespace dfe::appserver
