#include "header_fixture.h"

#include "dfe11000/dialogs/desc_estoq_prod_cli.h"
#include "dfe11000/dialogs/desc_estoq_prod_rules.h"
#include "dfe11000/dialogs/frm_desc_estoq_prod.h"
#include "platform/core/abort.h"
#include "platform/ui/keys.h"
#include "platform/ui/layout_check.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kDialog = "frmDescEstoqProd";

// A posting being included at the head office (general warehouse 000001, central depot ALM001 with LOC001
// and LOC002, cold room ALM002 kept for GERENTE) and an item dataset with one stored row of milk in the
// central depot; the clerk is ADMIN.
class StockPlacementDialog : public testing::HeaderTest {
protected:
    using Inside = std::function<void(TfrmDescEstoqProd&)>;

    void SetUp() override {
        HeaderTest::SetUp();
        Include();
        // The item layout's placement fields; the posting's own item rules are not what is tested here.
        std::vector<FieldDef> fields;
        for (auto [name, size] : {std::pair{"NRSEQITPROD", 4},
                                  {"CDPRODUTO", 10},
                                  {"CDPRODESTO", 10},
                                  {"CDARVPROD", 20},
                                  {"NMPRODUTO", 50},
                                  {"NRAUTOFORN", 10},
                                  {"CDFILIMOVI", 4},
                                  {"CDALMOXARIFE", 6},
                                  {"CDLOCALESTOQ", 6},
                                  {"NRLOTEESTQ", 20},
                                  {"NRSUBLOTE", 4}})
            fields.push_back(FieldDef{name, FieldType::String, size});
        Items().CreateDataSet(fields);
        Items().Append();
        SetItem({{"NRSEQITPROD", "0001"},
                 {"CDPRODUTO", "0000000101"},
                 {"CDPRODESTO", "0000000101"},
                 {"CDARVPROD", "1.01.001"},
                 {"NMPRODUTO", "Leite integral UHT 1 L"},
                 {"CDALMOXARIFE", "ALM001"},
                 {"CDLOCALESTOQ", "LOC001"},
                 {"NRLOTEESTQ", "L261101"},
                 {"NRSUBLOTE", "0001"}});
        Items().Post();
        Items().MergeChangeLog();
    }

    void SetItem(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [field, value] : values)
            Items().FieldByName(field).SetAsString(value);
    }
    std::string Item(const char* field) { return Items().FieldByName(field).AsString(); }

    // A new row of cheese, placed by the caller in the central depot; the head office keeps it by lot.
    void AppendCheese() {
        Items().Append();
        SetItem({{"NRSEQITPROD", "0002"},
                 {"CDPRODUTO", "0000000102"},
                 {"CDPRODESTO", "0000000102"},
                 {"CDARVPROD", "1.01.002"},
                 {"NMPRODUTO", "Queijo muçarela fatiado"},
                 {"CDALMOXARIFE", "ALM001"},
                 {"CDLOCALESTOQ", "LOC002"}});
    }
    // ... and of flour, which it does not.
    void AppendFlour() {
        Items().Append();
        SetItem({{"NRSEQITPROD", "0003"},
                 {"CDPRODUTO", "0000000201"},
                 {"CDPRODESTO", "0000000201"},
                 {"CDARVPROD", "1.02.001"},
                 {"NMPRODUTO", "Farinha de trigo tipo 1 5 kg"}});
    }

    static StockPlacementArgs Args(StockPlacementFlags flags = {}) {
        StockPlacementArgs args;
        args.branch = "0001";
        args.flags = flags;
        return args;
    }

    // Runs the dialog over the current row; `inside` runs while it is shown and the clerk then cancels unless
    // it ended it.
    bool Place(StockPlacementArgs args, const Inside& inside) {
        args.items = &Items();
        bool answer = false;
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmDescEstoqProd&>(f);
                inside(d);
                if (d.ModalResult() == mr::None) d.SetModalResult(mr::Cancel);
            })
            .Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] { answer = DescEstoqProdCli(*form, form->server.netEstoque, args); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        return answer;
    }

    std::string LastError() const {
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string()
                              : (errors.back().code.empty() ? errors.back().text : errors.back().code);
    }

    DataSet& Items() { return items_; }

