#include "demo_server.h"

#include <optional>

namespace dfe::appserver {
namespace {

class ItemMethods : public testing::DemoServer {
protected:
    // Changes the demo database under a fresh server.
    void Change(const std::string& sql) {
        server_.reset();
        temp_.Open()->Execute(sql);
        server_ = std::make_unique<EmbeddedServer>(temp_.Open());
    }
    std::string SequenceOf(const char* branch, const char* posting, const char* product, const char* price) {
        const Variant answer =
            Call("GetNrSeqItProd", net::CallArgs().Str(branch).Str(posting).Str(product).Str(price));
        const std::string refusal = RefusalOf(answer);
        return refusal.empty() ? answer.AsString() : "refused: " + refusal;
    }
    // The returned quantity answered; nothing when refused.
    std::optional<double> Returned(const char* posting, const char* product, std::string& origins,
                                   const char* price = "12,99") {
        const Variant answer = Call(
            "GetVd_QuantDev",
            net::CallArgs().Str("0001").Str(posting).Str(product).Str(price).StrRef(origins).Str("").Str(""));
        if (!RefusalOf(answer).empty()) return std::nullopt;
        const Packet p = Rows(answer);
        EXPECT_EQ(p.rows.size(), 1u);
        return p.rows.empty() ? 0.0 : Field(p, "QTITEMDEVO").AsFloat();
    }
    // The last purchase cost; -1 when there is none.
    double Cost(const char* branch, const char* product) {
        const Packet p = Rows(Call("GetCustoCmpProd", net::CallArgs().Str(branch).Str(product)));
        return p.rows.empty() ? -1 : Field(p, "VRLIQCMPPROD").AsFloat();
    }
    size_t RowCount(const char* method, net::CallArgs args) {
        return Rows(Call(method, std::move(args))).rows.size();
    }
};

TEST_F(ItemMethods, APostingIsInTheAFPilotWhenItCameFromAnAFImportAtAPilotBranch) {
    const auto pilot = [&](const char* branch, const char* posting) {
        return net::CheckResultServ(Call("GetVerifAfPiloto", net::CallArgs().Str(branch).Str(posting)));
    };
    EXPECT_EQ(pilot("0001", "0000000006"), Variant(true));  // Serra Azul's AF import
    EXPECT_EQ(pilot("0001", "0000000001"), Variant(false)); // typed
    EXPECT_EQ(pilot("0001", "0000009999"), Variant(false)); // not stored
    EXPECT_EQ(pilot("", ""), Variant(false));
    Change("UPDATE FILIAL SET IDUTAFPILOTO = 'N' WHERE CDFILIAL = '0001'");
    EXPECT_EQ(pilot("0001", "0000000006"), Variant(false));
}

TEST_F(ItemMethods, AReturnsRowKeepsTheSequenceOfItsStoredItemOfTheSameProductAndPrice) {
    const struct {
        const char *product, *price, *sequence;
    } cases[] = {
        {"0000000202", "2,9", "0002"},    // the clerk's comma
        {"0000000202", "2.900", "0002"},  // a stored text
        {"0000000202", "2,9004", "0002"}, // equal at three decimals
        {"0000000202", " 2,90 ", "0002"}, // blanks around
        {"0000000202", "2,901", ""},      // another price
        {"0000000201", "27,5", "0001"},   // another item
        {"0000000201", "2,9", ""},        // the price of another product
        {"0000000202", "", ""},           // no price, no item
        {"0000000202", "2,9x", "refused: Argumento 4 (valor unitário) de GetNrSeqItProd não é um número."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SequenceOf("0003", "0000000005", c.product, c.price), c.sequence) << c.price;
    EXPECT_EQ(SequenceOf("0003", "0000009999", "0000000202", "2,9"), ""); // no such posting
    Change("UPDATE ITEMPRODUTO SET IDDELETE = 'S' WHERE CDFILIAL = '0003' AND NRLANCTONF = '0000000005'"
           " AND NRSEQITPROD = '0002'");
    EXPECT_EQ(SequenceOf("0003", "0000000005", "0000000202", "2,9"), "")
        << "a deleted item is no longer there";
}

// The head office's sales 90 (24 butter), 91 (48 water) and 92 (12 cola) came back with returns 5 (10 butter,
// from 90) and 7 (48 water and 6 cola, from 91 and 92).
TEST_F(ItemMethods, WhatReturnsBroughtBackOfAProductAgainstTheSameOrigins) {
    const struct {
        const char *posting, *product, *origins;
        double returned;
    } cases[] = {
        {"", "1.01.003", "_0001 - 0000000090_", 10},           // a new return of the butter
        {"0000000005", "1.01.003", "_0001 - 0000000090_", 10}, // the return itself: its stored rows count
        {"", "2.01.002", "_0001 - 0000000091_0001 - 0000000092_", 48},
        {"", "2.01.001", "_0001 - 0000000091_0001 - 0000000092_", 6},
        {"", "2.01.001", "0001 - 0000000092", 6}, // without the separators around
        {"", "2.01.001", "_0001 - 0000000091_", 0},
        {"", "1.01.003", "_0001 - 0000000090_0001 - 0000000090_", 10}, // an origin named twice counts once
        {"", "1.01.001", "_0001 - 0000000090_", 0},                    // not in the origin
        {"", "9.99.999", "_0001 - 0000000090_", 0},                    // no such product
        {"", "1.01.003", "", 0},                                       // no origins
    };
    for (const auto& c : cases) {
        std::string origins = c.origins;
        EXPECT_EQ(Returned(c.posting, c.product, origins), std::optional<double>(c.returned))
            << c.product << " " << c.origins;
        EXPECT_EQ(origins, c.origins) << "the list comes back as sent";
    }
    // A return cancelled brings nothing back.
    Change("UPDATE NOTAFISCAL SET IDSTATUS = 'C' WHERE CDFILIAL = '0001' AND NRLANCTONF = '0000000005'");
    std::string origins = "_0001 - 0000000090_";
    EXPECT_EQ(Returned("", "1.01.003", origins), std::optional<double>(0));
}

TEST_F(ItemMethods, AMalformedReturnedQuantityRequestIsRefused) {
    std::string list = "_0001 - 0000000090_", bad = "_0001 0000000090_";
    EXPECT_EQ(Returned("", "1.01.003", bad), std::nullopt);
    EXPECT_EQ(Returned("", "1.01.003", list, "doze"), std::nullopt);
    EXPECT_EQ(RefusalOf(Call("GetVd_QuantDev", net::CallArgs().Str("0001").Str("").Str("1.01.003"))),
              "O método GetVd_QuantDev espera 7 argumento(s) e recebeu 3.");
    EXPECT_EQ(Returned("", "1.01.003", list), std::optional<double>(10)); // and the server goes on
}

// Curitiba's purchases: flour 5 kg bales at 27.50 (7 Oct) and 28.75 (10 Nov), then 35.00 on a posting
// cancelled on 23 Nov; beer bales of 12 at 41.00 less 20.00 of discount on 25 Nov.
TEST_F(ItemMethods, TheLastPurchaseCostIsTheLatestStoredPurchaseInStockUnits) {
    const struct {
        const char *branch, *product;
        double cost;
    } cases[] = {
        {"0003", "0000000201", 5.75},   // 28.75 / 5 kg; the cancelled posting does not count
        {"0003", "0000001146", 3.3333}, // (20 x 41.00 - 20.00) / 240 cans
        {"0003", "0000000301", 5.0},    // its purchase of 9 Dec comes after November's
        {"0003", "0000001089", 31.5},
        {"0001", "0000000101", 3.2}, // the AF import of 10 Dec is the latest
        {"0002", "0000000102", -1},  // only a remittance and its return: no purchase
        {"0003", "0000000402", -1},  // never bought
        {"", "0000000201", -1},      // the movement branch not given yet
        {"0003", "", -1},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Cost(c.branch, c.product), c.cost) << c.branch << " " << c.product;

    // A product on two items of the latest purchase costs their weighted mean.
    Change("INSERT INTO ITEMPRODUTO (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDPRODUTO, SGUNIDADE, QTITEMPROD,"
           " VRUNITITEM, VRTOTAITEM, VRDESCITEM, CDFILIMOVI, CDPRODESTO, VRFATOCONV, IDDELETE)"
           " VALUES ('0003', '0000000009', '0004', '0000000201', 'FD', 10, 31.0, 310, 0, '0003', "
           "'0000000201', 5,"
           " 'N')");
    EXPECT_DOUBLE_EQ(Cost("0003", "0000000201"), 5.825); // (1437.50 + 310) / (250 + 50)
    // A bonus item and a deleted item cost nothing; a factor left empty counts as 1.
    Change(
        "UPDATE ITEMPRODUTO SET IDPRODBONIF = 'S' WHERE NRLANCTONF = '0000000009' AND NRSEQITPROD = '0004'");
    EXPECT_DOUBLE_EQ(Cost("0003", "0000000201"), 5.75);
    Change("UPDATE ITEMPRODUTO SET IDDELETE = 'S', VRFATOCONV = NULL WHERE CDFILIAL = '0003'"
           " AND NRLANCTONF = '0000000009' AND NRSEQITPROD = '0001'");
    EXPECT_DOUBLE_EQ(Cost("0003", "0000000201"), 5.5); // back to 7 Oct
    Change("UPDATE ITEMPRODUTO SET VRFATOCONV = NULL WHERE CDFILIAL = '0003' AND NRLANCTONF = '0000000005'"
           " AND NRSEQITPROD = '0001'");
    EXPECT_DOUBLE_EQ(Cost("0003", "0000000201"), 27.5);
}

TEST_F(ItemMethods, TheItemsOfAnAFImportTheirLabelsAndAudits) {
    const Packet af = Rows(Call("GetVerifNFImpAF", net::CallArgs().Str("0001").Str("0000000006")));
    ASSERT_EQ(af.rows.size(), 1u);
    EXPECT_EQ(Field(af, "NRAUTOFORN"), Variant("0000000412"));
    EXPECT_EQ(RowCount("GetVerifNFImpAF", net::CallArgs().Str("0001").Str("0000000001")), 0u);

    const Packet labels = Rows(Call("GetVerifEtiq", net::CallArgs().Str("0003").Str("0000000005")));
    std::string seen;
    for (size_t r = 0; r < labels.rows.size(); ++r)
        seen +=
            Field(labels, "NRSEQITPROD", r).AsString() + Field(labels, "IDSTATUSETIQ", r).AsString() + " ";
    EXPECT_EQ(seen, "0001U 0001A 0002U ");
    EXPECT_EQ(RowCount("GetVerifEtiq", net::CallArgs().Str("0001").Str("0000000001")), 0u);

    const Packet audits =
        Rows(Call("GetProdAudit", net::CallArgs().Str("0003").Str("0000000005").Str("0002")));
    ASSERT_EQ(audits.rows.size(), 1u);
    EXPECT_EQ(Field(audits, "CDOPERADOR"), Variant("GERENTE"));
    EXPECT_EQ(Field(audits, "DTAUDITORIA"), Variant(DateTime::FromDateTime(2026, 10, 9, 14, 20, 0)));
    EXPECT_EQ(RowCount("GetProdAudit", net::CallArgs().Str("0003").Str("0000000005").Str("0001")), 0u);
}

TEST_F(ItemMethods, MalformedCallsAreRefused) {
    const struct {
        const char* method;
        net::CallArgs args;
        const char* refusal;
    } cases[] = {
        {"GetVerifAfPiloto", net::CallArgs().Str("0001"),
         "O método GetVerifAfPiloto espera 2 argumento(s) e recebeu 1."},
        {"GetNrSeqItProd", net::CallArgs().Str("0003").Str("0000000005").Str("00000002021").Str("2,9"),
         "Argumento 3 (produto) de GetNrSeqItProd tem mais de 10 caracteres."},
        {"GetCustoCmpProd", net::CallArgs().Str("0003").Var(Variant::Null()).Str("x"),
         "O método GetCustoCmpProd espera 2 argumento(s) e recebeu 3."},
        {"GetVerifNFImpAF", net::CallArgs().Str("0001").Str("00000000061"),
         "Argumento 2 (número do lançamento) de GetVerifNFImpAF tem mais de 10 caracteres."},
        {"GetVerifEtiq", net::CallArgs().Bool(true).Str("0000000005"),
         "Argumento 1 (filial) de GetVerifEtiq deve ser um texto."},
        {"GetProdAudit", net::CallArgs().Str("0003").Str("0000000005"),
         "O método GetProdAudit espera 3 argumento(s) e recebeu 2."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RefusalOf(Call(c.method, c.args)), c.refusal) << c.method;
    EXPECT_EQ(RowCount("GetVerifEtiq", net::CallArgs().Str("0003").Str("0000000005")), 3u);
}

} // namespace
} // namespace dfe::appserver
