#pragma once

#include "platform/ui/container.h"

#include <functional>
#include <string>

namespace dfe {

class Application;

enum class CloseAction { None, Hide, Free, Minimize };
enum class WindowState { Normal, Minimized, Maximized };
enum class FormStyle { Normal, MdiChild };

// Modal results; buttons of the standard questions answer Yes 6 and No 7.
namespace mr {
inline constexpr int None = 0;
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Abort = 3;
inline constexpr int Retry = 4;
inline constexpr int Ignore = 5;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace mr

namespace border {
inline constexpr int SystemMenu = 1;
inline constexpr int Minimize = 2;
inline constexpr int Maximize = 4;
} // namespace border

using FormEvent = std::function<void(Form& form)>;
using CloseEvent = std::function<void(Form& form, CloseAction& action)>;
using CloseQueryEvent = std::function<void(Form& form, bool& canClose)>;

// A window of the application. It owns its components, keeps its own active control and runs the focus
// moves: the old control's exit handler first (an exception there keeps the focus), then the new one's enter.
class Form : public Container {
public:
    explicit Form(Application& application);
    ~Form() override;
    std::string_view Kind() const override { return "Form"; }

    Application& App() const { return app_; }

    // Runs OnCreate; the application calls it right after constructing a form.
    void RunCreate();

    Control* ActiveControl() const { return activeControl_; }
    // The focus move; nullptr takes the focus away from every control (running exits).
    void FocusControl(Control* control);
    // Moves the focus along the tab order (Shift+Tab goes back); false when no control can take it.
    bool SelectNext(bool forward);
    // The next control Tab would reach from `from` (nullptr: the first one).
    Control* FindNextControl(const Control* from, bool forward) const;

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }

    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides: hide, free (released after the current event), minimize or
    // nothing. A modal form's close sets its result to Cancel and lets the modal loop end it.
    void Close();
    int ShowModal();
    bool IsModal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    // Ends the modal session when a result is set and the close handlers agree; the modal loop calls it.
    bool ModalFinished();
    // Hides the form and destroys it once the current event is over.
    void Release();

    WindowState GetWindowState() const { return windowState_; }
    void SetWindowState(WindowState state);
    FormStyle GetFormStyle() const { return formStyle_; }
    void SetFormStyle(FormStyle style);
    int BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(int icons);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(std::string file) { helpFile_ = std::move(file); }
    // Asks a renderer to paint again; headless it only tells the observers.
    void Repaint();
    // When the focused control was hidden or disabled, the focus falls back to its nearest focusable
    // parent without running handlers (nothing is left, as the clerk did not move).
    void DefocusHidden();

    FormEvent OnCreate;
    FormEvent OnShow;
    FormEvent OnHide;
    FormEvent OnActivate;
    FormEvent OnDeactivate;
    FormEvent OnDestroy;
    CloseEvent OnClose;
    CloseQueryEvent OnCloseQuery;

private:
    friend class Control;
    friend class Container;
    friend class Application;
    void ForgetControl(const Control& control);
    bool CloseModal();

    Application& app_;
    Control* activeControl_ = nullptr;
    // Where a handler sent the focus while a focus move was running its exit handlers.
    Control* redirect_ = nullptr;
    bool redirectSet_ = false;
    bool movingFocus_ = false;
    bool releaseAfterModal_ = false;
    bool keyPreview_ = false;
    bool modal_ = false;
    int modalResult_ = mr::None;
    WindowState windowState_ = WindowState::Normal;
    FormStyle formStyle_ = FormStyle::Normal;
    int borderIcons_ = border::SystemMenu | border::Minimize | border::Maximize;
    int helpContext_ = 0;
    std::string helpFile_;
};

} // namespace dfe
