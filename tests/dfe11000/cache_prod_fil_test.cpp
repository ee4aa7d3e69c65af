#include "module_fixture.h"

namespace dfe::dfe11000 {
namespace {

class CacheProdFil : public testing::ModuleTest {
protected:
    void SetUp() override { form = &Open(); }
    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(CacheProdFil, TheProductLookupFollowsTheCacheParameterAndTheAFImport) {
    struct Case {
        const char* cache;
        bool importingAF;
        bool cached;
    };
    const Case cases[] = {{"S", false, true}, {"S", true, false}, {"N", false, false}, {"", false, false}};
    for (const Case& c : cases) {
        form->qryParamGeral.Close();
        form->qryParamGeral.SetSQL(std::string("SELECT '") + c.cache + "' AS IDCACHPRODFI");
        form->qryParamGeral.Open();
        Cli_dfe11000().boImportaAF = c.importingAF;
        form->qryValidProd.SetSQL("SELECT 1 AS X");
        form->qryValidProd.Open();
        form->CacheProdFil();
        const std::string what = std::string("cache '") + c.cache + "' AF " + (c.importingAF ? "S" : "N");
        EXPECT_FALSE(form->qryValidProd.Active()) << what;
        EXPECT_EQ(form->qryValidProd.SQL(), (c.cached ? form->qryProdCache : form->qrySemCache).SQL())
            << what;
        EXPECT_EQ(form->qryValidProd.HasParam("P_CDFILIAL"), c.cached) << what;
    }
}

TEST_F(CacheProdFil, BothTextsFindAnActiveProductOfTheDemoBranch) {
    form->CacheProdFil(); // the installation's own parameters
    for (db::TADOIBQuery* text : {&form->qryProdCache, &form->qrySemCache}) {
        form->qryValidProd.CopyFrom(*text);
        form->qryValidProd.ParamByName("P_CDPRODUTO") = Variant("1.01.001");
        if (form->qryValidProd.HasParam("P_CDFILIAL"))
            form->qryValidProd.ParamByName("P_CDFILIAL") = Variant("0001");
        form->qryValidProd.Open();
        ASSERT_EQ(form->qryValidProd.RecordCount(), 1) << text->Name();
        EXPECT_EQ(form->qryValidProd.FieldByName("NMPRODUTO").AsString(), "Leite integral UHT 1 L");
        EXPECT_EQ(form->qryValidProd.FieldByName("CDPRODUTO").AsString(), "0000000101");
    }
}

} // namespace
} // namespace dfe::dfe11000
