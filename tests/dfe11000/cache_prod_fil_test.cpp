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
        form->lookups.qryParamGeral.Close();
        form->lookups.qryParamGeral.SetSQL(std::string("SELECT '") + c.cache + "' AS IDCACHPRODFI");
        form->lookups.qryParamGeral.Open();
        Cli_dfe11000().boImportaAF = c.importingAF;
        form->lookups.qryValidProd.SetSQL("SELECT 1 AS X");
        form->lookups.qryValidProd.Open();
        form->Loader().CacheProdFil();
        const std::string what = std::string("cache '") + c.cache + "' AF " + (c.importingAF ? "S" : "N");
        EXPECT_FALSE(form->lookups.qryValidProd.Active()) << what;
        EXPECT_EQ(form->lookups.qryValidProd.SQL(),
                  (c.cached ? form->lookups.qryProdCache : form->lookups.qrySemCache).SQL())
            << what;
        EXPECT_EQ(form->lookups.qryValidProd.HasParam("P_CDFILIAL"), c.cached) << what;
    }
}

TEST_F(CacheProdFil, BothTextsFindAnActiveProductOfTheDemoBranch) {
    form->Loader().CacheProdFil(); // the installation's own parameters
    for (db::TADOIBQuery* text : {&form->lookups.qryProdCache, &form->lookups.qrySemCache}) {
        form->lookups.qryValidProd.CopyFrom(*text);
        form->lookups.qryValidProd.ParamByName("P_CDPRODUTO") = Variant("1.01.001");
        if (form->lookups.qryValidProd.HasParam("P_CDFILIAL"))
            form->lookups.qryValidProd.ParamByName("P_CDFILIAL") = Variant("0001");
        form->lookups.qryValidProd.Open();
        ASSERT_EQ(form->lookups.qryValidProd.RecordCount(), 1) << text->Name();
        EXPECT_EQ(form->lookups.qryValidProd.FieldByName("NMPRODUTO").AsString(), "Leite integral UHT 1 L");
        EXPECT_EQ(form->lookups.qryValidProd.FieldByName("CDPRODUTO").AsString(), "0000000101");
    }
}

} // namespace
} // namespace dfe::dfe11000
