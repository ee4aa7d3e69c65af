#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/db/postgres_cluster.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/tax_calls.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

// The tax rules, work tables and payment terms on PostgreSQL answer as on SQLite.
class TaxPostgres : public ::testing::Test {
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

// A work code, an item of beer generated twice under it (the second replaces the first in the totals), an
// authorization's schedule and a supplier without a payment form.
std::vector<Variant> Answers(std::unique_ptr<db::Database> db) {
    EmbeddedServer server(std::move(db));
    net::TNetConnection lanc(net::kLancNFEntrada);
    lanc.SetHost(std::string(net::kInProcessHost));
    lanc.Connect();
    std::vector<Variant> answers;
    answers.push_back(lanc.Call(net::kGetProxCodProd, net::CallArgs().Str("0001")));
    net::GetImpoItemArgs beer;
    beer.receivingBranch = beer.branch = "0001";
    beer.operationType = "01";
    beer.product = "0000001145";
    beer.itemTotal = 1000;
    beer.supplier = "J12ABC34501DE35";
    beer.participantState = "PR";
    beer.postingNumber = "NOVOCODIGO";
    beer.itemSequence = "0001";
    beer.regenerate = "S";
    beer.workCode = "W000000001";
    answers.push_back(lanc.Call(beer.kMethod, net::ToCallArgs(beer)));
    EXPECT_EQ(beer.fiscalGroup, "SP1");
    const Variant first = net::CheckResultServ(answers.back());
    beer.documentTotals = first.AsArray()[1];
    beer.itemTotal = 1234.56;
    answers.push_back(lanc.Call(beer.kMethod, net::ToCallArgs(beer)));
    net::CriaVencimentosArgs af;
    af.kind = "A";
    af.key = "0001||0001||0000000412";
    af.amount = 1000;
    af.issueDate = DateTime::FromDate(2026, 12, 1);
    answers.push_back(lanc.Call(af.kMethod, net::ToCallArgs(af)));
    net::CriaVencimentosArgs none = af;
    none.kind = "E";
    none.key = "J72815493000129";
    answers.push_back(lanc.Call(none.kMethod, net::ToCallArgs(none)));
    answers.push_back(lanc.Call(net::kGetContAF, net::CallArgs().Str("0001").Str("0000000006")));
    return answers;
}

TEST_F(TaxPostgres, SchemaAppliesAndTheTaxCallsAnswerAsOnSqlite) {
    const std::string target = cluster_->NewDatabase();
    ApplyMigrations(*db::OpenDatabase(target), EmbeddedSchemaFiles(), true);
    testing::TempDatabase sqliteFile;
    auto sqlite = sqliteFile.Open();
    ApplyMigrations(*sqlite, EmbeddedSchemaFiles(), true);

    const std::vector<Variant> fromPostgres = Answers(db::OpenDatabase(target));
    const std::vector<Variant> fromSqlite = Answers(std::move(sqlite));
    ASSERT_EQ(fromPostgres.size(), fromSqlite.size());
    for (size_t i = 0; i < fromSqlite.size(); ++i) {
        EXPECT_NO_THROW(net::CheckResultServ(fromPostgres[i])) << i;
        EXPECT_EQ(fromPostgres[i], fromSqlite[i]) << i;
    }
    // The beer's totals after the second generation are those of 1,234.56 alone: ICMS 12% = 148.15.
    const Packet totals = FromDataPacket(net::CheckResultServ(fromPostgres[2]).AsArray()[1].AsPacket());
    const int code = totals.FieldIndex("CDIMPOSTOT"), value = totals.FieldIndex("VRIMPOSTOT");
    ASSERT_GE(code, 0);
    EXPECT_EQ(totals.rows[0].values[static_cast<size_t>(code)], Variant("01"));
    EXPECT_EQ(totals.rows[0].values[static_cast<size_t>(value)], Variant(148.15));
}

} // namespace
} // namespace dfe::appserver
