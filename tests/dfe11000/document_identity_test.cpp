#include "header_fixture.h"
#include "posting_packets.h"

#include "dfe11000/header/document_rules.h"
#include "support/zymora.h"

#include <optional>
#include <string>

namespace dfe::dfe11000 {
namespace {

using testing::PacketVariant;
using testing::Text;

// A purchase of type 01 being included at São Paulo (0001), with the model 01 already on the header.
class DocumentIdentity : public testing::HeaderTest {
public:
    void Purchase(const std::string& type = "01") {
        Include();
        Set("CDTIPOOPER", type);
        Set("CDMODDOCFISC", "01");
        form->Header().SetCurrentType(type);
        Cli_dfe11000().boAvisDtEmis = false;
    }

    void Set(const char* field, const std::string& value) {
        form->data.cdsNotaFiscal.FieldByName(field).SetAsString(value);
    }
    void SetDate(const char* field, int day) {
        form->data.cdsNotaFiscal.FieldByName(field).SetAsDateTime(DateTime::FromDate(2026, 12, day));
    }
    void Param(const char* field, const Variant& value) {
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName(field).SetValue(value);
        params.Post();
    }
    std::string LastError() const { return dialogs.Errors().empty() ? "" : dialogs.Errors().back().text; }

    DocumentRules& Rules() { return form->Document(); }
};

TEST_F(DocumentIdentity, TheNumberIsTrimmedCheckedAndPaddedToTheBranchWidth) {
    struct Case {
        const char* what;
        const char* typed;
        std::string type;
        std::string issuer;  // CDFILIEMIT
        int64_t width;       // NRTAMNUMNFUT
        const char* fromXml; // IDNFGERADAVIAXML
        const char* code;    // empty: accepted
        const char* stored;
    };
    const Case cases[] = {
        {"an inner blank", " 12 3 ", "01", "", 9, "N", "Num_Inv", "12 3"},
        {"only zeros", "000", "01", "", 9, "N", "Num_Inv", "000"},
        {"more zeros than the width", "0000000000", "01", "", 9, "N", "Num_Inv", "0000000000"},
        {"padded to the branch width", "123", "01", "", 9, "N", "", "000000123"},
        {"padded to another width", " 45 ", "01", "", 6, "N", "", "000045"},
        {"zeros before a digit are a number", "0001", "01", "", 9, "N", "", "000000001"},
        {"longer than the width: kept whole", "1234567890", "01", "", 9, "N", "", "1234567890"},
        {"kept as the XML gave it", "123", "01", "", 9, "S", "", "123"},
        {"empty where another branch issued it", "", "01", "", 9, "N", "Nume_Inf", ""},
        {"empty where the branch in process issued it", "", "01", "0001", 9, "N", "", ""},
        {"empty for a type without a number", "", "08", "", 9, "N", "", ""},
        {"empty for a type 13", "", "13", "", 9, "N", "", ""},
    };
    for (const Case& c : cases) {
        Purchase(c.type);
        Set("CDFILIEMIT", c.issuer);
        Set("IDNFGERADAVIAXML", c.fromXml);
        Param("NRTAMNUMNFUT", Variant(c.width));
        Set("NRNOTAFISC", c.typed);
        EXPECT_EQ(Run([&] { Rules().Vd_Numero(); }), c.code) << c.what << "\n" << dialogs.Describe();
        EXPECT_EQ(Header("NRNOTAFISC"), c.stored) << c.what;
        if (std::string(c.code) == "Num_Inv") {
            EXPECT_EQ(LastError(), "\"" + std::string(c.stored) + "\" não é um número válido.") << c.what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeNumero) << c.what;
        }
    }
    EXPECT_EQ(form->msgPadrao.Msg("Nume_Inf"), "Número deve ser informado.");
}

// The demo postings hold each of these numbers twice; the answer names the earliest entry.
TEST_F(DocumentIdentity, ANumberAlreadyPostedForTheParticipantIsRefusedWithItsBranchAndEntryDate) {
    struct Case {
        const char* what;
        int page; // participant page: 0 customer, 1 supplier, 2 issuing branch
        const char* participantField;
        const char* participant;
        const char* model;
        const char* series;
        const char* number;
        const char* ownBranch; // a posting being changed: its own key; empty: being included
        const char* ownNumber;
        const char* text; // empty: accepted
    };
    const Case cases[] = {
        {"a supplier's number", 1, "CDFORNECED", "J45678901000175", "01", "2", "000000877", "", "",
         "Documento informado já cadastrado para a filial 0001,\rdata de entrada 08/12/2026."},
        {"a supplier's number without its zeros", 1, "CDFORNECED", "J45678901000175", "01", "2", "877", "",
         "", "Documento informado já cadastrado para a filial 0001,\rdata de entrada 08/12/2026."},
        {"the supplier's number in another series", 1, "CDFORNECED", "J45678901000175", "01", "1",
         "000000877", "", "", ""},
        {"the posting changed is not its own duplicate", 1, "CDFORNECED", "J45678901000175", "01", "2",
         "000000877", "0001", "0000000002",
         "Documento informado já cadastrado para a filial 0002,\rdata de entrada 09/12/2026."},
        {"a posting changed holding the number alone", 1, "CDFORNECED", "J11222333000181", "55", "1",
         "000012345", "0001", "0000000001", ""},
        {"the same number included", 1, "CDFORNECED", "J11222333000181", "55", "1", "000012345", "", "",
         "Documento informado já cadastrado para a filial 0001,\rdata de entrada 03/12/2026."},
        {"a customer's number", 0, "CDCLIENTE", "J89012345000179", "01", "1", "000001203", "", "",
         "Documento informado já cadastrado para a filial 0003,\rdata de entrada 08/12/2026."},
        {"an issuing branch's number", 2, "CDFILIEMIT", "0001", "01", "1", "000045001", "", "",
         "Documento informado já cadastrado para a filial 0002,\rdata de entrada 07/12/2026."},
        {"the supplier's number under another model", 1, "CDFORNECED", "J45678901000175", "55", "2",
         "000000877", "", "", ""},
        {"a free number", 1, "CDFORNECED", "J45678901000175", "01", "2", "000000878", "", "", ""},
    };
    for (const Case& c : cases) {
        Cancel();
        if (*c.ownBranch) {
            form->data.cdsNotaFiscal.Edit();
            Set("CDFILIAL", c.ownBranch);
            Set("NRLANCTONF", c.ownNumber);
        } else {
            Purchase();
        }
        Set("CDTIPOOPER", "01");
        Set("CDMODDOCFISC", c.model);
        Set(c.participantField, c.participant);
        Set("CDSERIEENTR", c.series);
        Set("NRNOTAFISC", c.number);
        form->ui.nbkDestino->SetPageIndex(c.page);
        const std::string code = Run([&] { Rules().Valida_Numero(); });
        EXPECT_EQ(code, *c.text ? "Doc_Inf_P" : "") << c.what << "\n" << dialogs.Describe();
        EXPECT_EQ(LastError(), c.text) << c.what;
        if (*c.text) {
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeNumero) << c.what;
        }
    }
    // Nothing is asked while series, model or number is missing.
    Purchase();
    Set("CDFORNECED", "J45678901000175");
    Set("NRNOTAFISC", "000000877");
    form->ui.nbkDestino->SetPageIndex(1);
    const int asked = Calls("GetNrForn");
    EXPECT_EQ(Run([&] { Rules().Valida_Numero(); }), "");
    EXPECT_EQ(Calls("GetNrForn"), asked);
}

