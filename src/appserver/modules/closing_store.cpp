#include "appserver/modules/closing_store.h"

#include "platform/core/text.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <vector>

namespace dfe::appserver {

using text::Trim;
using text::Upper;

namespace {

bool IsBlank(const Variant& v) {
    if (v.IsNull()) return true;
    const std::string* text = v.TextIf();
    return text && Trim(*text).empty();
}

// Stored and sent values compared as the database keeps them: numbers to the column's scale, texts trimmed,
// null and empty text alike.
bool SameValue(const Variant& stored, const Variant& sent) {
    if (IsBlank(stored) || IsBlank(sent)) return IsBlank(stored) && IsBlank(sent);
    try {
        if (stored.IsNumeric() || sent.IsNumeric())
            return std::fabs(stored.AsFloat() - sent.AsFloat()) < 0.00005;
        if (stored.Type() == VariantType::DateTime || sent.Type() == VariantType::DateTime)
            return stored.AsDateTime() == sent.AsDateTime();
        return Trim(stored.AsString()) == Trim(sent.AsString());
    } catch (const std::exception&) {
        return false;
    }
}

std::vector<std::string> TableColumns(db::Database& db, const char* table) {
    const Packet p = db.Query(std::string("SELECT * FROM ") + table + " WHERE 1 = 0");
    std::vector<std::string> out;
    out.reserve(p.fields.size());
    for (const FieldDef& f : p.fields)
        out.push_back(Upper(f.name));
    return out;
}

// A packet field and the table column it is stored in.
struct Column {
    size_t field;
    std::string name;
};

std::vector<Column> SharedColumns(db::Database& db, const PostingTable& table, const Packet& packet,
                                  ColumnMap map) {
    const std::vector<std::string> columns = TableColumns(db, table.name);
    std::vector<Column> out;
    auto add = [&](std::string_view field, std::string_view column) {
        const int i = packet.FieldIndex(field);
        if (i < 0) return;
        for (const std::string& c : columns) {
            if (c == Upper(column)) {
                out.push_back({static_cast<size_t>(i), c});
                return;
            }
        }
    };
    if (map.size() == 0) {
        for (const FieldDef& f : packet.fields)
            add(f.name, f.name);
    } else {
        for (const auto& [field, column] : map)
            add(field, column);
    }
    return out;
}

bool IsPostingColumn(const PostingTable& table, const std::string& column) {
    return column == table.branchColumn || column == "NRLANCTONF";
}

std::string KeyWhere(const PostingTable& table) {
    std::string where =
        std::string(" WHERE ") + table.branchColumn + " = :K_BRANCH AND NRLANCTONF = :K_NUMBER";
    for (const char* column : table.ownKey)
        where += std::string(" AND ") + column + " = :K_" + column;
    return where;
}

db::SqlParams KeyOf(const PostingTable& table, const Packet& p, const std::vector<Variant>& values,
                    const PostingKey& key) {
    db::SqlParams params = {{"K_BRANCH", key.branch}, {"K_NUMBER", key.number}};
    for (const char* column : table.ownKey) {
        const int i = p.FieldIndex(column);
        if (i < 0)
            throw std::runtime_error(std::string("O pacote de ") + table.name + " não tem o campo " + column +
                                     ".");
        params.push_back({std::string("K_") + column, values[static_cast<size_t>(i)]});
    }
    return params;
}

// The row's values to store: the posting's key in place of what the row carries, the placeholder number
// nowhere.
Variant StoredValue(const PostingTable& table, const Column& c, const Variant& v, const PostingKey& key) {
    if (c.name == table.branchColumn) return Variant(key.branch);
    if (c.name == "NRLANCTONF") return Variant(key.number);
    if (const std::string* text = v.TextIf(); text && *text == kNewPostingNumber) return Variant::Null();
    return v;
}

std::string InsertSql(const PostingTable& table, const std::vector<Column>& columns) {
    std::string names, values;
    for (size_t i = 0; i < columns.size(); ++i) {
        names += (i ? ", " : "") + columns[i].name;
        values += (i ? ", :V" : ":V") + std::to_string(i);
    }
    return std::string("INSERT INTO ") + table.name + " (" + names + ") VALUES (" + values + ")";
}

db::SqlParams InsertParams(const PostingTable& table, const std::vector<Column>& columns,
                           const std::vector<Variant>& values, const PostingKey& key) {
    db::SqlParams params;
    params.reserve(columns.size());
    for (size_t i = 0; i < columns.size(); ++i)
        params.push_back(
            {"V" + std::to_string(i), StoredValue(table, columns[i], values[columns[i].field], key)});
    return params;
}

// The stored row under the key, its columns in `columns`' order; nothing when absent.
std::optional<PacketRow> StoredRow(db::Database& db, const PostingTable& table,
                                   const std::vector<Column>& columns, const db::SqlParams& keyParams) {
    std::string names;
    for (size_t i = 0; i < columns.size(); ++i)
        names += (i ? ", " : "") + columns[i].name;
    Packet p = db.Query("SELECT " + names + " FROM " + table.name + KeyWhere(table), keyParams);
    if (p.rows.empty()) return std::nullopt;
    return std::move(p.rows[0]);
}

[[noreturn]] void Conflict(const PostingTable& table) {
    throw ClosingConflict(std::string("Os dados de ") + table.name +
                          " foram alterados em outra estação depois de lidos; recarregue o lançamento.");
}

} // namespace

std::string NextBranchNumber(db::Database& db, const std::string& branch, const std::string& kind) {
    const db::SqlParams params = {{"P_CDFILIAL", branch}, {"P_KIND", kind}};
    if (db.Query("SELECT NRULTIMO FROM NUMERACAOFIL WHERE CDFILIAL = :P_CDFILIAL AND IDNUMERACAO = :P_KIND",
                 params)
            .rows.empty()) {
        // The branch's first closing here counts on from the highest number its postings hold. Two first
        // closings at once: the second waits for the first's row and keeps it.
        const Packet highest =
            db.Query(kind == "NRLANCESTQ" ? "SELECT MAX(NRLANCESTQ) FROM NOTAFISCAL WHERE CDFILIAL = "
                                            ":P_CDFILIAL AND NRLANCESTQ <> 'NOVOCODIGO'"
                                          : "SELECT MAX(NRLANCTONF) FROM NOTAFISCAL WHERE CDFILIAL = "
                                            ":P_CDFILIAL AND NRLANCTONF <> 'NOVOCODIGO'",
                     params);
        int64_t start = 0;
        if (!highest.rows.empty() && !highest.rows[0].values[0].IsNull()) {
            const std::string text = highest.rows[0].values[0].AsString();
            std::from_chars(text.data(), text.data() + text.size(), start);
        }
        db::SqlParams insert = params;
        insert.push_back({"P_NR", start});
        db.Execute(
            "INSERT INTO NUMERACAOFIL (CDFILIAL, IDNUMERACAO, NRULTIMO) VALUES (:P_CDFILIAL, :P_KIND, :P_NR)"
            " ON CONFLICT (CDFILIAL, IDNUMERACAO) DO NOTHING",
            insert);
    }
    db.Execute("UPDATE NUMERACAOFIL SET NRULTIMO = NRULTIMO + 1"
               " WHERE CDFILIAL = :P_CDFILIAL AND IDNUMERACAO = :P_KIND",
               params);
    int64_t next =
        db.Query("SELECT NRULTIMO FROM NUMERACAOFIL WHERE CDFILIAL = :P_CDFILIAL AND IDNUMERACAO = :P_KIND",
                 params)
            .rows.at(0)
            .values.at(0)
            .AsInteger();
    // Numbers given before the counter existed (or by other programs) are passed over.
    const char* held =
        kind == "NRLANCESTQ"
            ? "SELECT 1 FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL AND NRLANCESTQ = :P_NR"
              " UNION ALL SELECT 1 FROM LANCESTOQUE WHERE CDFILIAL = :P_CDFILIAL AND NRLANCESTQ = :P_NR"
            : "SELECT 1 FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NR";
    const int64_t first = next;
    auto text = [](int64_t n) {
        std::string s = std::to_string(n);
        return std::string(s.size() < 10 ? 10 - s.size() : 0, '0') + s;
    };
    while (!db.Query(held, {{"P_CDFILIAL", branch}, {"P_NR", text(next)}}).rows.empty())
        ++next;
    if (next != first) {
        db.Execute(
            "UPDATE NUMERACAOFIL SET NRULTIMO = :P_NR WHERE CDFILIAL = :P_CDFILIAL AND IDNUMERACAO = :P_KIND",
            {{"P_CDFILIAL", branch}, {"P_KIND", kind}, {"P_NR", next}});
    }
    return text(next);
}

bool InsertsNewPosting(const std::optional<Packet>& header) {
    if (!header) return false;
    const int number = header->FieldIndex("NRLANCTONF");
    for (const PacketRow& row : header->rows) {
        if (row.status != RowStatus::Inserted) continue;
        if (number < 0) return true;
        const Variant& v = row.values[static_cast<size_t>(number)];
        if (IsBlank(v) || v.AsString() == kNewPostingNumber) return true;
    }
    return false;
}

std::optional<PostingKey> ClosingPostingKey(const std::optional<Packet>& header,
                                            std::initializer_list<const std::optional<Packet>*> details) {
    auto keyOf = [](const Packet& p, const PacketRow& row,
                    const char* branchColumn) -> std::optional<PostingKey> {
        const int b = p.FieldIndex(branchColumn), n = p.FieldIndex("NRLANCTONF");
        if (b < 0) return std::nullopt;
        const std::vector<Variant>& values = row.status == RowStatus::Modified ? row.original : row.values;
        PostingKey key{Trim(values[static_cast<size_t>(b)].AsString()),
                       n < 0 ? std::string() : Trim(values[static_cast<size_t>(n)].AsString())};
        if (key.number == kNewPostingNumber) key.number.clear();
        if (key.branch.empty()) return std::nullopt;
        return key;
    };
    if (header) {
        for (const PacketRow& row : header->rows)
            if (auto key = keyOf(*header, row, "CDFILIAL")) return key;
    }
    for (const std::optional<Packet>* detail : details) {
        if (!*detail) continue;
        for (const PacketRow& row : (*detail)->rows) {
            auto key = keyOf(**detail, row, "CDFILIAL");
            if (key && !key->number.empty()) return key;
        }
    }
    return std::nullopt;
}

void ApplyDelta(db::Database& db, const PostingTable& table, const Packet& delta, const PostingKey& key,
                bool fresh) {
    if (delta.rows.empty()) return;
    const std::vector<Column> columns = SharedColumns(db, table, delta, {});
    const std::string insertSql = InsertSql(table, columns);
    const std::string where = KeyWhere(table);
    for (const PacketRow& row : delta.rows) {
        switch (row.status) {
        case RowStatus::Unmodified:
            break;
        case RowStatus::Inserted: {
            if (!fresh) {
                const db::SqlParams keyParams = KeyOf(table, delta, row.values, key);
                if (auto stored = StoredRow(db, table, columns, keyParams)) {
                    for (size_t i = 0; i < columns.size(); ++i) {
                        if (!SameValue(stored->values[i],
                                       StoredValue(table, columns[i], row.values[columns[i].field], key)))
                            Conflict(table);
                    }
                    break; // stored by an earlier run of this closing
                }
            }
            db.Execute(insertSql, InsertParams(table, columns, row.values, key));
            break;
        }
        case RowStatus::Modified: {
            const db::SqlParams keyParams = KeyOf(table, delta, row.original, key);
            const std::optional<PacketRow> stored = StoredRow(db, table, columns, keyParams);
            if (!stored) Conflict(table);
            std::string sets;
            db::SqlParams params = keyParams;
            bool asBefore = true, asAfter = true;
            for (size_t i = 0; i < columns.size(); ++i) {
                const Column& c = columns[i];
                if (IsPostingColumn(table, c.name)) continue;
                const Variant& now = row.values[c.field];
                const Variant& before = row.original.empty() ? now : row.original[c.field];
                if (SameValue(before, now)) continue;
                asBefore = asBefore && SameValue(stored->values[i], before);
                asAfter = asAfter && SameValue(stored->values[i], now);
                sets += (sets.empty() ? "" : ", ") + c.name + " = :V" + std::to_string(i);
                params.push_back({"V" + std::to_string(i), StoredValue(table, c, now, key)});
            }
            if (sets.empty() || (asAfter && !asBefore)) break;
            if (!asBefore) Conflict(table);
            db.Execute(std::string("UPDATE ") + table.name + " SET " + sets + where, params);
            break;
        }
        case RowStatus::Deleted:
            db.Execute(std::string("DELETE FROM ") + table.name + where,
                       KeyOf(table, delta, row.values, key));
            break;
        }
    }
}

void ReplaceRows(db::Database& db, const PostingTable& table, const Packet& rows, const PostingKey& key,
                 ColumnMap map) {
    db.Execute(std::string("DELETE FROM ") + table.name + " WHERE " + table.branchColumn +
                   " = :K_BRANCH AND NRLANCTONF = :K_NUMBER",
               {{"K_BRANCH", key.branch}, {"K_NUMBER", key.number}});
    if (rows.rows.empty()) return;
    std::vector<Column> columns = SharedColumns(db, table, rows, map);
    // The posting's key is written whether or not the list carries it.
    for (const char* posting : {table.branchColumn, "NRLANCTONF"}) {
        bool present = false;
        for (const Column& c : columns)
            present = present || c.name == posting;
        if (!present) columns.push_back({0, posting});
    }
    const std::string sql = InsertSql(table, columns);
    for (const PacketRow& row : rows.rows) {
        if (row.status == RowStatus::Deleted) continue;
        db.Execute(sql, InsertParams(table, columns, row.values, key));
    }
}

} // namespace dfe::appserver
