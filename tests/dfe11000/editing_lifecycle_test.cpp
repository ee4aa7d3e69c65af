#include "module_fixture.h"
#include "platform/net/release_calls.h"
#include "posting_packets.h"
#include "support/conf_senha.h"

#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"

#include <functional>

namespace dfe::dfe11000 {
namespace {

using testing::PacketFor;
using testing::Text;
using testing::Values;

class Editing : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
        form->data.dtsRomaneioNF->SetEnabled(true);
        form->Branch().boFiltroConfirmado = true; // leaving the branch panel goes on to the record
        Params({});
    }

    void Params(const Values& values) {
        std::vector<FieldDef> fields = {Text("CDFILIAL", 4),
                                        Text("IDCONSFORNFJ", 1),
                                        Text("IDTRATAVENC", 1),
                                        Text("IDTPLANCDESC", 1),
                                        Text("IDLANCENTRVENC", 1),
                                        Text("IDLANCDTMENFIL", 1),
                                        Text("IDLANCDTMEN", 1),
                                        Text("IDLANCDTMAIFIL", 1),
                                        Text("IDLANCDTMAI", 1),
                                        FieldDef{"NRDIASENTRPDFIL", FieldType::Integer},
                                        FieldDef{"NRDIASENTRPD", FieldType::Integer}};
        for (const auto& [name, value] : values)
            fields.push_back(Text(name.c_str(), 1));
        Values row = values;
        row["CDFILIAL"] = Variant("0001");
        row["IDCONSFORNFJ"] = Variant("S");
        form->data.cdsParamDFE.SetData(PacketFor(form->data.cdsParamDFE, fields, {row}));
    }

    Values Row(const Values& overrides = {}) const {
        Values row = {{"CDFILIAL", "0001"},  {"NRLANCTONF", "0000000001"},
                      {"IDORIGDESTNF", "F"}, {"CDTIPOOPER", "01"},
                      {"CDEMPRESA", "01"},   {"IDSTATUS", "P"},
                      {"IDUTILVENC", "S"},   {"DTENTRSAID", Cli_dfe11000().dtDataProc}};
        for (const auto& [name, value] : overrides)
            row[name] = value;
        return row;
    }

    // The list without its row handling, which would load the posting from the server.
    void List(const std::vector<Values>& rows) {
        Cli_dfe11000().boAtuaRoma = true;
        form->data.cdsRomaneioNF.SetData(PacketFor(form->data.cdsRomaneioNF, testing::ListRowFields(), rows));
        Cli_dfe11000().boAtuaRoma = false;
        form->tshFolhaDados.SetEnabled(true);
        form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    }

    // A loaded header, browsed (typing it switches to the record page; List() comes back to the list).
    void Header(const Values& values = {}) {
        DataSet& nf = form->data.cdsNotaFiscal;
        if (!nf.Active()) nf.CreateDataSet();
        nf.EmptyDataSet();
        const bool changing = Cli_dfe11000().boChange;
        nf.OnNewRecord = nullptr;
        nf.Append();
        nf.FieldByName("CDFILIAL").SetAsString("0001");
        nf.FieldByName("NRLANCTONF").SetAsString("0000000001");
        for (const auto& [name, value] : values)
            nf.FieldByName(name).SetValue(value);
        nf.Post();
        nf.MergeChangeLog();
        nf.OnNewRecord = [this](DataSet&) { form->Editing().cdsNotaFiscalNewRecord(); };
        Cli_dfe11000().boChange = changing;
        for (DataSet* ds :
             {&form->data.cdsItemProduto, &form->data.cdsItemNotaFisc, &form->data.cdsTrabItProImpos,
              &form->data.cdsTrabImposNFTot, &form->data.cdsItemEncargo, &form->data.cdsDadosAdic,
              &form->data.cdsContaPagar}) {
            if (!ds->Active()) ds->CreateDataSet();
        }
        form->tshFormulario.SetEnabled(true);
    }

