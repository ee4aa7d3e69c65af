#include "platform/core/text.h"

#include <gtest/gtest.h>

namespace dfe::text {
namespace {

TEST(Text, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(Length("Lançamento"), 10u);
    EXPECT_EQ(Length("ÁÉÍÓÚ"), 5u);
    EXPECT_EQ(Length(""), 0u);
    EXPECT_EQ(Length("€"), 1u);
    EXPECT_EQ(Length("\xF0\x9F\x98\x80"), 1u); // an emoji is one character
}

TEST(Text, UpperAndLowerKeepPortugueseAccents) {
    EXPECT_EQ(Upper("ação çãõéü ñ"), "AÇÃO ÇÃÕÉÜ Ñ");
    EXPECT_EQ(Lower("AÇÃO ÇÃÕÉÜ"), "ação çãõéü");
    EXPECT_EQ(Upper("a×b÷c"), "A×B÷C"); // the signs are not letters
    EXPECT_TRUE(SameText("Lançamento", "LANÇAMENTO"));
    EXPECT_FALSE(SameText("Lançamento", "LANCAMENTO"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_EQ(RemoveAccents("Lançamento à ÓTICA"), "Lancamento a OTICA");
}

TEST(Text, CutsAndPadsByCharacters) {
    EXPECT_EQ(Left("Lançamento", 4), "Lanç");
    EXPECT_EQ(Left("ab", 5), "ab");
    EXPECT_EQ(Right("Lançamento", 7), "çamento");
    EXPECT_EQ(Mid("Lançamento", 3, 3), "çam");
    EXPECT_EQ(Mid("abc", 5, 2), "");
    EXPECT_EQ(PadLeft("7", 4, '0'), "0007");
    EXPECT_EQ(PadLeft("ção", 5), "  ção");
    EXPECT_EQ(PadLeft("12345", 4, '0'), "12345");
    EXPECT_EQ(PadRight("ç", 3, '.'), "ç..");
}

TEST(Text, TrimsAndSplits) {
    EXPECT_EQ(Trim("  a b \t\n"), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    const std::vector<std::string> parts = Split("code|text|with|bars", '|');
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0], "code");
    EXPECT_EQ(Split("a||", '|').size(), 3u);
    EXPECT_EQ(Replace("a.b.c", ".", ""), "abc");
    EXPECT_TRUE(IsDigits("0123"));
    EXPECT_FALSE(IsDigits(""));
    EXPECT_FALSE(IsDigits("12a"));
}

TEST(Text, InvalidUtf8IsDetectedAndRepairedNeverOverread) {
    const std::string cases[] = {
        "\xC3",             // truncated two-byte sequence
        "ab\xE2\x82",       // truncated three-byte sequence at the end
        "\xC0\xAF",         // overlong slash
        "\xED\xA0\x80",     // surrogate
        "\xFF",             // never valid
        "\xF4\x90\x80\x80", // beyond U+10FFFF
    };
    for (const std::string& bad : cases) {
        EXPECT_FALSE(IsValidUtf8(bad)) << bad.size();
        const std::string fixed = Sanitize(bad);
        EXPECT_TRUE(IsValidUtf8(fixed));
        EXPECT_GE(Length(bad), 1u);
        EXPECT_EQ(Upper(bad), Upper(fixed));
    }
    EXPECT_TRUE(IsValidUtf8("Lançamento €"));
}

} // namespace
} // namespace dfe::text
