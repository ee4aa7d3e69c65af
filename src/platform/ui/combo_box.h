#pragma once

#include "platform/ui/control.h"

#include <string>
#include <vector>

namespace dfe {

enum class ComboStyle { DropDown, DropDownList };

// A list to choose from. A drop-down list only takes its items (typing a letter picks the next item that
// starts with it); a drop-down also takes typed text. OnChange runs when the text or the choice changes.
class ComboBox : public Control {
public:
    std::string_view Kind() const override { return "ComboBox"; }

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    ComboStyle Style() const { return style_; }
    void SetStyle(ComboStyle style) { style_ = style; }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Selects the item with this text (-1 when none); a drop-down keeps the text either way.
    void SetText(std::string text) override;
    std::string Text() const override { return text_; }
    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool dropped);

    bool HandleKeyDown(int& key, ShiftState shift) override;
    void HandleChar(char32_t ch) override;
    // The clerk picks an item from the list (-1 clears); a bound combo writes it to its field.
    void ChooseAsClerk(int index);

protected:
    // After a choice the clerk made; a bound combo writes the field here.
    virtual void ChoiceMade() {}
    virtual bool BeginTyping() { return true; }
    void Choose(int index, std::string text);

private:
    std::vector<std::string> items_;
    ComboStyle style_ = ComboStyle::DropDown;
    int itemIndex_ = -1;
    std::string text_;
    bool droppedDown_ = false;
};

} // namespace dfe
