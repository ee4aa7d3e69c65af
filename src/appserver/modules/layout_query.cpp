#include "appserver/modules/layout_query.h"

#include "platform/core/decimal.h"
#include "platform/core/text.h"

#include <stdexcept>

namespace dfe::appserver {
namespace {

void CheckColumns(const db::ResultRow& row, const std::vector<FieldDef>& fields) {
    bool same = row.ColumnCount() == static_cast<int>(fields.size());
    for (size_t i = 0; same && i < fields.size(); ++i)
        same = text::SameText(row.ColumnName(static_cast<int>(i)), fields[i].name);
    if (!same)
        throw std::logic_error("As colunas da consulta não são os campos do pacote de " + fields[0].name);
}

void WriteText(PacketEncoder& out, const db::ResultRow& row, int column, const DisplayText& text) {
    if (row.IsNull(column)) return out.Null();
    if (text.kind == DisplayText::Kind::Number)
        return out.Text(decimal::Format(text.format, row.Float(column)));
    if (const auto d = row.Date(column)) return out.Text(d->Format(text.format));
    out.Null();
}

void WriteValue(PacketEncoder& out, const db::ResultRow& row, int column, FieldType type) {
    if (type == FieldType::String || type == FieldType::Memo || type == FieldType::Blob) {
        if (const auto t = row.TextOrNull(column)) return out.Text(*t);
        return out.Null();
    }
    if (row.IsNull(column)) return out.Null();
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        return;
    case FieldType::Float:
        return out.Float(row.Float(column));
    case FieldType::Integer:
        return out.Integer(row.Integer(column));
    case FieldType::Boolean:
        return out.Boolean(row.Integer(column) != 0);
    case FieldType::DateTime:
        if (const auto d = row.Date(column)) return out.Date(d->Days());
        return out.Null();
    }
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

void AppendRows(db::Database& db, PacketEncoder& encoder, std::string_view sql, const db::SqlParams& params,
                const DisplayTexts& texts) {
    const std::vector<FieldDef>& fields = encoder.Fields();
    std::vector<FieldType> types;
    std::vector<const DisplayText*> shown(fields.size(), nullptr);
    for (size_t i = 0; i < fields.size(); ++i) {
        types.push_back(fields[i].type);
        for (const DisplayText& t : texts)
            if (t.field == fields[i].name) shown[i] = &t;
    }
    bool checked = false;
    db.ForEachRow(sql, params, [&](const db::ResultRow& row) {
        if (!checked) CheckColumns(row, fields);
        checked = true;
        encoder.BeginRow();
        for (size_t i = 0; i < types.size(); ++i) {
            if (shown[i])
                WriteText(encoder, row, static_cast<int>(i), *shown[i]);
            else
                WriteValue(encoder, row, static_cast<int>(i), types[i]);
        }
        encoder.EndRow();
    });
}

DataPacket QueryPacket(db::Database& db, const PacketLayout& layout, std::string_view sql,
                       const db::SqlParams& params, const DisplayTexts& texts) {
    PacketEncoder encoder(layout);
    AppendRows(db, encoder, sql, params, texts);
    return encoder.Finish();
}

} // namespace dfe::appserver
