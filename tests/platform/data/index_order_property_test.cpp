#include "dataset_fixture.h"

#include "platform/core/text.h"
#include "platform/data/value_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace dfe {
namespace {

// Values chosen to stress ordering: shared long prefixes, accents and case, negative and -0 numbers, nulls.
Variant RandomText(std::mt19937& rng) {
    static const char* pieces[] = {
        "",  "a", "A", "ação", "AÇÃO", "acao", "Descrição do lançamento ", "Descrição do lançamento 1",
        "z", "é", "É", "b\x01"};
    if (rng() % 10 == 0) return Variant::Null();
    std::string s = pieces[rng() % std::size(pieces)];
    if (rng() % 2) s += pieces[rng() % std::size(pieces)];
    return Variant(s);
}

Variant RandomNumber(std::mt19937& rng) {
    static const double numbers[] = {-1e300, -2.5, -1, -0.0, 0.0, 1e-300, 1, 2.5, 3, 1e300};
    if (rng() % 10 == 0) return Variant::Null();
    return Variant(numbers[rng() % std::size(numbers)]);
}

Variant RandomInteger(std::mt19937& rng) {
    static const int64_t numbers[] = {INT64_MIN, -5, -1, 0, 1, 7, INT64_MAX};
    if (rng() % 10 == 0) return Variant::Null();
    return Variant(numbers[rng() % std::size(numbers)]);
}

struct OrderCase {
    const char* fields;
    const char* descending;
    bool caseInsensitive;
};

class IndexOrderPropertyTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(IndexOrderPropertyTest, ViewOrderAndLocateAgreeWithPlainComparison) {
    const OrderCase& c = GetParam();
    std::mt19937 rng(12345);
    Packet p;
    p.fields = {{"T", FieldType::Memo, 0, false},
                {"N", FieldType::Float, 0, false},
                {"I", FieldType::Integer, 0, false},
                {"U", FieldType::Memo, 0, false}};
    for (int r = 0; r < 400; ++r) {
        p.rows.push_back({RowStatus::Unmodified,
                          {RandomText(rng), RandomNumber(rng), RandomInteger(rng), RandomText(rng)},
                          {}});
    }
    DataSet ds("cdsPropriedade");
    ds.SetData(p);
    ds.AddIndex("idx", c.fields, c.descending, c.caseInsensitive);
    ds.SetIndexName("idx");
    // Rows posted after the index exists go through the incremental path.
    for (int r = 0; r < 100; ++r) {
        ds.Append();
        ds.FieldByName("T").SetValue(RandomText(rng));
        ds.FieldByName("N").SetValue(RandomNumber(rng));
        ds.FieldByName("I").SetValue(RandomInteger(rng));
        ds.FieldByName("U").SetValue(RandomText(rng));
        ds.Post();
    }
    const std::vector<std::string> keys = text::Split(c.fields, ';');
    std::vector<std::vector<Variant>> rows;
    for (int i = 1; i <= ds.RecordCount(); ++i) {
        ds.ReadRecordAt(i, [&] {
            std::vector<Variant> key;
            for (const std::string& k : keys)
                key.push_back(ds.FieldByName(k).Value());
            rows.push_back(key);
        });
    }
    const auto compare = [&](const std::vector<Variant>& a, const std::vector<Variant>& b) {
        for (size_t k = 0; k < keys.size(); ++k) {
            int r = CompareValues(a[k], b[k], c.caseInsensitive);
            if (std::string(c.descending).find(keys[k]) != std::string::npos) r = -r;
            if (r != 0) return r;
        }
        return 0;
    };
    for (size_t i = 1; i < rows.size(); ++i) {
        ASSERT_LE(compare(rows[i - 1], rows[i]), 0) << "rows " << i << " and " << i + 1 << " out of order";
    }
    // Every row is found by its own key, at the first row holding that key.
    for (size_t i = 0; i < rows.size(); i += 7) {
        ASSERT_TRUE(ds.Locate(c.fields, rows[i], {c.caseInsensitive, false})) << i;
        const size_t first = static_cast<size_t>(
            std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return compare(r, rows[i]) == 0; }) -
            rows.begin());
        EXPECT_EQ(ds.RecNo(), static_cast<int>(first) + 1) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, IndexOrderPropertyTest,
                         ::testing::Values(OrderCase{"T", "", false}, OrderCase{"T;N", "", false},
                                           OrderCase{"N;I;T", "", false}, OrderCase{"I;T", "", false},
                                           OrderCase{"T;U", "", true}, OrderCase{"U;N", "N", false},
                                           OrderCase{"N;T", "N", true}));

} // namespace
} // namespace dfe
