#pragma once

// Small helpers of the header rules: a code among a few, and the first of several controls that can take the
// focus.

#include "platform/ui/control.h"

#include <initializer_list>
#include <string>

namespace dfe::dfe11000 {

inline bool OneOf(const std::string& code, std::initializer_list<const char*> codes) {
    for (const char* c : codes) {
        if (code == c) return true;
    }
    return false;
}

// Focuses the first control that can take the focus (already focused: nothing moves); none: nothing.
inline void FocusFirstPossible(std::initializer_list<Control*> candidates) {
    for (Control* c : candidates) {
        if (c && c->CanFocus()) {
            if (!c->Focused()) c->SetFocus();
            return;
        }
    }
}

} // namespace dfe::dfe11000
