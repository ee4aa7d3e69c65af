#pragma once

#include "platform/ui/container.h"
#include "platform/ui/property_names.h"

namespace dfe {

// A caption that cannot take the focus.
class Label : public Control {
public:
    Label() { SetColor(Color::clBtnFace); }
    std::string_view Kind() const override { return "Label"; }
    bool IsWindowed() const override { return false; }
};

class Panel : public Container {
public:
    Panel() {
        SetColor(Color::clBtnFace);
        SetTabStop(false);
    }
    std::string_view Kind() const override { return "Panel"; }
};

class GroupBox : public Container {
public:
    GroupBox() {
        SetColor(Color::clBtnFace);
        SetTabStop(false);
    }
    std::string_view Kind() const override { return "GroupBox"; }
};

// A container whose contents scroll; headless it only keeps the scroll position.
class ScrollBox : public Container {
public:
    ScrollBox() {
        SetColor(Color::clBtnFace);
        SetTabStop(false);
    }
    std::string_view Kind() const override { return "ScrollBox"; }
    int VertScrollPosition() const { return vertPosition_; }
    void SetVertScrollPosition(int position) {
        if (position < 0) position = 0;
        if (position == vertPosition_) return;
        vertPosition_ = position;
        Changed(prop::kVertScrollPosition);
    }

private:
    int vertPosition_ = 0;
};

} // namespace dfe
