#include "platform/db/postgres_database.h"

#include "platform/core/text.h"
#include "platform/db/sql_date.h"
#include "platform/db/sql_parameters.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <libpq-fe.h>
#include <memory>
#include <optional>

namespace dfe::db {
namespace {

// Type identifiers of the PostgreSQL catalogue.
constexpr Oid kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kText = 25, kFloat4 = 700,
              kFloat8 = 701, kBpchar = 1042, kVarchar = 1043, kDate = 1082, kTimestamp = 1114,
              kTimestampTz = 1184, kNumeric = 1700;

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// Bound values as text; strings go untyped so that the server gives them the type of what they meet.
struct BoundParams {
    std::vector<std::optional<std::string>> texts;
    std::vector<const char*> values;
    std::vector<Oid> types;
};

const Variant* FindParam(const SqlParams& params, std::string_view name) {
    for (const auto& [key, value] : params) {
        std::string_view k = key;
        if (!k.empty() && k.front() == ':') k.remove_prefix(1);
        if (text::SameText(k, name)) return &value;
    }
    return nullptr;
}

BoundParams Bind(const ParsedSql& parsed, const SqlParams& params) {
    BoundParams b;
    for (const std::string& name : parsed.Names()) {
        const Variant* v = FindParam(params, name);
        std::optional<std::string> text;
        Oid type = 0;
        if (v && !v->IsNull()) {
            switch (v->Type()) {
            case VariantType::Boolean:
                text = v->AsBoolean() ? "true" : "false";
                type = kBool;
                break;
            case VariantType::Integer:
                text = std::to_string(v->AsInteger());
                type = kInt8;
                break;
            case VariantType::Double: {
                char buf[32];
                const auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), v->AsFloat());
                text = std::string(buf, ec == std::errc() ? end : buf);
                type = kFloat8;
                break;
            }
            case VariantType::String:
                text = v->AsString();
                break;
            case VariantType::DateTime:
                if (!v->AsDateTime().IsEmpty()) {
                    text = FormatSqlDate(v->AsDateTime());
                    type = kTimestamp;
                }
                break;
            default:
                throw DatabaseError("O parâmetro " + name + " não aceita um valor do tipo " +
                                    VariantTypeName(v->Type()));
            }
        }
        b.texts.push_back(std::move(text));
        b.types.push_back(type);
    }
    for (const auto& t : b.texts)
        b.values.push_back(t ? t->c_str() : nullptr);
    return b;
}

std::optional<FieldDef> FieldOfType(const std::string& name, Oid type, int modifier) {
    switch (type) {
    case kBool:
        return FieldDef{name, FieldType::Boolean, 0, false};
    case kInt2:
    case kInt4:
    case kInt8:
        return FieldDef{name, FieldType::Integer, 0, false};
    case kFloat4:
    case kFloat8:
    case kNumeric:
        return FieldDef{name, FieldType::Float, 0, false};
    case kDate:
    case kTimestamp:
    case kTimestampTz:
        return FieldDef{name, FieldType::DateTime, 0, false};
    case kVarchar:
    case kBpchar:
        return FieldDef{name, FieldType::String, modifier > 4 ? modifier - 4 : 0, false};
    case kText:
        return FieldDef{name, FieldType::Memo, 0, false};
    case kBytea:
        return FieldDef{name, FieldType::Blob, 0, false};
    default:
        return std::nullopt;
    }
}

Variant ReadValue(const char* raw, int length, FieldType type) {
    const std::string_view s(raw, static_cast<size_t>(length));
    switch (type) {
    case FieldType::Boolean:
        return Variant(s == "t");
    case FieldType::Integer: {
        int64_t v = 0;
        std::from_chars(s.data(), s.data() + s.size(), v);
        return Variant(v);
    }
    case FieldType::Float:
        return Variant(std::strtod(std::string(s).c_str(), nullptr));
    case FieldType::DateTime: {
        if (auto d = ParseSqlDate(s.substr(0, std::min<size_t>(s.size(), 23)))) return Variant(*d);
        return Variant::Null();
    }
    default:
        return Variant(std::string(s));
    }
}

} // namespace

PostgresDatabase::PostgresDatabase(const std::string& connectionString, AccessMode mode) {
    conn_ = PQconnectdb(connectionString.c_str());
    if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
        const std::string why = conn_ ? PQerrorMessage(conn_) : "sem memória";
        PQfinish(conn_);
        conn_ = nullptr;
        throw DatabaseError("Não foi possível conectar ao PostgreSQL: " + text::Trim(why));
    }
    try {
        ExecuteScript(
            "SET client_encoding = 'UTF8'; SET DateStyle = 'ISO, YMD'; SET client_min_messages = warning");
        if (mode == AccessMode::ReadOnly) {
            ExecuteScript("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY");
        } else {
            InstallHelpers();
        }
    } catch (...) {
        PQfinish(conn_);
        throw;
    }
}

