#include "platform/ui/db_edit.h"

#include "platform/ui/ui_error.h"

namespace dfe {

void DBDateEdit::DoExit() {
    auto typed = ReadTypedDate(EditText());
    if (!typed.blank && !typed.valid) throw UiError("\"" + EditText() + "\" não é uma data válida.");
    DataBound<DateEdit>::DoExit();
}

std::string DBDateEdit::FieldText(const Field& field, bool) const {
    if (field.IsNull() || field.AsDateTime().IsEmpty()) return {};
    return field.AsDateTime().Format("dd/mm/yyyy");
}

void DBDateEdit::WriteField(Field& field) {
    auto typed = ReadTypedDate(EditText());
    if (typed.blank)
        field.Clear();
    else if (!typed.valid)
        throw UiError("\"" + EditText() + "\" não é uma data válida.");
    else
        field.SetAsDateTime(typed.date);
}

DBText::DBText() {
    link_.onDataChange = [this] {
        Field* field = link_.GetField();
        SetCaption(field ? field->DisplayText() : std::string());
    };
}

} // namespace dfe
