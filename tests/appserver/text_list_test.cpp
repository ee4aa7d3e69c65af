#include "appserver/sql/text_list.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

TEST(TextList, ParsesSeparatorsQuotesAndBlanks) {
    EXPECT_EQ(ParseCodeList("1,2, U"), (std::vector<std::string>{"1", "2", "U"}));
    EXPECT_EQ(ParseCodeList("'01';'03' ; ,"), (std::vector<std::string>{"01", "03"}));
    EXPECT_TRUE(ParseCodeList("").empty());
}

TEST(TextList, CodesCarryingSqlStayData) {
    testing::TempDatabase temp;
    auto db = temp.Open();
    db->ExecuteScript("CREATE TABLE SERIEENTR (CDSERIEENTR VARCHAR(5));"
                      "INSERT INTO SERIEENTR VALUES ('1'); INSERT INTO SERIEENTR VALUES ('2');");
    db::SqlParams params;
    const auto codes = ParseCodeList("1') OR ('1'='1, 2");
    const std::string in = BindCodeList("P_SERIE", codes, params);
    EXPECT_EQ(in, "(:P_SERIE0, :P_SERIE1)");
    const Packet p = db->Query("SELECT CDSERIEENTR FROM SERIEENTR WHERE CDSERIEENTR IN " + in, params);
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(p.rows[0].values[0], Variant("2"));
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM SERIEENTR").rows[0].values[0].AsInteger(), 2);
}

} // namespace
} // namespace dfe::appserver