PostgresDatabase::~PostgresDatabase() {
    PQfinish(conn_);
}

void PostgresDatabase::InstallHelpers() {
    const Packet found = Query("SELECT COUNT(*) AS N FROM pg_proc WHERE proname = 'nvl'");
    if (!found.rows.empty() && found.rows[0].values[0].AsInteger() > 0) return;
    try {
        ExecuteScript("CREATE OR REPLACE FUNCTION NVL(text, text) RETURNS text LANGUAGE sql IMMUTABLE AS "
                      "'SELECT COALESCE($1, $2)';"
                      "CREATE OR REPLACE FUNCTION NVL(bigint, bigint) RETURNS bigint LANGUAGE sql IMMUTABLE "
                      "AS 'SELECT COALESCE($1, $2)';"
                      "CREATE OR REPLACE FUNCTION NVL(numeric, numeric) RETURNS numeric LANGUAGE sql "
                      "IMMUTABLE AS 'SELECT COALESCE($1, $2)';"
                      "CREATE OR REPLACE FUNCTION NVL(double precision, double precision) RETURNS double "
                      "precision LANGUAGE sql IMMUTABLE AS 'SELECT COALESCE($1, $2)';"
                      "CREATE OR REPLACE FUNCTION NVL(timestamp, timestamp) RETURNS timestamp LANGUAGE sql "
                      "IMMUTABLE AS 'SELECT COALESCE($1, $2)';");
    } catch (const DatabaseError&) {
        // Another connection installed them at the same moment.
    }
}

void PostgresDatabase::ExecuteScript(std::string_view sql) {
    const Result r(PQexec(conn_, std::string(sql).c_str()));
    const ExecStatusType status = PQresultStatus(r.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        throw DatabaseError("Erro ao executar SQL: " + text::Trim(PQerrorMessage(conn_)));
    }
}

Packet PostgresDatabase::Query(std::string_view sql, const SqlParams& params) {
    const ParsedSql parsed(sql);
    const BoundParams bound = Bind(parsed, params);
    const Result r(PQexecParams(conn_, parsed.Render(PlaceholderStyle::DollarNumber).c_str(),
                                static_cast<int>(bound.values.size()), bound.types.data(),
                                bound.values.data(), nullptr, nullptr, 0));
    if (PQresultStatus(r.get()) != PGRES_TUPLES_OK) {
        throw DatabaseError("Erro na consulta: " + text::Trim(PQerrorMessage(conn_)));
    }
    Packet packet;
    const int columns = PQnfields(r.get());
    const int rows = PQntuples(r.get());
    for (int c = 0; c < columns; ++c) {
        const std::string name = text::Upper(PQfname(r.get(), c));
        packet.fields.push_back(FieldOfType(name, PQftype(r.get(), c), PQfmod(r.get(), c))
                                    .value_or(FieldDef{name, FieldType::String, 0, false}));
    }
    packet.rows.reserve(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        PacketRow out;
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(r.get(), row, c)) {
                out.values.push_back(Variant::Null());
            } else {
                out.values.push_back(ReadValue(PQgetvalue(r.get(), row, c), PQgetlength(r.get(), row, c),
                                               packet.fields[static_cast<size_t>(c)].type));
            }
        }
        packet.rows.push_back(std::move(out));
    }
    for (size_t c = 0; c < packet.fields.size(); ++c) {
        FieldDef& f = packet.fields[c];
        if (f.type != FieldType::String) continue;
        for (const PacketRow& row : packet.rows) {
            if (!row.values[c].IsNull())
                f.size = std::max(f.size, static_cast<int>(text::Length(row.values[c].AsString())));
        }
        if (f.size == 0) f.size = 1;
    }
    return packet;
}

int64_t PostgresDatabase::Execute(std::string_view sql, const SqlParams& params) {
    const ParsedSql parsed(sql);
    const BoundParams bound = Bind(parsed, params);
    const Result r(PQexecParams(conn_, parsed.Render(PlaceholderStyle::DollarNumber).c_str(),
                                static_cast<int>(bound.values.size()), bound.types.data(),
                                bound.values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(r.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        throw DatabaseError("Erro ao executar o comando: " + text::Trim(PQerrorMessage(conn_)));
    }
    const char* count = PQcmdTuples(r.get());
    return count && *count ? std::atoll(count) : 0;
}

void PostgresDatabase::Begin(TransactionMode) {
    ExecuteScript("BEGIN");
}

void PostgresDatabase::Commit() {
    ExecuteScript("COMMIT");
}

void PostgresDatabase::Rollback() noexcept {
    if (InTransaction()) {
        PGresult* r = PQexec(conn_, "ROLLBACK");
        PQclear(r);
    }
}

bool PostgresDatabase::InTransaction() const {
    const PGTransactionStatusType s = PQtransactionStatus(conn_);
    return s == PQTRANS_INTRANS || s == PQTRANS_INERROR || s == PQTRANS_ACTIVE;
}

} // namespace dfe::db
