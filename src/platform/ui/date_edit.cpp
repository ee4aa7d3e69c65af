#include "platform/ui/date_edit.h"

#include "platform/ui/ui_error.h"

#include "platform/core/text.h"

namespace dfe {

TypedDate ReadTypedDate(const std::string& editText) {
    TypedDate result;
    std::string digits;
    for (char ch : editText)
        if (ch >= '0' && ch <= '9') digits += ch;
    if (digits.empty()) return result;
    result.blank = false;
    auto parsed = digits.size() == 8 ? DateTime::Parse(text::Trim(editText)) : std::nullopt;
    result.valid = parsed.has_value();
    if (parsed) result.date = *parsed;
    return result;
}

DateEdit::DateEdit() {
    SetEditMask(kDateEditMask);
}

DateTime DateEdit::Date() const {
    auto typed = ReadTypedDate(EditText());
    return typed.valid ? typed.date : DateTime();
}

void DateEdit::SetDate(DateTime date) {
    SetText(date.IsEmpty() ? std::string() : date.Format("dd/mm/yyyy"));
}

bool DateEdit::IsBlank() const {
    return ReadTypedDate(EditText()).blank;
}

void DateEdit::DoExit() {
    auto typed = ReadTypedDate(EditText());
    if (!typed.blank && !typed.valid) throw UiError("\"" + EditText() + "\" não é uma data válida.");
    Edit::DoExit();
}

} // namespace dfe
