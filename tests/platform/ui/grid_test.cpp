#include "platform/ui/controls.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/scripted_dialogs.h"

#include "platform/data/dataset_fixture.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::Column;
using testing::LoadThreeItems;

// The item grid over three items, with columns sequence (read-only), product (ellipsis), quantity, price.
class GridTest : public ::testing::Test {
protected:
    GridTest() : cds("cdsItemProduto"), form(app.CreateForm<Form>()) {
        app.SetDialogs(&dialogs);
        LoadThreeItems(cds);
        dts.SetDataSet(&cds);
        before = &form.Add<Edit>("edtAntes");
        grid = &form.Add<DBGrid>("dbgItemProduto");
        grid->SetDataSource(&dts);
        grid->AddColumn("NRSEQITPROD", "Seq").SetReadOnly(true);
        grid->AddColumn("CDPRODUTO", "Produto").SetButtonStyle(ColumnButton::Ellipsis);
        grid->AddColumn("QTITEMPROD", "Qtde");
        grid->AddColumn("VRUNITITEM", "Unitário");
        grid->SetOptions(grid->Options() | grid_option::Tabs);
        grid->OnColExit = [this](Component&) { log += "exit" + std::to_string(grid->SelectedIndex()) + ";"; };
        grid->OnColEnter = [this](Component&) {
            log += "enter" + std::to_string(grid->SelectedIndex()) + ";";
        };
        form.Show();
        grid->SetFocus();
        log.clear();
    }

    Application app;
    ScriptedDialogs dialogs;
    DataSet cds;
    DataSource dts;
    Form& form;
    Edit* before = nullptr;
    DBGrid* grid = nullptr;
    std::string log;
};

TEST_F(GridTest, ColumnsMoveWithArrowsAndTabsRunningExitThenEnter) {
    app.KeyDown(key::Right);
    EXPECT_EQ(grid->SelectedIndex(), 1);
    EXPECT_EQ(grid->SelectedField()->FieldName(), "CDPRODUTO");
    grid->Column(2).SetVisible(false);
    app.KeyDown(key::Tab);
    EXPECT_EQ(grid->SelectedIndex(), 3); // the hidden column is skipped
    app.KeyDown(key::Tab);               // wraps to the first column of the next row
    EXPECT_EQ(grid->SelectedIndex(), 0);
    EXPECT_EQ(cds.RecNo(), 2);
    EXPECT_EQ(log, "exit0;enter1;exit1;enter3;exit3;enter0;");
    EXPECT_EQ(form.ActiveControl(), grid);
}

TEST_F(GridTest, AColumnExitThatRefusesKeepsTheColumn) {
    grid->OnColExit = [](Component&) { ThrowAbort(); };
    app.KeyDown(key::Right);
    EXPECT_EQ(grid->SelectedIndex(), 0);
}

TEST_F(GridTest, TypingInACellEditsTheRowAndLeavingTheCellWritesTheField) {
    grid->SetSelectedField("QTITEMPROD");
    app.TypeText("4,5");
    EXPECT_EQ(cds.State(), DataSetState::Edit);
    EXPECT_EQ(grid->InplaceText(), "4,5");
    EXPECT_DOUBLE_EQ(cds.FieldByName("QTITEMPROD").AsFloat(), 1.0); // not yet written
    app.KeyDown(key::Right);
    EXPECT_DOUBLE_EQ(cds.FieldByName("QTITEMPROD").AsFloat(), 4.5);
    app.KeyDown(key::Down); // leaving the row posts it
    EXPECT_EQ(cds.State(), DataSetState::Browse);
    EXPECT_EQ(cds.RecNo(), 2);
    EXPECT_EQ(Column(cds, "QTITEMPROD")[0], "4,5");
}

TEST_F(GridTest, AFieldThatRefusesTheCellTextKeepsTheCell) {
    cds.FieldByName("QTITEMPROD").OnValidate = [](Field& f) {
        if (f.AsFloat() <= 0) throw std::runtime_error("Quantidade inválida");
    };
    grid->SetSelectedField("QTITEMPROD");
    app.TypeText("0");
    app.KeyDown(key::Right);
    EXPECT_EQ(grid->SelectedIndex(), 2);
    EXPECT_TRUE(dialogs.Shown("Quantidade inválida"));
    EXPECT_EQ(grid->InplaceText(), "0");
    app.PressKey(key::Escape); // takes the typed text back
    EXPECT_EQ(grid->InplaceText(), "1");
}

