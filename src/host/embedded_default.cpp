#include "host/embedded_default.h"

#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/db/database.h"

#include <stdexcept>

namespace dfe::host {

std::filesystem::path DefaultDataDir(const char* xdgDataHome, const char* home) {
    if (xdgDataHome && *xdgDataHome) return std::filesystem::path(xdgDataHome) / "quilmar";
    if (home && *home) return std::filesystem::path(home) / ".local" / "share" / "quilmar";
    return std::filesystem::path("quilmar-data");
}

EmbeddedDefault::EmbeddedDefault(const std::filesystem::path& database) : database_(database) {
    std::error_code ec;
    if (database_.has_parent_path()) std::filesystem::create_directories(database_.parent_path(), ec);
    if (ec)
        throw std::runtime_error("não foi possível criar a pasta " + database_.parent_path().string() + ": " +
                                 ec.message());
    auto db = db::OpenDatabase(database_.string());
    applied_ = appserver::ApplyMigrations(*db, appserver::EmbeddedSchemaFiles(), true);
    server_ = std::make_unique<appserver::EmbeddedServer>(std::move(db));
}

EmbeddedDefault::~EmbeddedDefault() = default;

} // namespace dfe::host
