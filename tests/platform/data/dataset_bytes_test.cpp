#include "dataset_fixture.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

using testing::LoadThreeItems;

std::string SourceBytes() {
    DataSet ds("cdsOrigem");
    LoadThreeItems(ds);
    return ds.DataPacketBytes().Bytes();
}

TEST(DataSetBytesTest, EncodedContentLoadsIntoAnotherDataSet) {
    DataSet source("cdsItemProduto");
    LoadThreeItems(source);
    DataSet copy("cdsAuxServer");
    copy.SetData(Variant(source.DataPacketBytes()));
    EXPECT_EQ(copy.Data(), source.Data());
    copy.SetData(source.DataPacketBytes());
    EXPECT_EQ(copy.RecordCount(), 3);
}

TEST(DataSetBytesTest, BrokenBytesOrAWrongVariantLeaveTheDataSetAsItWas) {
    DataSet ds("cdsNotaFiscal");
    LoadThreeItems(ds);
    ds.Next();
    const Packet before = ds.Data();
    const std::string bytes = SourceBytes();
    for (size_t cut : {size_t{0}, size_t{3}, bytes.size() / 2, bytes.size() - 1}) {
        EXPECT_THROW(ds.SetData(DataPacket(bytes.substr(0, cut))), PacketError) << cut;
    }
    EXPECT_THROW(ds.SetData(Variant("não é pacote")), PacketError);
    EXPECT_EQ(ds.Data(), before);
    EXPECT_EQ(ds.RecNo(), 2);
}

TEST(DataSetBytesTest, NullPacketClosesTheDataSet) {
    DataSet ds("cdsNfCompra");
    LoadThreeItems(ds);
    ds.SetData(Variant::Null());
    EXPECT_FALSE(ds.Active());
}

TEST(DataSetBytesTest, DeltaVariantIsNullWithoutChangesElseAnEncodedDelta) {
    DataSet ds("cdsTrabReplicDoc");
    LoadThreeItems(ds);
    EXPECT_TRUE(ds.DeltaVariant().IsNull());
    ds.Delete();
    const Variant delta = ds.DeltaVariant();
    ASSERT_TRUE(delta.IsPacket());
    const Packet decoded = FromDataPacket(delta.AsPacket());
    EXPECT_TRUE(decoded.isDelta);
    EXPECT_EQ(decoded, ds.Delta());
}

} // namespace
} // namespace dfe
