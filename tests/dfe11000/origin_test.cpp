#include "header_fixture.h"
#include "posting_packets.h"

#include "dfe11000/header/origin_codes.h"
#include "dfe11000/header/origin_rules.h"

#include <optional>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

using testing::PacketVariant;
using testing::Values;

TEST(OriginCodes, TheOperationListSplitsIntoEntryAndExitCodes) {
    struct Case {
        const char* operations;
        const char* entry;
        const char* exit;
    } cases[] = {
        {"", "", ""},
        {"_S_51_", "", "_51_"},
        {"_E_01_", "_01_", ""},
        {"_E_01_S_51_S_52_", "_01_", "_51_52_"},
        // Without the closing separator the last code is what is left.
        {"_S_51_S_52", "", "_51_52"},
        // Any other marker: the whole text is the entry list.
        {"51;52", "51;52", ""},
        {"_S_51_X_52_", "_S_51_X_52_", "_51_"},
        // One character is not a group.
        {"_", "", ""},
    };
    for (const Case& c : cases) {
        const OriginCodeLists lists = ParseOriginCodes(c.operations);
        EXPECT_EQ(lists.entry, c.entry) << c.operations;
        EXPECT_EQ(lists.exit, c.exit) << c.operations;
    }
}

TEST(OriginCodes, TheIssuerFilterFollowsTheParticipantAndTheSearch) {
    const OriginParticipant customer{"C", "J", "89012345000179", "", "0001", false};
    const OriginParticipant branch{"L", "", "", "0002", "0001", false};
    OriginParticipant reversal = branch;
    reversal.reversal = true;
    struct Case {
        const char* what;
        const OriginParticipant& participant;
        OriginSearch search;
        OriginFilter expected;
    } cases[] = {
        {"customer, field", customer, OriginSearch::ReturnField, {{"J", "89012345000179", ""}, "0001"}},
        {"customer, search", customer, OriginSearch::ReturnSearch, {{"J", "89012345000179", "T"}, "0001"}},
        {"customer, list", customer, OriginSearch::ReturnList, {{"J", "89012345000179", "T"}, "0001"}},
        {"customer, complement",
         customer,
         OriginSearch::ComplementSearch,
         {{"J", "89012345000179", ""}, "0001"}},
        // A transfer's invoices are the issuing branch's, issued to the branch the posting is typed for.
        {"branch, field", branch, OriginSearch::ReturnField, {{"", "", "0001"}, "0002"}},
        {"branch reversal, field", reversal, OriginSearch::ReturnField, {{"", "", "0002"}, "0001"}},
        {"branch, complement", branch, OriginSearch::ComplementSearch, {{"", "", "0002"}, "0001"}},
        {"branch, list", branch, OriginSearch::ReturnList, {{"T", "T", "0002"}, "0001"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IssuerFilter(c.participant, c.search), c.expected) << c.what;
    EXPECT_EQ(RetSemMascara("12.345.678/0001-95"), "12345678000195");
    EXPECT_EQ(RetSemMascara("(11),2"), "112");
}

// A customer's return being included at branch 0001: type 07 names outgoing invoices of type 51, one or a
// list of them. The server's candidates are the test's.
class Origin : public testing::HeaderTest {
public:
    void SetUp() override {
        HeaderTest::SetUp();
        DefineOperationType("07", {{"IDOPERDEVONF", "S"},
                                   {"IDUTLLISTORI", "S"},
                                   {"IDORIGDESTOP", "C"},
                                   {"DSOPERNFORIG", "_S_51_"}});
        DefineOperationType("14", {{"IDOPERDEVONF", "N"}, {"DSOPERNFORIG", "_E_05_"}});
        DefineOperationType("15", {{"IDOPTRIANGULAR", "S"}});
        Answer("GetNFOrigSaid", [this](const net::RpcRequest& request) -> std::optional<Variant> {
            asked.push_back(request);
            std::vector<Values> rows;
            for (const Values& row : outgoing) {
                const std::string number = request.args[5].value.AsString();
                if (number == "T" || number == "L" || row.at("NRNOTAFISC").AsString() == number)
                    rows.push_back(row);
            }
            return PacketVariant(form->data.cdsNFOrigSaid, {}, rows);
        });
        Answer("GetItemProduto", [this](const net::RpcRequest&) -> std::optional<Variant> {
            return PacketVariant(form->data.cdsItemProduto, {}, {});
        });
    }

    void Posting(const std::string& type, const std::string& kind = "C") {
        Include();
        Type("CDFILIAL", "0001");
        Type("NRLANCTONF", "NOVOCODIGO");
        Type("CDTIPOOPER", type);
        DataSet& nf = form->data.cdsNotaFiscal;
        for (const auto& [field, value] :
             {std::pair{"CDEMPRESA", "01"}, std::pair{"CDTIPOOPER", type.c_str()},
              std::pair{"IDORIGDESTNF", kind.c_str()}, std::pair{"IDTPIJURNF", "J"},
              std::pair{"NRINSJURNF", "89012345000179"}, std::pair{"CDCLIENTE", "J89012345000179"}})
            nf.FieldByName(field).SetAsString(value);
        form->Header().SetCurrentType(type);
        form->ui.nbkDestino->SetPageIndex(kind == "C" ? 0 : 1);
        form->ui.nbkNFOrigem->SetPageIndex(type == "07" ? 1 : 0);
        for (DBEdit* e : {form->ui.dbeSerieSaida, form->ui.dbeNumeroSaida}) {
            e->SetDataSource(form->data.dtsItemNotaFisc);
            e->SetEnabled(true);
        }
        form->ui.dbeSerieSaida->SetDataField("CDSERIE");
        form->ui.dbeNumeroSaida->SetDataField("NRNOTAFISC");
        for (Control* c : std::initializer_list<Control*>{form->ui.dbeCdSerie, form->ui.dbeNrNotaFisc})
            c->SetEnabled(true);
        DataSet& related = form->data.cdsItemNotaFisc;
        if (IsEditing(related.State())) related.Cancel();
        related.CreateDataSet();
        Cli_dfe11000().boAjustaNr = true;
        Cli_dfe11000().stListDevol.clear();
        asked.clear();
    }

    static Values Invoice(const char* posting, const char* number, double nfce = 0) {
        return {{"CDFILIAL", Variant("0001")}, {"NRLANCTONF", Variant(posting)},
                {"CDSERIE", Variant("1")},     {"NRNOTAFISC", Variant(number)},
                {"IDTPIJURNF", Variant("J")},  {"NRINSJURNF", Variant("89012345000179")},
                {"QTDNFCE", Variant(nfce)},    {"DSLANCAMENTO", Variant(std::string("0001 - ") + posting)},
                {"VRNOTAFISC", Variant(100.0)}};
    }

    void Related(const char* field, const std::string& value) {
        DataSet& related = form->data.cdsItemNotaFisc;
        if (related.State() == DataSetState::Browse) related.Edit();
        related.FieldByName(field).SetAsString(value);
    }
    std::string RelatedText(const char* field) const {
        return form->data.cdsItemNotaFisc.FieldByName(field).AsString();
    }
    void WidthOfOutgoingNumbers(int digits) {
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName("NRTAMNUMNFUTS").SetValue(Variant(int64_t{digits}));
        params.Post();
    }

    std::vector<Values> outgoing;
    std::vector<net::RpcRequest> asked;
};

TEST_F(Origin, AReturnIsOneWithATypedOutgoingNumberOrAList) {
    DefineOperationType("07", {{"IDOPERDEVONF", "S"}, {"IDORIGDESTOP", "C"}, {"DSOPERNFORIG", "_S_51_"}});
    Posting("07");
    EXPECT_FALSE(form->Origin().DevolucaoOrigem());
    Related("NRNOTAFISC", "77");
    EXPECT_TRUE(form->Origin().DevolucaoOrigem());
    DefineOperationType("07", {{"IDOPERDEVONF", "S"}, {"IDUTLLISTORI", "S"}, {"IDORIGDESTOP", "C"}});
    Related("NRNOTAFISC", "");
    EXPECT_TRUE(form->Origin().DevolucaoOrigem());
}

TEST_F(Origin, TheOutgoingNumberIsPaddedWhenTypedAndTheFirstCandidateTaken) {
    outgoing = {Invoice("0000000090", "000000123"), Invoice("0000000091", "000000124")};
    struct Case {
        const char* what;
        bool typed;
        const char* number;
        const char* stored;
        const char* error;
        const char* posting;
    } cases[] = {
        {"typed, found", true, "123", "000000123", "", "0000000090"},
        {"typed, another", true, "124", "000000124", "", "0000000091"},
        {"picked numbers are kept as they came", false, "123", "123", "NFOrigem_Cad", ""},
        {"not there", true, "999", "000000999", "NFOrigem_Cad", ""},
    };
    for (const Case& c : cases) {
        Posting("07");
        WidthOfOutgoingNumbers(9);
        Cli_dfe11000().boAjustaNr = c.typed;
        Related("CDSERIE", "1");
        Related("NRNOTAFISC", c.number);
        EXPECT_EQ(Run([&] { form->Origin().dbeNumeroSaidaExit(); }), c.error) << c.what;
        EXPECT_EQ(RelatedText("NRNOTAFISC"), c.stored) << c.what;
        EXPECT_EQ(RelatedText("NRLANCTONFIT"), c.posting) << c.what;
        if (*c.posting) {
            EXPECT_EQ(RelatedText("CDFILIALIT"), "0001") << c.what;
        }
    }
}

TEST_F(Origin, TheSearchSendsTheCustomerAndTheTypesOfTheOrigin) {
    outgoing = {Invoice("0000000090", "000000123")};
    Posting("07");
    form->ui.medCdFilial->SetText("0001");
    Related("CDSERIE", "1");
    Related("NRNOTAFISC", "000000123");
    Cli_dfe11000().boAjustaNr = false;
    ASSERT_EQ(Run([&] { form->Origin().dbeNumeroSaidaExit(); }), "");
    ASSERT_EQ(asked.size(), 1u);
    const auto& args = asked.front().args;
    const std::vector<std::string> expected = {
        "0001", "J", "89012345000179", "", "1", "000000123", "", "_51_", "07", "N", "N", "", ""};
    ASSERT_EQ(args.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(args[i].value.AsString(), expected[i]) << "argument " << i;
    // The filter sent is what the next loads of the related documents send.
    EXPECT_EQ(Cli_dfe11000().stTp, "J");
    EXPECT_EQ(Cli_dfe11000().stNr, "89012345000179");
}

TEST_F(Origin, AConsumerInvoiceAsOriginMarksThePosting) {
    outgoing = {Invoice("0000000092", "000000125", 1)};
    Posting("07");
    Related("CDSERIE", "1");
    Related("NRNOTAFISC", "000000125");
    ASSERT_EQ(Run([&] { form->Origin().dbeNumeroSaidaExit(); }), "");
    EXPECT_EQ(Cli_dfe11000().stExisteDadosNF, "S");
}

TEST_F(Origin, TheListAddsTheChosenOriginsOnceAndLoadsTheItemsOnce) {
    Answer("GetNFOrigLista", [this](const net::RpcRequest&) -> std::optional<Variant> {
        return PacketVariant(form->data.cdsNFOrigLista, {},
                             {Invoice("0000000090", "000000123"), Invoice("0000000091", "000000124"),
                              Invoice("0000000093", "000000126")});
    });
    Posting("07");
    form->ui.rbtLista->SetChecked(true);
    // One of them is already related.
    DataSet& related = form->data.cdsItemNotaFisc;
    related.Append();
    related.FieldByName("CDFILIALIT").SetAsString("0001");
    related.FieldByName("NRLANCTONFIT").SetAsString("0000000091");
    related.Post();
    const int loads = Calls("GetItemProduto");
    dialogs.ExpectMultiSelect().Choose({"0001 - 0000000090", "0001 - 0000000091", "0001 - 0000000093"});
    ASSERT_EQ(Run([&] { form->Origin().btpListaClick(); }), "");
    EXPECT_EQ(related.RecordCount(), 3);
    for (const char* posting : {"0000000090", "0000000091", "0000000093"})
        EXPECT_TRUE(related.Locate("CDFILIALIT;NRLANCTONFIT", {Variant("0001"), Variant(posting)}))
            << posting;
    EXPECT_EQ(Calls("GetItemProduto"), loads + 1);
    EXPECT_EQ(Cli_dfe11000().stListDevol, "_0001 - 0000000090_0001 - 0000000091_0001 - 0000000093");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);

    // Chosen again: nothing more.
    dialogs.ExpectMultiSelect().Choose({"0001 - 0000000090"});
    ASSERT_EQ(Run([&] { form->Origin().btpListaClick(); }), "");
    EXPECT_EQ(related.RecordCount(), 3);
}

TEST_F(Origin, TheOriginIsRequiredWhenTheTypeSaysSo) {
    DefineOperationType("07", {{"IDOPERDEVONF", "S"}, {"IDNFORIGOBRI", "S"}, {"IDORIGDESTOP", "C"}});
    Posting("07");
    form->ui.rbtUnica->SetChecked(true);
    EXPECT_EQ(Run([&] { form->Origin().Vd_NFOrigObrig(); }), "Said_Inf");
    Related("NRNOTAFISC", "000000123");
    EXPECT_EQ(Run([&] { form->Origin().Vd_NFOrigObrig(); }), "");
    form->ui.rbtLista->SetEnabled(true);
    form->ui.rbtLista->SetChecked(true);
    EXPECT_EQ(Run([&] { form->Origin().Vd_NFOrigObrig(); }), "Said_Inf");
    Cli_dfe11000().stListDevol = "_0001 - 0000000090";
    EXPECT_EQ(Run([&] { form->Origin().Vd_NFOrigObrig(); }), "");
}

// Code 14 returns a remittance whole: leaving the group copies its items into a posting that has none.
TEST_F(Origin, ARemittanceReturnCopiesTheOriginItemsIntoAnEmptyPosting) {
    Answer("GetNFOrigem", [this](const net::RpcRequest&) -> std::optional<Variant> {
        return PacketVariant(form->data.cdsNFOrigem, {},
                             {{{"CDFILIAL", Variant("0001")},
                               {"NRLANCTONF", Variant("0000000040")},
                               {"CDSERIEENTR", Variant("1")},
                               {"NRNOTAFISC", Variant("000000555")}}});
    });
    Answer("GetDevolucao", [this](const net::RpcRequest&) -> std::optional<Variant> {
        return PacketVariant(form->data.cdsDevolucao, {}, {});
    });
    std::vector<std::string> keys;
    Answer("GetItemNFOrigem", [&](const net::RpcRequest& request) -> std::optional<Variant> {
        keys.push_back(request.args[0].value.AsString());
        return PacketVariant(form->data.cdsItemNFOrigem, {},
                             {{{"CDPRODUTO", Variant("0000000201")},
                               {"CDARVPROD", Variant("1.02.001")},
                               {"NMPRODUTO", Variant("Farinha de trigo tipo 1 5 kg")},
                               {"QTITEMPROD", Variant(10.0)},
                               {"VRUNITITEM", Variant(12.5)},
                               {"VRTOTAITEM", Variant(125.0)}},
                              {{"CDPRODUTO", Variant("0000000202")},
                               {"CDARVPROD", Variant("1.02.002")},
                               {"NMPRODUTO", Variant("Macarrão espaguete 500 g")},
                               {"QTITEMPROD", Variant(4.0)},
                               {"VRUNITITEM", Variant(3.25)},
                               {"VRTOTAITEM", Variant(13.0)}}});
    });
    for (const bool withItems : {false, true}) {
        Posting("14", "F");
        DataSet& items = form->data.cdsItemProduto;
        items.CreateDataSet();
        if (withItems) testing::AddLoadedItem(items, {{"CDPRODUTO", Variant("0000000202")}});
        Related("CDSERIEENTR", "1");
        Related("NRNOTAFISC", "000000555");
        ASSERT_EQ(Run([&] { form->Origin().grbNFOrigemExit(); }), "") << dialogs.Describe();
        EXPECT_EQ(RelatedText("NRLANCTONFIT"), "0000000040");
        EXPECT_FALSE(form->ui.dbeNrNotaFisc->Enabled()) << "the reference is locked";
        if (withItems) {
            EXPECT_EQ(items.RecordCount(), 1);
            continue;
        }
        ASSERT_EQ(items.RecordCount(), 2);
        items.First();
        EXPECT_EQ(items.FieldByName("NMPRODUTO").AsString(), "Farinha de trigo tipo 1 5 kg");
        EXPECT_EQ(items.FieldByName("DSPRODEMIS").AsString(), "Farinha de trigo tipo 1 5 kg");
        EXPECT_EQ(items.FieldByName("IDITEMORIGEM").AsString(), "S");
        EXPECT_DOUBLE_EQ(items.FieldByName("VRTOTAITEM").AsFloat(), 125.0);
        EXPECT_TRUE(Cli_dfe11000().boAlteraNF);
        EXPECT_TRUE(Cli_dfe11000().boCodBar);
    }
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front(), "0001 - 0000000040_");
}

TEST_F(Origin, ATriangularOperationNeedsItsRemittanceOnlyWhenRequired) {
    struct Case {
        const char* what;
        const char* supplier;
        bool required;
        const char* error;
    } cases[] = {
        {"empty on leaving the field", "", false, ""},
        {"empty at confirmation", "", true, "FORNE_NF_REMESSA_DEVE_INF"},
        {"unknown", "99.999.999/0001-91", false, "FORNE_NF_REMESSA_NAO_CAD"},
        {"registered, typed with its mask", "11.222.333/0001-81", true, ""},
    };
    for (const Case& c : cases) {
        Posting("15", "F");
        form->data.cdsNotaFiscal.FieldByName("NRINSJURFORREME").SetAsString(c.supplier);
        EXPECT_EQ(Run([&] { form->Origin().Vd_ForneNFRemessa(c.required); }), c.error) << c.what;
    }
    EXPECT_EQ(Header("CDFORNECEDREME"), "J11222333000181");
    EXPECT_EQ(Header("NRINSJURFORREME"), "11222333000181");
    EXPECT_EQ(form->data.cdsNotaFiscal.FieldByName("NRINSJURFORREME").DisplayText(), "11.222.333/0001-81");

    struct Number {
        const char* typed;
        bool required;
        const char* error;
    } numbers[] = {{"", false, ""},
                   {"", true, "NUM_NF_REMESSA_DEVE_INF"},
                   {"12'(", false, "NUM_NF_REMESSA_INV"},
                   {"4512", true, ""}};
    for (const Number& n : numbers) {
        form->data.cdsNotaFiscal.FieldByName("NRNFREMESSA").SetAsString(n.typed);
        EXPECT_EQ(Run([&] { form->Origin().Vd_NumeroNFRemessa(n.required); }), n.error) << n.typed;
    }
    // Another type has no remittance.
    Posting("07");
    EXPECT_EQ(Run([&] { form->Origin().Vd_ForneNFRemessa(true); }), "");
}

TEST_F(Origin, TheReturnedQuantitiesCommandTellsWhatTheServerAnswered) {
    struct Case {
        Variant answer;
        bool accepted;
        const char* text;
    } cases[] = {
        {Variant::Array({"OK", ""}), true, "Quantidade devolvida atualizada com sucesso."},
        {Variant::Array({"N", "Lançamento 0000000009 da filial 0001 não encontrado."}), false,
         "Lançamento 0000000009 da filial 0001 não encontrado."},
        {Variant("OK"), false, "Resposta inválida do servidor ao atualizar a quantidade devolvida."},
    };
    for (const Case& c : cases) {
        Answer("AtualizaQtdDevol",
               [&](const net::RpcRequest&) -> std::optional<Variant> { return c.answer; });
        dialogs.ClearRecords();
        app.Dispatch([&] { form->Origin().btnAtuQtdDevClick(); });
        const DialogRecord* last = dialogs.Last();
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->text, c.text);
        EXPECT_EQ(last->kind == DialogKind::Error, !c.accepted) << c.text;
    }
}

TEST_F(Origin, TheRuralProducerInvoicesSayWhenTheirModuleIsMissing) {
    dialogs.ClearRecords();
    app.Dispatch([&] { form->Origin().sbtNFProdRuralClick(); });
    ASSERT_EQ(dialogs.Errors().size(), 1u);
    EXPECT_NE(dialogs.Errors().front().text.find("Lib94000"), std::string::npos) << dialogs.Describe();
}

} // namespace
} // namespace dfe::dfe11000
