#pragma once

#include "platform/ui/control.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string_view>
#include <vector>

class QMouseEvent;

namespace dfe::qtui {

class FormView;

// One control on screen: its widget, kept in step with the model through the control's property notices.
// Views form the same tree as the controls; dropping a view drops its subtree and its widgets. A view never
// owns the model: when a control goes away its view is dropped without touching it.
class ControlView {
public:
    ControlView(FormView& form, Control& control);
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;
    virtual ~ControlView();

    Control& Model() const { return control_; }
    FormView& Form() const { return form_; }
    QWidget* Widget() const { return widget_; }
    // The widget that takes the keyboard focus when the control has it.
    virtual QWidget* FocusWidget() const { return widget_; }
    // Where child controls' widgets go; nullptr for controls that hold none.
    virtual QWidget* ClientArea() const { return nullptr; }

    // Creates views for the model's children and brings every property to the widget.
    void Build();
    // Applies one changed property; an empty name applies them all.
    virtual void Sync(std::string_view property);
    // State the model changes without a notice (an edit's selection, a combo's text): after every event.
    virtual void Refresh() {}
    // A mouse press on the widget (or one inside it) before Qt sees it; true swallows it.
    virtual bool MousePress(QWidget* target, QMouseEvent& event);

    // Stops listening to the model; only while the model is known to be alive.
    void Unsubscribe();
    const std::vector<std::unique_ptr<ControlView>>& Children() const { return children_; }

protected:
    // Takes the widget this view shows; it becomes the child of the parent's client area.
    void SetWidget(QWidget* widget);
    // Puts a child's widget where it belongs; page controls make pages of them.
    virtual void AdoptChild(ControlView& child);
    virtual void ReleaseChild(ControlView&) {}
    // Widgets of pages are placed by their owner, not by the page's bounds.
    virtual bool PlacedByParent() const { return false; }
    // Which palette role the control's colour paints.
    virtual void ApplyColor();
    void ApplyGeometry();
    void SyncChildren();
    // Runs an action as one toolkit event and refreshes the screen afterwards. False when this view went
    // away meanwhile (the event destroyed the control or its form): the caller must not touch it then.
    template <class F> [[nodiscard]] bool Dispatch(F&& action);

    FormView& form_;
    Control& control_;
    QPointer<QWidget> widget_;
    ControlView* parent_ = nullptr;

private:
    std::vector<std::unique_ptr<ControlView>> children_;
    int subscription_ = 0;
    std::shared_ptr<ControlView*> self_;
};

// The view of a control of any kind the renderer knows (an unknown one gets a plain frame).
std::unique_ptr<ControlView> CreateControlView(FormView& form, Control& control);

} // namespace dfe::qtui

#include "qtui/form_view.h"

namespace dfe::qtui {

template <class F> bool ControlView::Dispatch(F&& action) {
    std::weak_ptr<ControlView*> self = self_;
    form_.RunEvent(std::forward<F>(action));
    auto alive = self.lock();
    return alive && *alive;
}

} // namespace dfe::qtui