TEST_F(GridTest, ReadOnlyColumnsAndRowSelectionTakeNoTyping) {
    app.TypeText("9");
    EXPECT_EQ(cds.State(), DataSetState::Browse);
    grid->SetSelectedIndex(2);
    grid->SetOptions(grid->Options() | grid_option::RowSelect);
    app.TypeText("9");
    EXPECT_EQ(cds.State(), DataSetState::Browse);
}

TEST_F(GridTest, DownAtTheLastRowAppendsAndLeavingTheGridDropsTheEmptyRow) {
    cds.Last();
    app.KeyDown(key::Down);
    EXPECT_EQ(cds.State(), DataSetState::Insert);
    before->SetFocus();
    EXPECT_EQ(cds.State(), DataSetState::Browse);
    EXPECT_EQ(cds.RecordCount(), 3);
}

TEST_F(GridTest, CtrlDeleteAsksFirst) {
    dialogs.ExpectQuestion().Answer(7);
    dialogs.ExpectQuestion().Answer(6);
    app.KeyDown(key::Delete, {.ctrl = true});
    EXPECT_EQ(cds.RecordCount(), 3);
    app.KeyDown(key::Delete, {.ctrl = true});
    EXPECT_EQ(cds.RecordCount(), 2);
}

TEST_F(GridTest, ClickingACellMovesColumnAndRowThenRunsCellClick) {
    std::string clicked;
    grid->OnCellClick = [&](DBGrid&, GridColumn& c) { clicked = c.FieldName(); };
    before->SetFocus();
    app.Dispatch([&] { grid->ClickCell(3, 1); });
    EXPECT_EQ(form.ActiveControl(), grid);
    EXPECT_EQ(cds.RecNo(), 3);
    EXPECT_EQ(grid->SelectedIndex(), 1);
    EXPECT_EQ(clicked, "CDPRODUTO");
    int buttons = 0;
    grid->OnEditButtonClick = [&](Component&) { ++buttons; };
    grid->ClickEditButton();
    grid->SetSelectedIndex(2);
    grid->ClickEditButton(); // no ellipsis on this column
    EXPECT_EQ(buttons, 1);
    EXPECT_THROW(grid->ClickCell(4, 0), UiError);
    EXPECT_THROW(grid->Column(9), UiError);
}

TEST_F(GridTest, CellsPaintThroughTheHookOrTheStandardWay) {
    RecordingCanvas canvas;
    grid->PaintCell(canvas, 2, 3, Rect{0, 0, 80, 18});
    // Numbers are right-aligned 2 pixels from the right, 2 from the top.
    EXPECT_EQ(canvas.Operations(),
              (std::vector<std::string>{"fill (0,0,80,18) clWindow", "text 64,2 clWindowText \"20\""}));
    canvas.Clear();
    grid->OnDrawColumnCell = [](DBGrid& g, Canvas& c, const Rect& r, int, GridColumn& column,
                                GridDrawState s) {
        c.brushColor = Color::clInfoBk;
        c.FillRect(r.Inflated(-1, -1));
        c.TextOut(r.left + 2, r.top + 2, column.GetField()->AsString() + (s.selected ? "*" : ""));
        (void)g;
    };
    grid->PaintCell(canvas, 1, 0, Rect{0, 0, 40, 18});
    grid->PaintCell(canvas, 2, 0, Rect{0, 18, 40, 36});
    EXPECT_EQ(canvas.Operations(),
              (std::vector<std::string>{"fill (1,1,39,17) clInfoBk", "text 2,2 clWindowText \"001*\"",
                                        "fill (1,19,39,35) clInfoBk", "text 2,20 clWindowText \"002\""}));
    EXPECT_EQ(grid->CellText(3, 1), "C");
}

TEST_F(GridTest, ChangingAColumnsFieldAtRunTime) {
    grid->Column(3).SetFieldName("QTITEMPROD");
    EXPECT_EQ(grid->CellText(1, 3), "1");
    grid->Column(3).SetFieldName("NADA");
    EXPECT_EQ(grid->CellText(1, 3), "");
}

} // namespace
} // namespace dfe
