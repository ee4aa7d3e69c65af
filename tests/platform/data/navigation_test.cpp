#include "dataset_fixture.h"

#include "platform/data/data_error.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::Column;
using testing::LoadThreeItems;

std::string Product(DataSet& ds) {
    return ds.FieldByName("CDPRODUTO").AsString();
}

TEST(NavigationTest, WalkingForwardAndBackward) {
    DataSet ds("cdsItem");
    LoadThreeItems(ds);
    std::vector<std::string> seen;
    for (ds.First(); !ds.Eof(); ds.Next())
        seen.push_back(Product(ds));
    EXPECT_EQ(seen, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(ds.RecNo(), 3);
    seen.clear();
    for (ds.Last(); !ds.Bof(); ds.Prior())
        seen.push_back(Product(ds));
    EXPECT_EQ(seen, (std::vector<std::string>{"C", "B", "A"}));
    ds.SetRecNo(2);
    EXPECT_EQ(Product(ds), "B");
    EXPECT_FALSE(ds.Eof());
    EXPECT_FALSE(ds.Bof());
}

TEST(NavigationTest, EmptyDataSetIsAtBothEnds) {
    DataSet ds("cdsItem");
    ds.CreateDataSet(testing::ItemFields());
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_TRUE(ds.FieldByName("CDPRODUTO").IsNull());
    EXPECT_THROW(ds.Delete(), DataSetError);
}

TEST(NavigationTest, DeleteLoopStopsAtTheEnd) {
    DataSet ds("cdsContaPagar");
    LoadThreeItems(ds);
    ds.First();
    while (!ds.Eof()) {
        if (Product(ds) == "B") {
            ds.Next();
        } else {
            ds.Delete();
        }
    }
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"B"}));
}

TEST(NavigationTest, InsertPutsTheRowBeforeTheCurrentAppendAtTheEnd) {
    DataSet ds("cdsItem");
    LoadThreeItems(ds);
    ds.Next();
    ds.Insert();
    ds.FieldByName("CDPRODUTO").SetAsString("X");
    ds.Post();
    EXPECT_EQ(Product(ds), "X");
    EXPECT_EQ(ds.RecNo(), 2);
    ds.Append();
    ds.FieldByName("CDPRODUTO").SetAsString("Y");
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 5);
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A", "X", "B", "C", "Y"}));
    ds.Insert();
    ds.Cancel();
    EXPECT_EQ(Product(ds), "Y");
    const Packet data = ds.Data();
    ASSERT_EQ(data.rows.size(), 5u);
    EXPECT_EQ(data.rows[1].values[1].AsString(), "X"); // insertion order kept in the packet
}

TEST(NavigationTest, BookmarkReturnsToItsRowUntilTheRowGoes) {
    DataSet ds("cdsItem");
    LoadThreeItems(ds);
    ds.Next();
    const Bookmark b = ds.GetBookmark();
    ds.Last();
    EXPECT_TRUE(ds.BookmarkValid(b));
    ds.GotoBookmark(b);
    EXPECT_EQ(Product(ds), "B");
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(b));
    EXPECT_THROW(ds.GotoBookmark(b), DataSetError);
    EXPECT_FALSE(ds.BookmarkValid(Bookmark{}));
}

TEST(NavigationTest, ClosedDataSetRefusesWork) {
    DataSet ds("cdsItem");
    EXPECT_THROW(ds.First(), DataSetError);
    EXPECT_THROW(ds.Append(), DataSetError);
    EXPECT_EQ(ds.RecordCount(), 0);
    EXPECT_THROW(ds.CreateDataSet(), DataSetError); // no fields to create from
    ds.DeclareField({"A", FieldType::String, 1, false});
    EXPECT_THROW(ds.DeclareField({"a", FieldType::String, 1, false}), DataSetError);
    ds.EmptyOrCreateDataSet();
    EXPECT_TRUE(ds.Active());
    EXPECT_THROW(ds.DeclareField({"B", FieldType::String, 1, false}), DataSetError);
}

} // namespace
} // namespace dfe
