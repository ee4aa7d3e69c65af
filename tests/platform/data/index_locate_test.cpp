#include "dataset_fixture.h"

#include "platform/core/abort.h"
#include "platform/data/data_error.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::Column;
using testing::Item;
using testing::ItemPacket;

// Installments: due date and sequence, loaded out of order.
class IndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.DeclareField({"DTORIGVENPAG", FieldType::DateTime, 0, false});
        ds.DeclareField({"NRSEQVENPAG", FieldType::String, 2, false});
        ds.DeclareField({"VRORIGPAG", FieldType::Float, 0, false});
        Packet p;
        p.fields = {{"DTORIGVENPAG", FieldType::DateTime, 0, false},
                    {"NRSEQVENPAG", FieldType::String, 2, false},
                    {"VRORIGPAG", FieldType::Float, 0, false}};
        const auto row = [](int day, const char* seq, double value) {
            return PacketRow{RowStatus::Unmodified, {DateTime::FromDate(2024, 5, day), seq, value}, {}};
        };
        p.rows = {row(20, "02", 20), row(10, "03", 30), row(20, "01", 10), row(5, "04", 40)};
        ds.SetData(std::move(p));
        ds.AddIndex("idxContaPagar", "DTORIGVENPAG;NRSEQVENPAG");
    }
    DataSet ds{"cdsContaPagar"};
};

TEST_F(IndexTest, MultiFieldIndexOrdersTheViewAndKeepsTheCurrentRow) {
    ds.SetRecNo(2); // "03"
    ds.SetIndexName("idxContaPagar");
    EXPECT_EQ(Column(ds, "NRSEQVENPAG"), (std::vector<std::string>{"04", "03", "01", "02"}));
    EXPECT_EQ(ds.FieldByName("NRSEQVENPAG").AsString(), "03");
    ds.SetIndexFieldNames("DTORIGVENPAG;NRSEQVENPAG", "DTORIGVENPAG");
    EXPECT_EQ(Column(ds, "NRSEQVENPAG"), (std::vector<std::string>{"01", "02", "03", "04"}));
    ds.SetIndexFieldNames("");
    EXPECT_EQ(Column(ds, "NRSEQVENPAG"), (std::vector<std::string>{"02", "03", "01", "04"}));
    EXPECT_THROW(ds.SetIndexFieldNames("NAOEXISTE"), DataSetError);
    EXPECT_THROW(ds.SetIndexName("idxNenhum"), DataSetError);
}

TEST_F(IndexTest, RowsStayInOrderAsTheyArePostedAndEdited) {
    ds.SetIndexName("idxContaPagar");
    ds.Append();
    ds.FieldByName("DTORIGVENPAG").SetAsDateTime(DateTime::FromDate(2024, 5, 15));
    ds.FieldByName("NRSEQVENPAG").SetAsString("05");
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_EQ(Column(ds, "NRSEQVENPAG"), (std::vector<std::string>{"04", "03", "05", "01", "02"}));
    ds.First();
    ds.Edit();
    ds.FieldByName("DTORIGVENPAG").SetAsDateTime(DateTime::FromDate(2024, 6, 1));
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 5);
    EXPECT_EQ(ds.FieldByName("NRSEQVENPAG").AsString(), "04");
    EXPECT_EQ(Column(ds, "NRSEQVENPAG"), (std::vector<std::string>{"03", "05", "01", "02", "04"}));
}

TEST_F(IndexTest, LocateUsesTheIndexAndFindsByBothFields) {
    ds.SetIndexName("idxContaPagar");
    EXPECT_TRUE(ds.Locate("NRSEQVENPAG;DTORIGVENPAG", {Variant("01"), Variant("20/05/2024")}));
    EXPECT_EQ(ds.FieldByName("VRORIGPAG").AsFloat(), 10);
    EXPECT_TRUE(ds.Locate("DTORIGVENPAG", Variant(DateTime::FromDate(2024, 5, 20))));
    EXPECT_EQ(ds.FieldByName("NRSEQVENPAG").AsString(), "01"); // the first in the view's order
    EXPECT_FALSE(
        ds.Locate("DTORIGVENPAG;NRSEQVENPAG", {Variant(DateTime::FromDate(2024, 5, 20)), Variant("09")}));
    EXPECT_EQ(ds.FieldByName("NRSEQVENPAG").AsString(), "01");
}

class LocateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds.SetData(ItemPacket({Item("001", "Ação", 1, 10), Item("002", "acao", 2, 20),
                               Item("003", "AÇÃO", 3, 30), Item("004", "Ação", 4, 40)}));
        ds.Last();
    }
    DataSet ds{"cdsItensNFe"};
};

struct LocateCase {
    const char* fields;
    std::vector<Variant> values;
    LocateOptions options;
    int recNo; // 0: not found
};

class LocateTableTest : public LocateTest, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(LocateTableTest, FindsTheFirstMatchOrStaysPut) {
    const LocateCase& c = GetParam();
    int scrolls = 0;
    ds.AfterScroll = [&](DataSet&) { ++scrolls; };
    const bool found = ds.Locate(c.fields, c.values, c.options);
    EXPECT_EQ(found, c.recNo != 0);
    EXPECT_EQ(ds.RecNo(), c.recNo ? c.recNo : 4);
    EXPECT_EQ(scrolls, found ? 1 : 0);
    for (const bool indexed : {false, true}) {
        ds.SetIndexFieldNames(indexed ? "CDPRODUTO;QTITEMPROD" : "");
        ds.Last();
        EXPECT_EQ(ds.Locate(c.fields, c.values, c.options), c.recNo != 0) << "indexed " << indexed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LocateTableTest,
    ::testing::Values(
        LocateCase{"CDPRODUTO", {Variant("Ação")}, {}, 1}, LocateCase{"CDPRODUTO", {Variant("ação")}, {}, 0},
        LocateCase{"CDPRODUTO", {Variant("ação")}, {true, false}, 1},
        LocateCase{"CDPRODUTO;QTITEMPROD", {Variant("AÇÃO"), Variant(3)}, {}, 3},
        LocateCase{"cdproduto;qtitemprod", {Variant("ação"), Variant("4")}, {true, false}, 4},
        LocateCase{"CDPRODUTO;QTITEMPROD", {Variant("Ação"), Variant(2)}, {}, 0},
        LocateCase{"CDPRODUTO", {Variant("ac")}, {false, true}, 2},
        LocateCase{
            "NRSEQITPROD;CDPRODUTO;QTITEMPROD", {Variant("002"), Variant("acao"), Variant(2.0)}, {}, 2}));

TEST_F(LocateTest, BadArgumentsAreClearErrors) {
    EXPECT_THROW(ds.Locate("CDPRODUTO;QTITEMPROD", {Variant("x")}), DataSetError);
    EXPECT_THROW(ds.Locate("NAOEXISTE", Variant("x")), DataSetError);
    EXPECT_THROW(ds.Locate("QTITEMPROD", Variant("muitos")), DataSetError);
    EXPECT_EQ(ds.RecNo(), 4);
}

TEST_F(LocateTest, LookupReturnsValuesWithoutMoving) {
    EXPECT_EQ(ds.Lookup("NRSEQITPROD", {Variant("002")}, "CDPRODUTO"), Variant("acao"));
    const Variant both = ds.Lookup("NRSEQITPROD", {Variant("003")}, "CDPRODUTO;QTITEMPROD");
    ASSERT_TRUE(both.IsArray());
    EXPECT_EQ(both.AsArray()[1], Variant(3.0));
    EXPECT_TRUE(ds.Lookup("NRSEQITPROD", {Variant("999")}, "CDPRODUTO").IsNull());
    EXPECT_EQ(ds.RecNo(), 4);
}

TEST_F(LocateTest, LocatePostsAPendingEditFirst) {
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("novo");
    EXPECT_TRUE(ds.Locate("CDPRODUTO", Variant("novo")));
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(ds.ChangeCount(), 1);
}

TEST_F(LocateTest, LocateRespectsTheFilter) {
    ds.SetFilter("QTITEMPROD > 1");
    ds.SetFiltered(true);
    EXPECT_FALSE(ds.Locate("NRSEQITPROD", Variant("001")));
    EXPECT_TRUE(ds.Locate("NRSEQITPROD", Variant("003")));
}

} // namespace
} // namespace dfe
