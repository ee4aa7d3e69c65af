#include "platform/ui/edit.h"

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/property_names.h"

#include "platform/core/text.h"

namespace dfe {

Edit::Edit() = default;

void Edit::SetText(std::string text) {
    text = text::Sanitize(text);
    if (charCase_ == CharCase::Upper) text = text::Upper(text);
    if (charCase_ == CharCase::Lower) text = text::Lower(text);
    allSelected_ = false;
    ReplaceText(std::move(text));
}

void Edit::ReplaceText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    Changed(prop::kText);
    FireChange();
}

void Edit::SetPasswordChar(char32_t ch) {
    if (ch == passwordChar_) return;
    passwordChar_ = ch;
    Changed(prop::kPasswordChar);
}

void Edit::SetCharCase(CharCase charCase) {
    if (charCase == charCase_) return;
    charCase_ = charCase;
    Changed(prop::kCharCase);
    SetText(text_);
}

char32_t Edit::ApplyCase(char32_t ch) const {
    if (charCase_ == CharCase::Upper) return text::UpperChar(ch);
    if (charCase_ == CharCase::Lower) return text::LowerChar(ch);
    return ch;
}

void Edit::DoEnter() {
    if (autoSelect_) allSelected_ = !text_.empty();
    Control::DoEnter();
}

bool Edit::HandleKeyDown(int& key, ShiftState shift) {
    if (key == key::Delete && !shift.ctrl && !shift.alt) {
        if (allSelected_ && !ReadOnly() && BeginTyping()) {
            allSelected_ = false;
            ClearAll();
        }
        return true;
    }
    if (key == key::Home || key == key::End || key == key::Left || key == key::Right) {
        allSelected_ = false;
        return true;
    }
    return false;
}

bool Edit::BeginTyping() {
    return true;
}

void Edit::DeleteLast() {
    auto chars = text::Decode(text_);
    if (chars.empty()) return;
    chars.pop_back();
    ReplaceText(text::Encode(chars));
}

void Edit::InsertTyped(char32_t ch) {
    ch = ApplyCase(ch);
    if (TypingLimit() > 0 && text::Length(text_) >= static_cast<size_t>(TypingLimit())) return;
    std::string text = text_;
    text::AppendCodePoint(text, ch);
    ReplaceText(std::move(text));
}

void Edit::HandleChar(char32_t ch) {
    if (ch == 1) { // Ctrl+A
        SelectAll();
        return;
    }
    if (ch == 3) { // Ctrl+C
        if (auto* form = ParentForm()) form->App().SetClipboard(text_);
        return;
    }
    if (ReadOnly()) return;
    const bool paste = ch == 22;
    if (ch < 32 && ch != U'\b' && !paste) return;
    if (!BeginTyping()) return;
    if (allSelected_) {
        allSelected_ = false;
        ClearAll();
        if (ch == U'\b') return;
    }
    if (ch == U'\b') {
        DeleteLast();
        return;
    }
    if (paste) {
        auto* form = ParentForm();
        if (!form) return;
        for (char32_t c : text::Decode(text::Sanitize(form->App().Clipboard())))
            if (c >= 32) InsertTyped(c);
        return;
    }
    InsertTyped(ch);
}

void Memo::HandleChar(char32_t ch) {
    if (ch == U'\r') {
        if (!wantReturns_ || ReadOnly() || !BeginTyping()) return;
        std::string text = Text();
        if (TypingLimit() > 0 && text::Length(text) >= static_cast<size_t>(TypingLimit())) return;
        ReplaceText(text + "\n");
        return;
    }
    Edit::HandleChar(ch);
}

bool Memo::HandleKeyDown(int& key, ShiftState shift) {
    if (key == key::Enter && wantReturns_) return true;
    return Edit::HandleKeyDown(key, shift);
}

} // namespace dfe
