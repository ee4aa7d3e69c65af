#include "platform/db/sqlite_database.h"

#include "platform/core/text.h"
#include "platform/db/declared_type.h"
#include "platform/db/sql_date.h"
#include "platform/db/sql_parameters.h"

#include <optional>
#include <sqlite3.h>
#include <unordered_map>

namespace dfe::db {
namespace {

sqlite3_stmt* Prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt, &tail) != SQLITE_OK) {
        throw DatabaseError(std::string("Erro no comando SQL: ") + sqlite3_errmsg(db));
    }
    if (tail && !text::Trim(tail).empty()) {
        sqlite3_finalize(stmt);
        throw DatabaseError("Um comando SQL com parâmetros deve ser único: " + std::string(tail));
    }
    return stmt;
}

} // namespace

// Prepared statements kept by their text: a screen repeats the same few lookups for every row it checks,
// and preparing costs more than running them.
struct SqliteDatabase::StatementCache {
    struct Entry {
        ParsedSql parsed;
        sqlite3_stmt* stmt = nullptr;
        bool busy = false;
        uint64_t lastUse = 0;
    };
    static constexpr size_t kCapacity = 64;

    std::unordered_map<std::string, Entry> entries;
    uint64_t clock = 0;

    ~StatementCache() {
        for (auto& [text, entry] : entries)
            sqlite3_finalize(entry.stmt);
    }

