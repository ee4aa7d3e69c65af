#include "platform/db/postgres_database.h"
#include "platform/db/tadoib_query.h"
#include "postgres_cluster.h"

#include <gtest/gtest.h>

namespace dfe::db {
namespace {

class PostgresDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { cluster_ = testing::PostgresCluster::Start(whyNot_).release(); }
    static void TearDownTestSuite() {
        delete cluster_;
        cluster_ = nullptr;
    }
    void SetUp() override {
        if (!cluster_) GTEST_SKIP() << whyNot_;
        target_ = cluster_->NewDatabase();
        db_ = OpenDatabase(target_);
        db_->ExecuteScript(
            "CREATE TABLE FORNECEDOR (CDFORNECED VARCHAR(21) PRIMARY KEY, NMRAZSOCFORN VARCHAR(40),"
            " VRLIMITE NUMERIC(15,2), QTNOTAS INTEGER, DTCADASTRO DATE, DSOBS TEXT);"
            "INSERT INTO FORNECEDOR VALUES ('J1', 'Alfa Laticínios', 10, 3, '2026-07-01', NULL);"
            "INSERT INTO FORNECEDOR VALUES ('J2', 'Beta', 2.5, NULL, NULL, 'nota');");
    }

    static inline testing::PostgresCluster* cluster_ = nullptr;
    static inline std::string whyNot_;
    std::string target_;
    std::unique_ptr<Database> db_;
};

TEST_F(PostgresDatabaseTest, TypesFieldsAndUpperCasesNames) {
    const Packet p = db_->Query("select f.*, 'N' as idemprrelac from fornecedor f order by cdforneced");
    ASSERT_EQ(p.fields.size(), 7u);
    EXPECT_EQ(p.fields[0], (FieldDef{"CDFORNECED", FieldType::String, 21, false}));
    EXPECT_EQ(p.fields[2].type, FieldType::Float);
    EXPECT_EQ(p.fields[3].type, FieldType::Integer);
    EXPECT_EQ(p.fields[4].type, FieldType::DateTime);
    EXPECT_EQ(p.fields[5].type, FieldType::Memo);
    EXPECT_EQ(p.rows[0].values[1], Variant("Alfa Laticínios"));
    EXPECT_EQ(p.rows[0].values[4], Variant(DateTime::FromDate(2026, 7, 1)));
    EXPECT_TRUE(p.rows[1].values[3].IsNull());
}

TEST_F(PostgresDatabaseTest, ParametersAreBoundNeverSplicedAndNvlWorks) {
    const std::string sql = "SELECT CDFORNECED FROM FORNECEDOR WHERE CDFORNECED = NVL(:P_CD, CDFORNECED)"
                            " AND (QTNOTAS = NVL(:P_QT, QTNOTAS) OR QTNOTAS IS NULL) ORDER BY 1";
    EXPECT_EQ(db_->Query(sql).rows.size(), 2u);
    EXPECT_EQ(db_->Query(sql, {{"P_CD", "J2"}}).rows.size(), 1u);
    EXPECT_EQ(db_->Query(sql, {{"P_CD", "J1' OR '1'='1"}}).rows.size(), 0u);
    EXPECT_EQ(db_->Query("SELECT 1 FROM FORNECEDOR WHERE DTCADASTRO >= :P_DT",
                         {{"P_DT", DateTime::FromDate(2026, 6, 30)}})
                  .rows.size(),
              1u);
    EXPECT_EQ(db_->Execute("UPDATE FORNECEDOR SET QTNOTAS = :P_QT WHERE CDFORNECED = :P_CD",
                           {{"P_QT", 4}, {"P_CD", "J1"}}),
              1);
}

TEST_F(PostgresDatabaseTest, TransactionsAndReadOnlyLookups) {
    {
        Transaction tx(*db_, TransactionMode::Write);
        db_->Execute("DELETE FROM FORNECEDOR");
    }
    EXPECT_EQ(db_->Query("SELECT * FROM FORNECEDOR").rows.size(), 2u);
    auto lookups = OpenDatabase(target_, AccessMode::ReadOnly);
    EXPECT_THROW(lookups->Execute("DELETE FROM FORNECEDOR"), DatabaseError);
    TADOIBQuery query("qryFornecedor");
    query.SetDatabase(lookups.get());
    query.SetSQL("SELECT CDFORNECED, NMRAZSOCFORN FROM FORNECEDOR WHERE CDFORNECED = NVL(:P_CD, CDFORNECED)");
    query.Open();
    EXPECT_EQ(query.RecordCount(), 2);
    query.Close();
}

} // namespace
} // namespace dfe::db