private:
    DataSet items_{"cdsItemProduto"};
};

TEST_F(StockPlacementDialog, ShowsTheProductAndProposesWhatTheRowHasInTheBranch) {
    Items().Edit();
    EXPECT_FALSE(Place(Args({.useWarehouse = true, .useLocation = true}), [&](TfrmDescEstoqProd& d) {
        EXPECT_EQ(d.Caption(), "Estoque do Produto");
        EXPECT_EQ(d.lblCodTela.Caption(), "DFE11206");
        EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
        EXPECT_EQ(d.edtProduto->Text(), "1.01.001 - Leite integral UHT 1 L");
        EXPECT_EQ(d.medCdFiliMovi->Text(), "0001"); // the row has none: the branch
        EXPECT_EQ(d.edtNmFiliMovi->Text(), "Matriz São Paulo");
        EXPECT_FALSE(d.medCdFiliMovi->Enabled());
        EXPECT_EQ(d.edtDsAlmoxarife->Text(), "Depósito central");
        EXPECT_EQ(d.edtDsLocalEstoq->Text(), "Rua 1 - prateleira A");
        EXPECT_TRUE(d.medCdAlmoxarife->Focused());
        EXPECT_FALSE(d.medNrLoteEstq->Enabled()); // the installation does not use lots
    }));
}

TEST_F(StockPlacementDialog, AConfirmedChoiceIsWrittenToTheRowWhichStaysInItsState) {
    for (bool inserting : {true, false}) {
        if (inserting)
            AppendCheese();
        else
            Items().Edit();
        const StockPlacementFlags flags{.inserting = inserting, .useWarehouse = true, .useLocation = true};
        EXPECT_TRUE(Place(Args(flags), [&](TfrmDescEstoqProd& d) {
            d.medCdAlmoxarife->SetText("000001");
            d.medCdLocalEstoq->SetText("000001");
            app.Click(d.bbtOK);
            EXPECT_EQ(LastError(), "");
        })) << inserting;
        EXPECT_EQ(Items().State(), inserting ? DataSetState::Insert : DataSetState::Edit);
        EXPECT_EQ(Item("CDALMOXARIFE"), "000001") << inserting;
        EXPECT_EQ(Item("CDLOCALESTOQ"), "000001") << inserting;
        EXPECT_EQ(Item("CDFILIMOVI"), "0001") << inserting;
        Items().Post();
    }
    EXPECT_EQ(Items().RecordCount(), 2);
}

TEST_F(StockPlacementDialog, AnEditedRowConfirmedUnchangedIsNotModified) {
    Items().Edit();
    Items().FieldByName("CDFILIMOVI").SetAsString("0001");
    Items().Post();
    Items().MergeChangeLog();
    Items().Edit();
    EXPECT_TRUE(Place(Args({.useWarehouse = true}), [&](TfrmDescEstoqProd& d) { app.Click(d.bbtOK); }));
    EXPECT_FALSE(Items().Modified());
    Items().Post();
    EXPECT_EQ(Items().ChangeCount(), 0);
}

TEST_F(StockPlacementDialog, AbandoningCancelsTheRowHoweverTheClerkLeaves) {
    const std::function<void(TfrmDescEstoqProd&)> ways[] = {
        [&](TfrmDescEstoqProd& d) { app.Click(d.bbtCancelar); },
        [&](TfrmDescEstoqProd& d) {
            d.medCdAlmoxarife->SetText("ALM009"); // Esc does not check the field it leaves
            app.PressKey(key::Escape);
        },
        [&](TfrmDescEstoqProd& d) { d.Close(); },
    };
    for (const auto& leave : ways) {
        AppendCheese();
        EXPECT_FALSE(Place(Args({.inserting = true, .useWarehouse = true}), leave));
        EXPECT_EQ(Items().State(), DataSetState::Browse);
        EXPECT_EQ(Items().RecordCount(), 1); // the new row is gone
        EXPECT_EQ(LastError(), "");

        Items().Edit();
        Items().FieldByName("CDALMOXARIFE").SetAsString("000001");
        EXPECT_FALSE(Place(Args({.useWarehouse = true}), leave));
        EXPECT_EQ(Items().State(), DataSetState::Browse);
        EXPECT_EQ(Item("CDALMOXARIFE"), "ALM001"); // the edit is undone
    }
}

