#pragma once

// Small field helpers of the header rules: a field's text that tolerates a closed dataset or a missing field,
// and a write that puts a browsed row into edit first.

#include "platform/data/dataset.h"

#include <string>

namespace dfe::dfe11000 {

inline bool InEdit(const DataSet& ds) {
    return ds.State() == DataSetState::Edit || ds.State() == DataSetState::Insert;
}

inline std::string FieldText(const DataSet& ds, const char* name) {
    if (!ds.Active() || ds.IsEmpty()) return {};
    const Field* field = ds.FindField(name);
    return field ? field->AsString() : std::string();
}

// Writes the text when the dataset is open on a row; a browsed row is put into edit first.
inline void SetFieldText(DataSet& ds, const char* name, const std::string& value) {
    if (!ds.Active()) return;
    Field* field = ds.FindField(name);
    if (!field) return;
    if (!InEdit(ds)) {
        if (ds.IsEmpty()) return;
        ds.Edit();
    }
    field->SetAsString(value);
}

// Writes the text only while the row is being edited or inserted.
inline void SetWhileEditing(DataSet& ds, const char* name, const std::string& value) {
    if (InEdit(ds)) SetFieldText(ds, name, value);
}

} // namespace dfe::dfe11000