    void Run(void (TfrmLancNFEntrada::*command)()) {
        app.Dispatch([&] { (form->*command)(); });
    }

    // The enabled commands as letters: I include, A change, E delete, P find, V verify, C cancel, F confirm,
    // N NF-e import, R apportionment, M rural producer's note.
    std::string Enabled() const {
        std::string letters;
        const std::pair<char, bool> commands[] = {
            {'I', form->mnuIncluir.Enabled()},    {'A', form->mnuAlterar.Enabled()},
            {'E', form->mnuExcluir.Enabled()},    {'P', form->mnuProcurar.Enabled()},
            {'V', form->mnuVerificar.Enabled()},  {'C', form->mnuCancelar.Enabled()},
            {'F', form->mnuConfirmar.Enabled()},  {'N', form->ui.mnuImportaNFe->Enabled()},
            {'R', form->ui.mnuRateio->Enabled()}, {'M', form->ui.mnuNFProdRural->Enabled()},
        };
        for (const auto& [letter, enabled] : commands) {
            if (enabled) letters += letter;
        }
        return letters;
    }

    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(Editing, CommandStatesFollowTheListTheHeaderTheBlockingFlagsAndTheParameters) {
    enum class Source { List, HeaderEdit, HeaderInsert };
    struct Case {
        const char* name;
        Values row;
        bool emptyList;
        Source source;
        bool boBloqueia;
        Values header;
        Values params;
        const char* expected;
    };
    const Case cases[] = {
        {"plain row", {}, false, Source::List, false, {}, {}, "IAEPVR"},
        {"NF-e import by the client", {}, false, Source::List, false, {}, {{"IDTPIMPNFE", "C"}}, "IAEPVNR"},
        {"NF-e import by the server", {}, false, Source::List, false, {}, {{"IDTPIMPNFE", "S"}}, "IAEPVR"},
        {"blocked", {{"IDBLOQUEADO", "S"}}, false, Source::List, false, {}, {}, "IPVR"},
        {"blocked, financial document L",
         {{"IDBLOQUEADO", "S"}},
         false,
         Source::List,
         false,
         {{"IDDOCFINANC", "L"}},
         {},
         "IAEPVR"},
        {"entry date blocks", {}, false, Source::List, true, {}, {}, "IPVR"},
        {"return of the other system", {{"IDNFDEVOOL", "S"}}, false, Source::List, false, {}, {}, "IEPVR"},
        {"replicated", {{"IDDOCREPLIC", "X"}}, false, Source::List, false, {}, {}, "IPVR"},
        {"from the other system", {{"DSNOTAFISORIGOL", "OL 1"}}, false, Source::List, false, {}, {}, "IEPVR"},
        {"from the other system, blocked, pending",
         {{"DSNOTAFISORIGOL", "OL 1"}, {"IDBLOQUEADO", "S"}},
         false,
         Source::List,
         false,
         {},
         {},
         "IEPVR"},
        {"from the other system, blocked, closed",
         {{"DSNOTAFISORIGOL", "OL 1"}, {"IDBLOQUEADO", "S"}, {"IDSTATUS", "C"}},
         false,
         Source::List,
         false,
         {},
         {},
         "IPVR"},
        {"credit document", {{"IDDOCCREDST", "123"}}, false, Source::List, false, {}, {}, "IAPVR"},
        {"generated equal to the XML",
         {{"IDNFGERADAVIAXML", "S"}},
         false,
         Source::List,
         false,
         {},
         {{"IDGERNFIGUALXML", "S"}},
         "IEPVR"},
        {"generated from the XML, may differ",
         {{"IDNFGERADAVIAXML", "S"}},
         false,
         Source::List,
         false,
         {},
         {{"IDGERNFIGUALXML", "N"}},
         "IAEPVR"},
        {"empty list", {}, true, Source::List, false, {}, {}, "I"},
        {"header edited", {}, false, Source::HeaderEdit, false, {}, {}, "CFM"},
        {"header inserted", {}, false, Source::HeaderInsert, false, {}, {}, "CFM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        app.Dispatch([&] {
            if (InEdit(form->data.cdsNotaFiscal)) form->data.cdsNotaFiscal.Cancel();
            Params(c.params);
            Header(c.header);
            List(c.emptyList ? std::vector<Values>{} : std::vector<Values>{Row(c.row)});
            Cli_dfe11000().boBloqueia = c.boBloqueia;
            if (c.source == Source::List) {
                form->Editing().ControlaBotoes(*form->data.dtsRomaneioNF);
                return;
            }
            form->pgcPadrao.SetActivePage(&form->tshFormulario);
            if (c.source == Source::HeaderEdit)
                form->data.cdsNotaFiscal.Edit();
            else
                form->data.cdsNotaFiscal.Insert();
            form->Editing().ControlaBotoes(*form->data.dtsNotaFiscal);
        });
        EXPECT_EQ(Enabled(), c.expected) << dialogs.Describe();
    }
}

