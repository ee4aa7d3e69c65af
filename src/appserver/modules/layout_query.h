#pragma once

#include "appserver/modules/posting_layouts.h"
#include "platform/data/packet_encoder.h"
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

// Text fields shown to the clerk as a date or an amount in the display format ("dd/mm/yy", "#,##0.00"): the
// column reads the date or the number, the field gets its text. Dialects format differently, so the text is
// made here.
struct DisplayText {
    enum class Kind { Date, Number };
    std::string_view field;
    Kind kind;
    std::string_view format;
};
using DisplayTexts = std::vector<DisplayText>;

// Writes the rows of `sql`, whose columns are the encoder's fields in their order, into the encoder: each
// value read as its field's type whatever the column's SQL type, texts longer than a field cut at its width
// (joined register names are wider than the lists show). Throws std::logic_error when the columns are not
// the fields.
void AppendRows(db::Database& db, PacketEncoder& encoder, std::string_view sql, const db::SqlParams& params,
                const DisplayTexts& texts = {});

// The rows of `sql` as a data packet of the layout.
DataPacket QueryPacket(db::Database& db, const PacketLayout& layout, std::string_view sql,
                       const db::SqlParams& params, const DisplayTexts& texts = {});

} // namespace dfe::appserver
