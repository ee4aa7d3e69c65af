#include "header_fixture.h"
#include "posting_packets.h"

#include "platform/core/nfe_access_key.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

using testing::PacketVariant;
using testing::Text;

// The key of 43 digits completed with its check digit.
std::string Key(const std::string& body) {
    const auto digit = nfe::AccessKeyCheckDigit(body);
    return digit ? body + std::to_string(*digit) : body;
}

// State 35, December 2026, the supplier's CNPJ, model 55, series 001, number 123.
std::string KeyOf(const std::string& issuer = "11222333000181", const std::string& yymm = "2612",
                  const std::string& series = "001", const std::string& number = "000000123") {
    return Key("35" + yymm + issuer + "55" + series + number + "1" + "00000001");
}

// A purchase of type 01 from supplier 11222333000181 being included at branch 0001, with an electronic
// model; the other postings holding the key and the manifestation are the test's answers.
class AccessKey : public testing::HeaderTest {
public:
    void SetUp() override {
        HeaderTest::SetUp();
        DefineOperationType("01", {{"IDTIPOOPERELE", "S"}});
        DefineOperationType("90", {{"IDTIPOOPERELE", "S"}, {"IDNFPRESTSERV", "S"}});
        Answer("getVdCAcesso", [this](const net::RpcRequest& request) -> std::optional<Variant> {
            holdersAsked.push_back(request.args);
            std::vector<testing::Values> rows;
            if (!holderStatus.empty())
                rows.push_back({{"NRACESSONFE", request.args[0].value},
                                {"CDFILIRECE", Variant("0002")},
                                {"IDSTATUS", Variant(holderStatus)}});
            return PacketVariant(form->data.cdsVdCAcesso, {}, rows);
        });
        Answer("GetManifestacao", [this](const net::RpcRequest& request) -> std::optional<Variant> {
            manifestationAsked.push_back(request.args);
            return Variant(manifestation);
        });
    }

    void Posting(const std::string& type = "01") {
        Include();
        Type("CDFILIAL", "0001");
        Type("NRLANCTONF", "NOVOCODIGO");
        Type("CDEMPRESA", "01");
        DataSet& nf = form->data.cdsNotaFiscal;
        for (const auto& [field, value] :
             {std::pair{"CDEMPRESA", "01"}, std::pair{"CDINSCESTA", "110042490114"},
              std::pair{"IDORIGDESTNF", "F"}, std::pair{"CDTIPOOPER", type.c_str()},
              std::pair{"NRINSJURNF", "11222333000181"}, std::pair{"CDFORNECED", "J11222333000181"},
              std::pair{"CDSERIEENTR", "1"}, std::pair{"NRNOTAFISC", "123"}, std::pair{"CDFILIRECE", "0001"}})
            nf.FieldByName(field).SetAsString(value);
        nf.FieldByName("DTEMISSAO").SetAsDateTime(DateTime::FromDate(2026, 12, 10));
        nf.FieldByName("NRACESSONFE").SetAsString(KeyOf());
        form->Header().SetCurrentType(type);
        form->ui.nbkDestino->SetPageIndex(1);
        form->ui.ntbChave->SetPageIndex(type == "90" ? 1 : 0);
        form->Header().ReopenInscrEstad();
        Model("S");
        form->AccessKey().boChaveManual = false;
        holderStatus.clear();
        manifestation.clear();
        holdersAsked.clear();
        manifestationAsked.clear();
        Sql("UPDATE PARAMFORNEC SET IDVERINSFORCHNFE = 'N', IDOBRCHAVACESFO = 'S'");
        Param("IDOBRCHAVACES", "N");
        Param("IDOBRCHAVACESFI", "N");
        form->Parameters().ClearSupplierParams();
    }