TEST_F(Editing, NewRecordLeavesTheIssueDateEmptyOnlyForBlindEntry) {
    const struct {
        const char* idOcInforNF;
        bool issueDateEmpty;
    } cases[] = {{"S", true}, {"N", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.idOcInforNF);
        app.Dispatch([&] {
            Params({{"IDOCINFORNF", c.idOcInforNF}});
            Header();
            form->data.cdsNotaFiscal.Insert();
        });
        const DataSet& nf = form->data.cdsNotaFiscal;
        EXPECT_EQ(nf.FieldByName("DTEMISSAO").IsNull(), c.issueDateEmpty);
        if (!c.issueDateEmpty) {
            EXPECT_EQ(nf.FieldByName("DTEMISSAO").AsDateTime(), Cli_dfe11000().dtDataProc.DatePart());
        }
        EXPECT_EQ(nf.FieldByName("DTENTRSAID").AsDateTime(), Cli_dfe11000().dtDataProc.DatePart());
        EXPECT_EQ(nf.FieldByName("NRLANCTONF").AsString(), "NOVOCODIGO");
        EXPECT_EQ(nf.FieldByName("IDSTATUS").AsString(), "P");
        EXPECT_EQ(nf.FieldByName("CDTIPOOPER").AsString(), "01");
        EXPECT_EQ(nf.FieldByName("IDNFGERADAVIAXML").AsString(), "N");
        app.Dispatch([&] { form->data.cdsNotaFiscal.Cancel(); });
    }
}

TEST_F(Editing, ChangeFollowsTheRecipientsManifestation) {
    const struct {
        const char* manifestation;
        int answer; // 0: no question expected; 10 "Sim", 11 "Não"
        const char* refusal;
        const char* shownText;
        bool edited;
    } cases[] = {
        {"1", 10, nullptr, "Operação Confirmada", true},
        {"1", 11, nullptr, "Operação Confirmada", false},
        {"4", 10, nullptr, "Ciência da Emissão", true},
        {"4", 11, nullptr, "Ciência da Emissão", false},
        {"2", 0, "BloqManif_Alt", "Operação desconhecida", false},
        {"3", 0, "BloqManif_Alt", "Operação Não Realizada", false},
        {"", 0, nullptr, nullptr, true},
        {"0", 0, nullptr, nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("manifestation ") + c.manifestation);
        dialogs.ClearRecords();
        app.Dispatch([&] {
            if (InEdit(form->data.cdsNotaFiscal)) form->data.cdsNotaFiscal.Cancel();
            List({Row({{"IDSTATUSMANIF", c.manifestation}})});
            Header();
            form->pgcPadrao.SetActivePage(&form->tshFormulario);
        });
        if (c.answer) dialogs.ExpectQuestion("BloqManif_Exc").Answer(c.answer);
        Run(&TfrmLancNFEntrada::sbtAlterarClick);
        EXPECT_EQ(form->data.cdsNotaFiscal.State() == DataSetState::Edit, c.edited) << dialogs.Describe();
        if (c.refusal) {
            EXPECT_TRUE(dialogs.Shown(c.refusal)) << dialogs.Describe();
        }
        if (c.shownText) {
            ASSERT_NE(dialogs.Last(), nullptr);
            EXPECT_NE(dialogs.Last()->text.find(c.shownText), std::string::npos) << dialogs.Describe();
        }
    }
}

