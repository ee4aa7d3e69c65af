#include "module_fixture.h"
#include "posting_packets.h"

#include <algorithm>
#include <functional>

namespace dfe::dfe11000 {
namespace {

using testing::PacketFor;
using testing::PacketVariant;
using testing::Text;
using testing::Values;

constexpr const char* kInvalid = "Resposta inválida do servidor ao carregar a nota fiscal.";

class PostingLoad : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
        // A field the charges declare: a packet without it, or with text in it, does not fit.
        if (!form->data.cdsItemEncargo.FindField("VRITEMENCA"))
            form->data.cdsItemEncargo.DeclareField(FieldDef{"VRITEMENCA", FieldType::Float});
        Answer("GetItemNotaFisc", [this](const net::RpcRequest&) {
            return PacketVariant(form->data.cdsItemNotaFisc, {Text("MARCA", 10)}, {});
        });
        Answer("GetNFDadosGerais", [this](const net::RpcRequest& request) {
            sent = request;
            return answer;
        });
        form->data.dtsRomaneioNF->SetEnabled(true);
        List("0000000001");
        form->tshFormulario.SetEnabled(true);
        form->ui.tshVencimento->SetEnabled(true);
        for (DataSet* ds : Targets())
            ds->SetData(Marked(*ds, "ANTES"));
        form->Parameters().SetSupplierString("ANTES");
        references = form->server.References().Count(net::kLancNFEntrada);
        // Leaving the branch panel runs its own rules: done here, so that the tests see only theirs.
        form->Branch().boFiltroConfirmado = true;
        app.Dispatch([&] { form->ui.dbgPadrao->SetFocus(); });
        dialogs.ClearRecords();
    }

    void List(const char* number, const char* blocked = "N", const char* fromXml = "N") {
        Values row = {{"IDBLOQUEADO", blocked},
                      {"CDEMPRESA", "01"},
                      {"IDNFGERADAVIAXML", fromXml},
                      {"CDFILIAL", "0001"},
                      {"NRLANCTONF", number},
                      {"IDORIGDESTNF", "F"},
                      {"CDTIPOOPER", "01"},
                      {"IDTPIJURNF", "J"},
                      {"NRINSJURNF", "11222333000181"},
                      {"CDFILIEMIT", "0002"},
                      {"DTENTRSAID", Cli_dfe11000().dtDataProc}};
        if (!*number) row.erase("NRLANCTONF");
        app.Dispatch([&] {
            form->data.cdsRomaneioNF.SetData(
                PacketFor(form->data.cdsRomaneioNF, testing::ListRowFields(), {row}));
        });
    }

    // The datasets GetNFDadosGerais fills, in the order of its answer, and the header's copy.
    std::vector<DataSet*> Targets() const {
        return {&form->data.cdsNotaFiscal,   &form->data.cdsItemNotaFisc, &form->data.cdsItemProduto,
                &form->data.cdsItemEncargo,  &form->data.cdsContaPagar,   &form->data.cdsDadosAdic,
                &form->data.cdsImposNFTot,   &form->data.cdsItemProImpos, &form->data.cdsItensNFOrig,
                &form->data.cdsNFRelacAF,    &form->data.cdsParamForne,   &form->data.cdsProdXFornDF,
                &form->data.cdsNotaFiscalAux};
    }

    // One row marked with `mark`, with the fields the page change reads.
    Packet Marked(const DataSet& ds, const char* mark) const {
        const std::vector<FieldDef> fields = {
            Text("MARCA", 10),       Text("CDFILIAL", 4),    Text("NRLANCTONF", 10),
            Text("IDORIGDESTNF", 1), Text("IDTPIJURNF", 1),  Text("NRINSJURNF", 20),
            Text("CDMODDOCFISC", 2), Text("CDINSCESTA", 16), FieldDef{"VRITEMENCA", FieldType::Float}};
        return PacketFor(ds, fields,
                         {{{"MARCA", mark},
                           {"CDFILIAL", "0001"},
                           {"NRLANCTONF", "0000000001"},
                           {"IDORIGDESTNF", "F"},
                           {"IDTPIJURNF", "J"},
                           {"NRINSJURNF", "11222333000181"},
                           {"CDMODDOCFISC", model},
                           {"CDINSCESTA", "110042490114"},
                           {"VRITEMENCA", 12.5}}});
    }

