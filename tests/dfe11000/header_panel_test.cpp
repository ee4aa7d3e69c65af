#include "header_fixture.h"

namespace dfe::dfe11000 {
namespace {

using HeaderPanel = testing::HeaderTest;

TEST_F(HeaderPanel, LeavingItFixesCompanyAndTypeUnlessAnIncludeAfterTheFilterWaits) {
    for (bool includeAfterFilter : {false, true}) {
        Include();
        Type("CDEMPRESA", "01");
        Type("CDTIPOOPER", "01");
        EXPECT_EQ(Run([&] { form->Header().dbeCdTipoOperExit(); }), "") << dialogs.Describe();
        form->Header().panEnter();
        form->Branch().boIncluiAposFiltro = includeAfterFilter;
        EXPECT_EQ(Run([&] { form->Header().panExit(); }), "") << dialogs.Describe();
        for (Control* c : std::initializer_list<Control*>{form->ui.lblEmpresa, form->ui.btpEmpresa,
                                                          form->ui.dbeCdEmpresa, form->ui.lblTipoOper,
                                                          form->ui.btpTipoOper, form->ui.dbeCdTipoOper})
            EXPECT_EQ(c->Enabled(), includeAfterFilter) << c->Name();
        EXPECT_FALSE(form->Branch().boIncluiAposFiltro);
        EXPECT_EQ(form->ActiveControl(), form->ui.dbeNrInsJurNF); // the type's exit opened it
    }
    EXPECT_EQ(Calls("ValidaInventario"), 2);
}

TEST_F(HeaderPanel, EnteringItClearsTheIncludeAfterTheFilter) {
    form->Branch().boIncluiAposFiltro = true;
    form->Header().panEnter();
    EXPECT_FALSE(form->Branch().boIncluiAposFiltro);
}

TEST_F(HeaderPanel, AnOpenInventoryStopsTheExitOfATypeThatMovesStock) {
    struct Case {
        const char* branch;
        const char* type;
        bool refused;
        int checks;
    };
    const Case cases[] = {
        {"0004", "01", true, 1},  // Londrina counts its stock
        {"0004", "03", false, 0}, // a price complement does not move stock
        {"0001", "01", false, 1}, // the head office's inventory is closed
        {"0003", "01", false, 0}, // Curitiba does not control stock
    };
    for (const Case& c : cases) {
        const int before = Calls("ValidaInventario");
        Include(c.branch);
        Type("CDTIPOOPER", c.type);
        form->Header().SetCurrentType(c.type);
        const std::string code = Run([&] { form->Header().panExit(); });
        const std::string what = std::string(c.branch) + " " + c.type;
        EXPECT_EQ(Calls("ValidaInventario") - before, c.checks) << what;
        if (c.refused) {
            ASSERT_FALSE(dialogs.Errors().empty()) << what;
            EXPECT_NE(dialogs.Errors().back().text.find("inventário"), std::string::npos) << what;
            EXPECT_TRUE(form->ui.dbeCdEmpresa->Enabled()) << what; // the panel stays open
        } else {
            EXPECT_EQ(code, "") << what << "\n" << dialogs.Describe();
        }
    }
}

TEST_F(HeaderPanel, ABrowsedPostingOnlyShowsWhatItsTypeDecides) {
    // The prepared posting is browsed; its type is a simple remittance.
    Type("CDTIPOOPER", "05");
    form->data.cdsRomaneioNF.Post();
    form->Header().SetCurrentType("05");
    form->data.dtsRomaneioNF->SetEnabled(true);
    EXPECT_EQ(Run([&] { form->Header().panExit(); }), "") << dialogs.Describe();
    EXPECT_EQ(Calls("ValidaInventario"), 0);
    EXPECT_EQ(form->ui.nbkItensNF->PageIndex(), 1);
    EXPECT_FALSE(form->ui.dbgItemProImpos->Enabled());
    EXPECT_FALSE(form->ui.grbProdEmiss->Enabled());
    EXPECT_EQ(form->ui.dbeSerie->GetColor(), Color::clInfoBk);
    EXPECT_EQ(form->lookups.qryTipoOperac.FieldByName("CDTIPOOPER").AsString(), "05");
}

TEST_F(HeaderPanel, ANewPostingBindsTheOutputDocumentEditorsAndFollowsTheAFBlock) {
    Include("0002");
    Type("CDTIPOOPER", "01");
    form->Header().SetCurrentType("01");
    lookups_->Execute("DELETE FROM INVENTARIO");
    EXPECT_EQ(Run([&] { form->Header().panExit(); }), "Blq_NF_CMP");
    EXPECT_TRUE(form->ui.dbeCdTipoOper->Enabled()); // refused before the panel was fixed

    Include();
    Type("CDTIPOOPER", "01");
    form->Header().SetCurrentType("01");
    EXPECT_EQ(Run([&] { form->Header().panExit(); }), "") << dialogs.Describe();
    EXPECT_EQ(form->ui.dbeSerieSaida->GetColor(), Color::clWhite);
    EXPECT_EQ(form->ui.dbeNumeroSaida->GetDataSource(), form->data.dtsItemNotaFisc);
    EXPECT_EQ(form->ui.ntbChave->PageIndex(), 0);
    EXPECT_FALSE(Cli_dfe11000().boIncluiFiltro);
}

TEST_F(HeaderPanel, ChangingTheTypeWhileIncludingClearsItsNameAndGatesTheSupplierNumber) {
    Include();
    Type("NMTIPOOPER", "Compra para comercialização");
    DefineOperationType("03", {{"IDINFCPFCNPJNF", "N"}});
    form->Header().SetCurrentType("03");
    form->Header().dbeCdTipoOperChange();
    EXPECT_EQ(Row("NMTIPOOPER"), "");
    EXPECT_TRUE(form->ui.dbeNrInsJurNF->Enabled()); // "03" is open while the row is inserted
    DefineOperationType("03", {{"IDINFCPFCNPJNF", "S"}});
    form->Header().dbeCdTipoOperChange();
    EXPECT_FALSE(form->ui.dbeNrInsJurNF->Enabled()); // the type's default supplier is the participant
    EXPECT_FALSE(form->ui.btpFornecedor->Enabled());
}

TEST_F(HeaderPanel, TheInstallmentsPageFollowsTheTypeAndTheBranchParameters) {
    struct Case {
        const char* branch;
        const char* type;
        bool page;
        bool readOnly;
    };
    const Case cases[] = {
        {"0001", "01", true, false},  // installments typed freely
        {"0001", "05", false, false}, // a remittance has none
        {"0002", "07", false, true},  // "M": kept as generated
        {"0003", "01", false, false}, // the branch does not treat installments
    };
    for (const Case& c : cases) {
        Include(c.branch);
        Type("CDTIPOOPER", c.type);
        Run([&] { form->Header().dbeCdTipoOperExit(); });
        const std::string what = std::string(c.branch) + " " + c.type;
        EXPECT_EQ(form->ui.tshVencimento->Enabled(), c.page) << what << "\n" << dialogs.Describe();
        EXPECT_EQ(form->ui.mnuVencimentos->Enabled(), c.page) << what;
        EXPECT_EQ(form->ui.dbgContaPagar->ReadOnly(), c.readOnly) << what;
    }
}

TEST_F(HeaderPanel, TypingCompanyAndTypeAndTabbingOnFixesThemAndShowsTheParticipant) {
    struct Case {
        const char* type;
        int page;
        DBEdit* DBEditOf(TfrmLancNFEntrada& f) const {
            return page == 0 ? f.ui.dbeNrInsJurClie : page == 2 ? f.ui.dbeCdFilial : f.ui.dbeNrInsJurNF;
        }
    };
    const Case cases[] = {{"01", 1}, {"07", 0}, {"08", 2}};
    for (const Case& c : cases) {
        // The previous case left the focus in a participant: the record page is rebuilt hidden, as include
        // does, so no participant rule runs for the new posting before it has one.
        app.Dispatch([&] { form->pgcPadrao.SetActivePage(&form->tshFolhaDados); });
        Include();
        form->pgcPadrao.SetActivePage(&form->tshFormulario);
        for (Control* ctl : std::initializer_list<Control*>{form->ui.dbeCdEmpresa, form->ui.dbeCdTipoOper})
            ctl->SetEnabled(true);
        app.Dispatch([&] { form->ui.dbeCdEmpresa->SetFocus(); });
        Type("CDEMPRESA", "1");
        dialogs.ClearRecords();
        app.PressKey(key::Tab);
        ASSERT_EQ(form->ActiveControl(), form->ui.dbeCdTipoOper) << c.type << "\n" << dialogs.Describe();
        EXPECT_EQ(Row("NMRAZSOCEMPR"), "Quilmar Distribuidora de Alimentos Ltda");
        Type("CDTIPOOPER", c.type);
        app.PressKey(key::Tab);
        EXPECT_EQ(dialogs.Errors().size(), 0u) << c.type << "\n" << dialogs.Describe();
        EXPECT_EQ(form->ui.nbkDestino->PageIndex(), c.page) << c.type;
        EXPECT_EQ(form->ActiveControl(), c.DBEditOf(*form)) << c.type;
        EXPECT_FALSE(form->ui.dbeCdEmpresa->Enabled()) << c.type;
        EXPECT_FALSE(form->ui.dbeCdTipoOper->Enabled()) << c.type;
        EXPECT_EQ(Header("CDTIPOOPER"), c.type);
        EXPECT_EQ(Header("CDINSCESTA"), "110042490114");
    }
}

} // namespace
} // namespace dfe::dfe11000
