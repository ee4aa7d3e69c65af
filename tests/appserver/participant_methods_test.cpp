#include "demo_server.h"

#include "platform/data/packet.h"

#include <functional>

namespace dfe::appserver {
namespace {

class ParticipantMethods : public testing::DemoServer {
protected:
    static std::string Codes(const Packet& p, std::string_view field) {
        std::string codes;
        for (size_t row = 0; row < p.rows.size(); ++row) {
            if (!codes.empty()) codes += ",";
            codes += Field(p, field, row).AsString();
        }
        return codes;
    }
    Packet ModDoc(const char* electronicOnly, const char* type, const char* all) {
        return Rows(Call("GetModDoc", net::CallArgs().Str(electronicOnly).Str(type).Str(all)));
    }
    Packet Qualif(const char* branch, const char* supplier, DateTime date) {
        return Rows(Call("GetQualifForn", net::CallArgs().Str(branch).Str(supplier).Date(date)));
    }
};

// Demo models: 01, 04 and 99 on paper, 55 and 57 electronic; type 09 allows only 57, type 17 only 04 and 55,
// type 01 lists none and so allows every model.
TEST_F(ParticipantMethods, GetModDocAnswersTheModelsTheOperationTypeAllows) {
    const struct {
        const char *electronicOnly, *type, *all, *models;
    } cases[] = {
        {"S", "", "", "55,57"},
        {"", "", "T", "01,04,55,57,99"},
        {"", "", "", "01,04,99"},
        {"S", "01", "", "55,57"},
        {"", "01", "T", "01,04,55,57,99"},
        {"S", "09", "", "57"},
        {"", "09", "T", "57"},
        {"", "09", "", ""},
        {"S", "17", "", "55"},
        {"", "17", "T", "04,55"},
        {"N", "17", "", "04"},
        {"S", "17", "T", "55"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Codes(ModDoc(c.electronicOnly, c.type, c.all), "CDMODDOCFISC"), c.models)
            << c.electronicOnly << "/" << c.type << "/" << c.all;
    }
    const Packet p = ModDoc("S", "", "");
    ASSERT_EQ(p.fields.size(), 2u);
    EXPECT_EQ(p.fields[0].name, "CDMODDOCFISC");
    EXPECT_EQ(p.fields[0].size, 2);
    EXPECT_EQ(p.fields[1].name, "DSMODDOCFISC");
    EXPECT_EQ(p.fields[1].type, FieldType::String);
    EXPECT_EQ(Field(p, "DSMODDOCFISC"), Variant("Nota Fiscal Eletrônica"));
}

// Qualifications granted by the head office: Serra Azul open-ended from 2026-01-01; Moinho Paulista SANI
// through 2026-12-31 and ISO9 2024-2025 (and ISO9 from Curitiba); Santa Clara expired in 2025; Bom Corte from
// 2027 on.
TEST_F(ParticipantMethods, GetQualifFornAnswersTheQualificationsValidOnTheDate) {
    const struct {
        const char *branch, *supplier;
        DateTime date;
        const char* qualifications;
    } cases[] = {
        {"0001", "J11222333000181", DateTime::FromDate(2026, 12, 10), "ISO9"},
        {"0001", "J45678901000175", DateTime::FromDate(2026, 12, 10), "SANI"},
        {"0001", "J45678901000175", DateTime::FromDateTime(2026, 12, 31, 18, 30, 0), "SANI"},
        {"0001", "J45678901000175", DateTime::FromDate(2027, 1, 1), ""},
        {"0001", "J45678901000175", DateTime::FromDate(2025, 6, 1), "ISO9"},
        {"0003", "J45678901000175", DateTime::FromDate(2026, 12, 10), "ISO9"},
        {"0002", "J11222333000181", DateTime::FromDate(2026, 12, 10), ""},
        {"0001", "J36925814000184", DateTime::FromDate(2026, 12, 10), ""},
        {"0001", "J24681357000140", DateTime::FromDate(2026, 12, 31), ""},
        {"0001", "J24681357000140", DateTime::FromDate(2027, 1, 1), "SANI"},
        {"", "", DateTime::FromDate(2026, 12, 10), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Codes(Qualif(c.branch, c.supplier, c.date), "CDQUALIF"), c.qualifications)
            << c.branch << " " << c.supplier << " " << c.date.Format("dd/mm/yyyy hh:nn");
    }
    const Packet open = Qualif("0001", "J11222333000181", DateTime::FromDate(2026, 12, 10));
    EXPECT_EQ(Field(open, "CDFORNECED"), Variant("J11222333000181"));
    EXPECT_EQ(Field(open, "DTINIVALI"), Variant(DateTime::FromDate(2026, 1, 1)));
    EXPECT_TRUE(Field(open, "DTFIMVALI").IsNull());
    const Packet closed = Qualif("0001", "J45678901000175", DateTime::FromDate(2026, 12, 10));
    EXPECT_EQ(Field(closed, "DTFIMVALI"), Variant(DateTime::FromDate(2026, 12, 31)));
    // The date may also come as the text the client holds.
    EXPECT_EQ(Codes(Rows(Call("GetQualifForn",
                              net::CallArgs().Str("0001").Str("J45678901000175").Str("2026-12-31"))),
                    "CDQUALIF"),
              "SANI");
}

TEST_F(ParticipantMethods, VerifFornEDIAnswersWhetherTheSupplierSendsByEdi) {
    const struct {
        const char *number, *answer;
    } cases[] = {
        {"7Q4RT2X5000132", "S"}, {" 7Q4RT2X5000132 ", "S"}, {"11222333000181", "N"},
        {"52998224725", "N"},    {"99887766000155", "N"},   {"", "N"},
    };
    for (const auto& c : cases) {
        const Variant answer = net::CheckResultServ(Call("VerifFornEDI", net::CallArgs().Str(c.number)));
        EXPECT_EQ(answer.Type(), VariantType::String) << c.number;
        EXPECT_EQ(answer, Variant(c.answer)) << c.number;
    }
}

TEST_F(ParticipantMethods, MalformedCallsAreRefused) {
    using T = ParticipantMethods;
    const struct {
        const char* name;
        std::function<Variant(T&)> call;
        const char* refusal;
    } cases[] = {
        {"models with two arguments",
         [](T& t) { return t.Call("GetModDoc", net::CallArgs().Str("S").Str("")); }, "espera 3"},
        {"operation type too long",
         [](T& t) { return t.Call("GetModDoc", net::CallArgs().Str("S").Str("011").Str("")); },
         "(tipo de operação)"},
        {"electronic flag as a number",
         [](T& t) { return t.Call("GetModDoc", net::CallArgs().Int(1).Str("01").Str("")); },
         "deve ser um texto"},
        {"qualifications without the date",
         [](T& t) { return t.Call("GetQualifForn", net::CallArgs().Str("0001").Str("J11222333000181")); },
         "espera 3"},
        {"central branch too long",
         [](T& t) {
             return t.Call(
                 "GetQualifForn",
                 net::CallArgs().Str("00001").Str("J11222333000181").Date(DateTime::FromDate(2026, 12, 10)));
         },
         "(filial central de compras)"},
        {"supplier code too long",
         [](T& t) {
             return t.Call("GetQualifForn", net::CallArgs()
                                                .Str("0001")
                                                .Str("J112223330001810000000")
                                                .Date(DateTime::FromDate(2026, 12, 10)));
         },
         "(fornecedor)"},
        {"date that is not one",
         [](T& t) {
             return t.Call("GetQualifForn", net::CallArgs().Str("0001").Str("J11222333000181").Str("amanhã"));
         },
         "não é uma data válida"},
        {"empty date",
         [](T& t) {
             return t.Call("GetQualifForn", net::CallArgs().Str("0001").Str("J11222333000181").Str(""));
         },
         "A data de entrada deve ser informada"},
        {"EDI without the number", [](T& t) { return t.Call("VerifFornEDI", net::CallArgs()); }, "espera 1"},
        {"EDI number as a packet",
         [](T& t) { return t.Call("VerifFornEDI", net::CallArgs().Var(Variant(ToDataPacket(Packet{})))); },
         "deve ser um texto"},
        {"EDI number too long",
         [](T& t) { return t.Call("VerifFornEDI", net::CallArgs().Str("112223330001811122233")); },
         "(inscrição do fornecedor)"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(RefusalOf(c.call(*this)).find(c.refusal), std::string::npos) << c.name;
    }
}

} // namespace
} // namespace dfe::appserver
