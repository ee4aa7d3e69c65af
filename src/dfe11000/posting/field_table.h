#pragma once

// A dataset's fields as a compact table: name, type, width, caption and display format, one line each.

#include "platform/data/dataset.h"

#include <span>

namespace dfe::dfe11000 {

struct FieldRow {
    const char* name;
    FieldType type;
    int size;
    const char* caption;
    const char* format;
    bool calculated;
};

// String fields without a declared width are 20 characters wide.
inline constexpr int kDefaultStringWidth = 20;

constexpr FieldRow Str(const char* name, int size = kDefaultStringWidth, const char* caption = "",
                       const char* format = "") {
    return {name, FieldType::String, size, caption, format, false};
}
constexpr FieldRow Num(const char* name, const char* caption = "", const char* format = "") {
    return {name, FieldType::Float, 0, caption, format, false};
}
constexpr FieldRow Date(const char* name, const char* caption = "") {
    return {name, FieldType::DateTime, 0, caption, "", false};
}
constexpr FieldRow Calculated(FieldRow row) {
    row.calculated = true;
    return row;
}

// Declares the rows on a closed dataset that has no fields yet; a dataset already declared is left alone,
// so that a second call never doubles a field.
void DeclareFields(DataSet& dataSet, std::span<const FieldRow> rows);

} // namespace dfe::dfe11000
