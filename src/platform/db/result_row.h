#pragma once

#include "platform/core/date_time.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace dfe::db {

// One row of a result while it is read, before any value is built: its columns by position, each read as the
// type the reader wants. Valid only inside the callback that receives it; a text stays valid until the next
// read of the row.
class ResultRow {
public:
    virtual ~ResultRow() = default;
    virtual int ColumnCount() const = 0;
    virtual std::string_view ColumnName(int column) const = 0;
    virtual bool IsNull(int column) const = 0;
    virtual std::string_view Text(int column) const = 0;
    // The column's text, or nothing for a null: one read where IsNull and Text take two.
    virtual std::optional<std::string_view> TextOrNull(int column) const {
        if (IsNull(column)) return std::nullopt;
        return Text(column);
    }
    virtual double Float(int column) const = 0;
    virtual int64_t Integer(int column) const = 0;
    // Nothing for a text that is not a date.
    virtual std::optional<DateTime> Date(int column) const = 0;
};

using RowCallback = std::function<void(const ResultRow&)>;

} // namespace dfe::db