TEST_F(DocumentIdentity, TheModelMustBeAllowedForTheOperationType) {
    struct Case {
        const char* what;
        const char* type;
        const char* typed;
        bool required;
        const char* code;
        const char* stored;
    };
    const Case cases[] = {
        {"a model padded to two digits", "01", "1", false, "", "01"},
        {"an unknown model", "01", "98", false, "DocFisc_Cad", "98"},
        {"a model the type does not allow", "09", "01", false, "DocFisc_Cad", "01"},
        {"the model the type allows", "09", "57", false, "", "57"},
        {"empty and required", "01", "", true, "DocFisc_Inf", ""},
        {"filled and required with the focus elsewhere: not looked up", "01", "98", true, "", "98"},
        {"empty and not required", "01", "", false, "", ""},
    };
    for (const Case& c : cases) {
        // A refusal leaves the focus on the model: parked elsewhere while nothing is edited.
        Cancel();
        app.Dispatch([&] { form->ui.dbeCdInscEsta->SetFocus(); });
        Purchase(c.type);
        Param("IDOBRCHAVACES", Variant("N"));
        Set("CDMODDOCFISC", c.typed);
        form->data.cdsNotaFiscal.FieldByName("DSMODDOCFISC").Clear();
        EXPECT_EQ(Run([&] { Rules().Vd_ModDocFisc(c.required); }), c.code) << c.what << "\n"
                                                                           << dialogs.Describe();
        EXPECT_EQ(Header("CDMODDOCFISC"), c.stored) << c.what;
        if (*c.code) {
            EXPECT_EQ(LastError(), form->msgPadrao.Msg(c.code)) << c.what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeModDocFis) << c.what;
        } else if (*c.stored && !c.required) {
            EXPECT_FALSE(Header("DSMODDOCFISC").empty()) << c.what;
            EXPECT_EQ(form->ui.dbeNmModDocFis->Text(), Header("DSMODDOCFISC")) << c.what;
        }
    }
    EXPECT_EQ(form->msgPadrao.Msg("DocFisc_Cad"),
              "Modelo de documeto fiscal não cadastrado para o tipo de operação informado.");
}

