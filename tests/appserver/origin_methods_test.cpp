#include "demo_server.h"

#include "appserver/modules/all_methods.h"
#include "platform/core/decimal.h"
#include "platform/data/packet.h"
#include "platform/net/origin_calls.h"

#include <functional>

namespace dfe::appserver {
namespace {

// The demo's origins. Head office (0001): incoming postings 1 (Serra Azul 000012345, series 1, entered 3/12),
// 6 (Serra Azul 000012398, 10/12), 4 (Nova Era 000000310, cancelled), 11 (Nova Era 000000355); outgoing sales
// 90 (Pão Dourado 000000811, 10 of its 24 returned by 5), 91 and 92 (Maria 000000902, all returned by 7, and
// 000000915, half returned), 93 to 95 (Bom Preço 000001301 to 000001303) and 96 (Maria's NFC-e 000000451).
// Campinas (0002): the transfer 1 from the head office; the remittance 8 a triangular purchase 9 names and
// the return 10 returns in part.
class OriginMethods : public testing::DemoServer {
public:
    Variant Incoming(net::GetNFOrigemArgs a) { return Call(a.kMethod, net::ToCallArgs(a)); }
    Variant Outgoing(net::GetNFOrigSaidArgs a) { return Call(a.kMethod, net::ToCallArgs(a)); }
    Variant List(net::GetNFOrigListaArgs a) { return Call(a.kMethod, net::ToCallArgs(a)); }

protected:
    // The postings' numbers without their leading zeros, as answered ("0002/1" for another branch).
    static std::string Numbers(const Packet& p, const std::string& branch = "0001") {
        std::string out;
        for (size_t row = 0; row < p.rows.size(); ++row) {
            const std::string b = Field(p, "CDFILIAL", row).AsString();
            std::string n = Field(p, "NRLANCTONF", row).AsString();
            n.erase(0, n.find_first_not_of('0'));
            out += (out.empty() ? "" : ",") + (b == branch ? n : b + "/" + n);
        }
        return out;
    }
};

const net::OriginIssuer kSerraAzul{"J", "11222333000181", ""};
const net::OriginIssuer kMaria{"F", "98765432100", "T"};
const net::OriginIssuer kBomPreco{"J", "78901234000105", "T"};

net::GetNFOrigemArgs AnyIncoming(net::OriginIssuer issuer, std::string branch = "0001") {
    return {"", "T", "", "T", std::move(branch), std::move(issuer)};
}

TEST_F(OriginMethods, GetNFOrigemFindsTheBranchsIncomingPostingsOfTheIssuer) {
    const struct {
        const char* name;
        net::GetNFOrigemArgs args;
        const char* numbers;
    } cases[] = {
        {"a number of a series", {"000012345", "", "1", "", "0001", kSerraAzul}, "1"},
        {"the number typed without its zeros", {"12345", "", "1", "", "0001", kSerraAzul}, "1"},
        {"another series", {"12345", "", "2", "", "0001", kSerraAzul}, ""},
        {"another supplier's number", {"12345", "", "1", "", "0001", {"J", "45678901000175", ""}}, ""},
        {"any number of the series, latest first", {"", "T", "1", "", "0001", kSerraAzul}, "6,1"},
        {"any series and number", AnyIncoming(kSerraAzul), "6,1"},
        {"a cancelled posting is no origin", AnyIncoming({"J", "12ABC34501DE35", ""}), "11"},
        // With demo 0021's deliveries and entries without invoice (20 to 25).
        {"any issuer", AnyIncoming({"T", "T", "T"}, "0002"), "10,7,6,4,5,3,9,8,1,25,2,23,24,22,21,20"},
        {"the issuing branch", AnyIncoming({"", "", "0001"}, "0002"), "1"},
        {"another issuing branch", AnyIncoming({"", "", "0003"}, "0002"), ""},
        // Maria's sales are the head office's outgoing invoices, no incoming origins.
        {"a customer's incoming postings only", AnyIncoming({"F", "98765432100", ""}), "7"},
        {"another branch's postings", AnyIncoming(kSerraAzul, "0003"), "2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Numbers(Rows(Incoming(c.args)), c.args.branch), c.numbers) << c.name;
    }
    const Packet p = Rows(Incoming({"12345", "", "1", "", "0001", kSerraAzul}));
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(Field(p, "NMRAZSOCFORN"), Variant("Laticínios Serra Azul S.A."));
    EXPECT_EQ(Field(p, "ENTRADA"), Variant("03/12/2026"));
    EXPECT_EQ(Field(p, "DTENTRSAID"), Variant(DateTime::FromDate(2026, 12, 3)));
    EXPECT_EQ(Field(p, "VRNOTAFISC"), Variant(4463.50));
    EXPECT_EQ(Field(p, "CDFORNECED"), Variant("J11222333000181"));
    // A customer's posting names its customer.
    EXPECT_EQ(Field(Rows(Incoming(AnyIncoming({"F", "98765432100", ""}))), "NMRAZSOCFORN"),
              Variant("Maria Aparecida Souza"));
}

// The issuer filter comes back as it was sent: the client keeps it for its next searches.
TEST_F(OriginMethods, TheIssuerFilterComesBackAsSent) {
    net::GetNFOrigemArgs a = AnyIncoming(kSerraAzul);
    const net::CallArgs args = net::ToCallArgs(a);
    a.issuer = {};
    Rows(Call(a.kMethod, args));
    EXPECT_EQ(a.issuer, kSerraAzul);
}

net::GetNFOrigSaidArgs Sales(net::OriginIssuer issuer, std::string pending = "S") {
    return {"0001", std::move(issuer), "", "L", "", "_S_51_", "07", Variant(pending), Variant("N"), "T", "T"};
}

template <class F> net::GetNFOrigSaidArgs SalesWith(net::OriginIssuer issuer, F change) {
    net::GetNFOrigSaidArgs a = Sales(std::move(issuer));
    change(a);
    return a;
}

TEST_F(OriginMethods, GetNFOrigSaidFindsTheOutgoingInvoicesAReturnBringsBack) {
    using A = net::GetNFOrigSaidArgs;
    const struct {
        const char* name;
        net::GetNFOrigSaidArgs args;
        const char* numbers;
    } cases[] = {
        {"a customer's sales, latest first", Sales(kBomPreco), "95,94,93"},
        {"those wholly returned left out", Sales(kMaria), "96,92"},
        {"or not, when the type does not ask", Sales(kMaria, "N"), "96,92,91"},
        {"a number typed",
         SalesWith(kBomPreco,
                   [](A& a) { a.series = "1", a.number = "1302", a.anySeries = "", a.anyNumber = ""; }),
         "94"},
        {"any number of the series",
         SalesWith(kBomPreco,
                   [](A& a) { a.series = "1", a.number = "T", a.anySeries = "", a.anyNumber = "T"; }),
         "95,94,93"},
        {"another series",
         SalesWith(kBomPreco, [](A& a) { a.series = "2", a.number = "T", a.anySeries = ""; }), ""},
        {"the type's origin text without side markers",
         SalesWith(kBomPreco, [](A& a) { a.entryOrigins = "51;52", a.exitOrigins = ""; }), "95,94,93"},
        {"another exit type", SalesWith(kBomPreco, [](A& a) { a.exitOrigins = "_54_"; }), ""},
        {"no origin type: every outgoing invoice", SalesWith(kBomPreco, [](A& a) { a.exitOrigins = ""; }),
         "95,94,93"},
        {"an entry type: incoming postings",
         SalesWith(kSerraAzul, [](A& a) { a.entryOrigins = "_01_03_", a.exitOrigins = ""; }), "6,1"},
        {"the recipient branch", SalesWith({"", "", "0002"}, [](A&) {}), ""},
        {"the branch's own NF-e, reversed",
         SalesWith({"", "", "0001"},
                   [](A& a) {
                       a.reversal = Variant("S"), a.series = "1", a.number = "451", a.anySeries = "",
                       a.anyNumber = "";
                   }),
         "96"},
        {"another branch's NF-e is not its own",
         SalesWith({"", "", "0002"}, [](A& a) { a.reversal = Variant("S"); }), ""},
        {"another branch's sales", SalesWith(kBomPreco, [](A& a) { a.branch = "0002"; }), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Numbers(Rows(Outgoing(c.args))), c.numbers) << c.name;
    }
    const Packet p = Rows(Outgoing(Sales(kMaria)));
    ASSERT_EQ(p.rows.size(), 2u);
    const struct {
        const char* field;
        Variant nfce, nfe;
    } fields[] = {
        {"CDSERIE", Variant("1"), Variant("1")},
        {"NRNOTAFISC", Variant("000000451"), Variant("000000915")},
        {"DTEMISSAO", Variant(DateTime::FromDate(2026, 12, 5)), Variant(DateTime::FromDate(2026, 12, 1))},
        {"DATAEMISSAO", Variant("05/12/26"), Variant("01/12/26")},
        {"VRNOTAFISC", Variant(74.82), Variant(94.80)},
        {"VALORNF", Variant("74,82"), Variant("94,80")},
        {"QTDNFCE", Variant(1.0), Variant(0.0)},
        {"IDTPIJURNF", Variant("F"), Variant("F")},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(Field(p, f.field, 0), f.nfce) << f.field;
        EXPECT_EQ(Field(p, f.field, 1), f.nfe) << f.field;
    }
    EXPECT_EQ(Field(Rows(Outgoing(Sales(kBomPreco))), "VALORNF"), Variant("1.799,00"));
}

TEST_F(OriginMethods, GetNFOrigListaListsTheCandidatesWithTheirKeys) {
    const Packet maria = Rows(List({"0001", kMaria, "", "_S_51_", "07", Variant("S")}));
    EXPECT_EQ(Numbers(maria), "96,92");
    EXPECT_EQ(Field(maria, "IDMARCADO"), Variant("N"));
    EXPECT_EQ(Field(maria, "DSLANCAMENTO"), Variant("0001 - 0000000096"));
    EXPECT_EQ(Field(maria, "QTDNFCE", 0), Variant(1.0));
    EXPECT_EQ(Field(maria, "QTDNFCE", 1), Variant(0.0));
    EXPECT_EQ(Numbers(Rows(List({"0001", {"T", "T", "T"}, "", "_S_51_", "07", Variant("S")}))),
              "96,95,92,90,94,93");
    EXPECT_EQ(Numbers(Rows(List({"0001", {"T", "T", "T"}, "", "_S_51_", "07", Variant("N")}))),
              "96,95,92,91,90,94,93");
}

TEST_F(OriginMethods, MalformedOriginSearchesAreRefused) {
    const struct {
        const char* name;
        std::function<Variant(OriginMethods&)> call;
        const char* refusal;
    } cases[] = {
        {"too few arguments",
         [](OriginMethods& t) { return t.Call("GetNFOrigem", net::CallArgs().Str("1")); }, "espera 8"},
        {"no branch", [](OriginMethods& t) { return t.Incoming(AnyIncoming(kSerraAzul, "")); },
         "filial das notas fiscais de origem"},
        {"a flag that is not T",
         [](OriginMethods& t) {
             return t.Incoming({"1", "X", "1", "", "0001", kSerraAzul});
         },
         "(qualquer número) de GetNFOrigem deve ser T ou vazio"},
        {"a number too long",
         [](OriginMethods& t) {
             return t.Incoming({std::string(21, '1'), "", "1", "", "0001", kSerraAzul});
         },
         "(número)"},
        {"a series as a packet",
         [](OriginMethods& t) {
             return t.Call("GetNFOrigem", net::CallArgs()
                                              .Str("1")
                                              .Str("")
                                              .Var(Variant(ToDataPacket(Packet{})))
                                              .Str("")
                                              .Str("0001")
                                              .Str("")
                                              .Str("")
                                              .Str(""));
         },
         "deve ser um texto"},
        {"an origin type too long",
         [](OriginMethods& t) {
             return t.Outgoing(SalesWith(kMaria, [](net::GetNFOrigSaidArgs& a) { a.exitOrigins = "_510_"; }));
         },
         "Tipo de operação de origem inválido: \"510\""},
        {"SQL in the origin types",
         [](OriginMethods& t) {
             return t.List({"0001", kMaria, "1') OR ('1'='1", "", "07", Variant("S")});
         },
         "Tipo de operação de origem inválido"},
        {"an element as a packet",
         [](OriginMethods& t) {
             return t.List({"0001", kMaria, "", "_S_51_", "07", Variant(ToDataPacket(Packet{}))});
         },
         "deve ser um valor simples"},
        {"twelve arguments",
         [](OriginMethods& t) {
             return t.Call("GetNFOrigSaid", net::CallArgs()
                                                .Str("0001")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str("")
                                                .Str(""));
         },
         "espera 13"},
    };
    for (const auto& c : cases) {
        EXPECT_NE(RefusalOf(c.call(*this)).find(c.refusal), std::string::npos)
            << c.name << ": " << RefusalOf(c.call(*this));
    }
}

// The related documents and the origin items, with their arguments as the client sends them: the issuer
// filter by reference in each of its shapes; the origin key alone, or the list with or without its last "_"
// and with the blanks of a 17-character key.
TEST_F(OriginMethods, RelatedAndOriginItemsTakeTheClientsArguments) {
    const net::OriginIssuer filters[] = {
        {}, {"F", "98765432100", ""}, kMaria, {"T", "T", "0001"}, {"", "", "0002"}};
    for (net::OriginIssuer f : filters) {
        const Packet p = Rows(Call("GetItemNotaFisc", net::CallArgs()
                                                          .Str("0001")
                                                          .Str("0000000007")
                                                          .StrRef(f.personType)
                                                          .StrRef(f.number)
                                                          .StrRef(f.issuingBranch)));
        EXPECT_EQ(p.rows.size(), 2u) << f.personType << f.number << f.issuingBranch;
    }
    const struct {
        const char *key, *branch, *number;
        size_t items;
    } origins[] = {
        {"N", "0001", "0000000095", 2},
        {"N", "", "", 0},
        {"0001 - 0000000091_0001 - 0000000092_", "", "", 2},
        {"0001 - 0000000091_0001 - 0000000092", "", "", 2},
        {"0001 - 0000000096   _", "", "", 2},
        {"0002 - 0000000010_", "", "", 1}, // a remittance return's counterpart
        {"", "", "", 0},
    };
    for (const auto& o : origins) {
        std::string key = o.key, branch = o.branch, number = o.number;
        const Packet p =
            Rows(Call("GetItemNFOrigem", net::CallArgs().StrRef(key).StrRef(branch).StrRef(number)));
        EXPECT_EQ(p.rows.size(), o.items) << o.key;
        EXPECT_EQ(p.fields.size(), 16u);
    }
    for (const char* malformed : {"0001 - 00000000911_", "0001-0000000091_", "00001 - 0000000091_"}) {
        std::string key = malformed, none;
        EXPECT_NE(RefusalOf(Call("GetItemNFOrigem", net::CallArgs().StrRef(key).StrRef(none).StrRef(none)))
                      .find("Documento de origem inválido na lista"),
                  std::string::npos)
            << malformed;
    }
}

TEST_F(OriginMethods, GetDevolucaoFindsTheDocumentARemittanceBelongsTo) {
    const struct {
        const char *branch, *number, *numbers;
    } cases[] = {
        {"0002", "0000000008", "9"}, // the triangular purchase, not the return that also names it
        {"0002", "0000000002", ""},  // only a return names it
        {"0001", "0000000001", "3"}, // the freight bill carrying it
        {"0002", "0000000009", ""},  {"", "", ""},
    };
    for (const auto& c : cases) {
        const Packet p = Rows(Call("GetDevolucao", net::CallArgs().Str(c.branch).Str(c.number)));
        EXPECT_EQ(Numbers(p, c.branch), c.numbers) << c.branch << "/" << c.number;
        EXPECT_EQ(p.fields.size(), 2u);
    }
    EXPECT_NE(RefusalOf(Call("GetDevolucao", net::CallArgs().Str("0002").Str("00000000008")))
                  .find("número do lançamento"),
              std::string::npos);
    EXPECT_NE(RefusalOf(Call("GetDevolucao", net::CallArgs().Str("0002"))).find("espera 2"),
              std::string::npos);
}

// What returns brought back, on a small set of documents of the head office: outgoing sales of one product
// (0000000101) and returns (type 07) naming them.
class ReturnedQuantity : public testing::DemoServer {
protected:
    void Document(const char* number, const char* direction, const char* type, const char* entry) {
        Execute(
            "INSERT INTO NOTAFISCAL (CDFILIAL, NRLANCTONF, CDEMPRESA, IDENTRSAIDOP, CDTIPOOPER, IDSTATUS,"
            " IDORIGDESTNF, CDCLIENTE, IDTPIJURNF, NRINSJURNF, CDSERIEENTR, NRNOTAFISC, DTENTRSAID)"
            " VALUES ('0001', :N, '01', :D, :T, 'P', 'C', 'J78901234000105', 'J', '78901234000105', '1', :N,"
            " :E)",
            {{"N", number}, {"D", direction}, {"T", type}, {"E", entry}});
    }
    void Item(const char* number, const char* sequence, double quantity) {
        Execute("INSERT INTO ITEMPRODUTO (CDFILIAL, NRLANCTONF, NRSEQITPROD, CDPRODUTO, QTITEMPROD)"
                " VALUES ('0001', :N, :S, '0000000101', :Q)",
                {{"N", number}, {"S", sequence}, {"Q", quantity}});
    }
    void Names(const char* posting, const char* origin) {
        Execute("INSERT INTO ITEMNOTAFISC (CDFILIAL, NRLANCTONF, NRSEQUITNOTA, CDFILIALIT, NRLANCTONFIT)"
                " VALUES ('0001', :N, (SELECT COUNT(*) + 1 FROM ITEMNOTAFISC WHERE CDFILIAL = '0001'"
                " AND NRLANCTONF = :N), '0001', :O)",
                {{"N", posting}, {"O", origin}});
    }
    void Execute(const std::string& sql, const db::SqlParams& params) { temp_.Open()->Execute(sql, params); }
    Variant Update(const char* number) {
        return Call("AtualizaQtdDevol", net::CallArgs().Str("0001").Str(number));
    }
    // The origin's items' stored returned quantities, "-" for none.
    std::string Stored(const char* number) {
        const Packet p = temp_.Open()->Query("SELECT QTITEMDEVOL FROM ITEMPRODUTO WHERE CDFILIAL = '0001'"
                                             " AND NRLANCTONF = :N ORDER BY NRSEQITPROD",
                                             {{"N", number}});
        std::string out;
        for (const PacketRow& row : p.rows)
            out += (out.empty() ? "" : ",") +
                   (row.values[0].IsNull() ? "-" : decimal::ToDisplay(row.values[0].AsFloat()));
        return out;
    }
    // The return's item as the client loads it: the origin's quantity and what others returned.
    std::pair<Variant, Variant> OriginOf(const char* number) {
        std::string b = "0001", n = number, orig = "N", tpOper = "S";
        const Packet p = Rows(Call("GetItemProduto", net::CallArgs()
                                                         .StrRef(b)
                                                         .StrRef(n)
                                                         .StrRef(orig)
                                                         .StrRef(tpOper)
                                                         .Var(Variant("N"))
                                                         .Var(Variant("N"))));
        return {Field(p, "QTITEMORIG"), Field(p, "QTITRELACNFSUBS")};
    }
};

TEST_F(ReturnedQuantity, AReturnSeesWhatIsLeftOfItsOrigin) {
    Document("0000000500", "S", "51", "2026-11-02");
    Item("0000000500", "0001", 10);
    Document("0000000501", "E", "07", "2026-11-20");
    Item("0000000501", "0001", 6);
    Names("0000000501", "0000000500");
    Document("0000000502", "E", "07", "2026-12-01");
    Item("0000000502", "0001", 3);
    Names("0000000502", "0000000500");

    // Origin 10, returned 6 elsewhere: 4 left for this return.
    EXPECT_EQ(OriginOf("0000000502"), std::make_pair(Variant(10.0), Variant(6.0)));
    EXPECT_EQ(OriginOf("0000000501"), std::make_pair(Variant(10.0), Variant(3.0)));
    // Not a return: the items as stored.
    EXPECT_EQ(OriginOf("0000000500"), std::make_pair(Variant::Null(), Variant::Null()));

    EXPECT_EQ(Stored("0000000500"), "-");
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(Update("0000000502"), Variant::Array({"OK", ""})) << run;
        EXPECT_EQ(Stored("0000000500"), "9") << run;
    }
    // Recomputed from the returns, not added to: a cancelled return no longer counts.
    Execute("UPDATE NOTAFISCAL SET IDSTATUS = 'C' WHERE CDFILIAL = '0001' AND NRLANCTONF = '0000000501'", {});
    EXPECT_EQ(Update("0000000502"), Variant::Array({"OK", ""}));
    EXPECT_EQ(Stored("0000000500"), "3");
    EXPECT_EQ(OriginOf("0000000502"), std::make_pair(Variant(10.0), Variant(0.0)));
}

// A product on two items of one origin, or in two origins, is brought back once: each item is filled in
// order, the last takes what exceeds.
TEST_F(ReturnedQuantity, AProductInSeveralOriginItemsIsCountedOnce) {
    Document("0000000510", "S", "51", "2026-11-02");
    Item("0000000510", "0001", 6);
    Item("0000000510", "0002", 4);
    Document("0000000511", "S", "51", "2026-11-03");
    Item("0000000511", "0001", 5);
    Document("0000000512", "E", "07", "2026-11-20");
    Item("0000000512", "0001", 8);
    Names("0000000512", "0000000510");
    Document("0000000513", "E", "07", "2026-11-21");
    Item("0000000513", "0001", 3);
    Names("0000000513", "0000000510");
    Names("0000000513", "0000000511");
    Document("0000000514", "E", "07", "2026-11-22");
    Item("0000000514", "0001", 7);
    Names("0000000514", "0000000511");

    EXPECT_EQ(Update("0000000513"), Variant::Array({"OK", ""}));
    // 512's 8 fill 6 and 2; 513's 3 fill the 2 left and then 511; 514's 7 overflow 511's 5.
    EXPECT_EQ(Stored("0000000510"), "6,4");
    EXPECT_EQ(Stored("0000000511"), "8");
    EXPECT_EQ(OriginOf("0000000513"), std::make_pair(Variant(15.0), Variant(15.0)));
}

TEST_F(ReturnedQuantity, TheDemoReturnsGiveTheQuantitiesTheDemoStores) {
    const char* origins[][2] = {{"0001", "0000000090"},
                                {"0001", "0000000091"},
                                {"0001", "0000000092"},
                                {"0002", "0000000002"},
                                {"0002", "0000000008"}};
    const auto stored = [&] {
        std::string out;
        for (const auto& [branch, number] : origins) {
            const Packet p = temp_.Open()->Query("SELECT QTITEMDEVOL FROM ITEMPRODUTO WHERE CDFILIAL = :B"
                                                 " AND NRLANCTONF = :N",
                                                 {{"B", branch}, {"N", number}});
            out += decimal::ToDisplay(p.rows.at(0).values[0].AsFloat()) + " ";
        }
        return out;
    };
    const std::string before = stored();
    EXPECT_EQ(before, "10 48 6 5 40 ");
    for (const auto& [branch, number] : {std::pair{"0001", "0000000005"},
                                         {"0001", "0000000007"},
                                         {"0002", "0000000004"},
                                         {"0002", "0000000010"}}) {
        EXPECT_EQ(Call("AtualizaQtdDevol", net::CallArgs().Str(branch).Str(number)),
                  Variant::Array({"OK", ""}))
            << number;
    }
    EXPECT_EQ(stored(), before);
}

TEST_F(ReturnedQuantity, WhatIsNoReturnIsAnsweredWithItsReason) {
    const struct {
        const char *branch, *number, *text;
    } cases[] = {
        {"0001", "0000009999", "Lançamento 0000009999 da filial 0001 não encontrado."},
        {"0001", "0000000093", "Lançamento 0000000093 da filial 0001 não encontrado."}, // an outgoing sale
        {"0001", "0000000001", "O lançamento 0000000001 da filial 0001 não é uma devolução."},
        {"0003", "0000000003",
         "O lançamento 0000000003 da filial 0003 não indica as notas fiscais de origem da devolução."},
        {"", "", "Selecione na lista a devolução cuja quantidade devolvida será atualizada."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Call("AtualizaQtdDevol", net::CallArgs().Str(c.branch).Str(c.number)),
                  Variant::Array({"N", c.text}))
            << c.number;
    }
    EXPECT_NE(RefusalOf(Call("AtualizaQtdDevol", net::CallArgs().Str("0001"))).find("espera 2"),
              std::string::npos);
    EXPECT_NE(
        RefusalOf(Call("AtualizaQtdDevol", net::CallArgs().Str("00001").Str("0000000007"))).find("(filial)"),
        std::string::npos);
}

// The update is a write of its own transaction: when one origin item cannot be written, none is.
TEST_F(ReturnedQuantity, UpdatesAllTheOriginItemsOrNone) {
    MethodRegistry registry;
    RegisterAllMethods(registry);
    ASSERT_NE(registry.Find(net::kLancNFEntrada, "AtualizaQtdDevol"), nullptr);
    EXPECT_EQ(registry.Find(net::kLancNFEntrada, "AtualizaQtdDevol")->kind, MethodKind::Write);

    Document("0000000520", "S", "51", "2026-11-02");
    Item("0000000520", "0001", 6);
    Item("0000000520", "0002", 4);
    Document("0000000521", "E", "07", "2026-11-20");
    Item("0000000521", "0001", 8);
    Names("0000000521", "0000000520");
    Execute("CREATE TRIGGER FALHA BEFORE UPDATE OF QTITEMDEVOL ON ITEMPRODUTO WHEN NEW.NRSEQITPROD = '0002'"
            " BEGIN SELECT RAISE(ABORT, 'falha simulada'); END",
            {});
    EXPECT_NE(RefusalOf(Update("0000000521")).find("falha simulada"), std::string::npos);
    EXPECT_EQ(Stored("0000000520"), "-,-");
    Execute("DROP TRIGGER FALHA", {});
    EXPECT_EQ(Update("0000000521"), Variant::Array({"OK", ""}));
    EXPECT_EQ(Stored("0000000520"), "6,2");
}

} // namespace
} // namespace dfe::appserver
