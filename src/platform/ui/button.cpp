#include "platform/ui/button.h"

#include "platform/ui/container.h"
#include "platform/ui/form.h"
#include "platform/ui/property_names.h"

namespace dfe {

void Button::Click() {
    Control::Click();
    if (modalResult_ != 0)
        if (auto* form = ParentForm()) form->SetModalResult(modalResult_);
}

bool Button::HandleKeyDown(int& key, ShiftState shift) {
    if ((key == key::Enter || key == key::Space) && !shift.ctrl && !shift.alt) {
        Click();
        return true;
    }
    return false;
}

void SpeedButton::SetDown(bool down) {
    if (down == down_) return;
    down_ = down;
    if (down_ && groupIndex_ > 0 && Parent()) {
        for (Control* sibling : Parent()->Children()) {
            auto* other = dynamic_cast<SpeedButton*>(sibling);
            if (other && other != this && other->groupIndex_ == groupIndex_) other->SetDown(false);
        }
    }
    Changed(prop::kDown);
}

void SpeedButton::Click() {
    if (groupIndex_ > 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    Control::Click();
}

} // namespace dfe