    void Model(const char* electronic) {
        form->data.cdsModDocFisc.SetData(PacketVariant(
            form->data.cdsModDocFisc, {Text("CDMODDOCFISC", 2), Text("IDMODDOCNFE", 1)},
            {{{"CDMODDOCFISC", Variant("55")}, {"IDMODDOCNFE", Variant(std::string(electronic))}}}));
    }
    void Param(const char* field, const char* value) {
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName(field).SetAsString(value);
        params.Post();
    }
    void Set(const char* field, const std::string& value) {
        form->data.cdsNotaFiscal.FieldByName(field).SetAsString(value);
    }
    void Sql(const std::string& statement) { lookups_->Execute(statement); }
    TfrmLancNFEntrada& Form() { return *form; }
    DataSet& Header() { return form->data.cdsNotaFiscal; }
    std::string Check() {
        return Run([&] { form->AccessKey().Vd_ChaveAcesso(); });
    }
    std::string LastText() const { return dialogs.Errors().empty() ? "" : dialogs.Errors().back().text; }

    std::string holderStatus;
    std::string manifestation;
    std::vector<std::vector<net::RpcArg>> holdersAsked;
    std::vector<std::vector<net::RpcArg>> manifestationAsked;
};

// Each part of the key against the header, in the order they are compared, and the layout's refusals.
TEST_F(AccessKey, TheKeyMustAgreeWithTheHeader) {
    struct Case {
        const char* what;
        std::function<void(AccessKey&)> setUp;
        const char* code; // empty: accepted
    };
    const auto none = [](AccessKey&) {};
    const auto key = [](std::string k) { return [k](AccessKey& t) { t.Set("NRACESSONFE", k); }; };
    const Case cases[] = {
        {"the key of the posting", none, ""},
        {"series 001 typed as 001", [](AccessKey& t) { t.Set("CDSERIEENTR", "001"); }, ""},
        {"series 001 typed as 0001", [](AccessKey& t) { t.Set("CDSERIEENTR", "0001"); }, ""},
        {"another series", [](AccessKey& t) { t.Set("CDSERIEENTR", "2"); }, "Chave_Inv"},
        {"number 000000123 typed in full", [](AccessKey& t) { t.Set("NRNOTAFISC", "000000123"); }, ""},
        {"another number", [](AccessKey& t) { t.Set("NRNOTAFISC", "124"); }, "Chave_Inv"},
        {"no number yet", [](AccessKey& t) { t.Set("NRNOTAFISC", ""); }, ""},
        {"another month", key(KeyOf("11222333000181", "2611")), "Chave_Inv"},
        {"another year", key(KeyOf("11222333000181", "2512")), "Chave_Inv"},
        {"no issue date yet", [](AccessKey& t) { t.Header().FieldByName("DTEMISSAO").Clear(); }, ""},
        {"another issuer, not compared", key(KeyOf("45678901000175")), ""},
        {"another issuer where the supplier compares it",
         [](AccessKey& t) {
             t.Sql("UPDATE PARAMFORNEC SET IDVERINSFORCHNFE = 'S'");
             t.Set("NRACESSONFE", KeyOf("45678901000175"));
         },
         "Chave_Inv"},
        {"the issuer where the supplier compares it",
         [](AccessKey& t) { t.Sql("UPDATE PARAMFORNEC SET IDVERINSFORCHNFE = 'S'"); }, ""},
        {"a CPF issuer where the supplier compares it",
         [](AccessKey& t) {
             t.Sql("UPDATE PARAMFORNEC SET IDVERINSFORCHNFE = 'S'");
             t.Set("NRINSJURNF", "12345678909");
             t.Set("CDFORNECED", "F12345678909");
             t.Set("NRACESSONFE", KeyOf("00012345678909"));
         },
         ""},
        {"a wrong check digit", key(KeyOf().substr(0, 43) + (KeyOf().back() == '9' ? "0" : "9")),
         "Chave_Inv"},
        {"43 digits", key(KeyOf().substr(0, 43)), "Chave_Menor"},
        {"state 99: neither digit nor header compared", key("99" + KeyOf().substr(2, 41) + "5"), ""},
        {"a registration abroad: nothing of the layout checked",
         [](AccessKey& t) {
             t.Sql("UPDATE PAIS SET CDPAISBACEN = '9999'");
             t.Set("NRACESSONFE", "123");
         },
         ""},
        {"the registration lookup closed: still checked",
         [](AccessKey& t) {
             t.Form().lookups.qryInscrEstad.Close();
             t.Set("NRACESSONFE", "123");
         },
         "Chave_Menor"},
    };
    for (const Case& c : cases) {
        Posting();
        c.setUp(*this);
        EXPECT_EQ(Check(), c.code) << c.what << "\n" << dialogs.Describe();
        if (*c.code) {
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeChaveAcesso) << c.what;
        }
        Sql("UPDATE PAIS SET CDPAISBACEN = '1058'");
    }
}

