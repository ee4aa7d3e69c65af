#include "header_fixture.h"

#include "dfe11000/closing/error_list.h"
#include "dfe11000/module/pending.h"
#include "platform/core/text.h"

#include <vector>

namespace dfe::dfe11000 {
namespace {

// The posting screen on its record page with a posting being included; the closing's answer rows are put in
// place by hand, as the closing run loads them.
class ErrorList : public testing::HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        Include();
    }

    void Rows(const std::vector<ClosingRow>& rows) {
        DataSet& ds = form->data.cdsErrosFech;
        ds.EmptyOrCreateDataSet();
        for (const ClosingRow& r : rows) {
            ds.Append();
            ds.FieldByName("CDERRO").SetAsString(r.code);
            ds.FieldByName("CDOBJETO").SetAsString(r.object);
            ds.FieldByName("CDOBJETO2").SetAsString(r.object2);
            ds.FieldByName("CDOBJETO3").SetAsString(r.object3);
            ds.FieldByName("CDOBJETO4").SetAsString(r.object4);
            ds.FieldByName("CDOBJETO5").SetAsFloat(r.value);
            ds.Post();
        }
        ds.First();
    }

    // Builds the visible list; the code of the stop it showed, if any.
    std::string Build(const std::vector<ClosingRow>& rows) {
        Rows(rows);
        return Run([&] { form->Errors().MontaErrosVisual(); });
    }

    struct Visible {
        std::string position, stored, shown;
        bool operator==(const Visible&) const = default;
    };
    std::vector<Visible> VisibleRows() {
        std::vector<Visible> out;
        DataSet& ds = form->data.cdsErrosVisual;
        for (ds.First(); !ds.Eof(); ds.Next())
            out.push_back({ds.FieldByName("CDERRO").AsString(), ds.FieldByName("DSERRO").AsString(),
                           ds.FieldByName("DSERRO").DisplayText()});
        return out;
    }
    std::vector<std::string> Irregular() {
        std::vector<std::string> out;
        DataSet& ds = form->data.cdsProdIrreg;
        for (ds.First(); !ds.Eof(); ds.Next())
            out.push_back(ds.FieldByName("CDPRODUTO").AsString());
        return out;
    }
    std::string Msg(const char* code) const { return form->msgPadrao.Msg(code); }
    std::string Msg2(const char* code) const { return form->msgPadrao2.Msg(code); }
};

TEST_F(ErrorList, TheClosingsRowsBecomeTheVisibleListInTheirOrder) {
    EXPECT_EQ(Build({{"OCORR_ERRO"},
                     {"LIB00200_3", "0000000001"},
                     {"DFE11000_4"},
                     {"LIB00200_3", "0000000002"},
                     {"1ICMS", "F003ICMS"},
                     {"2TOT", "Texto livre"},
                     {"NFCREDST", "0001", "0000000055", "05/12/2026"}}),
              "");
    const std::string credit = Msg2("NFRefMsg") + " NF: 0000000055 Filial: 0001 Data Entrada: 05/12/2026.";
    const std::vector<Visible> expected = {
        {"5", Msg("Irreg_Prod_Est"), Msg("Irreg_Prod_Est")},
        {"0", Msg("Serie_NCad"), Msg("Serie_NCad")},
        {"1", "F003", "Total do imposto ICMS difere da soma dos itens."},
        // Not a fiscal message code: shown as stored.
        {"2", "Text", "Text"},
        {"N", "0001", "0001"},
        {"8", credit, credit},
    };
    EXPECT_EQ(VisibleRows(), expected);
    EXPECT_EQ(form->data.cdsErrosVisual.FieldByName("SGIMPOSTO").AsString(), "");
    EXPECT_EQ(Irregular(), (std::vector<std::string>{"0000000001", "0000000002"}));
    EXPECT_TRUE(form->Errors().ResultErroItem("0000000002"));
    EXPECT_FALSE(form->Errors().ResultErroItem("0000000003"));
    EXPECT_EQ(form->Errors().ResultIrreg(), "#LIB00200_3#");

    form->Errors().ClearLists();
    EXPECT_EQ(form->data.cdsErrosFech.RecordCount(), 0);
    EXPECT_EQ(form->data.cdsErrosVisual.RecordCount(), 0);
    EXPECT_FALSE(form->Errors().ResultErroItem("0000000002"));
    EXPECT_EQ(form->Errors().ResultIrreg(), "0#LIB00200_2#");
}

// A new closing's list never shows the rows of the one before.
TEST_F(ErrorList, EachBuildStartsFromAnEmptyList) {
    Build({{"LIB00200_3", "0000000001"}, {"DFE11000_7"}});
    Build({{"DFE11000_4"}});
    EXPECT_EQ(VisibleRows().size(), 1u);
    EXPECT_TRUE(Irregular().empty());
}

