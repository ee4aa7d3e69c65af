#include "qt_fixture.h"

#include "qtui/grid_view.h"

#include "platform/data/dataset_fixture.h"
#include "platform/ui/db_choice.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTableView>

#include <filesystem>

namespace dfe::qtui {
namespace {

// A posting-items form: bound edits over the current item and the item grid.
class BoundControlsTest : public QtTest {
protected:
    BoundControlsTest() : cds("cdsItemProduto"), form(app.CreateForm<Form>()) {
        testing::LoadThreeItems(cds);
        cds.FieldByName("VRUNITITEM").SetDisplayFormat("#,##0.00");
        dts.SetDataSet(&cds);
        form.SetName("frmItens");
        form.SetBounds(0, 0, 520, 320);
        produto = &form.Add<DBEdit>("dbeCdProduto");
        produto->SetDataSource(&dts);
        produto->SetDataField("CDPRODUTO");
        produto->SetBounds(8, 8, 100, 22);
        preco = &form.Add<DBEdit>("dbeVrUnitItem");
        preco->SetDataSource(&dts);
        preco->SetDataField("VRUNITITEM");
        preco->SetBounds(116, 8, 100, 22);
        grid = &form.Add<DBGrid>("dbgItemProduto");
        grid->SetBounds(8, 40, 500, 200);
        grid->SetDataSource(&dts);
        grid->AddColumn("NRSEQITPROD", "Seq").SetReadOnly(true);
        grid->AddColumn("CDPRODUTO", "Produto").SetButtonStyle(ColumnButton::Ellipsis);
        grid->AddColumn("QTITEMPROD", "Qtde");
        grid->AddColumn("VRUNITITEM", "Unitário");
        form.Show();
    }
    QTableView* Table() { return static_cast<QTableView*>(WidgetOf(*grid)); }
    QPoint CellCenter(int row, int column) {
        return Table()->visualRect(Table()->model()->index(row, column)).center();
    }

