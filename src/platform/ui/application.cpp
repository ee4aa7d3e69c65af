#include "platform/ui/application.h"

#include "platform/ui/menu.h"
#include "platform/ui/scripted_dialogs.h"

#include "platform/core/text.h"

#include <algorithm>

namespace dfe {
namespace {

Application* gCurrent = nullptr;

// The character a key-down also types, as the message loop translates it.
std::optional<char32_t> TranslatedChar(int key, ShiftState shift) {
    if (shift.ctrl && key >= 'A' && key <= 'Z') return static_cast<char32_t>(key - 'A' + 1);
    if (shift.ctrl || shift.alt) return std::nullopt;
    switch (key) {
    case key::Back:
        return U'\b';
    case key::Enter:
        return U'\r';
    case key::Escape:
        return U'\x1b';
    default:
        return std::nullopt;
    }
}

// Ctrl held for one key: the application-wide state says so while the key is processed.
class CtrlScope {
public:
    CtrlScope(Application& app, bool held) : app_(app), previous_(app.IsCtrlDown()), held_(held) {
        if (held_) app_.SetCtrlDown(true);
    }
    CtrlScope(const CtrlScope&) = delete;
    CtrlScope& operator=(const CtrlScope&) = delete;
    ~CtrlScope() {
        if (held_) app_.SetCtrlDown(previous_);
    }

private:
    Application& app_;
    bool previous_;
    bool held_;
};

} // namespace

Application::Application() : previous_(gCurrent) {
    gCurrent = this;
}

Application::~Application() {
    DestroyAllForms();
    if (gCurrent == this) gCurrent = previous_;
}

Application* Application::Current() {
    return gCurrent;
}
void Application::SetCurrent(Application* application) {
    gCurrent = application;
}

void Application::Register(Form& form) {
    forms_.push_back(&form);
    NotifyForms(form, true);
}

void Application::Unregister(Form& form) {
    NotifyForms(form, false);
    std::erase(forms_, &form);
    std::erase(activationOrder_, &form);
    std::erase(released_, &form);
    if (mainForm_ == &form) mainForm_ = nullptr;
    if (activeForm_ == &form) {
        // The form is going away: no handler of it may run now, so the next one only becomes active.
        activeForm_ = nullptr;
        for (auto it = activationOrder_.rbegin(); it != activationOrder_.rend(); ++it)
            if ((*it)->Visible()) {
                activeForm_ = *it;
                break;
            }
    }
}

Form* Application::FindForm(std::string_view name) const {
    for (Form* f : forms_)
        if (text::SameText(f->Name(), name)) return f;
    return nullptr;
}

void Application::DestroyForm(Form& form) {
    auto it =
        std::find_if(ownedForms_.begin(), ownedForms_.end(), [&](const auto& p) { return p.get() == &form; });
    if (it == ownedForms_.end()) return;
    auto doomed = std::move(*it);
    ownedForms_.erase(it);
    std::erase(released_, &form);
    if (doomed->OnDestroy) doomed->OnDestroy(*doomed);
    doomed.reset();
}

void Application::DestroyAllForms() {
    while (!ownedForms_.empty()) {
        auto doomed = std::move(ownedForms_.back());
        ownedForms_.pop_back();
        try {
            if (doomed->OnDestroy) doomed->OnDestroy(*doomed);
        } catch (...) {
            // Shutting down: a failing handler must not keep the other forms alive.
        }
        doomed.reset();
    }
    released_.clear();
}

void Application::SetScreenSize(int width, int height) {
    screenWidth_ = width;
    screenHeight_ = height;
}

DialogService& Application::Dialogs() {
    if (dialogs_) return *dialogs_;
    if (!defaultDialogs_) defaultDialogs_ = std::make_unique<ScriptedDialogs>();
    return *defaultDialogs_;
}

void Application::Activate(Form* form) {
    if (form == activeForm_) return;
    Form* old = activeForm_;
    activeForm_ = form;
    if (form) {
        std::erase(activationOrder_, form);
        activationOrder_.push_back(form);
    }
    if (old && old->OnDeactivate) old->OnDeactivate(*old);
    if (form && activeForm_ == form) {
        if (!form->ActiveControl())
            if (Control* first = form->FindNextControl(nullptr, true)) form->FocusControl(first);
        if (form->OnActivate) form->OnActivate(*form);
    }
}

void Application::ActivateAnother(const Form& leaving) {
    for (auto it = activationOrder_.rbegin(); it != activationOrder_.rend(); ++it) {
        if (*it != &leaving && (*it)->Visible()) {
            Activate(*it);
            return;
        }
    }
    Activate(nullptr);
}

void Application::ScheduleRelease(Form& form) {
    if (std::find(released_.begin(), released_.end(), &form) == released_.end()) released_.push_back(&form);
    if (dispatchDepth_ == 0) ProcessDeferred();
}

void Application::ProcessDeferred() {
    while (!released_.empty()) {
        Form* form = released_.front();
        released_.erase(released_.begin());
        try {
            DestroyForm(*form);
        } catch (const ScriptFailure&) {
            throw;
        } catch (const std::exception& error) {
            Dialogs().ShowError(std::string(error.what()));
        }
    }
}

std::exception_ptr Application::ReportError(const std::string& text) {
    try {
        Dialogs().ShowError(text);
    } catch (...) {
        return std::current_exception();
    }
    return nullptr;
}

int Application::SubscribeFocus(FocusObserver observer) {
    int id = nextFocusObserver_++;
    focusObservers_.emplace_back(id, std::move(observer));
    return id;
}

void Application::UnsubscribeFocus(int id) {
    std::erase_if(focusObservers_, [id](const auto& entry) { return entry.first == id; });
}

void Application::NotifyFocus(Form& form, Control* from, Control* to) {
    auto observers = focusObservers_;
    for (auto& [id, observer] : observers)
        observer(form, from, to);
}

int Application::SubscribeForms(FormListObserver observer) {
    int id = nextFocusObserver_++;
    formObservers_.emplace_back(id, std::move(observer));
    return id;
}

void Application::UnsubscribeForms(int id) {
    std::erase_if(formObservers_, [id](const auto& entry) { return entry.first == id; });
}

void Application::NotifyForms(Form& form, bool joined) {
    auto observers = formObservers_;
    for (auto& [id, observer] : observers)
        observer(form, joined);
}

int Application::KeyDown(int key, ShiftState shift) {
    int result = key::None;
    Dispatch([&] { result = ProcessKeyDown(key, shift); });
    return result;
}

void Application::PressKey(int key, ShiftState shift) {
    Dispatch([&] {
        int after = ProcessKeyDown(key, shift);
        if (after == key::None) return;
        if (auto ch = TranslatedChar(after, shift)) {
            CtrlScope ctrl(*this, shift.ctrl);
            ProcessChar(*ch);
        }
    });
}

void Application::NativeKey(int key, ShiftState shift, char32_t typed) {
    Dispatch([&] {
        std::optional<char32_t> ch = typed != 0 ? std::optional<char32_t>(typed) : std::nullopt;
        if (key != key::None) {
            const int after = ProcessKeyDown(key, shift);
            if (after == key::None) return;
            if (typed == 0)
                ch = TranslatedChar(after, shift);
            else if (after != key)
                ch = CharForKey(after, typed);
        }
        if (!ch) return;
        CtrlScope ctrl(*this, shift.ctrl);
        ProcessChar(*ch);
    });
}

void Application::TypeText(std::string_view utf8) {
    for (char32_t ch : text::Decode(utf8)) {
        Dispatch([&] {
            const int code = KeyCodeForChar(ch);
            char32_t typed = ch;
            if (code != key::None) {
                ShiftState shift;
                shift.shift = ch >= 'A' && ch <= 'Z';
                const int after = ProcessKeyDown(code, shift);
                if (after == key::None) return;
                if (after != code) {
                    auto mapped = CharForKey(after, ch);
                    if (!mapped) return; // it became Tab or Enter and was handled as such
                    typed = *mapped;
                }
            }
            ProcessChar(typed);
        });
    }
}

int Application::ProcessKeyDown(int key, ShiftState shift) {
    CtrlScope ctrl(*this, shift.ctrl);
    Message message{MessageKind::KeyDown, key, shift};
    bool handled = false;
    if (msgEventForm_) {
        MessageHook hook = msgEventForm_; // the hook may replace itself while it runs
        hook(message, handled);
    }
    if (handled || message.key == key::None) return key::None;
    key = message.key;

    Form* form = activeForm_;
    if (!form) return key;
    if (form->KeyPreview() && form->OnKeyDown) {
        form->OnKeyDown(*form, key, shift);
        if (key == key::None) return key::None;
    }
    if (Control* control = form->ActiveControl()) {
        if (control->OnKeyDown) {
            control->OnKeyDown(*control, key, shift);
            if (key == key::None) return key::None;
        }
        if (control->HandleKeyDown(key, shift)) return key;
    }
    if ((shift.ctrl || shift.alt || (key >= key::F1 && key <= key::F12)) && MenuShortcut(*form, key, shift))
        return key::None;
    if (key == key::Tab && !shift.ctrl && !shift.alt) form->SelectNext(!shift.shift);
    return key;
}

void Application::ProcessChar(char32_t ch) {
    Message message{MessageKind::Char, static_cast<int>(ch), {}};
    bool handled = false;
    if (msgEventForm_) {
        MessageHook hook = msgEventForm_;
        hook(message, handled);
    }
    if (handled || message.key == 0) return;
    ch = static_cast<char32_t>(message.key);
    Form* form = activeForm_;
    if (!form) return;
    if (form->KeyPreview() && form->OnKeyPress) {
        form->OnKeyPress(*form, ch);
        if (ch == 0) return;
    }
    Control* control = form->ActiveControl();
    if (!control) return;
    if (control->OnKeyPress) {
        control->OnKeyPress(*control, ch);
        if (ch == 0) return;
    }
    control->HandleChar(ch);
}

bool Application::MenuShortcut(Form& form, int key, ShiftState shift) {
    for (Component* component : form.Components()) {
        auto* root = dynamic_cast<MainMenu*>(component);
        if (!root) continue;
        if (MenuItem* item = root->FindShortCut(key, shift)) {
            item->Click();
            return true;
        }
    }
    return false;
}

void Application::Click(Control& control) {
    Dispatch([&] {
        if (!control.Showing() || !control.EnabledInChain()) return;
        if (control.TakesFocusOnClick() && control.CanFocus() && !control.Focused()) control.SetFocus();
        control.Click();
    });
}

void Application::DoubleClick(Control& control) {
    Dispatch([&] {
        if (!control.Showing() || !control.EnabledInChain()) return;
        if (control.TakesFocusOnClick() && control.CanFocus() && !control.Focused()) control.SetFocus();
        if (control.OnDblClick) control.OnDblClick(control);
    });
}

void Application::Click(MenuItem& item) {
    Dispatch([&] { item.Click(); });
}

} // namespace dfe
