#include "header_fixture.h"
#include "posting_packets.h"

#include "dfe11000/header/participant_rules.h"
#include "support/consiste.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace dfe::dfe11000 {
namespace {

using testing::PacketVariant;
using testing::Text;

// A purchase being included at branch 0001 on the supplier page, with the server's model, qualification and
// EDI answers given by the test.
class Participants : public testing::HeaderTest {
public:
    void SetUp() override {
        HeaderTest::SetUp();
        Answer("GetModDoc", [this](const net::RpcRequest&) -> std::optional<Variant> {
            return PacketVariant(
                form->data.cdsModDoc, {Text("CDMODDOCFISC", 2), Text("DSMODDOCFISC", 60)},
                {{{"CDMODDOCFISC", Variant("55")}, {"DSMODDOCFISC", Variant("Nota Fiscal Eletrônica")}}});
        });
        Answer("GetQualifForn", [this](const net::RpcRequest&) -> std::optional<Variant> {
            std::vector<testing::Values> rows;
            if (qualified) rows.push_back({{"CDFORNECED", Variant("J11222333000181")}});
            return PacketVariant(form->data.cdsQualifForn, {Text("CDFORNECED", 21)}, rows);
        });
        Answer("VerifFornEDI", [this](const net::RpcRequest&) -> std::optional<Variant> {
            return Variant(std::string(edi ? "S" : "N"));
        });
    }

    // A new purchase of type 01 with `number` typed as the supplier.
    void Purchase(const std::string& number) {
        Include();
        DataSet& nf = form->data.cdsNotaFiscal;
        nf.FieldByName("IDORIGDESTNF").SetAsString("F");
        nf.FieldByName("CDTIPOOPER").SetAsString("01");
        nf.FieldByName("NRINSJURNF").SetAsString(number);
        form->Header().SetCurrentType("01");
        form->ui.nbkDestino->SetPageIndex(1);
        form->ui.dbeNrInsJurNF->SetEnabled(true); // as the purchase type's exit leaves it
        form->data.cdsItemEncargo.CreateDataSet();
        for (const auto& [field, value] : {std::pair{"IDBLOQFORIRR", "N"}, std::pair{"IDBLOQCMPSAFFIL", "N"},
                                           std::pair{"IDPERFORNECO", "S"}, std::pair{"IDUTILINTNFF", "N"},
                                           std::pair{"IDBLOQRAIZCNPJDI", "N"},
                                           std::pair{"IDUTRELACFORNAF", "N"}, std::pair{"IDUTBLOQOPAF", "N"}})
            Param(field, value);
        Cli_dfe11000().stIdNFImpAF = "N";
        Cli_dfe11000().stNRINSJURFORN.clear();
        // Each case reads its supplier's parameters afresh.
        form->Parameters().ClearSupplierParams();
        qualified = true;
        edi = false;
    }

    void Param(const char* field, const char* value) {
        DataSet& params = form->data.cdsParamDFE;
        params.Edit();
        params.FieldByName(field).SetAsString(value);
        params.Post();
    }

    void Supplier(const std::string& code, const std::string& assignments) {
        lookups_->Execute("UPDATE FORNECEDOR SET " + assignments + " WHERE CDFORNECED = :CODE",
                          {{"CODE", Variant(code)}});
    }

    void Sql(const std::string& statement) { lookups_->Execute(statement); }

    // The authorizations of the supplier `number` are being imported into the posting.
    void ImportingAFOf(const std::string& number) {
        ModuleState& st = Cli_dfe11000();
        st.stIdNFImpAF = "S";
        st.stIDTPIJURFORN = "J";
        st.stNRINSJURFORN = number;
    }

