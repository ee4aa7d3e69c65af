#pragma once

#include "appserver/modules/posting_layouts.h"
#include "platform/data/packet.h"
#include "platform/db/database.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dfe::appserver {

// Columns of a layout that do not come from the main table: field name and SQL expression.
using ColumnExpressions = std::vector<std::pair<std::string_view, std::string_view>>;

// "A.F1, A.F2, expr AS F3, ...": every field of the layout in its order, read from `alias` unless an
// expression is given for it.
std::string SelectList(const PacketLayout& layout, std::string_view alias,
                       const ColumnExpressions& expressions = {});

// Gives a query result exactly the layout's fields, types and widths: values are converted to the field's
// type, texts longer than the field are cut at its width (joined register names are wider than the list
// shows). Throws std::logic_error when a field of the layout is missing from the result.
Packet ShapeToLayout(Packet raw, const PacketLayout& layout);

inline Packet QueryLayout(db::Database& db, const PacketLayout& layout, std::string_view sql,
                          const db::SqlParams& params) {
    return ShapeToLayout(db.Query(sql, params), layout);
}

} // namespace dfe::appserver
