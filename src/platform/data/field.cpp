#include "platform/data/field.h"

#include "platform/core/decimal.h"
#include "platform/data/dataset.h"
#include "platform/data/field_value.h"

namespace dfe {

Field::Field(DataSet& owner, FieldDef def, FieldKind kind, bool declared)
    : owner_(&owner), def_(std::move(def)), kind_(kind), declared_(declared) {}

const Variant& Field::Value() const {
    return owner_->ReadSlot(*this);
}

std::string Field::AsString() const {
    return Value().AsString();
}
double Field::AsFloat() const {
    return Value().AsFloat();
}
int64_t Field::AsInteger() const {
    return Value().AsInteger();
}
DateTime Field::AsDateTime() const {
    return Value().AsDateTime();
}
bool Field::AsBoolean() const {
    return Value().AsBoolean();
}

void Field::SetValue(const Variant& value) {
    owner_->CheckWritable(*this);
    owner_->WriteField(*this, ConvertToField(value, def_));
}

Variant Field::OldValue() const {
    return owner_->StoredSlot(*this);
}

Variant Field::OriginalValue() const {
    return owner_->OriginalSlot(*this);
}

std::string Field::FormattedText() const {
    const Variant& v = Value();
    if (v.IsNull()) return {};
    if (displayFormat_.empty()) return v.AsString();
    switch (def_.type) {
    case FieldType::Integer:
    case FieldType::Float:
        return decimal::Format(displayFormat_, v.AsFloat());
    case FieldType::DateTime:
        return v.AsDateTime().IsEmpty() ? std::string() : v.AsDateTime().Format(displayFormat_);
    default:
        return v.AsString();
    }
}

void Field::SetEditMask(std::string mask) {
    if (mask == editMask_) return;
    editMask_ = std::move(mask);
    if (owner_->Active()) owner_->NotifyDataChange(this);
}

std::string Field::DisplayText() const {
    if (!OnGetText) return FormattedText();
    std::string text;
    OnGetText(const_cast<Field&>(*this), text, true);
    return text;
}

std::string Field::Text() const {
    if (!OnGetText) return AsString();
    std::string text;
    OnGetText(const_cast<Field&>(*this), text, false);
    return text;
}

void Field::SetText(std::string_view text) {
    if (OnSetText) {
        OnSetText(*this, text);
    } else {
        SetAsString(text);
    }
}

} // namespace dfe