TEST_F(DocumentIdentity, TheModelDecidesTheCteNotebookPageAndTheFreightNatureGroup) {
    std::string answered;
    Answer("GetModDocFis", [&](const net::RpcRequest&) -> std::optional<Variant> {
        return PacketVariant(form->data.cdsModDocFisc, {Text("CDMODDOCFISC", 2), Text("DSMODDOCFISC", 60)},
                             {{{"CDMODDOCFISC", Variant(answered)}, {"DSMODDOCFISC", Variant("Modelo")}}});
    });
    struct Case {
        const char* model;
        int page;
        bool freight;
    };
    const Case cases[] = {{"66", 1, false}, {"57", 0, true},  {"67", 0, true},
                          {"8B", 0, true},  {"55", 0, false}, {"01", 0, false}};
    for (const Case& c : cases) {
        Purchase();
        Param("IDOBRCHAVACES", Variant("N"));
        answered = c.model;
        Set("CDMODDOCFISC", c.model);
        ASSERT_EQ(Run([&] { Rules().Vd_ModDocFisc(false); }), "") << c.model << "\n" << dialogs.Describe();
        EXPECT_EQ(form->ui.nbkCte->PageIndex(), c.page) << c.model;
        EXPECT_EQ(form->ui.grbNatFreteCTe->Visible(), c.freight) << c.model;
    }
}

TEST_F(DocumentIdentity, TheSeriesMustBeRegistered) {
    struct Case {
        const char* what;
        const char* typed;
        const char* issuer; // CDFILIEMIT
        const char* code;
    };
    const Case cases[] = {
        {"a registered series", "2", "", ""},
        {"a letter series", "U", "", ""},
        {"an unknown series", "Z", "", "Serie_Cad"},
        {"empty, issued elsewhere", "", "", "Serie_Inf"},
        {"empty, issued by the branch in process", "", "0001", ""},
    };
    for (const Case& c : cases) {
        Purchase();
        Set("CDFILIEMIT", c.issuer);
        Set("CDSERIEENTR", c.typed);
        EXPECT_EQ(Run([&] { Rules().Vd_Serie(); }), c.code) << c.what << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(LastError(), form->msgPadrao.Msg(c.code)) << c.what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeSerie) << c.what;
        }
    }
    EXPECT_EQ(form->msgPadrao.Msg("Serie_Cad"), "Série de documentos de entrada não cadastrada.");
}

// With a block at 30 days and a warning at 10 before the entry date of the 20th.
TEST_F(DocumentIdentity, AnEarlyIssueDateIsQuestionedOnceAndAnEarlierOneBlocked) {
    Purchase();
    Param("NRDIASBLOQDTEMI", Variant(int64_t{30}));
    Param("NRDIASAVISDTEMI", Variant(int64_t{10}));
    form->ui.dbdDtEmissao->SetEnabled(true);
    SetDate("DTENTRSAID", 20);

    SetDate("DTEMISSAO", 10);
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(false); }), ""); // on the limit
    EXPECT_TRUE(dialogs.Messages().empty()) << dialogs.Describe();

    SetDate("DTEMISSAO", 9);
    dialogs.ExpectQuestion("DtEmis_Avis").Answer(kFirstCustomAnswer); // "Sim"
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(false); }), "");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    ASSERT_FALSE(dialogs.Messages().empty());
    EXPECT_EQ(dialogs.Messages().back().text, "Data de emissão anterior à data limite. Confirma Operação?");
    EXPECT_EQ(dialogs.Messages().back().buttons, (std::vector<std::string>{"Sim", "Não"}));
    EXPECT_TRUE(Cli_dfe11000().boAvisDtEmis);
    // Accepted: not asked again (an unexpected question fails the test).
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(true); }), "");

    // A change of the entry date asks again; "Não" takes the clerk back to the issue date without refusing.
    Rules().dbdEntrSaidChange();
    EXPECT_FALSE(Cli_dfe11000().boAvisDtEmis);
    dialogs.ExpectQuestion("DtEmis_Avis").Answer(kFirstCustomAnswer + 1);
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(false); }), "");
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << dialogs.DescribePending();
    EXPECT_FALSE(Cli_dfe11000().boAvisDtEmis);
    EXPECT_EQ(form->ActiveControl(), form->ui.dbdDtEmissao);

    // Past the block, even with the warning accepted.
    Cli_dfe11000().boAvisDtEmis = true;
    form->data.cdsNotaFiscal.FieldByName("DTEMISSAO")
        .SetAsDateTime(DateTime::FromDate(2026, 12, 20).AddDays(-31));
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(false); }), "DtEmis_Bloq");
    EXPECT_EQ(LastError(), "Data de emissão fora do período permitido.");
    EXPECT_EQ(form->ActiveControl(), form->ui.dbdDtEmissao);

    // Zero counts check nothing; an empty date is refused only when required.
    Param("NRDIASBLOQDTEMI", Variant(int64_t{0}));
    Param("NRDIASAVISDTEMI", Variant::Null());
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(false); }), "");
    form->data.cdsNotaFiscal.FieldByName("DTEMISSAO").Clear();
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(false); }), "");
    EXPECT_EQ(Run([&] { Rules().Vd_DataEmiss(true); }), "DtEmis_Inf");
}

