#include "appserver/modules/tax_engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace dfe::appserver::tax {
namespace {

constexpr int64_t P = kPercent;

// A head office in São Paulo bearing ICMS, IPI, ICMS-ST and FCP by its group SP1, PIS, COFINS, IRRF and
// CSRF by FED. SP1 taxes every product by ICMS at the states' rates, reduces the base of flours (tree 1.02)
// inside the state, puts IPI on packaging (4819) and tape (3919), ST with a 70% margin and FCP 2% on beer
// (2203); FED charges PIS 1.65% and COFINS 7.6% on everything and withholds IRRF 1.5% and CSRF 4.65% on
// services.
ItemInput HeadOffice() {
    ItemInput item;
    item.destinationState = "SP";
    item.destinationIcms = {18 * P, 0, true};
    item.originState = "SP";
    item.originIcms = item.destinationIcms;
    item.operation.cfopBase = "102";
    item.operation.cfopBaseSt = "403";
    item.operationGroup = "SP1";
    item.taxes = {{"01", "SP1", "ICMS", "C"},   {"02", "SP1", "IPI", "C"},    {"03", "FED", "PIS", "C"},
                  {"04", "FED", "COFINS", "C"}, {"05", "SP1", "ICMSST", "C"}, {"07", "FED", "IRRF", "R"},
                  {"08", "FED", "CSRF", "R"},   {"09", "SP1", "FCP", "C"}};
    auto rule = [](const char* group, const char* tax, const char* ncm, const char* tree, char scope,
                   char application, std::optional<int64_t> rate, int64_t reduction = 0, int64_t margin = 0) {
        Rule r;
        r.group = group;
        r.tax = tax;
        r.ncmPrefix = ncm;
        r.treeNode = tree;
        r.scope = scope;
        r.application = application;
        r.rate = rate;
        r.baseReduction = reduction;
        r.margin = margin;
        return r;
    };
    item.rules = {
        rule("SP1", "01", "", "", 'T', 'M', std::nullopt),
        rule("SP1", "01", "", "1.02", 'I', 'M', std::nullopt, 611111),
        rule("SP1", "02", "4819", "", 'T', 'M', 975 * P / 100),
        rule("SP1", "02", "3919", "", 'T', 'M', 13 * P),
        rule("SP1", "02", "2203", "", 'T', 'M', 39 * P / 10),
        rule("SP1", "05", "2203", "", 'T', 'M', std::nullopt, 0, 70 * P),
        rule("SP1", "09", "2203", "", 'I', 'M', 2 * P),
        rule("FED", "03", "", "", 'T', 'T', 165 * P / 100),
        rule("FED", "04", "", "", 'T', 'T', 76 * P / 10),
        rule("FED", "07", "", "", 'T', 'S', 15 * P / 10),
        rule("FED", "08", "", "", 'T', 'S', 465 * P / 100),
    };
    item.value = 100000; // 1,000.00
    item.ncm = "04012010";
    item.tree = "1.01.001";
    return item;
}

std::map<std::string, TaxRow> ByTax(const std::vector<TaxRow>& rows) {
    std::map<std::string, TaxRow> map;
    for (const TaxRow& r : rows)
        map[r.tax] = r;
    return map;
}

// Each case worked by hand: the item's value, base, rate and tax, in cents and ten-thousandths of a percent.
TEST(TaxEngine, WorkedCases) {
    struct Case {
        const char* name;
        std::function<void(ItemInput&)> setUp;
        const char* tax;
        int64_t base, rate, value;
        const char *cst, *cfop;
    };
    const StateIcms paranaIcms{195 * P / 10, 0, true}, bahiaIcms{205 * P / 10, 0, false};
    const Case cases[] = {
        {"internal purchase: 1,000.00 at SP's 18%", [](ItemInput&) {}, "01", 100000, 18 * P, 18000, "000",
         "1102"},
        {"interstate from PR (South): 12%",
         [&](ItemInput& i) {
             i.originState = "PR";
             i.originIcms = paranaIcms;
         },
         "01", 100000, 12 * P, 12000, "000", "2102"},
        // The 7% is of goods leaving the South and Southeast (but ES) for the other regions; the way back
        // pays 12%.
        {"interstate from BA (Northeast) into SP: 12%",
         [&](ItemInput& i) {
             i.originState = "BA";
             i.originIcms = bahiaIcms;
         },
         "01", 100000, 12 * P, 12000, "000", "2102"},
        {"interstate from SP into BA: 7%",
         [&](ItemInput& i) {
             i.destinationState = "BA";
             i.destinationIcms = bahiaIcms;
         },
         "01", 100000, 7 * P, 7000, "000", "2102"},
        {"imported goods (origin 1) from PR: 4%",
         [&](ItemInput& i) {
             i.originState = "PR";
             i.originIcms = paranaIcms;
             i.origin = "1";
         },
         "01", 100000, 4 * P, 4000, "100", "2102"},
        {"imported goods sold inside SP: the internal 18%", [](ItemInput& i) { i.origin = "2"; }, "01",
         100000, 18 * P, 18000, "200", "1102"},
        {"import from abroad: the destination's internal rate, CFOP 3xxx",
         [](ItemInput& i) { i.originState = "EX"; }, "01", 100000, 18 * P, 18000, "000", "3102"},
        // Flour inside SP: 1,000.00 less 61.1111% (611.11) = 388.89, at 18% = 70.0002 -> 70.00.
        {"base reduction of flours inside SP", [](ItemInput& i) { i.tree = "1.02.001"; }, "01", 38889, 18 * P,
         7000, "020", "1102"},
        {"no reduction on flours from another state",
         [&](ItemInput& i) {
             i.tree = "1.02.001";
             i.originState = "PR";
             i.originIcms = paranaIcms;
         },
         "01", 100000, 12 * P, 12000, "000", "2102"},
        // Beer inside SP: IPI 3.9% = 39.00; ST base (1,000.00 + 39.00) * 1.70 = 1,766.30; at 18% = 317.934
        // -> 317.93, less the own ICMS 180.00 = 137.93.
        {"ICMS-ST on beer inside SP", [](ItemInput& i) { i.ncm = "22030000"; }, "05", 176630, 18 * P, 13793,
         "010", "1403"},
        {"IPI on beer", [](ItemInput& i) { i.ncm = "22030000"; }, "02", 100000, 39 * P / 10, 3900, "000",
         "1403"},
        // From PR the margin is adjusted: (1.70 * 0.88 / 0.82) - 1 = 82.4390%; base 1,039.00 + 856.54 =
        // 1,895.54; at 18% = 341.1972 -> 341.20, less the own ICMS 120.00 = 221.20.
        {"ICMS-ST with the adjusted margin from PR",
         [&](ItemInput& i) {
             i.ncm = "22030000";
             i.originState = "PR";
             i.originIcms = paranaIcms;
         },
         "05", 189554, 18 * P, 22120, "010", "2403"},
        {"FCP 2% on beer inside SP", [](ItemInput& i) { i.ncm = "22030000"; }, "09", 100000, 2 * P, 2000,
         "010", "1403"},
        // Tape for the company's own use: IPI 13% = 130.00 enters the ICMS base: 1,130.00 at 18% = 203.40.
        {"IPI on a product for consumption",
         [](ItemInput& i) {
             i.ncm = "39191010";
             i.operation = {"556", "407", "001", true, false};
         },
         "02", 100000, 13 * P, 13000, "049", "1556"},
        {"ICMS on a product for consumption bears the IPI",
         [](ItemInput& i) {
             i.ncm = "39191010";
             i.operation = {"556", "407", "001", true, false};
         },
         "01", 113000, 18 * P, 20340, "000", "1556"},
        {"PIS 1.65% non-cumulative", [](ItemInput&) {}, "03", 100000, 165 * P / 100, 1650, "050", "1102"},
        {"COFINS on a product for consumption: no credit",
         [](ItemInput& i) {
             i.operation = {"556", "407", "001", true, false};
         },
         "04", 100000, 76 * P / 10, 7600, "070", "1556"},
        {"IRRF withheld on a service",
         [](ItemInput& i) {
             i.operation = {"933", "", "001", false, true};
         },
         "07", 100000, 15 * P / 10, 1500, "", "1933"},
        // To the cent, half away from zero: 1.00 at 1.5% = 0.015 -> 0.02; 10.30 at 1.65% = 0.16995 -> 0.17;
        // 0.30 at 1.65% = 0.00495 -> 0.00.
        {"half a cent rounds away from zero",
         [](ItemInput& i) {
             i.value = 100;
             i.operation = {"933", "", "001", false, true};
         },
         "07", 100, 15 * P / 10, 2, "", "1933"},
        {"more than half a cent rounds up", [](ItemInput& i) { i.value = 1030; }, "03", 1030, 165 * P / 100,
         17, "050", "1102"},
        {"less than half a cent rounds to zero", [](ItemInput& i) { i.value = 30; }, "03", 30, 165 * P / 100,
         0, "050", "1102"},
    };
    for (const Case& c : cases) {
        ItemInput item = HeadOffice();
        c.setUp(item);
        const auto rows = ByTax(ComputeTaxes(item));
        ASSERT_TRUE(rows.count(c.tax)) << c.name;
        const TaxRow& r = rows.at(c.tax);
        EXPECT_EQ(r.base, c.base) << c.name;
        EXPECT_EQ(r.rate, c.rate) << c.name;
        EXPECT_EQ(r.value, c.value) << c.name;
        EXPECT_EQ(r.cst, c.cst) << c.name;
        EXPECT_EQ(r.cfop, c.cfop) << c.name;
    }
}

TEST(TaxEngine, OnlyTheTaxesARuleMatchesAreGenerated) {
    ItemInput milk = HeadOffice();
    std::vector<std::string> codes;
    for (const TaxRow& r : ComputeTaxes(milk))
        codes.push_back(r.tax);
    EXPECT_EQ(codes, (std::vector<std::string>{"01", "03", "04"}));

    ItemInput service = HeadOffice();
    service.operation = {"933", "", "001", false, true};
    codes.clear();
    for (const TaxRow& r : ComputeTaxes(service))
        codes.push_back(r.tax);
    EXPECT_EQ(codes, (std::vector<std::string>{"03", "04", "07", "08"}));
    EXPECT_EQ(ByTax(ComputeTaxes(service)).at("08").treatment, "R");

    // Beer from another state: no FCP (internal only), ST and IPI; the ICMS row names the FCP rate inside SP.
    ItemInput beer = HeadOffice();
    beer.ncm = "22030000";
    EXPECT_EQ(ByTax(ComputeTaxes(beer)).at("01").fcpRate, 2 * P);
    beer.originState = "RJ";
    beer.originIcms = {20 * P, 2 * P, true};
    const auto interstate = ByTax(ComputeTaxes(beer));
    EXPECT_EQ(interstate.count("09"), 0u);
    EXPECT_EQ(interstate.at("01").fcpRate, 0);
    // Accounting value: the item with its IPI and ST.
    EXPECT_EQ(interstate.at("03").accountingValue, 100000 + 3900 + interstate.at("05").value);
}

TEST(TaxEngine, TheOperationsGroupRulesATaxItHasRulesFor) {
    ItemInput item = HeadOffice();
    item.operationGroup = "SPX"; // a group whose only rule is ICMS at 12% inside the state
    Rule reduced;
    reduced.group = "SPX";
    reduced.tax = "01";
    reduced.rate = 12 * P;
    item.rules.push_back(reduced);
    const auto rows = ByTax(ComputeTaxes(item));
    EXPECT_EQ(rows.at("01").value, 12000);
    EXPECT_EQ(rows.at("03").value, 1650); // PIS still by the branch's FED
}

TEST(TaxEngine, AdjustedMarginIsNamedAndRounded) {
    EXPECT_EQ(AdjustedMargin(70 * P, 12 * P, 18 * P), 824390); // 82.4390%
    EXPECT_EQ(AdjustedMargin(40 * P, 7 * P, 18 * P), 587805);  // 1.40 * 0.93 / 0.82 - 1 = 58.78049%
    EXPECT_EQ(AdjustedMargin(40 * P, 18 * P, 18 * P), 40 * P);
}

} // namespace
} // namespace dfe::appserver::tax
