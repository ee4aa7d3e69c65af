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
        auto db = temp_.Open();
        ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
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

} // namespace
} // namespace dfe::appserver