    Variant GoodAnswer() const {
        std::vector<Variant> items = {"S", ""};
        const std::vector<DataSet*> targets = Targets();
        for (size_t i = 0; i < 10; ++i)
            items.push_back(Variant(ToDataPacket(Marked(*targets[i], "DEPOIS"))));
        items.push_back(Variant(ToDataPacket(Marked(form->data.cdsParamForne, "DEPOIS"))));
        items.push_back("UTILIZA PRODXFORNDDF");
        items.push_back(Variant(ToDataPacket(Marked(form->data.cdsProdXFornDF, "DEPOIS"))));
        return Variant::Array(std::move(items));
    }

    void ShowRecordPage() {
        app.Dispatch([&] { form->pgcPadrao.SelectPage(form->tshFormulario); });
    }

    std::string Mark(const DataSet& ds) const {
        return ds.Active() && ds.FindField("MARCA") ? ds.FieldByName("MARCA").AsString() : "(fechado)";
    }

    TfrmLancNFEntrada* form = nullptr;
    Variant answer;
    std::string model = "57";
    net::RpcRequest sent;
    int references = 0;
};

TEST_F(PostingLoad, ARefusedOrMalformedAnswerLeavesEveryDatasetAsItWas) {
    struct Case {
        const char* what;
        std::function<Variant(Variant)> spoil; // from the good answer
        const char* shown;
    };
    auto replace = [](size_t index, Variant value) {
        return [index, value](Variant good) {
            good.AsArray().Items()[index] = value;
            return good;
        };
    };
    Packet withoutDeclared;
    withoutDeclared.fields = {Text("MARCA", 10)};
    withoutDeclared.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant("DEPOIS")}, {}});
    Packet textInAFloat;
    textInAFloat.fields = {Text("MARCA", 10), Text("VRITEMENCA", 10)};
    textInAFloat.rows.push_back(PacketRow{RowStatus::Unmodified, {Variant("DEPOIS"), Variant("doze")}, {}});
    const Case cases[] = {
        {"a text", [](Variant) { return Variant("Lançamento em uso por outro operador."); },
         "Lançamento em uso por outro operador."},
        {"a refusal",
         [](Variant) {
             return Variant::Array({"N", "Nota fiscal não encontrada."});
         },
         "Nota fiscal não encontrada."},
        {"a refusal without its reason", [](Variant) { return Variant::Array({"N"}); }, kInvalid},
        {"an empty array", [](Variant) { return Variant::Array({}); }, kInvalid},
        {"element 0 not a text", replace(0, Variant(1)), kInvalid},
        {"neither text nor array", [](Variant) { return Variant(3.5); }, kInvalid},
        {"too short",
         [](Variant good) {
             good.AsArray().Items().resize(12);
             return good;
         },
         kInvalid},
        {"a dataset's element is a text", replace(4, Variant("itens")), kInvalid},
        {"damaged packet bytes", replace(6, Variant(DataPacket("lixo"))), kInvalid},
        {"a declared field missing", replace(5, Variant(ToDataPacket(withoutDeclared))), kInvalid},
        {"text in a number field", replace(5, Variant(ToDataPacket(textInAFloat))), kInvalid},
        {"only the last packet damaged", replace(14, Variant(DataPacket("lixo"))), kInvalid},
        {"the supplier string not a text", replace(13, Variant(7)), kInvalid},
    };
    std::vector<Packet> before;
    for (DataSet* ds : Targets())
        before.push_back(ds->Data());
    for (const Case& c : cases) {
        answer = c.spoil(GoodAnswer());
        dialogs.ClearRecords();
        form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
        ShowRecordPage();
        ASSERT_FALSE(dialogs.Errors().empty()) << c.what;
        EXPECT_NE(dialogs.Errors().back().text.find(c.shown), std::string::npos)
            << c.what << ": " << dialogs.Describe();
        const std::vector<DataSet*> targets = Targets();
        for (size_t i = 0; i < targets.size(); ++i) {
            ASSERT_TRUE(targets[i]->Active()) << c.what << " " << targets[i]->Name();
            EXPECT_EQ(targets[i]->Data(), before[i]) << c.what << " " << targets[i]->Name();
        }
        EXPECT_EQ(form->Parameters().SupplierString(), "ANTES") << c.what;
        EXPECT_EQ(dialogs.BusyDepth(), 0) << c.what;
        EXPECT_EQ(form->server.References().Count(net::kLancNFEntrada), references) << c.what;
    }
    EXPECT_EQ(Calls("GetNFDadosGerais"), static_cast<int>(std::size(cases)));
}

