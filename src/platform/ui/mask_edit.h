#pragma once

#include "platform/ui/edit.h"
#include "platform/ui/edit_mask.h"

namespace dfe {

// An edit that takes its text through an edit mask. Text() is the value (without literals when the mask
// says so), EditText() what the clerk sees. Leaving it with a required position empty is refused.
// Without a mask it behaves as a plain edit.
class MaskEdit : public Edit {
public:
    std::string_view Kind() const override { return "MaskEdit"; }

    const EditMask& Mask() const { return mask_; }
    // Keeps the value; OnChange runs only when the value changes.
    void SetEditMask(std::string_view mask);
    std::string EditText() const;
    std::string Text() const override;
    void SetText(std::string text) override;
    void DoExit() override;

protected:
    // Refuses a partly filled mask with a required position empty.
    void ValidateMask() const;
    void InsertTyped(char32_t ch) override;
    void DeleteLast() override;
    void ClearAll() override { SetText({}); }

private:
    void Store(std::u32string inputs);

    EditMask mask_;
    std::u32string inputs_;
};

} // namespace dfe
