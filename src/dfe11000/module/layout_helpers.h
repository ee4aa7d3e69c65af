#pragma once

// The few shapes every panel of the posting form is built from, at its designed positions.

#include "platform/ui/controls.h"
#include "platform/ui/db_choice.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/placement.h"
#include "support/btn_pesquisa.h"

#include <string>
#include <utility>
#include <vector>

namespace dfe::dfe11000 {

inline DBEdit* BoundEdit(Container& parent, const char* name, DataSource* source, const char* field, int left,
                         int top, int width) {
    DBEdit* edit = Place<DBEdit>(parent, name, left, top, width, 21);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
}

inline DBDateEdit* BoundDate(Container& parent, const char* name, DataSource* source, const char* field,
                             int left, int top, int width) {
    DBDateEdit* edit = Place<DBDateEdit>(parent, name, left, top, width, 21);
    edit->SetDataSource(source);
    edit->SetDataField(field);
    return edit;
}

inline DBGrid* BoundGrid(Container& parent, const char* name, DataSource* source, int left, int top,
                         int width, int height) {
    DBGrid* grid = Place<DBGrid>(parent, name, left, top, width, height);
    grid->SetDataSource(source);
    return grid;
}

inline Label* AddLabel(Container& parent, const char* name, const char* caption, int left, int top,
                       int width = 100) {
    Label* label = Place<Label>(parent, name, left, top, width, 13);
    label->SetCaption(caption);
    return label;
}

// A field shown, not typed: button-face colour, no tab stop.
template <class T> T* Displayed(T* control) {
    control->SetReadOnly(true);
    control->SetTabStop(false);
    control->SetColor(Color::clBtnFace);
    return control;
}

inline DBComboBox* BoundList(Container& parent, const char* name, DataSource* source, const char* field,
                             int left, int top, int width, std::vector<std::string> items,
                             std::vector<std::string> codes) {
    DBComboBox* combo = Place<DBComboBox>(parent, name, left, top, width, 21);
    combo->SetStyle(ComboStyle::DropDownList);
    combo->SetItems(std::move(items));
    combo->SetValues(std::move(codes));
    combo->SetDataSource(source);
    combo->SetDataField(field);
    return combo;
}

inline support::TBtnPesquisa* SearchButton(Container& parent, const char* name, Control* edit,
                                           const char* title, int left, int top) {
    auto* button = Place<support::TBtnPesquisa>(parent, name, left, top, 21, 21);
    // Drawn without a glyph, so the clerk sees it is a search by its dots.
    button->SetCaption("...");
    button->SetAssociate(edit);
    button->SetTitle(title);
    return button;
}

} // namespace dfe::dfe11000
