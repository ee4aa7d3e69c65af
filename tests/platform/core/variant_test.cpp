#include "platform/core/variant.h"

#include <gtest/gtest.h>

namespace dfe {
namespace {

TEST(Variant, NullAndUnassignedReadAsEmptyValues) {
    for (const Variant& v : {Variant(), Variant::Null()}) {
        EXPECT_TRUE(v.IsNull());
        EXPECT_EQ(v.AsString(), "");
        EXPECT_EQ(v.AsFloat(), 0.0);
        EXPECT_EQ(v.AsInteger(), 0);
        EXPECT_FALSE(v.AsBoolean());
        EXPECT_TRUE(v.AsDateTime().IsEmpty());
    }
    EXPECT_TRUE(Variant().IsUnassigned());
    EXPECT_FALSE(Variant::Null().IsUnassigned());
    EXPECT_FALSE(Variant("").IsNull()); // empty text is a value
}

TEST(Variant, ConvertsBetweenTheTypesTheRulesMix) {
    EXPECT_EQ(Variant(42).AsString(), "42");
    EXPECT_EQ(Variant(1.5).AsString(), "1,5");
    EXPECT_EQ(Variant("1,5").AsFloat(), 1.5);
    EXPECT_EQ(Variant("  ").AsFloat(), 0.0);
    EXPECT_EQ(Variant("12").AsInteger(), 12);
    EXPECT_EQ(Variant(2.9999999).AsInteger(), 3);
    EXPECT_TRUE(Variant("S").AsBoolean());
    EXPECT_FALSE(Variant("N").AsBoolean());
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant("07/03/2026").AsDateTime(), DateTime::FromDate(2026, 3, 7));
    EXPECT_EQ(Variant(DateTime::FromDate(2026, 3, 7)).AsString(), "07/03/2026");
    EXPECT_EQ(Variant(DateTime::FromDateTime(2026, 3, 7, 10, 0, 0)).AsString(), "07/03/2026 10:00:00");
    EXPECT_EQ(Variant(DateTime()).AsString(), "");
}

TEST(Variant, RefusesConversionsThatMakeNoSense) {
    EXPECT_THROW(Variant("abc").AsFloat(), ConversionError);
    EXPECT_THROW(Variant("32/01/2026").AsDateTime(), ConversionError);
    EXPECT_THROW(Variant("talvez").AsBoolean(), ConversionError);
    EXPECT_THROW(Variant::Array({1, 2}).AsString(), ConversionError);
    EXPECT_THROW(Variant(1).AsArray(), ConversionError);
    EXPECT_THROW(Variant("x").AsPacket(), ConversionError);
    EXPECT_THROW(Variant(1e300).AsInteger(), ConversionError);
}

TEST(Variant, ArraysKeepTheirLowBoundAndCheckIndexes) {
    const Variant zeroBased = Variant::Array({"ok", 2, true});
    EXPECT_EQ(zeroBased.AsArray()[0].AsString(), "ok");
    EXPECT_EQ(zeroBased.AsArray().HighBound(), 2);
    EXPECT_THROW(zeroBased.AsArray()[3], ConversionError);
    EXPECT_THROW(zeroBased.AsArray()[-1], ConversionError);

    const Variant oneBased = Variant::Array({"a", "b"}, 1);
    EXPECT_EQ(oneBased.AsArray()[1].AsString(), "a");
    EXPECT_EQ(oneBased.AsArray()[2].AsString(), "b");
    EXPECT_THROW(oneBased.AsArray()[0], ConversionError);
}

TEST(Variant, CopiesOfArraysAreIndependent) {
    Variant a = Variant::Array({1, 2});
    Variant b = a;
    b.AsArray()[0] = Variant("changed");
    EXPECT_EQ(a.AsArray()[0].AsInteger(), 1);
    EXPECT_FALSE(a == b);
}

TEST(Variant, EqualityComparesNumbersByValueAndOtherwiseByTypeAndValue) {
    EXPECT_EQ(Variant(3), Variant(3.0));
    EXPECT_FALSE(Variant("3") == Variant(3));
    EXPECT_EQ(Variant::Null(), Variant::Null());
    EXPECT_FALSE(Variant::Null() == Variant());
    EXPECT_EQ(Variant(DataPacket("abc")), Variant(DataPacket("abc")));
    EXPECT_EQ(DescribeVariant(Variant::Array({Variant::Null(), "x", 1.5})), "[Null, 'x', 1.5]");
}

} // namespace
} // namespace dfe
