#include "platform/ui/db_grid.h"

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/property_names.h"
#include "platform/ui/ui_error.h"

#include "platform/core/text.h"
#include "platform/data/dataset.h"

namespace dfe {
namespace {

bool IsNumeric(const Field* field) {
    return field && (field->DataType() == FieldType::Integer || field->DataType() == FieldType::Float);
}

} // namespace

int GridColumn::Index() const {
    for (int i = 0; i < grid_->ColumnCount(); ++i)
        if (&grid_->Column(i) == this) return i;
    return -1;
}

Field* GridColumn::GetField() const {
    DataSet* ds = grid_->GetDataSet();
    if (!ds || !ds->Active() || fieldName_.empty()) return nullptr;
    return ds->FindField(fieldName_);
}

void GridColumn::SetFieldName(std::string name) {
    if (name == fieldName_) return;
    fieldName_ = std::move(name);
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetTitle(std::string title) {
    if (title == title_) return;
    title_ = std::move(title);
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetButtonStyle(ColumnButton style) {
    if (style == button_) return;
    button_ = style;
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetWidth(int width) {
    if (width == width_) return;
    width_ = width;
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetColor(Color color) {
    if (color == color_) return;
    color_ = color;
    grid_->ColumnChanged(prop::kColumns);
}
void GridColumn::SetAlignment(Alignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    grid_->ColumnChanged(prop::kColumns);
}

DBGrid::DBGrid() {
    link_.onDataChange = [this] {
        if (!inplaceModified_) ResetInplace();
        Changed(prop::kData);
    };
    link_.onUpdateData = [this] { CommitInplace(); };
    // A row cancelled or stored elsewhere takes the cell's typed text with it.
    link_.onStateChange = [this] {
        if (inplaceModified_ && !link_.Editing()) ResetInplace();
    };
}

DBGrid::~DBGrid() = default;

void DBGrid::ColumnChanged(std::string_view property) {
    Changed(property);
}

GridColumn& DBGrid::AddColumn(std::string fieldName, std::string title) {
    auto column = std::make_unique<GridColumn>(*this);
    column->fieldName_ = std::move(fieldName);
    column->title_ = title.empty() ? column->fieldName_ : std::move(title);
    columns_.push_back(std::move(column));
    Changed(prop::kColumns);
    return *columns_.back();
}

GridColumn& DBGrid::Column(int index) const {
    if (index < 0 || index >= ColumnCount())
        throw UiError("a grade " + Name() + " não tem a coluna " + std::to_string(index));
    return *columns_[static_cast<size_t>(index)];
}

GridColumn* DBGrid::FindColumn(std::string_view fieldName) const {
    for (const auto& c : columns_)
        if (text::SameText(c->FieldName(), fieldName)) return c.get();
    return nullptr;
}

void DBGrid::ClearColumns() {
    columns_.clear();
    selected_ = 0;
    ResetInplace();
    Changed(prop::kColumns);
}

void DBGrid::SetOptions(int options) {
    if (options == options_) return;
    options_ = options;
    Changed(prop::kOptions);
}

GridColumn* DBGrid::SelectedColumn() const {
    if (selected_ < 0 || selected_ >= ColumnCount()) return nullptr;
    return columns_[static_cast<size_t>(selected_)].get();
}

Field* DBGrid::SelectedField() const {
    GridColumn* column = SelectedColumn();
    return column ? column->GetField() : nullptr;
}

void DBGrid::SetSelectedIndex(int index) {
    Column(index); // refuses an index outside the columns
    // A column-exit rule choosing the column instead: where the selection ends, also when it refuses.
    if (inColExit_) {
        redirect_ = index;
        return;
    }
    if (index == selected_) return;
    CommitInplace();
    if (OnColExit) {
        inColExit_ = true;
        try {
            OnColExit(*this);
        } catch (...) {
            inColExit_ = false;
            const std::optional<int> chosen = std::exchange(redirect_, std::nullopt);
            if (chosen && *chosen != selected_) MoveSelection(*chosen);
            throw;
        }
        inColExit_ = false;
        if (redirect_) index = *std::exchange(redirect_, std::nullopt);
        if (index == selected_) return;
    }
    MoveSelection(index);
}

void DBGrid::MoveSelection(int index) {
    selected_ = index;
    ResetInplace();
    Changed(prop::kSelectedIndex);
    if (OnColEnter) OnColEnter(*this);
}

void DBGrid::SetSelectedField(std::string_view fieldName) {
    GridColumn* column = FindColumn(fieldName);
    if (!column) throw UiError("a grade " + Name() + " não tem a coluna " + std::string(fieldName));
    SetSelectedIndex(column->Index());
}

std::string DBGrid::InplaceText() const {
    if (inplaceModified_) return inplace_;
    Field* field = SelectedField();
    return field ? field->Text() : std::string();
}

bool DBGrid::CanEditCell() const {
    if (!HasOption(grid_option::Editing) || HasOption(grid_option::RowSelect) || ReadOnly()) return false;
    GridColumn* column = SelectedColumn();
    if (!column || column->ReadOnly()) return false;
    Field* field = column->GetField();
    return field && !field->ReadOnly() && !field->IsCalculated();
}

void DBGrid::ResetInplace() {
    inplace_.clear();
    inplaceModified_ = false;
    inplaceSelected_ = true;
}

void DBGrid::LoadInplace() {
    Field* field = SelectedField();
    inplace_ = field ? field->Text() : std::string();
}

void DBGrid::CommitInplace() {
    if (!inplaceModified_) return;
    Field* field = SelectedField();
    if (!field) {
        ResetInplace();
        return;
    }
    if (!link_.Editing()) GetDataSet()->Edit();
    field->SetText(inplace_);
    ResetInplace();
}

void DBGrid::HandleChar(char32_t ch) {
    if (ch < 32 && ch != U'\b' && ch != 22) return;
    if (!CanEditCell()) return;
    if (!inplaceModified_) {
        if (!link_.Editing()) GetDataSet()->Edit();
        LoadInplace();
        inplaceModified_ = true;
    }
    if (inplaceSelected_) {
        inplace_.clear();
        inplaceSelected_ = false;
        if (ch == U'\b') return;
    }
    auto insert = [&](char32_t c) {
        Field* field = SelectedField();
        const bool limited = field && field->DataType() == FieldType::String && field->Size() > 0;
        if (limited && text::Length(inplace_) >= static_cast<size_t>(field->Size())) return;
        text::AppendCodePoint(inplace_, c);
    };
    if (ch == U'\b') {
        auto chars = text::Decode(inplace_);
        if (!chars.empty()) chars.pop_back();
        inplace_ = text::Encode(chars);
    } else if (ch == 22) {
        if (auto* form = ParentForm())
            for (char32_t c : text::Decode(text::Sanitize(form->App().Clipboard())))
                if (c >= 32) insert(c);
    } else {
        insert(ch);
    }
    Changed(prop::kInplaceText);
}

int DBGrid::FirstVisibleColumn(int from, int step) const {
    for (int i = from; i >= 0 && i < ColumnCount(); i += step)
        if (columns_[static_cast<size_t>(i)]->Visible()) return i;
    return -1;
}

bool DBGrid::MoveColumn(bool forward, bool wrapRows) {
    const int step = forward ? 1 : -1;
    int next = FirstVisibleColumn(selected_ + step, step);
    if (next >= 0) {
        SetSelectedIndex(next);
        return true;
    }
    if (!wrapRows) return true;
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active()) return false;
    if (forward ? ds->RecNo() >= ds->RecordCount() : ds->RecNo() <= 1) return false;
    int wrapped = forward ? FirstVisibleColumn(0, 1) : FirstVisibleColumn(ColumnCount() - 1, -1);
    if (wrapped < 0) return false;
    SetSelectedIndex(wrapped);
    MoveRow(step);
    return true;
}

void DBGrid::MoveRow(int distance) {
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active()) return;
    CommitInplace();
    ds->MoveBy(distance);
    ResetInplace();
}

bool DBGrid::HandleKeyDown(int& key, ShiftState shift) {
    DataSet* ds = GetDataSet();
    const bool active = ds && ds->Active();
    if (shift.alt) return false;
    switch (key) {
    case key::Left:
    case key::Right:
        if (shift.ctrl || HasOption(grid_option::RowSelect)) return false;
        MoveColumn(key == key::Right, false);
        return true;
    case key::Tab:
        if (!HasOption(grid_option::Tabs) || shift.ctrl) return false;
        return MoveColumn(!shift.shift, true);
    case key::Home:
    case key::End:
        if (ColumnCount() == 0) return true;
        if (shift.ctrl) {
            if (active) {
                CommitInplace();
                key == key::Home ? ds->First() : ds->Last();
                ResetInplace();
            }
        } else {
            int target =
                key == key::Home ? FirstVisibleColumn(0, 1) : FirstVisibleColumn(ColumnCount() - 1, -1);
            if (target >= 0) SetSelectedIndex(target);
        }
        return true;
    case key::Up:
        if (active) MoveRow(-1);
        return true;
    case key::Down:
        if (!active) return true;
        // At the last row of an editable grid Down starts a new row, as the clerk expects.
        if (ds->RecNo() >= ds->RecordCount() && ds->State() == DataSetState::Browse &&
            HasOption(grid_option::Editing) && !ReadOnly()) {
            ds->Append();
            ResetInplace();
        } else {
            MoveRow(1);
        }
        return true;
    case key::Insert:
        if (active && HasOption(grid_option::Editing) && !ReadOnly() && !shift.ctrl) {
            CommitInplace();
            ds->Insert();
            ResetInplace();
        }
        return true;
    case key::Delete:
        if (!shift.ctrl || !active || ReadOnly() || ds->IsEmpty()) return false;
        if (HasOption(grid_option::ConfirmDelete)) {
            auto* form = ParentForm();
            if (!form || form->App().Dialogs().Confirm("Excluir o registro?") != 6) return true;
        }
        ds->Delete();
        ResetInplace();
        return true;
    case key::Escape:
        if (inplaceModified_) {
            ResetInplace();
            Changed(prop::kInplaceText);
        } else if (active && IsEditing(ds->State())) {
            ds->Cancel();
        }
        return true;
    case key::Enter:
        CommitInplace();
        return true;
    default:
        return false;
    }
}

void DBGrid::DoEnter() {
    ResetInplace();
    Control::DoEnter();
}

void DBGrid::DoExit() {
    CommitInplace();
    DataSet* ds = GetDataSet();
    // A row inserted and left untouched goes away when the grid is left.
    if (HasOption(grid_option::CancelOnExit) && ds && ds->State() == DataSetState::Insert && !ds->Modified())
        ds->Cancel();
    Control::DoExit();
}

void DBGrid::ClickCell(int recNo, int columnIndex) {
    GridColumn& column = Column(columnIndex);
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active() || recNo < 1 || recNo > ds->RecordCount())
        throw UiError("a grade " + Name() + " não tem a linha " + std::to_string(recNo));
    if (CanFocus() && !Focused()) SetFocus();
    if (!Focused() && CanFocus()) return; // the field being left kept the focus
    SetSelectedIndex(columnIndex);
    if (ds->RecNo() != recNo) {
        CommitInplace();
        ds->CheckBrowseMode();
        ds->SetRecNo(recNo);
        ResetInplace();
    }
    if (OnCellClick) OnCellClick(*this, column);
}

void DBGrid::ClickCurrentCell(int columnIndex) {
    GridColumn& column = Column(columnIndex);
    if (CanFocus() && !Focused()) SetFocus();
    if (!Focused() && CanFocus()) return;
    SetSelectedIndex(columnIndex);
    if (OnCellClick) OnCellClick(*this, column);
}

void DBGrid::ClickEditButton() {
    GridColumn* column = SelectedColumn();
    if (!column || column->ButtonStyle() != ColumnButton::Ellipsis) return;
    if (OnEditButtonClick) OnEditButtonClick(*this);
}

void DBGrid::ClickTitle(int columnIndex) {
    GridColumn& column = Column(columnIndex);
    if (OnTitleClick) OnTitleClick(*this, column);
}

std::string DBGrid::CellText(int recNo, int columnIndex) const {
    GridColumn& column = Column(columnIndex);
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active()) return {};
    if (recNo == ds->RecNo() && columnIndex == selected_ && inplaceModified_) return inplace_;
    std::string text;
    ds->ReadRecordAt(recNo, [&] {
        if (Field* field = column.GetField()) text = field->DisplayText();
    });
    return text;
}

void DBGrid::PaintCell(Canvas& canvas, int recNo, int columnIndex, const Rect& rect) {
    GridColumn& column = Column(columnIndex);
    DataSet* ds = GetDataSet();
    if (!ds || !ds->Active()) return;
    GridDrawState state;
    state.focused = Focused();
    const bool currentRow = recNo == ds->RecNo();
    state.selected = currentRow && (HasOption(grid_option::RowSelect) || columnIndex == selected_) &&
                     (state.focused || HasOption(grid_option::AlwaysShowSelection));
    ds->ReadRecordAt(recNo, [&] {
        if (OnDrawColumnCell)
            OnDrawColumnCell(*this, canvas, rect, columnIndex, column, state);
        else
            DefaultDrawColumnCell(canvas, rect, column, state);
    });
}

void DBGrid::DefaultDrawColumnCell(Canvas& canvas, const Rect& rect, GridColumn& column,
                                   GridDrawState state) {
    canvas.brushColor = state.selected ? Color::clHighlight : column.GetColor();
    canvas.fontColor = state.selected ? Color::clHighlightText : Color::clWindowText;
    canvas.FillRect(rect);
    Field* field = column.GetField();
    if (!field) return;
    const std::string text = field->DisplayText();
    const bool right = column.GetAlignment() == Alignment::Right ||
                       (column.GetAlignment() == Alignment::Auto && IsNumeric(field));
    const int x = right ? rect.right - 2 - canvas.TextWidth(text) : rect.left + 2;
    canvas.TextOut(x, rect.top + 2, text);
}

} // namespace dfe
