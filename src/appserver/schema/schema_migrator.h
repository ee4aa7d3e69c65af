#pragma once

#include "appserver/schema/schema_files.h"
#include "platform/db/database.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::appserver {

// One numbered file: "schema/0003_parametros.sql" is kind "schema", version 3.
struct Migration {
    std::string kind;
    int version = 0;
    std::string name;
    std::string_view sql;
};

// The files in the order they apply: every schema file, then every demo file, each by version. Throws
// std::runtime_error for a misnamed file or a repeated version.
std::vector<Migration> OrderMigrations(std::span<const EmbeddedFile> files);

// Applies the files not yet recorded in SCHEMA_VERSION, each in its own transaction with its record, and returns
// the names applied. Demo files only when `withDemo`.
std::vector<std::string> ApplyMigrations(db::Database& db, std::span<const EmbeddedFile> files, bool withDemo);

} // namespace dfe::appserver
