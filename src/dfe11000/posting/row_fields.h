#pragma once

#include "platform/data/dataset.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace dfe::dfe11000 {

// The text of a field of the current row; empty when the dataset is closed or has no such field.
inline std::string FieldText(const DataSet& ds, std::string_view name) {
    if (!ds.Active()) return {};
    const Field* field = ds.FindField(name);
    return field ? field->AsString() : std::string();
}

inline bool OneOf(std::string_view value, std::initializer_list<std::string_view> values) {
    for (std::string_view v : values) {
        if (value == v) return true;
    }
    return false;
}

inline bool InEdit(const DataSet& ds) {
    return IsEditing(ds.State());
}

} // namespace dfe::dfe11000
