#include "dataset_fixture.h"

#include "platform/data/data_source.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::LoadThreeItems;

struct SourceLog {
    std::vector<std::string> events;
    void Attach(DataSource& source) {
        source.OnStateChange = [this](DataSource& s) { events.push_back(DataSetStateName(s.State())); };
        source.OnDataChange = [this](DataSource&, Field* f) {
            events.push_back(f ? "data " + f->FieldName() : "data");
        };
    }
};

TEST(DataSourceTest, ReportsStateChangesFieldChangesAndScrolls) {
    DataSet ds("cdsNotaFiscal");
    DataSource source(&ds);
    SourceLog log;
    log.Attach(source);
    LoadThreeItems(ds);
    ds.Next();
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("X");
    ds.Post();
    EXPECT_EQ(log.events, (std::vector<std::string>{"BROWSE", "data", "data", "EDICAO", "data",
                                                    "data CDPRODUTO", "BROWSE", "data"}));
}

TEST(DataSourceTest, DisabledSourceIsInactiveAndHearsNothingUntilEnabled) {
    DataSet ds("cdsRomaneioNF");
    LoadThreeItems(ds);
    DataSource source(&ds);
    SourceLog log;
    log.Attach(source);
    source.SetEnabled(false);
    EXPECT_EQ(source.State(), DataSetState::Inactive);
    ds.Next();
    ds.Edit();
    source.SetEnabled(true);
    EXPECT_EQ(source.State(), DataSetState::Edit);
    EXPECT_EQ(log.events, (std::vector<std::string>{"INATIVO", "EDICAO", "data"}));
}

TEST(DataSourceTest, DisableControlsIsNestedAndEndsWithOneRefresh) {
    DataSet ds("cdsItemProduto");
    LoadThreeItems(ds);
    DataSource source(&ds);
    SourceLog log;
    log.Attach(source);
    int scrolls = 0;
    ds.AfterScroll = [&](DataSet&) { ++scrolls; };
    ds.DisableControls();
    ds.DisableControls();
    for (ds.First(); !ds.Eof(); ds.Next()) {
        ds.Edit();
        ds.FieldByName("QTITEMPROD").SetAsFloat(0);
        ds.Post();
    }
    ds.EnableControls();
    EXPECT_TRUE(ds.ControlsDisabled());
    EXPECT_TRUE(log.events.empty());
    ds.EnableControls();
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(log.events, std::vector<std::string>{"data"});
    EXPECT_EQ(scrolls, 4); // dataset events still run
    ds.EnableControls();   // one too many does no harm
    EXPECT_FALSE(ds.ControlsDisabled());
}

TEST(DataSourceTest, SourcesAndDataSetsMayDieInAnyOrder) {
    auto ds = std::make_unique<DataSet>("cdsTemp");
    DataSource first(ds.get());
    { DataSource second(ds.get()); }
    ds.reset();
    EXPECT_EQ(first.GetDataSet(), nullptr);
    EXPECT_EQ(first.State(), DataSetState::Inactive);
}

} // namespace
} // namespace dfe
