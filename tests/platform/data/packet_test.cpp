#include "platform/data/packet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace dfe {
namespace {

Packet SamplePacket() {
    Packet p;
    p.fields = {
        {"CDFILIAL", FieldType::String, 4, true},   {"NRLANCTONF", FieldType::Integer, 0, true},
        {"VRNOTAFISC", FieldType::Float, 0, false}, {"DTENTRADA", FieldType::DateTime, 0, false},
        {"IDATIVO", FieldType::Boolean, 0, false},  {"DSOBSERV", FieldType::Memo, 0, false},
        {"IMAGEM", FieldType::Blob, 0, false},
    };
    p.rows.push_back(
        {RowStatus::Unmodified,
         {"0001", int64_t{123}, 1234.56, DateTime::FromDate(2026, 12, 10), true, "Lançamento", "\x00\xFF"},
         {}});
    p.rows.push_back(
        {RowStatus::Unmodified,
         {Variant::Null(), int64_t{-5}, Variant::Null(), Variant::Null(), false, "", Variant::Null()},
         {}});
    return p;
}

TEST(Packet, RoundTripsEveryFieldTypeAndNull) {
    const Packet p = SamplePacket();
    const Packet back = DecodePacket(EncodePacket(p));
    EXPECT_EQ(back, p);
    EXPECT_TRUE(back.rows[1].values[0].IsNull());
    EXPECT_FALSE(back.rows[1].values[5].IsNull()); // empty text stays distinct from null
    EXPECT_EQ(back.FieldIndex("vrnotafisc"), 2);
    EXPECT_EQ(back.FieldIndex("NOPE"), -1);
}

TEST(Packet, RoundTripsDeltaRowsWithTheirOriginalValues) {
    Packet p;
    p.isDelta = true;
    p.fields = {{"K", FieldType::Integer, 0, true}, {"V", FieldType::String, 10, false}};
    p.rows.push_back({RowStatus::Inserted, {int64_t{1}, "novo"}, {}});
    p.rows.push_back({RowStatus::Modified, {int64_t{2}, "depois"}, {int64_t{2}, "antes"}});
    p.rows.push_back({RowStatus::Deleted, {int64_t{3}, Variant::Null()}, {}});
    EXPECT_EQ(DecodePacket(EncodePacket(p)), p);
}

TEST(Packet, EmptyPacketsRoundTrip) {
    Packet noFields;
    EXPECT_EQ(DecodePacket(EncodePacket(noFields)), noFields);
    Packet noRows;
    noRows.fields = {{"A", FieldType::String, 1, false}};
    EXPECT_EQ(DecodePacket(EncodePacket(noRows)), noRows);
}

TEST(Packet, EncodingRefusesRowsThatDoNotFitTheFields) {
    struct Case {
        const char* what;
        Packet packet;
    };
    Packet wrongCount = SamplePacket();
    wrongCount.rows[0].values.pop_back();
    Packet wrongType = SamplePacket();
    wrongType.rows[0].values[1] = Variant("not a number");
    Packet statusInData = SamplePacket();
    statusInData.rows[0].status = RowStatus::Inserted;
    Packet duplicateField = SamplePacket();
    duplicateField.fields[1].name = "cdfilial";
    Packet originalWithoutChange = SamplePacket();
    originalWithoutChange.rows[0].original = originalWithoutChange.rows[0].values;
    const Case cases[] = {
        {"value count", wrongCount},
        {"value type", wrongType},
        {"status in data packet", statusInData},
        {"duplicate field", duplicateField},
        {"original without change", originalWithoutChange},
    };
    for (const Case& c : cases)
        EXPECT_THROW(EncodePacket(c.packet), PacketError) << c.what;
}

TEST(Packet, EveryTruncationIsRefusedWithAClearError) {
    const std::string bytes = EncodePacket(SamplePacket());
    for (size_t n = 0; n < bytes.size(); ++n) {
        EXPECT_THROW(DecodePacket(std::string_view(bytes).substr(0, n)), PacketError) << "cut at " << n;
    }
    EXPECT_THROW(DecodePacket(bytes + "x"), PacketError);
}

TEST(Packet, CorruptHeadersAndCountsAreRefused) {
    const std::string good = EncodePacket(SamplePacket());
    struct Case {
        const char* what;
        size_t offset;
        char value;
    };
    const Case cases[] = {
        {"magic", 0, 'X'},
        {"version", 4, 9},
        {"unknown flag", 6, 4},
        {"field count beyond input", 8, 0x7F},
        {"unknown field type", 8 + 1 + 1 + 8, 42}, // type byte of the first field ("CDFILIAL")
    };
    for (const Case& c : cases) {
        std::string bad = good;
        bad[c.offset] = c.value;
        EXPECT_THROW(DecodePacket(bad), PacketError) << c.what;
    }
}

TEST(Packet, HugeCountsDoNotAllocateBeforeFailing) {
    // Header, no fields, then a row count of 2^63: must fail fast, not try to reserve it.
    std::string bytes("DFEP\x01\x00\x00\x00\x00", 9);
    bytes += std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 9);
    EXPECT_THROW(DecodePacket(bytes), PacketError);
}

TEST(Packet, TextThatIsNotUtf8IsRefusedButBlobsCarryAnyBytes) {
    Packet p;
    p.fields = {{"T", FieldType::String, 10, false}};
    p.rows.push_back({RowStatus::Unmodified, {"ab"}, {}});
    std::string bytes = EncodePacket(p);
    bytes[bytes.size() - 1] = '\xFF';
    EXPECT_THROW(DecodePacket(bytes), PacketError);

    p.fields[0].type = FieldType::Blob;
    p.rows[0].values[0] = Variant(std::string("\xFF\x00\xFE", 3));
    EXPECT_EQ(DecodePacket(EncodePacket(p)), p);
}

TEST(Packet, TravelsInsideAVariant) {
    const Packet p = SamplePacket();
    const Variant v(ToDataPacket(p));
    EXPECT_TRUE(v.IsPacket());
    EXPECT_EQ(FromDataPacket(v.AsPacket()), p);
}

} // namespace
} // namespace dfe

namespace dfe {
namespace {

// The fuzzer starts from these seeds; a seed that no longer decodes would leave it exploring garbage only.
TEST(Packet, FuzzSeedsAreValidPackets) {
    const char* root = std::getenv("DFE_SOURCE_DIR");
    if (!root) GTEST_SKIP() << "DFE_SOURCE_DIR not set";
    for (const char* name : {"data_rows", "delta_rows"}) {
        std::ifstream in(std::string(root) + "/fuzz/corpus/packet/" + name, std::ios::binary);
        ASSERT_TRUE(in) << name;
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NO_THROW(DecodePacket(bytes)) << name;
    }
}

} // namespace
} // namespace dfe
