#include "platform/ui/mask_edit.h"

#include "platform/ui/property_names.h"
#include "platform/ui/ui_error.h"

#include "platform/core/text.h"

namespace dfe {

void MaskEdit::SetEditMask(std::string_view mask) {
    std::string value = Text();
    mask_ = EditMask(mask);
    if (mask_.Empty()) {
        inputs_.clear();
        Edit::SetText(value);
    } else {
        Store(mask_.InputsFromValue(text::Decode(value)));
    }
    // Told after the value is in place: the plain text may not change, and observers show the masked text.
    Changed(prop::kEditMask);
}

std::string MaskEdit::EditText() const {
    if (mask_.Empty()) return Edit::Text();
    return text::Encode(mask_.Display(inputs_));
}

std::string MaskEdit::Text() const {
    if (mask_.Empty()) return Edit::Text();
    return text::Encode(mask_.Value(inputs_));
}

void MaskEdit::SetText(std::string value) {
    if (mask_.Empty()) {
        Edit::SetText(std::move(value));
        return;
    }
    Store(mask_.InputsFromValue(text::Decode(text::Sanitize(value))));
}

void MaskEdit::Store(std::u32string inputs) {
    inputs.resize(mask_.InputCount(), 0);
    inputs_ = std::move(inputs);
    // The plain text keeps the value, so that observers and OnChange see the same as Text().
    ReplaceText(text::Encode(mask_.Value(inputs_)));
}

void MaskEdit::InsertTyped(char32_t ch) {
    if (mask_.Empty()) {
        Edit::InsertTyped(ch);
        return;
    }
    // Typing fills the first empty position after the last filled one.
    size_t next = 0;
    for (size_t i = 0; i < inputs_.size(); ++i)
        if (inputs_[i]) next = i + 1;
    if (next >= mask_.InputCount()) return;
    char32_t accepted = mask_.Accept(next, ch);
    if (!accepted) return;
    auto inputs = inputs_;
    inputs[next] = accepted;
    Store(std::move(inputs));
}

void MaskEdit::DeleteLast() {
    if (mask_.Empty()) {
        Edit::DeleteLast();
        return;
    }
    auto inputs = inputs_;
    for (size_t i = inputs.size(); i-- > 0;) {
        if (inputs[i]) {
            inputs[i] = 0;
            break;
        }
    }
    Store(std::move(inputs));
}

void MaskEdit::ValidateMask() const {
    if (!mask_.Empty() && !mask_.IsComplete(inputs_))
        throw UiError("Valor incompleto em " + Name() + ": preencha todas as posições de \"" + EditText() +
                      "\".");
}

void MaskEdit::DoExit() {
    ValidateMask();
    Edit::DoExit();
}

} // namespace dfe
