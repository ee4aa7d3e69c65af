#pragma once

// The small helpers every rule of the posting screen shares: a dataset being edited, a field's text that
// tolerates a closed dataset or a missing field, the two ways of writing one, a code among a few, and
// moving the focus only where it can go.

#include "platform/data/dataset.h"
#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/menu.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace dfe::dfe11000 {

inline bool InEdit(const DataSet& ds) {
    return IsEditing(ds.State());
}

// The text of a field of the current row; empty when the dataset is closed, has no row or no such field.
inline std::string FieldText(const DataSet& ds, std::string_view name) {
    if (!ds.Active() || (ds.IsEmpty() && !InEdit(ds))) return {};
    const Field* field = ds.FindField(name);
    return field ? field->AsString() : std::string();
}

// The number of a field of the current row; 0 when it is null, or as FieldText gives empty text.
inline double FieldNumber(const DataSet& ds, std::string_view name) {
    if (!ds.Active() || (ds.IsEmpty() && !InEdit(ds))) return 0;
    const Field* field = ds.FindField(name);
    return field && !field->IsNull() ? field->AsFloat() : 0.0;
}
// Writes the text into the current row, putting a browsed row into edit first; nothing on a closed or empty
// dataset or a missing field.
inline void EditFieldText(DataSet& ds, std::string_view name, const std::string& value) {
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
inline void SetWhileEditing(DataSet& ds, std::string_view name, const std::string& value) {
    if (!ds.Active() || !InEdit(ds)) return;
    if (Field* field = ds.FindField(name)) field->SetAsString(value);
}

inline bool OneOf(std::string_view value, std::initializer_list<std::string_view> values) {
    for (std::string_view v : values) {
        if (value == v) return true;
    }
    return false;
}

// Moves the focus when the control can take it.
inline void FocusIfPossible(Control* control) {
    if (control && control->CanFocus()) control->SetFocus();
}

// Focuses the first control that can take the focus (already focused: nothing moves); none: nothing.
inline void FocusFirstPossible(std::initializer_list<Control*> candidates) {
    for (Control* c : candidates) {
        if (c && c->CanFocus()) {
            if (!c->Focused()) c->SetFocus();
            return;
        }
    }
}

// A command's menu item and its button: the button always takes the item's state.
inline void EnableCommand(MenuItem& item, SpeedButton& button, bool enabled) {
    item.SetEnabled(enabled);
    button.SetEnabled(item.Enabled());
}

// Suspends a dataset's controls for a bulk change and wakes them again, also when the change fails.
class ControlsPause {
public:
    explicit ControlsPause(DataSet& ds) : ds_(ds) { ds_.DisableControls(); }
    ~ControlsPause() { ds_.EnableControls(); }
    ControlsPause(const ControlsPause&) = delete;
    ControlsPause& operator=(const ControlsPause&) = delete;

private:
    DataSet& ds_;
};

// Sets a flag for a scope and resets it when the scope ends, however it ends.
class FlagDuring {
public:
    FlagDuring(bool& flag, bool during, bool after) : flag_(flag), after_(after) { flag_ = during; }
    ~FlagDuring() { flag_ = after_; }
    FlagDuring(const FlagDuring&) = delete;
    FlagDuring& operator=(const FlagDuring&) = delete;

private:
    bool& flag_;
    bool after_;
};

// Runs the handler set before, if any, then this one.
inline void ChainHandler(DataSet::Handler& slot, DataSet::Handler next) {
    slot = [previous = slot, next = std::move(next)](DataSet& ds) {
        if (previous) previous(ds);
        next(ds);
    };
}

} // namespace dfe::dfe11000