TEST_F(Editing, CancelWhileAnItemRowIsEditedCancelsOnlyThatRow) {
    app.Dispatch([&] {
        List({Row()});
        Header();
        form->pgcPadrao.SetActivePage(&form->tshFormulario);
        form->data.cdsNotaFiscal.Edit();
        form->data.cdsNotaFiscal.FieldByName("DSESPECVOLU").SetAsString("mantida");
        form->ui.dbgItemProduto->SetFocus();
        form->data.cdsItemProduto.Append();
    });
    ASSERT_EQ(form->ui.dbgItemProduto->Tag(), 6);
    Run(&TfrmLancNFEntrada::sbtCancelarClick);
    EXPECT_EQ(form->data.cdsItemProduto.State(), DataSetState::Browse);
    EXPECT_TRUE(form->data.cdsItemProduto.IsEmpty());
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    EXPECT_EQ(form->data.cdsNotaFiscal.FieldByName("DSESPECVOLU").AsString(), "mantida");

    // A second cancel, with no detail edited, discards the posting's changes and returns to the list.
    Run(&TfrmLancNFEntrada::sbtCancelarClick);
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Browse);
    EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFolhaDados);
    EXPECT_FALSE(Cli_dfe11000().boInsert);
}

TEST_F(Editing, EditingADetailPutsTheHeaderIntoEditAndForgetsTheFiscalGroup) {
    app.Dispatch([&] {
        List({Row()});
        Header();
        form->pgcPadrao.SetActivePage(&form->tshFormulario);
        form->Editing().SetGrupoFiscal("G1");
        form->data.cdsDadosAdic.Append();
    });
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    EXPECT_TRUE(form->Editing().GrupoFiscal().empty());

    // Without boChange (a load filling the details) the header stays browsed.
    app.Dispatch([&] {
        form->data.cdsDadosAdic.Cancel();
        form->data.cdsNotaFiscal.Cancel();
        Cli_dfe11000().boChange = false;
        form->data.cdsDadosAdic.Append();
    });
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Browse);
    Cli_dfe11000().boChange = true;
}

TEST_F(Editing, TheFirstEditNeverZeroesAStoredProductsValue) {
    const struct {
        double products;
        double document;
        double expected;
    } cases[] = {{150.0, 200.0, 150.0}, {0.0, 200.0, 200.0}, {0.0, 0.0, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.products);
        app.Dispatch([&] {
            if (InEdit(form->data.cdsNotaFiscal)) form->data.cdsNotaFiscal.Cancel();
            Header({{"VRPRODUTOS", Variant(c.products)}, {"VRNOTAFISC", Variant(c.document)}});
            form->data.cdsNotaFiscal.Edit();
        });
        EXPECT_DOUBLE_EQ(form->data.cdsNotaFiscal.FieldByName("VRPRODUTOS").AsFloat(), c.expected);
    }
}

