#include "header_fixture.h"

#include "dfe11000/dialogs/almo_local_rules.h"
#include "dfe11000/dialogs/frm_almo_local.h"
#include "platform/ui/layout_check.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kDialog = "frmAlmoLocal";

// The posting screen including a posting at the head office, whose demo has the general warehouse 000001,
// the central depot ALM001 (LOC001, LOC002) and the cold room ALM002 kept for GERENTE; the clerk is ADMIN.
class AlmoLocalDialog : public testing::HeaderTest {
protected:
    using Inside = std::function<void(TfrmAlmoLocal&)>;

    void SetUp() override {
        HeaderTest::SetUp();
        UseWarehouses("S", "S");
    }

    // The branch's parameters: whether it chooses warehouses and locations; read again by the include.
    void UseWarehouses(const char* warehouses, const char* locations) {
        lookups_->Execute("UPDATE PARAMDFE SET IDUTILALMOX = :A, IDUTILLCESTQ = :L WHERE CDFILIAL = '0001'",
                          {{"A", Variant(warehouses)}, {"L", Variant(locations)}});
        form->data.cdsParamDFE.Close(); // so that the include reads them again
        Include();
    }

    // Runs the dialog; `inside` runs while it is shown and the clerk then cancels unless it ended it.
    bool Choose(const Inside& inside) {
        bool answer = false;
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmAlmoLocal&>(f);
                inside(d);
                if (d.ModalResult() == mr::None && d.Visible()) d.SetModalResult(mr::Cancel);
            })
            .Cancel();
        dialogs.ClearRecords();
        app.Dispatch([&] { answer = CriaAlmoLocal(*form); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        return answer;
    }

    void Confirm(TfrmAlmoLocal& d, const std::string& warehouse, const std::string& location) {
        d.medCdAlmoxEstoq->SetText(warehouse);
        d.medCdLocalEstoq->SetText(location);
        app.Click(d.bbtOK);
    }

    std::string LastError() const {
        const auto errors = dialogs.Errors();
        return errors.empty() ? std::string()
                              : (errors.back().code.empty() ? errors.back().text : errors.back().code);
    }
};

TEST_F(AlmoLocalDialog, ShowsAsDesignedAndProposesTheBranchsWarehouse) {
    EXPECT_FALSE(Choose([&](TfrmAlmoLocal& d) {
        EXPECT_EQ(d.Caption(), "Almoxarifado/Localização");
        EXPECT_EQ(d.lblCodTela.Caption(), "Dfe11800");
        EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
        // The header has none: the branch's parameters propose theirs, with their descriptions.
        EXPECT_EQ(d.medCdAlmoxEstoq->Text(), "ALM001");
        EXPECT_EQ(d.edtDsAlmoxEstoq->Text(), "Depósito central");
        EXPECT_EQ(d.medCdLocalEstoq->Text(), "LOC001");
        EXPECT_EQ(d.edtDsLocalEstoq->Text(), "Rua 1 - prateleira A");
        EXPECT_TRUE(d.medCdAlmoxEstoq->Enabled());
        EXPECT_TRUE(d.medCdLocalEstoq->Enabled());
        EXPECT_EQ(d.dbgItensCmp->ColumnCount(), 6);
    }));
    EXPECT_FALSE(form->ui.sbtAlmoLocal->Down());
}

TEST_F(AlmoLocalDialog, TheBranchsParametersSayWhatMayBeChosen) {
    const struct { const char *warehouses, *locations; } cases[] = {{"S", "N"}, {"N", "S"}, {"N", "N"}};
    for (const auto& c : cases) {
        UseWarehouses(c.warehouses, c.locations);
        Choose([&](TfrmAlmoLocal& d) {
            EXPECT_EQ(d.medCdAlmoxEstoq->Enabled(), std::string(c.warehouses) == "S") << c.warehouses;
            EXPECT_EQ(d.btpAlmoxarifado->Enabled(), std::string(c.warehouses) == "S") << c.warehouses;
            EXPECT_EQ(d.medCdLocalEstoq->Enabled(), std::string(c.locations) == "S") << c.locations;
            EXPECT_EQ(d.btpLocalEstoque->Enabled(), std::string(c.locations) == "S") << c.locations;
        });
    }
    // Neither asked for, a proposed code is still written.
    EXPECT_TRUE(Choose([&](TfrmAlmoLocal& d) { app.Click(d.bbtOK); }));
    EXPECT_EQ(Header("CDALMOXARIFE"), "ALM001");
    EXPECT_EQ(Header("CDLOCALESTOQ"), "LOC001");
}

