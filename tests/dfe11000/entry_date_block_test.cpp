#include "dfe11000/posting/entry_date_block.h"

#include "platform/data/dataset.h"

#include <gtest/gtest.h>

namespace dfe::dfe11000 {
namespace {

const DateTime kProcessing = DateTime::FromDate(2026, 12, 10);

DateTime Day(int offset, int hour = 0, int minute = 0) {
    return DateTime(kProcessing.Days() + offset + (hour * 60 + minute) / 1440.0);
}

struct Case {
    const char* what;
    EntryDateWindow window;
    DateTime processing;
    DateTime entry;
    bool blocked;
};

// Window flags in order: back of the branch, back, ahead of the branch, ahead; then days ahead of the
// branch and general days ahead.
const Case kCases[] = {
    {"general window: the last day ahead passes", {"S", "S", "N", "S", 0, 3}, kProcessing, Day(3), false},
    {"general window: one day more blocks", {"S", "S", "N", "S", 0, 3}, kProcessing, Day(4), true},
    {"general window: a late hour of the last day passes",
     {"S", "S", "N", "S", 0, 3},
     kProcessing,
     Day(3, 23, 59),
     false},
    {"past dates pass while a back flag allows them",
     {"N", "S", "N", "S", 0, 3},
     kProcessing,
     Day(-30),
     false},
    {"branch window wins over the general one", {"S", "S", "S", "S", 2, 10}, kProcessing, Day(2), false},
    {"branch window: one day more blocks", {"S", "S", "S", "S", 2, 10}, kProcessing, Day(3), true},
    {"branch ahead flag off falls back to the general days",
     {"S", "S", "N", "S", 2, 5},
     kProcessing,
     Day(5),
     false},
    {"fallback to the general days: one day more blocks",
     {"S", "S", "N", "S", 2, 5},
     kProcessing,
     Day(6),
     true},
    {"no window ahead: tomorrow blocks", {"S", "S", "N", "N", 9, 9}, kProcessing, Day(1), true},
    {"no window ahead: today passes, whatever the hour",
     {"S", "S", "N", "N", 9, 9},
     kProcessing,
     Day(0, 18),
     false},
    {"both back flags off: yesterday blocks", {"N", "N", "N", "S", 0, 3}, kProcessing, Day(-1), true},
    {"both back flags off: today passes", {"N", "N", "N", "S", 0, 3}, kProcessing, Day(0, 8), false},
    {"both back flags off and past the window ahead", {"N", "N", "N", "N", 0, 0}, kProcessing, Day(2), true},
    {"a processing date with an hour counts as its day",
     {"S", "S", "N", "N", 0, 0},
     Day(0, 15),
     Day(1),
     true},
    {"a processing date with an hour: same day passes",
     {"S", "S", "N", "N", 0, 0},
     Day(0, 15),
     Day(0, 9),
     false},
    {"no parameters: the branch rule with no days", {"", "", "", "", 0, 0}, kProcessing, Day(1), true},
    {"a posting without entry date is not blocked by it",
     {"N", "N", "N", "N", 0, 0},
     kProcessing,
     DateTime(),
     false},
};

TEST(EntryDateBlock, WindowAroundTheProcessingDate) {
    for (const Case& c : kCases)
        EXPECT_EQ(EntryDateBlocks(c.window, c.processing, c.entry), c.blocked) << c.what;
}

TEST(EntryDateBlock, WindowReadFromTheDocumentParameters) {
    DataSet params("cdsParamDFE");
    EXPECT_EQ(EntryDateWindowOf(params).ahead, ""); // not loaded: every flag empty
    auto text = [](const char* name) { return FieldDef{name, FieldType::String, 1}; };
    params.CreateDataSet({text("IDLANCDTMENFIL"), text("IDLANCDTMEN"), text("IDLANCDTMAIFIL"),
                          text("IDLANCDTMAI"), FieldDef{"NRDIASENTRPDFIL", FieldType::Integer},
                          FieldDef{"NRDIASENTRPD", FieldType::Integer}});
    params.Append();
    params.FieldByName("IDLANCDTMENFIL").SetAsString("N");
    params.FieldByName("IDLANCDTMEN").SetAsString("S");
    params.FieldByName("IDLANCDTMAIFIL").SetAsString("N");
    params.FieldByName("IDLANCDTMAI").SetAsString("S");
    params.FieldByName("NRDIASENTRPD").SetAsInteger(4); // the branch's days stay null
    params.Post();
    const EntryDateWindow w = EntryDateWindowOf(params);
    EXPECT_EQ(w.backBranch, "N");
    EXPECT_EQ(w.back, "S");
    EXPECT_EQ(w.aheadBranch, "N");
    EXPECT_EQ(w.ahead, "S");
    EXPECT_EQ(w.daysAheadBranch, 0);
    EXPECT_EQ(w.daysAhead, 4);
}

} // namespace
} // namespace dfe::dfe11000