TEST_F(StockPlacementDialog, AbandonedFromTheRowsBeforePostThePostEndsQuietly) {
    // Whether the caller abandons the post itself or leaves it to the dataset, nothing is stored or shown.
    for (bool callerAborts : {true, false}) {
        Items().BeforePost = [&](DataSet& ds) {
            StockPlacementArgs args = Args({.inserting = true, .useWarehouse = true});
            args.items = &ds;
            if (!DescEstoqProdCli(*form, form->server.netEstoque, args) && callerAborts) ThrowAbort();
        };
        int posted = 0;
        Items().AfterPost = [&](DataSet&) { ++posted; };
        AppendCheese();
        dialogs.ExpectModal(kDialog).Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] { Items().Post(); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
        EXPECT_EQ(Items().State(), DataSetState::Browse) << callerAborts;
        EXPECT_EQ(Items().RecordCount(), 1) << callerAborts;
        EXPECT_EQ(posted, 0) << callerAborts;

        // Confirmed, the same post stores the row with its placement.
        AppendCheese();
        dialogs.ExpectModal(kDialog).Do(
            [&](Form& f) { app.Click(static_cast<TfrmDescEstoqProd&>(f).bbtOK); });
        app.Dispatch([&] { Items().Post(); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        EXPECT_EQ(posted, 1) << callerAborts;
        EXPECT_EQ(Items().RecordCount(), 2) << callerAborts;
        EXPECT_EQ(Item("CDLOCALESTOQ"), "LOC002") << callerAborts;
        Items().BeforePost = nullptr;
        Items().Delete();
    }
}

TEST_F(StockPlacementDialog, ConfirmingRefusesWhatTheBranchOrTheStockSystemDoesNotHave) {
    const struct {
        const char *branch, *warehouse, *location, *error;
    } cases[] = {
        {"0001", "", "LOC001", "Almox_Inf"},
        {"0001", "ALM009", "LOC001", "Almox_Cad"},
        {"0001", "ALM001", "", "Local_Inf"},
        {"0001", "ALM001", "LOC009", "Local_Cad"},
        {"0001", "000001", "LOC001", "Local_Cad"}, // a location of another warehouse
        {"0002", "ALM001", "LOC001", "Almox_Cad"}, // the depot is the head office's
        {"0009", "000001", "000001", "FiliMovi_Cad"},
        {"", "000001", "000001", "FiliMovi_Inf"},
        {"0001", "ALM002", "LOC001",
         "Operador ADMIN não habilitado para o almoxarifado ALM002 da filial 0001."},
    };
    const StockPlacementFlags flags{.useWarehouse = true, .useLocation = true, .otherBranch = true};
    for (const auto& c : cases) {
        Items().Edit();
        const bool placed = Place(Args(flags), [&](TfrmDescEstoqProd& d) {
            d.medCdFiliMovi->SetText(c.branch);
            d.medCdAlmoxarife->SetText(c.warehouse);
            d.medCdLocalEstoq->SetText(c.location);
            app.Click(d.bbtOK);
            EXPECT_EQ(LastError(), c.error) << c.branch << c.warehouse << c.location;
            EXPECT_EQ(d.ModalResult(), mr::None) << c.error;
        });
        EXPECT_FALSE(placed) << c.error;
        EXPECT_EQ(Item("CDALMOXARIFE"), "ALM001") << c.error;
    }
}

TEST_F(StockPlacementDialog, AnotherBranchIsChosenOnlyWhenAllowedAndEmptiesThePlacement) {
    Items().Edit();
    EXPECT_TRUE(Place(Args({.useWarehouse = true, .otherBranch = true}), [&](TfrmDescEstoqProd& d) {
        ASSERT_TRUE(d.medCdFiliMovi->Enabled());
        dialogs.ExpectPick("Filial").Where("CDFILIAL", "0002");
        app.Click(*d.btpFiliMovi);
        EXPECT_EQ(d.edtNmFiliMovi->Text(), "Filial Campinas");
        EXPECT_EQ(d.medCdAlmoxarife->Text(), "");
        EXPECT_EQ(d.medCdLocalEstoq->Text(), "");
        dialogs.ExpectPick("Almoxarifado").Where("CDALMOXARIFE", "000001");
        app.Click(*d.btpAlmoxarifado);
        EXPECT_EQ(d.qryAlmoxarifado.RecordCount(), 1); // only Campinas'
        app.Click(d.bbtOK);
    }));
    EXPECT_EQ(Item("CDFILIMOVI"), "0002");
    EXPECT_EQ(Item("CDALMOXARIFE"), "000001");
    EXPECT_EQ(Item("CDLOCALESTOQ"), "");
}

TEST_F(StockPlacementDialog, WhatIsNotTheClerksToChooseIsShownAndKept) {
    const struct {
        StockPlacementFlags flags;
        const char* autoForn;
    } cases[] = {
        {{.useWarehouse = true, .useLocation = true, .movesStock = false}, ""},
        {{.afPilot = true, .useWarehouse = true, .useLocation = true}, "0000000042"},
    };
    for (const auto& c : cases) {
        Items().Edit();
        Items().FieldByName("NRAUTOFORN").SetAsString(c.autoForn);
        EXPECT_TRUE(Place(Args(c.flags), [&](TfrmDescEstoqProd& d) {
            EXPECT_FALSE(d.medCdAlmoxarife->Enabled());
            EXPECT_FALSE(d.medCdLocalEstoq->Enabled());
            EXPECT_EQ(d.edtDsAlmoxarife->Text(), "Depósito central");
            app.Click(d.bbtOK);
        })) << c.autoForn;
        EXPECT_EQ(Item("CDALMOXARIFE"), "ALM001");
        Items().Cancel();
    }
    // In the pilot, a row without an authorization is placed as any other.
    Items().Edit();
    EXPECT_TRUE(Place(Args({.afPilot = true, .useWarehouse = true}), [&](TfrmDescEstoqProd& d) {
        EXPECT_TRUE(d.medCdAlmoxarife->Enabled());
        app.Click(d.bbtOK);
    }));
}

TEST_F(StockPlacementDialog, ALotAndSubLotAreRequiredForAProductTheBranchKeepsByLot) {
    AppendCheese();
    const StockPlacementFlags flags{.inserting = true, .useLot = true};
    EXPECT_TRUE(Place(Args(flags), [&](TfrmDescEstoqProd& d) {
        EXPECT_TRUE(d.medNrLoteEstq->Enabled());
        EXPECT_FALSE(d.btpLote->Enabled()); // a purchase's lot is the supplier's new one
        app.Click(d.bbtOK);
        EXPECT_EQ(LastError(), "Lote_Inf");
        EXPECT_TRUE(d.medNrLoteEstq->Focused());
        d.medNrLoteEstq->SetText("Q2612A");
        app.Click(d.bbtOK);
        EXPECT_EQ(LastError(), "SubLote_Inf");
        EXPECT_TRUE(d.medNrSubLote->Focused());
        d.medNrSubLote->SetText("1");
        app.Click(d.bbtOK);
    }));
    EXPECT_EQ(Item("NRLOTEESTQ"), "Q2612A");
    EXPECT_EQ(Item("NRSUBLOTE"), "1");
    Items().Cancel();

    // A lot that came with the row from its origin is kept as it is.
    Items().Edit();
    EXPECT_TRUE(Place(Args({.useLot = true, .keepOriginLot = true}), [&](TfrmDescEstoqProd& d) {
        EXPECT_FALSE(d.medNrLoteEstq->Enabled());
        EXPECT_EQ(d.medNrLoteEstq->Text(), "L261101");
        app.Click(d.bbtOK);
    }));
    EXPECT_EQ(Item("NRLOTEESTQ"), "L261101");
    Items().Cancel();

    // Flour is not kept by lot: nothing is asked.
    AppendFlour();
    EXPECT_TRUE(Place(Args(flags), [&](TfrmDescEstoqProd& d) {
        EXPECT_FALSE(d.medNrLoteEstq->Enabled());
        app.Click(d.bbtOK);
    }));
    EXPECT_EQ(Item("NRLOTEESTQ"), "");
}

TEST_F(StockPlacementDialog, AReturnPicksALotTheStockHasAndAThirdPartysEntryMayAlso) {
    Items().Edit();
    EXPECT_TRUE(Place(Args({.isReturn = true, .useLot = true}), [&](TfrmDescEstoqProd& d) {
        EXPECT_EQ(d.edtDtValidade->Text(), "28/03/2027"); // the row's lot, as the stock knows it
        d.medNrLoteEstq->SetText("L999");
        app.Click(d.bbtOK);
        EXPECT_EQ(LastError(), "Lote_Cad");
        ASSERT_TRUE(d.btpLote->Enabled());
        dialogs.ExpectPick("Lote").Where("NRLOTEESTQ", "L261201");
        app.Click(*d.btpLote);
        EXPECT_EQ(d.medNrLoteEstq->Text(), "L261201");
        EXPECT_EQ(d.medNrSubLote->Text(), "0001");
        EXPECT_EQ(d.edtDtFabricacao->Text(), "05/12/2026");
        app.Click(d.bbtOK);
    }));
    EXPECT_EQ(Item("NRLOTEESTQ"), "L261201");
    Items().Cancel();

    // A third party's goods may come in a lot of their own, or in one the stock has (its sub-lot proposed).
    for (const char* lot : {"T-01", "L2612011"}) {
        Items().Edit();
        EXPECT_TRUE(Place(Args({.thirdParty = true, .useLot = true}), [&](TfrmDescEstoqProd& d) {
            EXPECT_TRUE(d.btpLote->Enabled());
            d.medNrLoteEstq->SetText(lot);
            d.medNrSubLote->SetText("");
            d.medNrLoteEstq->SetFocus();
            d.medNrSubLote->SetFocus(); // leaving the lot
            app.Click(d.bbtOK);
            if (std::string(lot) == "T-01") {
                EXPECT_EQ(LastError(), "SubLote_Inf");
                d.medNrSubLote->SetText("A");
                app.Click(d.bbtOK);
            }
        })) << lot;
        EXPECT_EQ(Item("NRSUBLOTE"), std::string(lot) == "T-01" ? "A" : "0001") << lot;
        Items().Cancel();
    }
}

TEST_F(StockPlacementDialog, AnotherBranchHasItsOwnLots) {
    AppendCheese();
    EXPECT_TRUE(Place(Args({.inserting = true, .isReturn = true, .useLot = true, .otherBranch = true}),
                      [&](TfrmDescEstoqProd& d) {
                          d.medCdFiliMovi->SetFocus();
                          d.medCdFiliMovi->SetText("0002");
                          d.medNrLoteEstq->SetFocus(); // leaving the branch
                          EXPECT_EQ(d.cdsLotes.RecordCount(), 3);
                          d.medNrLoteEstq->SetText("P261201");
                          app.Click(d.bbtOK);
                      }));
    EXPECT_EQ(Item("CDFILIMOVI"), "0002");
    EXPECT_EQ(Item("NRSUBLOTE"), "0001");
}

TEST_F(StockPlacementDialog, TheElectronicInvoicesLotIsProposedForANewRowWithoutOne) {
    StockPlacementArgs args = Args({.inserting = true, .useLot = true});
    args.xmlLot = "lt-889";
    args.xmlManufactured = "01/11/2026";
    args.xmlExpiry = "01/05/2027";
    AppendCheese();
    EXPECT_TRUE(Place(args, [&](TfrmDescEstoqProd& d) {
        EXPECT_EQ(d.medNrLoteEstq->Text(), "LT-889");
        EXPECT_EQ(d.edtDtFabricacao->Text(), "01/11/2026");
        EXPECT_EQ(d.edtDtValidade->Text(), "01/05/2027");
        d.medNrSubLote->SetText("1");
        app.Click(d.bbtOK);
    }));
    EXPECT_EQ(Item("NRLOTEESTQ"), "LT-889");
    Items().Cancel();

    // An edited row keeps its own lot.
    args.flags.inserting = false;
    Items().Edit();
    EXPECT_FALSE(Place(args, [&](TfrmDescEstoqProd& d) {
        EXPECT_EQ(d.medNrLoteEstq->Text(), "L261101");
        EXPECT_EQ(d.edtDtValidade->Text(), "28/03/2027");
    }));
}

} // namespace
} // namespace dfe::dfe11000
