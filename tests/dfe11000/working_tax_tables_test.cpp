#include "module_fixture.h"

namespace dfe::dfe11000 {
namespace {

class WorkingTaxTables : public testing::ModuleTest {
protected:
    void SetUp() override {
        form = &Open();
        form->data.cdsItemProImpos.CreateDataSet();
        form->data.cdsImposNFTot.CreateDataSet();
    }

    void SetShowCredited(const char* flag) {
        form->data.cdsParamDFE.CreateDataSet({FieldDef{"IDTPLANCDESC", FieldType::String, 1},
                                              FieldDef{"IDPERVISIMPSCRE", FieldType::String, 1}});
        form->data.cdsParamDFE.Append();
        form->data.cdsParamDFE.FieldByName("IDPERVISIMPSCRE").SetAsString(flag);
        form->data.cdsParamDFE.Post();
    }

    // A row whose every field holds a value of its own: the field's position, as text or number.
    static void FillDistinct(DataSet& ds, int row) {
        ds.Append();
        for (int i = 0; i < ds.FieldCount(); ++i) {
            Field& field = ds.FieldAt(i);
            if (field.IsCalculated()) continue;
            const int value = row * 100 + i;
            if (field.DataType() == FieldType::Float) {
                field.SetAsFloat(value + 0.25);
            } else {
                const std::string text = std::to_string(value);
                field.SetAsString(text.substr(text.size() - std::min<size_t>(text.size(), field.Size())));
            }
        }
        ds.Post();
    }

    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(WorkingTaxTables, EveryLoadedTaxIsCopiedFieldByField) {
    using Pair = std::pair<const char*, const char*>;
    const Pair itemTaxes[] = {
        {"CDPRODUTO", "CDPRODUTO"},
        {"CDFILIAL", "CDFILIMPOIT"},
        {"NRLANCTONF", "NRLANCIMPOIT"},
        {"NRSEQITPROD", "NRSEQIMPOIT"},
        {"CDIMPOSTO", "CDIMPOSTOIT"},
        {"SGIMPOSTO", "SGIMPOSTO"},
        {"VRCONTITIMP", "VRCONTIMPOIT"},
        {"VRPERREDBCIT", "VRREDBCIMPOIT"},
        {"VR1PERREDBCIT", "VR1REDBCIMPOIT"},
        {"VRBASECALCIT", "VRBCALCIMPOIT"},
        {"VRALIQITEM", "VRALIQIMPOIT"},
        {"VRPARDEDIT", "VRPDEDIMPOIT"},
        {"VRIMPOSTOIT", "VRIMPOSIT"},
        {"CDFISCALIT", "CDFISCIMPOIT"},
        {"CDSITUTRIBIT", "CDSTRIBIMPOIT"},
        {"CDFISCOPERIT", "CDFOPERIMPOIT"},
        {"CDSUFXCFOPIT", "CDSCFOPIMPOIT"},
        {"IDERROSIMPIT", "IDERRIMPOIT"},
        {"IDAVISIMPIT", "IDAVISIMPOIT"},
        {"IDVALORINFIT", "IDVALORINFO"},
        {"IDTRIMPSTII", "IDTRIMPSTTI"},
        {"CDSITUTRIBITNFE", "CDSTRIBITNFE"},
        {"IDMODBCITNFE", "IDMODBCITEMNFE"},
        {"IDMODBCSTITNFE", "IDMODBCSTITENFE"},
        {"CDTPCREDPICOITE", "CDTPCREDPICOITE"},
        {"CDNATUBCALPCIT", "CDNATUBCALPCIT"},
        {"VRADICALIQFECP", "VRADICALIQFECP"},
        {"VRADICFECP", "VRADICFECP"},
    };
    const Pair documentTaxes[] = {{"CDIMPOSTO", "CDIMPOSTOT"},    {"SGIMPOSTO", "SGIMPOSTO"},
                                  {"VRTOTIMPONF", "VRIMPOSTOT"},  {"IDERROSIMPTT", "IDERROSTOT"},
                                  {"IDAVISIMPTT", "IDAVISOSTOT"}, {"IDTRATIMPO", "IDTRATIMPO"},
                                  {"IDPRODNOTA", "IDPRODNOTA"}};
    for (int row = 1; row <= 2; ++row) {
        FillDistinct(form->data.cdsItemProImpos, row);
        FillDistinct(form->data.cdsImposNFTot, row);
    }
    form->Loader().AtualizaTabTrab();
    form->Loader().AtualizaTabTrab(); // rebuilt, never doubled

    struct Copy {
        DataSet& from;
        DataSet& to;
        std::span<const Pair> fields;
    };
    const Copy copies[] = {{form->data.cdsItemProImpos, form->data.cdsTrabItProImpos, itemTaxes},
                           {form->data.cdsImposNFTot, form->data.cdsTrabImposNFTot, documentTaxes}};
    for (const Copy& c : copies) {
        ASSERT_EQ(c.to.RecordCount(), 2) << c.to.Name();
        // The copy is the posting as loaded, not a change of the clerk's.
        EXPECT_EQ(c.to.ChangeCount(), 0) << c.to.Name();
        c.from.First();
        for (c.to.First(); !c.to.Eof(); c.to.Next(), c.from.Next()) {
            for (const auto& [source, target] : c.fields)
                EXPECT_EQ(c.to.FieldByName(target).AsString(), c.from.FieldByName(source).AsString())
                    << c.to.Name() << "." << target << " from " << source;
        }
    }
}

TEST_F(WorkingTaxTables, TheShownValueHidesCreditedTaxesWhenTheParameterSaysSo) {
    struct Case {
        const char* showCredited; // IDPERVISIMPSCRE; empty: no parameters loaded
        const char* fiscalCode;
        double shown;
    };
    const Case cases[] = {{"N", "2", 0.0},  {"N", "3", 0.0},  {"N", "1", 18.5}, {"N", "", 18.5},
                          {"S", "2", 18.5}, {"S", "3", 18.5}, {"", "2", 18.5}};
    for (const Case& c : cases) {
        if (*c.showCredited) {
            SetShowCredited(c.showCredited);
        } else {
            form->data.cdsParamDFE.Close();
        }
        form->data.cdsItemProImpos.EmptyDataSet();
        form->data.cdsItemProImpos.Append();
        form->data.cdsItemProImpos.FieldByName("CDFISCALIT").SetAsString(c.fiscalCode);
        form->data.cdsItemProImpos.FieldByName("VRIMPOSTOIT").SetAsFloat(18.5);
        form->data.cdsItemProImpos.Post();
        form->Loader().AtualizaTabTrab();
        const std::string what = std::string(c.showCredited) + "/" + c.fiscalCode;
        EXPECT_DOUBLE_EQ(form->data.cdsTrabItProImpos.FieldByName("VRIMPOSVISUIT").AsFloat(), c.shown)
            << what;
        EXPECT_DOUBLE_EQ(form->data.cdsTrabItProImpos.FieldByName("VRIMPOSIT").AsFloat(), 18.5) << what;
    }
}

TEST_F(WorkingTaxTables, TaxesNotLoadedLeaveEmptyWorkingTables) {
    FillDistinct(form->data.cdsItemProImpos, 1);
    form->Loader().AtualizaTabTrab();
    ASSERT_EQ(form->data.cdsTrabItProImpos.RecordCount(), 1);
    form->data.cdsItemProImpos.Close();
    form->data.cdsImposNFTot.Close();
    form->Loader().AtualizaTabTrab();
    EXPECT_TRUE(form->data.cdsTrabItProImpos.Active());
    EXPECT_TRUE(form->data.cdsTrabItProImpos.IsEmpty());
    EXPECT_TRUE(form->data.cdsTrabImposNFTot.Active());
    EXPECT_TRUE(form->data.cdsTrabImposNFTot.IsEmpty());
}

} // namespace
} // namespace dfe::dfe11000
