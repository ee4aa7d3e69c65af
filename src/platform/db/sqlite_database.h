#pragma once

#include "platform/db/database.h"

#include <chrono>
#include <memory>
#include <string>

struct sqlite3;

namespace dfe::db {

struct SqliteOptions {
    bool create = true;
    bool readOnly = false;
    // How long a statement waits for another connection's write lock before failing.
    std::chrono::milliseconds busyTimeout{10000};
};

// The embedded database: one file in WAL mode, so readers never wait for the writer. Provides the functions
// the generic lookup texts use (NVL).
class SqliteDatabase : public Database {
public:
    explicit SqliteDatabase(const std::string& path, SqliteOptions options = {});
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    Dialect SqlDialect() const override { return Dialect::Generic; }
    std::string BackendName() const override { return "sqlite"; }
    void ExecuteScript(std::string_view sql) override;
    Packet Query(std::string_view sql, const SqlParams& params = {}) override;
    void ForEachRow(std::string_view sql, const SqlParams& params, const RowCallback& onRow) override;
    int64_t Execute(std::string_view sql, const SqlParams& params = {}) override;
    void Begin(TransactionMode mode) override;
    void Commit() override;
    void Rollback() noexcept override;
    bool InTransaction() const override;

    struct StatementCache;

private:
    [[noreturn]] void Fail(const std::string& what) const;
    sqlite3* db_ = nullptr;
    std::unique_ptr<StatementCache> statements_;
};

} // namespace dfe::db
