#include "dataset_fixture.h"

#include "platform/data/data_error.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

// Labels of two items: quantity and weight per batch; NRSEQETIQ is a zero-padded string.
class AggregateTest : public ::testing::Test {
protected:
    void SetUp() override {
        Packet p;
        p.fields = {{"NRSEQITPROD", FieldType::String, 4, false},
                    {"NRSEQETIQ", FieldType::String, 5, false},
                    {"QTETIQPROD", FieldType::Float, 0, false},
                    {"VRPESOETIQ", FieldType::Float, 0, false}};
        const auto row = [](const char* item, const char* seq, double qty, Variant weight) {
            return PacketRow{RowStatus::Unmodified, {item, seq, qty, std::move(weight)}, {}};
        };
        p.rows = {row("0001", "00009", 2, 1.5), row("0001", "00010", 3, 2.0),
                  row("0002", "00002", 4, Variant::Null()), row("0002", "00011", 1, 0.5)};
        ds.SetData(std::move(p));
    }
    DataSet ds{"cdsInsEtiqueta"};
};

struct AggregateCase {
    const char* expression;
    Variant all;
    Variant filtered; // NRSEQITPROD = '0001'
};

class AggregateTableTest : public AggregateTest, public ::testing::WithParamInterface<AggregateCase> {};

TEST_P(AggregateTableTest, OverTheViewOrAllRows) {
    const AggregateCase& c = GetParam();
    ds.SetFilter("NRSEQITPROD = '0001'");
    ds.SetFiltered(true);
    EXPECT_EQ(ds.Aggregate(c.expression), c.filtered) << c.expression;
    EXPECT_EQ(ds.Aggregate(c.expression, AggregateScope::AllRows), c.all) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AggregateTableTest,
    ::testing::Values(AggregateCase{"SUM(QTETIQPROD*VRPESOETIQ)", Variant(9.5), Variant(9.0)},
                      AggregateCase{"sum(QTETIQPROD)", Variant(10.0), Variant(5.0)},
                      AggregateCase{"MAX(NRSEQETIQ)", Variant("00011"), Variant("00010")},
                      AggregateCase{"MIN(NRSEQETIQ)", Variant("00002"), Variant("00009")},
                      AggregateCase{"MAX(VRPESOETIQ)", Variant(2.0), Variant(2.0)},
                      AggregateCase{"COUNT(VRPESOETIQ)", Variant(int64_t{3}), Variant(int64_t{2})},
                      AggregateCase{"COUNT(*)", Variant(int64_t{4}), Variant(int64_t{2})},
                      AggregateCase{"AVG(QTETIQPROD)", Variant(2.5), Variant(2.5)},
                      AggregateCase{"SUM((QTETIQPROD + 1) / 2)", Variant(7.0), Variant(3.5)}));

TEST_F(AggregateTest, NoRowsGiveNullAndZeroCount) {
    ds.SetFilter("NRSEQITPROD = '9999'");
    ds.SetFiltered(true);
    EXPECT_TRUE(ds.Aggregate("SUM(QTETIQPROD)").IsNull());
    EXPECT_TRUE(ds.Aggregate("MAX(NRSEQETIQ)").IsNull());
    EXPECT_EQ(ds.Aggregate("COUNT(*)"), Variant(int64_t{0}));
}

TEST_F(AggregateTest, NamedAggregatesFollowTheData) {
    ds.DeclareAggregate("QTACUMULADA", "SUM(QTETIQPROD*VRPESOETIQ)");
    ds.DeclareAggregate("NRSEQETIQMAX", "MAX(NRSEQETIQ)", AggregateScope::AllRows);
    EXPECT_EQ(ds.AggregateValue("QTACUMULADA"), Variant(9.5));
    ds.First();
    ds.Delete();
    EXPECT_EQ(ds.AggregateValue("QTACUMULADA"), Variant(6.5));
    ds.Append();
    ds.FieldByName("NRSEQETIQ").SetAsString("00012");
    ds.Post();
    EXPECT_EQ(ds.AggregateValue("NRSEQETIQMAX"), Variant("00012"));
    EXPECT_THROW(ds.AggregateValue("NAOHA"), DataSetError);
}

TEST_F(AggregateTest, MalformedAggregatesAreClearErrors) {
    const char* bad[] = {"SUM(NRSEQETIQ)", "TOTAL(QTETIQPROD)",   "SUM QTETIQPROD",
                         "SUM(QTETIQPROD", "SUM(QTETIQPROD) + 1", "MAX(*)",
                         "SUM(NAOEXISTE)"};
    for (const char* expression : bad) {
        EXPECT_THROW(ds.Aggregate(expression), DataSetError) << expression;
    }
    try {
        ds.Aggregate("SUM(QTETIQPROD * )");
        FAIL();
    } catch (const DataSetError& e) {
        EXPECT_NE(std::string(e.what()).find("posição 18"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace dfe