    // Room for one more: the least recently used idle statement goes.
    void MakeRoom() {
        if (entries.size() < kCapacity) return;
        auto oldest = entries.end();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (!it->second.busy && (oldest == entries.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        if (oldest == entries.end()) return;
        sqlite3_finalize(oldest->second.stmt);
        entries.erase(oldest);
    }
};

namespace {

// One use of a statement: taken from the cache when idle there, else prepared for this use alone (a text
// run again while its rows are still being read). Reset on release, so no read transaction outlives it.
class Statement {
public:
    Statement(SqliteDatabase::StatementCache& cache, sqlite3* db, std::string_view sql) {
        auto found = cache.entries.find(std::string(sql));
        if (found == cache.entries.end()) {
            ParsedSql parsed(sql);
            sqlite3_stmt* stmt = Prepare(db, parsed.Render(PlaceholderStyle::QuestionNumber));
            cache.MakeRoom();
            found =
                cache.entries
                    .emplace(std::string(sql), SqliteDatabase::StatementCache::Entry{std::move(parsed), stmt})
                    .first;
        }
        if (found->second.busy) {
            ownParsed_.emplace(found->second.parsed);
            own_ = Prepare(db, ownParsed_->Render(PlaceholderStyle::QuestionNumber));
            stmt_ = own_;
            parsed_ = &*ownParsed_;
        } else {
            entry_ = &found->second;
            entry_->busy = true;
            entry_->lastUse = ++cache.clock;
            stmt_ = entry_->stmt;
            parsed_ = &entry_->parsed;
        }
    }
    ~Statement() {
        if (own_) {
            sqlite3_finalize(own_);
            return;
        }
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        entry_->busy = false;
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* Get() const { return stmt_; }
    const ParsedSql& Parsed() const { return *parsed_; }

private:
    SqliteDatabase::StatementCache::Entry* entry_ = nullptr;
    std::optional<ParsedSql> ownParsed_;
    sqlite3_stmt* own_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    const ParsedSql* parsed_ = nullptr;
};

const Variant* FindParam(const SqlParams& params, std::string_view name) {
    for (const auto& [key, value] : params) {
        std::string_view k = key;
        if (!k.empty() && k.front() == ':') k.remove_prefix(1);
        if (text::SameText(k, name)) return &value;
    }
    return nullptr;
}

void BindValue(sqlite3_stmt* stmt, int index, const std::string& name, const Variant* value) {
    int rc = SQLITE_OK;
    if (!value || value->IsNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (value->Type()) {
        case VariantType::Boolean:
            rc = sqlite3_bind_int(stmt, index, value->AsBoolean() ? 1 : 0);
            break;
        case VariantType::Integer:
            rc = sqlite3_bind_int64(stmt, index, value->AsInteger());
            break;
        case VariantType::Double:
            rc = sqlite3_bind_double(stmt, index, value->AsFloat());
            break;
        case VariantType::String: {
            const std::string& s = value->AsString();
            rc = sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
            break;
        }
        case VariantType::DateTime: {
            const DateTime d = value->AsDateTime();
            if (d.IsEmpty()) {
                rc = sqlite3_bind_null(stmt, index);
            } else {
                const std::string s = FormatSqlDate(d);
                rc = sqlite3_bind_text(stmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
            }
            break;
        }
        case VariantType::Packet: {
            const std::string& b = value->AsPacket().Bytes();
            rc = sqlite3_bind_blob(stmt, index, b.data(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default:
            throw DatabaseError("O parâmetro " + name + " não aceita um valor do tipo vetor");
        }
    }
    if (rc != SQLITE_OK) throw DatabaseError("Não foi possível ligar o parâmetro " + name);
}

void BindAll(sqlite3_stmt* stmt, const ParsedSql& parsed, const SqlParams& params) {
    for (size_t i = 0; i < parsed.Names().size(); ++i) {
        const std::string& name = parsed.Names()[i];
        BindValue(stmt, static_cast<int>(i + 1), name, FindParam(params, name));
    }
}

Variant ReadColumn(sqlite3_stmt* stmt, int col, const std::optional<DeclaredType>& declared) {
    const int kind = sqlite3_column_type(stmt, col);
    if (kind == SQLITE_NULL) return Variant::Null();
    const FieldType type = declared ? declared->type : FieldType::String;
    if (declared && type == FieldType::DateTime) {
        if (kind == SQLITE_TEXT) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
            if (auto d = ParseSqlDate(t ? t : "")) return Variant(*d);
            return Variant::Null();
        }
        return Variant(DateTime(sqlite3_column_double(stmt, col)));
    }
    if (declared && type == FieldType::Float) return Variant(sqlite3_column_double(stmt, col));
    if (declared && type == FieldType::Integer && kind != SQLITE_TEXT) {
        return Variant(static_cast<int64_t>(sqlite3_column_int64(stmt, col)));
    }
    if (declared && type == FieldType::Boolean) return Variant(sqlite3_column_int(stmt, col) != 0);
    switch (kind) {
    case SQLITE_INTEGER:
        return Variant(static_cast<int64_t>(sqlite3_column_int64(stmt, col)));
    case SQLITE_FLOAT:
        return Variant(sqlite3_column_double(stmt, col));
    case SQLITE_BLOB: {
        const auto* b = static_cast<const char*>(sqlite3_column_blob(stmt, col));
        return Variant(std::string(b ? b : "", static_cast<size_t>(sqlite3_column_bytes(stmt, col))));
    }
    default: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
        return Variant(std::string(t ? t : "", static_cast<size_t>(sqlite3_column_bytes(stmt, col))));
    }
    }
}

// Columns without a usable declaration (expressions) take their type from the values they hold.
FieldDef InferField(const std::string& name, const std::vector<PacketRow>& rows, size_t col) {
    FieldDef def{name, FieldType::String, 1, false};
    bool sawInteger = false, sawFloat = false, sawText = false;
    for (const PacketRow& row : rows) {
        const Variant& v = row.values[col];
        if (v.Type() == VariantType::Integer)
            sawInteger = true;
        else if (v.Type() == VariantType::Double)
            sawFloat = true;
        else if (v.Type() == VariantType::String)
            sawText = true;
    }
    if (!sawText && sawFloat)
        def.type = FieldType::Float;
    else if (!sawText && sawInteger)
        def.type = FieldType::Integer;
    return def;
}

// Makes every value fit its field: numbers of text columns become text, integers of float columns doubles,
// and string sizes grow to the longest value.
void Conform(FieldDef& def, std::vector<PacketRow>& rows, size_t col) {
    for (PacketRow& row : rows) {
        Variant& v = row.values[col];
        if (v.IsNull()) continue;
        switch (def.type) {
        case FieldType::String:
        case FieldType::Memo:
            if (v.Type() != VariantType::String) v = Variant(v.AsString());
            if (def.type == FieldType::String) {
                def.size = std::max(def.size, static_cast<int>(text::Length(v.AsString())));
            }
            break;
        case FieldType::Float:
            if (v.Type() != VariantType::Double) v = Variant(v.AsFloat());
            break;
        case FieldType::Integer:
            if (v.Type() != VariantType::Integer) v = Variant(v.AsInteger());
            break;
        default:
            break;
        }
    }
    if (def.type == FieldType::String && def.size == 0) def.size = 1;
}

void NvlFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    sqlite3_result_value(ctx, argc > 0 && sqlite3_value_type(argv[0]) != SQLITE_NULL ? argv[0] : argv[1]);
}

// The statement's current row, read column by column without building values.
class StatementRow : public ResultRow {
public:
    explicit StatementRow(sqlite3_stmt* stmt) : stmt_(stmt) {}
    int ColumnCount() const override { return sqlite3_column_count(stmt_); }
    std::string_view ColumnName(int column) const override {
        const char* name = sqlite3_column_name(stmt_, column);
        return name ? name : "";
    }
    bool IsNull(int column) const override { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    std::string_view Text(int column) const override {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return t ? std::string_view(t, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string_view();
    }
    std::optional<std::string_view> TextOrNull(int column) const override {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        if (!t) {
            // A null pointer for a value that is not null means SQLite ran out of memory converting it.
            if (sqlite3_column_type(stmt_, column) != SQLITE_NULL)
                throw DatabaseError("Sem memória para ler a consulta");
            return std::nullopt;
        }
        return std::string_view(t, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
    }
    double Float(int column) const override { return sqlite3_column_double(stmt_, column); }
    int64_t Integer(int column) const override { return sqlite3_column_int64(stmt_, column); }
    std::optional<DateTime> Date(int column) const override {
        const int kind = sqlite3_column_type(stmt_, column);
        if (kind == SQLITE_NULL) return std::nullopt;
        if (kind == SQLITE_TEXT) return ParseSqlDate(Text(column));
        return DateTime(sqlite3_column_double(stmt_, column));
    }

private:
    sqlite3_stmt* stmt_;
};

} // namespace

SqliteDatabase::SqliteDatabase(const std::string& path, SqliteOptions options)
    : statements_(std::make_unique<StatementCache>()) {
    int flags = options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (options.create && !options.readOnly) flags |= SQLITE_OPEN_CREATE;
    flags |= SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        const std::string why = db_ ? sqlite3_errmsg(db_) : "sem memória";
        sqlite3_close(db_);
        db_ = nullptr;
        throw DatabaseError("Não foi possível abrir o banco de dados " + path + ": " + why);
    }
    sqlite3_busy_timeout(db_, static_cast<int>(options.busyTimeout.count()));
    sqlite3_create_function(db_, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, NvlFunction, nullptr,
                            nullptr);
    try {
        if (!options.readOnly) ExecuteScript("PRAGMA journal_mode=WAL");
        // FULL: a commit the server acknowledged survives a crash of the machine, not only of the process.
        ExecuteScript("PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON");
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SqliteDatabase::~SqliteDatabase() {
    statements_.reset();
    sqlite3_close(db_);
}

void SqliteDatabase::Fail(const std::string& what) const {
    throw DatabaseError(what + ": " + sqlite3_errmsg(db_));
}

void SqliteDatabase::ExecuteScript(std::string_view sql) {
    char* error = nullptr;
    const std::string text(sql);
    if (sqlite3_exec(db_, text.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw DatabaseError("Erro ao executar SQL: " + why);
    }
}

Packet SqliteDatabase::Query(std::string_view sql, const SqlParams& params) {
    Statement stmt(*statements_, db_, sql);
    BindAll(stmt.Get(), stmt.Parsed(), params);

    const int columns = sqlite3_column_count(stmt.Get());
    std::vector<std::optional<DeclaredType>> declared;
    Packet packet;
    for (int c = 0; c < columns; ++c) {
        const char* decl = sqlite3_column_decltype(stmt.Get(), c);
        declared.push_back(FieldTypeOfDeclaration(decl ? decl : ""));
    }
    for (;;) {
        const int rc = sqlite3_step(stmt.Get());
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) Fail("Erro ao ler o resultado da consulta");
        PacketRow row;
        row.values.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.values.push_back(ReadColumn(stmt.Get(), c, declared[c]));
        packet.rows.push_back(std::move(row));
    }
    for (int c = 0; c < columns; ++c) {
        const std::string name = sqlite3_column_name(stmt.Get(), c);
        const size_t col = static_cast<size_t>(c);
        FieldDef def = declared[col] ? FieldDef{name, declared[col]->type, declared[col]->size, false}
                                     : InferField(name, packet.rows, col);
        Conform(def, packet.rows, col);
        packet.fields.push_back(std::move(def));
    }
    return packet;
}

void SqliteDatabase::ForEachRow(std::string_view sql, const SqlParams& params, const RowCallback& onRow) {
    Statement stmt(*statements_, db_, sql);
    BindAll(stmt.Get(), stmt.Parsed(), params);
    const StatementRow row(stmt.Get());
    for (;;) {
        const int rc = sqlite3_step(stmt.Get());
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) Fail("Erro ao ler o resultado da consulta");
        onRow(row);
    }
}

int64_t SqliteDatabase::Execute(std::string_view sql, const SqlParams& params) {
    Statement stmt(*statements_, db_, sql);
    BindAll(stmt.Get(), stmt.Parsed(), params);
    for (;;) {
        const int rc = sqlite3_step(stmt.Get());
        if (rc == SQLITE_DONE) break;
        if (rc != SQLITE_ROW) Fail("Erro ao executar o comando");
    }
    return sqlite3_changes64(db_);
}

void SqliteDatabase::Begin(TransactionMode mode) {
    // A writer takes the write lock up front; upgrading a read transaction later could fail without waiting.
    Execute(mode == TransactionMode::Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

void SqliteDatabase::Commit() {
    Execute("COMMIT");
}

void SqliteDatabase::Rollback() noexcept {
    if (InTransaction()) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool SqliteDatabase::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

} // namespace dfe::db
