#include "dfe11000/closing/release_window.h"
#include "dfe11000/header/entry_date_rule.h"

#include "platform/data/dataset.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace dfe::dfe11000 {
namespace {

DateTime Dec(int day, int hour = 0, int minute = 0) {
    return DateTime::FromDateTime(2026, 12, day, hour, minute, 0);
}

// Flags back of the branch and general, ahead of the branch and general, then the day counts in the same
// order.
EntryDateParams Params(const char* menFil, const char* men, const char* maiFil, const char* mai,
                       std::optional<int64_t> entrFil = {}, std::optional<int64_t> entr = {},
                       std::optional<int64_t> entrPdFil = {}, std::optional<int64_t> entrPd = {}) {
    EntryDateParams p;
    p.idLancDtMenFil = menFil;
    p.idLancDtMen = men;
    p.idLancDtMaiFil = maiFil;
    p.idLancDtMai = mai;
    p.nrDiasEntrFil = entrFil;
    p.nrDiasEntr = entr;
    p.nrDiasEntrPdFil = entrPdFil;
    p.nrDiasEntrPd = entrPd;
    return p;
}

TEST(EntryDateRule, TheEntryDateIsRefusedOutsideTheWindowAroundTheProcessingDate) {
    struct Case {
        const char* what;
        EntryDateParams params;
        DateTime processing;
        DateTime entry;
        bool released;
        const char* code; // nullptr: accepted
    };
    const std::optional<int64_t> none;
    const Case cases[] = {
        {"no later dates: the processing day passes", Params("S", "S", "N", "N"), Dec(10), Dec(10), false,
         nullptr},
        {"no later dates: the next day", Params("S", "S", "N", "N"), Dec(10), Dec(11), false, "Data_Mai"},
        {"no later dates: a processing date with an hour is its day", Params("S", "S", "N", "N"),
         Dec(10, 17, 30), Dec(11), false, "Data_Mai"},
        {"no earlier dates: the day before", Params("N", "N", "S", "S"), Dec(10), Dec(9), false, "Data_Men"},
        {"no earlier dates: an hour of the processing day passes", Params("N", "N", "S", "S"), Dec(10),
         Dec(10, 8), false, nullptr},
        {"one flag of the two allows earlier dates", Params("N", "S", "S", "S", none, 30), Dec(10), Dec(1),
         false, nullptr},
        {"a release does not lift the later-dates flags", Params("S", "S", "N", "N"), Dec(10), Dec(11), true,
         "Data_Mai"},
        {"a release does not lift the earlier-dates flags", Params("N", "N", "S", "S"), Dec(10), Dec(9), true,
         "Data_Men"},
        {"general window back: the last day passes", Params("", "S", "", "", none, 5), Dec(10), Dec(5), false,
         nullptr},
        {"general window back: one day more", Params("", "S", "", "", none, 5), Dec(10), Dec(4), false,
         "Data_M"},
        {"general window ahead: the last day passes", Params("", "", "", "S", none, none, none, 3), Dec(10),
         Dec(13), false, nullptr},
        {"general window ahead: one day more", Params("", "", "", "S", none, none, none, 3), Dec(10), Dec(14),
         false, "Data_M"},
        {"branch window back: the last day passes", Params("S", "S", "", "", 5, 1), Dec(10), Dec(5), false,
         nullptr},
        {"branch window back: one day more", Params("S", "S", "", "", 5, 1), Dec(10), Dec(4), false,
         "Data_M"},
        {"branch window back: the general one is not consulted", Params("S", "S", "", "", 5, 30), Dec(10),
         Dec(4), false, "Data_M"},
        {"branch window ahead: the last day passes", Params("", "", "S", "S", none, none, 2, 0), Dec(10),
         Dec(12), false, nullptr},
        {"branch window ahead: the general one is not consulted", Params("", "", "S", "S", none, none, 2, 30),
         Dec(10), Dec(13), false, "Data_M"},
        {"a released posting is not held to the day counts", Params("S", "S", "S", "S", 5, 5, 2, 2), Dec(10),
         Dec(1), true, nullptr},
        {"a released posting is not held to the days ahead", Params("S", "S", "S", "S", 5, 5, 2, 2), Dec(10),
         Dec(20), true, nullptr},
        {"a null count allows no day off the processing date", Params("S", "S", "", ""), Dec(10), Dec(9),
         false, "Data_M"},
        {"no parameters: any date passes", EntryDateParams{}, Dec(10), Dec(1), false, nullptr},
    };
    for (const Case& c : cases) {
        const char* code = EntryDateRefusal(c.params, c.processing, c.entry, c.released);
        EXPECT_EQ(std::string(code ? code : ""), std::string(c.code ? c.code : "")) << c.what;
    }
}

TEST(EntryDateRule, TheIssueDateIsBlockedOrQuestionedBeforeTheEntryDate) {
    struct Case {
        const char* what;
        DateTime issue;
        std::optional<int64_t> block;
        std::optional<int64_t> warn;
        IssueDateVerdict verdict;
    };
    const std::optional<int64_t> none;
    const Case cases[] = {
        {"on the block limit", Dec(10), 10, 5, IssueDateVerdict::Questioned},
        {"a day before the block limit", Dec(9), 10, 5, IssueDateVerdict::Blocked},
        {"on the warning limit", Dec(15), 10, 5, IssueDateVerdict::Accepted},
        {"a day before the warning limit", Dec(14), 10, 5, IssueDateVerdict::Questioned},
        {"an hour of the limit day counts as the day", Dec(15, 23, 59), 10, 5, IssueDateVerdict::Accepted},
        {"no block count", Dec(1), none, 5, IssueDateVerdict::Questioned},
        {"a block count of zero", Dec(1), 0, 5, IssueDateVerdict::Questioned},
        {"no counts at all", Dec(1), none, none, IssueDateVerdict::Accepted},
        {"zero counts", Dec(1), 0, 0, IssueDateVerdict::Accepted},
        {"only a block count", Dec(14), 10, none, IssueDateVerdict::Accepted},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IssueDateCheck(c.issue, Dec(20, 9), c.block, c.warn), c.verdict) << c.what;
}

TEST(EntryDateRule, TheParametersAreReadAsStoredWithNullCountsKept) {
    DataSet params("cdsParamDFE");
    EXPECT_FALSE(EntryDateParamsOf(params).nrDiasEntr.has_value()); // not loaded
    auto text = [](const char* name) { return FieldDef{name, FieldType::String, 1}; };
    auto count = [](const char* name) { return FieldDef{name, FieldType::Integer}; };
    params.CreateDataSet(
        {text("IDLANCDTMEN"), text("IDLANCDTMENFIL"), count("NRDIASENTR"), count("NRDIASENTRFIL")});
    params.Append();
    params.FieldByName("IDLANCDTMEN").SetAsString("S");
    params.FieldByName("NRDIASENTRFIL").SetAsInteger(3);
    params.Post();
    const EntryDateParams p = EntryDateParamsOf(params);
    EXPECT_EQ(p.idLancDtMen, "S");
    EXPECT_EQ(p.idLancDtMenFil, "");
    EXPECT_EQ(p.idLancDtMai, ""); // a missing field
    EXPECT_FALSE(p.nrDiasEntr.has_value());
    EXPECT_EQ(p.nrDiasEntrFil, 3);
    EXPECT_FALSE(p.nrDiasEntrPd.has_value());
}

TEST(ReleaseWindow, AnEntryDateOutsideTheWindowNeedsTheRelease) {
    struct Case {
        const char* what;
        EntryDateParams params;
        DateTime processing;
        DateTime entry;
        bool needed;
    };
    const std::optional<int64_t> none;
    const Case cases[] = {
        {"back 5 days: the 15th passes", Params("", "S", "", "", none, 5), Dec(20), Dec(15), false},
        {"back 5 days: the 14th asks", Params("", "S", "", "", none, 5), Dec(20), Dec(14), true},
        {"back flag off: the 14th does not ask", Params("", "N", "", "", none, 5), Dec(20), Dec(14), false},
        {"back flag off: no date asks", Params("", "N", "", "", none, 5), Dec(20), Dec(1), false},
        {"a null general count takes the branch's: 3 days pass", Params("", "S", "", "", 3, none), Dec(20),
         Dec(17), false},
        {"a null general count takes the branch's: 4 days ask", Params("", "S", "", "", 3, none), Dec(20),
         Dec(16), true},
        {"a general count of 0 is not replaced", Params("", "S", "", "", 3, 0), Dec(20), Dec(19), true},
        {"the branch flag back decides alone", Params("S", "N", "", "", 2, none), Dec(20), Dec(17), true},
        {"the branch flag back: 2 days pass", Params("S", "N", "", "", 2, none), Dec(20), Dec(18), false},
        {"ahead 2 days: the 22nd passes", Params("", "", "", "S", none, none, none, 2), Dec(20), Dec(22),
         false},
        {"ahead 2 days: the 23rd asks", Params("", "", "", "S", none, none, none, 2), Dec(20), Dec(23), true},
        {"a null count ahead takes the branch's", Params("", "", "", "S", none, none, 4, none), Dec(20),
         Dec(24), false},
        {"the branch flag ahead decides alone", Params("", "", "S", "N", none, none, 1, none), Dec(20),
         Dec(22), true},
        {"the processing date's time is ignored", Params("", "S", "", "", none, 5), Dec(20, 18), Dec(15),
         false},
        {"the entry date is compared as stored: late on the 14th asks", Params("", "S", "", "", none, 5),
         Dec(20, 18), Dec(14, 23, 59), true},
        {"no parameters: nothing asks", EntryDateParams{}, Dec(20), Dec(1), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReleaseNeeded(c.params, c.processing, c.entry), c.needed) << c.what;
}

} // namespace
} // namespace dfe::dfe11000
