#pragma once

#include "platform/ui/container.h"

#include <string>
#include <vector>

namespace dfe {

class CheckBox : public Control {
public:
    CheckBox() { SetColor(Color::clBtnFace); }
    std::string_view Kind() const override { return "CheckBox"; }
    bool Checked() const { return checked_; }
    // Runs OnClick, from code as well, as the rules expect.
    void SetChecked(bool checked);
    void Click() override { SetChecked(!checked_); }
    bool HandleKeyDown(int& key, ShiftState shift) override;

private:
    bool checked_ = false;
};

// Checking one radio button unchecks the others of the same parent.
class RadioButton : public Control {
public:
    RadioButton() { SetColor(Color::clBtnFace); }
    std::string_view Kind() const override { return "RadioButton"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    void Click() override { SetChecked(true); }

private:
    bool checked_ = false;
};

// A group of choices, one selected by index (-1 none).
class RadioGroup : public Container {
public:
    RadioGroup() {
        SetColor(Color::clBtnFace);
        SetTabStop(true);
    }
    std::string_view Kind() const override { return "RadioGroup"; }
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    int ItemIndex() const { return itemIndex_; }
    // Runs OnClick when the index changes; an index outside the items selects none.
    void SetItemIndex(int index);
    bool HandleKeyDown(int& key, ShiftState shift) override;
    std::string Text() const override;
    // The clerk picks an item; a bound group writes it to its field.
    void ChooseAsClerk(int index);

protected:
    virtual bool BeginChoosing() { return true; }
    virtual void ChoiceMade() {}

private:
    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

} // namespace dfe
