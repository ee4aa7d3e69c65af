#include "demo_server.h"

#include "platform/data/packet.h"
#include "platform/net/origin_calls.h"

namespace dfe::appserver {
namespace {

// The demo's related documents at Campinas (0002): Moinho Paulista's deliveries 20 (billed by 21), 22 and 23;
// Sítio Boa Vista's entries without invoice 24 and 25 (25 with payables of its own).
class RelatedDocumentMethods : public testing::DemoServer {
public:
    Variant Candidates(net::GetItemNFArgs a) { return Call(a.kMethod, net::ToCallArgs(a)); }
    Variant Key(const char* method, std::string branch, std::string number) {
        return Call(method, net::CallArgs().Str(branch).Str(number));
    }

protected:
    static std::string Keys(const Packet& p) {
        std::string out;
        for (size_t row = 0; row < p.rows.size(); ++row)
            out += (out.empty() ? "" : ",") + Field(p, "DSLANCAMENTO", row).AsString();
        return out;
    }
};

const net::OriginIssuer kMoinho{"J", "45678901000175", ""};
const net::OriginIssuer kBoaVista{"F", "12345678909", ""};

TEST_F(RelatedDocumentMethods, GetItemNFOffersTheCounterpartsPostingsOfTheKindNoOneNamesYet) {
    const struct {
        const char* name;
        net::GetItemNFArgs args;
        const char* keys;
    } cases[] = {
        {"deliveries not billed, oldest first",
         {"0002", "04", kMoinho, "", "T"},
         "0002 - 0000000022,0002 - 0000000023"},
        {"entries without invoice",
         {"0002", "10", kBoaVista, "", "T"},
         "0002 - 0000000024,0002 - 0000000025"},
        {"another supplier's deliveries", {"0002", "04", kBoaVista, "", "T"}, ""},
        {"another branch", {"0003", "04", kMoinho, "", "T"}, ""},
        {"no kind asked", {"0002", "", kMoinho, "", "T"}, ""},
        {"any counterpart", {"0002", "04", {"", "", ""}, "", "T"}, "0002 - 0000000022,0002 - 0000000023"},
        // The billing being changed still offers what it names itself.
        {"the posting's own references",
         {"0002", "04", kMoinho, "0000000021", "T"},
         "0002 - 0000000020,0002 - 0000000022,0002 - 0000000023"},
        {"a branch counterpart", {"0002", "04", {"", "", "0001"}, "", "T"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Keys(Rows(Candidates(c.args))), c.keys) << c.name;

    const Packet p = Rows(Candidates({"0002", "04", kMoinho, "", "T"}));
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(Field(p, "IDMARCADO"), Variant("N"));
    EXPECT_EQ(Field(p, "CDFILIAL"), Variant("0002"));
    EXPECT_EQ(Field(p, "NRLANCTONF"), Variant("0000000022"));
    EXPECT_EQ(Field(p, "NRNOTAFISC"), Variant("000000920"));
    EXPECT_EQ(Field(p, "CDSERIEENTR"), Variant("2"));
    EXPECT_EQ(Field(p, "NMRAZSOCFORN"), Variant("Moinho Paulista Indústria de Farinhas Ltda"));
    EXPECT_EQ(Field(p, "VRNOTA"), Variant(1250.0));
    EXPECT_EQ(Field(p, "VRNOTAFISC"), Variant("1.250,00"));
}

TEST_F(RelatedDocumentMethods, ACancelledBillingFreesItsDeliveries) {
    temp_.Open()->Execute("UPDATE NOTAFISCAL SET IDSTATUS = 'C' WHERE CDFILIAL = '0002'"
                          " AND NRLANCTONF = '0000000021'");
    EXPECT_EQ(Keys(Rows(Candidates({"0002", "04", kMoinho, "", "T"}))),
              "0002 - 0000000020,0002 - 0000000022,0002 - 0000000023");
}

TEST_F(RelatedDocumentMethods, GetItemNFRefusesWhatTheClientCouldNotHaveSent) {
    EXPECT_NE(RefusalOf(Candidates({"", "04", kMoinho, "", "T"})), "");
    EXPECT_NE(RefusalOf(Candidates({"00002", "04", kMoinho, "", "T"})), "");
    EXPECT_NE(RefusalOf(Candidates({"0002", "004", kMoinho, "", "T"})), "");
    EXPECT_NE(RefusalOf(Call("GetItemNF", net::CallArgs().Str("0001").Str("04"))), "");
}

TEST_F(RelatedDocumentMethods, GetValidCntPagarAndGetValidItNFReadThePosting) {
    const struct {
        const char* number;
        size_t payables;
        size_t postings;
    } cases[] = {
        {"0000000024", 0, 1}, // no payables of its own
        {"0000000025", 1, 1},
        {"0000000021", 0, 1}, // a billing
        {"0000009999", 0, 0}, // no such posting
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rows(Key("GetValidCntPagar", "0002", c.number)).rows.size(), c.payables) << c.number;
        EXPECT_EQ(Rows(Key("GetValidItNF", "0002", c.number)).rows.size(), c.postings) << c.number;
    }
    EXPECT_EQ(Field(Rows(Key("GetValidItNF", "0002", "0000000024")), "CDTIPOOPER"), Variant("22"));
    EXPECT_NE(RefusalOf(Key("GetValidItNF", "0002", "00000000240")), "");
}

TEST_F(RelatedDocumentMethods, GetVdLoteAnswersTheBranchsStockParameters) {
    temp_.Open()->Execute("UPDATE PARAMDFE SET IDUTILLOTE = 'S', IDUTILALMOX = 'S', IDUTILLCESTQ = 'N',"
                          " CDALMOXARIFE = '000002', CDLOCALESTOQ = NULL WHERE CDFILIAL = '0003'");
    const Packet p = Rows(Call("GetVdLote", net::CallArgs().Str("0003")));
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(Field(p, "IDUTILLOTE"), Variant("S"));
    EXPECT_EQ(Field(p, "CDALMOXARIFE"), Variant("000002"));
    EXPECT_EQ(Field(p, "IDUTILALMOX"), Variant("S"));
    EXPECT_EQ(Field(p, "IDUTILLCESTQ"), Variant("N"));
    EXPECT_TRUE(Field(p, "CDLOCALESTOQ").IsNull());
    EXPECT_TRUE(Rows(Call("GetVdLote", net::CallArgs().Str("0009"))).rows.empty());
    EXPECT_NE(RefusalOf(Call("GetVdLote", net::CallArgs().Str(""))), "");
}

} // namespace
} // namespace dfe::appserver
