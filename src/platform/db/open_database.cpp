#include "platform/db/database.h"
#include "platform/db/postgres_database.h"
#include "platform/db/sqlite_database.h"

#include "platform/core/text.h"

namespace dfe::db {

bool IsPostgresTarget(std::string_view target) {
    return text::StartsWith(target, "postgresql://") || text::StartsWith(target, "postgres://") ||
           target.find("dbname=") != std::string_view::npos;
}

std::unique_ptr<Database> OpenDatabase(const std::string& target, AccessMode mode) {
    if (IsPostgresTarget(target)) return std::make_unique<PostgresDatabase>(target, mode);
    SqliteOptions options;
    options.readOnly = mode == AccessMode::ReadOnly;
    return std::make_unique<SqliteDatabase>(target, options);
}

} // namespace dfe::db
