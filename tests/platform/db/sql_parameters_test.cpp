#include "platform/db/sql_parameters.h"

#include <gtest/gtest.h>

namespace dfe::db {
namespace {

TEST(ParsedSql, FindsParametersOutsideLiteralsCommentsAndCasts) {
    struct Case {
        const char* sql;
        std::vector<std::string> names;
        const char* rendered;
    };
    const Case cases[] = {
        {"SELECT * FROM T WHERE A = :P_A AND B = :p_b",
         {"P_A", "P_B"},
         "SELECT * FROM T WHERE A = ?1 AND B = ?2"},
        {"WHERE (X = :P_X OR :P_TODOS = 'T') AND Y = :P_X",
         {"P_X", "P_TODOS"},
         "WHERE (X = ?1 OR ?2 = 'T') AND Y = ?1"},
        {"SELECT ':P_NO', \"a:P_NO\" FROM T -- :P_NO\nWHERE A = :P_YES /* :P_NO */",
         {"P_YES"},
         "SELECT ':P_NO', \"a:P_NO\" FROM T -- :P_NO\nWHERE A = ?1 /* :P_NO */"},
        {"SELECT 'it''s :P_NO' FROM T", {}, "SELECT 'it''s :P_NO' FROM T"},
        {"SELECT A::text FROM T WHERE B = :P_B", {"P_B"}, "SELECT A::text FROM T WHERE B = ?1"},
        {"SELECT 1 FROM T WHERE A = : B", {}, "SELECT 1 FROM T WHERE A = : B"},
        {"SELECT 'unterminated :P_NO", {}, "SELECT 'unterminated :P_NO"},
    };
    for (const Case& c : cases) {
        const ParsedSql parsed(c.sql);
        EXPECT_EQ(parsed.Names(), c.names) << c.sql;
        EXPECT_EQ(parsed.Render(PlaceholderStyle::QuestionNumber), c.rendered) << c.sql;
    }
}

TEST(ParsedSql, RendersDollarPlaceholdersAndAnswersHasWithoutCase) {
    const ParsedSql parsed("A = :P_A OR B = :P_B OR C = :P_A");
    EXPECT_EQ(parsed.Render(PlaceholderStyle::DollarNumber), "A = $1 OR B = $2 OR C = $1");
    EXPECT_TRUE(parsed.Has("p_b"));
    EXPECT_FALSE(parsed.Has("P_C"));
}

} // namespace
} // namespace dfe::db
