#pragma once

#include "platform/ui/mask_edit.h"

#include "platform/core/date_time.h"

namespace dfe {

// A date typed as dd/mm/yyyy. It may be left empty; a filled one must be a real date to be left.
class DateEdit : public MaskEdit {
public:
    DateEdit();
    std::string_view Kind() const override { return "DateEdit"; }
    // The date typed, or the empty date when blank or not a date.
    DateTime Date() const;
    void SetDate(DateTime date);
    bool IsBlank() const;
    void DoExit() override;
};

// The mask of date edits; data-bound date edits use it too.
inline constexpr const char* kDateEditMask = "!99/99/9999;1; ";

// The date in a date edit's text ("10/12/2026"), nothing when blank, or an error text when it is no date.
struct TypedDate {
    bool blank = true;
    bool valid = true;
    DateTime date;
};
TypedDate ReadTypedDate(const std::string& editText);

} // namespace dfe
