#pragma once

#include "platform/ui/dialog_service.h"
#include "platform/ui/form.h"
#include "platform/ui/keys.h"
#include "platform/ui/ui_error.h"

#include "platform/core/abort.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dfe {

class MenuItem;
class Renderer;

enum class MessageKind { KeyDown, Char };

// What the keyboard hook sees: a key-down (virtual key code) or a typed character.
struct Message {
    MessageKind kind = MessageKind::KeyDown;
    int key = 0;
    ShiftState shift;
};

// The application-wide keyboard hook: it sees every key first and may rewrite it in place
// (0 swallows it, 9 turns it into Tab, 13 into Enter) or mark it handled.
using MessageHook = std::function<void(Message& message, bool& handled)>;
using FocusObserver = std::function<void(Form& form, Control* from, Control* to)>;
// Told when a form joins the application (while it is being constructed) and when it leaves (while it is
// being destroyed, its controls already gone); renderers follow the forms through it.
using FormListObserver = std::function<void(Form& form, bool joined)>;

enum class Cursor { Default, HourGlass };

// Something that draws forms (the Qt front end); headless runs have none.
class Renderer {
public:
    virtual ~Renderer() = default;
    // Writes a picture of the form; false when it could not.
    virtual bool Screenshot(Form& form, const std::string& path) = 0;
};

// The process's user interface: its forms, the active one, the keyboard hook, the screen and the dialog
// service. Tests create a fresh one each; the newest living application is the current one.
class Application {
public:
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // The newest living application (or the one a package was handed), nullptr when none.
    static Application* Current();
    static void SetCurrent(Application* application);

    // Creates a form owned by the application and runs its OnCreate; a failing OnCreate destroys it again.
    template <class T, class... Args> T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *form;
        ownedForms_.push_back(std::move(form));
        try {
            ref.RunCreate();
        } catch (...) {
            DestroyForm(ref);
            throw;
        }
        return ref;
    }
    const std::vector<Form*>& Forms() const { return forms_; }
    Form* FindForm(std::string_view name) const;
    Form* ActiveForm() const { return activeForm_; }
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }
    // Destroys an owned form now (forms that close with Free are destroyed after the current event).
    void DestroyForm(Form& form);
    void DestroyAllForms();

    // Screen and cursor.
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    void SetScreenSize(int width, int height);
    Cursor ScreenCursor() const { return cursor_; }
    void SetScreenCursor(Cursor cursor) { cursor_ = cursor; }

    // The single keyboard-hook slot; installing replaces whatever was there.
    const MessageHook& MsgEventForm() const { return msgEventForm_; }
    void SetMsgEventForm(MessageHook hook) { msgEventForm_ = std::move(hook); }
    void ClearMsgEventForm() { msgEventForm_ = nullptr; }

    bool IsCtrlDown() const { return ctrlDown_; }
    void SetCtrlDown(bool down) { ctrlDown_ = down; }
    char DecimalSeparator() const { return decimalSeparator_; }
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }
    const std::string& Clipboard() const { return clipboard_; }
    void SetClipboard(std::string text) { clipboard_ = std::move(text); }

    // The dialog service in use; without one installed, a strict scripted one answers nothing.
    DialogService& Dialogs();
    void SetDialogs(DialogService* dialogs) { dialogs_ = dialogs; }
    Renderer* GetRenderer() const { return renderer_; }
    void SetRenderer(Renderer* renderer) { renderer_ = renderer; }

    // Input as the clerk gives it. Each runs as one event: Abort is swallowed, other errors are shown.
    // KeyDown returns the key as the hook and handlers left it (0 when swallowed).
    int KeyDown(int key, ShiftState shift = {});
    // Key-down plus the character it types (Backspace, Enter, Esc, Ctrl+letter).
    void PressKey(int key, ShiftState shift = {});
    void TypeText(std::string_view utf8);
    // A key-down and the character the keyboard layout typed with it (0: none), as a native message loop
    // delivers them; a rewritten key types what CharForKey says. Renderers feed the clerk's keys here.
    void NativeKey(int key, ShiftState shift, char32_t typed);
    void Click(Control& control);
    void DoubleClick(Control& control);
    void Click(MenuItem& item);

    // Runs an action as one event dispatch; the scenario driver and renderers use it for everything else.
    template <class F> void Dispatch(F&& action) {
        ++dispatchDepth_;
        std::exception_ptr failure;
        try {
            action();
        } catch (const Abort&) {
        } catch (const ScriptFailure&) {
            failure = std::current_exception();
        } catch (const std::exception& error) {
            failure = ReportError(error.what());
        } catch (...) {
            failure = ReportError("erro desconhecido");
        }
        if (--dispatchDepth_ == 0 && !failure) ProcessDeferred();
        if (failure) std::rethrow_exception(failure);
    }
    // Destroys the forms released during the event; runs after every outermost dispatch.
    void ProcessDeferred();

    int SubscribeFocus(FocusObserver observer);
    void UnsubscribeFocus(int id);
    int SubscribeForms(FormListObserver observer);
    void UnsubscribeForms(int id);

private:
    friend class Form;
    // Shows an error; what showing it threw (a script failure) is handed back to be rethrown.
    std::exception_ptr ReportError(const std::string& text);

    void Register(Form& form);
    void Unregister(Form& form);
    void Activate(Form* form);
    void ActivateAnother(const Form& leaving);
    void ScheduleRelease(Form& form);
    void NotifyFocus(Form& form, Control* from, Control* to);
    void NotifyForms(Form& form, bool joined);
    int ProcessKeyDown(int key, ShiftState shift);
    void ProcessChar(char32_t ch);
    bool MenuShortcut(Form& form, int key, ShiftState shift);

    Application* previous_ = nullptr;
    std::vector<std::unique_ptr<Form>> ownedForms_;
    std::vector<Form*> forms_;
    std::vector<Form*> activationOrder_;
    std::vector<Form*> released_;
    Form* activeForm_ = nullptr;
    Form* mainForm_ = nullptr;
    int screenWidth_ = 1024;
    int screenHeight_ = 768;
    Cursor cursor_ = Cursor::Default;
    MessageHook msgEventForm_;
    bool ctrlDown_ = false;
    char decimalSeparator_ = ',';
    std::string clipboard_;
    DialogService* dialogs_ = nullptr;
    std::unique_ptr<DialogService> defaultDialogs_;
    Renderer* renderer_ = nullptr;
    int dispatchDepth_ = 0;
    std::vector<std::pair<int, FocusObserver>> focusObservers_;
    int nextFocusObserver_ = 1;
    std::vector<std::pair<int, FormListObserver>> formObservers_;
};

// Holds the cursor for a scope and restores the one before.
class CursorScope {
public:
    CursorScope(Application& app, Cursor cursor) : app_(app), previous_(app.ScreenCursor()) {
        app_.SetScreenCursor(cursor);
    }
    CursorScope(const CursorScope&) = delete;
    CursorScope& operator=(const CursorScope&) = delete;
    ~CursorScope() { app_.SetScreenCursor(previous_); }

private:
    Application& app_;
    Cursor previous_;
};

} // namespace dfe