TEST_F(Editing, ConfirmRunsItsChecksInOrderAndTheValueCheckStopsOnlyOnce) {
    app.Dispatch([&] {
        List({Row()});
        Header({{"IDSTATUS", Variant("D")}, {"IDNFGERADAVIAXML", Variant("N")}});
        form->pgcPadrao.SetActivePage(&form->tshFormulario);
        form->data.cdsNotaFiscal.Edit();
    });
    Run(&TfrmLancNFEntrada::sbtConfirmarClick);
    ASSERT_NE(dialogs.Last(), nullptr);
    EXPECT_EQ(dialogs.Last()->code, "NF_Digit");

    // A supplier that asks to check the value: the first confirmation stops, the second goes on to the
    // document-model rule.
    app.Dispatch([&] {
        form->data.cdsNotaFiscal.FieldByName("IDSTATUS").SetAsString("P");
        form->data.cdsParamForne.SetData(PacketFor(form->data.cdsParamForne,
                                                   {Text("CDFORNECED", 10), Text("IDREACONFVRNF", 1)},
                                                   {{{"CDFORNECED", ""}, {"IDREACONFVRNF", "S"}}}));
        form->Parameters().SetSupplierString("forn");
    });
    dialogs.ClearRecords();
    Run(&TfrmLancNFEntrada::sbtConfirmarClick);
    ASSERT_NE(dialogs.Last(), nullptr);
    EXPECT_EQ(dialogs.Last()->code, "Verif_Valor") << dialogs.Describe();
    EXPECT_TRUE(form->ui.dbeVrNotaFisc->Focused());
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);

    dialogs.ClearRecords();
    form->Parameters().SetSupplierString("forn");
    Run(&TfrmLancNFEntrada::sbtConfirmarClick);
    EXPECT_FALSE(dialogs.Shown("Verif_Valor")) << dialogs.Describe();
    ASSERT_NE(dialogs.Last(), nullptr);
    // The closing runs its own checks: this posting has no value.
    EXPECT_EQ(dialogs.Last()->code, "VrNF_inf");
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
}

TEST_F(Editing, IncludeOnAFixedBranchWithAnEmptyListLeavesListCommandsDisabledAfterCancel) {
    support::zymora::LocalContext().fixedBranch = true;
    app.Dispatch([&] {
        List({});
        form->Editing().ControlaBotoes(*form->data.dtsRomaneioNF);
    });
    Run(&TfrmLancNFEntrada::sbtIncluirClick);
    ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Insert) << dialogs.Describe();
    EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFormulario);
    EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("NRLANCTONF").AsString(), "NOVOCODIGO");
    EXPECT_FALSE(form->ui.medCdFilial->Enabled());
    EXPECT_TRUE(form->ui.dbeCdEmpresa->Enabled());
    EXPECT_EQ(Enabled(), "CFM");

    Run(&TfrmLancNFEntrada::sbtCancelarClick);
    EXPECT_TRUE(form->data.cdsRomaneioNF.IsEmpty());
    EXPECT_FALSE(form->mnuAlterar.Enabled());
    EXPECT_FALSE(form->mnuExcluir.Enabled());
    EXPECT_FALSE(form->mnuProcurar.Enabled());
    EXPECT_FALSE(form->mnuVerificar.Enabled());
    EXPECT_FALSE(form->sbtAlterar.Enabled());
    EXPECT_TRUE(form->mnuIncluir.Enabled());
}

// A new posting starts as a purchase ("01") whatever type the browsed row has.
TEST_F(Editing, ANewPostingStartsWithTypeZeroOneWhateverTheBrowsedRow) {
    for (const char* browsed : {"07", "05", "01"}) {
        app.Dispatch([&] {
            List({Row({{"NRLANCTONF", "0000000007"}, {"CDTIPOOPER", browsed}})});
            form->Header().SetCurrentType(browsed);
        });
        Run(&TfrmLancNFEntrada::sbtIncluirClick);
        ASSERT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Insert) << dialogs.Describe();
        EXPECT_EQ(form->data.cdsRomaneioNF.FieldByName("CDTIPOOPER").AsString(), "01") << browsed;
        EXPECT_EQ(form->data.cdsNotaFiscal.FieldByName("CDTIPOOPER").AsString(), "01") << browsed;
        EXPECT_EQ(form->Header().CurrentType(), "01") << browsed;
        app.Dispatch([&] { form->Editing().Cancela(); });
    }
}

