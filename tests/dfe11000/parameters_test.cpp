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
        form->astTipoOper.fill("N");
    }
    std::string Param(const char* field) const { return form->cdsParamDFE.FieldByName(field).AsString(); }
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
        form->GetParamDFE(s.branch);
        EXPECT_EQ(Calls("GetParamDFE"), s.loads) << s.branch;
        EXPECT_EQ(Calls("GetImpFili"), s.loads) << s.branch;
        EXPECT_EQ(Param("CDFILIAL"), s.branch);
        EXPECT_EQ(Cli_dfe11000().stColunaDesc, s.discount) << s.branch;
        EXPECT_EQ(form->dbgItemProduto->Column(9).FieldName(), s.discount) << s.branch;
        EXPECT_EQ(form->dbgItemsNFForn->Column(8).FieldName(), s.discount) << s.branch;
        EXPECT_FALSE(form->cdsGrupoImpFili.IsEmpty()) << s.branch;
    }
    EXPECT_EQ(dialogs.BusyDepth(), 0);
}

TEST_F(Parameters, AHalfFinishedLoadIsNotKept) {
    form->GetParamDFE("0001");
    Answer("GetImpFili",
           [](const net::RpcRequest&) { return net::MakeErrorAnswer("Grupos fiscais indisponíveis."); });
    EXPECT_THROW(form->GetParamDFE("0002"), net::ServerRefusal);
    EXPECT_FALSE(form->ParamDFELoadedFor("0002"));
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->References().Count(net::kDocFiscEntrada), 1); // only the form's own reference

    overrides_.clear();
    form->GetParamDFE("0002");
    EXPECT_EQ(Calls("GetParamDFE"), 3);
    EXPECT_EQ(Param("CDFILIAL"), "0002");
    EXPECT_TRUE(form->ParamDFELoadedFor("0002"));
}

TEST_F(Parameters, ConnectionFailuresAreRepeatedSilentlyThenAskedAbout) {
    int failuresLeft = 4;
    Answer("GetImpFili", [&](const net::RpcRequest&) -> std::optional<Variant> {
        if (failuresLeft-- > 0) throw net::ConnectionError("conexão perdida");
        return std::nullopt;
    });
    // Three failures pass unnoticed; the fourth asks, and "Não" abandons without keeping half a load.
    dialogs.ExpectQuestion("Err_Conex").Answer(11);
    EXPECT_THROW(form->GetParamDFE("0002"), Abort);
    EXPECT_FALSE(form->ParamDFELoadedFor("0002"));
    EXPECT_EQ(Calls("GetImpFili"), 4);

    // "Sim" reconnects and repeats; the server answers this time and the load completes.
    failuresLeft = 4;
    dialogs.ExpectQuestion("Err_Conex").Answer(10);
    form->GetParamDFE("0002");
    EXPECT_TRUE(form->ParamDFELoadedFor("0002"));
    EXPECT_FALSE(form->cdsGrupoImpFili.IsEmpty());
    EXPECT_EQ(Calls("GetImpFili"), 9);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->References().Count(net::kDocFiscEntrada), 1);
    EXPECT_EQ(form->References().Count(net::kLancNFEntrada), 1);
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
    form->cdsRomaneioNF.CreateDataSet();
    form->cdsRomaneioNF.Append();
    form->cdsRomaneioNF.Post();
    for (const Case& c : cases) {
        form->astTipoOper[6] = c.cpfCnpjByType;
        form->cdsRomaneioNF.Edit();
        form->cdsRomaneioNF.FieldByName("IDDOCREPLIC").SetAsString(c.replicated);
        form->cdsRomaneioNF.FieldByName("DSNOTAFISORIGOL").SetAsString(c.otherSystem);
        form->cdsRomaneioNF.Post();
        form->GetParamDFE(c.branch);
        EXPECT_EQ(form->btpFornecedor->Enabled(), c.offered)
            << c.branch << " " << c.cpfCnpjByType << " '" << c.replicated << "' '" << c.otherSystem << "'";
    }
}

TEST_F(Parameters, SupplierParametersAndTheirThreeAnswers) {
    form->GetParamForn("J11222333000181");
    ASSERT_TRUE(form->cdsParamForne.Active());
    EXPECT_EQ(form->cdsParamForne.FieldByName("IDOBRIMPXMLNF").AsString(), "S");
    EXPECT_EQ(form->stParamForn, "UTILIZA PRODXFORNDDF");
    EXPECT_TRUE(form->cdsProdXFornDF.Active());

    // A refusal stops the calling rule with the server's message and leaves no supplier's rules behind.
    EXPECT_THROW(form->GetParamForn("J1122233300018100000000"), Abort);
    EXPECT_FALSE(form->cdsParamForne.Active());
    EXPECT_EQ(form->stParamForn, "");
    ASSERT_EQ(dialogs.Errors().size(), 1u);

    // A plain text is shown and the rule goes on, without the previous supplier's parameters.
    form->GetParamForn("J11222333000181");
    Answer("GetParamForn",
           [](const net::RpcRequest&) { return Variant("Fornecedor em revisão cadastral."); });
    EXPECT_NO_THROW(form->GetParamForn("J45678901000175"));
    EXPECT_TRUE(dialogs.Shown("Fornecedor em revisão cadastral."));
    EXPECT_FALSE(form->cdsParamForne.Active());
    EXPECT_FALSE(form->cdsProdXFornDF.Active());
    EXPECT_EQ(form->stParamForn, "");

    // A malformed answer is refused, never read out of bounds.
    Answer("GetParamForn", [](const net::RpcRequest&) { return Variant::Array({"S"}); });
    EXPECT_THROW(form->GetParamForn("J45678901000175"), Abort);
    EXPECT_EQ(dialogs.BusyDepth(), 0);
    EXPECT_EQ(form->References().Count(net::kLancNFEntrada), 1);
}

TEST_F(Parameters, CompanyAndGeneralParameters) {
    form->GetParamEmpresa("01");
    ASSERT_FALSE(form->cdsParamEmpresa.IsEmpty());
    EXPECT_FALSE(form->cdsParamEmpresa.FieldByName("IDOBRIGNATFRETE").AsString().empty());
    form->GetParamGeral();
    ASSERT_FALSE(form->cdsParamGeral.IsEmpty());
    EXPECT_EQ(form->cdsParamGeral.FieldByName("IDBLOQLANCNFOPFIL").AsString(), "S");
}

} // namespace
} // namespace dfe::dfe11000
