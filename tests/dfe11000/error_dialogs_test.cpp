#include "header_fixture.h"

#include "dfe11000/closing/error_list.h"
#include "dfe11000/dialogs/erros_rules.h"
#include "dfe11000/dialogs/frm_erros.h"
#include "dfe11000/dialogs/frm_imp_obrig.h"
#include "dfe11000/dialogs/frm_vis_erro_lanc_entr.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "platform/ui/layout_check.h"

#include <functional>
#include <vector>

namespace dfe::dfe11000 {
namespace {

constexpr const char* kQuantityWarning =
    "(Aviso) Quantidade de produto informada difere da quantidade prevista na AF.";

// A posting being included whose closing failed with the given rows; the error dialog is shown over it.
class ErrorDialog : public testing::HeaderTest {
protected:
    using Inside = std::function<void(TfrmErros&)>;

    void SetUp() override {
        HeaderTest::SetUp();
        Include();
    }

    // The branch's parameters the dialog reads.
    void Parameters(const char* negativeStock, const char* returns) {
        DataSet& p = form->data.cdsParamDFE;
        p.Edit();
        p.FieldByName("IDPERMESTNEG").SetAsString(negativeStock);
        p.FieldByName("IDGERANFDEVO").SetAsString(returns);
        p.Post();
    }

    void Failed(const std::vector<std::pair<std::string, std::string>>& rows) {
        DataSet& ds = form->data.cdsErrosFech;
        ds.EmptyOrCreateDataSet();
        for (const auto& [code, object] : rows) {
            ds.Append();
            ds.FieldByName("CDERRO").SetAsString(code);
            ds.FieldByName("CDOBJETO").SetAsString(object);
            ds.Post();
        }
        app.Dispatch([&] { form->Errors().MontaErrosVisual(); });
    }

    void WithAFLinks(bool linked) {
        DataSet& links = form->data.cdsNFRelacAF;
        links.EmptyOrCreateDataSet();
        if (!linked) return;
        links.Append();
        links.FieldByName("CDFILIAL").SetAsString("0001");
        links.Post();
    }

