#include "platform/core/tax_id.h"

#include <gtest/gtest.h>

namespace dfe::taxid {
namespace {

TEST(TaxId, CpfCheckDigits) {
    struct Case {
        const char* cpf;
        bool valid;
    };
    const Case cases[] = {
        {"52998224725", true},     {"11144477735", true},
        {"52998224724", false},    {"52998224715", false},
        {"11111111111", false},    {"00000000000", false},
        {"5299822472", false},     {"529982247250", false},
        {"5299822472a", false},    {"", false},
        {"529.982.247-25", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidCpf(c.cpf), c.valid) << c.cpf;
    EXPECT_EQ(CpfCheckDigits("529982247").value_or("?"), "25");
    EXPECT_FALSE(CpfCheckDigits("52998224").has_value());
}

TEST(TaxId, NumericAndAlphanumericCnpjCheckDigits) {
    struct Case {
        const char* cnpj;
        bool valid;
    };
    const Case cases[] = {
        {"11222333000181", true},      {"11444777000161", true},  {"11222333000182", false},
        {"12ABC34501DE35", true}, // letters in root and order, valued ASCII - 48
        {"12ABC34501DE36", false},     {"12abc34501de35", false}, // the mask upper-cases; lower case is
                                                                  // refused
        {"12ABC34501DEA5", false},                                // check digits are always numeric
        {"00000000000000", false},     {"1122233300018", false},  {"", false},
        {"11.222.333/0001-81", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidCnpj(c.cnpj), c.valid) << c.cnpj;
    EXPECT_EQ(CnpjCheckDigits("12ABC34501DE").value_or("?"), "35");
    EXPECT_EQ(CnpjCheckDigits("112223330001").value_or("?"), "81");
    EXPECT_FALSE(CnpjCheckDigits("12ABC34501D").has_value());
    EXPECT_FALSE(CnpjCheckDigits("12ABC34501D-").has_value());
}

} // namespace
} // namespace dfe::taxid
