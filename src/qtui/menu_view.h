#pragma once

#include "platform/ui/menu.h"

#include <QPoint>
#include <QPointer>

#include <QAction>

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

class QMenu;
class QMenuBar;
class QWidget;

namespace dfe::qtui {

class FormView;

// The form's main menu as the window's menu bar: one Qt action per item, kept in step with the items.
// A change of the item lists rebuilds the bar after the current event.
class MenuBarView {
public:
    MenuBarView(FormView& form, QMenuBar& bar);
    MenuBarView(const MenuBarView&) = delete;
    MenuBarView& operator=(const MenuBarView&) = delete;
    ~MenuBarView();

    // The form's components changed (or the view was just built): the first main menu becomes the bar.
    void ComponentsChanged();
    // Builds the bar now when a change is waiting.
    void RebuildNow() {
        if (stale_) Rebuild();
    }
    void Unsubscribe();

private:
    void Rebuild();
    void ScheduleRebuild();
    void AddItems(QWidget& parent, const std::vector<MenuItem*>& items);
    void Subscribe(Component& component);
    // A caption or state changes its action in place; a change of the item lists rebuilds the bar.
    void ItemChanged(Component& component, std::string_view property);

    FormView& form_;
    QPointer<QMenuBar> bar_;
    MainMenu* menu_ = nullptr;
    std::vector<std::pair<Component*, int>> subscriptions_;
    std::unordered_map<const MenuItem*, QPointer<QAction>> actions_;
    std::shared_ptr<bool> alive_;
    bool stale_ = false;
};

// Pops a popup menu up at a screen position; its items run through the toolkit when chosen.
void ShowPopupMenu(FormView& form, PopupMenu& menu, QPoint at);

// True while `component` is still owned, at any depth, by `owner`: actions check their item before running.
bool StillOwned(const Component& owner, const Component* component);

} // namespace dfe::qtui