TEST_F(PostingLoad, TheWholePostingFillsTheDatasetsInTheAnswersOrder) {
    std::vector<std::string> opened;
    for (DataSet* ds : Targets()) {
        ds->AfterOpen = [&opened, previous = ds->AfterOpen](DataSet& d) {
            if (previous) previous(d);
            opened.push_back(d.Name());
        };
    }
    answer = GoodAnswer();
    Cli_dfe11000().stExisteDadosNF = "S";
    form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    ShowRecordPage();
    EXPECT_EQ(Cli_dfe11000().stExisteDadosNF, "N");
    EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
    const std::vector<std::string> order = {
        "cdsNotaFiscal", "cdsItemNotaFisc", "cdsItemProduto",  "cdsItemEncargo", "cdsContaPagar",
        "cdsDadosAdic",  "cdsImposNFTot",   "cdsItemProImpos", "cdsItensNFOrig", "cdsNFRelacAF",
        "cdsParamForne", "cdsProdXFornDF",  "cdsNotaFiscalAux"};
    EXPECT_EQ(opened, order);
    for (DataSet* ds : Targets())
        EXPECT_EQ(Mark(*ds), "DEPOIS") << ds->Name();
    EXPECT_EQ(form->data.cdsNotaFiscalAux.Data(), form->data.cdsNotaFiscal.Data());
    EXPECT_EQ(form->Parameters().SupplierString(), "UTILIZA PRODXFORNDDF");
    // The working tax tables start from what the server sent.
    EXPECT_EQ(form->data.cdsTrabItProImpos.RecordCount(), form->data.cdsItemProImpos.RecordCount());
    EXPECT_EQ(form->data.cdsTrabImposNFTot.RecordCount(), form->data.cdsImposNFTot.RecordCount());
    // The arguments: the row's key and participant, the return flag and the header's state.
    ASSERT_EQ(sent.args.size(), 12u);
    EXPECT_EQ(sent.args[0].value.AsString(), "0001");
    EXPECT_EQ(sent.args[1].value.AsString(), "0000000001");
    EXPECT_EQ(sent.args[2].value.AsString(), "J");
    EXPECT_EQ(sent.args[3].value.AsString(), "11222333000181");
    EXPECT_EQ(sent.args[4].value.AsString(), "0002");
    EXPECT_EQ(sent.args[5].value.AsString(), "N");
    EXPECT_EQ(sent.args[8].value.AsString(), "F");
    EXPECT_EQ(sent.args[10].value.AsString(), "BROWSE");
    const std::vector<std::string>& busy = dialogs.BusyTexts();
    EXPECT_NE(std::find(busy.begin(), busy.end(), "Atualizando dados do servidor..."), busy.end());
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->server.References().Count(net::kLancNFEntrada), references);
    EXPECT_EQ(form->ui.grbNatFreteCTe->Visible(), true); // model 57
    // The recipient: the company's state registration of the header.
    ASSERT_EQ(form->lookups.qryInscrEstad.RecordCount(), 1);
    EXPECT_EQ(form->lookups.qryInscrEstad.FieldByName("NMREPRINSEST").AsString(), "Ana Beatriz Nogueira");
    EXPECT_FALSE(form->lookups.qryInscrEstad.FieldByName("NMRAZSOCEMPR").AsString().empty());

    // Back on the list the posting's details are let go.
    app.Dispatch([&] { form->ui.mnuFolhaDados->Click(); });
    EXPECT_EQ(form->pgcPadrao.ActivePage(), &form->tshFolhaDados);
    for (DataSet* ds :
         {&form->data.cdsItemNotaFisc, &form->data.cdsItemProduto, &form->data.cdsItemEncargo,
          &form->data.cdsDadosAdic, &form->data.cdsContaPagar, &form->data.cdsImposNFTot,
          &form->data.cdsTrabImposNFTot, &form->data.cdsTrabItProImpos, &form->data.cdsNFRelacAF})
        EXPECT_FALSE(ds->Active()) << ds->Name();
}

TEST_F(PostingLoad, TheLoadedPostingShowsItsModelAndItsBlock) {
    struct Case {
        const char* model;
        const char* blocked;
        int cteSheet;
        bool freightNature;
        bool readOnly;
    };
    const Case cases[] = {{"57", "N", 0, true, false},
                          {"66", "N", 1, false, false},
                          {"55", "S", 0, false, true},
                          {"", "N", 0, false, false},
                          {"8B", "S", 0, true, true}};
    for (const Case& c : cases) {
        model = c.model;
        answer = GoodAnswer();
        List("0000000001", c.blocked);
        form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
        ShowRecordPage();
        const std::string what = std::string("model '") + c.model + "' blocked " + c.blocked;
        EXPECT_EQ(form->ui.nbkCte->PageIndex(), c.cteSheet) << what;
        EXPECT_EQ(form->ui.grbNatFreteCTe->Visible(), c.freightNature) << what;
        EXPECT_EQ(form->ui.dbeSerie->ReadOnly(), c.readOnly) << what;
        EXPECT_EQ(form->ui.dbgItemProduto->ReadOnly(), c.readOnly) << what;
    }
    EXPECT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
}

