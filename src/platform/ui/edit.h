#pragma once

#include "platform/ui/control.h"

#include <string>

namespace dfe {

enum class CharCase { Normal, Upper, Lower };

// A one-line text editor. Entering it selects the whole text, so that typing replaces it; typing then
// appends. Every change of the text runs OnChange, whether typed or set from code.
class Edit : public Control {
public:
    Edit();
    std::string_view Kind() const override { return "Edit"; }

    std::string Text() const override { return text_; }
    void SetText(std::string text) override;
    CharCase GetCharCase() const { return charCase_; }
    void SetCharCase(CharCase charCase);
    // Shown in place of every character (a password); 0 shows the text.
    char32_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char32_t ch);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }
    bool AllSelected() const { return allSelected_; }
    void SelectAll() { allSelected_ = !text_.empty(); }

    void DoEnter() override;
    bool HandleKeyDown(int& key, ShiftState shift) override;
    void HandleChar(char32_t ch) override;

protected:
    // Whether the text may be changed by typing now; a data-bound edit puts its dataset into edit here.
    virtual bool BeginTyping();
    // Puts one typed character in; the mask edit overrides it.
    virtual void InsertTyped(char32_t ch);
    virtual void DeleteLast();
    virtual void ClearAll() { ReplaceText({}); }
    // How many characters typing may reach (0: no limit); a bound edit adds its field's size.
    virtual int TypingLimit() const { return MaxLength(); }
    // Changes the text as typing does (no limit check), telling observers and OnChange.
    void ReplaceText(std::string text);
    char32_t ApplyCase(char32_t ch) const;

private:
    std::string text_;
    CharCase charCase_ = CharCase::Normal;
    char32_t passwordChar_ = 0;
    bool autoSelect_ = true;
    bool allSelected_ = false;
};

// A multi-line editor; Enter types a line break unless WantReturns is off.
class Memo : public Edit {
public:
    std::string_view Kind() const override { return "Memo"; }
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool on) { wantReturns_ = on; }
    void HandleChar(char32_t ch) override;
    bool HandleKeyDown(int& key, ShiftState shift) override;

private:
    bool wantReturns_ = true;
};

class RichEdit : public Memo {
public:
    std::string_view Kind() const override { return "RichEdit"; }
    bool IsRichText() const override { return true; }
};

} // namespace dfe