TEST_F(AlmoLocalDialog, ConfirmingRefusesWhatTheBranchOrTheStockSystemDoesNotHave) {
    const struct {
        const char *warehouse, *location, *error;
    } cases[] = {
        {"", "LOC001", "Almox_Inf"},
        {"ALM009", "LOC001", "Almox_Cad"},
        {"ALM001", "", "Local_Inf"},
        {"ALM001", "LOC009", "Local_Cad"},
        {"000001", "LOC001", "Local_Cad"}, // a location of another warehouse
        {"ALM002", "LOC001", "Operador ADMIN não habilitado para o almoxarifado ALM002 da filial 0001."},
    };
    for (const auto& c : cases) {
        const bool chosen = Choose([&](TfrmAlmoLocal& d) {
            Confirm(d, c.warehouse, c.location);
            EXPECT_EQ(LastError(), c.error) << c.warehouse << c.location;
            EXPECT_EQ(d.ModalResult(), mr::None) << c.warehouse;
            EXPECT_FALSE(d.Rules().boConfirma) << c.warehouse;
        });
        EXPECT_FALSE(chosen) << c.warehouse;
        EXPECT_EQ(Header("CDALMOXARIFE"), "") << c.warehouse;
    }
}

TEST_F(AlmoLocalDialog, AConfirmedChoiceIsWrittenToTheHeaderAndDuringAnAFImportToEveryItem) {
    form->data.cdsItemProduto.EmptyOrCreateDataSet();
    for (const char* seq : {"0001", "0002"})
        testing::AddLoadedItem(form->data.cdsItemProduto, {{"NRSEQITPROD", Variant(seq)},
                                                           {"CDPRODUTO", Variant("0000000101")},
                                                           {"CDARVPROD", Variant("1.01.001")},
                                                           {"CDSITUTRIBPR", Variant("000")},
                                                           {"CDFISOPEITEM", Variant("1102")},
                                                           {"QTITEMPROD", Variant(6.0)},
                                                           {"VRUNITITEM", Variant(4.5)},
                                                           {"VRTOTAITEM", Variant(27.0)}});
    Cli_dfe11000().boAlteraNF = false; // the items' taxes are not generated again by a placement
    for (bool importing : {false, true}) {
        Cli_dfe11000().boImportaAF = importing;
        EXPECT_TRUE(Choose([&](TfrmAlmoLocal& d) {
            Confirm(d, "alm001", "loc002"); // typed in lower case
            EXPECT_EQ(LastError(), "");
        }));
        EXPECT_EQ(Header("CDALMOXARIFE"), "ALM001");
        EXPECT_EQ(Header("CDLOCALESTOQ"), "LOC002");
        DataSet& items = form->data.cdsItemProduto;
        for (items.First(); !items.Eof(); items.Next())
            EXPECT_EQ(items.FieldByName("CDLOCALESTOQ").AsString(), importing ? "LOC002" : "") << importing;
    }
    Cli_dfe11000().boImportaAF = false;
}

TEST_F(AlmoLocalDialog, AnotherWarehouseEmptiesTheLocationAndTheSearchesFillTheDescriptions) {
    Choose([&](TfrmAlmoLocal& d) {
        d.medCdAlmoxEstoq->SetText("000001");
        EXPECT_EQ(d.medCdLocalEstoq->Text(), "");
        EXPECT_EQ(d.edtDsAlmoxEstoq->Text(), "");
        dialogs.ExpectPick("Almoxarifado").Where("CDALMOXARIFE", "ALM002");
        app.Click(*d.btpAlmoxarifado);
        EXPECT_EQ(d.medCdAlmoxEstoq->Text(), "ALM002");
        EXPECT_EQ(d.edtDsAlmoxEstoq->Text(), "Câmara fria");
        dialogs.ExpectPick("Localização").Where("CDLOCALESTOQ", "LOC001");
        app.Click(*d.btpLocalEstoque);
        EXPECT_EQ(d.edtDsLocalEstoq->Text(), "Câmara 1 - laticínios");
        EXPECT_EQ(d.qryLocalEstoque.RecordCount(), 1); // only the cold room's
    });
}

