#include "appserver/modules/layout_query.h"

#include "platform/core/text.h"
#include "platform/db/sql_date.h"

#include <stdexcept>

namespace dfe::appserver {
namespace {

Variant AsText(Variant v, int width) {
    if (v.Type() != VariantType::String) v = Variant(v.AsString());
    const std::string& s = v.StringRef();
    // Byte length bounds the character count: only long texts need the UTF-8 count.
    if (width > 0 && s.size() > static_cast<size_t>(width) && text::Length(s) > static_cast<size_t>(width)) {
        return Variant(text::Left(s, static_cast<size_t>(width)));
    }
    return v;
}

Variant AsDate(const Variant& v) {
    if (v.Type() == VariantType::DateTime) return v;
    if (v.Type() == VariantType::String) {
        if (auto d = db::ParseSqlDate(v.StringRef())) return Variant(*d);
        return Variant::Null();
    }
    return Variant(v.AsDateTime());
}

Variant Conform(Variant v, const FieldDef& field) {
    if (v.IsNull()) return Variant::Null();
    switch (field.type) {
    case FieldType::String:
    case FieldType::Memo:
        return AsText(std::move(v), field.type == FieldType::String ? field.size : 0);
    case FieldType::Float:
        return v.Type() == VariantType::Double ? v : Variant(v.AsFloat());
    case FieldType::Integer:
        return v.Type() == VariantType::Integer ? v : Variant(v.AsInteger());
    case FieldType::DateTime:
        return AsDate(v);
    case FieldType::Boolean:
        return v.Type() == VariantType::Boolean ? v : Variant(v.AsBoolean());
    case FieldType::Blob:
        return v;
    }
    return v;
}

// For each layout field, the result column that holds it.
std::vector<size_t> ColumnsOf(const Packet& raw, const PacketLayout& layout) {
    std::vector<size_t> columns;
    columns.reserve(layout.size());
    for (const FieldDef& f : layout) {
        const int index = raw.FieldIndex(f.name);
        if (index < 0) throw std::logic_error("Campo " + f.name + " ausente da consulta");
        columns.push_back(static_cast<size_t>(index));
    }
    return columns;
}

bool InOrder(const std::vector<size_t>& columns, size_t rawCount) {
    if (columns.size() != rawCount) return false;
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i] != i) return false;
    return true;
}

} // namespace

std::string SelectList(const PacketLayout& layout, std::string_view alias,
                       const ColumnExpressions& expressions) {
    std::string sql;
    for (const FieldDef& f : layout) {
        if (!sql.empty()) sql += ", ";
        const std::string_view* expression = nullptr;
        for (const auto& [name, expr] : expressions)
            if (name == f.name) expression = &expr;
        if (expression) {
            sql.append(*expression).append(" AS ").append(f.name);
        } else {
            sql.append(alias).append(".").append(f.name);
        }
    }
    return sql;
}

Packet ShapeToLayout(Packet raw, const PacketLayout& layout) {
    const std::vector<size_t> columns = ColumnsOf(raw, layout);
    Packet shaped;
    shaped.fields = layout;
    shaped.rows = std::move(raw.rows);
    const bool inOrder = InOrder(columns, raw.fields.size());
    for (PacketRow& row : shaped.rows) {
        if (inOrder) {
            for (size_t i = 0; i < layout.size(); ++i)
                row.values[i] = Conform(std::move(row.values[i]), layout[i]);
            continue;
        }
        std::vector<Variant> values;
        values.reserve(layout.size());
        for (size_t i = 0; i < layout.size(); ++i)
            values.push_back(Conform(row.values[columns[i]], layout[i]));
        row.values = std::move(values);
    }
    return shaped;
}

} // namespace dfe::appserver
