#include "qtui/grid_view.h"

#include "qtui/form_view.h"
#include "qtui/qt_canvas.h"
#include "qtui/qt_palette.h"

#include "platform/ui/property_names.h"

#include "platform/data/dataset.h"
#include "platform/data/field.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>

namespace dfe::qtui {

QRect EllipsisRect(const QRect& cell) {
    const int side = std::min(cell.height(), 18);
    return QRect(cell.right() - side + 1, cell.top(), side, cell.height());
}

namespace {

// Rows are the dataset's view, columns the grid's visible columns; values are read only when Qt asks for
// the cells it shows.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(DBGrid& grid) : grid_(grid) { Remap(); }

    int rowCount(const QModelIndex& parent) const override {
        if (parent.isValid()) return 0;
        DataSet* ds = grid_.GetDataSet();
        return ds && ds->Active() ? ds->RecordCount() : 0;
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || role != Qt::DisplayRole) return {};
        return QString::fromStdString(grid_.CellText(index.row() + 1, GridColumnOf(index.column())));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= columnCount({})) return {};
        GridColumn& column = grid_.Column(GridColumnOf(section));
        std::string title = column.Title();
        if (title.empty())
            if (Field* field = column.GetField()) title = field->DisplayLabel();
        return QString::fromStdString(title);
    }

    int GridColumnOf(int viewColumn) const { return columns_.at(static_cast<size_t>(viewColumn)); }
    int ViewColumnOf(int gridColumn) const {
        auto it = std::find(columns_.begin(), columns_.end(), gridColumn);
        return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
    }
    void Reset() {
        beginResetModel();
        Remap();
        endResetModel();
    }
    // The row count may have changed; otherwise only the values did and the scroll position stays.
    void Refresh(int knownRows) {
        if (rowCount({}) != knownRows) {
            Reset();
            return;
        }
        if (knownRows > 0 && !columns_.empty())
            emit dataChanged(index(0, 0), index(knownRows - 1, static_cast<int>(columns_.size()) - 1));
    }

private:
    void Remap() {
        columns_.clear();
        for (int i = 0; i < grid_.ColumnCount(); ++i)
            if (grid_.Column(i).Visible()) columns_.push_back(i);
    }

    DBGrid& grid_;
    std::vector<int> columns_;
};

class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(DBGrid& grid, GridModel& model) : grid_(grid), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect;
        const int column = model_.GridColumnOf(index.column());
        painter->save();
        painter->setClipRect(cell);
        QtCanvas canvas(*painter);
        canvas.fontBold = false;
        grid_.PaintCell(canvas, index.row() + 1, column,
                        Rect{cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1});
        if (ShowsEllipsis(index)) {
            const QRect button = EllipsisRect(cell);
            painter->fillRect(button, ToQColor(Color::clBtnFace));
            painter->setPen(QColor(160, 160, 160));
            painter->drawRect(button.adjusted(0, 0, -1, -1));
            painter->setPen(Qt::black);
            painter->drawText(button, Qt::AlignCenter, QStringLiteral("..."));
        }
        painter->restore();
    }

    // The current cell of an editable column with an ellipsis button shows it.
    bool ShowsEllipsis(const QModelIndex& index) const {
        DataSet* ds = grid_.GetDataSet();
        if (!ds || index.row() + 1 != ds->RecNo()) return false;
        const int column = model_.GridColumnOf(index.column());
        return column == grid_.SelectedIndex() &&
               grid_.Column(column).ButtonStyle() == ColumnButton::Ellipsis;
    }

private:
    DBGrid& grid_;
    GridModel& model_;
};

class GridView : public ControlView {
public:
    GridView(FormView& form, DBGrid& grid) : ControlView(form, grid), grid_(grid) {
        table_ = new QTableView;
        model_ = new GridModel(grid);
        model_->setParent(table_);
        delegate_ = new GridDelegate(grid, *model_);
        delegate_->setParent(table_);
        table_->setModel(model_);
        table_->setItemDelegate(delegate_);
        table_->setSelectionMode(QAbstractItemView::NoSelection);   // the grid paints its own selection
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers); // typing goes to the grid
        table_->verticalHeader()->setDefaultSectionSize(20);
        table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table_->verticalHeader()->setFixedWidth(12);
        table_->horizontalHeader()->setHighlightSections(false);
        table_->viewport()->setFocusPolicy(Qt::NoFocus);
        table_->horizontalHeader()->setFocusPolicy(Qt::NoFocus);
        QObject::connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, table_,
                         [this](int section) {
                             const int column = model_->GridColumnOf(section);
                             if (Dispatch([this, column] { grid_.ClickTitle(column); })) ShowCurrent();
                         });
        SetWidget(table_);
    }

    void Sync(std::string_view property) override {
        ControlView::Sync(property);
        if (property.empty() || property == prop::kColumns || property == prop::kOptions) {
            model_->Reset();
            ApplyColumns();
        }
        if (property == prop::kData) model_->Refresh(rows_);
        // A reset model forgets where it was scrolled: the current cell is brought back into view.
        if (property.empty() || property == prop::kData || property == prop::kColumns ||
            property == prop::kOptions || property == prop::kSelectedIndex || property == prop::kInplaceText)
            ShowCurrent();
    }
    void Refresh() override { ShowCurrent(); }

    bool MousePress(QWidget* target, QMouseEvent& event) override {
        if (target != table_->viewport()) return ControlView::MousePress(target, event);
        if (event.button() != Qt::LeftButton) return true;
        const QModelIndex index = table_->indexAt(event.position().toPoint());
        if (!index.isValid()) return ControlView::MousePress(target, event);
        const bool onButton = delegate_->ShowsEllipsis(index) &&
                              EllipsisRect(table_->visualRect(index)).contains(event.position().toPoint());
        const int recNo = index.row() + 1;
        const int column = model_->GridColumnOf(index.column());
        if (Dispatch([this, recNo, column, onButton] {
                if (onButton)
                    grid_.ClickEditButton();
                else
                    grid_.ClickCell(recNo, column);
            }))
            ShowCurrent();
        return true;
    }

protected:
    void ApplyColor() override {
        ControlView::ApplyColor();
        QPalette palette = table_->palette();
        palette.setColor(QPalette::Base, ToQColor(grid_.GetColor()));
        table_->setPalette(palette);
    }

private:
    void ApplyColumns() {
        const bool titles = grid_.HasOption(grid_option::Titles);
        table_->horizontalHeader()->setVisible(titles);
        table_->setShowGrid(grid_.HasOption(grid_option::ColLines) || grid_.HasOption(grid_option::RowLines));
        for (int view = 0; view < model_->columnCount({}); ++view)
            table_->setColumnWidth(view, grid_.Column(model_->GridColumnOf(view)).Width());
    }

    // The current row and column are on screen and painted as such.
    void ShowCurrent() {
        rows_ = model_->rowCount({});
        DataSet* ds = grid_.GetDataSet();
        const int view = model_->ViewColumnOf(grid_.SelectedIndex());
        if (ds && ds->Active() && ds->RecNo() > 0 && view >= 0)
            table_->scrollTo(model_->index(ds->RecNo() - 1, view));
        table_->viewport()->update();
    }

    DBGrid& grid_;
    QTableView* table_;
    GridModel* model_;
    GridDelegate* delegate_;
    int rows_ = 0;
};

} // namespace

std::unique_ptr<ControlView> CreateGridView(FormView& form, DBGrid& grid) {
    return std::make_unique<GridView>(form, grid);
}

} // namespace dfe::qtui