TEST_F(AccessKey, TheLookupOfOtherPostingsExcludesThisOneAndRunsForUncheckedKeys) {
    Posting();
    EXPECT_EQ(Check(), "");
    ASSERT_EQ(holdersAsked.size(), 1u);
    EXPECT_EQ(holdersAsked[0][0].value.AsString(), KeyOf());
    EXPECT_EQ(holdersAsked[0][1].value.AsString(), "0001NOVOCODIGO");

    const std::string unchecked = "99" + KeyOf().substr(2, 41) + "5";
    Posting();
    Set("NRACESSONFE", unchecked);
    EXPECT_EQ(Check(), "");
    EXPECT_EQ(holdersAsked.size(), 1u);
    EXPECT_EQ(manifestationAsked.size(), 1u);

    Posting();
    Sql("UPDATE PAIS SET CDPAISBACEN = '9999'");
    EXPECT_EQ(Check(), "");
    EXPECT_TRUE(holdersAsked.empty()) << "a registration abroad is not looked up";
    EXPECT_EQ(manifestationAsked.size(), 1u) << "but its manifestation is";
}

TEST_F(AccessKey, AKeyHeldByAnotherPostingNamesItsBranch) {
    struct Case {
        const char* status;
        const char* code;
        const char* text;
    };
    const Case cases[] = {
        {"L", "Chave_Pre", "Chave de acesso pré-lançada pelo processo simplificado para a filial 0002."},
        {"I", "Chave_Pre", "Chave de acesso pré-lançada pelo processo simplificado para a filial 0002."},
        {"P", "Chave_Cad", "Chave de acesso já utilizada pela filial 0002."},
    };
    for (const Case& c : cases) {
        Posting();
        holderStatus = c.status;
        EXPECT_EQ(Check(), c.code) << c.status;
        EXPECT_EQ(LastText(), c.text) << c.status;
    }
}

// An empty key is refused only for an electronic model and type, and then by one of three parameters.
TEST_F(AccessKey, AnEmptyKeyIsRefusedWhereItIsMandatory) {
    struct Case {
        const char* what;
        const char* model;
        const char* electronicType;
        const char* participant;
        const char* supplierFlag;
        const char* branchFlag;
        const char* ownBranchFlag;
        bool refused;
    };
    const Case cases[] = {
        {"the supplier asks for it", "S", "S", "F", "S", "N", "N", true},
        {"no flag asks", "S", "S", "F", "N", "N", "N", false},
        {"the branch asks for it", "S", "S", "C", "N", "S", "N", true},
        {"own branches' documents need it", "S", "S", "L", "N", "N", "S", true},
        {"the own-branch flag on a supplier document", "S", "S", "F", "N", "N", "S", false},
        {"the supplier flag on a customer document", "S", "S", "C", "S", "N", "N", false},
        {"a model on paper", "N", "S", "F", "S", "S", "S", false},
        {"no model yet", "", "S", "F", "S", "S", "S", false},
        {"a type that is not electronic", "S", "N", "F", "S", "S", "S", false},
    };
    for (const Case& c : cases) {
        DefineOperationType("01", {{"IDTIPOOPERELE", c.electronicType}});
        Posting();
        Set("NRACESSONFE", "");
        Set("IDORIGDESTNF", c.participant);
        if (std::string(c.participant) != "F") Set("NRINSJURNF", "99888777000100");
        Model(c.model);
        Sql(std::string("UPDATE PARAMFORNEC SET IDOBRCHAVACESFO = '") + c.supplierFlag + "'");
        Param("IDOBRCHAVACES", c.branchFlag);
        Param("IDOBRCHAVACESFI", c.ownBranchFlag);
        EXPECT_EQ(Check(), c.refused ? "Chave_Inf" : "") << c.what << "\n" << dialogs.Describe();
    }
}

