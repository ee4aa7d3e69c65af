#include "support/consiste.h"
#include "support/db_picture.h"
#include "support_fixture.h"

#include "platform/core/abort.h"
#include "platform/data/dataset.h"

namespace dfe::support {
namespace {

class DateSetTextTest : public SupportTest {
protected:
    DateSetTextTest() {
        ds.DeclareField(FieldDef{"DTEMISSAO", FieldType::DateTime});
        ds.CreateDataSet();
        ds.Append();
        ds.FieldByName("DTEMISSAO").SetAsDateTime(DateTime::FromDate(2026, 3, 1));
    }
    Field& field() { return ds.FieldByName("DTEMISSAO"); }
    DataSet ds;
};

TEST_F(DateSetTextTest, TypedDatesAreStoredAndABlankMaskClears) {
    struct Case {
        const char* typed;
        DateTime expected;
    };
    const Case cases[] = {
        {"15/04/2026", DateTime::FromDate(2026, 4, 15)},
        {"29/02/24", DateTime::FromDate(2024, 2, 29)},
        {"  /  /    ", DateTime()},
        {"", DateTime()},
    };
    for (const Case& c : cases) {
        DateSetText(field(), c.typed);
        EXPECT_EQ(field().AsDateTime(), c.expected) << c.typed;
    }
    EXPECT_TRUE(field().IsNull());
}

TEST_F(DateSetTextTest, AnImpossibleDateIsRefusedAndTheFieldKeepsItsValue) {
    for (const char* typed : {"31/02/2026", "12/13/2026", "1a/01/2026"}) {
        EXPECT_THROW(DateSetText(field(), typed), Abort) << typed;
        EXPECT_EQ(field().AsDateTime(), DateTime::FromDate(2026, 3, 1)) << typed;
    }
    EXPECT_EQ(dialogs.Errors().size(), 3u);
    EXPECT_EQ(dialogs.Errors()[0].text, "Data inválida.");
}

TEST(TDBPicture, LevelsMaskAndLevelOfACode) {
    const TDBPicture pict({1, 2, 3});
    EXPECT_EQ(pict.Mask(), "9.99.999;1;_");
    EXPECT_EQ(pict.GetTtNiveis(), 3);
    EXPECT_EQ(TDBPicture::FromMask("9.99.999;1;_").LevelDigits(), (std::vector<int>{1, 2, 3}));
    struct Case {
        const char* code;
        int level;
    };
    const Case cases[] = {{"1", 1},          {"1.01", 2}, {"1.01.001", 3}, {"1.1", 0},
                          {"1.01.001.1", 0}, {"", 0},     {"A", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(pict.LevelOf(c.code), c.level) << c.code;
    EXPECT_EQ(TDBPicture().GetTtNiveis(), 0);
    EXPECT_EQ(TDBPicture().Mask(), "");
}

} // namespace
} // namespace dfe::support
