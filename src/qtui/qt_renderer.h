#pragma once

#include "platform/ui/application.h"

#include <QPixmap>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QEventLoop;
class QMdiArea;
class QMdiSubWindow;
class QObject;
class QWidget;

namespace dfe::qtui {

class FormView;
class InputRouter;

// Shows the forms of an application with Qt Widgets. Each form gets its window when it is first shown;
// the model stays the truth: properties flow from it to the widgets, the clerk's keys, clicks and focus
// moves flow through the toolkit's dispatch. Needs a QApplication; must not outlive the application.
class QtRenderer : public Renderer {
public:
    explicit QtRenderer(Application& app);
    QtRenderer(const QtRenderer&) = delete;
    QtRenderer& operator=(const QtRenderer&) = delete;
    ~QtRenderer() override;

    Application& App() const { return app_; }

    // Writes a PNG of the form's window (built if it was never shown); false when it could not.
    bool Screenshot(Form& form, const std::string& path) override;
    // The whole screen of the application: the main window (or the active form) with the windows over it.
    QPixmap GrabScreen();
    bool ScreenshotScreen(const std::string& path);

    // The view of a form, built now when it has none yet.
    FormView& ViewOf(Form& form);
    FormView* FindView(const Form& form) const;
    // The form whose window holds this widget (the innermost one: an MDI child before the host window).
    FormView* ViewForWidget(QWidget* widget) const;
    // The MDI area of the main form's window, where child forms go; nullptr when there is no main form.
    QMdiArea* HostArea();
    void SubWindowActivated(QMdiSubWindow* sub);

    // Runs an action as one toolkit event, reporting what escapes it, then brings Qt's focus and the
    // focused control's text up to date.
    void RunEvent(const std::function<void()>& action);

    // A modal session: runs Qt's events until the form ends its session, the form goes away or the
    // application quits (then Cancel).
    int RunModal(Form& form);
    // Quits every event loop, modal ones included; later modal sessions end at once with Cancel.
    void Quit(int code = 0);
    bool Quitting() const { return quitting_; }
    // A form's modal result changed: its session checks whether it ended.
    void WakeModal(const Form& form);

private:
    struct ModalSession;
    void FormJoined(Form& form);
    void FormLeft(Form& form);
    void AfterEvent();

    Application& app_;
    std::unordered_map<const Form*, std::unique_ptr<FormView>> views_;
    std::unordered_map<const Form*, int> visibilityWatch_;
    std::unique_ptr<InputRouter> router_;
    std::vector<ModalSession*> modals_;
    int formSubscription_ = 0;
    int focusSubscription_ = 0;
    int eventDepth_ = 0;
    bool quitting_ = false;
    Renderer* previousRenderer_ = nullptr;
};

} // namespace dfe::qtui
