#pragma once

#include "qtui/control_view.h"

class QTabWidget;

namespace dfe::qtui {

// A form's client area: the root of its control views.
class FormClientView : public ControlView {
public:
    FormClientView(FormView& form, Control& control, QWidget* client);
    QWidget* ClientArea() const override { return Widget(); }
    void Sync(std::string_view property) override;

protected:
    bool PlacedByParent() const override { return true; }
};

// Display text of a caption: '&' marks a shortcut letter and "&&" is an ampersand.
QString CaptionText(const std::string& caption);

} // namespace dfe::qtui
