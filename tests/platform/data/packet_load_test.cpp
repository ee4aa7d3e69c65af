#include "dataset_fixture.h"

#include "platform/data/data_error.h"

#include <gtest/gtest.h>

#include <functional>

namespace dfe {
namespace {

using testing::Column;
using testing::Item;
using testing::ItemFields;
using testing::ItemPacket;
using testing::LoadThreeItems;

TEST(PacketLoadTest, DataRoundTripsThroughAPacket) {
    DataSet source("cdsNotaFiscal");
    LoadThreeItems(source);
    source.Edit();
    source.FieldByName("CDPRODUTO").SetAsString("Ação");
    source.FieldByName("DTENTRADA").Clear();
    source.Post();
    const Packet data = source.Data();
    EXPECT_FALSE(data.isDelta);
    EXPECT_EQ(data.fields, ItemFields());
    DataSet copy("cdsNotaFiscalAux"); // no declared fields: it takes them from the packet
    copy.CopyDataFrom(source);
    EXPECT_EQ(copy.Data(), data);
    EXPECT_EQ(copy.ChangeCount(), 0);
    EXPECT_EQ(copy.FieldByName("CDPRODUTO").Size(), 10);
    EXPECT_EQ(copy.FieldByName("CDPRODUTO").AsString(), "Ação");
    EXPECT_TRUE(copy.FieldByName("DTENTRADA").IsNull());
}

TEST(PacketLoadTest, FilteredRowsAreStillData) {
    DataSet ds("cdsInsEtiqueta");
    LoadThreeItems(ds);
    ds.SetFilter("CDPRODUTO = 'B'");
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.Data().rows.size(), 3u);
}

TEST(PacketLoadTest, DeclaredFieldsAreMatchedByNameAndConverted) {
    DataSet ds("cdsItemProduto");
    ds.DeclareField({"cdproduto", FieldType::String, 10, false});
    ds.DeclareField({"NRITENS", FieldType::Float, 0, false}); // the packet sends it as Integer
    Field& declared = ds.FieldByName("CDPRODUTO");
    LoadThreeItems(ds);
    EXPECT_EQ(&ds.FieldByName("CDPRODUTO"), &declared);
    EXPECT_EQ(ds.FieldAt(0).FieldName(), "cdproduto");
    EXPECT_EQ(ds.FieldByName("NRITENS").Value(), Variant(1.0));
    EXPECT_EQ(ds.FieldByName("NRITENS").Value().Type(), VariantType::Double);
    EXPECT_EQ(ds.FieldCount(), static_cast<int>(ItemFields().size()));
    EXPECT_EQ(ds.FieldByName("QTITEMPROD").AsFloat(), 1); // taken from the packet
    ds.Close();
    EXPECT_EQ(ds.FieldCount(), 2); // only the declared ones survive closing
}

TEST(PacketLoadTest, LoadingTheSameLayoutAgainKeepsTheFields) {
    DataSet ds("cdsErrosFech");
    LoadThreeItems(ds);
    Field* before = &ds.FieldByName("CDPRODUTO");
    before->SetDisplayLabel("Produto");
    LoadThreeItems(ds);
    EXPECT_EQ(&ds.FieldByName("CDPRODUTO"), before);
    EXPECT_EQ(before->DisplayLabel(), "Produto");
}

struct MalformedPacket {
    const char* name;
    std::function<void(Packet&)> spoil;
};

const MalformedPacket kMalformed[] = {
    {"row too short", [](Packet& p) { p.rows[1].values.pop_back(); }},
    {"row too long", [](Packet& p) { p.rows[2].values.push_back(Variant(1)); }},
    {"text in a float field", [](Packet& p) { p.rows[2].values[2] = Variant("dez"); }},
    {"number in a text field", [](Packet& p) { p.rows[2].values[1] = Variant(7); }},
    {"text longer than its field", [](Packet& p) { p.rows[2].values[0] = Variant("Lançamento"); }},
    {"array as a value", [](Packet& p) { p.rows[0].values[1] = Variant::Array({Variant(1)}); }},
    {"duplicate field", [](Packet& p) { p.fields[1].name = "nrseqitprod"; }},
    {"nameless field", [](Packet& p) { p.fields[1].name = " "; }},
    {"unknown field type", [](Packet& p) { p.fields[1].type = static_cast<FieldType>(99); }},
    {"negative size", [](Packet& p) { p.fields[1].size = -1; }},
    {"a delta", [](Packet& p) { p.isDelta = true; }},
    {"a changed row", [](Packet& p) { p.rows[1].status = RowStatus::Modified; }},
};

class MalformedPacketTest : public ::testing::TestWithParam<MalformedPacket> {};

TEST_P(MalformedPacketTest, RaisesAndLeavesTheDataSetExactlyAsItWas) {
    DataSet ds("cdsItemProduto");
    LoadThreeItems(ds);
    ds.SetFilter("QTITEMPROD > 1");
    ds.SetFiltered(true);
    ds.Last();
    ds.Edit();
    ds.FieldByName("CDPRODUTO").SetAsString("pendente");
    const Packet before = ds.Data();
    int opens = 0;
    ds.AfterOpen = [&](DataSet&) { ++opens; };
    Packet bad = ItemPacket({Item("004", "D", 1, 1), Item("005", "E", 2, 2), Item("006", "F", 3, 3)});
    GetParam().spoil(bad);
    EXPECT_THROW(ds.CheckData(bad), PacketError) << GetParam().name;
    try {
        ds.SetData(std::move(bad));
        FAIL() << GetParam().name << " was loaded";
    } catch (const PacketError& e) {
        EXPECT_NE(std::string(e.what()).find("Pacote de dados inválido"), std::string::npos) << e.what();
    }
    EXPECT_EQ(opens, 0);
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    EXPECT_EQ(ds.FieldByName("CDPRODUTO").AsString(), "pendente");
    ds.Cancel();
    EXPECT_EQ(ds.Data(), before);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.RecNo(), 2);
}

