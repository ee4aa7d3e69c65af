#pragma once

// Small helpers for forms that lay out their controls in code, at designed positions.

#include "platform/ui/controls.h"

namespace dfe {

template <class T> T* Place(Container& parent, const char* name, int left, int top, int width, int height) {
    T& control = parent.Add<T>(name);
    control.SetBounds(left, top, width, height);
    return &control;
}

inline GroupBox* Group(Container& parent, const char* name, const char* caption, int left, int top, int width,
                       int height) {
    GroupBox* group = Place<GroupBox>(parent, name, left, top, width, height);
    group->SetCaption(caption);
    return group;
}

} // namespace dfe
