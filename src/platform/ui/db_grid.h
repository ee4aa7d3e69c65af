#pragma once

#include "platform/ui/canvas.h"
#include "platform/ui/control.h"
#include "platform/ui/field_link.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dfe {

class DBGrid;
class PopupMenu;

enum class ColumnButton { None, Ellipsis };
enum class Alignment { Auto, Left, Right };

// One column of a grid: which field it shows and how.
class GridColumn {
public:
    explicit GridColumn(DBGrid& grid) : grid_(&grid) {}

    DBGrid& Grid() const { return *grid_; }
    int Index() const;
    const std::string& FieldName() const { return fieldName_; }
    // The bound field may change at run time (the discount column takes one of two fields).
    void SetFieldName(std::string name);
    Field* GetField() const;
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    ColumnButton ButtonStyle() const { return button_; }
    void SetButtonStyle(ColumnButton style);
    int Width() const { return width_; }
    void SetWidth(int width);
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment);
    PopupMenu* GetPopupMenu() const { return popup_; }
    void SetPopupMenu(PopupMenu* menu) { popup_ = menu; }

private:
    friend class DBGrid;
    DBGrid* grid_;
    std::string fieldName_;
    std::string title_;
    bool visible_ = true;
    bool readOnly_ = false;
    ColumnButton button_ = ColumnButton::None;
    int width_ = 64;
    Color color_ = Color::clWindow;
    Alignment alignment_ = Alignment::Auto;
    PopupMenu* popup_ = nullptr;
};

namespace grid_option {
inline constexpr int Editing = 1;
inline constexpr int Titles = 2;
inline constexpr int ColumnResize = 4;
inline constexpr int ColLines = 8;
inline constexpr int RowLines = 16;
inline constexpr int Tabs = 32;
inline constexpr int RowSelect = 64;
inline constexpr int AlwaysShowSelection = 128;
inline constexpr int CancelOnExit = 256;
inline constexpr int ConfirmDelete = 512;
inline constexpr int Default =
    Editing | Titles | ColumnResize | ColLines | RowLines | CancelOnExit | ConfirmDelete;
} // namespace grid_option

struct GridDrawState {
    bool selected = false; // the current cell (or row, with row selection)
    bool focused = false;  // the grid has the focus
};

using ColumnEvent = std::function<void(DBGrid& grid, GridColumn& column)>;
using DrawColumnCellEvent = std::function<void(DBGrid& grid, Canvas& canvas, const Rect& rect, int dataCol,
                                               GridColumn& column, GridDrawState state)>;

// A grid over a data source: one row per record of the dataset's view, one cell per column. The selected
// column moves with Left/Right (Tab with the Tabs option), rows with Up/Down (leaving a row posts or
// cancels its edit). Typing in an editable cell puts a browsed dataset into edit and fills the cell's own
// text (InplaceText), which is written to the field when the cell is left or a post begins; a field that
// refuses it keeps the cell. Cells are painted through OnDrawColumnCell when set.
class DBGrid : public Control {
public:
    DBGrid();
    ~DBGrid() override;
    std::string_view Kind() const override { return "DBGrid"; }
    bool IsGrid() const override { return true; }

    DataSource* GetDataSource() const { return link_.Source(); }
    void SetDataSource(DataSource* source) { link_.SetSource(source); }
    DataSource* BoundSource() const override { return link_.Source(); }
    DataSet* GetDataSet() const { return link_.GetDataSet(); }

    GridColumn& AddColumn(std::string fieldName, std::string title = {});
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Throws UiError for an index outside the columns.
    GridColumn& Column(int index) const;
    GridColumn* FindColumn(std::string_view fieldName) const;
    void ClearColumns();

    int Options() const { return options_; }
    void SetOptions(int options);
    bool HasOption(int option) const { return (options_ & option) != 0; }

    int SelectedIndex() const { return selected_; }
    // Leaves the current column (its typed text is written, OnColExit may refuse), then OnColEnter.
    void SetSelectedIndex(int index);
    Field* SelectedField() const;
    void SetSelectedField(std::string_view fieldName);
    GridColumn* SelectedColumn() const;

    // The text of the cell being typed in, which differs from the field until it is written.
    std::string InplaceText() const;
    bool InplaceModified() const { return inplaceModified_; }
    // Writes the typed text to the field now.
    void CommitInplace();
    bool CanEditCell() const;

    // The clerk's click on a cell (record number 1-based, column index): focus, column, row, OnCellClick.
    void ClickCell(int recNo, int columnIndex);
    // A click on a cell of the current row, also a row being inserted.
    void ClickCurrentCell(int columnIndex);
    // The clerk's click on the current cell's ellipsis button.
    void ClickEditButton();
    void ClickTitle(int columnIndex);

    std::string CellText(int recNo, int columnIndex) const;
    void PaintCell(Canvas& canvas, int recNo, int columnIndex, const Rect& rect);
    // The standard painting, for OnDrawColumnCell handlers that only change colours.
    void DefaultDrawColumnCell(Canvas& canvas, const Rect& rect, GridColumn& column, GridDrawState state);

    void DoEnter() override;
    void DoExit() override;
    bool HandleKeyDown(int& key, ShiftState shift) override;
    void HandleChar(char32_t ch) override;

    NotifyEvent OnColEnter;
    NotifyEvent OnColExit;
    ColumnEvent OnCellClick;
    ColumnEvent OnTitleClick;
    NotifyEvent OnEditButtonClick;
    DrawColumnCellEvent OnDrawColumnCell;

private:
    friend class GridColumn;
    void ColumnChanged(std::string_view property);
    void ResetInplace();
    bool MoveColumn(bool forward, bool wrapRows);
    void MoveRow(int distance);
    int FirstVisibleColumn(int from, int step) const;
    void LoadInplace();
    void MoveSelection(int index); // without the exit rule

    bool inColExit_ = false;
    std::optional<int> redirect_;

    FieldDataLink link_;
    std::vector<std::unique_ptr<GridColumn>> columns_;
    int options_ = grid_option::Default;
    int selected_ = 0;
    std::string inplace_;
    bool inplaceModified_ = false;
    bool inplaceSelected_ = false;
};

} // namespace dfe