TEST_F(AccessKey, TheManifestationBlocksOnlyANewPosting) {
    struct Case {
        const char* answer;
        const char* code;
        const char* text;
    };
    const Case cases[] = {
        {"2", "Bloq_Inc", "Operação Bloqueada! Nota Fiscal Denegada."},
        {"3", "Bloq_Inc", "Operação Bloqueada! Nota Fiscal Cancelada."},
        {"5", "BloqManif_Inc",
         "Operação Bloqueada! Nota Fiscal com Manifestação Operação desconhecida. Para inclusão desta nota é "
         "preciso alterar a manifestação do usuário."},
        {"6", "BloqManif_Inc",
         "Operação Bloqueada! Nota Fiscal com Manifestação Operação Não Realizada. Para inclusão desta nota "
         "é "
         "preciso alterar a manifestação do usuário."},
        {"1", "", ""},
        {"4", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        Posting();
        manifestation = c.answer;
        EXPECT_EQ(Check(), c.code) << "'" << c.answer << "'";
        if (*c.code) {
            EXPECT_EQ(LastText(), c.text);
        }
        ASSERT_EQ(manifestationAsked.size(), 1u);
        const std::vector<net::RpcArg>& args = manifestationAsked[0];
        ASSERT_EQ(args.size(), 5u);
        EXPECT_EQ(args[0].value.AsString(), "01");
        EXPECT_EQ(args[1].value.AsString(), "110042490114");
        EXPECT_EQ(args[2].value.AsString(), "1");
        EXPECT_EQ(args[3].value.AsString(), "");
        EXPECT_EQ(args[4].value.AsString(), KeyOf());
    }
    // A posting being changed is not asked, nor one without a key.
    Posting();
    form->data.cdsNotaFiscal.Post();
    form->data.cdsNotaFiscal.Edit();
    manifestation = "3";
    EXPECT_EQ(Check(), "");
    Posting();
    Set("NRACESSONFE", "");
    Model("N");
    EXPECT_EQ(Check(), "");
    EXPECT_TRUE(manifestationAsked.empty());
}

TEST_F(AccessKey, AManualKeyCannotBeTypedOverAndLeavingItDoesNotCheckIt) {
    Posting();
    Set("NRACESSONFE", "123");
    form->AccessKey().boChaveManual = true;
    app.Dispatch([&] { form->ui.dbeChaveAcesso->SetFocus(); });
    app.TypeText("45");
    app.PressKey(key::Back);
    app.PressKey(key::Delete);
    EXPECT_EQ(form->ui.dbeChaveAcesso->Text(), "123");
    dialogs.ClearRecords();
    app.KeyDown(key::Tab);
    EXPECT_NE(form->ActiveControl(), form->ui.dbeChaveAcesso) << dialogs.Describe();
    EXPECT_TRUE(dialogs.Errors().empty());
    // The rule itself still runs (the confirmation calls it).
    EXPECT_EQ(Check(), "Chave_Menor");

    form->AccessKey().boChaveManual = false;
    app.Dispatch([&] { form->ui.dbeChaveAcesso->SetFocus(); });
    app.TypeText("4");
    app.PressKey(key::Back);
    app.TypeText("45");
    EXPECT_EQ(form->ui.dbeChaveAcesso->Text(), "45");
    dialogs.ClearRecords();
    app.KeyDown(key::Tab);
    EXPECT_EQ(form->ActiveControl(), form->ui.dbeChaveAcesso);
    ASSERT_FALSE(dialogs.Errors().empty());
    EXPECT_EQ(dialogs.Errors().back().code, "Chave_Menor");
}

TEST_F(AccessKey, AServiceInvoiceNeedsOnlyItsCodeWhereTheKeyIsMandatory) {
    struct Case {
        const char* what;
        const char* code;
        const char* supplierFlag;
        const char* expected;
    };
    const Case cases[] = {
        {"no code where it is mandatory", "", "S", "ChavePS_Inf"},
        {"a code where it is mandatory", "ABC-123 x", "S", ""},
        {"no code where it is not mandatory", "", "N", ""},
    };
    for (const Case& c : cases) {
        Posting("90");
        Set("NRACESSONFE", "123"); // never checked for a service
        Set("CDCHAVEACESNFPS", c.code);
        Sql(std::string("UPDATE PARAMFORNEC SET IDOBRCHAVACESFO = '") + c.supplierFlag + "'");
        EXPECT_EQ(Check(), c.expected) << c.what << "\n" << dialogs.Describe();
        if (*c.expected) {
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeChavePServ) << c.what;
        }
        EXPECT_TRUE(holdersAsked.empty()) << c.what;
        EXPECT_TRUE(manifestationAsked.empty()) << c.what;
    }
}