TEST_F(PostingLoad, AnErrorOfTheFieldBeingLeftKeepsThePage) {
    answer = GoodAnswer();
    app.Dispatch([&] { form->pgcPadrao.SelectPage(*form->ui.tshVencimento); });
    ASSERT_EQ(form->pgcPadrao.ActivePage(), form->ui.tshVencimento) << dialogs.Describe();
    form->data.cdsNotaFiscal.Edit();
    app.Dispatch([&] { form->ui.dbgContaPagar->SetFocus(); });
    form->ui.dbgContaPagar->OnExit = [](Component&) {
        throw std::runtime_error("Vencimento anterior à emissão.");
    };
    dialogs.ClearRecords();
    app.Dispatch([&] { form->pgcPadrao.SelectPage(form->tshFormulario); });
    EXPECT_EQ(form->pgcPadrao.ActivePage(), form->ui.tshVencimento);
    EXPECT_TRUE(dialogs.Shown("Vencimento anterior à emissão.")) << dialogs.Describe();
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Edit);
}

TEST_F(PostingLoad, APostingThatMustEqualItsNFeOpensOnlyTheEntryDateAndTheQuantities) {
    form->data.cdsParamDFE.SetData(PacketFor(form->data.cdsParamDFE,
                                             {Text("IDTPLANCDESC", 1), Text("IDGERNFIGUALXML", 1)},
                                             {{{"IDTPLANCDESC", "V"}, {"IDGERNFIGUALXML", "S"}}}));
    answer = GoodAnswer();
    List("0000000001", "N", "S");
    form->pgcPadrao.SetActivePage(&form->tshFolhaDados);
    ShowRecordPage();
    ASSERT_EQ(dialogs.Errors().size(), 0u) << dialogs.Describe();
    EXPECT_TRUE(form->ui.dbeSerie->ReadOnly());
    EXPECT_TRUE(form->ui.dbeVrNotaFisc->ReadOnly());
    EXPECT_FALSE(form->ui.dbdEntrSaid->ReadOnly());
    EXPECT_FALSE(form->ui.dbgItemProduto->ReadOnly());
    EXPECT_EQ(form->data.cdsItemProduto.FieldByName("QTITEMPROD").Tag(), 0);
    EXPECT_EQ(form->data.cdsItemProduto.FieldByName("VRUNITITEM").Tag(), 1);
    EXPECT_EQ(form->data.cdsItemProduto.FieldByName("CDPRODUTO").Tag(), 1);
}

TEST_F(PostingLoad, APostingBeingInsertedIsNeverAskedOfTheServer) {
    List("NOVOCODIGO");
    form->data.cdsNotaFiscal.Append();
    for (TabSheet* page : {form->ui.tshVencimento, &form->tshFolhaDados, &form->tshFormulario}) {
        form->pgcPadrao.SetActivePage(page == &form->tshFolhaDados ? form->ui.tshVencimento
                                                                   : &form->tshFolhaDados);
        app.Dispatch([&] { form->pgcPadrao.SelectPage(*page); });
    }
    EXPECT_EQ(Calls("GetNFDadosGerais"), 0);
    EXPECT_EQ(Calls("GetContaPagar"), 0);
    EXPECT_EQ(form->data.cdsNotaFiscal.State(), DataSetState::Insert);
}

TEST_F(PostingLoad, AnUnnumberedRowLoadsOnlyItsInstallments) {
    bool vencDuringCall = false;
    Answer("GetContaPagar", [&](const net::RpcRequest&) {
        vencDuringCall = Cli_dfe11000().boVenc;
        return PacketVariant(form->data.cdsContaPagar, {Text("MARCA", 10)}, {{{"MARCA", "PARCELAS"}}});
    });
    List("");
    form->ui.tshVencimento->SetEnabled(true);
    app.Dispatch([&] { form->pgcPadrao.SelectPage(*form->ui.tshVencimento); });
    EXPECT_EQ(Calls("GetContaPagar"), 1);
    EXPECT_EQ(Calls("GetNFDadosGerais"), 0);
    EXPECT_TRUE(vencDuringCall);
    EXPECT_FALSE(Cli_dfe11000().boVenc);
    EXPECT_EQ(Mark(form->data.cdsContaPagar), "PARCELAS");
    const std::vector<std::string>& busy = dialogs.BusyTexts();
    EXPECT_NE(std::find(busy.begin(), busy.end(), "Recebendo nota fiscal (Conta pagar) do servidor..."),
              busy.end());
}

} // namespace
} // namespace dfe::dfe11000
