#include "platform/ui/menu.h"

#include "platform/ui/property_names.h"
#include "platform/ui/ui_error.h"

#include <algorithm>

namespace dfe {
namespace {

MenuItem& CreateItem(Component& owner, std::string name, std::string caption) {
    Component* realOwner = owner.Owner() ? owner.Owner() : &owner;
    auto& item = realOwner->Create<MenuItem>(std::move(name));
    item.SetCaption(std::move(caption));
    return item;
}

MenuItem* SearchShortCut(const std::vector<MenuItem*>& items, int key, ShiftState shift) {
    for (MenuItem* item : items) {
        if (!item->Visible() || !item->Enabled()) continue;
        const auto& sc = item->ShortCut();
        if (sc && sc->key == key && sc->shift == shift) return item;
        if (MenuItem* inner = SearchShortCut(item->Items(), key, shift)) return inner;
    }
    return nullptr;
}

} // namespace

MenuItem::~MenuItem() {
    for (MenuItem* child : items_)
        child->parentItem_ = nullptr;
    if (parentItem_) std::erase(parentItem_->items_, this);
    if (root_) std::erase(root_->items_, this);
}

MenuRoot::~MenuRoot() {
    for (MenuItem* item : items_)
        item->root_ = nullptr;
}

void MenuItem::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Changed(prop::kCaption);
}

void MenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed(prop::kEnabled);
}

void MenuItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed(prop::kVisible);
}

void MenuItem::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed(prop::kChecked);
}

void MenuItem::SetShortCut(std::string_view text) {
    if (text.empty()) {
        shortCut_.reset();
    } else {
        auto stroke = ParseKeyStroke(text);
        if (!stroke) throw UiError("atalho inválido: " + std::string(text));
        shortCut_ = stroke;
    }
    Changed(prop::kShortCut);
}

MenuItem& MenuItem::AddItem(std::string name, std::string caption) {
    MenuItem& item = CreateItem(*this, std::move(name), std::move(caption));
    item.parentItem_ = this;
    items_.push_back(&item);
    Changed(prop::kItems);
    return item;
}

bool MenuItem::Usable() const {
    for (const MenuItem* m = this; m; m = m->parentItem_)
        if (!m->enabled_ || !m->visible_) return false;
    return true;
}

void MenuItem::Click() {
    if (Usable() && OnClick) OnClick(*this);
}

MenuItem& MenuRoot::AddItem(std::string name, std::string caption) {
    MenuItem& item = CreateItem(*this, std::move(name), std::move(caption));
    item.root_ = this;
    items_.push_back(&item);
    Changed(prop::kItems);
    return item;
}

MenuItem* MenuRoot::FindShortCut(int key, ShiftState shift) const {
    return SearchShortCut(items_, key, shift);
}

void PopupMenu::Popup(int x, int y) {
    anchor_ = nullptr;
    if (OnPopup) OnPopup(*this);
    poppedUp_ = true;
    popupX_ = x;
    popupY_ = y;
    Changed(prop::kPopup);
}

void PopupMenu::PopupAt(const Control& anchor, int dx, int dy) {
    if (OnPopup) OnPopup(*this);
    anchor_ = &anchor;
    poppedUp_ = true;
    popupX_ = dx;
    popupY_ = dy;
    Changed(prop::kPopup);
}

} // namespace dfe
