#include "qtui/control_view.h"

#include "qtui/form_view.h"
#include "qtui/qt_palette.h"
#include "qtui/qt_renderer.h"

#include "platform/ui/container.h"
#include "platform/ui/property_names.h"

#include <QMouseEvent>

#include <algorithm>

namespace dfe::qtui {

ControlView::ControlView(FormView& form, Control& control)
    : form_(form), control_(control), self_(std::make_shared<ControlView*>(this)) {
    std::weak_ptr<ControlView*> weak = self_;
    subscription_ = control_.Subscribe([weak](Component&, std::string_view property) {
        if (auto self = weak.lock()) (*self)->Sync(property);
    });
    form_.MapControl(control_, this);
}

ControlView::~ControlView() {
    *self_ = nullptr;
    children_.clear();
    form_.UnmapControl(control_, this);
    if (widget_) {
        form_.Unmap(widget_);
        // The view of a control that went away while its form lives: its widget goes too, once Qt is out of
        // the event that may be running inside it.
        if (parent_) {
            widget_->hide();
            widget_->deleteLater();
        }
    }
}

void ControlView::Unsubscribe() {
    for (auto& child : children_)
        child->Unsubscribe();
    if (subscription_) control_.Unsubscribe(subscription_);
    subscription_ = 0;
}

void ControlView::SetWidget(QWidget* widget) {
    widget_ = widget;
    widget->setFocusPolicy(Qt::NoFocus); // the toolkit decides where the focus goes
    widget->setObjectName(QString::fromStdString(control_.Name()));
    form_.Map(widget, this);
}

void ControlView::Build() {
    SyncChildren();
    Sync({});
}

void ControlView::SyncChildren() {
    auto* container = dynamic_cast<Container*>(&control_);
    if (!container) return;
    const auto& models = container->Children();
    // Views of controls that left (destroyed or moved elsewhere) go; the model is not touched.
    std::erase_if(children_, [&](const std::unique_ptr<ControlView>& view) {
        const bool gone = std::find(models.begin(), models.end(), &view->control_) == models.end();
        if (gone) ReleaseChild(*view);
        return gone;
    });
    for (Control* model : models) {
        const bool known = std::any_of(children_.begin(), children_.end(),
                                       [&](const auto& view) { return &view->control_ == model; });
        if (known) continue;
        auto view = CreateControlView(form_, *model);
        view->parent_ = this;
        AdoptChild(*view);
        view->Build();
        children_.push_back(std::move(view));
    }
}

void ControlView::AdoptChild(ControlView& child) {
    if (child.widget_ && ClientArea()) child.widget_->setParent(ClientArea());
}

bool ControlView::MousePress(QWidget*, QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) return event.button() == Qt::MiddleButton; // no paste by mouse
    if (!control_.TakesFocusOnClick() || control_.Focused()) return false;
    if (!Dispatch([this] {
            if (control_.CanFocus()) control_.SetFocus();
        }))
        return true;
    if (control_.Focused()) return false;
    // An exit handler kept the focus: the press never reaches the control.
    form_.RestoreFocus();
    return true;
}

void ControlView::ApplyGeometry() {
    QWidget* widget = widget_.data();
    if (!widget || PlacedByParent()) return;
    widget->setGeometry(control_.Left(), control_.Top(), std::max(control_.Width(), 0),
                        std::max(control_.Height(), 0));
}

void ControlView::ApplyColor() {
    QWidget* widget = widget_.data();
    if (!widget) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(control_.GetColor()));
    palette.setColor(QPalette::Button, ToQColor(Color::clBtnFace));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void ControlView::Sync(std::string_view property) {
    const bool all = property.empty();
    if (property == prop::kChildren) {
        SyncChildren();
        return;
    }
    QWidget* widget = widget_.data();
    if (!widget) return;
    if (all || property == prop::kLeft || property == prop::kTop || property == prop::kWidth ||
        property == prop::kHeight)
        ApplyGeometry();
    if (all || property == prop::kVisible)
        if (!PlacedByParent()) widget->setVisible(control_.Visible());
    if (all || property == prop::kEnabled) widget->setEnabled(control_.Enabled());
    if (all || property == prop::kColor) ApplyColor();
    if (all || property == prop::kHint) widget->setToolTip(QString::fromStdString(control_.Hint()));
    if (all || property == prop::kName) widget->setObjectName(QString::fromStdString(control_.Name()));
}

} // namespace dfe::qtui