    // Shows the dialog through the command; `inside` runs while it is up, and the clerk then closes it with
    // the window's close box unless `inside` ended it.
    std::string Show(const Inside& inside) {
        std::string answer;
        dialogs.ExpectModal("frmErros")
            .Do([&](Form& f) {
                auto& d = static_cast<TfrmErros&>(f);
                inside(d);
                if (d.ModalResult() == mr::None) d.Close();
            })
            .Cancel();
        app.Dispatch([&] { answer = CriaErros(*form); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
        return answer;
    }

    struct Buttons {
        bool close, giveBack, writeOff, writeOffShown, consistShown;
        bool operator==(const Buttons&) const = default;
    };
    static Buttons Of(const TfrmErros& d) {
        return {d.bbtOK.Enabled(), d.bbtDevolucao->Enabled(), d.sbtBaixaTotalAF->Enabled(),
                d.sbtBaixaTotalAF->Visible(), d.bbtConsistirAF->Visible()};
    }
};

TEST_F(ErrorDialog, ShowsTheVisibleListAsDesigned) {
    Parameters("N", "N");
    Failed({{"OCORR_ERRO", ""}, {"1ICMS", "F003ICMS"}, {"DFE11000_7", ""}});
    Show([&](TfrmErros& d) {
        EXPECT_EQ(d.Caption(), "Erros no Fechamento da Nota Fiscal");
        EXPECT_EQ(d.lblCodTela.Caption(), "Dfe11100");
        EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
        EXPECT_EQ(d.bbtOK.Caption(), "&Fechar NF");
        EXPECT_EQ(d.bbtCancelar.Caption(), "&Cancelar");
        EXPECT_EQ(d.bbtVisualiza->Caption(), "&Visualizar");
        EXPECT_EQ(d.bbtConsistirAF->Caption(), "&Consistir AF");
        EXPECT_EQ(d.sbtBaixaTotalAF->Caption(), "&Baixa Total ");
        EXPECT_EQ(d.bbtDevolucao->Caption(), "&Devolução");
        ASSERT_EQ(d.dbgErros->ColumnCount(), 1);
        EXPECT_EQ(d.dbgErros->Column(0).FieldName(), "DSERRO");
        EXPECT_TRUE(d.dbgErros->ReadOnly());
        EXPECT_EQ(d.dbgErros->Options() & grid_option::Titles, 0);
        DataSet& list = form->data.cdsErrosVisual;
        list.First();
        EXPECT_EQ(list.FieldByName("DSERRO").DisplayText(),
                  "Total do imposto ICMS difere da soma dos itens.");
        // Shown once, the command shows them again.
        EXPECT_TRUE(form->ui.sbtErros->Enabled());
        EXPECT_TRUE(form->ui.mnuErros->Enabled());
    });
}

// Which answers the clerk may accept, by the closing's rows and the branch's parameters.
TEST_F(ErrorDialog, TheButtonsFollowTheRowsAndTheParameters) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> rows;
        const char *negativeStock, *returns;
        bool linked;
        Buttons expected;
    } cases[] = {
        {"warnings only", {{"DFE11000_7", ""}}, "N", "N", true, {true, false, true, true, true}},
        {"AF quantity warning, returns allowed",
         {{"DFE11000_7", ""}, {"AVISO", kQuantityWarning}},
         "N",
         "S",
         true,
         {true, true, true, true, true}},
        {"AF quantity warning, returns not allowed",
         {{"AVISO", kQuantityWarning}},
         "N",
         "N",
         true,
         {true, false, true, true, true}},
        {"no AF relation", {{"DFE11000_7", ""}}, "N", "N", false, {true, false, true, false, false}},
        {"irregular stock not allowed",
         {{"LIB00200_3", "0000000001"}},
         "N",
         "S",
         true,
         {false, false, false, true, true}},
        {"irregular stock allowed",
         {{"LIB00200_3", "0000000001"}},
         "S",
         "N",
         true,
         {true, false, true, true, true}},
        {"implantation total", {{"LIB00200_4", "T"}}, "S", "N", true, {false, false, false, true, true}},
        {"implantation partial", {{"lib00200_4", "P"}}, "N", "N", true, {true, false, true, true, true}},
        {"implantation total, irregular allowed",
         {{"LIB00200_4", "T"}, {"LIB00200_3", "0000000001"}},
         "S",
         "N",
         true,
         {false, false, false, true, true}},
        {"blocking row, AF warning",
         {{"ITSEMAF", "3"}, {"AVISO", kQuantityWarning}},
         "S",
         "S",
         true,
         {false, false, false, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Parameters(c.negativeStock, c.returns);
        WithAFLinks(c.linked);
        Failed(c.rows);
        Show([&](TfrmErros& d) { EXPECT_EQ(Of(d), c.expected); });
    }
}

TEST_F(ErrorDialog, EveryBlockingRowDisablesClosing) {
    Parameters("S", "S");
    WithAFLinks(true);
    for (const char* code : {"DFE11000_2", "DFE11000_3", "DFE11000_5", "DFE11000_6", "ORC1", "ORC2",
                             "PESO_LIQ", "BLOQ_REPE", "SEMIMPOBRI", "CSTINVALID", "CSTVRIMP", "1CFOPINV",
                             "CSTICMSST", "TERCEEMPTY", "BloqIgual", "NFCREDST", "ITSEMAF"}) {
        SCOPED_TRACE(code);
        Failed({{"DFE11000_7", ""}, {code, "0001"}});
        Show([&](TfrmErros& d) {
            EXPECT_FALSE(d.bbtOK.Enabled());
            EXPECT_FALSE(d.sbtBaixaTotalAF->Enabled());
        });
    }
}

// What each closing button sends with the next closing run.
TEST_F(ErrorDialog, ClosingAgainSendsTheAcceptedReleaseCodes) {
    using Click = std::function<void(TfrmErros&)>;
    const Click ok = [&](TfrmErros& d) { app.Click(d.bbtOK); };
    const Click giveBack = [&](TfrmErros& d) { app.Click(*d.bbtDevolucao); };
    const Click writeOff = [&](TfrmErros& d) { app.Click(*d.sbtBaixaTotalAF); };
    const struct {
        const char* name;
        const char* negativeStock;
        std::vector<std::pair<std::string, std::string>> rows;
        Click click;
        const char* codes;
        bool giveBackFlag, writeOffFlag;
    } cases[] = {
        {"close", "N", {{"DFE11000_7", ""}}, ok, "#DFE11000_1##LIB00200_2#", false, false},
        {"close, negative stock",
         "S",
         {{"LIB00200_3", "1"}},
         ok,
         "#DFE11000_1##LIB00200_2#LIB00200_3#",
         false,
         false},
        {"close, budget alert",
         "N",
         {{"ORC4", "0001"}},
         ok,
         "#DFE11000_1##LIB00200_2#LIB00600_1#",
         false,
         false},
        {"close, all",
         "S",
         {{"ORC3", "0001"}},
         ok,
         "#DFE11000_1##LIB00200_2#LIB00200_3#LIB00600_1#",
         false,
         false},
        {"return", "N", {{"AVISO", kQuantityWarning}}, giveBack, "#DFE11000_1##LIB00200_2#", true, false},
        {"write-off", "N", {{"ORC3", "0001"}}, writeOff, "#DFE11000_1#", false, true},
        {"write-off, negative stock",
         "S",
         {{"DFE11000_7", ""}},
         writeOff,
         "#DFE11000_1#LIB00200_3#",
         false,
         true},
    };
    WithAFLinks(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Parameters(c.negativeStock, "S");
        Failed(c.rows);
        form->closingFlags = ClosingFlags{};
        form->closingFlags.stErrosExibidos = "S";
        form->data.cdsNotaFiscal.Cancel();
        EXPECT_EQ(Show(c.click), "F");
        EXPECT_EQ(form->closingFlags.chResultErros, "F");
        EXPECT_EQ(form->closingFlags.stCodLibFech, c.codes);
        EXPECT_EQ(form->closingFlags.boGeraDevolucao, c.giveBackFlag);
        EXPECT_EQ(form->closingFlags.boBaixaTotalAF, c.writeOffFlag);
        // The write-off keeps what the dialog was shown as.
        EXPECT_EQ(form->closingFlags.stErrosExibidos, c.writeOffFlag ? "S" : "N");
        EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    }
}

TEST_F(ErrorDialog, ADisabledCloseSendsNothing) {
    Parameters("N", "N");
    Failed({{"ITSEMAF", "3"}});
    EXPECT_EQ(Show([&](TfrmErros& d) { d.Rules().bbtOKClick(); }), "C");
    EXPECT_EQ(form->closingFlags.chResultErros, "");
}

// The close box cancels as the button does: the posting's edit is cancelled.
TEST_F(ErrorDialog, CancelAndTheCloseBoxCancelThePosting) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox);
        Include();
        Failed({{"DFE11000_7", ""}});
        EXPECT_EQ(Show([&](TfrmErros& d) {
                      if (!closeBox) app.Click(d.bbtCancelar);
                  }),
                  "C");
        EXPECT_FALSE(InEdit(form->data.cdsNotaFiscal));
        EXPECT_FALSE(form->closingFlags.boAvisaOcorrencia);
        EXPECT_EQ(form->closingFlags.stOfereceRateio, "N");
        EXPECT_EQ(form->closingFlags.chResultErros, "");
    }
}

TEST_F(ErrorDialog, ViewGoesToTheErrorsPlace) {
    Failed({{"DFE11000_4", ""}, {"DFE11000_7", ""}});
    form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    EXPECT_EQ(Show([&](TfrmErros& d) {
                  form->data.cdsErrosVisual.Last();
                  d.dbgErros->OnDblClick(*d.dbgErros);
              }),
              "V");
    EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFormulario);
    EXPECT_EQ(form->ActiveControl(), form->ui.dbdEntrSaid);
    EXPECT_EQ(Cli_dfe11000().stErroFech, "S");
    EXPECT_FALSE(form->closingFlags.boAvisaOcorrencia);
    EXPECT_TRUE(InEdit(form->data.cdsNotaFiscal));
}