// The list is a message list: a text wider than its column is cut there, never refused.
TEST_F(ErrorList, ALongServerTextIsCutToTheColumn) {
    const std::string charge(250, 'x');
    EXPECT_EQ(Build({{"Enc_XML", charge}, {"9TAX", "F003" + std::string(20, 'I')}}), "");
    const std::vector<Visible> rows = VisibleRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(text::Length(rows[0].stored), 250u);
    form->data.cdsErrosVisual.Last();
    EXPECT_EQ(form->data.cdsErrosVisual.FieldByName("SGIMPOSTO").AsString(), std::string(10, 'I'));
}

TEST_F(ErrorList, AStopShowsItsMessageAndLeavesTheRestUnread) {
    const struct {
        std::vector<ClosingRow> rows;
        const char* code;
        size_t listed;
    } cases[] = {
        {{{"DFE11000_4"}, {"NSaida"}, {"DFE11000_7"}}, "NSaida", 1},
        {{{"DFE11000_4"}, {"REMRELAC", "0002", "31", "01/12/2026"}, {"DFE11000_7"}}, "REMRELAC", 1},
        // The closing-run rows are read before the stop that follows them in the same row.
        {{{"SEMIMPOSTO", "F001"}, {"DFE11000_7"}}, "Sem_Imposto", 1},
        {{{"RECESTOQUE"}, {"DFE11000_7"}}, "Indice_Fin", 1},
        {{{"BloqLimit", "Sem_Grupo"}}, "BloqLimit", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(Build(c.rows), c.code);
        EXPECT_EQ(VisibleRows().size(), c.listed);
    }
    EXPECT_EQ(dialogs.Errors().back().text,
              "Operação bloqueada! Fornecedor sem grupo de limite de compras cadastrado.");
}

TEST_F(ErrorList, OverTheSuppliersLimitTheClerkMayCloseWithoutIt) {
    ModuleState& state = Cli_dfe11000();
    dialogs.ExpectQuestion("Lim_Ult").Answer(mr::No);
    EXPECT_EQ(Build({{"BloqLimit", "GRUPO1"}, {"DFE11000_7"}}), "");
    EXPECT_EQ(state.stLimitForn, "S");
    EXPECT_FALSE(dialogs.Shown(kNotAvailableCode));
    EXPECT_EQ(VisibleRows().size(), 1u) << "the rows after the question are not read";

    // Yes closes again from the start, without the limit (its first check refuses this bare posting's
    // company); this run ends with it.
    dialogs.ExpectQuestion("Lim_Ult").Answer(mr::Yes);
    EXPECT_EQ(Build({{"BloqLimit", "GRUPO1"}, {"DFE11000_7"}}), "Empr_Inf");
    EXPECT_EQ(state.stLimitForn, "N");
    EXPECT_EQ(VisibleRows().size(), 1u);
}

TEST_F(ErrorList, TheMonthlyBaseOpensItsModuleAndNoDialog) {
    form->ui.medCdFilial->SetText("0001");
    Build({{"BCMENSAL"}, {"DFE11000_7"}});
    EXPECT_TRUE(form->closingFlags.boBaseMensal);
    // No host here: the clerk is told the module cannot be opened.
    EXPECT_TRUE(dialogs.Shown("O módulo Ger41300 não está disponível fora do Quilmar."));
    EXPECT_EQ(VisibleRows().size(), 1u);
    app.Dispatch([&] { form->Errors().mnuErrosLancClick(); }); // no dialog is asked for
    EXPECT_EQ(form->closingFlags.stErrosExibidos, "N");
}

TEST_F(ErrorList, OnlyAFailedClosingHasErrors) {
    const struct {
        std::vector<ClosingRow> rows;
        bool failed;
    } cases[] = {
        {{}, false},
        {{{"AVISO_ERRO", "ITEMPRODUTO"}, {"NRLANCTONF", "0000000009"}}, false},
        {{{"DFE11000_4"}, {"OCORR_ERRO"}}, true},
        {{{"ocorr_erro"}}, true},
    };
    for (const auto& c : cases) {
        Rows(c.rows);
        EXPECT_EQ(form->Errors().Existe_Erro(), c.failed) << c.rows.size();
    }
}

TEST_F(ErrorList, AnUnexpectedServerFailureIsShownWithItsDetailAndAbandons) {
    Rows({{"OCORR_ERRO"}, {"ERROOUTRO", "deadlock detected"}});
    bool answered = false;
    dialogs.ClearRecords();
    app.Dispatch([&] {
        form->Errors().Existe_Erro();
        answered = true;
    });
    EXPECT_FALSE(answered);
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_EQ(dialogs.Errors()[0].text,
              "Ocorreu um erro inesperado na tentativa de Fechamento da Nota Fiscal.");
    EXPECT_EQ(dialogs.Errors()[0].detail, "deadlock detected");
}

// The server's warnings go back into the item, its taxes, the totals and the header.
TEST_F(ErrorList, WarningMarksAreWrittenWhereTheyPoint) {
    DataSet& items = form->data.cdsItemProduto;
    for (const char* seq : {"1", "2"})
        testing::AddLoadedItem(items, {{"NRSEQITPROD", Variant(seq)},
                                       {"CDPRODUTO", Variant("000000000" + std::string(seq))},
                                       {"CDARVPROD", Variant("1.01.001")},
                                       {"CDFISOPEITEM", Variant("1102")}});
    form->data.cdsParamDFE.Edit();
    form->data.cdsParamDFE.FieldByName("IDPERVISIMPSCRE").SetAsString("N");
    form->data.cdsParamDFE.Post();
    // Loaded rows: the working tables refuse rows the clerk would add.
    DataSet& taxes = form->data.cdsTrabItProImpos;
    testing::AddLoadedItem(
        taxes,
        {{"NRSEQIMPOIT", Variant("0001")}, {"CDIMPOSTOIT", Variant("01")}, {"CDFISCIMPOIT", Variant("1")}});
    testing::AddLoadedItem(
        taxes,
        {{"NRSEQIMPOIT", Variant("0002")}, {"CDIMPOSTOIT", Variant("01")}, {"CDFISCIMPOIT", Variant("2")}});
    DataSet& totals = form->data.cdsTrabImposNFTot;
    testing::AddLoadedItem(totals, {{"CDIMPOSTOT", Variant("01")}});

    EXPECT_EQ(Build({{"AVISO_ERRO", "ITEMPROCFOP", "2", "", "1403"},
                     {"AVISO_ERRO", "ITEMPRODUTO", "1", "1", "060"},
                     {"AVISO_ERRO", "ITEMPRODUTO", "7", "1", "060"}, // no such item: skipped
                     {"AVISO_ERRO", "TRABITPROIMPOS", "000101", "1", "", 12.5},
                     {"AVISO_ERRO", "TRABITPROIMPOS", "000201", "1", "", 7.25},
                     {"AVISO_ERRO", "TRABIMPOSNFTOT", "01", "1", "2", 19.75},
                     {"NOTAFISCAL", "1.102", "Compra para comercialização"}}),
              "");
    ASSERT_TRUE(items.Locate("NRSEQITPROD", Variant("2")));
    EXPECT_EQ(items.FieldByName("CDFISOPEITEM").AsString(), "1403");
    ASSERT_TRUE(items.Locate("NRSEQITPROD", Variant("1")));
    EXPECT_EQ(items.FieldByName("IDAVISOSITEM").AsString(), "1");
    EXPECT_EQ(items.FieldByName("CDSITUTRIBPR").AsString(), "060");
    EXPECT_EQ(items.FieldByName("CDFISOPEITEM").AsString(), "1102");
    EXPECT_FALSE(Cli_dfe11000().boAtuaNovoCod);

    EXPECT_TRUE(taxes.Filtered()) << "the grid shows the current item's taxes again";
    taxes.SetFiltered(false);
    taxes.First();
    EXPECT_EQ(taxes.FieldByName("IDAVISIMPOIT").AsString(), "1");
    EXPECT_DOUBLE_EQ(taxes.FieldByName("VRIMPOSIT").AsFloat(), 12.5);
    EXPECT_DOUBLE_EQ(taxes.FieldByName("VRIMPOSVISUIT").AsFloat(), 12.5);
    taxes.Next();
    // A credited tax is not shown when the branch says so.
    EXPECT_DOUBLE_EQ(taxes.FieldByName("VRIMPOSIT").AsFloat(), 7.25);
    EXPECT_DOUBLE_EQ(taxes.FieldByName("VRIMPOSVISUIT").AsFloat(), 0.0);

    EXPECT_EQ(totals.FieldByName("IDAVISOSTOT").AsString(), "1");
    EXPECT_EQ(totals.FieldByName("IDERROSTOT").AsString(), "2");
    EXPECT_DOUBLE_EQ(totals.FieldByName("VRIMPOSTOT").AsFloat(), 19.75);

    EXPECT_EQ(Header("CDFISOPENTF"), "1.102");
    EXPECT_EQ(Header("DSCDFISOPENF"), "Compra para comercialização");
    EXPECT_TRUE(VisibleRows().empty());
}

// Each position code takes the clerk to its page and control.
TEST_F(ErrorList, APositionCodeFocusesItsPlace) {
    form->ui.tshVencimento->SetEnabled(true);
    const struct {
        const char* code;
        const char* page;
        const char* focused;
    } cases[] = {
        {"1", "tshFormulario", "dbgItemProImpos"}, {"2", "tshFormulario", "dbgImposNFTot"},
        {"3", "tshFormulario", "dbeVrNotaFisc"},   {"4", "tshVencimento", "dbgContaPagar"},
        {"5", "tshFormulario", "dbgItemProduto"},  {"7", "tshFormulario", "dbdEntrSaid"},
        {"8", "tshFormulario", "dbeNumero"},       {"9", "tshFormulario", "dbgItemProduto"},
        {"G", "tshFormulario", "dbgItemProduto"},  {"A", "tshFormulario", "dbgItemProduto"},
        {"B", "tshFormulario", "dbgItemProduto"},  {"C", "tshFormulario", "dbeVrNotaFisc"},
        {"F", "tshFormulario", "dbeVrNotaFisc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
        Cli_dfe11000().stErroFech = "N";
        Run([&] { form->Errors().PosicionaErro(c.code); });
        EXPECT_EQ(form->pgcPadrao.ActivePage()->Name(), c.page);
        ASSERT_NE(form->ActiveControl(), nullptr);
        EXPECT_EQ(form->ActiveControl()->Name(), c.focused);
        EXPECT_EQ(Cli_dfe11000().stErroFech, "S");
    }
}

TEST_F(ErrorList, PositionsThatDependOnTheScreen) {
    // Without the installments page the items take the clerk.
    form->ui.tshVencimento->SetEnabled(false);
    Run([&] { form->Errors().PosicionaErro("4"); });
    EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFormulario);
    EXPECT_EQ(form->ActiveControl(), form->ui.dbgItemProduto);

    // The item grid of the notebook's page; the products group says what it shows.
    form->ui.nbkItensNF->SetPageIndex(1);
    Run([&] { form->Errors().PosicionaErro("9"); });
    EXPECT_EQ(form->ActiveControl(), form->ui.dbgItemNotaFisc);
    Run([&] { form->Errors().PosicionaErro("5"); });
    EXPECT_EQ(form->ui.nbkItensNF->PageIndex(), 0);
    EXPECT_EQ(form->ui.grbDadosProd->Caption(), " Dados do Produto ");
    EXPECT_EQ(form->ActiveControl(), form->ui.dbgItemProduto);
    Run([&] { form->Errors().PosicionaErro("6"); });
    EXPECT_EQ(form->ui.nbkTransport->PageIndex(), 1);
    EXPECT_EQ(form->ui.grbDadosProd->Caption(), " Entrada sem Nota Fiscal ");

    // The participant field of the destination page.
    form->ui.nbkDestino->SetPageIndex(2);
    Run([&] { form->Errors().PosicionaErro("0"); });
    EXPECT_EQ(form->ActiveControl(), form->ui.dbeCdFilial);

    // Nothing for an empty or unknown code.
    Cli_dfe11000().stErroFech = "N";
    form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    Run([&] { form->Errors().PosicionaErro(""); });
    EXPECT_EQ(Cli_dfe11000().stErroFech, "N");
    Run([&] { form->Errors().PosicionaErro("W"); });
    EXPECT_EQ(Cli_dfe11000().stErroFech, "S");
    EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFolhaDados);
}

