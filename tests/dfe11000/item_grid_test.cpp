// The item grid as the clerk works it: what leaving a column checks, the keys it filters or turns into
// commands, and how a row is drawn.
#include "item_fixture.h"

#include "platform/data/handler_guard.h"
#include "platform/ui/canvas.h"
#include "platform/ui/keys.h"

#include <algorithm>

namespace dfe::dfe11000 {
namespace {

using testing::CellTexts;

class ItemGridTest : public testing::ItemTest {
protected:
    void SetUp() override {
        ItemTest::SetUp();
        // The product's own warehouse and location answer the placement; its question is tested apart.
        Param("IDSUGALMLOESTPR", "S");
    }

    DBGrid& Grid() { return *form->ui.dbgItemProduto; }

    // A new row whose product was typed and its column left, as the clerk does.
    std::string TypedProduct(const std::string& code) {
        return Run([&] {
            Items().Append();
            Items().FieldByName("CDARVPROD").SetText(code);
            Grid().SetSelectedField("QTITEMPROD");
        });
    }

    // The selection put on `column` without leaving the one it was on.
    void Select(const char* column) {
        const DetachedHandler quiet(Grid().OnColExit);
        Grid().SetSelectedField(column);
    }
    // The clerk leaves the selected column for the next one; the code of the message shown, if any.
    std::string LeaveColumn() {
        return Run([&] { Grid().SetSelectedIndex(Grid().SelectedIndex() + 1); });
    }

    // Typed into the selected cell; what the cell took of it.
    std::string TypeInCell(const std::string& text) {
        app.Dispatch([&] { app.TypeText(text); });
        return Grid().InplaceModified() ? Grid().InplaceText() : std::string();
    }