TEST_F(ErrorDialog, TheCommandRunsWhatTheDialogAnswered) {
    WithAFLinks(true);
    Failed({{"DFE11000_7", ""}});
    // The AF consistency report is not built yet: the clerk is told so.
    dialogs.ExpectModal("frmErros").Do([&](Form& f) {
        app.Click(*static_cast<TfrmErros&>(f).bbtConsistirAF);
    });
    app.Dispatch([&] { form->Errors().mnuErrosLancClick(); });
    EXPECT_TRUE(dialogs.Shown(kNotAvailableCode));
    EXPECT_EQ(form->closingFlags.stErrosExibidos, "S");
    EXPECT_FALSE(form->closingFlags.boAvisaOcorrencia);

    // Closing again runs the closing with the accepted codes.
    dialogs.ClearRecords();
    dialogs.ExpectModal("frmErros").Do([&](Form& f) { app.Click(static_cast<TfrmErros&>(f).bbtOK); });
    app.Dispatch([&] { form->Errors().mnuErrosLancClick(); });
    EXPECT_EQ(form->closingFlags.chResultErros, "F");
    // The closing ran again: its first check refuses this bare posting's company.
    ASSERT_FALSE(dialogs.Errors().empty());
    EXPECT_EQ(dialogs.Errors().back().code, "Empr_Inf");

    // An empty list shows nothing.
    form->Errors().ClearLists();
    dialogs.ClearRecords();
    app.Dispatch([&] { form->Errors().mnuErrosLancClick(); });
    EXPECT_TRUE(dialogs.Records().empty());

    // The button works only while enabled, and leaves the screen's flag as it was.
    form->ui.sbtErros->SetEnabled(false);
    app.Dispatch([&] { form->Errors().sbtErrosClick(); });
    EXPECT_TRUE(dialogs.Records().empty());
    EXPECT_TRUE(Cli_dfe11000().boAlteraNF);
}

