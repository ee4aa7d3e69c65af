#include "platform/db/database.h"

#include "platform/db/sql_date.h"

namespace dfe::db {
namespace {

// A row of a query's packet seen as a result row.
class PacketResultRow : public ResultRow {
public:
    PacketResultRow(const Packet& packet, const PacketRow& row) : packet_(packet), row_(row) {}
    int ColumnCount() const override { return static_cast<int>(packet_.fields.size()); }
    std::string_view ColumnName(int column) const override { return packet_.fields.at(Index(column)).name; }
    bool IsNull(int column) const override { return Value(column).IsNull(); }
    std::string_view Text(int column) const override {
        const Variant& v = Value(column);
        if (const std::string* s = v.TextIf()) return *s;
        scratch_ = v.IsNull() ? std::string() : v.AsString();
        return scratch_;
    }
    double Float(int column) const override { return Value(column).AsFloat(); }
    int64_t Integer(int column) const override { return Value(column).AsInteger(); }
    std::optional<DateTime> Date(int column) const override {
        const Variant& v = Value(column);
        if (const std::string* s = v.TextIf()) return ParseSqlDate(*s);
        if (v.IsNull()) return std::nullopt;
        return v.AsDateTime();
    }

private:
    static size_t Index(int column) { return static_cast<size_t>(column); }
    const Variant& Value(int column) const { return row_.values.at(Index(column)); }

    const Packet& packet_;
    const PacketRow& row_;
    mutable std::string scratch_;
};

} // namespace

void Database::ForEachRow(std::string_view sql, const SqlParams& params, const RowCallback& onRow) {
    const Packet packet = Query(sql, params);
    for (const PacketRow& row : packet.rows)
        onRow(PacketResultRow(packet, row));
}

} // namespace dfe::db
