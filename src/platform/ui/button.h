#pragma once

#include "platform/ui/control.h"

namespace dfe {

// A push button; one with a modal result ends its modal form with it when clicked.
class Button : public Control {
public:
    Button() { SetColor(Color::clBtnFace); }
    std::string_view Kind() const override { return "Button"; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    void Click() override;
    bool HandleKeyDown(int& key, ShiftState shift) override;

private:
    int modalResult_ = 0;
};

// A flat button that never takes the focus. In a group (index above 0) it stays pressed until another
// button of the group is pressed, or, with all-up allowed, until it is clicked again.
class SpeedButton : public Control {
public:
    SpeedButton() { SetColor(Color::clBtnFace); }
    std::string_view Kind() const override { return "SpeedButton"; }
    bool IsWindowed() const override { return false; }
    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    void Click() override;

private:
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
};

} // namespace dfe
