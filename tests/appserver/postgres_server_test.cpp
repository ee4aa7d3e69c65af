#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/db/postgres_cluster.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

// The same schema files, demo data and methods on PostgreSQL.
class PostgresServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cluster_ = db::testing::PostgresCluster::Start(whyNot_).release(); }
    static void TearDownTestSuite() {
        delete cluster_;
        cluster_ = nullptr;
    }
    void SetUp() override {
        if (!cluster_) GTEST_SKIP() << whyNot_;
    }
    static inline db::testing::PostgresCluster* cluster_ = nullptr;
    static inline std::string whyNot_;
};

TEST_F(PostgresServer, InitAndParameterMethodsRunUnchanged) {
    const std::string target = cluster_->NewDatabase();
    {
        auto db = db::OpenDatabase(target);
        const auto applied = ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
        EXPECT_EQ(applied.size(), OrderMigrations(EmbeddedSchemaFiles()).size());
        EXPECT_TRUE(ApplyMigrations(*db, EmbeddedSchemaFiles(), true).empty());
    }
    EmbeddedServer server(db::OpenDatabase(target));
    net::TNetConnection docFisc(net::kDocFiscEntrada), lanc(net::kLancNFEntrada);
    for (auto* c : {&docFisc, &lanc}) {
        c->SetHost(std::string(net::kInProcessHost));
        c->Connect();
    }
    std::string branch = "0002";
    const Packet params = FromDataPacket(
        net::CheckResultServ(docFisc.Call("GetParamDFE", net::CallArgs().StrRef(branch))).AsPacket());
    ASSERT_EQ(params.rows.size(), 1u);
    EXPECT_EQ(params.rows[0].values[static_cast<size_t>(params.FieldIndex("IDTPLANCDESC"))], Variant("P"));
    EXPECT_EQ(params.rows[0].values[static_cast<size_t>(params.FieldIndex("DTPROCESSA"))],
              Variant(DateTime::FromDate(2026, 12, 10)));

    std::string supplier = "J12ABC34501DE35";
    const Variant forn = net::CheckResultServ(lanc.Call("GetParamForn", net::CallArgs().StrRef(supplier)));
    EXPECT_EQ(forn.AsArray()[0], Variant("S"));
    EXPECT_EQ(FromDataPacket(forn.AsArray()[1].AsPacket()).rows.size(), 1u);

    const Packet geral = FromDataPacket(net::CheckResultServ(lanc.Call("GetParamGeral")).AsPacket());
    EXPECT_EQ(geral.fields[static_cast<size_t>(geral.FieldIndex("DSMENSAGEMRELAC"))].type, FieldType::Memo);
}

} // namespace
} // namespace dfe::appserver
