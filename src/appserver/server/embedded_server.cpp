#include "appserver/server/embedded_server.h"

#include "appserver/modules/all_methods.h"
#include "appserver/rpc/dispatcher.h"

#include <mutex>

namespace dfe::appserver {

struct EmbeddedServer::State {
    State(std::unique_ptr<db::Database> database, Clock clock)
        : dispatcher(registry, std::move(clock)), db(std::move(database)) {
        RegisterAllMethods(registry);
    }
    MethodRegistry registry;
    Dispatcher dispatcher;
    std::unique_ptr<db::Database> db;
    std::mutex mutex;
};

EmbeddedServer::EmbeddedServer(std::unique_ptr<db::Database> db, Clock clock)
    : state_(std::make_shared<State>(std::move(db), std::move(clock))) {
    handler_ = std::make_shared<const net::FrameHandler>([state = state_](std::string_view frame) {
        std::lock_guard lock(state->mutex);
        return state->dispatcher.HandleFrame(frame, *state->db);
    });
    net::RegisterInProcessServer(handler_);
}

EmbeddedServer::~EmbeddedServer() {
    if (net::InProcessServer() == handler_) net::RegisterInProcessServer(nullptr);
}

const MethodRegistry& EmbeddedServer::Registry() const {
    return state_->registry;
}

} // namespace dfe::appserver
