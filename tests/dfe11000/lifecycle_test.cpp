#include "module_fixture.h"

#include "dfe11000/module/caption_group_box.h"
#include "support/keep_connected.h"

namespace dfe::dfe11000 {
namespace {

using Lifecycle = testing::ModuleTest;

TEST_F(Lifecycle, TheFormAsDesignedShowsTheHostBranch) {
    TfrmLancNFEntrada& form = Open();
    EXPECT_EQ(form.Caption(), "Lançamento de Notas Fiscais");
    EXPECT_EQ(form.lblCodTela.Caption(), "DFE11000");
    EXPECT_EQ(form.Width(), 663);
    EXPECT_EQ(form.Height(), 984 - 107);
    EXPECT_EQ(form.HelpContext(), 10811000);
    EXPECT_EQ(form.GetFormStyle(), FormStyle::MdiChild);
    EXPECT_EQ(form.ui.medCdFilial->Text(), "0001");
    EXPECT_EQ(form.ui.edtNmFilial->Text(), "Matriz São Paulo");
    EXPECT_EQ(form.ActiveControl(), form.ui.medCdFilial);
    EXPECT_TRUE(form.ui.medCdFilial->Enabled());
    EXPECT_FALSE(form.tshFormulario.Enabled());
    EXPECT_FALSE(form.data.dtsRomaneioNF->Enabled());
    EXPECT_EQ(form.ui.grbDAE->Top(), 1161);
    EXPECT_EQ(form.ui.grbFornecedor->Caption(), " Fornecedor ");
    EXPECT_TRUE(form.data.cdsImpImpoXML.Active());
    EXPECT_EQ(Calls("GetImpImpo"), 1);
    EXPECT_TRUE(app.MsgEventForm() != nullptr);
    EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
}

TEST_F(Lifecycle, TheCreatorReusesTheFormUntilItClosesThenCreatesItAgain) {
    TfrmLancNFEntrada& first = Open();
    EXPECT_EQ(&Open(), &first);
    EXPECT_TRUE(Cli_dfe11000().boIdCriado);
    EXPECT_EQ(Calls("GetImpImpo"), 1); // showing a form already shown runs nothing again

    app.Dispatch([&] { first.Close(); });
    EXPECT_FALSE(Cli_dfe11000().boIdCriado);
    EXPECT_EQ(Cli_dfe11000().frmLancNFEntrada, nullptr);
    EXPECT_EQ(app.FindForm("frmLancNFEntrada"), nullptr);
    EXPECT_TRUE(app.MsgEventForm() == nullptr);

    TfrmLancNFEntrada& second = Open();
    EXPECT_EQ(second.ui.medCdFilial->Text(), "0001");
    EXPECT_TRUE(Cli_dfe11000().boIdCriado);
    EXPECT_EQ(Calls("GetImpImpo"), 2);
}

TEST_F(Lifecycle, TheFiveConnectionsStayOpenWhileTheFormLivesWhenKeptConnected) {
    for (bool keep : {true, false}) {
        support::SetKeepConnected(keep);
        TfrmLancNFEntrada& form = Open();
        EXPECT_EQ(form.server.References().Count(net::kLancNFEntrada), keep ? 1 : 0) << keep;
        EXPECT_EQ(form.server.netEstoque.Connected(), keep) << keep;
        EXPECT_FALSE(form.server.netSituacao.Connected());
        form.Parameters().GetParamGeral();
        EXPECT_EQ(form.server.References().Count(net::kLancNFEntrada), keep ? 1 : 0) << keep;
        EXPECT_EQ(form.server.netLancNFEntrada.Connected(), keep) << keep;
        app.Dispatch([&] { form.Close(); });
    }
    support::SetKeepConnected(true);
}

TEST_F(Lifecycle, OnASmallScreenTheFormIsMaximized) {
    app.SetScreenSize(640, 480);
    TfrmLancNFEntrada& form = Open();
    EXPECT_EQ(form.GetWindowState(), WindowState::Maximized);
}

TEST_F(Lifecycle, ClosingWhileAPostingIsTypedAsksBeforeDiscardingIt) {
    TfrmLancNFEntrada& form = Open();
    testing::PrepareRecordPage(form);
    form.data.cdsNotaFiscal.Append();
    form.data.cdsNotaFiscal.FieldByName("NRNOTAFISC").SetAsString("123");

    dialogs.ExpectQuestion("Canc_Fech").Answer(mr::No);
    app.Dispatch([&] { form.Close(); });
    ASSERT_EQ(Cli_dfe11000().frmLancNFEntrada, &form);
    EXPECT_EQ(form.data.cdsNotaFiscal.State(), DataSetState::Insert);
    EXPECT_EQ(form.data.cdsNotaFiscal.FieldByName("NRNOTAFISC").AsString(), "123");

    dialogs.ExpectQuestion("Canc_Fech").Answer(mr::Yes);
    app.Dispatch([&] { form.Close(); });
    EXPECT_EQ(Cli_dfe11000().frmLancNFEntrada, nullptr);
}

TEST_F(Lifecycle, AFixedBranchLoadsItsParametersAndClosesWhenTheFilterIsNotConfirmed) {
    support::zymora::LocalContext().fixedBranch = true;
    support::zymora::LocalContext().branch = "0002";
    dialogs.ExpectModal("frmFiltroNFEntrada").Cancel();
    app.Dispatch([] { ShowPostingForm(); });
    EXPECT_EQ(Calls("GetParamDFE"), 1);
    EXPECT_EQ(Calls("GetImpFili"), 1);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_EQ(Cli_dfe11000().frmLancNFEntrada, nullptr);
    EXPECT_FALSE(Cli_dfe11000().boIdCriado);
}

TEST_F(Lifecycle, ABranchChosenByTheClerkIsCheckedAndShowsItsName) {
    TfrmLancNFEntrada& form = Open();
    struct Case {
        const char* typed;
        const char* code;  // message expected, empty when accepted
        const char* shown; // branch left in the edit
        const char* name;
    };
    const Case cases[] = {
        {"2", "", "0002", "Filial Campinas"},
        {"9", "Filial_Cad", "0009", ""},
    };
    for (const Case& c : cases) {
        dialogs.ClearRecords();
        app.Dispatch([&] {
            form.ui.medCdFilial->SetText(c.typed);
            form.Header().Vd_Filial(false);
        });
        EXPECT_EQ(form.ui.medCdFilial->Text(), c.shown) << c.typed;
        EXPECT_EQ(form.ui.edtNmFilial->Text(), c.name) << c.typed;
        if (*c.code) {
            EXPECT_TRUE(dialogs.Shown(c.code)) << c.typed;
        } else {
            EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
        }
    }
    dialogs.ClearRecords();
    app.Dispatch([&] {
        form.ui.medCdFilial->SetText("");
        form.Header().Vd_Filial(true);
    });
    EXPECT_TRUE(dialogs.Shown("Filial_Inf"));
}

TEST_F(Lifecycle, AnOperatorNotRelatedToTheBranchIsRefused) {
    support::zymora::LocalContext().operatorCode = "RLIMA";
    TfrmLancNFEntrada& form = Open();
    app.Dispatch([&] { form.Header().Vd_OperadorRelac(); });
    EXPECT_TRUE(dialogs.Shown("Oper_N_Relac"));
    dialogs.ClearRecords();
    form.ui.medCdFilial->SetText("0002");
    app.Dispatch([&] { form.Header().Vd_OperadorRelac(); });
    EXPECT_FALSE(dialogs.Shown("Oper_N_Relac"));
}

TEST_F(Lifecycle, F12GoesToTheBranchUnlessAPostingIsEdited) {
    TfrmLancNFEntrada& form = Open();
    testing::PrepareRecordPage(form);
    form.data.cdsNotaFiscal.Edit();
    int key = key::F12;
    form.Keys().FormKeyDown(key, {});
    EXPECT_EQ(form.ActiveControl(), form.ui.dbeCdInscEsta); // where it was
    form.data.cdsNotaFiscal.Cancel();
    form.Keys().FormKeyDown(key, {});
    EXPECT_EQ(form.ActiveControl(), form.ui.medCdFilial);
    // Back in the branch panel, the record page waits for the branch to be left again.
    EXPECT_FALSE(form.tshFormulario.Enabled());
}

TEST(CaptionGroupBox, BlanksAreEnsuredOnBothSides) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {{"", ""},
                          {" Fornecedor ", " Fornecedor "},
                          {"Encargos", " Encargos "},
                          {" Encargos", " Encargos "},
                          {"Encargos ", " Encargos "},
                          {" ", " "}};
    for (const Case& c : cases)
        EXPECT_EQ(CaptionGroupBox(c.in), c.out) << "'" << c.in << "'";
}

} // namespace
} // namespace dfe::dfe11000
