#include "appserver/intake/demo_nfe.h"
#include "appserver/intake/nfe_intake.h"
#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "nfe_files.h"
#include "nfe_stored_values.h"
#include "platform/db/postgres_cluster.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"

#include <gtest/gtest.h>

namespace dfe::appserver::testing {
namespace {

// The intake and its methods on PostgreSQL, which holds column widths and types to the letter.
TEST(NfeIntakeOnPostgres, StoresReadsAndRefusesAsOnSqlite) {
    std::string whyNot;
    const auto cluster = db::testing::PostgresCluster::Start(whyNot);
    if (!cluster) GTEST_SKIP() << whyNot;
    const std::string target = cluster->NewDatabase();
    {
        auto db = db::OpenDatabase(target);
        ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
        for (const std::string& line : StoreDemoNfe(*db))
            EXPECT_NE(line.find(": aceita "), std::string::npos) << line;
        const std::string signedBytes = ReadBytes(TestNfe("35_serra_azul_000012490_assinada.xml"));
        const intake::IntakeResult r = intake::IntakeNfe(*db, signedBytes, "assinada.xml");
        ASSERT_EQ(r.outcome, intake::IntakeOutcome::Stored) << r.reason;
        EXPECT_NE(r.verdicts.find("assinatura válida"), std::string::npos) << r.verdicts;
        ExpectStoredAsWritten(*db, r.key, signedBytes);
        const std::string demo = ReadBytes(DemoNfe("35_serra_azul_000012480.xml"));
        ExpectStoredAsWritten(*db, "35261211222333000181550010000124801273645100", demo);
        EXPECT_EQ(intake::IntakeNfe(*db, demo, "outra vez").outcome, intake::IntakeOutcome::Duplicate);
        EXPECT_EQ(intake::IntakeNfe(*db, ReadBytes(TestNfe("cte_57.xml")), "cte").outcome,
                  intake::IntakeOutcome::Refused);
    }
    EmbeddedServer server(db::OpenDatabase(target));
    net::TNetConnection lanc(net::kLancNFEntrada);
    lanc.SetHost(std::string(net::kInProcessHost));
    lanc.Connect();
    net::CallArgs all;
    all.Str("");
    const Packet listed =
        FromDataPacket(net::CheckResultServ(lanc.Call("ListaNFeRecebidas", all)).AsPacket());
    EXPECT_EQ(listed.rows.size(), EmbeddedDemoNfeFiles().size() + 1);
    net::CallArgs key;
    key.Str("41261200012345678909550010000000571192837465");
    const Variant shown = net::CheckResultServ(lanc.Call("GetNFeRecebida", key));
    EXPECT_EQ(FromDataPacket(shown.AsArray().Items()[3].AsPacket()).rows.size(), 1u) << "the lot";
}

} // namespace
} // namespace dfe::appserver::testing
