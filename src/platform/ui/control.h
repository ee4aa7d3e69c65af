#pragma once

#include "platform/ui/color.h"
#include "platform/ui/component.h"
#include "platform/ui/keys.h"

#include <functional>
#include <string>

namespace dfe {

class Container;
class DataSource;
class Form;
class PopupMenu;

using NotifyEvent = std::function<void(Component& sender)>;
using KeyEvent = std::function<void(Component& sender, int& key, ShiftState shift)>;
// Setting the character to 0 discards it.
using KeyPressEvent = std::function<void(Component& sender, char32_t& ch)>;

// A visible part of a form. Windowed controls can take the focus; labels and speed buttons cannot.
class Control : public Component {
public:
    Control();
    ~Control() override;
    std::string_view Kind() const override { return "Control"; }

    Container* Parent() const { return parent_; }
    void SetParent(Container* parent);
    // The form this control sits on, through its parents (a form is its own).
    Form* ParentForm() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Visible itself and through every parent, on the page its page control shows.
    bool Showing() const;
    // Enabled itself and through every parent.
    bool EnabledInChain() const;

    Color GetColor() const { return color_; }
    void SetColor(Color color);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    void SetBounds(int left, int top, int width, int height);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    // What the control shows as its text: the caption, or the typed text of an edit.
    virtual std::string Text() const { return caption_; }
    virtual void SetText(std::string text) { SetCaption(std::move(text)); }

    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // In characters; 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);

    // Position among the windowed siblings; Tab follows it.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);

    PopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(PopupMenu* menu);

    virtual bool IsWindowed() const { return true; }
    virtual bool IsContainer() const { return false; }
    // A grid or a rich-text editor: keyboard rules treat them apart.
    virtual bool IsGrid() const { return false; }
    virtual bool IsRichText() const { return false; }
    // The data source a bound control shows, nullptr for the others.
    virtual DataSource* BoundSource() const { return nullptr; }
    // Buttons and edits take the focus when clicked; containers and labels do not.
    virtual bool TakesFocusOnClick() const { return IsWindowed() && !IsContainer(); }

    bool CanFocus() const;
    bool Focused() const;
    // Moves the focus here, running the exit handler of the control that has it; throws when that vetoes
    // or when this control cannot take the focus.
    void SetFocus();
    bool ContainsControl(const Control& other) const;

    // Runs the enter or exit handling as the focus move does; rules call these to run an exit rule on demand.
    virtual void DoEnter();
    virtual void DoExit();
    // A click as the mouse does it (the application first moves the focus to windowed controls).
    virtual void Click();

    // Default handling of a key the handlers let through; true when the control used it.
    virtual bool HandleKeyDown(int& key, ShiftState shift);
    virtual void HandleChar(char32_t ch);

    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    NotifyEvent OnChange;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    KeyEvent OnKeyDown;
    KeyPressEvent OnKeyPress;

protected:
    void FireChange();
    // Called when this control or a parent was hidden or disabled while it had the focus.
    void DropFocusIfHidden();

private:
    friend class Container;
    Container* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    Color color_ = Color::clWindow;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    std::string hint_;
    bool readOnly_ = false;
    int maxLength_ = 0;
    bool tabStop_ = true;
    PopupMenu* popupMenu_ = nullptr;
};

} // namespace dfe
