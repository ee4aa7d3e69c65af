#include "platform/ui/controls.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/scenario_driver.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dfe {
namespace {

// Items in a grid, the current item's product in an edit, and a search button over a branch list.
class ItemsScreen : public Form {
public:
    explicit ItemsScreen(Application& app) : Form(app), items("cdsItemProduto"), branches("qryFiliRece") {
        SetName("frmItens");
        items.CreateDataSet(
            {{"CDPRODUTO", FieldType::String, 10, false}, {"QTITEMPROD", FieldType::Float, 0, false}});
        for (const char* code : {"P1", "P2"}) {
            items.Append();
            items.FieldByName("CDPRODUTO").SetAsString(code);
            items.FieldByName("QTITEMPROD").SetAsFloat(1);
            items.Post();
        }
        items.First();
        branches.CreateDataSet({{"CDFILIAL", FieldType::String, 4, false}});
        for (const char* code : {"0001", "0002"}) {
            branches.Append();
            branches.FieldByName("CDFILIAL").SetAsString(code);
            branches.Post();
        }
        auto& dtsItens = Create<DataSourceComponent>("dtsItemProduto");
        dtsItens.Source().SetDataSet(&items);
        auto& dtsFiliais = Create<DataSourceComponent>("dtsFiliRece");
        dtsFiliais.Source().SetDataSet(&branches);
        auto& grid = Add<DBGrid>("dbgItemProduto");
        grid.SetDataSource(&dtsItens.Source());
        grid.AddColumn("CDPRODUTO");
        grid.AddColumn("QTITEMPROD");
        auto& produto = Add<DBEdit>("dbeCdProduto");
        produto.SetDataSource(&dtsItens.Source());
        produto.SetDataField("CDPRODUTO");
        auto& filial = Add<Edit>("medCdFilial");
        auto& busca = Add<Button>("btpFilial");
        busca.OnClick = [&app, &dtsFiliais, &filial, this](Component&) {
            if (app.Dialogs().PickList({"Filial|Não há filial cadastrada.", &dtsFiliais.Source(), {}}))
                filial.SetText(branches.FieldByName("CDFILIAL").AsString());
        };
    }
    DataSet items;
    DataSet branches;
};

class ScenarioDataTest : public ::testing::Test {
protected:
    ScenarioDataTest() : driver(app, transcript) {
        driver.SetScreenOpener([this](const std::string&) { app.CreateForm<ItemsScreen>().Show(); });
    }
    Application app;
    std::ostringstream transcript;
    ScenarioDriver driver;
};

TEST_F(ScenarioDataTest, GridsFieldsAndPickListsFromAScript) {
    auto result = driver.Run(R"(open ITENS
expect state cdsItemProduto browse
expect rows cdsItemProduto 2
cell dbgItemProduto 2 QTITEMPROD
type "3,5"
expect cell dbgItemProduto 2 QTITEMPROD "3,5"
expect state cdsItemProduto edit
press Left
expect field cdsItemProduto.QTITEMPROD "3,5"
press Up
expect state cdsItemProduto browse
expect text dbeCdProduto P1
pick CDFILIAL=0002
click btpFilial
expect text medCdFilial 0002
pick 1
click btpFilial
expect text medCdFilial 0001
expect field qryFiliRece.CDFILIAL 0001
)");
    EXPECT_TRUE(result.passed) << result.failure << "\n" << transcript.str();
    EXPECT_NE(transcript.str().find("pick list \"Filial\" -> CDFILIAL=0002"), std::string::npos)
        << transcript.str();
}

TEST_F(ScenarioDataTest, DataExpectationsFailWithTheirLine) {
    struct Case {
        const char* script;
        const char* message;
    };
    for (const Case& c :
         {Case{"open ITENS\nexpect field cdsItemProduto.CDPRODUTO P2\n", "holds \"P1\", not \"P2\""},
          Case{"open ITENS\nexpect field cdsNada.X 1\n", "there is no dataset cdsNada"},
          Case{"open ITENS\nexpect state cdsItemProduto edit\n", "is in browse, not edit"},
          Case{"open ITENS\ncell dbgItemProduto 3 CDPRODUTO\n", "has no row 3"},
          Case{"open ITENS\npick CDFILIAL=9999\nclick btpFilial\n", "has no row where"}}) {
        Application fresh;
        std::ostringstream out;
        ScenarioDriver d(fresh, out);
        d.SetScreenOpener([&fresh](const std::string&) { fresh.CreateForm<ItemsScreen>().Show(); });
        auto result = d.Run(c.script);
        EXPECT_FALSE(result.passed) << c.script;
        EXPECT_NE(result.failure.find(c.message), std::string::npos) << result.failure;
        EXPECT_GE(result.failedLine, 2);
    }
}

} // namespace
} // namespace dfe
