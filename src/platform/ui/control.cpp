#include "platform/ui/control.h"

#include "platform/ui/container.h"
#include "platform/ui/form.h"
#include "platform/ui/property_names.h"
#include "platform/ui/ui_error.h"

namespace dfe {

Control::Control() = default;

Control::~Control() {
    if (auto* form = ParentForm(); form && form != this) form->ForgetControl(*this);
    if (parent_) parent_->Remove(*this);
}

void Control::SetParent(Container* parent) {
    if (parent == parent_) return;
    if (parent == this) throw UiError("um controle não pode ser o próprio pai: " + Name());
    if (parent_) parent_->Remove(*this);
    parent_ = parent;
    if (parent_) parent_->Insert(*this);
    Changed(prop::kParent);
}

Form* Control::ParentForm() const {
    const Control* c = this;
    while (c) {
        if (auto* form = dynamic_cast<const Form*>(c)) return const_cast<Form*>(form);
        c = c->parent_;
    }
    return nullptr;
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed(prop::kVisible);
    if (!visible) DropFocusIfHidden();
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed(prop::kEnabled);
    if (!enabled) DropFocusIfHidden();
}

bool Control::Showing() const {
    if (!visible_) return false;
    if (!parent_) return true;
    return parent_->Showing() && parent_->IsChildShown(*this);
}

bool Control::EnabledInChain() const {
    return enabled_ && (!parent_ || parent_->EnabledInChain());
}

void Control::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    Changed(prop::kColor);
}

void Control::SetLeft(int value) {
    if (value == left_) return;
    left_ = value;
    Changed(prop::kLeft);
}
void Control::SetTop(int value) {
    if (value == top_) return;
    top_ = value;
    Changed(prop::kTop);
}
void Control::SetWidth(int value) {
    if (value == width_) return;
    width_ = value;
    Changed(prop::kWidth);
}
void Control::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    Changed(prop::kHeight);
}
void Control::SetBounds(int left, int top, int width, int height) {
    SetLeft(left);
    SetTop(top);
    SetWidth(width);
    SetHeight(height);
}

void Control::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Changed(prop::kCaption);
}

void Control::SetHint(std::string hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    Changed(prop::kHint);
}

void Control::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    Changed(prop::kReadOnly);
}

void Control::SetMaxLength(int maxLength) {
    if (maxLength < 0) maxLength = 0;
    if (maxLength == maxLength_) return;
    maxLength_ = maxLength;
    Changed(prop::kMaxLength);
}

int Control::TabOrder() const {
    return parent_ ? parent_->TabOrderOf(*this) : -1;
}

void Control::SetTabOrder(int order) {
    if (!parent_ || !IsWindowed()) return;
    parent_->MoveToTabOrder(*this, order);
    Changed(prop::kTabOrder);
}

void Control::SetTabStop(bool tabStop) {
    if (tabStop == tabStop_) return;
    tabStop_ = tabStop;
    Changed(prop::kTabStop);
}

void Control::SetPopupMenu(PopupMenu* menu) {
    if (menu == popupMenu_) return;
    popupMenu_ = menu;
    Changed(prop::kPopupMenu);
}

bool Control::CanFocus() const {
    auto* form = ParentForm();
    return IsWindowed() && form && form != this && Showing() && EnabledInChain();
}

bool Control::Focused() const {
    auto* form = ParentForm();
    return form && form->ActiveControl() == this;
}

void Control::SetFocus() {
    auto* form = ParentForm();
    if (!form || form == this) throw UiError("o controle " + Name() + " não está em um formulário");
    form->FocusControl(this);
}

bool Control::ContainsControl(const Control& other) const {
    for (const Control* c = &other; c; c = c->parent_)
        if (c == this) return true;
    return false;
}

void Control::DoEnter() {
    if (OnEnter) OnEnter(*this);
}

void Control::DoExit() {
    if (OnExit) OnExit(*this);
}

void Control::Click() {
    if (OnClick) OnClick(*this);
}

bool Control::HandleKeyDown(int&, ShiftState) {
    return false;
}

void Control::HandleChar(char32_t) {}

void Control::FireChange() {
    if (OnChange) OnChange(*this);
}

void Control::DropFocusIfHidden() {
    if (auto* form = ParentForm(); form && form != this) form->DefocusHidden();
}

} // namespace dfe
