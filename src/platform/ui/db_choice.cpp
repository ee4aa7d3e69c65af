#include "platform/ui/db_choice.h"

#include "platform/data/dataset.h"

namespace dfe {
namespace {

int IndexOfValue(const std::vector<std::string>& values, const std::vector<std::string>& items,
                 const std::string& value) {
    const auto& list = values.empty() ? items : values;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == value) return static_cast<int>(i);
    return -1;
}

std::string ValueAt(const std::vector<std::string>& values, const std::vector<std::string>& items,
                    int index) {
    const auto& list = values.empty() ? items : values;
    if (index < 0 || index >= static_cast<int>(list.size())) return {};
    return list[static_cast<size_t>(index)];
}

} // namespace

DBComboBox::DBComboBox() {
    SetStyle(ComboStyle::DropDownList);
    link_.onDataChange = [this] { Reload(); };
}

void DBComboBox::SetValues(std::vector<std::string> values) {
    values_ = std::move(values);
    Reload();
}

std::string DBComboBox::ValueOf(int index) const {
    return ValueAt(values_, Items(), index);
}

void DBComboBox::Reload() {
    if (reloading_) return;
    reloading_ = true;
    Field* field = link_.GetField();
    // Without values the item is the field's text, so a get-text handler may show a code as its item.
    const std::string current = !field ? std::string() : values_.empty() ? field->Text() : field->AsString();
    SetItemIndex(field ? IndexOfValue(values_, Items(), current) : -1);
    reloading_ = false;
}

void DBComboBox::ChoiceMade() {
    Field* field = link_.GetField();
    if (!field || !link_.Editing()) return;
    reloading_ = true;
    try {
        // Without values the item's text goes through the field's set-text handler, if it has one.
        if (values_.empty()) {
            field->SetText(ValueOf(ItemIndex()));
        } else {
            field->SetAsString(ValueOf(ItemIndex()));
        }
    } catch (...) {
        reloading_ = false;
        Reload();
        throw;
    }
    reloading_ = false;
}

DBRadioGroup::DBRadioGroup() {
    link_.onDataChange = [this] { Reload(); };
}

void DBRadioGroup::SetValues(std::vector<std::string> values) {
    values_ = std::move(values);
    Reload();
}

std::string DBRadioGroup::ValueOf(int index) const {
    return ValueAt(values_, Items(), index);
}

void DBRadioGroup::Reload() {
    Field* field = link_.GetField();
    SetItemIndex(field ? IndexOfValue(values_, Items(), field->AsString()) : -1);
}

void DBRadioGroup::ChoiceMade() {
    Field* field = link_.GetField();
    if (!field || !link_.Editing()) return;
    try {
        field->SetAsString(ValueOf(ItemIndex()));
    } catch (...) {
        Reload();
        throw;
    }
}

} // namespace dfe
