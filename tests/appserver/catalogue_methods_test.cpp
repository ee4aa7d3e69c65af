#include "demo_server.h"

namespace dfe::appserver {
namespace {

class CatalogueMethods : public testing::DemoServer {
protected:
    void SetUp() override {
        DemoServer::SetUp();
        stock_.SetHost(std::string(net::kInProcessHost));
        stock_.Connect();
    }
    Variant Stock(const std::string& method, net::CallArgs args) {
        return stock_.Call(method, std::move(args));
    }
    // The answer's text, or the refusal's.
    static std::string TextOf(const Variant& answer) {
        const std::string refusal = RefusalOf(answer);
        return refusal.empty() ? answer.AsString() : refusal;
    }
    // "A|B;C|D": the rows of a packet, fields joined by "|", rows by ";", null as "-".
    static std::string Joined(const Packet& p) {
        std::string out;
        for (const PacketRow& row : p.rows) {
            if (!out.empty()) out += ";";
            for (size_t i = 0; i < row.values.size(); ++i)
                out +=
                    (i ? "|" : "") + (row.values[i].IsNull() ? std::string("-") : row.values[i].AsString());
        }
        return out;
    }

    net::TNetConnection stock_{net::kEstoque};
};

TEST_F(CatalogueMethods, TheBranchsCatalogueAnswersLotControlAndPlacement) {
    const struct {
        const char *branch, *product, *lot, *placement, *stock;
    } cases[] = {
        {"0003", "0000000101", "S", "000001|000001", "S"}, // milk, kept by lot at Curitiba
        {"0003", "0000000201", "N", "000001|000001", "S"}, // flour
        {"0001", "0000000101", "S", "ALM002|LOC001", "S"}, // the head office's cold room
        {"0001", "0000000301", "N", "ALM001|LOC002", "S"}, // drinks
        {"0001", "0000000401", "N", "-|-", "S"},           // packaging has no place of its own
        {"0004", "0000000101", "N", "-|-", "S"},           // Londrina has no warehouses
        {"0001", "0000001234", "N", "-|-", "N"},           // detergent for the branch's own use
        {"0001", "0000001242", "N", "-|-", "N"},           // a service
        {"0001", "0000099999", "", "", "N"},               // not in the catalogue
        {"0009", "0000000101", "", "", "N"},               // no such branch
        {"", "0000000101", "", "", "N"},                   // the movement branch not given yet
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.branch) + " " + c.product;
        EXPECT_EQ(Joined(Rows(Call("GetProdFili", net::CallArgs().Str(c.branch).Str(c.product)))), c.lot)
            << what;
        EXPECT_EQ(Joined(Rows(Stock("GetProdFiliNFE", net::CallArgs().Str(c.branch).Str(c.product)))),
                  c.placement)
            << what;
        EXPECT_EQ(TextOf(Stock("Produto_Ctrl_Estoque", net::CallArgs().Str(c.branch).Str(c.product))),
                  c.stock)
            << what;
    }
}

TEST_F(CatalogueMethods, ABranchUsesWarehousesLocationsAndFiscalControlWhenItHasThem) {
    const struct {
        const char *branch, *warehouses, *locations, *fiscal;
    } cases[] = {
        {"0001", "S", "S", "S"}, {"0002", "S", "S", "S"}, {"0003", "S", "S", "N"},
        {"0004", "N", "N", "N"}, {"0009", "N", "N", "N"}, {"", "N", "N", "N"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextOf(Stock("Utiliza_Almoxarifado", net::CallArgs().Str(c.branch))), c.warehouses)
            << c.branch;
        EXPECT_EQ(TextOf(Stock("Utiliza_LocalEstoque", net::CallArgs().Str(c.branch))), c.locations)
            << c.branch;
        EXPECT_EQ(TextOf(Call("Utiliza_ControleFiscal", net::CallArgs().Str(c.branch))), c.fiscal)
            << c.branch;
    }
    // A warehouse without locations is used without them.
    server_.reset();
    temp_.Open()->Execute("INSERT INTO ALMOXARIFADO (CDFILIAL, CDALMOXARIFE, DSALMOXARIFE)"
                          " VALUES ('0004', '000001', 'Almoxarifado geral')");
    server_ = std::make_unique<EmbeddedServer>(temp_.Open());
    EXPECT_EQ(TextOf(Stock("Utiliza_Almoxarifado", net::CallArgs().Str("0004"))), "S");
    EXPECT_EQ(TextOf(Stock("Utiliza_LocalEstoque", net::CallArgs().Str("0004"))), "N");
}

TEST_F(CatalogueMethods, TheLotOfAnNFeItemIsTheOneItsDocumentDeclares) {
    const std::string key = "35261211222333000181550010000123451123456781";
    const struct {
        std::string key;
        const char *item, *lot;
    } cases[] = {
        {key, "0001", "L261101|2026-11-28|2027-03-28"},
        {key, "0002", "L261102|2026-11-27|2027-01-26"},
        {key, "0003", ""},                                            // no such item
        {"35261211222333000181550010000124701516273842", "0001", ""}, // a document declaring no lots
        {"", "0001", ""},
    };
    for (const auto& c : cases) {
        const Packet p = Rows(Call("GetDadosLoteXML", net::CallArgs().Str(c.key).Str(c.item)));
        std::string lot;
        for (const PacketRow& row : p.rows)
            lot = row.values[0].AsString() + "|" + row.values[1].AsDateTime().Format("yyyy-mm-dd") + "|" +
                  row.values[2].AsDateTime().Format("yyyy-mm-dd");
        EXPECT_EQ(lot, c.lot) << c.item;
    }
}

TEST_F(CatalogueMethods, AServiceCodeOffersItsActiveProducts) {
    const auto products = [&](const char* service) {
        const Packet p = Rows(Call("GetProdRelacServ", net::CallArgs().Str(service)));
        std::string out;
        for (size_t r = 0; r < p.rows.size(); ++r)
            out += (r ? "," : "") + Field(p, "CDARVPROD", r).AsString();
        return out;
    };
    EXPECT_EQ(products("14.01"), "9.02.001,9.02.002,9.02.003,9.02.004,9.02.005");
    EXPECT_EQ(products("16.02"), "9.03.001,9.03.002");
    EXPECT_EQ(products("01.01"), ""); // a code no product is related to
    EXPECT_EQ(products(""), "");
    const Packet p = Rows(Call("GetProdRelacServ", net::CallArgs().Str("16.01")));
    ASSERT_EQ(p.rows.size(), 1u);
    EXPECT_EQ(Joined(p), "0000001248|9.03.002|Entrega urbana de mercadorias|UN|0000001241");

    server_.reset();
    temp_.Open()->Execute("UPDATE PRODUTO SET IDPRODATIVPR = 'N' WHERE CDARVPROD = '9.02.003'");
    server_ = std::make_unique<EmbeddedServer>(temp_.Open());
    EXPECT_EQ(products("14.01"), "9.02.001,9.02.002,9.02.004,9.02.005");
}

// A malformed call is refused with a text naming what is wrong, and the server goes on answering.
TEST_F(CatalogueMethods, MalformedCallsAreRefused) {
    const struct {
        bool stock;
        const char* method;
        net::CallArgs args;
        const char* refusal;
    } cases[] = {
        {false, "GetProdFili", net::CallArgs().Str("0001"),
         "O método GetProdFili espera 2 argumento(s) e recebeu 1."},
        {false, "GetProdFili", net::CallArgs().Str("00001").Str("0000000101"),
         "Argumento 1 (filial de movimentação) de GetProdFili tem mais de 4 caracteres."},
        {false, "GetDadosLoteXML", net::CallArgs().Str("").Str("00001"),
         "Argumento 2 (sequência do item) de GetDadosLoteXML tem mais de 4 caracteres."},
        {false, "GetProdRelacServ", net::CallArgs().Int(14),
         "Argumento 1 (código de serviço) de GetProdRelacServ deve ser um texto."},
        {false, "Utiliza_ControleFiscal", net::CallArgs(),
         "O método Utiliza_ControleFiscal espera 1 argumento(s) e recebeu 0."},
        {true, "GetProdFiliNFE", net::CallArgs().Str("0001").Str("00000001011"),
         "Argumento 2 (produto de estoque) de GetProdFiliNFE tem mais de 10 caracteres."},
        {true, "Produto_Ctrl_Estoque", net::CallArgs().Str("0001").Str("0000000101").Str("S"),
         "O método Produto_Ctrl_Estoque espera 2 argumento(s) e recebeu 3."},
        {true, "Utiliza_LocalEstoque", net::CallArgs().Var(Variant::Array({"0001"})),
         "Argumento 1 (filial) de Utiliza_LocalEstoque deve ser um texto."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefusalOf(c.stock ? Stock(c.method, c.args) : Call(c.method, c.args)), c.refusal)
            << c.method;
    }
    EXPECT_EQ(TextOf(Stock("Utiliza_Almoxarifado", net::CallArgs().Str("0001"))), "S");
}

} // namespace
} // namespace dfe::appserver