INSTANTIATE_TEST_SUITE_P(Table, MalformedPacketTest, ::testing::ValuesIn(kMalformed));

TEST(PacketLoadTest, DeclaredFieldMissingFromThePacketIsRefused) {
    DataSet ds("cdsNotaFiscal");
    ds.DeclareField({"VRNOTAFISC", FieldType::Float, 0, false});
    EXPECT_THROW(ds.CheckData(ItemPacket({Item("004", "D", 1, 1)})), PacketError);
    EXPECT_THROW(LoadThreeItems(ds), PacketError);
    EXPECT_FALSE(ds.Active());
}

TEST(PacketLoadTest, FilterNamingAFieldTheNewPacketLacksIsRefusedBeforeLoading) {
    DataSet ds("cdsNFOrigLista");
    LoadThreeItems(ds);
    ds.SetFilter("QTITEMPROD > 1");
    Packet other;
    other.fields = {{"OUTRO", FieldType::String, 1, false}};
    EXPECT_THROW(ds.CheckData(other), DataSetError);
    EXPECT_THROW(ds.SetData(std::move(other)), DataSetError);
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST(PacketLoadTest, CreateFromDefinitionsAndRecreateEmpty) {
    DataSet ds("cdsErrosVisual");
    ds.CreateDataSet({{"CDERRO", FieldType::String, 1, false},
                      {"DSERRO", FieldType::String, 250, false},
                      {"SGIMPOSTO", FieldType::String, 10, false}});
    ds.Append();
    ds.FieldByName("CDERRO").SetAsString("E");
    ds.Post();
    ds.EmptyOrCreateDataSet();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_EQ(ds.FieldCount(), 3);
    EXPECT_THROW(ds.CreateDataSet({{"A", FieldType::String, 1, false}, {"a", FieldType::String, 1, false}}),
                 DataSetError);
    EXPECT_EQ(ds.FieldCount(), 3);
    EXPECT_TRUE(ds.Active());
}

} // namespace
} // namespace dfe
