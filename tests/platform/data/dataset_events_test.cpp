#include "dataset_fixture.h"

#include "platform/core/abort.h"
#include "platform/data/data_error.h"
#include "platform/data/handler_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dfe {
namespace {

using testing::LoadThreeItems;

// Records every dataset event by name; `abortAt` names one that throws Abort.
struct EventLog {
    std::vector<std::string> events;
    std::string abortAt;

    void Attach(DataSet& ds) {
        const auto hook = [this](const char* name) {
            return [this, name](DataSet&) {
                events.push_back(name);
                if (abortAt == name) throw Abort();
            };
        };
        ds.BeforeInsert = hook("BeforeInsert");
        ds.OnNewRecord = hook("OnNewRecord");
        ds.AfterInsert = hook("AfterInsert");
        ds.BeforeEdit = hook("BeforeEdit");
        ds.AfterEdit = hook("AfterEdit");
        ds.BeforePost = hook("BeforePost");
        ds.AfterPost = hook("AfterPost");
        ds.BeforeCancel = hook("BeforeCancel");
        ds.AfterCancel = hook("AfterCancel");
        ds.BeforeDelete = hook("BeforeDelete");
        ds.AfterDelete = hook("AfterDelete");
        ds.AfterOpen = hook("AfterOpen");
        ds.BeforeScroll = hook("BeforeScroll");
        ds.AfterScroll = hook("AfterScroll");
    }
};

using Events = std::vector<std::string>;

struct Scenario {
    const char* name;
    std::function<void(DataSet&)> prepare; // runs before the events are recorded
    std::function<void(DataSet&)> act;
    Events expected;
};

void SetProduct(DataSet& ds) {
    ds.FieldByName("CDPRODUTO").SetAsString("Z");
}

const Scenario kScenarios[] = {
    {"append and post",
     nullptr,
     [](DataSet& ds) {
         ds.Append();
         SetProduct(ds);
         ds.Post();
     },
     {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll", "BeforePost",
      "AfterPost"}},
    {"insert and cancel",
     nullptr,
     [](DataSet& ds) {
         ds.Insert();
         ds.Cancel();
     },
     {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll", "BeforeCancel",
      "AfterCancel"}},
    {"edit and post",
     nullptr,
     [](DataSet& ds) {
         ds.Edit();
         SetProduct(ds);
         ds.Post();
     },
     {"BeforeEdit", "AfterEdit", "BeforePost", "AfterPost"}},
    {"delete",
     nullptr,
     [](DataSet& ds) { ds.Delete(); },
     {"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}},
    {"moving posts a changed edit",
     [](DataSet& ds) {
         ds.Edit();
         SetProduct(ds);
     },
     [](DataSet& ds) { ds.Next(); },
     {"BeforePost", "AfterPost", "BeforeScroll", "AfterScroll"}},
    {"moving cancels an untouched edit",
     [](DataSet& ds) { ds.Edit(); },
     [](DataSet& ds) { ds.Next(); },
     {"BeforeCancel", "AfterCancel", "BeforeScroll", "AfterScroll"}},
    {"moving drops a row that only has its defaults",
     [](DataSet& ds) {
         ds.OnNewRecord = [](DataSet& d) { d.FieldByName("CDPRODUTO").SetAsString("PADRAO"); };
         ds.Append();
     },
     [](DataSet& ds) { ds.First(); },
     {"BeforeCancel", "AfterCancel", "BeforeScroll", "AfterScroll"}},
    {"edit on an empty dataset inserts",
     [](DataSet& ds) { ds.EmptyDataSet(); },
     [](DataSet& ds) { ds.Edit(); },
     {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
    {"loading opens", nullptr, [](DataSet& ds) { LoadThreeItems(ds); }, {"AfterOpen", "AfterScroll"}},
    {"creating empty opens without a row to scroll to",
     nullptr,
     [](DataSet& ds) { ds.CreateDataSet(); },
     {"AfterOpen"}},
};

class EventOrderTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(EventOrderTest, EventsRunInOrder) {
    const Scenario& s = GetParam();
    DataSet ds("cdsItem");
    for (const FieldDef& def : testing::ItemFields())
        ds.DeclareField(def);
    LoadThreeItems(ds);
    if (s.prepare) s.prepare(ds);
    EventLog log;
    const auto keepNewRecord = ds.OnNewRecord;
    log.Attach(ds);
    if (keepNewRecord) {
        const auto recorded = ds.OnNewRecord;
        ds.OnNewRecord = [=](DataSet& d) {
            recorded(d);
            keepNewRecord(d);
        };
    }
    s.act(ds);
    EXPECT_EQ(log.events, s.expected) << s.name;
}

INSTANTIATE_TEST_SUITE_P(Table, EventOrderTest, ::testing::ValuesIn(kScenarios));

// Abort in each Before* hook: the operation is undone and the dataset is as it was before.
struct AbortCase {
    const char* hook;
    std::function<void(DataSet&)> act;
    DataSetState stateAfter;
    int recordCountAfter;
    const char* productAfter; // current row's CDPRODUTO
};

const AbortCase kAborts[] = {
    {"BeforeInsert", [](DataSet& ds) { ds.Append(); }, DataSetState::Browse, 3, "B"},
    {"OnNewRecord", [](DataSet& ds) { ds.Insert(); }, DataSetState::Browse, 3, "B"},
    {"BeforeEdit", [](DataSet& ds) { ds.Edit(); }, DataSetState::Browse, 3, "B"},
    {"BeforeDelete", [](DataSet& ds) { ds.Delete(); }, DataSetState::Browse, 3, "B"},
    {"BeforeScroll", [](DataSet& ds) { ds.Next(); }, DataSetState::Browse, 3, "B"},
    {"BeforePost",
     [](DataSet& ds) {
         ds.Edit();
         ds.FieldByName("CDPRODUTO").SetAsString("NOVO");
         ds.Post();
     },
     DataSetState::Edit, 3, "NOVO"},
    {"BeforeCancel",
     [](DataSet& ds) {
         ds.Edit();
         ds.FieldByName("CDPRODUTO").SetAsString("NOVO");
         ds.Cancel();
     },
     DataSetState::Edit, 3, "NOVO"},
};

class AbortTest : public ::testing::TestWithParam<AbortCase> {};

TEST_P(AbortTest, AbortInABeforeHookUndoesTheOperation) {
    const AbortCase& c = GetParam();
    DataSet ds("cdsItem");
    LoadThreeItems(ds);
    ds.Next(); // on "B"
    EventLog log;
    log.abortAt = c.hook;
    log.Attach(ds);
    EXPECT_THROW(c.act(ds), Abort);
    EXPECT_EQ(ds.State(), c.stateAfter) << c.hook;
    EXPECT_EQ(ds.RecordCount(), c.recordCountAfter) << c.hook;
    EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), c.productAfter) << c.hook;
    EXPECT_EQ(ds.ChangeCount(), 0) << c.hook;
}

INSTANTIATE_TEST_SUITE_P(Table, AbortTest, ::testing::ValuesIn(kAborts));

TEST(EventTest, StateNamesAreTheWordsTheRulesReport) {
    DataSet ds("cdsNotaFiscal");
    EXPECT_STREQ(ds.StateName(), "INATIVO");
    LoadThreeItems(ds);
    EXPECT_STREQ(ds.StateName(), "BROWSE");
    ds.Edit();
    EXPECT_STREQ(ds.StateName(), "EDICAO");
    ds.Cancel();
    ds.Append();
    EXPECT_STREQ(ds.StateName(), "INSERT");
}

TEST(EventTest, DetachedHandlerIsPutBackWhateverHappens) {
    DataSet ds("cdsItemNotaFisc");
    LoadThreeItems(ds);
    int checks = 0;
    ds.BeforePost = [&](DataSet&) { ++checks; };
    try {
        DetachedHandler quiet(ds.BeforePost);
        ds.Edit();
        ds.FieldByName("CDPRODUTO").SetAsString("X");
        ds.Post();
        throw std::runtime_error("rule failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(checks, 0);
    ASSERT_TRUE(ds.BeforePost);
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("Y");
    ds.Post();
    EXPECT_EQ(checks, 1);
}

TEST(EventTest, CalculatedFieldsFollowTheCurrentRowAndEdits) {
    DataSet ds("cdsItemProduto");
    for (const FieldDef& def : testing::ItemFields())
        ds.DeclareField(def);
    ds.DeclareCalculatedField({"VRTOTAL", FieldType::Float, 0, false});
    int calls = 0;
    ds.OnCalcFields = [&](DataSet& d) {
        ++calls;
        EXPECT_EQ(d.State(), DataSetState::CalcFields);
        EXPECT_THROW(d.FieldByName("CDPRODUTO").SetAsString("no"), DataSetError);
        d.FieldByName("VRTOTAL").SetAsFloat(d.FieldByName("QTITEMPROD").AsFloat() *
                                            d.FieldByName("VRUNITITEM").AsFloat());
    };
    LoadThreeItems(ds);
    EXPECT_EQ(ds.FieldByName("VRTOTAL").AsFloat(), 10);
    ds.Last();
    EXPECT_EQ(ds.FieldByName("VRTOTAL").AsFloat(), 90);
    ds.Edit();
    ds.FieldByName("QTITEMPROD").SetAsFloat(4);
    EXPECT_EQ(ds.FieldByName("VRTOTAL").AsFloat(), 120);
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("VRTOTAL").AsFloat(), 90);
    double second = 0;
    ds.ReadRecordAt(2, [&] { second = ds.FieldByName("VRTOTAL").AsFloat(); });
    EXPECT_EQ(second, 40);
    EXPECT_EQ(ds.FieldByName("VRTOTAL").AsFloat(), 90); // the current row's value is back
    EXPECT_GT(calls, 0);
    EXPECT_EQ(ds.Data().fields.size(), testing::ItemFields().size()); // never in packets
}

TEST(EventTest, RequiredFieldMustHaveAValueToPost) {
    DataSet ds("cdsContaPagar");
    ds.DeclareField({"NRSEQVENPAG", FieldType::String, 2, true}).SetDisplayLabel("Sequência");
    ds.CreateDataSet();
    ds.Append();
    try {
        ds.Post();
        FAIL();
    } catch (const DataSetError& e) {
        EXPECT_STREQ(e.what(), "Campo 'Sequência' deve ser informado.");
    }
    EXPECT_EQ(ds.State(), DataSetState::Insert);
    ds.FieldByName("NRSEQVENPAG").SetAsString("01");
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST(EventTest, PostFromInsideBeforePostIsRefusedInsteadOfRecursing) {
    DataSet ds("cdsItem");
    LoadThreeItems(ds);
    ds.BeforePost = [](DataSet& d) { d.First(); };
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("Q");
    EXPECT_THROW(ds.Post(), DataSetError);
    EXPECT_EQ(ds.State(), DataSetState::Edit);
}

} // namespace
} // namespace dfe

namespace dfe {
namespace {

TEST(ReadingContextTest, RowsCannotChangeWhileARowIsReadAside) {
    DataSet ds("cdsTrabItProImpos");
    testing::LoadThreeItems(ds);
    ds.OnFilterRecord = [](DataSet& d) {
        EXPECT_THROW(d.Append(), DataSetError);
        EXPECT_THROW(d.Next(), DataSetError);
        return true;
    };
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.ReadRecordAt(2, [&] {
        EXPECT_THROW(ds.Edit(), DataSetError);
        EXPECT_THROW(ds.EmptyDataSet(), DataSetError);
        EXPECT_THROW(ds.SetData(testing::ItemPacket({})), DataSetError);
        EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "B");
    });
    EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "A");
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST(ReadingContextTest, UpdateStatusOfTheCurrentRow) {
    DataSet ds("cdsItem");
    EXPECT_EQ(ds.UpdateStatus(), RowStatus::Unmodified);
    testing::LoadThreeItems(ds);
    EXPECT_EQ(ds.UpdateStatus(), RowStatus::Unmodified);
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("Z");
    ds.Post();
    EXPECT_EQ(ds.UpdateStatus(), RowStatus::Modified);
    ds.Append();
    EXPECT_EQ(ds.UpdateStatus(), RowStatus::Inserted);
}

} // namespace
} // namespace dfe

namespace dfe {
namespace {

TEST(HandlerMisuseTest, BeforeHookThatClosesOrMovesItsDataSetAbandonsTheOperation) {
    DataSet ds("cdsItem");
    testing::LoadThreeItems(ds);
    ds.BeforePost = [](DataSet& d) { d.Close(); };
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("X");
    EXPECT_THROW(ds.Post(), DataSetError);
    EXPECT_FALSE(ds.Active());

    testing::LoadThreeItems(ds);
    ds.BeforeDelete = [](DataSet& d) { d.Last(); };
    EXPECT_THROW(ds.Delete(), DataSetError);
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST(HandlerMisuseTest, ABeforePostThatCancelsItsRowEndsThePostQuietlyWithTheRowCancelled) {
    for (bool inserting : {false, true}) {
        DataSet ds("cdsItem");
        testing::LoadThreeItems(ds);
        int afterPost = 0;
        ds.BeforePost = [](DataSet& d) { d.Cancel(); };
        ds.AfterPost = [&](DataSet&) { ++afterPost; };
        if (inserting) {
            ds.Append();
        } else {
            ds.Last();
            ds.Edit();
        }
        ds.FieldByName("CDPRODUTO").SetAsString("X");
        EXPECT_THROW(ds.Post(), Abort) << inserting;
        EXPECT_EQ(ds.State(), DataSetState::Browse) << inserting;
        EXPECT_EQ(afterPost, 0) << inserting;
        EXPECT_EQ(ds.RecordCount(), 3) << inserting;
        EXPECT_EQ(ds.ChangeCount(), 0) << inserting;
        ds.Last();
        EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "C") << inserting;
        // Still usable: the next post stores.
        ds.BeforePost = nullptr;
        ds.Edit();
        ds.FieldByName("CDPRODUTO").SetAsString("Y");
        ds.Post();
        EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "Y") << inserting;
    }
}

TEST(HandlerMisuseTest, HandlersThatSetThemselvesOffStopWithAnError) {
    DataSet ds("cdsRomaneioNF");
    testing::LoadThreeItems(ds);
    ds.AfterScroll = [](DataSet& d) { d.First(); };
    EXPECT_THROW(ds.Next(), DataSetError);
    ds.AfterScroll = nullptr;
    ds.Last(); // still usable
    EXPECT_EQ(ds.RecNo(), 3);
}

} // namespace
} // namespace dfe