// The warehouse command follows the header's warehouse (CDALMOXARIFE).
TEST_F(Editing, TheWarehouseCommandFollowsTheHeadersWarehouse) {
    struct Case {
        const char* warehouse;
        bool enabled;
    };
    const Case cases[] = {{"ALM001", true}, {"", false}};
    EXPECT_EQ(form->ui.mnuAlmoLocal->Caption(), "A&lmoxarifado/Localização");
    ASSERT_TRUE(form->ui.mnuAlmoLocal->ShortCut());
    EXPECT_EQ(form->ui.mnuAlmoLocal->ShortCut()->key, ParseKeyStroke("Ctrl+J")->key);
    EXPECT_TRUE(form->ui.mnuAlmoLocal->ShortCut()->shift.ctrl);
    for (const Case& c : cases) {
        app.Dispatch([&] {
            List({Row()});
            Header({{"CDALMOXARIFE", Variant(c.warehouse)}});
            form->Editing().ControlaBotoes(*form->data.dtsRomaneioNF);
        });
        EXPECT_EQ(form->ui.mnuAlmoLocal->Enabled(), c.enabled) << "'" << c.warehouse << "'";
        EXPECT_EQ(form->ui.sbtAlmoLocal->Enabled(), c.enabled) << "'" << c.warehouse << "'";
    }
}

// The number edit's colour follows the current type's IDUTILEMISNF through the command states, and the
// supplier number is typed only for a type whose element 6 is "N".
TEST_F(Editing, CommandStatesFollowTheCurrentOperationType) {
    struct Case {
        const char* code;
        std::map<std::string, std::string> columns;
        Color number;
        bool supplierTyped;
    };
    const Case cases[] = {
        {"T2", {{"IDUTILEMISNF", "N"}}, Color::clInfoBk, true},
        {"T3", {{"IDUTILEMISNF", "S"}}, Color::clWindow, true},
        {"T4", {{"IDINFCPFCNPJNF", "S"}}, Color::clInfoBk, false},
        {"T5", {{"IDINFCPFCNPJNF", ""}}, Color::clInfoBk, false}, // no answer is not "N"
        {"99", {}, Color::clInfoBk, false},                       // an unknown type
    };
    for (const Case& c : cases) {
        if (c.code != std::string("99")) DefineOperationType(c.code, c.columns);
        app.Dispatch([&] {
            List({Row({{"CDTIPOOPER", c.code}})});
            form->Header().SetCurrentType(c.code);
            form->Editing().ControlaBotoes(*form->data.dtsRomaneioNF);
        });
        EXPECT_EQ(form->lookups.qryTipoOperac.IsEmpty()
                      ? std::string()
                      : form->lookups.qryTipoOperac.FieldByName("CDTIPOOPER").AsString(),
                  c.code == std::string("99") ? "" : c.code);
        EXPECT_EQ(form->ui.dbeNumero->GetColor(), c.number) << c.code;
        EXPECT_EQ(form->ui.dbeNrInsJurNF->Enabled(), c.supplierTyped) << c.code;
    }
}