TEST_F(AlmoLocalDialog, AnOnlyBrowsedPostingShowsItsItemsAndChangesNothing) {
    Cancel();
    lookups_->Execute("UPDATE NOTAFISCAL SET CDALMOXARIFE = '000001', CDLOCALESTOQ = '000001'"
                      " WHERE CDFILIAL = '0001' AND NRLANCTONF = '0000000001'");
    DataSet& header = form->data.cdsNotaFiscal;
    header.Close();
    header.CreateDataSet();
    header.Append();
    header.FieldByName("CDFILIAL").SetAsString("0001");
    header.FieldByName("NRLANCTONF").SetAsString("0000000001");
    header.FieldByName("CDALMOXARIFE").SetAsString("000001");
    header.FieldByName("CDLOCALESTOQ").SetAsString("000001");
    header.Post();
    EXPECT_FALSE(Choose([&](TfrmAlmoLocal& d) {
        EXPECT_FALSE(d.medCdAlmoxEstoq->Enabled());
        EXPECT_EQ(d.edtDsAlmoxEstoq->Text(), "Almoxarifado geral");
        ASSERT_EQ(d.cdsItemProduto.RecordCount(), 2);
        d.cdsItemProduto.First();
        EXPECT_EQ(d.cdsItemProduto.FieldByName("NMPRODUTO").AsString(), "Leite integral UHT 1 L");
        EXPECT_EQ(d.cdsItemProduto.FieldByName("NRLOTEESTQ").AsString(), "L261101");
        app.Click(d.bbtOK);
        EXPECT_NE(d.ModalResult(), mr::None); // it closes
    }));
    EXPECT_EQ(header.State(), DataSetState::Browse);
}

TEST_F(AlmoLocalDialog, ABranchThatAsksPerPostingAsksWhenTheHeaderIsLeft) {
    lookups_->Execute(
        "UPDATE PARAMDFE SET IDUTILALLONF = 'S', IDSUGALMLOESTPR = 'N' WHERE CDFILIAL = '0001'");
    for (bool confirm : {true, false}) {
        form->data.cdsParamDFE.Close();
        Include();
        Type("CDTIPOOPER", "01");
        Cli_dfe11000().stSugAlmox = "N";
        dialogs.ExpectModal(kDialog)
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmAlmoLocal&>(f);
                if (confirm) app.Click(d.bbtOK);
            })
            .Cancel();
        Run([&] { form->Header().panExit(); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        EXPECT_EQ(form->ui.mnuAlmoLocal->Enabled(), confirm) << confirm;
        EXPECT_EQ(Cli_dfe11000().stSugAlmox, confirm ? "S" : "N") << confirm;
        // Given up, the new posting goes with it.
        EXPECT_EQ(form->data.cdsNotaFiscal.State() == DataSetState::Insert, confirm) << confirm;
        if (confirm) {
            EXPECT_EQ(Header("CDALMOXARIFE"), "ALM001");
        }
    }
}

TEST_F(AlmoLocalDialog, TheWarehouseCommandAndItsMenuItemOpenTheChoiceAndAreLetGoAfterwards) {
    form->ui.mnuAlmoLocal->SetEnabled(true);
    form->ui.sbtAlmoLocal->SetEnabled(true);
    bool down = false;
    for (int run = 0; run < 2; ++run) {
        dialogs.ExpectModal(kDialog).Do([&](Form&) { down = form->ui.sbtAlmoLocal->Down(); }).Cancel();
        if (run == 0) {
            app.Click(*form->ui.sbtAlmoLocal);
        } else {
            app.PressKey('J', ShiftState{.ctrl = true});
            EXPECT_TRUE(form->ui.mnuAlmoLocal->Checked());
        }
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << run << dialogs.DescribePending();
        EXPECT_TRUE(down) << run;
        EXPECT_FALSE(form->ui.sbtAlmoLocal->Down()) << run;
    }
}

} // namespace
} // namespace dfe::dfe11000
