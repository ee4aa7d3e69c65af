#include "qtui/menu_view.h"

#include "qtui/control_views.h"
#include "qtui/form_view.h"

#include "platform/ui/application.h"
#include "platform/ui/property_names.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <algorithm>

namespace dfe::qtui {
namespace {

// Shortcuts are shown, not bound: the toolkit's key dispatch runs them.
QString ShortCutText(const MenuItem& item) {
    const auto& sc = item.ShortCut();
    if (!sc) return {};
    std::string text;
    if (sc->shift.ctrl) text += "Ctrl+";
    if (sc->shift.shift) text += "Shift+";
    if (sc->shift.alt) text += "Alt+";
    text += KeyName(sc->key);
    return QString::fromStdString(text);
}

void ApplyItem(QAction& action, const MenuItem& item) {
    action.setText(QString::fromStdString(item.Caption()) +
                   (item.ShortCut() ? QStringLiteral("\t") + ShortCutText(item) : QString()));
    action.setEnabled(item.Enabled());
    action.setVisible(item.Visible());
    action.setCheckable(item.Checked());
    action.setChecked(item.Checked());
}

bool IsSeparator(const MenuItem& item) {
    return item.Caption() == "-";
}

void ClickItem(FormView& form, MenuItem* item) {
    Form& model = form.Model();
    form.RunEvent([&model, item] {
        if (StillOwned(model, item)) model.App().Click(*item);
    });
}

void FillPopup(FormView& form, QMenu& menu, const std::vector<MenuItem*>& items) {
    for (MenuItem* item : items) {
        if (!item->Visible()) continue;
        if (IsSeparator(*item)) {
            menu.addSeparator();
            continue;
        }
        if (!item->Items().empty()) {
            QMenu* sub = menu.addMenu(QString::fromStdString(item->Caption()));
            sub->setEnabled(item->Enabled());
            FillPopup(form, *sub, item->Items());
            continue;
        }
        QAction* action = menu.addAction(QString());
        ApplyItem(*action, *item);
        QObject::connect(action, &QAction::triggered, &menu, [&form, item] { ClickItem(form, item); });
    }
}

} // namespace

bool StillOwned(const Component& owner, const Component* component) {
    for (Component* c : owner.Components())
        if (c == component || StillOwned(*c, component)) return true;
    return false;
}

MenuBarView::MenuBarView(FormView& form, QMenuBar& bar)
    : form_(form), bar_(&bar), alive_(std::make_shared<bool>(true)) {}

MenuBarView::~MenuBarView() {
    *alive_ = false;
}

void MenuBarView::Unsubscribe() {
    for (auto& [component, id] : subscriptions_)
        if (component == menu_ || StillOwned(form_.Model(), component)) component->Unsubscribe(id);
    subscriptions_.clear();
}

void MenuBarView::ComponentsChanged() {
    MainMenu* first = nullptr;
    for (Component* c : form_.Model().Components())
        if ((first = dynamic_cast<MainMenu*>(c))) break;
    if (first != menu_) {
        // The old menu may be gone: its subscriptions went with it.
        subscriptions_.clear();
        actions_.clear();
        menu_ = first;
    }
    ScheduleRebuild();
}

void MenuBarView::ItemChanged(Component& component, std::string_view property) {
    auto* item = dynamic_cast<MenuItem*>(&component);
    auto it = item ? actions_.find(item) : actions_.end();
    if (property == prop::kItems || it == actions_.end() || !it->second) {
        ScheduleRebuild();
        return;
    }
    ApplyItem(*it->second, *item);
    if (!item->Items().empty()) it->second->setCheckable(false);
}

void MenuBarView::ScheduleRebuild() {
    if (stale_) return;
    stale_ = true;
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, bar_, [this, alive] {
        if (auto a = alive.lock(); a && *a && stale_) Rebuild();
    });
}

void MenuBarView::Subscribe(Component& component) {
    std::weak_ptr<bool> alive = alive_;
    const int id = component.Subscribe([this, alive](Component& changed, std::string_view property) {
        if (auto a = alive.lock(); a && *a) ItemChanged(changed, property);
    });
    subscriptions_.emplace_back(&component, id);
}

void MenuBarView::Rebuild() {
    stale_ = false;
    QMenuBar* bar = bar_.data();
    if (!bar) return;
    Unsubscribe();
    actions_.clear();
    // Menus of the old bar are its children: they go with their actions.
    for (QMenu* old : bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        old->deleteLater();
    bar->clear();
    bar->setVisible(menu_ != nullptr);
    if (!menu_) return;
    Subscribe(*menu_);
    AddItems(*bar, menu_->Items());
}

void MenuBarView::AddItems(QWidget& parent, const std::vector<MenuItem*>& items) {
    for (MenuItem* item : items) {
        Subscribe(*item);
        if (IsSeparator(*item)) {
            if (auto* menu = qobject_cast<QMenu*>(&parent)) menu->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (!item->Items().empty()) {
            auto* sub = new QMenu(QString::fromStdString(item->Caption()), &parent);
            action = sub->menuAction();
            AddItems(*sub, item->Items());
        } else {
            action = new QAction(&parent);
            std::weak_ptr<bool> alive = alive_;
            QObject::connect(action, &QAction::triggered, action, [this, alive, item] {
                if (auto a = alive.lock(); a && *a && !stale_) ClickItem(form_, item);
            });
        }
        action->setObjectName(QString::fromStdString(item->Name()));
        actions_[item] = action;
        ApplyItem(*action, *item);
        if (!item->Items().empty()) action->setCheckable(false);
        parent.addAction(action);
    }
}

void ShowPopupMenu(FormView& form, PopupMenu& menu, QPoint at) {
    auto* popup = new QMenu(form.Frame());
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setObjectName(QString::fromStdString(menu.Name()));
    FillPopup(form, *popup, menu.Items());
    popup->popup(at);
}

} // namespace dfe::qtui
