#include "module_fixture.h"

namespace dfe::dfe11000 {
namespace {

class ExisteDadosNF : public testing::ModuleTest {
protected:
    void SetUp() override { form = &Open(); }

    static void Fill(DataSet& ds, const std::vector<double>& quantities) {
        ds.CreateDataSet();
        int number = 0;
        for (double q : quantities) {
            ds.Append();
            ds.FieldByName("NRLANCTONF").SetAsString(std::to_string(++number));
            ds.FieldByName("QTDNFCE").SetAsFloat(q);
            ds.Post();
        }
    }

    TfrmLancNFEntrada* form = nullptr;
};

TEST_F(ExisteDadosNF, RecomputedFromTheOriginsOfTheChoiceEveryTime) {
    enum Choice { Single, List, Neither };
    struct Case {
        const char* what;
        Choice choice;
        std::vector<double> single;
        std::vector<double> list;
        const char* expected;
    };
    const Case cases[] = {
        {"one origin with data", Single, {2}, {}, "S"},
        {"one origin without data", Single, {0}, {5}, "N"},
        {"two origins are not one", Single, {2, 3}, {}, "N"},
        {"no origin", Single, {}, {}, "N"},
        {"a listed origin with data", List, {}, {0, 0, 1}, "S"},
        {"listed origins without data", List, {7}, {0, 0}, "N"},
        {"an empty list", List, {}, {}, "N"},
        {"no choice made", Neither, {1}, {1}, "N"},
    };
    for (const Case& c : cases) {
        // A "S" left over from the previous case must not survive.
        Cli_dfe11000().stExisteDadosNF = "S";
        form->ui.rbtUnica->SetChecked(c.choice == Single);
        form->ui.rbtLista->SetChecked(c.choice == List);
        Fill(form->data.cdsNFOrigSaid, c.single);
        Fill(form->data.cdsNFOrigLista, c.list);
        form->Loader().Atualiza_stExisteDadosNF();
        EXPECT_EQ(Cli_dfe11000().stExisteDadosNF, c.expected) << c.what;
    }
}

TEST_F(ExisteDadosNF, TheListKeepsItsFilterAndRow) {
    form->ui.rbtLista->SetChecked(true);
    Fill(form->data.cdsNFOrigLista, {0, 4, 0, 9});
    form->data.cdsNFOrigLista.SetFilter("QTDNFCE = 0");
    form->data.cdsNFOrigLista.SetFiltered(true);
    form->data.cdsNFOrigLista.Last();
    form->Loader().Atualiza_stExisteDadosNF();
    EXPECT_EQ(Cli_dfe11000().stExisteDadosNF, "S");
    EXPECT_EQ(form->data.cdsNFOrigLista.Filter(), "QTDNFCE = 0");
    EXPECT_TRUE(form->data.cdsNFOrigLista.Filtered());
    EXPECT_EQ(form->data.cdsNFOrigLista.RecordCount(), 2);
    EXPECT_EQ(form->data.cdsNFOrigLista.FieldByName("NRLANCTONF").AsString(), "3");
}

} // namespace
} // namespace dfe::dfe11000
