#include "demo_server.h"

#include "platform/data/packet.h"

#include <functional>

namespace dfe::appserver {
namespace {

// Demo keys: Serra Azul's NF-e 000012345 posted at São Paulo; Bebidas Horizonte's 000078002 posted at São
// Paulo and replicated to Campinas; a pre-posting at Campinas; a cancelled transfer at São Paulo; two
// documents not posted, one cancelled by the recipient after notice and one unknown to him.
constexpr const char* kPosted = "35261211222333000181550010000123451123456781";
constexpr const char* kReplicated = "33261267890123000116550020000780021317800217";
constexpr const char* kPrePosted = "35261211222333000181550010000124601405162736";
constexpr const char* kCancelledPosting = "35261234567890000210550010000451201451200041";
constexpr const char* kCancelledByRecipient = "35261211222333000181550010000124701516273842";
constexpr const char* kUnknownToRecipient = "35261245678901000175550010000008901627384955";
// The head office's own NF-e 000001301 to Supermercado Bom Preço: an outgoing invoice, not a posting.
constexpr const char* kOwnSale = "35261134567890000130550010000013011130111263";

class AccessKey : public testing::DemoServer {
protected:
    Packet Holders(const char* key, const char* current) {
        return Rows(Call("getVdCAcesso", net::CallArgs().Str(key).Str(current)));
    }
    static std::string Describe(const Packet& p) {
        std::string out;
        for (size_t row = 0; row < p.rows.size(); ++row) {
            if (!out.empty()) out += ",";
            out += Field(p, "CDFILIRECE", row).AsString() + ":" + Field(p, "IDSTATUS", row).AsString();
        }
        return out;
    }
    Variant Manifestation(const char* registration, const char* key) {
        return net::CheckResultServ(
            Call("GetManifestacao", net::CallArgs().Str("01").Str(registration).Str("1").Str("").Str(key)));
    }
};

TEST_F(AccessKey, GetVdCAcessoAnswersTheOtherPostingsHoldingTheKey) {
    const struct {
        const char *key, *current, *holders;
    } cases[] = {
        {kPosted, "", "0001:P"},
        {kPosted, "00010000000001", ""},
        {kPosted, "00020000000001", "0001:P"},
        {kReplicated, "00010000000008", "0002:P"},
        {kReplicated, "", "0001:P,0002:P"},
        {kPrePosted, "", "0002:L"},
        {kPrePosted, "00020000000006", ""},
        {kCancelledPosting, "", ""},
        {kCancelledByRecipient, "", ""},
        {kOwnSale, "", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(Holders(c.key, c.current)), c.holders) << c.key << " " << c.current;
    }
    const Packet p = Holders(kPrePosted, "");
    ASSERT_EQ(p.fields.size(), 3u);
    EXPECT_EQ(p.fields[0].size, 50);
    EXPECT_EQ(p.fields[1].size, 30);
    EXPECT_EQ(Field(p, "NRACESSONFE"), Variant(kPrePosted));
}

TEST_F(AccessKey, GetManifestacaoAnswersTheRecipientsLatestManifestation) {
    const struct {
        const char *registration, *key, *code;
    } cases[] = {
        {"110042490114", kCancelledByRecipient, "3"},
        {"110042490114", kUnknownToRecipient, "5"},
        {"110042490114", kPosted, "4"},
        {"110042490114", kPrePosted, ""},
        {"244123456117", kCancelledByRecipient, ""},
        {"110042490114", "", ""},
    };
    for (const auto& c : cases) {
        const Variant answer = Manifestation(c.registration, c.key);
        EXPECT_EQ(answer.Type(), VariantType::String) << c.key;
        EXPECT_EQ(answer, Variant(c.code)) << c.registration << " " << c.key;
    }
    // The latest by date holds, whatever order the rows were written in.
    auto db = temp_.Open();
    db->Execute("INSERT INTO MANIFDESTNFE (CDEMPRESA, CDINSCESTA, NRACESSONFE, DTMANIFEST, CDMANIFEST)"
                " VALUES ('01', '110042490114', :P_KEY, '2026-11-30 08:00:00', '6')",
                {{"P_KEY", kCancelledByRecipient}});
    EXPECT_EQ(Manifestation("110042490114", kCancelledByRecipient), Variant("3"));
    db->Execute("INSERT INTO MANIFDESTNFE (CDEMPRESA, CDINSCESTA, NRACESSONFE, DTMANIFEST, CDMANIFEST)"
                " VALUES ('01', '110042490114', :P_KEY, '2026-12-09 14:31:00', '2')",
                {{"P_KEY", kCancelledByRecipient}});
    EXPECT_EQ(Manifestation("110042490114", kCancelledByRecipient), Variant("2"));
}

TEST_F(AccessKey, WithoutStoredXmlTheXmlChecksAnswerTheirEmptyPackets) {
    const Packet issue = Rows(Call("Vd_DataEmissXML", net::CallArgs().Str(kPosted)));
    EXPECT_TRUE(issue.rows.empty());
    ASSERT_EQ(issue.fields.size(), 2u);
    EXPECT_EQ(issue.fields[0].name, "NRACESSONFE");
    EXPECT_EQ(issue.fields[1].name, "DTEMISSAO");
    EXPECT_EQ(issue.fields[1].type, FieldType::DateTime);
    const Packet cfop =
        Rows(Call("GetVd_CFOPXML_TIPOOPER", net::CallArgs().Str(kPosted).Str("01").Str("0001")));
    EXPECT_TRUE(cfop.rows.empty());
    ASSERT_EQ(cfop.fields.size(), 1u);
    EXPECT_EQ(cfop.fields[0].name, "CDPRODUTO");
    EXPECT_EQ(cfop.fields[0].size, 40);
}

// Curitiba made its implantation for 2026-12-08.
TEST_F(AccessKey, VerifLiberacaoAnswersLib00200_2WhenTheBranchsImplantationIsMadeForTheDay) {
    const struct {
        const char* receiving;
        DateTime date;
        const char* branch;
        const char* rows;
    } cases[] = {
        {"0003", DateTime::FromDate(2026, 12, 8), "0003", "Lib00200_2"},
        {"0003", DateTime::FromDateTime(2026, 12, 8, 15, 30, 0), "0003", "Lib00200_2"},
        {"", DateTime::FromDate(2026, 12, 8), "0003", "Lib00200_2"},
        {"0003", DateTime::FromDate(2026, 12, 9), "0003", ""},
        {"0001", DateTime::FromDate(2026, 12, 8), "0003", ""},
        {"0003", DateTime(), "0003", ""},
    };
    for (const auto& c : cases) {
        const Packet p =
            Rows(Call("Verif_Liberacao",
                      net::CallArgs().Str(c.receiving).Date(c.date).Str(c.branch).Str("0000000002")));
        ASSERT_EQ(p.fields.size(), 1u);
        EXPECT_EQ(p.fields[0].name, "CDERRO");
        EXPECT_EQ(p.rows.empty() ? "" : Field(p, "CDERRO").AsString(), c.rows)
            << c.receiving << " " << c.date.Format("dd/mm/yyyy hh:nn");
    }
}

TEST_F(AccessKey, MalformedCallsAreRefused) {
    using T = AccessKey;
    const std::string longKey(51, '3');
    const struct {
        const char* name;
        std::function<Variant(T&)> call;
        const char* refusal;
    } cases[] = {
        {"key without the current posting",
         [](T& t) { return t.Call("getVdCAcesso", net::CallArgs().Str(kPosted)); }, "espera 2"},
        {"current posting without its number",
         [](T& t) { return t.Call("getVdCAcesso", net::CallArgs().Str(kPosted).Str("0001")); },
         "deve trazer a filial (4) seguida do número"},
        {"key too long",
         [longKey](T& t) { return t.Call("getVdCAcesso", net::CallArgs().Str(longKey).Str("")); },
         "(chave de acesso)"},
        {"manifestation of another kind",
         [](T& t) {
             return t.Call("GetManifestacao",
                           net::CallArgs().Str("01").Str("110042490114").Str("2").Str("").Str(kPosted));
         },
         "(tipo de evento)"},
        {"manifestation company too long",
         [](T& t) {
             return t.Call("GetManifestacao",
                           net::CallArgs().Str("001").Str("110042490114").Str("1").Str("").Str(kPosted));
         },
         "(empresa)"},
        {"XML issue date without the key", [](T& t) { return t.Call("Vd_DataEmissXML", net::CallArgs()); },
         "espera 1"},
        {"CFOP check with a long operation type",
         [](T& t) {
             return t.Call("GetVd_CFOPXML_TIPOOPER", net::CallArgs().Str(kPosted).Str("011").Str("0001"));
         },
         "(tipo de operação)"},
        {"implantation with a date that is not one",
         [](T& t) {
             return t.Call("Verif_Liberacao",
                           net::CallArgs().Str("0003").Str("amanhã").Str("0003").Str("0000000002"));
         },
         "não é uma data válida"},
        {"implantation without any branch",
         [](T& t) {
             return t.Call("Verif_Liberacao",
                           net::CallArgs().Str("").Date(DateTime::FromDate(2026, 12, 8)).Str("").Str(""));
         },
         "filial recebedora deve ser informada"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(RefusalOf(c.call(*this)).find(c.refusal), std::string::npos)
            << c.name << ": " << RefusalOf(c.call(*this));
    }
}

} // namespace
} // namespace dfe::appserver
