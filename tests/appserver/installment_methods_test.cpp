#include "demo_server.h"
#include "platform/net/tax_calls.h"

#include <vector>

namespace dfe::appserver {
namespace {

// The demo's terms: Serra Azul 28/56/84, its authorization 0001||0001||0000000412 30/60, João Carlos da
// Silva cash; Cacau Sul da Bahia and the authorization 0000000415 have no payment form.
class InstallmentMethods : public testing::DemoServer {
protected:
    struct Schedule {
        std::vector<int64_t> days;
        std::vector<DateTime> dueDates;
        std::vector<double> values;
        friend bool operator==(const Schedule&, const Schedule&) = default;
    };

    Variant Ask(net::CriaVencimentosArgs& a) { return Call(a.kMethod, net::ToCallArgs(a)); }

    static Schedule Read(const Variant& answer) {
        Schedule s;
        const VariantArray& rows = answer.AsArray();
        EXPECT_EQ(rows.LowBound(), 1);
        EXPECT_EQ(rows.Size(), 3u);
        for (int i = rows[1].AsArray().LowBound(); i <= rows[1].AsArray().HighBound(); ++i) {
            s.days.push_back(rows[1].AsArray()[i].AsInteger());
            s.dueDates.push_back(rows[2].AsArray()[i].AsDateTime());
            s.values.push_back(rows[3].AsArray()[i].AsFloat());
        }
        return s;
    }

    static net::CriaVencimentosArgs Args(const char* kind, const char* key, double amount) {
        net::CriaVencimentosArgs a;
        a.kind = kind;
        a.key = key;
        a.amount = amount;
        a.issueDate = DateTime::FromDate(2026, 1, 10);
        a.entryDate = DateTime::FromDate(2026, 1, 12);
        a.receivingBranch = "0001";
        return a;
    }
};

TEST_F(InstallmentMethods, TermsOfTheSupplierOrOfTheAuthorizationSplitTheAmountToTheCent) {
    const auto d = [](int month, int day) { return DateTime::FromDate(2026, month, day); };
    struct Case {
        const char *kind, *key;
        double amount;
        Schedule expected;
    } cases[] = {
        {"E", "J11222333000181", 100.0, {{28, 56, 84}, {d(2, 7), d(3, 7), d(4, 4)}, {33.33, 33.33, 33.34}}},
        {"A", "0001||0001||0000000412", 100.0, {{30, 60}, {d(2, 9), d(3, 11)}, {50, 50}}},
        {"E", "J12ABC34501DE35", 0.02, {{30, 60, 90}, {d(2, 9), d(3, 11), d(4, 10)}, {0, 0, 0.02}}},
        {"E", "F12345678909", 885.0, {{0}, {d(1, 10)}, {885}}},
    };
    for (Case& c : cases) {
        net::CriaVencimentosArgs a = Args(c.kind, c.key, c.amount);
        EXPECT_EQ(Read(Ask(a)), c.expected) << c.key;
    }
}

TEST_F(InstallmentMethods, TheAmountComesBackAsTheCentsItWasSplitInto) {
    net::CriaVencimentosArgs a = Args("E", "J11222333000181", 100.005);
    const Schedule s = Read(Ask(a));
    EXPECT_EQ(a.amount, 100.01);
    EXPECT_EQ(s.values, (std::vector<double>{33.33, 33.33, 33.35}));
}

TEST_F(InstallmentMethods, WithoutAPaymentFormTheAnswerSaysSo) {
    for (auto [kind, key] : {std::pair{"E", "J72815493000129"}, {"A", "0001||0001||0000000415"}}) {
        net::CriaVencimentosArgs a = Args(kind, key, 100);
        EXPECT_EQ(Ask(a), Variant(net::kNoPaymentForm)) << key;
    }
}

TEST_F(InstallmentMethods, AMalformedCallIsARefusal) {
    struct Case {
        net::CriaVencimentosArgs args;
        const char* refusal;
    } cases[] = {
        {Args("X", "J11222333000181", 100),
         "Argumento 1 (tipo) de CriaVencimentos deve ser \"A\" (autorização) ou "
         "\"E\" (fornecedor)."},
        {Args("A", "0001||0000000412", 100),
         "Argumento 2 (autorização) de CriaVencimentos deve ser filial de "
         "destino, filial de lançamento e número da AF separados por \"||\": "
         "0001||0000000412."},
        {Args("A", "0001||0001||0000000999", 100),
         "A autorização de fornecimento 0001||0001||0000000999 não está cadastrada."},
        {Args("E", "J00000000000000", 100), "O fornecedor J00000000000000 não está cadastrado."},
        {Args("E", "J11222333000181", -1),
         "Argumento 3 (valor) de CriaVencimentos deve ser um valor não negativo."},
    };
    for (Case& c : cases) {
        const Variant answer = Ask(c.args);
        EXPECT_EQ(RefusalOf(answer), c.refusal);
    }
    net::CriaVencimentosArgs noDate = Args("E", "J11222333000181", 100);
    noDate.issueDate = DateTime();
    EXPECT_EQ(RefusalOf(Ask(noDate)),
              "Argumento 4 (data de emissão) de CriaVencimentos deve ser informado: os "
              "vencimentos contam dela.");
    EXPECT_EQ(RefusalOf(Call("CriaVencimentos", net::CallArgs().Str("E"))),
              "O método CriaVencimentos espera 6 argumento(s) e recebeu 1.");
}

// What the client reads of the payables' registers with its own lookups.
TEST_F(InstallmentMethods, PayableTypesAndTheCfopsThatMakeUpNoInstallments) {
    auto db = temp_.Open();
    const Packet type = db->Query("SELECT CDTPCTPAGAR, DSTPCTPAGAR, CDCLASSFINA FROM TIPOCTPAGAR"
                                  " WHERE CDTPCTPAGAR = :P_CDTPCTPAGAR",
                                  {{"P_CDTPCTPAGAR", "000001"}});
    ASSERT_EQ(type.rows.size(), 1u);
    EXPECT_EQ(Field(type, "CDCLASSFINA"), Variant("000210"));
    const auto excluded = [&](const char* operationType, const char* cfop) {
        return !db->Query(
                      "SELECT CDFISCOPER FROM TPOPERCFOP WHERE IDENTRSAIDOP = :P_IDENTRSAIDOP AND "
                      "CDTIPOOPER ="
                      " :P_CDTIPOOPER AND IDCOMPOEVENC = 'N' AND CDFISCOPER = :P_CDFISOPEITEM",
                      {{"P_IDENTRSAIDOP", "E"}, {"P_CDTIPOOPER", operationType}, {"P_CDFISOPEITEM", cfop}})
                    .rows.empty();
    };
    EXPECT_TRUE(excluded("15", "1910"));
    EXPECT_TRUE(excluded("15", "2910"));
    EXPECT_FALSE(excluded("01", "1102"));
}

} // namespace
} // namespace dfe::appserver
