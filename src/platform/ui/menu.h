#pragma once

#include "platform/ui/component.h"
#include "platform/ui/control.h"
#include "platform/ui/keys.h"

#include <optional>
#include <string>
#include <vector>

namespace dfe {

// A command of a menu bar or popup menu. Items nest through their parent item.
class MenuRoot;

class MenuItem : public Component {
public:
    std::string_view Kind() const override { return "MenuItem"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    const std::optional<KeyStroke>& ShortCut() const { return shortCut_; }
    // "Ctrl+W"; an empty text removes the shortcut.
    void SetShortCut(std::string_view text);

    MenuItem* ParentItem() const { return parentItem_; }
    const std::vector<MenuItem*>& Items() const { return items_; }
    // Creates a sub-item owned by this item's owner.
    MenuItem& AddItem(std::string name, std::string caption);

    // Runs OnClick when the item and every parent item are enabled and visible.
    void Click();
    bool Usable() const;

    NotifyEvent OnClick;

    ~MenuItem() override;

private:
    friend class MenuRoot;
    MenuRoot* root_ = nullptr;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    std::optional<KeyStroke> shortCut_;
    MenuItem* parentItem_ = nullptr;
    std::vector<MenuItem*> items_;
};

// The root of a list of menu items: the form's menu bar or a popup menu.
class MenuRoot : public Component {
public:
    ~MenuRoot() override;
    const std::vector<MenuItem*>& Items() const { return items_; }
    MenuItem& AddItem(std::string name, std::string caption);
    // The usable item whose shortcut this is, searched through every level.
    MenuItem* FindShortCut(int key, ShiftState shift) const;

private:
    friend class MenuItem;
    std::vector<MenuItem*> items_;
};

class MainMenu : public MenuRoot {
public:
    std::string_view Kind() const override { return "MainMenu"; }
};

class PopupMenu : public MenuRoot {
public:
    std::string_view Kind() const override { return "PopupMenu"; }
    // Runs OnPopup and shows the menu at screen coordinates; headless it only records where.
    void Popup(int x, int y);
    // The same at the anchor's top left corner moved by (dx, dy): only the renderer knows where the anchor is
    // on the screen.
    void PopupAt(const Control& anchor, int dx, int dy);
    bool PoppedUp() const { return poppedUp_; }
    int PopupX() const { return popupX_; }
    int PopupY() const { return popupY_; }
    // The control the last popup was placed against, or null for screen coordinates.
    const Control* PopupAnchor() const { return anchor_; }

    NotifyEvent OnPopup;

private:
    bool poppedUp_ = false;
    const Control* anchor_ = nullptr;
    int popupX_ = 0;
    int popupY_ = 0;
};

} // namespace dfe