TEST_F(ErrorDialog, TheItemViewListsWhatTheClosingSaidAboutTheProduct) {
    DataSet& rows = form->data.cdsErrosFech;
    const std::pair<const char*, const char*> answer[] = {
        {"LIB00200_3", "0000000001"}, {"EST11000_2", "0000000001"}, {"EST11000_2", "0000000002"},
        {"DFE11000_2", "0001"},       {"DFE11000_2", "0002"},       {"DFE11000_7", "0000000001"}};
    rows.EmptyOrCreateDataSet();
    for (const auto& [code, object] : answer) {
        rows.Append();
        rows.FieldByName("CDERRO").SetAsString(code);
        rows.FieldByName("CDOBJETO").SetAsString(object);
        rows.Post();
    }
    const auto lines = [&](const std::string& kind, const std::string& product) {
        std::vector<std::string> shown;
        dialogs.ExpectModal("frmVisErroLancEntr").Do([&](Form& f) {
            auto& d = static_cast<TfrmVisErroLancEntr&>(f);
            EXPECT_EQ(d.Caption(), "Visualização dos Erros");
            EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
            for (d.cdsErros.First(); !d.cdsErros.Eof(); d.cdsErros.Next())
                shown.push_back(d.cdsErros.FieldByName("DSERRO").AsString());
            d.Close();
        });
        app.Dispatch([&] { CriaVisErroLancEntr(*form, kind, product); });
        return shown;
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(
        lines("I", "0000000001"),
        (Lines{
            "A confirmação da operação fará com que a posição de estoque deste produto se torne irregular.",
            "O produto encontra-se inativo para a filial."}));
    EXPECT_EQ(lines("I", "0000000003"), Lines{});
    EXPECT_EQ(lines("L", ""), Lines{"Documento informado já cadastrado."});

    // The menu shows the current item's product.
    testing::AddLoadedItem(form->data.cdsItemProduto,
                           {{"NRSEQITPROD", Variant("1")}, {"CDPRODUTO", Variant("0000000002")}});
    dialogs.ExpectModal("frmVisErroLancEntr").Do([&](Form& f) {
        auto& d = static_cast<TfrmVisErroLancEntr&>(f);
        EXPECT_EQ(d.stTipoErro, "I");
        EXPECT_EQ(d.stCdProduto, "0000000002");
        EXPECT_EQ(d.cdsErros.RecordCount(), 1);
        d.Close();
    });
    app.Dispatch([&] { app.Click(*form->ui.mnuErrosItem); });
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

// What a generation dialog hands over decides the list's data, caption and columns.
TEST_F(ErrorDialog, TheGenerationErrorListShowsWhatStoppedTheGeneration) {
    DataSet untaxed("cdsSemImpObrig");
    untaxed.CreateDataSet(
        {FieldDef{"CDARVPROD", FieldType::String, 20}, FieldDef{"stImpostos", FieldType::String, 200}});
    untaxed.Append();
    untaxed.FieldByName("CDARVPROD").SetAsString("1.01.001");
    untaxed.FieldByName("stImpostos").SetAsString("ICMS, IPI");
    untaxed.Post();
    DataSet errors("cdsErros");
    errors.CreateDataSet(
        {FieldDef{"CDERRO", FieldType::String, 20}, FieldDef{"CDOBJETO2", FieldType::String, 20}});
    for (const auto& [code, product] : {std::pair{"F001", "1.01.001"}, std::pair{"F999", "1.01.002"}}) {
        errors.Append();
        errors.FieldByName("CDERRO").SetAsString(code);
        errors.FieldByName("CDOBJETO2").SetAsString(product);
        errors.Post();
    }
    const struct {
        ImpObrigArgs args;
        const char *caption, *field0, *title0;
        int width0;
        bool second;
        int width1;
        const DataSet* shown;
    } cases[] = {
        {{"IMPOBRIG", false, &untaxed, &errors},
         "Produtos sem Impostos",
         "CDARVPROD",
         "Produto",
         85,
         true,
         350,
         &untaxed},
        {{"LISTA_PR", true, &untaxed, &errors},
         "Produtos sem Preço",
         "CDARVPROD",
         "Produto",
         85,
         true,
         370,
         &untaxed},
        {{"PROD_OL", true, &untaxed, &errors},
         "Produtos sem Relacionamento",
         "CDARVPROD",
         "Produto",
         85,
         true,
         370,
         &untaxed},
        {{"IrreEsto", false, &untaxed, &errors},
         "Produtos com Irregularidades no Estoque",
         "CDOBJETO2",
         "Produto",
         400,
         false,
         0,
         &errors},
        // Only the outgoing dialog lists products without price: the incoming one's kind is its errors.
        {{"LISTA_PR", false, &untaxed, &errors},
         "Erros e Avisos",
         "DESCRICAO",
         "Descrição",
         400,
         false,
         0,
         nullptr},
        {{"ErroAvis", false, &untaxed, &errors},
         "Erros e Avisos",
         "DESCRICAO",
         "Descrição",
         400,
         false,
         0,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.kind + (c.args.outgoing ? " outgoing" : ""));
        dialogs.ExpectModal("frmImpObrig").Do([&](Form& f) {
            auto& d = static_cast<TfrmImpObrig&>(f);
            EXPECT_EQ(d.Caption(), c.caption);
            EXPECT_EQ(LayoutFaults(d), std::vector<std::string>{});
            GridColumn& first = d.dbgImposObrig->Column(0);
            EXPECT_EQ(first.FieldName(), c.field0);
            EXPECT_EQ(first.Title(), c.title0);
            EXPECT_EQ(first.Width(), c.width0);
            EXPECT_EQ(d.dbgImposObrig->Column(1).Visible(), c.second);
            if (c.second) {
                EXPECT_EQ(d.dbgImposObrig->Column(1).Width(), c.width1);
            }
            if (c.shown) {
                EXPECT_EQ(d.dtsImposObrig.GetDataSet(), c.shown);
            } else {
                ASSERT_EQ(d.dtsImposObrig.GetDataSet(), &d.cdsErrosAvisos);
                ASSERT_EQ(d.cdsErrosAvisos.RecordCount(), 2);
                d.cdsErrosAvisos.First();
                EXPECT_EQ(d.cdsErrosAvisos.FieldByName("DESCRICAO").AsString(),
                          "Soma dos itens difere do valor dos produtos da nota fiscal.");
                d.cdsErrosAvisos.Next();
                EXPECT_EQ(d.cdsErrosAvisos.FieldByName("DESCRICAO").AsString(), "");
            }
            d.Close();
        });
        app.Dispatch([&] { CriaImpObrig(app, c.args); });
        EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    }
}

} // namespace
} // namespace dfe::dfe11000
