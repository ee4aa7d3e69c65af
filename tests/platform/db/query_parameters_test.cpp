#include "platform/db/query_parameters.h"

#include <gtest/gtest.h>

namespace dfe::db {
namespace {

TEST(QueryParameters, FollowTheTextKeepingValuesOfNamesThatStay) {
    QueryParameters p;
    p.SyncWithText("SELECT * FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL OR :P_TODOS = 'T'");
    EXPECT_TRUE(p.Has("p_cdfilial"));
    EXPECT_TRUE(p.ByName("P_TODOS").IsNull()); // never set: bound as null
    p.Set("P_CDFILIAL", "0001");
    p.SyncWithText("SELECT * FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL");
    EXPECT_EQ(p.ByName("P_CDFILIAL"), Variant("0001"));
    EXPECT_FALSE(p.Has("P_TODOS"));
    EXPECT_THROW(p.ByName("P_TODOS"), DatabaseError);
}

} // namespace
} // namespace dfe::db
