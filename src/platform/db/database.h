#pragma once

#include "platform/core/variant.h"
#include "platform/data/packet.h"
#include "platform/db/result_row.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dfe::db {

// Which of a lookup's texts a database reads: SQLite and PostgreSQL read the generic one.
enum class Dialect { Generic, Oracle, SqlServer, InterBase };

class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Values of the ":NAME" parameters of a statement, by name without case. A parameter of the text that has no
// value here is bound as null; values for names the text does not use are ignored.
using SqlParams = std::vector<std::pair<std::string, Variant>>;

enum class TransactionMode { Read, Write };

// One connection to the ERP database. Values are always bound, never spliced into the text.
class Database {
public:
    virtual ~Database() = default;
    virtual Dialect SqlDialect() const = 0;
    virtual std::string BackendName() const = 0;

    // Several statements without parameters (schema files).
    virtual void ExecuteScript(std::string_view sql) = 0;
    // Rows of a SELECT as a packet: fields typed from the columns' declared types (or their values).
    virtual Packet Query(std::string_view sql, const SqlParams& params = {}) = 0;
    // The rows of a SELECT handed one by one to `onRow`, for readers that build their own answer from them.
    // This reads through Query; a backend overrides it to read its cursor directly.
    virtual void ForEachRow(std::string_view sql, const SqlParams& params, const RowCallback& onRow);
    // An INSERT, UPDATE or DELETE; returns the rows it changed.
    virtual int64_t Execute(std::string_view sql, const SqlParams& params = {}) = 0;

    virtual void Begin(TransactionMode mode) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() noexcept = 0;
    virtual bool InTransaction() const = 0;
};

// Rolls back unless committed.
class Transaction {
public:
    Transaction(Database& db, TransactionMode mode) : db_(db) { db_.Begin(mode); }
    ~Transaction() {
        if (!done_) db_.Rollback();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit() {
        db_.Commit();
        done_ = true;
    }

private:
    Database& db_;
    bool done_ = false;
};

// ReadOnly is how the client opens the database for its lookups: every write goes through the server.
enum class AccessMode { ReadWrite, ReadOnly };

// A SQLite file path, or a PostgreSQL connection string ("postgresql://..." or "host=... dbname=...").
std::unique_ptr<Database> OpenDatabase(const std::string& target, AccessMode mode = AccessMode::ReadWrite);
bool IsPostgresTarget(std::string_view target);

} // namespace dfe::db
