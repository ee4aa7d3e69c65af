// Any byte string given to the NF-e intake is either refused with a reason or stored whole; nothing else
// (crash, leak, database error, other exception) is acceptable. The database is a schema-only SQLite file of
// the fuzzer's own.
#include "appserver/intake/nfe_intake.h"
#include "appserver/schema/schema_migrator.h"
#include "platform/db/sqlite_database.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

dfe::db::Database& FuzzDatabase() {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("dfe_nfe_fuzz_" + std::to_string(getpid()) + ".db"))
            .string();
    static const std::unique_ptr<dfe::db::Database> db = [] {
        std::filesystem::remove(path);
        auto created = std::make_unique<dfe::db::SqliteDatabase>(path);
        dfe::appserver::ApplyMigrations(*created, dfe::appserver::EmbeddedSchemaFiles(), false);
        std::atexit([] {
            for (const char* suffix : {"", "-wal", "-shm"})
                std::filesystem::remove(path + suffix);
        });
        return created;
    }();
    return *db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dfe::db::Database& db = FuzzDatabase();
    const auto result = dfe::appserver::intake::IntakeNfe(db, bytes, "fuzz.xml");
    if (!result.Accepted() && result.reason.empty()) std::abort();
    if (result.Accepted() && result.key.size() != 44) std::abort();
    return 0;
}
