#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

class StockMethods : public ::testing::Test {
protected:
    void SetUp() override {
        auto db = temp_.OpenDemo();
        server_ = std::make_unique<EmbeddedServer>(std::move(db));
        stock_.SetHost(std::string(net::kInProcessHost));
        stock_.Connect();
    }

    // The refusal's text, or empty when the stock may move.
    std::string Check(const std::string& branch, DateTime date) {
        try {
            net::CheckResultServ(stock_.Call("ValidaInventario", net::CallArgs().Str(branch).Date(date)));
            return {};
        } catch (const net::ServerRefusal& e) {
            return e.what();
        }
    }

    std::string Enable(const char* branch, const char* op, const char* location, const char* warehouse) {
        try {
            net::CheckResultServ(stock_.Call(
                "HabilitaOperador", net::CallArgs().Str(branch).Str(op).Str(location).Str(warehouse)));
            return {};
        } catch (const net::ServerRefusal& e) {
            return e.what();
        }
    }

    testing::TempDatabase temp_;
    std::unique_ptr<EmbeddedServer> server_;
    net::TNetConnection stock_{net::kEstoque};
};

TEST_F(StockMethods, AnOpenInventoryBlocksTheBranchFromItsDateOn) {
    struct Case {
        const char* branch;
        DateTime date;
        bool blocked;
    };
    const Case cases[] = {
        {"0004", DateTime::FromDate(2026, 12, 10), true},
        {"0004", DateTime::FromDate(2026, 12, 9), true},   // the inventory's own date
        {"0004", DateTime::FromDate(2026, 12, 8), false},  // before the count began
        {"0001", DateTime::FromDate(2026, 12, 10), false}, // its inventory is closed
        {"0002", DateTime::FromDate(2026, 12, 10), false}, // never counted
    };
    for (const Case& c : cases) {
        const std::string refusal = Check(c.branch, c.date);
        EXPECT_EQ(!refusal.empty(), c.blocked) << c.branch << " " << c.date.Format("dd/mm/yyyy") << refusal;
    }
    EXPECT_EQ(
        Check("0004", DateTime::FromDate(2026, 12, 10)),
        "Existe inventário em aberto na filial 0004 desde 09/12/2026. Movimentação de estoque bloqueada até "
        "o encerramento do inventário.");
}

TEST_F(StockMethods, AnOperatorReceivesOnlyInTheBranchsWarehousesAndThoseKeptForHim) {
    const struct {
        const char *branch, *op, *location, *warehouse, *refusal;
    } cases[] = {
        {"0001", "ADMIN", "LOC001", "ALM001", ""},
        {"0001", "ADMIN", "", "ALM001", ""}, // no location asked
        {"0001", "ADMIN", "", "", ""},       // nothing chosen
        {"0001", "GERENTE", "LOC001", "ALM002", ""},
        {"0001", "ADMIN", "LOC001", "ALM002",
         "Operador ADMIN não habilitado para o almoxarifado ALM002 da filial 0001."},
        {"0002", "ADMIN", "LOC001", "ALM001", "Almoxarifado ALM001 não cadastrado na filial 0002."},
        {"0001", "ADMIN", "LOC009", "ALM001", "Localização LOC009 não cadastrada no almoxarifado ALM001."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Enable(c.branch, c.op, c.location, c.warehouse), c.refusal) << c.op << " " << c.warehouse;
    // A malformed call is refused, not answered.
    EXPECT_NE(Enable("0001", "ADMIN", "LOC0001", "ALM001"), "");
}

TEST_F(StockMethods, ThePostingsItemsComeWithTheirWarehouseLocationAndLot) {
    net::TNetConnection lanc{net::kLancNFEntrada};
    lanc.SetHost(std::string(net::kInProcessHost));
    lanc.Connect();
    const Variant answer =
        net::CheckResultServ(lanc.Call("GetProdAlmoLoca", net::CallArgs().Str("0001").Str("0000000001")));
    const Packet items = FromDataPacket(answer.AsPacket());
    ASSERT_EQ(items.rows.size(), 2u);
    const std::vector<std::string> first = {
        "1.01.001", "0000000101", "Leite integral UHT 1 L", "000001", "000001", "L261101", "0001"};
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(items.rows[0].values[i].AsString(), first[i]) << items.fields[i].name;
    EXPECT_TRUE(FromDataPacket(net::CheckResultServ(lanc.Call("GetProdAlmoLoca",
                                                              net::CallArgs().Str("0001").Str("0000009999")))
                                   .AsPacket())
                    .rows.empty());
}

TEST_F(StockMethods, AnEntryDateInAClosedStockPeriodNeedsARelease) {
    server_.reset();
    temp_.Open()->Execute("INSERT INTO FECHAESTOQUE (CDFILIAL, DTFECHAMENTO) VALUES ('0001', '2026-11-30')");
    server_ = std::make_unique<EmbeddedServer>(temp_.Open());
    const auto release = [&](const char* branch, DateTime entry) {
        try {
            net::CheckResultServ(stock_.Call("Confirma_Liberacao", net::CallArgs().Str(branch).Date(entry)));
            return std::string();
        } catch (const net::ServerRefusal& e) {
            return std::string(e.what());
        }
    };
    EXPECT_EQ(
        release("0001", DateTime::FromDate(2026, 11, 30)),
        "Período de estoque da filial 0001 fechado até 30/11/2026. A data de entrada 30/11/2026 precisa de "
        "liberação do estoque.");
    EXPECT_NE(release("0001", DateTime::FromDate(2026, 11, 2)), "");
    EXPECT_EQ(release("0001", DateTime::FromDate(2026, 12, 1)), ""); // after the closed period
    EXPECT_EQ(release("0002", DateTime::FromDate(2026, 11, 2)), ""); // another branch's period is open
}

TEST_F(StockMethods, APostingsReplicasAreThoseNamingIt) {
    net::TNetConnection lanc{net::kLancNFEntrada};
    lanc.SetHost(std::string(net::kInProcessHost));
    lanc.Connect();
    const auto replicas = [&](const char* branch, const char* posting) {
        return FromDataPacket(
                   net::CheckResultServ(lanc.Call("GetVerifReplic", net::CallArgs().Str(branch).Str(posting)))
                       .AsPacket())
            .rows.size();
    };
    EXPECT_EQ(replicas("0002", "0000000003"), 1u); // 0001/0000000008 copies it
    EXPECT_EQ(replicas("0001", "0000000008"), 0u); // a replica is not replicated itself
}

} // namespace
} // namespace dfe::appserver
