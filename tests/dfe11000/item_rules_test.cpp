// The items of a posting as a clerk types them: numbering, the product, the arithmetic of quantity, price and
// total, the checks before a row is stored, and deletion that marks and restores.
#include "item_fixture.h"

#include "dfe11000/items/item_rules.h"
#include "platform/data/handler_guard.h"
#include "platform/data/packet.h"

#include <functional>
#include <map>

namespace dfe::dfe11000 {
namespace {

using testing::CellTexts;
using ItemRulesTest = testing::ItemTest;

TEST_F(ItemRulesTest, RowsAreNumberedAfterTheHighestNumberEvenWhenTheCountFallsBehind) {
    ASSERT_EQ(NewItem(Milk()), "") << dialogs.Describe();
    EXPECT_EQ(Item("NRSEQITPROD"), "0001");
    EXPECT_EQ(Item("IDPRODBONIF"), "N");
    EXPECT_EQ(Item("IDITEMORIGEM"), "N");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    ASSERT_EQ(NewItem(Milk()), "");
    EXPECT_EQ(Item("NRSEQITPROD"), "0002");
    ASSERT_EQ(Post(), "") << dialogs.Describe();

    // A posting loaded with rows up to 0007, some of them gone for good: the next row is 0008.
    Items().EmptyDataSet();
    for (const char* sequence : {"0002", "0005", "0007"})
        testing::AddLoadedItem(Items(), {{"NRSEQITPROD", Variant(sequence)}, {"IDDELETE", Variant("S")}});
    Cli_dfe11000().boInsert = false;
    Cli_dfe11000().boSeqItProd = true;
    ASSERT_EQ(NewItem(Milk()), "");
    EXPECT_EQ(Item("NRSEQITPROD"), "0008");
    Items().Cancel();

    // A new posting counts its rows; a row removed for good must not hand its number out twice.
    Cli_dfe11000().boInsert = true;
    ASSERT_EQ(NewItem(Milk()), "");
    EXPECT_EQ(Item("NRSEQITPROD"), "0008") << "three rows, the highest 0007";
    Items().Cancel();
}

TEST_F(ItemRulesTest, QuantityPriceAndTotalKeepTheirDecimalsAndNoCentIsLost) {
    struct Case {
        const char* what;
        const char* existeDadosNF;
        const char* xmlEqual; // IDGERNFIGUALXML, with a document taken from the NF-e
        std::vector<std::pair<const char*, const char*>> typed; // in the order typed
        double quantity, unit, total;
    };
    const Case cases[] = {
        {"3 x 0.333 rounds to the cent",
         "N",
         "",
         {{"QTITEMPROD", "3"}, {"VRUNITITEM", "0,333"}},
         3,
         0.333,
         1.0},
        {"3 x 0.333 cut with consumer invoices",
         "S",
         "",
         {{"QTITEMPROD", "3"}, {"VRUNITITEM", "0,333"}},
         3,
         0.333,
         0.99},
        {"1.15 x 3 cut keeps 3.45", "S", "", {{"QTITEMPROD", "3"}, {"VRUNITITEM", "1,15"}}, 3, 1.15, 3.45},
        {"quantities and prices to the thousandth",
         "N",
         "",
         {{"QTITEMPROD", "2,3456"}, {"VRUNITITEM", "10,0005"}},
         2.346,
         10.001,
         23.46},
        {"a typed total gives the price", "N", "", {{"QTITEMPROD", "7"}, {"VRTOTAITEM", "10"}}, 7, 1.429, 10},
        {"a typed total keeps the price with consumer invoices",
         "S",
         "",
         {{"QTITEMPROD", "7"}, {"VRUNITITEM", "2"}, {"VRTOTAITEM", "13,99"}},
         7,
         2,
         13.99},
        {"a total typed without quantity leaves the price",
         "N",
         "",
         {{"VRUNITITEM", "5"}, {"VRTOTAITEM", "9"}},
         0,
         5,
         9},
        {"NF-e equal mode: the quantity gives the price",
         "N",
         "S",
         {{"VRTOTAITEM", "100"}, {"QTITEMPROD", "3"}},
         3,
         33.333,
         100},
        {"NF-e equal mode: quantity 0 takes the total as price",
         "N",
         "S",
         {{"QTITEMPROD", "2"}, {"VRTOTAITEM", "100"}, {"QTITEMPROD", "0"}},
         0,
         100,
         100},
    };
    for (const Case& c : cases) {
        Cli_dfe11000().stExisteDadosNF = c.existeDadosNF;
        Param("IDGERNFIGUALXML", *c.xmlEqual ? "S" : "N");
        Type("IDNFGERADAVIAXML", *c.xmlEqual ? "S" : "N");
        ASSERT_EQ(NewItem({{"CDARVPROD", "1.01.001"}}), "") << c.what;
        for (const auto& [field, text] : c.typed)
            Items().FieldByName(field).SetText(text);
        EXPECT_DOUBLE_EQ(Number("QTITEMPROD"), c.quantity) << c.what;
        EXPECT_DOUBLE_EQ(Number("VRUNITITEM"), c.unit) << c.what;
        EXPECT_DOUBLE_EQ(Number("VRTOTAITEM"), c.total) << c.what;
        Items().Cancel();
    }
}

TEST_F(ItemRulesTest, APercentDiscountIsAppliedToTheQuantityAndPrice) {
    Param("IDTPLANCDESC", "P");
    CellTexts milk = Milk();
    milk["VRDESPERITEM"] = "10";
    ASSERT_EQ(NewItem(milk), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    EXPECT_DOUBLE_EQ(Number("VRDESCITEM"), 5.4) << "12 x 4.50 x 10 %";
    EXPECT_DOUBLE_EQ(Number("VRBRUTITEM"), 48.6);
}

TEST_F(ItemRulesTest, TheChecksBeforeARowIsStoredRefuseInOrderOnTheirColumn) {
    struct Case {
        const char* what;
        CellTexts changed; // over a complete row of milk; "" clears
        const char* code;
        const char* column;
        const char* adjustment = "N";
    };
    const Case cases[] = {
        {"no product", {{"CDARVPROD", ""}}, "Prod_Inf", "CDARVPROD"},
        {"a group, not a product", {{"CDARVPROD", "1.01"}}, "Prod_Incomp", ""},
        {"unknown product", {{"CDARVPROD", "9.99.999"}}, "Prod_Cad", ""},
        {"no CST under fiscal control", {{"CDSITUTRIBPR", ""}}, "Cst_Inf", "CDSITUTRIBPR"},
        {"CST of two digits", {{"CDSITUTRIBPR", "00"}}, "Cst_Inv", ""},
        {"no CFOP under fiscal control", {{"CDFISOPEITEM", ""}}, "Cfop_Inf", "CDFISOPEITEM"},
        {"CFOP of three digits", {{"CDFISOPEITEM", "110"}}, "Cfop_Inv", ""},
        {"no quantity", {{"QTITEMPROD", ""}}, "Quant_Inf", "QTITEMPROD"},
        {"quantity 0", {{"QTITEMPROD", "0"}, {"VRTOTAITEM", "10"}}, "Quant_Inv", "QTITEMPROD"},
        {"no unit price", {{"VRUNITITEM", ""}}, "ValorUnit_Inf", "VRUNITITEM"},
        {"negative unit price", {{"VRUNITITEM", "-1"}}, "ValorUnit_Inv", "VRUNITITEM"},
        {"price and total 0", {{"VRUNITITEM", "0"}, {"VRTOTAITEM", "0"}}, "ValorUnit_Inv", "VRUNITITEM"},
        {"price 0 with a total", {{"VRUNITITEM", "0"}, {"VRTOTAITEM", "10"}}, "", ""},
        {"no total", {{"VRTOTAITEM", ""}}, "ValorTotal_Inf", "VRTOTAITEM"},
        {"discount over the total", {{"VRDESCITEM", "54,01"}}, "Desc_Men", "VRDESCITEM"},
        {"discount equal to the total", {{"VRDESCITEM", "54"}}, "", ""},
        {"adjustment: quantity 0", {{"QTITEMPROD", "0"}, {"VRTOTAITEM", "10"}}, "", "", "S"},
        {"adjustment: negative price", {{"VRUNITITEM", "-2"}}, "", "", "S"},
    };
    for (const Case& c : cases) {
        DefineOperationType("01", {{"IDNFAJUSTE", c.adjustment},
                                   {"IDOBINFCSTICMENT", "S"},
                                   {"IDOBINFCSTCFOPEN", "S"},
                                   {"IDATUESTTPOP", "S"}});
        ASSERT_EQ(NewItem(Milk()), "") << c.what;
        // The values as stored, whatever typing would have derived from them.
        Cli_dfe11000().boTotaItem = true;
        for (const auto& [field, text] : c.changed)
            Items().FieldByName(field).SetText(text);
        Cli_dfe11000().boTotaItem = false;
        {
            const DetachedHandler quiet(form->ui.dbgItemProduto->OnColExit); // the checks of storing only
            form->ui.dbgItemProduto->SetSelectedIndex(1);
        }
        EXPECT_EQ(Post(), c.code) << c.what << "\n" << dialogs.Describe();
        if (*c.column) {
            EXPECT_EQ(SelectedColumn(), c.column) << c.what;
        }
        if (*c.code) {
            EXPECT_EQ(Items().State(), DataSetState::Insert) << c.what << ": the row stays to be mended";
            Items().Cancel();
        }
    }
}

// The product's own rules, checked when the row is stored, each with the setting that calls for it.
TEST_F(ItemRulesTest, AProductTheBranchMayNotTakeHereIsRefused) {
    struct Case {
        const char* what;
        std::function<void()> setting;
        const char* code;
        const char* product = "1.01.001";
    };
    const auto onlyFromAF = [&] {
        Param("IDBLOQCMPSAFFIL", "N");
        Param("IDBLOQCMPSAF", "S");
    };
    const Case cases[] = {
        {"stock products blocked in purchases", [&] { Param("IDBLOQPRESTO", "S"); }, "Prod_Est"},
        {"stock products blocked by the operation",
         [&] {
             DefineOperationType("01", {{"IDBLOQPRESTTPOP", "S"}, {"IDATUESTTPOP", "S"}});
         },
         "Prod_Est"},
        {"purchases only from an AF, no exemption for the product", onlyFromAF, "Prod_LancAF", "1.02.001"},
        {"purchases only from an AF, the product exempt at the branch", onlyFromAF, "", "1.01.001"},
        {"a supplier whose products are parametrized",
         [&] { form->Parameters().SetSupplierString("UTILIZA PRODXFORNDDF"); }, "ProdXFornDF_N_Cad"},
        {"a service whose products do not include it",
         [&] {
             DefineOperationType("01", {{"IDNFPRESTSERV", "S"}});
             lookups_->Execute("UPDATE PARAMGERAL SET IDUTRELPRODSERV = 'S'");
             lookups_->Execute(
                 "INSERT INTO PRODSERVICO (CDSERVICOPROD, CDPRODUTO) VALUES ('16.02', '0000000201')");
             form->lookups.qryParamGeral.Close();
             form->lookups.qryParamGeral.Open();
             form->data.cdsNotaFiscal.FieldByName("CDSERVICOPROD").SetAsString("16.02");
         },
         "Prod_N_Rel_serv"},
    };
    for (const Case& c : cases) {
        Purchase("0001");
        form->Header().ReopenTipoOperacForCurrent();
        c.setting();
        CellTexts row = Milk();
        row["CDARVPROD"] = c.product;
        ASSERT_EQ(NewItem(row), "") << c.what;
        EXPECT_EQ(Post(), c.code) << c.what << "\n" << dialogs.Describe();
        if (IsEditing(Items().State())) Items().Cancel();
        form->data.cdsParamDFE.Close(); // read again by the next posting
        form->Parameters().SetSupplierString("");
        DefineOperationType("01",
                            {{"IDOBINFCSTICMENT", "S"}, {"IDOBINFCSTCFOPEN", "S"}, {"IDATUESTTPOP", "S"}});
    }
}

// An edited row asks where its goods enter stock unless the header's choice or the product's default
// placement at the branch answers it; abandoning the question ends the post and takes the edit back.
TEST_F(ItemRulesTest, AnEditedRowAsksItsPlacementOnlyWhenNothingAnswersIt) {
    struct Case {
        const char* what;
        const char* headerChoice;   // stSugAlmox
        const char* productDefault; // IDSUGALMLOESTPR
        bool asked;
        const char* warehouse; // the row's after the post
    };
    const Case cases[] = {
        {"the header's choice applies to every item", "S", "N", false, ""},
        {"the product's default placement at the branch", "N", "S", false, "ALM002"},
        {"nothing answers: asked, and abandoned", "N", "N", true, ""},
    };
    for (const Case& c : cases) {
        Purchase("0001");
        ASSERT_EQ(NewItem(Milk()), "");
        ASSERT_EQ(Post(), "") << dialogs.Describe();
        Cli_dfe11000().boAlteraNF = true;
        Cli_dfe11000().stSugAlmox = c.headerChoice;
        Cli_dfe11000().stSugAlmoEstPr = "N";
        Param("IDSUGALMLOESTPR", c.productDefault);
        Run([&] { Items().Edit(); });
        Items().FieldByName("QTITEMPROD").SetText("13");
        if (c.asked) dialogs.ExpectModal("frmDescEstoqProd").Cancel();
        Post();
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << c.what << "\n" << dialogs.DescribePending();
        // Stored, the grid offers the next row at once; left untouched it goes.
        if (Items().State() == DataSetState::Insert) Items().Cancel();
        Items().First();
        EXPECT_EQ(Items().State(), DataSetState::Browse) << c.what;
        EXPECT_DOUBLE_EQ(Number("QTITEMPROD"), c.asked ? 12 : 13) << c.what;
        EXPECT_EQ(Item("CDALMOXARIFE"), c.warehouse) << c.what;
        form->data.cdsParamDFE.Close();
        Cli_dfe11000().stSugAlmox = "N";
    }
}

TEST_F(ItemRulesTest, AStoredRowGetsItsIssueDataAndAnIssueCodeOfDotsIsReplaced) {
    ASSERT_EQ(NewItem(Milk()), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    EXPECT_EQ(Item("NMPRODUTO"), "Leite integral UHT 1 L");
    EXPECT_EQ(Item("CDPRODEMIS"), "1.01.001");
    EXPECT_EQ(Item("DSPRODEMIS"), "Leite integral UHT 1 L");
    EXPECT_EQ(Item("IDCONFORITEM"), "S");
    EXPECT_DOUBLE_EQ(Number("VRTOTAITEM"), 54);
    EXPECT_DOUBLE_EQ(Number("VRBRUTITEM"), 54);
    EXPECT_DOUBLE_EQ(Number("VRDESCITEM"), 0);

    Run([&] { Items().Edit(); });
    Items().FieldByName("CDPRODEMIS").SetAsString("..");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    EXPECT_EQ(Item("CDPRODEMIS"), "1.01.001");
}

TEST_F(ItemRulesTest, APriceFarFromTheLastPurchaseIsAskedAboutAndAbandonKeepsTheRow) {
    Param("VRPETOLEENTR", "10");
    struct Case {
        double lastPurchase;
        bool asked;
        int answer;
    };
    // 10 x 100.00: the price posted is 100; 90 to 110 passes.
    const Case cases[] = {
        {110, false, 0}, {90, false, 0}, {0, false, 0}, {110.01, true, 10}, {89.99, true, 11}};
    for (const Case& c : cases) {
        LastPurchase(c.lastPurchase);
        CellTexts row = Milk();
        row["QTITEMPROD"] = "10";
        row["VRUNITITEM"] = "100";
        ASSERT_EQ(NewItem(row), "");
        if (c.asked) dialogs.ExpectQuestion("Situ").Answer(c.answer);
        EXPECT_EQ(Post(), "") << c.lastPurchase;
        EXPECT_EQ(dialogs.Shown("Situ"), c.asked) << c.lastPurchase;
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        if (c.answer == 11) {
            EXPECT_EQ(Items().State(), DataSetState::Insert) << "abandoned: the row stays in edit";
            Items().Cancel();
        } else {
            EXPECT_EQ(Items().State(), DataSetState::Browse) << c.lastPurchase;
        }
    }
}

TEST_F(ItemRulesTest, DeletingMarksTheRowAndDeletingAgainRestoresIt) {
    ASSERT_EQ(NewItem(Milk()), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    CellTexts flour = {{"CDARVPROD", "1.02.001"},
                       {"CDSITUTRIBPR", "000"},
                       {"CDFISOPEITEM", "1102"},
                       {"QTITEMPROD", "2"},
                       {"VRUNITITEM", "20"}};
    ASSERT_EQ(NewItem(flour), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    EXPECT_DOUBLE_EQ(form->Items().TotalItens(), 94);

    // No: nothing changes.
    dialogs.ExpectQuestion("Excl_Item").Answer(7);
    EXPECT_EQ(Run([&] { Items().Delete(); }), "");
    EXPECT_EQ(Item("IDDELETE"), "");

    dialogs.ExpectQuestion("Excl_Item").Answer(6);
    EXPECT_EQ(Run([&] { Items().Delete(); }), "") << dialogs.Describe();
    EXPECT_EQ(Items().RecordCount(), 2) << "the row stays, marked";
    EXPECT_EQ(Item("IDDELETE"), "S");
    EXPECT_EQ(Item("NRSEQITPROD"), "0002");
    EXPECT_DOUBLE_EQ(form->Items().TotalItens(), 54) << "a deleted item leaves the totals";

    dialogs.ExpectQuestion("Cancel_Item").Answer(6);
    const int generations = Calls("GetImpoItem");
    EXPECT_EQ(Run([&] { Items().Delete(); }), "") << dialogs.Describe();
    EXPECT_EQ(Calls("GetImpoItem"), generations + 1) << "the restored row's taxes are generated again";
    EXPECT_EQ(Item("IDDELETE"), "N");
    EXPECT_EQ(Item("NRSEQITPROD"), "0002");
    EXPECT_DOUBLE_EQ(form->Items().TotalItens(), 94);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);

    // Away from the item grid the row is really removed.
    form->ui.dbeNumero->SetFocus();
    EXPECT_EQ(Run([&] { Items().Delete(); }), "");
    EXPECT_EQ(Items().RecordCount(), 1);
}

TEST_F(ItemRulesTest, AnAuditedItemOrAnOriginRowOfAnIndustrialReturnCannotBeDeleted) {
    ASSERT_EQ(NewItem(Milk()), "");
    ASSERT_EQ(Post(), "") << dialogs.Describe();
    Answer("GetProdAudit", [](const net::RpcRequest&) -> std::optional<Variant> {
        Packet p;
        p.fields = {FieldDef{"DSAUDITORIA", FieldType::String, 60}};
        p.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant("Conferência física")}, {}});
        return Variant(ToDataPacket(p));
    });
    dialogs.ExpectQuestion("Excl_Item").Answer(6);
    EXPECT_EQ(Run([&] { Items().Delete(); }), "Prod_Audit");
    EXPECT_EQ(Item("IDDELETE"), "");

    DefineOperationType("01", {{"IDNFRETIND", "S"}});
    testing::AddLoadedItem(Items(), {{"NRSEQITPROD", Variant("0009")}, {"IDITEMORIGEM", Variant("S")}});
    EXPECT_EQ(Run([&] { Items().Delete(); }), "BLOQ_DEL_ITEM_ORIGEM");
}

TEST_F(ItemRulesTest, AReturnedQuantityIsCheckedAgainstTheOriginAndWhatOthersReturned) {
    struct Case {
        double origin, related, returned, old, typed;
        bool refused;
    };
    const Case cases[] = {
        {10, 10, 0, 0, 0.001, true}, {10, 10, 0, 0, 0, false}, {10, 6, 6, 0, 4, false},
        {10, 6, 6, 0, 4.001, true},  {10, 6, 8, 2, 4, false},
    };
    for (const Case& c : cases) {
        Answer("GetVd_QuantDev", [c](const net::RpcRequest&) -> std::optional<Variant> {
            Packet p;
            p.fields = {FieldDef{"QTITEMDEVO", FieldType::Float}};
            p.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant(c.returned)}, {}});
            return Variant(ToDataPacket(p));
        });
        Items().EmptyDataSet();
        testing::AddLoadedItem(Items(), {{"NRSEQITPROD", Variant("0001")},
                                         {"IDITEMORIGEM", Variant("S")},
                                         {"QTITEMORIG", Variant(c.origin)},
                                         {"QTITRELACNFSUBS", Variant(c.related)},
                                         {"QTITEMPROD", Variant(c.old)}});
        Items().Edit();
        Items().FieldByName("QTITEMPROD").SetAsFloat(c.typed);
        const std::string code = Run([&] { form->Items().Vd_Quantidade(); });
        EXPECT_EQ(code, c.refused ? "Quant_Devo_Inv" : "") << c.typed << " of " << c.origin;
        if (c.refused) {
            EXPECT_EQ(Cli_dfe11000().stValidQuant, "N");
        }
        Items().Cancel();
    }
}

} // namespace
} // namespace dfe::dfe11000
