#pragma once

#include <string_view>

// The names components tell their observers when a property changes. Renderers and scripts compare them, so
// the values are fixed: renaming one here changes what every observer sees.
namespace dfe::prop {

// Every component.
inline constexpr std::string_view kName = "Name";
inline constexpr std::string_view kTag = "Tag";
inline constexpr std::string_view kComponents = "Components";

// Every control.
inline constexpr std::string_view kParent = "Parent";
inline constexpr std::string_view kVisible = "Visible";
inline constexpr std::string_view kEnabled = "Enabled";
inline constexpr std::string_view kColor = "Color";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kCaption = "Caption";
inline constexpr std::string_view kHint = "Hint";
inline constexpr std::string_view kReadOnly = "ReadOnly";
inline constexpr std::string_view kMaxLength = "MaxLength";
inline constexpr std::string_view kTabOrder = "TabOrder";
inline constexpr std::string_view kTabStop = "TabStop";
inline constexpr std::string_view kPopupMenu = "PopupMenu";

// Containers.
inline constexpr std::string_view kChildren = "Children";

// Edits, mask edits, buttons and choices.
inline constexpr std::string_view kText = "Text";
inline constexpr std::string_view kCharCase = "CharCase";
inline constexpr std::string_view kPasswordChar = "PasswordChar";
inline constexpr std::string_view kEditMask = "EditMask";
inline constexpr std::string_view kDown = "Down";
inline constexpr std::string_view kChecked = "Checked";
inline constexpr std::string_view kItems = "Items";
inline constexpr std::string_view kItemIndex = "ItemIndex";
inline constexpr std::string_view kDroppedDown = "DroppedDown";

// Menus.
inline constexpr std::string_view kShortCut = "ShortCut";
inline constexpr std::string_view kPopup = "Popup";

// Grids.
inline constexpr std::string_view kColumns = "Columns";
inline constexpr std::string_view kData = "Data";
inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kSelectedIndex = "SelectedIndex";
inline constexpr std::string_view kInplaceText = "InplaceText";

// Pages and scrolling.
inline constexpr std::string_view kActivePage = "ActivePage";
inline constexpr std::string_view kTabVisible = "TabVisible";
inline constexpr std::string_view kPageIndex = "PageIndex";
inline constexpr std::string_view kVertScrollPosition = "VertScrollPosition";

// Forms.
inline constexpr std::string_view kModalResult = "ModalResult";
inline constexpr std::string_view kWindowState = "WindowState";
inline constexpr std::string_view kFormStyle = "FormStyle";
inline constexpr std::string_view kBorderIcons = "BorderIcons";
inline constexpr std::string_view kRepaint = "Repaint";

} // namespace dfe::prop