// Change on the supplier page: a typed supplier takes the focus; a type whose supplier comes from the
// CPF/CNPJ (supplier number disabled) runs the supplier rule, which asks for the CPF/CNPJ, before the focus
// would fall back to the series.
TEST_F(Editing, ChangeRunsTheSupplierRuleForACpfCnpjType) {
    struct Case {
        const char* cpfCnpj;
        bool asked;          // the CPF/CNPJ dialog opened
        const char* focused; // the control focused afterwards
    };
    const Case cases[] = {{"N", false, "dbeNrInsJurNF"}, {"S", true, "dbeSerie"}};
    for (const Case& c : cases) {
        DefineOperationType("T2", {{"IDINFCPFCNPJNF", c.cpfCnpj}, {"IDATUESTTPOP", "N"}});
        app.Dispatch([&] {
            if (InEdit(form->data.cdsNotaFiscal)) form->Editing().Cancela();
            List({Row({{"CDTIPOOPER", "T2"}})});
            form->Header().SetCurrentType("T2");
            Header({{"CDMODDOCFISC", Variant("55")}});
            form->ui.nbkDestino->SetPageIndex(1);
        });
        bool asked = false;
        // The clerk gives up the CPF/CNPJ with Esc.
        if (c.asked)
            dialogs.ExpectModal("frmCpfCnpj")
                .Do([&](Form&) {
                    asked = true;
                    app.PressKey(key::Escape);
                })
                .Cancel();
        dialogs.ClearRecords();
        Run(&TfrmLancNFEntrada::sbtAlterarClick);
        EXPECT_EQ(asked, c.asked) << c.cpfCnpj << dialogs.Describe();
        EXPECT_EQ(dialogs.PendingAnswers(), 0u) << c.cpfCnpj;
        ASSERT_NE(form->ActiveControl(), nullptr);
        EXPECT_EQ(form->ActiveControl()->Name(), c.focused) << c.cpfCnpj << dialogs.Describe();
    }
}

// What belongs to one posting goes with it: the service location remembered at its last post, the state
// registration chosen for it.
TEST_F(Editing, IncludeMovingAndCancelForgetWhatBelongedToThePreviousPosting) {
    struct Case {
        const char* what;
        std::function<void()> step;
    };
    const auto remember = [&] {
        app.Dispatch([&] {
            List({Row()});
            Header({{"SGESTADO", Variant("SP")}, {"CDMUNICIPIO", Variant("5030")}});
        });
        ASSERT_EQ(form->Editing().EstadoAnt(), "SP");
        ASSERT_EQ(form->Editing().MunicipioAnt(), "5030");
    };
    const Case cases[] = {
        {"include", [&] { Run(&TfrmLancNFEntrada::sbtIncluirClick); }},
        {"another header row",
         [&] {
             app.Dispatch([&] {
                 DataSet& nf = form->data.cdsNotaFiscal;
                 nf.OnNewRecord = nullptr;
                 nf.Append();
                 nf.FieldByName("CDFILIAL").SetAsString("0001");
                 nf.Cancel();
                 nf.First();
             });
         }},
    };
    for (const Case& c : cases) {
        remember();
        c.step();
        EXPECT_EQ(form->Editing().EstadoAnt(), "") << c.what;
        EXPECT_EQ(form->Editing().MunicipioAnt(), "") << c.what;
        app.Dispatch([&] { form->Editing().Cancela(); });
    }

    Run(&TfrmLancNFEntrada::sbtIncluirClick);
    Cli_dfe11000().stInscEstaImp = "1234";
    Cli_dfe11000().boRetornoInscEsta = false;
    Run(&TfrmLancNFEntrada::sbtCancelarClick);
    EXPECT_EQ(Cli_dfe11000().stInscEstaImp, "");
}

