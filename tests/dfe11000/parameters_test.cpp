#include "module_fixture.h"

#include "platform/core/abort.h"
#include "platform/net/check_result.h"
#include "platform/net/net_errors.h"

namespace dfe::dfe11000 {
namespace {

class Parameters : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        DefineOperationType("T1");
        form->Header().SetCurrentType("T1");
    }
    std::string Param(const char* field) const {
        return form->data.cdsParamDFE.FieldByName(field).AsString();
    }
    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(Parameters, ABranchsParametersLoadOnceWithItsFiscalGroups) {
    struct Step {
        const char* branch;
        int loads;
        const char* discount;
    };
    const Step steps[] = {{"0001", 1, "VRDESCITEM"},
                          {"0001", 1, "VRDESCITEM"},
                          {"0002", 2, "VRDESPERITEM"},
                          {"0002", 2, "VRDESPERITEM"},
                          {"0001", 3, "VRDESCITEM"}};
    for (const Step& s : steps) {
        form->Parameters().GetParamDFE(s.branch);
        EXPECT_EQ(Calls("GetParamDFE"), s.loads) << s.branch;
        EXPECT_EQ(Calls("GetImpFili"), s.loads) << s.branch;
        EXPECT_EQ(Param("CDFILIAL"), s.branch);
        EXPECT_EQ(Cli_dfe11000().stColunaDesc, s.discount) << s.branch;
        EXPECT_EQ(form->ui.dbgItemProduto->Column(9).FieldName(), s.discount) << s.branch;
        EXPECT_EQ(form->ui.dbgItemsNFForn->Column(8).FieldName(), s.discount) << s.branch;
        EXPECT_FALSE(form->data.cdsGrupoImpFili.IsEmpty()) << s.branch;
    }
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

TEST_F(Parameters, AHalfFinishedLoadIsNotKept) {
    form->Parameters().GetParamDFE("0001");
    Answer("GetImpFili",
           [](const net::RpcRequest&) { return net::MakeErrorAnswer("Grupos fiscais indisponíveis."); });
    EXPECT_THROW(form->Parameters().GetParamDFE("0002"), net::ServerRefusal);
    EXPECT_FALSE(form->Parameters().ParamDFELoadedFor("0002"));
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->server.References().Count(net::kDocFiscEntrada), 1); // only the form's own reference

    overrides_.clear();
    form->Parameters().GetParamDFE("0002");
    EXPECT_EQ(Calls("GetParamDFE"), 3);
    EXPECT_EQ(Param("CDFILIAL"), "0002");
    EXPECT_TRUE(form->Parameters().ParamDFELoadedFor("0002"));
}

TEST_F(Parameters, ConnectionFailuresAreRepeatedSilentlyThenAskedAbout) {
    int failuresLeft = 4;
    Answer("GetImpFili", [&](const net::RpcRequest&) -> std::optional<Variant> {
        if (failuresLeft-- > 0) throw net::ConnectionError("conexão perdida");
        return std::nullopt;
    });
    // Three failures pass unnoticed; the fourth asks, and "Não" abandons without keeping half a load.
    dialogs.ExpectQuestion("Err_Conex").Answer(11);
    EXPECT_THROW(form->Parameters().GetParamDFE("0002"), Abort);
    EXPECT_FALSE(form->Parameters().ParamDFELoadedFor("0002"));
    EXPECT_EQ(Calls("GetImpFili"), 4);

    // "Sim" reconnects and repeats; the server answers this time and the load completes.
    failuresLeft = 4;
    dialogs.ExpectQuestion("Err_Conex").Answer(10);
    form->Parameters().GetParamDFE("0002");
    EXPECT_TRUE(form->Parameters().ParamDFELoadedFor("0002"));
    EXPECT_FALSE(form->data.cdsGrupoImpFili.IsEmpty());
    EXPECT_EQ(Calls("GetImpFili"), 9);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->server.References().Count(net::kDocFiscEntrada), 1);
    EXPECT_EQ(form->server.References().Count(net::kLancNFEntrada), 1);
}

