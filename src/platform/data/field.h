#pragma once

#include "platform/core/date_time.h"
#include "platform/core/variant.h"
#include "platform/data/field_type.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dfe {

class DataSet;

enum class FieldKind : uint8_t {
    Data,       // stored in the rows and carried by packets
    Calculated, // filled by the dataset's OnCalcFields for the current row; never stored nor sent
};

// One column of a dataset, reading and writing the dataset's current row. Fields belong to their dataset:
// declared fields live as long as it, fields taken from a packet until the next load or close.
class Field {
public:
    Field(DataSet& owner, FieldDef def, FieldKind kind, bool declared);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const std::string& FieldName() const { return def_.name; }
    FieldType DataType() const { return def_.type; }
    int Size() const { return def_.size; }
    FieldKind Kind() const { return kind_; }
    bool IsCalculated() const { return kind_ == FieldKind::Calculated; }
    const FieldDef& Def() const { return def_; }
    DataSet& Owner() const { return *owner_; }
    int Index() const { return index_; } // position in the dataset's field list

    // Properties the rules and the screens set.
    const std::string& DisplayLabel() const { return displayLabel_.empty() ? def_.name : displayLabel_; }
    void SetDisplayLabel(std::string label) { displayLabel_ = std::move(label); }
    const std::string& DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(std::string format) { displayFormat_ = std::move(format); }
    // Kept for the screens; what a mask means is the UI layer's business.
    const std::string& EditMask() const { return editMask_; }
    // Bound controls show the value again with the new mask.
    void SetEditMask(std::string mask);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool Required() const { return def_.required; }
    void SetRequired(bool required) { def_.required = required; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // A field the client keeps for itself: left out of Delta() and DataForServer().
    bool SentToServer() const { return sentToServer_; }
    void SetSentToServer(bool sent) { sentToServer_ = sent; }

    // The current row's value. Null reads as "", 0, false and the empty date.
    const Variant& Value() const;
    Variant AsVariant() const { return Value(); }
    bool IsNull() const { return Value().IsNull(); }
    std::string AsString() const;
    double AsFloat() const;
    int64_t AsInteger() const;
    DateTime AsDateTime() const;
    bool AsBoolean() const;

    // Writing needs the dataset in edit or insert (calculated fields: inside OnCalcFields too). The value is
    // converted to the field's type; OnValidate sees the new value and may refuse it by throwing; OnChange
    // runs after it is stored.
    void SetValue(const Variant& value);
    void SetAsVariant(const Variant& value) { SetValue(value); }
    void SetAsString(std::string_view value) { SetValue(Variant(value)); }
    void SetAsFloat(double value) { SetValue(Variant(value)); }
    void SetAsInteger(int64_t value) { SetValue(Variant(value)); }
    void SetAsDateTime(DateTime value) { SetValue(Variant(value)); }
    void SetAsBoolean(bool value) { SetValue(Variant(value)); }
    void Clear() { SetValue(Variant::Null()); }

    // The value the row had when the current edit began; Null while inserting; outside an edit, the value.
    Variant OldValue() const;
    // The value as loaded or last merged, before any pending change of the change log.
    Variant OriginalValue() const;

    // Text for display (DisplayFormat applied) and for editing; OnGetText overrides both.
    std::string DisplayText() const;
    std::string Text() const;
    // Text typed by the clerk: through OnSetText when set, else stored as AsString.
    void SetText(std::string_view text);

    std::function<void(Field&)> OnValidate;
    std::function<void(Field&)> OnChange;
    std::function<void(Field&, std::string& text, bool displayText)> OnGetText;
    std::function<void(Field&, std::string_view text)> OnSetText;

private:
    friend class DataSet;
    std::string FormattedText() const;

    DataSet* owner_;
    FieldDef def_;
    FieldKind kind_;
    bool declared_;
    int index_ = -1;
    int slot_ = -1; // position in the row (data) or in the calculated values (calculated)
    std::string displayLabel_;
    std::string displayFormat_;
    std::string editMask_;
    int tag_ = 0;
    bool readOnly_ = false;
    bool visible_ = true;
    bool sentToServer_ = true;
    const Variant* pending_ = nullptr; // the value OnValidate is judging
    bool inOnChange_ = false;
};

} // namespace dfe
