#include "platform/data/packet_encoder.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

std::vector<FieldDef> Fields() {
    return {{"CDFILIAL", FieldType::String, 4, false}, {"NMPRODUTO", FieldType::String, 5, false},
            {"VRTOTAL", FieldType::Float, 0, false},   {"DTENTRSAID", FieldType::DateTime, 0, false},
            {"QTITENS", FieldType::Integer, 0, false}, {"IDATIVO", FieldType::Boolean, 0, false},
            {"DSOBS", FieldType::Memo, 0, false},      {"F8", FieldType::String, 1, false},
            {"F9", FieldType::String, 1, false}};
}

// The encoder writes the bytes EncodePacket writes for the same rows: nulls past the first bitmap byte,
// texts cut at their field's width counting characters, every type.
TEST(PacketEncoder, WritesWhatEncodePacketWrites) {
    PacketEncoder e(Fields());
    e.BeginRow();
    e.Text("0001");
    e.Text("Açúcar cristal");
    e.Float(12.5);
    e.Date(46366.5);
    e.Integer(-3);
    e.Boolean(true);
    e.Text(std::string(5000, 'x'));
    e.Null();
    e.Text("S");
    e.EndRow();
    e.BeginRow();
    for (int i = 0; i < 9; ++i)
        e.Null();
    e.EndRow();
    EXPECT_EQ(e.RowCount(), 2u);

    Packet expected;
    expected.fields = Fields();
    expected.rows.push_back(
        {RowStatus::Unmodified,
         {Variant("0001"), Variant("Açúca"), Variant(12.5), Variant(DateTime(46366.5)), Variant(int64_t{-3}),
          Variant(true), Variant(std::string(5000, 'x')), Variant::Null(), Variant("S")},
         {}});
    expected.rows.push_back({RowStatus::Unmodified, std::vector<Variant>(9, Variant::Null()), {}});
    EXPECT_EQ(e.Finish().Bytes(), EncodePacket(expected));
}

TEST(PacketEncoder, AnEmptyResultIsAnEmptyPacketOfTheFields) {
    PacketEncoder e(Fields());
    const Packet p = FromDataPacket(e.Finish());
    EXPECT_EQ(p.fields, Fields());
    EXPECT_TRUE(p.rows.empty());
}

TEST(PacketEncoder, RefusesValuesOutOfStepWithTheFields) {
    const struct {
        const char* name;
        void (*write)(PacketEncoder&);
    } cases[] = {
        {"value outside a row", [](PacketEncoder& e) { e.Text("0001"); }},
        {"number in a text field", [](PacketEncoder& e) { e.BeginRow(), e.Float(1); }},
        {"text in a number field", [](PacketEncoder& e) { e.BeginRow(), e.Null(), e.Null(), e.Text("1"); }},
        {"row ended early", [](PacketEncoder& e) { e.BeginRow(), e.Null(), e.EndRow(); }},
        {"row begun twice", [](PacketEncoder& e) { e.BeginRow(), e.BeginRow(); }},
        {"value past the last field",
         [](PacketEncoder& e) {
             e.BeginRow();
             for (int i = 0; i < 10; ++i)
                 e.Null();
         }},
    };
    for (const auto& c : cases) {
        PacketEncoder e(Fields());
        EXPECT_THROW(c.write(e), PacketError) << c.name;
    }
}

} // namespace
} // namespace dfe