TEST_F(Parameters, TheSupplierSearchIsOfferedOnlyWhenEveryConditionHolds) {
    struct Case {
        const char* branch; // 0001 offers the search (IDCONSFORNFJ "S"), 0002 does not
        const char* cpfCnpjByType;
        const char* replicated;
        const char* otherSystem;
        bool offered;
    };
    const Case cases[] = {
        {"0001", "N", "", "", true},   {"0002", "N", "", "", false},    {"0001", "S", "", "", false},
        {"0001", "N", "S", "", false}, {"0001", "N", "", "123", false},
    };
    form->data.cdsRomaneioNF.CreateDataSet();
    form->data.cdsRomaneioNF.Append();
    form->data.cdsRomaneioNF.Post();
    form->Header().SetCurrentType("T1");
    for (const Case& c : cases) {
        DefineOperationType("T1", {{"IDINFCPFCNPJNF", c.cpfCnpjByType}});
        form->data.cdsRomaneioNF.Edit();
        form->data.cdsRomaneioNF.FieldByName("IDDOCREPLIC").SetAsString(c.replicated);
        form->data.cdsRomaneioNF.FieldByName("DSNOTAFISORIGOL").SetAsString(c.otherSystem);
        form->data.cdsRomaneioNF.Post();
        form->Parameters().GetParamDFE(c.branch);
        EXPECT_EQ(form->ui.btpFornecedor->Enabled(), c.offered)
            << c.branch << " " << c.cpfCnpjByType << " '" << c.replicated << "' '" << c.otherSystem << "'";
    }
}

TEST_F(Parameters, SupplierParametersAndTheirThreeAnswers) {
    form->Parameters().GetParamForn("J11222333000181");
    ASSERT_TRUE(form->data.cdsParamForne.Active());
    EXPECT_EQ(form->data.cdsParamForne.FieldByName("IDOBRIMPXMLNF").AsString(), "S");
    EXPECT_EQ(form->Parameters().SupplierString(), "UTILIZA PRODXFORNDDF");
    EXPECT_TRUE(form->data.cdsProdXFornDF.Active());

    // A refusal stops the calling rule with the server's message and leaves no supplier's rules behind.
    EXPECT_THROW(form->Parameters().GetParamForn("J1122233300018100000000"), Abort);
    EXPECT_FALSE(form->data.cdsParamForne.Active());
    EXPECT_EQ(form->Parameters().SupplierString(), "");
    ASSERT_EQ(dialogs.Errors().size(), 1u);

    // A plain text is shown and the rule goes on, without the previous supplier's parameters.
    form->Parameters().GetParamForn("J11222333000181");
    Answer("GetParamForn",
           [](const net::RpcRequest&) { return Variant("Fornecedor em revisão cadastral."); });
    EXPECT_NO_THROW(form->Parameters().GetParamForn("J45678901000175"));
    EXPECT_TRUE(dialogs.Shown("Fornecedor em revisão cadastral."));
    EXPECT_FALSE(form->data.cdsParamForne.Active());
    EXPECT_FALSE(form->data.cdsProdXFornDF.Active());
    EXPECT_EQ(form->Parameters().SupplierString(), "");

    // A malformed answer is refused, never read out of bounds.
    Answer("GetParamForn", [](const net::RpcRequest&) { return Variant::Array({"S"}); });
    EXPECT_THROW(form->Parameters().GetParamForn("J45678901000175"), Abort);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->server.References().Count(net::kLancNFEntrada), 1);
}

TEST_F(Parameters, CompanyAndGeneralParameters) {
    form->Parameters().GetParamEmpresa("01");
    ASSERT_FALSE(form->data.cdsParamEmpresa.IsEmpty());
    EXPECT_FALSE(form->data.cdsParamEmpresa.FieldByName("IDOBRIGNATFRETE").AsString().empty());
    form->Parameters().GetParamGeral();
    ASSERT_FALSE(form->data.cdsParamGeral.IsEmpty());
    EXPECT_EQ(form->data.cdsParamGeral.FieldByName("IDBLOQLANCNFOPFIL").AsString(), "S");
}

} // namespace
} // namespace dfe::dfe11000
