#include "platform/core/nfe_access_key.h"

#include <gtest/gtest.h>

#include <string>

namespace dfe::nfe {
namespace {

// The keys of the public sample documents (their infNFe Id without "NFe").
constexpr const char* kSampleKeys[] = {
    "35180834128745000152550010000474281920007498",
    "35180834128745000152550010000474501597356342",
    "26180875335849000115550010000016871192213331",
    "35200159594315000157550010000000012062777161",
};

TEST(NFeAccessKey, TheSampleDocumentsKeysAreValid) {
    for (const char* key : kSampleKeys)
        EXPECT_TRUE(IsValidAccessKey(key)) << key;
}

TEST(NFeAccessKey, OnlyFortyFourDigitsWithTheirCheckDigitAreValid) {
    struct Case {
        const char* what;
        std::string key;
        bool valid;
    };
    const std::string sample = kSampleKeys[0];
    auto changed = [&sample](size_t at) {
        std::string key = sample;
        key[at] = key[at] == '9' ? '0' : static_cast<char>(key[at] + 1);
        return key;
    };
    const Case cases[] = {
        {"remainder 0 gives 0", "35261211222333000181550010000001231000000010", true},
        {"remainder 1 gives 0", "35261211222333000181550010000001231000000070", true},
        {"remainder 2 gives 9", "35261211222333000181550010000001231000000029", true},
        {"remainder 1 with digit 1", "35261211222333000181550010000001231000000071", false},
        {"first digit changed", changed(0), false},
        {"a series digit changed", changed(24), false},
        {"the check digit changed", changed(43), false},
        {"two neighbours swapped", "35180834128745000152550010000474821920007498", false},
        {"43 digits", sample.substr(0, 43), false},
        {"45 digits", sample + "0", false},
        {"a letter", "3518083412874500015255001000047428192000749A", false},
        {"a blank inside", "3518083412874500015255001000047 281920007498", false},
        {"a trailing blank in place of the last digit", sample.substr(0, 43) + " ", false},
        {"grouped with dots", "3518.0834.1287.4500.0152.5500.1000.0474.2819.2000.7498", false},
        {"empty", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidAccessKey(c.key), c.valid) << c.what << ": " << c.key;
}

TEST(NFeAccessKey, TheCheckDigitNeedsFortyThreeDigits) {
    EXPECT_EQ(AccessKeyCheckDigit("3518083412874500015255001000047428192000749"), 8);
    EXPECT_EQ(AccessKeyCheckDigit("351808341287450001525500100004742819200074"), std::nullopt);
    EXPECT_EQ(AccessKeyCheckDigit("35180834128745000152550010000474281920007498"), std::nullopt);
    EXPECT_EQ(AccessKeyCheckDigit("351808341287450001525500100004742819200074x"), std::nullopt);
}

// The parts as the documents carry them: the first two keys agree with their fields; the third document
// states another check digit than its key's, the fourth another issue type.
TEST(NFeAccessKey, SplitsTheKeyIntoItsLayout) {
    struct Case {
        const char* key;
        AccessKeyParts parts;
    };
    const Case cases[] = {
        {kSampleKeys[0],
         {"35", "18", "08", "34128745000152", "55", "001", "000047428", "1", "92000749", "8"}},
        {kSampleKeys[2],
         {"26", "18", "08", "75335849000115", "55", "001", "000001687", "1", "19221333", "1"}},
        {kSampleKeys[3],
         {"35", "20", "01", "59594315000157", "55", "001", "000000001", "2", "06277716", "1"}},
    };
    for (const Case& c : cases) {
        const auto parts = SplitAccessKey(c.key);
        ASSERT_TRUE(parts) << c.key;
        const AccessKeyParts& want = c.parts;
        EXPECT_EQ(parts->state, want.state) << c.key;
        EXPECT_EQ(parts->year, want.year) << c.key;
        EXPECT_EQ(parts->month, want.month) << c.key;
        EXPECT_EQ(parts->issuer, want.issuer) << c.key;
        EXPECT_EQ(parts->model, want.model) << c.key;
        EXPECT_EQ(parts->series, want.series) << c.key;
        EXPECT_EQ(parts->number, want.number) << c.key;
        EXPECT_EQ(parts->issueType, want.issueType) << c.key;
        EXPECT_EQ(parts->numericCode, want.numericCode) << c.key;
        EXPECT_EQ(parts->checkDigit, want.checkDigit) << c.key;
    }
    EXPECT_FALSE(SplitAccessKey("3518083412874500015255001000047428192000749"));
    EXPECT_FALSE(SplitAccessKey("3518083412874500015255001000047428192000749X"));
}

} // namespace
} // namespace dfe::nfe