    std::vector<std::string> Painted(int recNo, const char* column) {
        RecordingCanvas canvas;
        Grid().PaintCell(canvas, recNo, Grid().FindColumn(column)->Index(), Rect{0, 0, 80, 18});
        return canvas.Operations();
    }
    static bool Has(const std::vector<std::string>& operations, const std::string& part) {
        return std::any_of(operations.begin(), operations.end(),
                           [&](const std::string& op) { return op.find(part) != std::string::npos; });
    }
};

TEST_F(ItemGridTest, LeavingTheCodeColumnChecksTheProductAndGoesToTheQuantity) {
    ASSERT_EQ(TypedProduct("1.01.001"), "") << dialogs.Describe();
    EXPECT_EQ(Item("NMPRODUTO"), "Leite integral UHT 1 L");
    EXPECT_EQ(SelectedColumn(), "QTITEMPROD");

    // Back to the code and out again, the product unchanged: what was typed stays.
    Items().FieldByName("QTITEMPROD").SetText("12");
    Select("CDARVPROD");
    ASSERT_EQ(LeaveColumn(), "") << dialogs.Describe();
    EXPECT_DOUBLE_EQ(Number("QTITEMPROD"), 12);
    EXPECT_EQ(SelectedColumn(), "QTITEMPROD");

    // Another product clears quantity, price and total.
    Items().FieldByName("VRUNITITEM").SetText("4,5");
    Select("CDARVPROD");
    Items().FieldByName("CDARVPROD").SetText("1.02.001");
    ASSERT_EQ(LeaveColumn(), "") << dialogs.Describe();
    EXPECT_DOUBLE_EQ(Number("QTITEMPROD"), 0);
    EXPECT_DOUBLE_EQ(Number("VRUNITITEM"), 0);
    EXPECT_DOUBLE_EQ(Number("VRTOTAITEM"), 0);
    Items().Cancel();

    EXPECT_EQ(TypedProduct("1.01"), "Prod_Incomp");
    EXPECT_EQ(SelectedColumn(), "CDARVPROD") << "the clerk stays on the code";
    Items().Cancel();
}

TEST_F(ItemGridTest, AnIndustrialReturnRefusesAProductItsOriginAlreadyBrought) {
    testing::AddLoadedItem(Items(), {{"NRSEQITPROD", Variant("0001")},
                                     {"CDARVPROD", Variant("1.01.001")},
                                     {"IDITEMORIGEM", Variant("S")}});
    form->Items().AtualizaItemProdutoLocal(Items());
    DefineOperationType("01", {{"IDNFRETIND", "S"}, {"IDOPERDEVONF", "S"}});
    EXPECT_EQ(TypedProduct("1.01.001"), "PROD_DUP") << dialogs.Describe();
    if (IsEditing(Items().State())) Items().Cancel();
}

TEST_F(ItemGridTest, EachColumnLeftRefusesWhatItCannotTakeWithItsMessage) {
    struct Case {
        const char* what;
        const char* column; // the column left
        CellTexts changed;  // over a row of milk; "" clears
        const char* code;
        const char* selectedAfter; // empty: the column left
        const char* adjustment = "N";
        const char* discountKind = "V";
    };
    const Case cases[] = {
        {"no quantity", "QTITEMPROD", {{"QTITEMPROD", ""}}, "Quant_Inf", ""},
        {"quantity 0", "QTITEMPROD", {{"QTITEMPROD", "0"}}, "Quant_Inv", ""},
        {"negative quantity", "QTITEMPROD", {{"QTITEMPROD", "-1"}}, "Quant_Inv", ""},
        {"adjustment: quantity 0", "QTITEMPROD", {{"QTITEMPROD", "0"}}, "", "", "S"},
        {"no unit price", "VRUNITITEM", {{"VRUNITITEM", ""}}, "ValorUnit_Inf", ""},
        {"no total", "VRTOTAITEM", {{"VRTOTAITEM", ""}}, "ValorTotal_Inf", ""},
        {"no CST under fiscal control", "CDSITUTRIBPR", {{"CDSITUTRIBPR", ""}}, "Cst_Inf", "CDSITUTRIBPR"},
        {"CST of two digits", "CDSITUTRIBPR", {{"CDSITUTRIBPR", "40"}}, "Cst_Inv", "CDSITUTRIBPR"},
        {"no CFOP under fiscal control", "CDFISOPEITEM", {{"CDFISOPEITEM", ""}}, "Cfop_Inf", "CDFISOPEITEM"},
        {"CFOP of three digits", "CDFISOPEITEM", {{"CDFISOPEITEM", "110"}}, "Cfop_Inv", "CDFISOPEITEM"},
        {"discount over the total, any column",
         "CDSITUTRIBPR",
         {{"VRDESCITEM", "54,01"}},
         "Desc_Men",
         "VRDESCITEM"},
        {"discount equal to the total", "CDSITUTRIBPR", {{"VRDESCITEM", "54"}}, "", ""},
        {"percentage over 100", "CDSITUTRIBPR", {{"VRDESPERITEM", "100,01"}}, "PercDesc_Inv", "", "N", "P"},
        {"percentage of 100", "CDSITUTRIBPR", {{"VRDESPERITEM", "100"}}, "", "", "N", "P"},
        {"percentage of 0", "CDSITUTRIBPR", {{"VRDESPERITEM", "0"}}, "", "", "N", "P"},
        {"negative percentage", "CDSITUTRIBPR", {{"VRDESPERITEM", "-1"}}, "PercDesc_Inv", "", "N", "P"},
    };
    for (const Case& c : cases) {
        DefineOperationType("01", {{"IDNFAJUSTE", c.adjustment},
                                   {"IDOBINFCSTICMENT", "S"},
                                   {"IDOBINFCSTCFOPEN", "S"},
                                   {"IDATUESTTPOP", "S"}});
        Param("IDTPLANCDESC", c.discountKind);
        ASSERT_EQ(TypedProduct("1.01.001"), "") << c.what << "\n" << dialogs.Describe();
        Fill(Milk());
        // The values as stored, whatever typing would have derived from them.
        Cli_dfe11000().boTotaItem = true;
        Fill(c.changed);
        Cli_dfe11000().boTotaItem = false;
        Select(c.column);
        EXPECT_EQ(LeaveColumn(), c.code) << c.what << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(SelectedColumn(), *c.selectedAfter ? c.selectedAfter : c.column) << c.what;
            EXPECT_EQ(Items().State(), DataSetState::Insert) << c.what;
        }
        Items().Cancel();
    }
}

TEST_F(ItemGridTest, LeavingTheUnitPriceWorksOutTheTotal) {
    ASSERT_EQ(TypedProduct("1.01.001"), "");
    Cli_dfe11000().boTotaItem = true; // stored as typed, the total not yet derived
    Fill({{"QTITEMPROD", "3"}, {"VRUNITITEM", "0,333"}});
    Cli_dfe11000().boTotaItem = false;
    Select("VRUNITITEM");
    ASSERT_EQ(LeaveColumn(), "") << dialogs.Describe();
    EXPECT_DOUBLE_EQ(Number("VRTOTAITEM"), 1.0);
    Items().Cancel();
}

TEST_F(ItemGridTest, KeysOutsideWhatAColumnTakesAreDiscarded) {
    struct Case {
        const char* what;
        const char* column;
        const char* typed;
        const char* cell;
        bool locked = false; // the field carries the typing lock of code "03"
    };
    const Case cases[] = {
        {"CST takes digits only", "CDSITUTRIBPR", "0a4x0", "040"},
        {"CFOP takes digits", "CDFISOPEITEM", "1b10x2", "1102"},
        {"a locked price takes nothing", "VRUNITITEM", "12,5", "", true},
        {"an unlocked price takes what is typed", "VRUNITITEM", "12,5", "12,5"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(TypedProduct("1.01.001"), "") << c.what;
        Items().FieldByName(c.column).SetTag(c.locked ? 1 : 0);
        Select(c.column);
        EXPECT_EQ(TypeInCell(c.typed), c.cell) << c.what;
        Items().FieldByName(c.column).SetTag(0);
        Items().Cancel();
    }
}

TEST_F(ItemGridTest, SpaceOrADoubleClickTogglesTheBonusFlagAndStoresTheRow) {
    ASSERT_EQ(NewItem(Milk()), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    Items().Edit();
    Items().FieldByName("IDPRODBONIF").Clear();
    ASSERT_EQ(Post(), "");
    Select("IDPRODBONIF");
    EXPECT_FALSE(Grid().HasOption(grid_option::Editing)) << "the flag is toggled, not typed";

    app.Dispatch([&] { app.PressKey(key::Space); });
    EXPECT_EQ(Item("IDPRODBONIF"), "S") << "an empty flag becomes S";
    EXPECT_EQ(Items().State(), DataSetState::Browse);
    app.Dispatch([&] { app.DoubleClick(Grid()); });
    EXPECT_EQ(Item("IDPRODBONIF"), "N");
    EXPECT_EQ(Items().State(), DataSetState::Browse);

    Select("QTITEMPROD");
    app.Dispatch([&] { Grid().OnColEnter(Grid()); });
    EXPECT_TRUE(Grid().HasOption(grid_option::Editing));
}

TEST_F(ItemGridTest, InsertAppendsAfterTheLastRowAndEnterOnTheDiscountStoresTheRow) {
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(NewItem(Milk()), "");
        ASSERT_EQ(Post(), "") << dialogs.Describe();
    }
    Items().First();
    app.Dispatch([&] { app.PressKey(key::Insert); });
    ASSERT_EQ(Items().State(), DataSetState::Insert);
    EXPECT_EQ(Item("NRSEQITPROD"), "0003");
    EXPECT_EQ(Items().RecNo(), Items().RecordCount());

    Fill(Milk());
    Select(Cli_dfe11000().stColunaDesc.c_str());
    dialogs.ClearRecords();
    app.Dispatch([&] { app.PressKey(key::Enter); });
    EXPECT_EQ(Items().State(), DataSetState::Browse) << dialogs.Describe();
    EXPECT_EQ(Items().RecordCount(), 3);
}

TEST_F(ItemGridTest, CtrlDeleteDoesNothingInADocumentTakenFromTheInvoice) {
    ASSERT_EQ(NewItem(Milk()), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    Type("IDNFGERADAVIAXML", "S");
    dialogs.ClearRecords();
    app.Dispatch([&] { app.PressKey(key::Delete, ShiftState{false, true, false}); });
    EXPECT_TRUE(dialogs.Records().empty()) << dialogs.Describe();
    EXPECT_NE(Item("IDDELETE"), "S");
}

TEST_F(ItemGridTest, RowsAreDrawnWithTheirMarks) {
    const struct {
        const char* deleted;
        const char* warnings;
        const char* bonus;
    } rows[] = {{"S", "0", "S"}, {"N", "01", "N"}, {"N", "", "N"}};
    for (const auto& r : rows)
        testing::AddLoadedItem(Items(), {{"CDARVPROD", Variant("1.01.001")},
                                         {"QTITEMPROD", Variant(12.0)},
                                         {"IDDELETE", Variant(r.deleted)},
                                         {"IDAVISOSITEM", Variant(r.warnings)},
                                         {"IDPRODBONIF", Variant(r.bonus)}});
    Grid().FindColumn("IDAVISOSITEM")->SetVisible(true);

    auto cell = Painted(1, "CDARVPROD");
    EXPECT_TRUE(Has(cell, "fill (1,1,79,17) clInfoBk")) << cell.front();
    EXPECT_TRUE(Has(cell, "text 2,2 clRed")) << "a deleted row is written in red";
    cell = Painted(2, "CDARVPROD");
    EXPECT_TRUE(Has(cell, "text 2,2 clWindowText"));
    cell = Painted(2, "QTITEMPROD");
    EXPECT_TRUE(Has(cell, "text " + std::to_string(80 - 2 - 7 * 6) + ",2")) << "numbers to the right";

    EXPECT_TRUE(Has(Painted(1, "IDAVISOSITEM"), "image 4,2 imgSemErro transparent clOlive"));
    EXPECT_TRUE(Has(Painted(2, "IDAVISOSITEM"), "image 4,2 imgComErro"));
    EXPECT_FALSE(Has(Painted(3, "IDAVISOSITEM"), "image"));
    EXPECT_TRUE(Has(Painted(1, "IDPRODBONIF"), "image 5,2 imgCheck transparent clOlive"));
    EXPECT_TRUE(Has(Painted(2, "IDPRODBONIF"), "image 5,2 imgUncheck"));
}

} // namespace
} // namespace dfe::dfe11000