TEST_F(AccessKey, TheProtocolDateShowsDayNameDateAndTime) {
    Posting();
    Field& protocol = form->data.cdsNotaFiscal.FieldByName("DTHRPROTOCOLNFE");
    EXPECT_EQ(protocol.DisplayText(), "");
    protocol.SetAsDateTime(DateTime::FromDateTime(2026, 12, 10, 14, 30, 5));
    EXPECT_EQ(protocol.DisplayText(), "qui 10/12/2026 14:30:05");
    EXPECT_EQ(protocol.Text(), protocol.AsString());
}

// The issue date of a posting generated from the XML must be the XML's.
TEST_F(AccessKey, TheIssueDateOfAnXMLPostingMustBeTheXMLs) {
    std::optional<DateTime> stored;
    std::vector<std::string> asked;
    Answer("Vd_DataEmissXML", [&](const net::RpcRequest& request) -> std::optional<Variant> {
        asked.push_back(request.args[0].value.AsString());
        std::vector<testing::Values> rows;
        if (stored) rows.push_back({{"NRACESSONFE", request.args[0].value}, {"DTEMISSAO", Variant(*stored)}});
        return PacketVariant(form->data.cdsVdEmissaoXML, {}, rows);
    });
    struct Case {
        const char* what;
        const char* generated;
        std::optional<DateTime> xml;
        const char* code;
    };
    const Case cases[] = {
        {"the same day", "S", DateTime::FromDateTime(2026, 12, 10, 9, 15, 0), ""},
        {"another day", "S", DateTime::FromDate(2026, 12, 9), "DtEmis_XML"},
        {"no XML stored", "S", std::nullopt, "DtEmis_XML"},
        {"a typed posting", "N", DateTime::FromDate(2026, 12, 9), ""},
    };
    for (const Case& c : cases) {
        Posting();
        Set("IDNFGERADAVIAXML", c.generated);
        stored = c.xml;
        asked.clear();
        EXPECT_EQ(Run([&] { form->AccessKey().Vd_DataEmissXML(); }), c.code) << c.what;
        EXPECT_EQ(asked, std::string(c.generated) == "S" ? std::vector<std::string>{KeyOf()}
                                                         : std::vector<std::string>{})
            << c.what;
    }

    Posting();
    form->data.cdsNotaFiscal.FieldByName("DTEMISSAO").Clear();
    EXPECT_EQ(Run([&] { form->AccessKey().Vd_DataEmissXML(); }), "DtEmis_Inf");
    EXPECT_EQ(form->ActiveControl(), form->ui.dbdDtEmissao);

    // An issue date the clerk cannot change is not compared.
    Posting();
    Set("IDNFGERADAVIAXML", "S");
    stored.reset();
    asked.clear();
    form->ui.dbdDtEmissao->SetEnabled(false);
    EXPECT_EQ(Run([&] { form->AccessKey().Vd_DataEmissXML(); }), "");
    EXPECT_TRUE(asked.empty());
    form->ui.dbdDtEmissao->SetEnabled(true);
}

