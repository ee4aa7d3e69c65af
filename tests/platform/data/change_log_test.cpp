#include "dataset_fixture.h"

#include "platform/data/data_error.h"

#include <gtest/gtest.h>

#include <functional>

namespace dfe {
namespace {

using testing::Column;
using testing::LoadThreeItems;

void SetProduct(DataSet& ds, const char* product) {
    ds.FieldByName("CDPRODUTO").SetAsString(product);
}

void EditCurrent(DataSet& ds, const char* product) {
    ds.Edit();
    SetProduct(ds, product);
    ds.Post();
}

void AppendRow(DataSet& ds, const char* seq, const char* product) {
    ds.Append();
    ds.FieldByName("NRSEQITPROD").SetAsString(seq);
    SetProduct(ds, product);
    ds.Post();
}

struct DeltaRowExpectation {
    RowStatus status;
    std::string product;         // CDPRODUTO in values
    std::string originalProduct; // CDPRODUTO in original (Modified only)
};

struct DeltaCase {
    const char* name;
    std::function<void(DataSet&)> act;
    std::vector<DeltaRowExpectation> rows;
};

const DeltaCase kDeltaCases[] = {
    {"nothing changed", [](DataSet&) {}, {}},
    {"modified", [](DataSet& ds) { EditCurrent(ds, "A2"); }, {{RowStatus::Modified, "A2", "A"}}},
    {"modified twice keeps the loaded original",
     [](DataSet& ds) {
         EditCurrent(ds, "A2");
         EditCurrent(ds, "A3");
     },
     {{RowStatus::Modified, "A3", "A"}}},
    {"modified back to the loaded value is no change",
     [](DataSet& ds) {
         EditCurrent(ds, "A2");
         EditCurrent(ds, "A");
     },
     {}},
    {"posted without a change is no change",
     [](DataSet& ds) {
         ds.Edit();
         SetProduct(ds, "A");
         ds.Post();
     },
     {}},
    {"inserted", [](DataSet& ds) { AppendRow(ds, "004", "D"); }, {{RowStatus::Inserted, "D", ""}}},
    {"inserted then modified is one insert",
     [](DataSet& ds) {
         AppendRow(ds, "004", "D");
         EditCurrent(ds, "D2");
     },
     {{RowStatus::Inserted, "D2", ""}}},
    {"inserted then deleted leaves nothing",
     [](DataSet& ds) {
         AppendRow(ds, "004", "D");
         ds.Delete();
     },
     {}},
    {"deleted", [](DataSet& ds) { ds.Delete(); }, {{RowStatus::Deleted, "A", ""}}},
    {"modified then deleted sends the loaded values",
     [](DataSet& ds) {
         EditCurrent(ds, "A2");
         ds.Delete();
     },
     {{RowStatus::Deleted, "A", ""}}},
    {"changes listed in the order they happened",
     [](DataSet& ds) {
         ds.Last();
         EditCurrent(ds, "C2");
         ds.First();
         ds.Delete();
         AppendRow(ds, "004", "D");
     },
     {{RowStatus::Modified, "C2", "C"}, {RowStatus::Deleted, "A", ""}, {RowStatus::Inserted, "D", ""}}},
};

class DeltaTest : public ::testing::TestWithParam<DeltaCase> {};

TEST_P(DeltaTest, DeltaHoldsEachPendingChangeOnce) {
    const DeltaCase& c = GetParam();
    DataSet ds("cdsItemProduto");
    LoadThreeItems(ds);
    c.act(ds);
    const Packet delta = ds.Delta();
    EXPECT_TRUE(delta.isDelta);
    EXPECT_EQ(ds.ChangeCount(), static_cast<int>(c.rows.size())) << c.name;
    ASSERT_EQ(delta.rows.size(), c.rows.size()) << c.name;
    const int product = 1;
    for (size_t i = 0; i < c.rows.size(); ++i) {
        const PacketRow& row = delta.rows[i];
        EXPECT_EQ(row.status, c.rows[i].status) << c.name << " row " << i;
        EXPECT_EQ(row.values.at(product).AsString(), c.rows[i].product) << c.name << " row " << i;
        if (row.status == RowStatus::Modified) {
            EXPECT_EQ(row.original.at(product).AsString(), c.rows[i].originalProduct) << c.name;
        } else {
            EXPECT_TRUE(row.original.empty()) << c.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, DeltaTest, ::testing::ValuesIn(kDeltaCases));

class ChangeLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadThreeItems(ds);
        EditCurrent(ds, "A2"); // modified
        ds.Next();
        ds.Delete(); // B deleted; cursor on C
        AppendRow(ds, "004", "D");
    }
    DataSet ds{"cdsItemProduto"};
};

TEST_F(ChangeLogTest, CancelUpdatesPutsEveryRowBackAsLoaded) {
    ds.Edit();
    SetProduct(ds, "pendente");
    ds.CancelUpdates();
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(ChangeLogTest, RevertRecordUndoesOnlyTheCurrentRow) {
    ds.First();
    ds.RevertRecord();
    EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "A");
    EXPECT_EQ(ds.ChangeCount(), 2);
    ds.Last(); // the inserted D
    ds.RevertRecord();
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(ds.ChangeCount(), 1);
}

TEST_F(ChangeLogTest, DeletedRowsViewLetsTheRulesRevertEachDeletion) {
    ds.First();
    ds.Delete(); // A2 deleted too
    ds.SetStatusFilter(StatusFilter::DeletedOnly());
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A2", "B"}));
    EXPECT_THROW(ds.Edit(), DataSetError);
    ds.First();
    while (!ds.Eof())
        ds.RevertRecord();
    EXPECT_EQ(ds.RecordCount(), 0);
    ds.SetStatusFilter(StatusFilter::Default());
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(ds.ChangeCount(), 1); // the insert of D remains
}

TEST_F(ChangeLogTest, MergeChangeLogMakesTheContentTheLoadedState) {
    ds.MergeChangeLog();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_TRUE(ds.Delta().rows.empty());
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A2", "C", "D"}));
    ds.CancelUpdates();
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A2", "C", "D"}));
    ds.First();
    EditCurrent(ds, "A3");
    EXPECT_EQ(ds.Delta().rows.at(0).original.at(1).AsString(), "A2");
}

TEST_F(ChangeLogTest, LoadingAndEmptyingClearTheLog) {
    ds.EmptyDataSet();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_TRUE(ds.IsEmpty());
    LoadThreeItems(ds);
    EXPECT_EQ(ds.ChangeCount(), 0);
}

TEST(ChangeLogManyTest, ManyDeletedInsertsAreCompactedWithoutLosingRows) {
    DataSet ds("cdsTrab");
    LoadThreeItems(ds);
    for (int i = 0; i < 300; ++i)
        AppendRow(ds, "009", "X");
    for (int i = 0; i < 300; ++i) {
        ds.Last();
        ds.Delete();
    }
    EXPECT_EQ(Column(ds, "CDPRODUTO"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(ds.ChangeCount(), 0);
    ds.First();
    const Bookmark b = ds.GetBookmark();
    ds.Last();
    ds.GotoBookmark(b);
    EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "A");
}

} // namespace
} // namespace dfe
