#include "host/embedded_backend.h"

#include "appserver/modules/all_methods.h"
#include "appserver/schema/schema_migrator.h"

namespace dfe::host {

EmbeddedBackend::EmbeddedBackend(const std::string& database) : dispatcher_(registry_) {
    appserver::RegisterAllMethods(registry_);
    {
        auto db = db::OpenDatabase(database);
        appserver::ApplyMigrations(*db, appserver::EmbeddedSchemaFiles(), true);
    }
    appserver::ServeOptions options;
    options.host = "127.0.0.1";
    options.port = 0;
    server_ = std::make_unique<appserver::TcpServer>(
        dispatcher_, [database] { return db::OpenDatabase(database); }, options);
    server_->Listen();
    thread_ = std::thread([this] { server_->Run(); });
}

EmbeddedBackend::~EmbeddedBackend() {
    server_->Stop();
    if (thread_.joinable()) thread_.join();
}

} // namespace dfe::host
