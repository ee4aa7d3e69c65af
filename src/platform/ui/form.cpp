#include "platform/ui/form.h"

#include "platform/ui/application.h"
#include "platform/ui/property_names.h"
#include "platform/ui/simple_controls.h"
#include "platform/ui/ui_error.h"

#include <algorithm>

namespace dfe {
namespace {

void CollectTabList(const Container& container, std::vector<Control*>& out) {
    for (Control* child : container.Children()) {
        if (!child->IsWindowed()) continue;
        out.push_back(child);
        if (auto* inner = dynamic_cast<Container*>(child)) CollectTabList(*inner, out);
    }
}

} // namespace

Form::Form(Application& application) : app_(application) {
    SetVisible(false);
    SetColor(Color::clBtnFace);
    app_.Register(*this);
}

Form::~Form() {
    // Controls go while the form is whole, so that they can leave its focus.
    DestroyOwnedComponents();
    app_.Unregister(*this);
}

void Form::RunCreate() {
    if (OnCreate) OnCreate(*this);
}

void Form::ForgetControl(const Control& control) {
    if (activeControl_ && control.ContainsControl(*activeControl_)) activeControl_ = nullptr;
    if (redirect_ && control.ContainsControl(*redirect_)) redirect_ = nullptr;
}

namespace {

// Scrolls every scroll box around the control just enough to show it whole (its top when it is taller than
// the box), as the clerk expects of a page longer than the window.
void ScrollInView(Control& control) {
    int top = control.Top();
    for (Control* c = control.Parent(); c; top += c->Top(), c = c->Parent()) {
        auto* box = dynamic_cast<ScrollBox*>(c);
        if (!box) continue;
        const int position = box->VertScrollPosition();
        const int bottom = top + control.Height();
        if (top < position || control.Height() > box->Height()) {
            box->SetVertScrollPosition(top);
        } else if (bottom > position + box->Height()) {
            box->SetVertScrollPosition(bottom - box->Height());
        }
    }
}

} // namespace

void Form::FocusControl(Control* target) {
    if (target) {
        if (target->ParentForm() != this || target == this)
            throw UiError("o controle " + target->Name() + " não pertence ao formulário " + Name());
        if (!target->CanFocus())
            throw UiError("não é possível dar o foco a " + target->Name() +
                          ": o controle está desabilitado ou invisível");
    }
    if (movingFocus_) {
        // An exit handler chose where the focus goes; the move in progress honours it.
        redirect_ = target;
        redirectSet_ = true;
        return;
    }
    if (target == activeControl_) return;

    Control* old = activeControl_;
    std::vector<Control*> exits;
    for (Control* c = old; c && c != this && !(target && c->ContainsControl(*target)); c = c->Parent())
        exits.push_back(c);

    movingFocus_ = true;
    redirectSet_ = false;
    redirect_ = nullptr;
    try {
        for (Control* c : exits)
            c->DoExit();
    } catch (...) {
        movingFocus_ = false;
        if (redirectSet_ && redirect_ != old) {
            activeControl_ = redirect_;
            app_.NotifyFocus(*this, old, activeControl_);
        }
        throw;
    }
    movingFocus_ = false;
    if (redirectSet_) target = redirect_;
    if (target == old) return;

    std::vector<Control*> enters;
    for (Control* c = target; c && c != this && !(old && c->ContainsControl(*old)); c = c->Parent())
        enters.push_back(c);
    activeControl_ = target;
    if (target) ScrollInView(*target);
    app_.NotifyFocus(*this, old, target);
    for (auto it = enters.rbegin(); it != enters.rend(); ++it) {
        (*it)->DoEnter();
        if (activeControl_ != target) break; // an enter handler sent the focus elsewhere
    }
}

Control* Form::FindNextControl(const Control* from, bool forward) const {
    std::vector<Control*> list;
    CollectTabList(*this, list);
    if (list.empty()) return nullptr;
    const auto size = static_cast<long>(list.size());
    long start = forward ? -1 : size;
    if (from) {
        auto it = std::find(list.begin(), list.end(), from);
        if (it != list.end()) start = it - list.begin();
    }
    for (long step = 1; step <= size; ++step) {
        long index = forward ? start + step : start - step;
        index = ((index % size) + size) % size;
        Control* candidate = list[static_cast<size_t>(index)];
        if (candidate != from && candidate->CanFocus() && candidate->TabStop()) return candidate;
    }
    return nullptr;
}

bool Form::SelectNext(bool forward) {
    Control* next = FindNextControl(activeControl_, forward);
    if (!next) return false;
    FocusControl(next);
    return true;
}

void Form::DefocusHidden() {
    if (!activeControl_ || (activeControl_->Showing() && activeControl_->EnabledInChain())) return;
    Control* old = activeControl_;
    Control* c = activeControl_->Parent();
    while (c && c != this && !c->CanFocus())
        c = c->Parent();
    activeControl_ = (c == this) ? nullptr : c;
    app_.NotifyFocus(*this, old, activeControl_);
}

void Form::Show() {
    if (!Visible()) {
        SetVisible(true);
        if (OnShow) OnShow(*this);
    }
    if (Visible()) app_.Activate(this);
}

void Form::Hide() {
    if (!Visible()) return;
    SetVisible(false);
    if (OnHide) OnHide(*this);
    if (app_.ActiveForm() == this) app_.ActivateAnother(*this);
}

void Form::Close() {
    if (modal_) {
        SetModalResult(mr::Cancel);
        return;
    }
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(*this, canClose);
    if (!canClose) return;
    CloseAction action = formStyle_ == FormStyle::MdiChild ? CloseAction::Minimize : CloseAction::Hide;
    if (OnClose) OnClose(*this, action);
    switch (action) {
    case CloseAction::None:
        return;
    case CloseAction::Hide:
        Hide();
        return;
    case CloseAction::Minimize:
        SetWindowState(WindowState::Minimized);
        return;
    case CloseAction::Free:
        Release();
        return;
    }
}

void Form::SetModalResult(int result) {
    if (result == modalResult_) return;
    modalResult_ = result;
    Changed(prop::kModalResult);
}

bool Form::CloseModal() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(*this, canClose);
    if (!canClose) {
        modalResult_ = mr::None;
        return false;
    }
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(*this, action);
    if (action == CloseAction::None) {
        modalResult_ = mr::None;
        return false;
    }
    releaseAfterModal_ = action == CloseAction::Free;
    return true;
}

bool Form::ModalFinished() {
    return modalResult_ != mr::None && CloseModal();
}

int Form::ShowModal() {
    if (modal_ || Visible())
        throw UiError("o formulário " + Name() + " já está visível e não pode ser modal");
    modal_ = true;
    modalResult_ = mr::None;
    releaseAfterModal_ = false;
    int result = mr::None;
    try {
        Show();
        result = app_.Dialogs().RunModal(*this);
    } catch (...) {
        modal_ = false;
        Hide();
        throw;
    }
    modal_ = false;
    Hide();
    if (releaseAfterModal_) Release();
    return result;
}

void Form::Release() {
    Hide();
    app_.ScheduleRelease(*this);
}

void Form::SetWindowState(WindowState state) {
    if (state == windowState_) return;
    windowState_ = state;
    Changed(prop::kWindowState);
}

void Form::SetFormStyle(FormStyle style) {
    if (style == formStyle_) return;
    formStyle_ = style;
    Changed(prop::kFormStyle);
}

void Form::SetBorderIcons(int icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    Changed(prop::kBorderIcons);
}

void Form::Repaint() {
    Changed(prop::kRepaint);
}

} // namespace dfe
