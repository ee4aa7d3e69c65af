#include "platform/db/query_parameters.h"

#include "platform/core/text.h"
#include "platform/db/sql_parameters.h"

namespace dfe::db {

void QueryParameters::SyncWithText(std::string_view sql) {
    // A query is opened again and again with the same text; only a new text is parsed.
    if (synced_ && sql == syncedText_) return;
    const ParsedSql parsed(sql);
    std::vector<std::pair<std::string, Variant>> next;
    for (const std::string& name : parsed.Names()) {
        Variant value = Variant::Null();
        for (auto& [old, v] : items_) {
            if (text::SameText(old, name)) value = std::move(v);
        }
        next.emplace_back(name, std::move(value));
    }
    items_ = std::move(next);
    syncedText_ = sql;
    synced_ = true;
}

bool QueryParameters::Has(std::string_view name) const {
    for (const auto& [n, v] : items_) {
        if (text::SameText(n, name)) return true;
    }
    return false;
}

Variant& QueryParameters::ByName(std::string_view name) {
    for (auto& [n, v] : items_) {
        if (text::SameText(n, name)) return v;
    }
    throw DatabaseError("Parâmetro " + std::string(name) + " não encontrado na consulta");
}

const Variant& QueryParameters::ByName(std::string_view name) const {
    return const_cast<QueryParameters*>(this)->ByName(name);
}

} // namespace dfe::db
