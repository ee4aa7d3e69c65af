#include "platform/ui/check_box.h"

#include "platform/ui/property_names.h"

namespace dfe {

void CheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed(prop::kChecked);
    Control::Click();
}

bool CheckBox::HandleKeyDown(int& key, ShiftState shift) {
    if (key == key::Space && !shift.ctrl && !shift.alt && !ReadOnly()) {
        Click();
        return true;
    }
    return false;
}

void RadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (checked_ && Parent()) {
        for (Control* sibling : Parent()->Children()) {
            auto* other = dynamic_cast<RadioButton*>(sibling);
            if (other && other != this) other->SetChecked(false);
        }
    }
    Changed(prop::kChecked);
    if (checked_) Control::Click();
}

void RadioGroup::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (itemIndex_ >= static_cast<int>(items_.size())) itemIndex_ = -1;
    Changed(prop::kItems);
}

void RadioGroup::SetItemIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Changed(prop::kItemIndex);
    Control::Click();
}

bool RadioGroup::HandleKeyDown(int& key, ShiftState shift) {
    if (shift.ctrl || shift.alt || items_.empty()) return false;
    if (key == key::Down || key == key::Right) {
        ChooseAsClerk(itemIndex_ + 1 < static_cast<int>(items_.size()) ? itemIndex_ + 1 : itemIndex_);
        return true;
    }
    if (key == key::Up || key == key::Left) {
        ChooseAsClerk(itemIndex_ > 0 ? itemIndex_ - 1 : 0);
        return true;
    }
    return false;
}

void RadioGroup::ChooseAsClerk(int index) {
    if (ReadOnly() || !BeginChoosing()) return;
    SetItemIndex(index);
    ChoiceMade();
}

std::string RadioGroup::Text() const {
    return itemIndex_ >= 0 ? items_[static_cast<size_t>(itemIndex_)] : std::string();
}

} // namespace dfe
