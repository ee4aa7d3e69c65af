#include "support/consiste.h"
#include "support/messages.h"

#include <gtest/gtest.h>

namespace dfe::support {
namespace {

TEST(Consiste, AjustaPadsTypedCodesWithZeros) {
    struct Case {
        const char* code;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {"7", 4, "0007"}, {" 12 ", 4, "0012"}, {"0001", 4, "0001"}, {"12345", 4, "12345"},
        {"", 4, ""},      {"   ", 4, ""},      {"A1", 4, "00A1"},   {"5", 0, "5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Ajusta(c.code, c.width), c.expected) << "'" << c.code << "'";
}

TEST(Consiste, RegistrationNumbersAreStoredWithoutMaskAndChecked) {
    EXPECT_EQ(Ajusta_Inscricao("529.982.247-25"), "52998224725");
    EXPECT_EQ(Ajusta_Inscricao("12.abc.345/01de-35"), "12ABC34501DE35");
    struct Case {
        const char* number;
        bool cpf;
        bool cnpj;
    };
    const Case cases[] = {
        {"529.982.247-25", true, false},      {"52998224725", true, false},
        {"529.982.247-26", false, false},     {"11.222.333/0001-81", false, true},
        {"12.ABC.345/01DE-35", false, true},  {"12abc34501de35", false, true},
        {"12.ABC.345/01DE-53", false, false}, {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CPFOk(c.number), c.cpf) << c.number;
        EXPECT_EQ(CGCOk(c.number), c.cnpj) << c.number;
    }
}

TEST(Consiste, PictPessByPersonType) {
    EXPECT_EQ(PictPess("F"), "999.999.999-99;0; ");
    EXPECT_EQ(PictPess("J"), ">AA.AAA.AAA/AAAA-99;0; ");
    EXPECT_EQ(PictPess("X"), "");
}

TEST(Consiste, DatesRoundingAndBlanks) {
    EXPECT_EQ(PriDiaMes(DateTime::FromDateTime(2026, 12, 10, 15, 0, 0)), DateTime::FromDate(2026, 12, 1));
    EXPECT_TRUE(PriDiaMes(DateTime()).IsEmpty());
    EXPECT_EQ(RoundDec(0.575, 2), 0.58);
    EXPECT_EQ(PadL("7", 2), " 7");
    EXPECT_EQ(PadL("ção", 4, '*'), "*ção");
    EXPECT_TRUE(EmptyString("  "));
    EXPECT_FALSE(EmptyString(" x "));
}

TEST(Messages, LinesSplitOnTheFirstBarOnly) {
    const TMessages m({"Err_Conex|Ocorreu um erro na conexão com o servidor:", "DsErro|Erro: ", "Piped|a|b|c",
                       "no bar here"});
    EXPECT_EQ(m.Msg("Err_Conex"), "Ocorreu um erro na conexão com o servidor:");
    EXPECT_EQ(m.Msg("err_conex"), "Ocorreu um erro na conexão com o servidor:");
    EXPECT_EQ(m.Msg("DsErro"), "Erro: ");
    EXPECT_EQ(m.Msg("Piped"), "a|b|c");
    EXPECT_FALSE(m.Has("no bar here"));
    EXPECT_EQ(m.Msg("Nada"), "[Nada]");
}

} // namespace
} // namespace dfe::support
