#include "platform/ui/combo_box.h"

#include "platform/ui/property_names.h"

#include "platform/core/text.h"

namespace dfe {

void ComboBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    Changed(prop::kItems);
    if (itemIndex_ >= static_cast<int>(items_.size()))
        Choose(-1, style_ == ComboStyle::DropDownList ? std::string() : text_);
}

void ComboBox::Choose(int index, std::string text) {
    if (index == itemIndex_ && text == text_) return;
    itemIndex_ = index;
    text_ = std::move(text);
    Changed(prop::kItemIndex);
    FireChange();
}

void ComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) {
        Choose(-1, style_ == ComboStyle::DropDownList ? std::string() : text_);
        return;
    }
    Choose(index, items_[static_cast<size_t>(index)]);
}

void ComboBox::SetText(std::string text) {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i] == text) {
            Choose(static_cast<int>(i), std::move(text));
            return;
        }
    }
    Choose(-1, style_ == ComboStyle::DropDownList ? std::string() : text::Sanitize(text));
}

void ComboBox::SetDroppedDown(bool dropped) {
    if (dropped == droppedDown_) return;
    droppedDown_ = dropped;
    Changed(prop::kDroppedDown);
}

bool ComboBox::HandleKeyDown(int& key, ShiftState shift) {
    if (shift.ctrl || ReadOnly() || items_.empty()) return false;
    if (key == key::Down && shift.alt) {
        SetDroppedDown(!droppedDown_);
        return true;
    }
    if (shift.alt) return false;
    if (key == key::Down || key == key::Up) {
        if (!BeginTyping()) return true;
        int last = static_cast<int>(items_.size()) - 1;
        int index = key == key::Down ? (itemIndex_ < last ? itemIndex_ + 1 : last)
                                     : (itemIndex_ > 0 ? itemIndex_ - 1 : 0);
        SetItemIndex(index);
        ChoiceMade();
        return true;
    }
    if (key == key::Escape && droppedDown_) {
        SetDroppedDown(false);
        return true;
    }
    return false;
}

void ComboBox::HandleChar(char32_t ch) {
    if (ReadOnly() || (ch < 32 && ch != U'\b')) return;
    if (!BeginTyping()) return;
    if (style_ == ComboStyle::DropDownList) {
        if (ch == U'\b') return;
        const size_t count = items_.size();
        for (size_t step = 1; step <= count; ++step) {
            size_t i = (static_cast<size_t>(itemIndex_ + 1) + step - 1) % count;
            auto first = text::Left(items_[i], 1);
            std::string typed;
            text::AppendCodePoint(typed, ch);
            if (text::SameText(first, typed)) {
                SetItemIndex(static_cast<int>(i));
                ChoiceMade();
                return;
            }
        }
        return;
    }
    std::string text = text_;
    if (ch == U'\b') {
        auto chars = text::Decode(text);
        if (!chars.empty()) chars.pop_back();
        text = text::Encode(chars);
    } else {
        if (MaxLength() > 0 && text::Length(text) >= static_cast<size_t>(MaxLength())) return;
        text::AppendCodePoint(text, ch);
    }
    SetText(std::move(text));
    ChoiceMade();
}

void ComboBox::ChooseAsClerk(int index) {
    if (ReadOnly() || !BeginTyping()) return;
    SetItemIndex(index);
    ChoiceMade();
}

} // namespace dfe
