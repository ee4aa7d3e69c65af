#pragma once

#include "platform/db/database.h"

#include <string>

struct pg_conn;

namespace dfe::db {

// The multi-user deployment: the same schema files and the same generic lookup texts as SQLite. Column names
// come back upper-case, as the ERP writes them. Installs the helper functions the generic texts use (NVL)
// when the database lacks them.
class PostgresDatabase : public Database {
public:
    explicit PostgresDatabase(const std::string& connectionString, AccessMode mode = AccessMode::ReadWrite);
    ~PostgresDatabase() override;
    PostgresDatabase(const PostgresDatabase&) = delete;
    PostgresDatabase& operator=(const PostgresDatabase&) = delete;

    Dialect SqlDialect() const override { return Dialect::Generic; }
    std::string BackendName() const override { return "postgresql"; }
    void ExecuteScript(std::string_view sql) override;
    Packet Query(std::string_view sql, const SqlParams& params = {}) override;
    int64_t Execute(std::string_view sql, const SqlParams& params = {}) override;
    void Begin(TransactionMode mode) override;
    void Commit() override;
    void Rollback() noexcept override;
    bool InTransaction() const override;

private:
    void InstallHelpers();
    pg_conn* conn_ = nullptr;
};

} // namespace dfe::db
