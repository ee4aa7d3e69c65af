#include "module_fixture.h"
#include "posting_packets.h"

#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"

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
    EXPECT_EQ(dialogs.Last()->code, kNotAvailableCode);
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

} // namespace
} // namespace dfe::dfe11000