// The branch's window back of 5 days decides over the general one of 1 day; no later dates at all. The
// processing date of São Paulo is the 10th.
TEST_F(DocumentIdentity, TheEntryDateIsHeldToTheBranchWindowAroundTheProcessingDate) {
    support::zymora::LocalContext().processingDates["0001"] = DateTime::FromDateTime(2026, 12, 10, 15, 30, 0);
    struct Case {
        int entry;
        int issue;
        bool released;
        const char* code;
    };
    const Case cases[] = {
        {10, 1, false, ""},         {5, 1, false, ""},         {4, 1, false, "Data_M"},    {4, 1, true, ""},
        {11, 1, false, "Data_Mai"}, {11, 1, true, "Data_Mai"}, {7, 8, false, "DtEnt_Inv"}, {7, 7, false, ""},
    };
    for (const Case& c : cases) {
        Purchase();
        for (const auto& [field, value] :
             {std::pair{"IDLANCDTMENFIL", Variant("S")}, std::pair{"NRDIASENTRFIL", Variant(int64_t{5})},
              std::pair{"IDLANCDTMEN", Variant("S")}, std::pair{"NRDIASENTR", Variant(int64_t{1})},
              std::pair{"IDLANCDTMAIFIL", Variant("N")}, std::pair{"IDLANCDTMAI", Variant("N")}})
            Param(field, value);
        form->ui.dbdEntrSaid->SetEnabled(true);
        Cli_dfe11000().boAltLiberacao = c.released;
        SetDate("DTEMISSAO", c.issue);
        SetDate("DTENTRSAID", c.entry);
        const std::string what = "entry " + std::to_string(c.entry) + (c.released ? " released" : "");
        EXPECT_EQ(Run([&] { Rules().Vd_DataEntr(false, false); }), c.code) << what << "\n"
                                                                           << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(LastError(), form->msgPadrao.Msg(c.code)) << what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbdEntrSaid) << what;
        } else {
            EXPECT_EQ(form->data.cdsNotaFiscal.FieldByName("DTLANCAMENNF").AsDateTime(),
                      DateTime::FromDate(2026, 12, 10))
                << what;
        }
    }
    Cli_dfe11000().boAltLiberacao = false;
    form->data.cdsNotaFiscal.FieldByName("DTENTRSAID").Clear();
    EXPECT_EQ(Run([&] { Rules().Vd_DataEntr(true, false); }), "DtEntr_Inf");
}

TEST_F(DocumentIdentity, TheTotalValueMustBeFilledAndNotNegativeExceptForType03) {
    struct Case {
        const char* type;
        std::optional<double> value;
        const char* code;
    };
    const Case cases[] = {
        {"01", std::nullopt, "VrNF_inf"},
        {"01", -0.01, "VrNF_menor"},
        {"03", -10.0, ""},
        {"03", std::nullopt, "VrNF_inf"},
        {"01", 0.0, ""},
        {"01", 1980.0, ""},
    };
    for (const Case& c : cases) {
        Purchase(c.type);
        Field& value = form->data.cdsNotaFiscal.FieldByName("VRNOTAFISC");
        if (c.value)
            value.SetAsFloat(*c.value);
        else
            value.Clear();
        const std::string what = std::string(c.type) + " " + (c.value ? std::to_string(*c.value) : "null");
        EXPECT_EQ(Run([&] { Rules().Vd_ValorNF(); }), c.code) << what << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(LastError(), form->msgPadrao.Msg(c.code)) << what;
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeVrNotaFisc) << what;
        }
    }
}

} // namespace
} // namespace dfe::dfe11000
