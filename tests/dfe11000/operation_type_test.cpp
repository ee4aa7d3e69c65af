#include "header_fixture.h"

#include "support/consiste.h"

#include <map>

namespace dfe::dfe11000 {
namespace {

using OperationTypeRules = testing::HeaderTest;

TEST_F(OperationTypeRules, TheArrayReadsTheColumnsInElementOrderWithTheDefaultsOfEmptyColumns) {
    // "07", a sales return: every element, in order.
    const std::vector<std::string> expected = {"S", "S", "S", "_S_51_", "S", "S", "N", "N", "N",
                                               "N", "N", "N", "N",      "S", "N", "N", "C", "N",
                                               "N", "N", "N", "N",      "N", "N", "S", "S"};
    Include();
    Type("CDTIPOOPER", "07");
    const dfe11000::OperationType type = form->Header().TipoOper();
    ASSERT_EQ(expected.size(), dfe11000::OperationType::kElements);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(type.Element(i), expected[i]) << "element " << i;
    // The named attributes are the elements of their numbers.
    EXPECT_EQ(type.DSOPERNFORIG, expected[3]);
    EXPECT_EQ(type.IDORIGDESTOP, expected[16]);
    EXPECT_EQ(type.IDNOTADEVO, expected[25]);
    EXPECT_EQ(type.Element(26), "");

    struct Case {
        const char* typed;   // the edit; empty: the current type
        const char* current; // stTipoOperAtual
        int element;
        const char* value;
    };
    const Case cases[] = {
        {"01", "00", 11, "S"}, {"01", "00", 12, "S"},  {"05", "00", 12, "N"}, // 11 and 12: one column
        {"15", "00", 16, "F"}, {"15", "00", 20, "15"}, {"15", "00", 23, "N"}, // no participant kind: "F"
        {"16", "00", 22, "S"}, {"16", "00", 23, "S"},  {"16", "00", 21, "N"},
        {"9", "00", 7, "S"},   {"9", "00", 18, "S"},                        // typed without the zero
        {"", "13", 14, "S"},   {"", "13", 17, "S"},                         // the current type
        {"99", "00", 16, "F"}, {"99", "00", 20, "N"},  {"99", "00", 0, ""}, // unknown type: the defaults
        {"51", "00", 5, ""},                                                // exit types are not entry types
    };
    for (const Case& c : cases) {
        Type("CDTIPOOPER", c.typed);
        form->Header().SetCurrentType(c.current);
        EXPECT_EQ(form->Header().TipoOper().Element(static_cast<size_t>(c.element)), c.value)
            << "type '" << c.typed << "'/" << c.current << " element " << c.element;
    }
}

TEST_F(OperationTypeRules, TheLookupOffersTheTypesOfTheBranchAndCarriesTheAFRequirementOfTheBlockList) {
    auto offered = [&](const std::string& branch) {
        Include(branch);
        Cli_dfe11000().stTodos = "T";
        form->Header().ReopenTipoOperac();
        std::map<std::string, std::string> codes;
        for (form->lookups.qryTipoOperac.First(); !form->lookups.qryTipoOperac.Eof();
             form->lookups.qryTipoOperac.Next())
            codes[form->lookups.qryTipoOperac.FieldByName("CDTIPOOPER").AsString()] =
                form->lookups.qryTipoOperac.FieldByName("IDEXIGEAF").AsString();
        Cli_dfe11000().stTodos = "N";
        return codes;
    };
    // The head office does not block by AF: every entry type in use, none needing an AF.
    const auto head = offered("0001");
    EXPECT_EQ(head.size(), 20u);
    for (const char* code : {"01", "03", "04", "05", "07", "08", "09", "10", "11", "12", "13", "14", "15",
                             "16", "17", "22", "23"})
        EXPECT_EQ(head.count(code), 1u) << code;
    for (const char* code : {"18", "51", "54"})
        EXPECT_EQ(head.count(code), 0u) << code;
    for (const auto& [code, af] : head)
        EXPECT_EQ(af, "N") << code;
    // Campinas blocks: "13" is listed and not released, "01" and "03" are released needing an AF, "05"
    // without.
    const auto campinas = offered("0002");
    EXPECT_EQ(campinas.size(), head.size() - 1);
    EXPECT_EQ(campinas.count("13"), 0u);
    EXPECT_EQ(campinas.at("01"), "S");
    EXPECT_EQ(campinas.at("03"), "S");
    EXPECT_EQ(campinas.at("05"), "N");
    EXPECT_EQ(campinas.at("07"), "N");

    // After a search the lookup reads the typed type, padded.
    Type("CDTIPOOPER", "7");
    form->Header().ReopenTipoOperac();
    ASSERT_EQ(form->lookups.qryTipoOperac.RecordCount(), 1);
    EXPECT_EQ(form->lookups.qryTipoOperac.FieldByName("CDTIPOOPER").AsString(), "07");
}

TEST_F(OperationTypeRules, EachRuleOfTheTypeRefusesWithItsMessage) {
    struct Case {
        const char* branch;
        const char* typed;
        const char* code; // empty: accepted
        const char* kind; // IDORIGDESTNF of the header when accepted
    };
    const Case cases[] = {
        {"0001", "", "Oper_Inf", ""},
        {"0001", "99", "Oper_Cad", ""},
        {"0001", "18", "Oper_Cad", ""}, // out of use
        {"0001", "51", "Oper_Cad", ""}, // an exit type
        {"0001", "1", "", "F"},         // padded
        {"0001", "07", "", "C"},
        {"0001", "08", "", "L"},
        {"0001", "15", "", "F"},            // no participant kind: a supplier operation
        {"0002", "13", "Oper_Cad", ""},     // not released for the branch
        {"0002", "03", "Blq_NF_TOPER", ""}, // the branch's block list needs an AF for it
        {"0002", "01", "Blq_NF_CMP", ""},   // purchases need an AF at the branch
        {"0002", "05", "", "F"},            // listed without AF
        {"0002", "07", "", "C"},            // not listed, not a purchase
        {"0003", "01", "", "F"},            // no AF rules at all
    };
    for (const Case& c : cases) {
        Include(c.branch);
        Type("CDTIPOOPER", c.typed);
        const std::string what = std::string(c.branch) + " type '" + c.typed + "'";
        EXPECT_EQ(Run([&] { form->Header().Vd_TpOper(); }), c.code) << what << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(dialogs.Errors().back().text, form->msgPadrao.Msg(c.code)) << what;
            continue;
        }
        EXPECT_EQ(Header("CDTIPOOPER"), support::Ajusta(c.typed, 2)) << what;
        EXPECT_EQ(form->Header().CurrentType(), support::Ajusta(c.typed, 2)) << what;
        EXPECT_EQ(Header("IDORIGDESTNF"), c.kind) << what;
        EXPECT_FALSE(Row("NMTIPOOPER").empty()) << what;
    }
}

TEST_F(OperationTypeRules, TheAFBlockOfPurchasesFollowsTheBlockModeAndTheExemptProducts) {
    ASSERT_EQ(app.ActiveForm(), form);
    struct Case {
        const char* type;
        bool exemptProducts; // the branch has products that may be bought without AF
        bool importingAF;
        const char* code;
    };
    const Case cases[] = {
        {"01", false, false, "Blq_NF_CMP"},   // block mode with "01": falls through to the purchase rule
        {"03", false, false, "Blq_NF_TOPER"}, // block mode with another type: only its AF requirement
        {"05", false, false, ""}, // another type without AF requirement: purchases rule not applied
        {"01", true, false, ""},
        {"03", true, false, ""},
        {"01", false, true, ""}, // an AF import is under way
    };
    for (const Case& c : cases) {
        lookups_->Execute("DELETE FROM PARAMCMPPROD WHERE CDFILIAL = '0002' AND CDPRODUTO = '0000000102'");
        if (c.exemptProducts)
            lookups_->Execute("INSERT INTO PARAMCMPPROD (CDFILIAL, CDPRODUTO, IDBLOQNFSAF)"
                              " VALUES ('0002', '0000000102', 'N')");
        Include("0002");
        Type("CDTIPOOPER", c.type);
        form->Header().SetCurrentType(c.type);
        form->Header().ReopenTipoOperac();
        Cli_dfe11000().boImportaAF = c.importingAF;
        EXPECT_EQ(Run([&] { form->Header().Vd_BloqueiaNfCMP(); }), c.code)
            << c.type << " exempt " << c.exemptProducts << " importing " << c.importingAF;
        Cli_dfe11000().boImportaAF = false;
    }
    // Without the block mode the purchase rule alone decides: the head office does not block purchases.
    Include("0001");
    form->Header().SetCurrentType("01");
    EXPECT_EQ(Run([&] { form->Header().Vd_BloqueiaNfCMP(); }), "");
}

TEST_F(OperationTypeRules, TheScreenFollowsTheTypeWhenItIsLeft) {
    struct Case {
        const char* type;
        int page;
        const char* caption;
        bool originEditors;
        bool taxGrids;
        bool bonusColumn;
        Color accessKey;
    };
    const Case cases[] = {
        {"01", 1, " Fornecedor ", false, true, false, Color::clInfoBk}, // ordinary purchase
        {"07", 0, " Cliente ", true, false, false, Color::clWindow},    // customer return
        {"08", 2, " Fornecedor ", false, true, false, Color::clWindow}, // transfer from a branch
        {"15", 1, " Fornecedor ", false, true, true, Color::clInfoBk},  // no participant kind
        {"16", 1, " Exportador ", false, true, false, Color::clInfoBk}, // indirect import
        {"14", 1, " Fornecedor ", true, true, false, Color::clInfoBk},  // remittance return
    };
    for (const Case& c : cases) {
        Include();
        Type("CDTIPOOPER", c.type);
        EXPECT_EQ(Run([&] { form->Header().dbeCdTipoOperExit(); }), "") << c.type << "\n"
                                                                        << dialogs.Describe();
        EXPECT_EQ(form->ui.nbkDestino->PageIndex(), c.page) << c.type;
        EXPECT_EQ(form->ui.grbFornecedor->Caption(), c.caption) << c.type;
        EXPECT_EQ(form->ui.dbeNrNotaFisc->Enabled(), c.originEditors) << c.type;
        EXPECT_EQ(form->ui.btpNFSaida->Enabled(), c.originEditors) << c.type;
        EXPECT_EQ(form->ui.dbgItemProImpos->Enabled(), c.taxGrids) << c.type;
        EXPECT_EQ(form->ui.dbgImposNFTot->Enabled(), c.taxGrids) << c.type;
        EXPECT_EQ(form->ui.dbgItemProduto->Column(11).Visible(), c.bonusColumn) << c.type;
        EXPECT_EQ(form->ui.dbeChaveAcesso->GetColor(), c.accessKey) << c.type;
        EXPECT_EQ(form->ActiveControl(), form->Header().ParticipantField()) << c.type;
        EXPECT_EQ(form->ui.panNFOrigem->Visible(), c.originEditors) << c.type;
        if (std::string(c.type) == "07") {
            EXPECT_EQ(form->ui.grbDAE->Top(), 1160);
            EXPECT_EQ(form->ui.nbkCte->Top(), 1160);
        }
    }
}

TEST_F(OperationTypeRules, SimpleRemittancesAndEntriesWithoutInvoiceShowTheirOwnPages) {
    struct Case {
        const char* type;
        int itemsPage;
        const char* itemsCaption;
        int transportPage;
        const char* transportCaption;
        bool relatedRow; // the related-documents dataset was made empty and given a new row
    };
    const Case cases[] = {
        {"05", 1, "Notas Fiscais de Simples Remessa", 0, "Transportadoras/Volumes Transportados", true},
        {"11", 0, "Dados do Produto", 1, "Entrada sem Nota Fiscal", true},
        {"01", 0, "Dados do Produto", 0, "Transportadoras/Volumes Transportados", false},
    };
    for (const Case& c : cases) {
        Include();
        form->data.cdsItemNotaFisc.Close();
        form->data.cdsItemNotaFisc.CreateDataSet();
        Type("CDTIPOOPER", c.type);
        EXPECT_EQ(Run([&] { form->Header().dbeCdTipoOperExit(); }), "") << c.type << "\n"
                                                                        << dialogs.Describe();
        EXPECT_EQ(form->ui.nbkItensNF->PageIndex(), c.itemsPage) << c.type;
        EXPECT_EQ(form->ui.grbDadosProd->Caption(), c.itemsCaption) << c.type;
        EXPECT_EQ(form->ui.nbkTransport->PageIndex(), c.transportPage) << c.type;
        EXPECT_EQ(form->ui.grbTransport->Caption(), c.transportCaption) << c.type;
        EXPECT_EQ(form->data.cdsItemNotaFisc.State() == DataSetState::Insert, c.relatedRow) << c.type;
        EXPECT_EQ(form->ui.dbgItemEncargo->Enabled(), true) << c.type;
        EXPECT_EQ(form->ui.grbProdEmiss->Enabled(), std::string(c.type) != "05") << c.type;
    }
}

TEST_F(OperationTypeRules, ADefaultSupplierRunsTheSupplierRuleAndAFilterIncludeKeepsItsParticipant) {
    // A type with a default supplier puts it into the posting, whose supplier rule then runs on it and, the
    // type asking for the buyer's CPF/CNPJ, opens its dialog (given up here).
    Include();
    Type("CDTIPOOPER", "17");
    bool asked = false;
    dialogs.ExpectModal("frmCpfCnpj")
        .Do([&](Form&) {
            asked = true;
            app.PressKey(key::Escape);
        })
        .Cancel();
    Run([&] { form->Header().dbeCdTipoOperExit(); });
    EXPECT_TRUE(asked);
    EXPECT_EQ(Header("NRINSJURNF"), "12345678909");

    // A posting included from the filter keeps its participant: the default supplier is not applied.
    Include();
    Type("CDTIPOOPER", "17");
    Cli_dfe11000().boIncluiFiltro = true;
    EXPECT_EQ(Run([&] { form->Header().Vd_TpOper(); }), "");
    EXPECT_EQ(Header("NRINSJURNF"), "");
    Cli_dfe11000().boIncluiFiltro = false;
}

TEST_F(OperationTypeRules, TheSearchListsEveryTypeAndTakesTheChosenOne) {
    Cli_dfe11000().stTodos = "N";
    form->Header().btpTipoOperBeforePesq();
    EXPECT_EQ(Cli_dfe11000().stTodos, "T");
    EXPECT_GT(form->lookups.qryTipoOperac.RecordCount(), 10);
    ASSERT_TRUE(form->lookups.qryTipoOperac.Locate("CDTIPOOPER", Variant("15")));
    form->Header().btpTipoOperAfterPesq();
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    EXPECT_EQ(Header("CDTIPOOPER"), "15");
    EXPECT_EQ(Header("IDORIGDESTNF"), "F");
    EXPECT_EQ(Row("CDTIPOOPER"), "15");
    EXPECT_EQ(Row("NMTIPOOPER"), "Entrada de bonificação");
    EXPECT_EQ(form->Header().CurrentType(), "15");
    EXPECT_EQ(Cli_dfe11000().stTodos, "N");
}

TEST_F(OperationTypeRules, AServiceTypeOpensItsLocationOnlyWhenItAsksForIt) {
    struct Case {
        const char* type;
        bool location;
        Color colour;
    };
    const Case cases[] = {{"09", true, Color::clInfoBk}, {"19", false, Color::clBtnFace}};
    for (const Case& c : cases) {
        Include();
        Type("CDTIPOOPER", c.type);
        EXPECT_EQ(Run([&] { form->Header().Vd_TpOper(); }), "") << c.type << "\n" << dialogs.Describe();
        EXPECT_EQ(form->ui.grbLocPrestServ->Enabled(), c.location) << c.type;
        EXPECT_EQ(form->ui.btpEstadoOrig->Enabled(), c.location) << c.type;
        EXPECT_EQ(form->ui.btpMunicipio->Enabled(), c.location) << c.type;
        EXPECT_EQ(form->ui.dbeEstado->GetColor(), c.colour) << c.type;
        EXPECT_EQ(form->ui.dbeMunicipio->GetColor(), c.colour) << c.type;
    }
    // Leaving the panel shows the service key.
    EXPECT_EQ(Run([&] { form->Header().panExit(); }), "") << dialogs.Describe();
    EXPECT_EQ(form->ui.ntbChave->PageIndex(), 1);
    EXPECT_EQ(form->ui.dbeChavePServ->GetColor(), Color::clInfoBk);
    EXPECT_FALSE(form->ui.dbeCdServico->Visible()); // the service-product relation is not used
}

TEST_F(OperationTypeRules, TheFreightAndOutputCommandsFollowTheListAndTheType) {
    struct Case {
        const char* type;
        int page; // participant page before the exit
        bool freight;
        bool output;
    };
    const Case cases[] = {{"01", 1, true, true}, {"03", 1, true, false}, {"07", 0, false, true}};
    for (const Case& c : cases) {
        Include();
        Type("CDTIPOOPER", c.type);
        form->ui.nbkDestino->SetPageIndex(c.page);
        Run([&] { form->Header().dbeCdTipoOperExit(); });
        EXPECT_EQ(form->ui.mnuConheTransp->Enabled(), c.freight) << c.type << "\n" << dialogs.Describe();
        EXPECT_EQ(form->ui.sbtConheTransp->Enabled(), c.freight) << c.type;
        EXPECT_EQ(form->ui.mnuGeraSaida->Enabled(), c.output) << c.type;
        EXPECT_EQ(form->ui.sbtGeraSaida->Enabled(), c.output) << c.type;
    }
}

TEST_F(OperationTypeRules, TheSearchButtonPutsTheChosenTypeIntoTheNewPostingAndACancelLeavesItAsItWas) {
    Include();
    Type("CDTIPOOPER", "01");
    dialogs.ExpectPick().Cancel();
    app.Click(*form->ui.btpTipoOper);
    EXPECT_EQ(Row("CDTIPOOPER"), "01");
    dialogs.ExpectPick().Where("CDTIPOOPER", "07");
    app.Click(*form->ui.btpTipoOper);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
    EXPECT_EQ(form->ui.dbeCdTipoOper->Text(), "07");
    EXPECT_EQ(Row("NMTIPOOPER"), "Devolução de venda");
    EXPECT_EQ(Header("CDTIPOOPER"), "07");
    EXPECT_EQ(Header("IDORIGDESTNF"), "C");
    EXPECT_EQ(form->Header().CurrentType(), "07");
}

TEST(HeaderMessages, TheRulesSpeakWithTheTextsOfTheirTables) {
    Application app;
    struct Case {
        const char* code;
        bool second; // the standard table
        const char* text;
    };
    const Case cases[] = {
        {"Empr_Inf", false, "Empresa deve ser informada."},
        {"Empr_Cad", false, "Empresa não cadastrada"},
        {"Empr_Rel", false, "Empresa não cadastrada para a filial informada."},
        {"Filial_Inf", false, "Filial de origem deve ser informada"},
        {"Filial_Cad", false, "Filial não cadastrada"},
        {"Filial_Inat", false, "Filial com situação inativa."},
        {"OpBloq_NFOff", true,
         "Operação bloqueada! Existem notas fiscais lançadas no sistema Off-Line que não foram importadas."},
        {"Oper_N_Relac", true, "Operador não cadastrado para a filial."},
        {"Oper_Inf", false, "Tipo de operação deve ser informado"},
        {"Oper_Cad", false, "Tipo de operação não cadastrado"},
        {"Blq_NF_TOPER", false, "Operação bloqueada! Nota fiscal não possui AF."},
        {"Blq_NF_CMP", false, "Operação bloqueada! Nota fiscal de compra não possui AF."},
        {"Fornecedor", false, "Fornecedor"},
        {"Exportador", true, "Exportador"},
    };
    TfrmLancNFEntrada form(app);
    for (const Case& c : cases) {
        const support::TMessages& table = c.second ? form.msgMensagensPadroes : form.msgPadrao;
        EXPECT_EQ(table.Msg(c.code), c.text) << c.code;
    }
}

} // namespace
} // namespace dfe::dfe11000