    bool qualified = true;
    bool edi = false;
};

// Every refusal of the supplier rule with its message and the focus on the number; the passing supplier.
TEST_F(Participants, TheSupplierRuleRefusesWithItsMessageAndKeepsTheFocusOnTheNumber) {
    struct Case {
        const char* what;
        const char* number;
        bool required;
        std::function<void(Participants&)> setUp;
        const char* code; // the message shown; empty: accepted
    };
    const auto none = [](Participants&) {};
    const Case cases[] = {
        {"an empty number on closing", "", true, none, "Forn_Inf"},
        {"an empty number left", "", false, none, ""},
        {"a number of no supplier", "11444777000161", false, none, "Forn_Cad"},
        {"an inactive supplier where the branch blocks them", "11222333000181", false,
         [](Participants& t) {
             t.Param("IDBLOQFORIRR", "S");
             t.Supplier("J11222333000181", "IDSITUCADA = 'I'");
         },
         "Forn_Ina"},
        {"an inactive supplier where the branch does not block them", "11222333000181", false,
         [](Participants& t) { t.Supplier("J11222333000181", "IDSITUCADA = 'I'"); }, ""},
        {"a purchase without AF from a supplier that needs one", "67890123000116", false,
         [](Participants& t) { t.Param("IDBLOQCMPSAFFIL", "S"); }, "Bloq_NF_For"},
        {"a supplier without qualification where one is needed", "45678901000175", false,
         [](Participants& t) {
             t.qualified = false;
             t.Param("IDPERFORNECO", "N");
         },
         "Permi_Forn"},
        {"another CNPJ root than the imported authorizations'", "45678901000175", false,
         [](Participants& t) {
             t.Param("IDBLOQRAIZCNPJDI", "S");
             t.ImportingAFOf("11222333000181");
         },
         "RaizInsc_Inv"},
        {"a supplier not related to the imported authorizations'", "45678901000175", false,
         [](Participants& t) {
             t.Param("IDUTRELACFORNAF", "S");
             t.ImportingAFOf("11222333000181");
         },
         "Forn_CadRelac"},
        {"a related supplier the supplier's parameters keep out", "45678901000175", false,
         [](Participants& t) {
             t.Param("IDUTRELACFORNAF", "S");
             t.Supplier("J45678901000175", "CDFORNERELAC = 'J11222333000181'");
             t.Sql("DELETE FROM PARAMFORNEC WHERE CDFORNECED = 'J45678901000175'");
             t.Sql("INSERT INTO PARAMFORNEC (CDFORNECED, IDBLQNFRELAFOAF) VALUES ('J45678901000175', 'S')");
             t.ImportingAFOf("11222333000181");
         },
         "Forn_N_Per"},
        {"a supplier for whom the posting's type is blocked", "24681357000140", false,
         [](Participants& t) { t.Param("IDUTBLOQOPAF", "S"); }, "TOper_NLib"},
        {"the accepted supplier", "11.222.333/0001-81", false, none, ""},
        {"an alphanumeric CNPJ typed in lower case with its mask", "12.abc.345/01de-35", false, none, ""},
    };
    for (const Case& c : cases) {
        Purchase(c.number);
        qualified = true;
        c.setUp(*this);
        app.Dispatch([&] { form->ui.dbeNrInsJurNF->SetFocus(); });
        form->ui.dbeNrInsJurNF->SetText(c.number);
        EXPECT_EQ(Run([&] { form->Participants().Vd_Fornecedor(c.required); }), c.code) << c.what << "\n"
                                                                                        << dialogs.Describe();
        if (std::string(c.code) == "TOper_NLib") {
            // The types released for the supplier are listed: code, name's first 10 characters, " / ".
            EXPECT_NE(dialogs.Errors().back().text.find("Operações permitidas: 04-Remessa de / 05-"),
                      std::string::npos)
                << dialogs.Errors().back().text;
            EXPECT_EQ(dialogs.Errors().back().text.find("01-"), std::string::npos);
        }
        if (*c.code) {
            EXPECT_EQ(form->ActiveControl(), form->ui.dbeNrInsJurNF)
                << c.what << " " << (form->ActiveControl() ? form->ActiveControl()->Name() : "");
        }
        Supplier("J11222333000181", "IDSITUCADA = 'A'");
    }
}

// What a new posting takes from the supplier accepted: the supplier's code and type, the bare number with its
// mask, the first model the type allows, the defaults and one line per charge kind.
TEST_F(Participants, AnAcceptedSupplierGivesTheNewPostingItsDefaults) {
    struct Case {
        const char* typed;
        const char* stored;
        const char* code;
        const char* shown;
    };
    const Case cases[] = {
        {"11222333000181", "11222333000181", "J11222333000181", "11.222.333/0001-81"},
        {"12.abc.345/01de-35", "12ABC34501DE35", "J12ABC34501DE35", "12.ABC.345/01DE-35"},
        {"123.456.789-09", "12345678909", "F12345678909", "123.456.789-09"},
    };
    for (const Case& c : cases) {
        Purchase(c.typed);
        form->ui.dbeNrInsJurNF->SetText(c.typed);
        ASSERT_EQ(Run([&] { form->Participants().Vd_Fornecedor(true); }), "")
            << c.typed << dialogs.Describe();
        EXPECT_EQ(Header("NRINSJURNF"), c.stored) << c.typed;
        EXPECT_EQ(Header("CDFORNECED"), c.code) << c.typed;
        const Field& number = form->data.cdsNotaFiscal.FieldByName("NRINSJURNF");
        EXPECT_EQ(support::FormatMaskText(number.EditMask(), number.AsString()), c.shown) << c.typed;
        EXPECT_EQ(form->lookups.qryFornecedor.FieldByName("NRINSJURFORN").DisplayText(), c.shown) << c.typed;
        EXPECT_EQ(form->ui.dbeNrInsJurNF->EditText(), c.shown) << c.typed;
        EXPECT_EQ(Header("CDMODDOCFISC"), "55") << c.typed;
        EXPECT_EQ(Header("IDBLOQUEADO"), "N");
        EXPECT_EQ(Header("IDDOCFISCAL"), "S");
        EXPECT_EQ(Header("IDDOCFINANC"), "S");
        EXPECT_EQ(form->data.cdsNotaFiscal.FieldByName("VRNOTAFISC").AsFloat(), 0);
        EXPECT_EQ(form->data.cdsItemEncargo.RecordCount(), 6) << c.typed;
    }
}

// The EDI block: leaving the number of a supplier that works with EDI integration refuses a typed purchase,
// not a document an import built.
TEST_F(Participants, ASupplierWithEdiIntegrationCannotBeTyped) {
    struct Case {
        bool edi;
        bool imported;
        const char* code;
    };
    const Case cases[] = {{true, false, "Forne_Edi"}, {false, false, ""}, {true, true, ""}};
    for (const Case& c : cases) {
        Purchase("11222333000181");
        Param("IDUTILINTNFF", "S");
        edi = c.edi;
        form->Participants().boDocImportado = c.imported;
        form->ui.dbeNrInsJurNF->SetText("11222333000181");
        EXPECT_EQ(Run([&] { form->Participants().dbeNrInsJurNFExit(); }), c.code)
            << c.edi << c.imported << dialogs.Describe();
        form->Participants().boDocImportado = false;
    }
}

// The customer and issuing-branch rules with their messages.
TEST_F(Participants, TheCustomerAndTheIssuingBranchRules) {
    struct Case {
        int page;
        const char* typed;
        const char* code;
    };
    const Case cases[] = {
        {0, "", "Clie_inf"},       {0, "11444777000161", "Cliente_Cad"},
        {0, "78901234000105", ""}, {2, "", "Forn_Inf"},
        {2, "0099", "Filial_Cad"}, {2, "2", ""},
    };
    for (const Case& c : cases) {
        Include();
        form->ui.nbkDestino->SetPageIndex(c.page);
        DBEdit* edit = c.page == 0 ? form->ui.dbeNrInsJurClie : form->ui.dbeCdFilial;
        edit->SetText(c.typed);
        const std::string shown = Run([&] {
            if (c.page == 0)
                form->Participants().Vd_Cliente();
            else
                form->Participants().Vd_FiliEmit();
        });
        EXPECT_EQ(shown, c.code) << c.page << " '" << c.typed << "'\n" << dialogs.Describe();
        if (*c.code == 0 && c.page == 0) {
            EXPECT_EQ(Header("CDCLIENTE"), "J78901234000105");
        }
        if (*c.code == 0 && c.page == 2) {
            EXPECT_EQ(Header("CDFILIEMIT"), "0002");
            const Field& number = form->lookups.qryFiliEmit.FieldByName("NRINSJURFILI");
            EXPECT_EQ(number.DisplayText(),
                      support::FormatMaskText(support::PictPess("J"), number.AsString()));
        }
    }
    // Leaving the notebook on the branch in process itself is refused.
    Include();
    form->ui.nbkDestino->SetPageIndex(2);
    form->ui.dbeCdFilial->SetText("0001");
    EXPECT_EQ(Run([&] { form->Participants().nbkDestinoExit(); }), "Fili_Inf_Inv");
}

// The supplier search lists every supplier, and the chosen one goes into the posting.
TEST_F(Participants, TheSupplierSearchListsEverySupplierAndTakesTheChosenOne) {
    Purchase("");
    app.Dispatch([&] { form->Participants().btpFornecedorBeforePesq(); });
    db::TADOIBQuery& list = form->lookups.qryPesqForn;
    ASSERT_TRUE(list.Active());
    EXPECT_GE(list.RecordCount(), 6);
    EXPECT_EQ(Cli_dfe11000().stTodos, "T");
    // The shown fields let go of the supplier while the list is open, and show the chosen one after.
    DBEdit& name = form->Require<DBEdit>("dbeNmForn");
    EXPECT_EQ(name.GetDataSource(), nullptr);
    ASSERT_TRUE(list.Locate("CDFORNECED", Variant("J12ABC34501DE35")));
    EXPECT_EQ(list.FieldByName("NRINSJURFORN").DisplayText(), "12.ABC.345/01DE-35");
    app.Dispatch([&] { form->Participants().btpFornecedorAfterPesq(); });
    EXPECT_EQ(Header("NRINSJURNF"), "12ABC34501DE35");
    EXPECT_EQ(Header("CDFORNECED"), "J12ABC34501DE35");
    EXPECT_EQ(Header("IDTPIJURNF"), "J");
    EXPECT_EQ(Cli_dfe11000().stTodos, "N");
    EXPECT_EQ(name.GetDataSource(), form->lookups.dtsFornecedor);
}

// While the authorizations of a supplier are imported, the search lists that supplier and its related ones
// only; the branch's parameter can keep the supplier itself out.
TEST_F(Participants, TheSupplierSearchOfAnImportListsTheRelatedSuppliers) {
    struct Case {
        const char* ownBlocked; // the supplier's IDBLQNFRELAFOAF
        std::vector<std::string> listed;
    };
    const Case cases[] = {{"N", {"J11222333000181", "J45678901000175"}}, {"S", {"J45678901000175"}}};
    Supplier("J45678901000175", "CDFORNERELAC = 'J11222333000181'");
    for (const Case& c : cases) {
        lookups_->Execute("DELETE FROM PARAMFORNEC WHERE CDFORNECED = 'J11222333000181'");
        lookups_->Execute(
            "INSERT INTO PARAMFORNEC (CDFORNECED, IDBLQNFRELAFOAF) VALUES ('J11222333000181', :B)",
            {{"B", Variant(c.ownBlocked)}});
        Purchase("");
        Param("IDUTRELACFORNAF", "S");
        ModuleState& st = Cli_dfe11000();
        st.stIdNFImpAF = "S";
        st.stIDTPIJURFORN = "J";
        st.stNRINSJURFORN = "11222333000181";
        form->data.cdsParamForne.Close();
        form->Parameters().SetSupplierString({});
        form->data.cdsNFRelacAF.SetData(PacketVariant(form->data.cdsNFRelacAF, {Text("CDFORNECED", 21)},
                                                      {{{"CDFORNECED", Variant("J11222333000181")}}}));
        app.Dispatch([&] { form->Participants().btpFornecedorBeforePesq(); });
        std::vector<std::string> listed;
        db::TADOIBQuery& list = form->lookups.qryPesqForn;
        for (list.First(); !list.Eof(); list.Next())
            listed.push_back(list.FieldByName("CDFORNECED").AsString());
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, c.listed) << c.ownBlocked << dialogs.Describe();
        st.stIdNFImpAF = "N";
    }
}

} // namespace
} // namespace dfe::dfe11000
