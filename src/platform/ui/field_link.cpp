#include "platform/ui/field_link.h"

#include "platform/core/text.h"
#include "platform/data/dataset.h"

#include <cctype>

namespace dfe {

FieldDataLink::~FieldDataLink() {
    if (source_) source_->RemoveListener(this);
}

void FieldDataLink::SetSource(DataSource* source) {
    if (source == source_) return;
    if (source_) source_->RemoveListener(this);
    source_ = source;
    if (source_) source_->AddListener(this);
    if (onDataChange) onDataChange();
}

void FieldDataLink::SetFieldName(std::string name) {
    if (name == fieldName_) return;
    fieldName_ = std::move(name);
    if (onDataChange) onDataChange();
}

DataSet* FieldDataLink::GetDataSet() const {
    return source_ ? source_->GetDataSet() : nullptr;
}

bool FieldDataLink::Active() const {
    return source_ && source_->State() != DataSetState::Inactive;
}

Field* FieldDataLink::GetField() const {
    if (!Active() || fieldName_.empty()) return nullptr;
    return GetDataSet()->FindField(fieldName_);
}

bool FieldDataLink::Editing() const {
    return Active() && IsEditing(source_->State());
}

bool FieldDataLink::Edit() {
    Field* field = GetField();
    if (!field || field->ReadOnly() || field->IsCalculated()) return false;
    if (!Editing()) GetDataSet()->Edit();
    return Editing();
}

void FieldDataLink::StateChanged(DataSource&) {
    if (onStateChange) onStateChange();
    if (onDataChange) onDataChange();
}

void FieldDataLink::DataChanged(DataSource&, Field* field) {
    // Every link of a form hears every field's change: most are told apart by the name alone, without a
    // lookup.
    const bool plainName = !fieldName_.empty() &&
                           !std::isspace(static_cast<unsigned char>(fieldName_.front())) &&
                           !std::isspace(static_cast<unsigned char>(fieldName_.back()));
    if (field && plainName && !text::SameText(field->FieldName(), fieldName_)) return;
    if (field && field != GetField()) return;
    if (onDataChange) onDataChange();
}

void FieldDataLink::UpdateData(DataSource&) {
    if (onUpdateData) onUpdateData();
}

void FieldDataLink::DataSourceDestroyed(DataSource&) {
    source_ = nullptr;
    if (onDataChange) onDataChange();
}

} // namespace dfe