TEST_F(AccessKey, TheXMLsCFOPsMustFitTheOperationType) {
    bool conflicts = false;
    int asked = 0;
    std::vector<net::RpcArg> args;
    Answer("GetVd_CFOPXML_TIPOOPER", [&](const net::RpcRequest& request) -> std::optional<Variant> {
        ++asked;
        args = request.args;
        std::vector<testing::Values> rows;
        if (conflicts) rows.push_back({{"CDPRODUTO", Variant("0000000001")}});
        return PacketVariant(form->data.cdsCFOPXML, {}, rows);
    });
    struct Case {
        const char* what;
        const char* generated;
        const char* key;
        const char* parameter;
        const char* bonus;
        bool conflicts;
        bool asks;
        const char* code;
    };
    const Case cases[] = {
        {"a product's CFOP is not allowed", "S", "K", "S", "N", true, true, "Cfop_TipoOper"},
        {"every CFOP allowed", "S", "K", "S", "N", false, true, ""},
        {"a typed posting", "N", "K", "S", "N", true, false, ""},
        {"no key", "S", "", "S", "N", true, false, ""},
        {"the check is off", "S", "K", "N", "N", true, false, ""},
        {"a bonus purchase type", "S", "K", "S", "S", true, false, ""},
    };
    for (const Case& c : cases) {
        DefineOperationType("01", {{"IDTIPOOPERELE", "S"}, {"IDCMPVNDBONI", c.bonus}});
        Posting();
        Set("IDNFGERADAVIAXML", c.generated);
        Set("NRACESSONFE", *c.key ? KeyOf() : "");
        if (!form->data.cdsParamGeral.Active()) form->Parameters().GetParamGeral();
        DataSet& general = form->data.cdsParamGeral;
        general.Edit();
        general.FieldByName("IDUTCFOPXMLLANNF").SetAsString(c.parameter);
        general.Post();
        conflicts = c.conflicts;
        asked = 0;
        EXPECT_EQ(Run([&] { form->AccessKey().Vd_CFOPXML_TIPOOPER(); }), c.code) << c.what;
        EXPECT_EQ(asked, c.asks ? 1 : 0) << c.what;
    }
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[0].value.AsString(), KeyOf());
    EXPECT_EQ(args[1].value.AsString(), "01");
    EXPECT_EQ(args[2].value.AsString(), "0001");
}

// A new posting and a cancelled one start without the manual key of the posting before.
TEST_F(AccessKey, IncludeAndCancelClearTheManualKey) {
    const std::function<void(TfrmLancNFEntrada&)> commands[] = {
        [](TfrmLancNFEntrada& f) { f.Editing().Include(); },
        [](TfrmLancNFEntrada& f) { f.Editing().Cancel(); },
    };
    for (const auto& command : commands) {
        Posting();
        form->AccessKey().boChaveManual = true;
        app.Dispatch([&] { command(*form); });
        EXPECT_FALSE(form->AccessKey().boChaveManual) << dialogs.Describe();
    }
}

} // namespace
} // namespace dfe::dfe11000