// A change needs an authorized operator's release only for an entry date outside the branch's window; until
// the release exists the clerk is told so there, and elsewhere the change goes on.
// Outside the branch's window the change asks an entitled operator's release password: the server judges
// it, a wrong one is refused and the dialog stays, giving it up abandons the change, and a granted release
// holds for the posting.
TEST_F(Editing, AChangeOutsideTheEntryWindowAsksTheReleaseOnce) {
    auto prepare = [&](int daysAhead) {
        DefineOperationType("T2", {{"IDATUESTTPOP", "N"}});
        app.Dispatch([&] {
            if (InEdit(form->data.cdsNotaFiscal)) form->Editing().Cancela();
            Params({{"IDLANCDTMAIFIL", Variant("S")}});
            List({Row({{"CDTIPOOPER", "T2"}})});
            form->Header().SetCurrentType("T2");
            Header({{"CDMODDOCFISC", Variant("55")},
                    {"DTENTRSAID", Variant(Cli_dfe11000().dtDataProc.AddDays(daysAhead))}});
        });
        dialogs.ClearRecords();
    };
    auto typePassword = [](const char* op, const char* password) {
        return [op, password](Form& f) {
            auto& dialog = dynamic_cast<support::TfrmConfSenha&>(f);
            dialog.edtOperador->SetText(op);
            dialog.edtSenha->SetText(password);
            dialog.btnConfirmar->Click();
        };
    };

    prepare(0); // inside the window: nothing asked
    Run(&TfrmLancNFEntrada::sbtAlterarClick);
    EXPECT_EQ(Calls(net::kConfSenhaLiberacao), 0);
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);

    prepare(5); // given up: the change is abandoned silently
    dialogs.ExpectModal("frmConfSenha").Do(typePassword("GERENTE", "errada")).Cancel();
    Run(&TfrmLancNFEntrada::sbtAlterarClick);
    EXPECT_EQ(dialogs.Errors().back().text, "Senha de liberação inválida.") << dialogs.Describe();
    EXPECT_NE(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
    EXPECT_FALSE(Cli_dfe11000().boAltLiberacao);

    prepare(5); // the right password releases the posting
    dialogs.ExpectModal("frmConfSenha").Do(typePassword("GERENTE", "Libera#2026"));
    Run(&TfrmLancNFEntrada::sbtAlterarClick);
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit) << dialogs.Describe();
    EXPECT_TRUE(Cli_dfe11000().boAltLiberacao);
    const int asked = Calls(net::kConfSenhaLiberacao);
    app.Dispatch([&] { form->Release().SenhaLiberacao(); }); // granted: not asked again
    EXPECT_EQ(Calls(net::kConfSenhaLiberacao), asked);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
}

// The commands read as the screen names them.
TEST_F(Editing, CommandCaptions) {
    struct Case {
        const char* name;
        const char* caption;
    };
    const Case cases[] = {
        {"sbtConfirmar", "&Fechar NF"},
        {"mnuConfirmar", "Fechar &NF"},
        {"mnuReplicDoc", "&Replicação de Documentos"},
        {"mnuVencimentos", "&Vencimento"},
        {"tshVencimento", "&Vencimento"},
        {"mnuAlmoLocal", "A&lmoxarifado/Localização"},
        {"mnuRateio", "Manutenção de Ra&teios por Produtos"},
        {"mnuFiltro", "&Filtrar"},
        {"mnuGeraSaida", "&Gerar NF Saída"},
    };
    for (const Case& c : cases) {
        Component* component = form->FindComponent(c.name);
        ASSERT_NE(component, nullptr) << c.name;
        std::string caption;
        if (auto* item = dynamic_cast<MenuItem*>(component))
            caption = item->Caption();
        else if (auto* control = dynamic_cast<Control*>(component))
            caption = control->Caption();
        EXPECT_EQ(caption, c.caption) << c.name;
    }
    EXPECT_EQ(form->sbtConfirmar.Hint(), "Fechar Nota Fiscal");
    // The replicate button's popup: replicate the document or copy it into a new invoice.
    ASSERT_EQ(form->ui.sbtReplicDoc->GetPopupMenu(), form->ui.pmnReplicDoc);
    EXPECT_EQ(form->ui.mnuGerarNFId->Caption(), "Replicar Documento");
    EXPECT_EQ(form->ui.mnuGerarNF->Caption(), "Copiar Nota Fiscal");
    ASSERT_EQ(form->ui.sbtRateio->GetPopupMenu(), form->ui.pmnRateio);
    EXPECT_EQ(form->ui.mnuContRatePaga->Caption(), "Controle de Rateio das Contas a &Pagar");
}

} // namespace
} // namespace dfe::dfe11000