// The refresh reads the posting again, part by part, and rebuilds the working tax tables from what it read.
TEST_F(ErrorList, TheRefreshReadsThePostingAgain) {
    Cancel();
    std::vector<std::string> order;
    for (const char* method :
         {"GetNotaFiscal", "GetItemNotaFisc", "GetItemProduto", "GetItemEncargo", "GetContaPagar",
          "GetDadosAdic", "GetImposNFTot", "GetItemProImpos", "GetRomaneioNF"})
        Answer(method, [&order, method](const net::RpcRequest&) -> std::optional<Variant> {
            order.push_back(method);
            return std::nullopt;
        });
    form->data.cdsTrabItProImpos.Append();
    form->data.cdsTrabItProImpos.FieldByName("CDIMPOSTOIT").SetAsString("01");
    form->data.cdsTrabItProImpos.Post();

    // On the list nothing of a posting is read.
    form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    EXPECT_EQ(Run([&] { form->sbtVerificarClick(); }), "");
    EXPECT_EQ(order, std::vector<std::string>{});

    form->pgcPadrao.SetActivePage(&form->tshFormulario);
    EXPECT_EQ(Run([&] { form->sbtVerificarClick(); }), "");
    EXPECT_EQ(order, (std::vector<std::string>{"GetNotaFiscal", "GetItemNotaFisc", "GetItemProduto",
                                               "GetItemEncargo", "GetContaPagar", "GetDadosAdic",
                                               "GetImposNFTot", "GetItemProImpos"}));
    EXPECT_EQ(form->data.cdsTrabItProImpos.RecordCount(), form->data.cdsItemProImpos.RecordCount());
    EXPECT_TRUE(Cli_dfe11000().boAlteraNF);
}

} // namespace
} // namespace dfe::dfe11000