    DataSet cds;
    DataSource dts;
    Form& form;
    DBEdit* produto = nullptr;
    DBEdit* preco = nullptr;
    DBGrid* grid = nullptr;
};

TEST_F(BoundControlsTest, TypingQtKeysIntoABoundEditReachesTheDataset) {
    ASSERT_TRUE(produto->Focused());
    auto* line = static_cast<QLineEdit*>(WidgetOf(*produto));
    EXPECT_EQ(line->text(), "A");
    // The display format shows while the price is not being edited.
    EXPECT_EQ(static_cast<QLineEdit*>(WidgetOf(*preco))->text(), "10,00");

    Type(QtFocus(form), "X9");
    EXPECT_EQ(line->text(), "X9");
    EXPECT_EQ(cds.State(), DataSetState::Edit);
    Key(QtFocus(form), Qt::Key_Tab); // leaving writes the field
    EXPECT_EQ(cds.FieldByName("CDPRODUTO").AsString(), "X9");
    EXPECT_TRUE(preco->Focused());

    // A row change from the model shows the new row at once.
    cds.Post();
    cds.Next();
    EXPECT_EQ(line->text(), "B");
}

TEST_F(BoundControlsTest, GridShowsTheDatasetAndTakesClicksAndKeysThroughTheToolkit) {
    QTableView* table = Table();
    ASSERT_EQ(table->model()->rowCount(), 3);
    ASSERT_EQ(table->model()->columnCount(), 4);
    EXPECT_EQ(table->model()->headerData(3, Qt::Horizontal).toString(), "Unitário");
    EXPECT_EQ(table->model()->index(1, 3).data().toString(), "20,00");

    Press(table->viewport(), CellCenter(1, 2)); // the clerk clicks row 2, quantity
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(cds.RecNo(), 2);
    EXPECT_EQ(grid->SelectedIndex(), 2);
    Type(QtFocus(form), "7");
    EXPECT_EQ(grid->InplaceText(), "7");
    EXPECT_EQ(table->model()->index(1, 2).data().toString(), "7");
    Key(QtFocus(form), Qt::Key_Down); // leaving the row writes and posts it
    EXPECT_EQ(cds.RecNo(), 3);
    EXPECT_EQ(testing::Column(cds, "QTITEMPROD")[1], "7");

    // The ellipsis button of the current cell runs the grid's handler.
    int ellipsis = 0;
    grid->OnEditButtonClick = [&](Component&) { ++ellipsis; };
    grid->SetSelectedIndex(1);
    const QRect cell = table->visualRect(table->model()->index(2, 1));
    Press(table->viewport(), EllipsisRect(cell).center());
    EXPECT_EQ(ellipsis, 1);
}

TEST_F(BoundControlsTest, CustomCellDrawingPaintsOnScreen) {
    grid->OnDrawColumnCell = [](DBGrid& g, Canvas& canvas, const Rect& rect, int, GridColumn& column,
                                GridDrawState state) {
        if (column.FieldName() == "QTITEMPROD") {
            canvas.brushColor = Color::clRed;
            canvas.FillRect(rect);
            return;
        }
        g.DefaultDrawColumnCell(canvas, rect, column, state);
    };
    form.Repaint();
    const auto path = (std::filesystem::path(::testing::TempDir()) / "qtui_grid.png").string();
    ASSERT_TRUE(renderer.Screenshot(form, path));
    QImage image(QString::fromStdString(path));
    const QPoint inCell = Table()->viewport()->mapTo(ViewOfForm(form).Window(), CellCenter(0, 2));
    EXPECT_EQ(image.pixelColor(inCell + QPoint(10, 0)), QColor(255, 0, 0));
    std::cout << "screenshot: " << path << '\n';
}

// The marks the item grid draws: error, no error, a checked and an empty bonus flag.
TEST_F(BoundControlsTest, TheFormsPicturesAreDrawnAsMarks) {
    const char* pictures[] = {"imgComErro", "imgSemErro", "imgCheck", "imgUncheck"};
    grid->OnDrawColumnCell = [&](DBGrid& g, Canvas& canvas, const Rect& rect, int, GridColumn& column,
                                 GridDrawState state) {
        if (column.Index() > 3) return g.DefaultDrawColumnCell(canvas, rect, column, state);
        canvas.brushColor = Color::clInfoBk;
        canvas.FillRect(rect);
        canvas.DrawImage(rect.left + 4, rect.top + 2, pictures[column.Index()], Color::clOlive);
    };
    form.Repaint();
    const auto path = (std::filesystem::path(::testing::TempDir()) / "qtui_item_marks.png").string();
    ASSERT_TRUE(renderer.Screenshot(form, path));
    QImage image(QString::fromStdString(path));
    const auto at = [&](int column, int dx, int dy) {
        const QRect cell = Table()->visualRect(Table()->model()->index(0, column));
        return image.pixelColor(
            Table()->viewport()->mapTo(ViewOfForm(form).Window(), cell.topLeft() + QPoint(4 + dx, 2 + dy)));
    };
    const QColor error = at(0, 2, 6), fine = at(1, 2, 6);
    EXPECT_TRUE(error.red() > 150 && error.green() < 80 && error.blue() < 80) << "an error is a red disc";
    EXPECT_TRUE(fine.green() > 120 && fine.red() < 100 && fine.blue() < 100) << "no error is a green disc";
    EXPECT_EQ(at(3, 6, 6), QColor(255, 255, 255)) << "an empty flag is an empty box";
    EXPECT_NE(at(2, 5, 8), QColor(255, 255, 255)) << "a set flag is checked";
    std::cout << "screenshot: " << path << '\n';
}

TEST_F(BoundControlsTest, ManyRowsAreReadOnlyWhereShown) {
    std::vector<PacketRow> rows;
    for (int i = 1; i <= 20000; ++i)
        rows.push_back(testing::Item(std::to_string(i % 10000), "P" + std::to_string(i), i, i));
    cds.SetData(testing::ItemPacket(std::move(rows)));
    int read = 0;
    grid->OnDrawColumnCell = [&](DBGrid& g, Canvas& canvas, const Rect& rect, int, GridColumn& column,
                                 GridDrawState state) {
        ++read;
        g.DefaultDrawColumnCell(canvas, rect, column, state);
    };
    EXPECT_EQ(Table()->model()->rowCount(), 20000);
    (void)Table()->grab();
    EXPECT_GT(read, 0);
    EXPECT_LT(read, 400); // one screen of cells, not twenty thousand rows
    cds.Last();
    ProcessEvents();
    EXPECT_EQ(Table()->rowAt(Table()->viewport()->height() - 25) >= 19990, true);
}

TEST_F(BoundControlsTest, BoundComboWritesTheClerksChoice) {
    auto& combo = form.Add<DBComboBox>("dbcAtivo");
    combo.SetBounds(224, 8, 120, 22);
    combo.SetStyle(ComboStyle::DropDownList);
    combo.SetItems({"Produto A", "Produto B"});
    combo.SetValues({"A", "B"});
    combo.SetDataSource(&dts);
    combo.SetDataField("CDPRODUTO");
    auto* box = static_cast<QComboBox*>(WidgetOf(combo));
    EXPECT_EQ(box->currentText(), "Produto A");
    emit box->activated(1); // the clerk picks the second item from the list
    EXPECT_EQ(cds.FieldByName("CDPRODUTO").AsString(), "B");
    EXPECT_EQ(box->currentText(), "Produto B");
}

} // namespace
} // namespace dfe::qtui
