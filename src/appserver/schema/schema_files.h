#pragma once

#include <span>
#include <string_view>

namespace dfe::appserver {

struct EmbeddedFile {
    std::string_view name;    // "schema/0001_servidor.sql", "demo/0001_cadastros.sql"
    std::string_view content;
};

// The schema and demo data files compiled into the server, sorted by name.
std::span<const EmbeddedFile> EmbeddedSchemaFiles();

} // namespace dfe::appserver
