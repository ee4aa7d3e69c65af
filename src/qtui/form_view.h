#pragma once

#include "platform/ui/form.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace dfe {
class PopupMenu;
}

namespace dfe::qtui {

class ControlView;
class FormView;
class MenuBarView;
class QtRenderer;

// The window of a form. Closing it asks the form (which may refuse); activating it activates the form.
class FormWindow : public QMainWindow {
public:
    explicit FormWindow(FormView* view) : view_(view) {}
    void Detach() { view_ = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    FormView* view_;
};

// A form on screen: its window (top level, or a child window in the host's MDI area), the menu bar of its
// main menu and the views of its controls. Built when the form is first shown.
class FormView {
public:
    FormView(QtRenderer& renderer, Form& form);
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;
    // Leaves the model alone (it may be gone) and lets Qt delete the widgets after the current event.
    ~FormView();

    Form& Model() const { return form_; }
    QtRenderer& Renderer() const { return renderer_; }
    // The window the clerk sees: a top-level window or the MDI child window around it.
    QWidget* Frame() const;
    QMainWindow* Window() const;
    QWidget* Client() const;
    // The MDI area of the main form's window; nullptr for other forms.
    QMdiArea* MdiArea() const { return mdiArea_; }

    // Brings the whole form to the screen: window, controls, menu and state.
    void Sync(std::string_view property);
    void FocusChanged(Control* to);
    // Keeps Qt's focus where the model's is (after a veto, or after the model moved it itself).
    void RestoreFocus();
    void RefreshFocused();
    // The form as it looks now, also when it is not shown.
    QPixmap Grab();

    // Widgets and views, for input routing and focus.
    void Map(QWidget* widget, ControlView* view);
    void Unmap(QWidget* widget);
    void MapControl(const Control& control, ControlView* view);
    void UnmapControl(const Control& control, const ControlView* view);
    ControlView* ViewOf(const Control& control) const;
    ControlView* ViewAt(QWidget* widget) const;

    // Runs an action as one toolkit event (errors reported), then brings the screen up to date.
    void RunEvent(const std::function<void()>& action);
    // From the window: the clerk closed it, or it became the active one.
    void CloseRequested();
    void Activated();
    // Shows or hides the window as the model says; forms are created hidden.
    void ApplyVisibility();
    // Stops listening to the model; only while the form is known to be alive.
    void Unsubscribe();
    // Deletes the widgets now instead of after the event (the renderer is going away).
    void DeleteWidgetsNow() { deleteNow_ = true; }

private:
    FormWindow* BuildWindow();
    void ApplyGeometry();
    void ApplyWindowState();
    // Popup menus show where the model pops them up, from a right click or from the rules' code.
    void WatchPopups();
    QMdiArea* HostArea() const;

    QtRenderer& renderer_;
    Form& form_;
    QPointer<FormWindow> window_;
    QPointer<QMdiSubWindow> subWindow_;
    QPointer<QMdiArea> mdiArea_;
    std::unique_ptr<ControlView> root_;
    std::unique_ptr<MenuBarView> menu_;
    std::unordered_map<const QWidget*, ControlView*> widgets_;
    std::unordered_map<const Control*, ControlView*> controls_;
    std::vector<std::pair<PopupMenu*, int>> popups_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool deleteNow_ = false;
    bool shown_ = false;
};

} // namespace dfe::qtui
