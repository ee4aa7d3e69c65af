#include "dataset_fixture.h"

#include "platform/data/data_error.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::Column;
using testing::Item;
using testing::ItemPacket;

// Four items: quantities 0, 2, null and 5; products with mixed case; one inactive.
class FilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        Packet p = ItemPacket({Item("001", "ab", 0, 10), Item("002", "AB", 2, 20), Item("003", "cd", 3, 30),
                               Item("004", "Lançamento", 5, 0)});
        p.rows[2].values[2] = Variant::Null();
        p.rows[3].values[6] = Variant(false);
        ds.SetData(std::move(p));
    }
    std::vector<std::string> Filtered(const std::string& expression, bool caseInsensitive = false) {
        ds.SetFiltered(false);
        ds.SetFilterCaseInsensitive(caseInsensitive);
        ds.SetFilter(expression);
        ds.SetFiltered(true);
        return Column(ds, "NRSEQITPROD");
    }
    DataSet ds{"cdsNFOrigLista"};
};

struct FilterCase {
    const char* expression;
    std::vector<std::string> rows;
    bool caseInsensitive = false;
};

class FilterTableTest : public FilterTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTableTest, ExpressionSelectsRows) {
    const FilterCase& c = GetParam();
    EXPECT_EQ(Filtered(c.expression, c.caseInsensitive), c.rows) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterTableTest,
    ::testing::Values(
        FilterCase{"QTITEMPROD > 0", {"002", "004"}}, FilterCase{"QTITEMPROD >= 0", {"001", "002", "004"}},
        FilterCase{"QTITEMPROD <> 2", {"001", "004"}}, // a Null compares false either way
        FilterCase{"QTITEMPROD IS NULL", {"003"}},
        FilterCase{"QTITEMPROD IS NOT NULL", {"001", "002", "004"}}, FilterCase{"CDPRODUTO = 'ab'", {"001"}},
        FilterCase{"CDPRODUTO = 'ab'", {"001", "002"}, true},
        FilterCase{"cdproduto = 'LANÇAMENTO'", {"004"}, true},
        FilterCase{"CDPRODUTO = 'ab' and VRUNITITEM > 0", {"001"}},
        FilterCase{"CDPRODUTO = 'cd' OR QTITEMPROD = 5", {"003", "004"}},
        FilterCase{"not (QTITEMPROD > 1)", {"001", "003"}},
        FilterCase{"QTITEMPROD * VRUNITITEM >= 40", {"002"}},
        FilterCase{"VRUNITITEM / QTITEMPROD = 10", {"002"}},
        FilterCase{"VRUNITITEM / QTITEMPROD IS NULL", {"001", "003"}}, // division by zero is Null
        FilterCase{"-QTITEMPROD < -1", {"002", "004"}}, FilterCase{"IDATIVO = FALSE", {"004"}},
        FilterCase{"IDATIVO", {"001", "002", "003"}},
        FilterCase{"DTENTRADA = '01/03/2024'", {"001", "002", "003", "004"}},
        FilterCase{"NRSEQITPROD > '002' AND (QTITEMPROD > 1 OR QTITEMPROD IS NULL)", {"003", "004"}},
        FilterCase{"[CDPRODUTO] = 'it''s'", {}}));

struct MalformedCase {
    const char* expression;
    const char* position; // "posição N"
};

class MalformedFilterTest : public FilterTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedFilterTest, ErrorNamesThePositionAndThePreviousFilterStays) {
    const MalformedCase& c = GetParam();
    Filtered("QTITEMPROD > 0");
    try {
        ds.SetFilter(c.expression);
        FAIL() << "accepted " << c.expression;
    } catch (const DataSetError& e) {
        EXPECT_NE(std::string(e.what()).find(c.position), std::string::npos) << e.what();
    }
    EXPECT_EQ(ds.Filter(), "QTITEMPROD > 0");
    EXPECT_EQ(Column(ds, "NRSEQITPROD"), (std::vector<std::string>{"002", "004"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedFilterTest,
    ::testing::Values(
        MalformedCase{"QTITEMPROD >", "posição 13"}, MalformedCase{"QTITEMPROD > 0 and", "posição 19"},
        MalformedCase{"(QTITEMPROD > 0", "posição 16"}, MalformedCase{"QTITEMPROD > 0)", "posição 15"},
        MalformedCase{"CDPRODUTO = 'ab", "posição 13"}, MalformedCase{"NAOEXISTE = 1", "posição 1"},
        MalformedCase{"CDPRODUTO = 5", "posição 11"}, MalformedCase{"CDPRODUTO + 1 > 0", "posição 11"},
        MalformedCase{"QTITEMPROD = NULL", "posição 12"}, MalformedCase{"QTITEMPROD", "posição 1"},
        MalformedCase{"QTITEMPROD > 0 # 1", "posição 16"}, MalformedCase{"'Ação' = 1 ¤", "posição 12"}));

TEST_F(FilterTest, FilterRecordHandlerAndRefreshByToggling) {
    std::string wanted = "002";
    ds.OnFilterRecord = [&](DataSet& d) {
        EXPECT_EQ(d.State(), DataSetState::Filter);
        return d.FieldByName("NRSEQITPROD").AsString() == wanted;
    };
    ds.SetFiltered(true);
    EXPECT_EQ(Column(ds, "NRSEQITPROD"), (std::vector<std::string>{"002"}));
    wanted = "003";
    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 4);
    ds.SetFiltered(true);
    EXPECT_EQ(Column(ds, "NRSEQITPROD"), (std::vector<std::string>{"003"}));
    EXPECT_EQ(ds.State(), DataSetState::Browse);
}

TEST_F(FilterTest, PostedRowThatNoLongerMatchesLeavesTheView) {
    Filtered("QTITEMPROD > 0");
    ds.Edit();
    ds.FieldByName("QTITEMPROD").SetAsFloat(0);
    ds.Post();
    EXPECT_EQ(Column(ds, "NRSEQITPROD"), (std::vector<std::string>{"004"}));
    ds.Append();
    ds.FieldByName("NRSEQITPROD").SetAsString("005");
    ds.FieldByName("QTITEMPROD").SetAsFloat(1);
    ds.Post();
    EXPECT_EQ(Column(ds, "NRSEQITPROD"), (std::vector<std::string>{"004", "005"}));
    EXPECT_EQ(ds.Data().rows.size(), 5u); // hidden rows are still data
}

TEST_F(FilterTest, HandlerThatThrowsLeavesTheViewAsItWas) {
    ds.OnFilterRecord = [](DataSet&) -> bool { throw std::runtime_error("regra falhou"); };
    EXPECT_THROW(ds.SetFiltered(true), std::runtime_error);
    EXPECT_FALSE(ds.Filtered());
    EXPECT_EQ(ds.RecordCount(), 4);
}

TEST_F(FilterTest, IndexChangeRefusedByAThrowingFilterKeepsTheOldOrderUsable) {
    bool fail = false;
    ds.OnFilterRecord = [&](DataSet&) {
        if (fail) throw std::runtime_error("regra falhou");
        return true;
    };
    ds.SetFiltered(true);
    ds.SetIndexFieldNames("CDPRODUTO");
    fail = true;
    EXPECT_THROW(ds.SetIndexFieldNames("NRSEQITPROD", "NRSEQITPROD"), std::runtime_error);
    EXPECT_EQ(ds.IndexFieldNames(), "CDPRODUTO");
    EXPECT_TRUE(ds.Locate("CDPRODUTO", Variant("cd")));
    EXPECT_EQ(ds.FieldByName("NRSEQITPROD").AsString(), "003");
}

} // namespace
} // namespace dfe
