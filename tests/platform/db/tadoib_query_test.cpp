#include "platform/db/sqlite_database.h"
#include "platform/db/tadoib_query.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dfe::db {
namespace {

// A database that reports another dialect, to see which text a query reads.
class DialectDatabase : public SqliteDatabase {
public:
    DialectDatabase(const std::string& path, Dialect dialect) : SqliteDatabase(path), dialect_(dialect) {}
    Dialect SqlDialect() const override { return dialect_; }

private:
    Dialect dialect_;
};

class TADOIBQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = (std::filesystem::temp_directory_path() /
                 ("dfe_query_" + std::to_string(getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db"))
                    .string();
        Remove();
        db_ = std::make_unique<SqliteDatabase>(path_);
        db_->ExecuteScript("CREATE TABLE SERIEENTR (CDSERIEENTR VARCHAR(5), DSSERIEENTR VARCHAR(40));"
                           "INSERT INTO SERIEENTR VALUES ('1', 'Série 1');"
                           "INSERT INTO SERIEENTR VALUES ('2', 'Série 2');"
                           "INSERT INTO SERIEENTR VALUES ('U', 'Série única');");
        query_.SetDatabase(db_.get());
        query_.SetSQL("SELECT CDSERIEENTR, DSSERIEENTR FROM SERIEENTR"
                      " WHERE (CDSERIEENTR = NVL(:P_CDSERIE, CDSERIEENTR)) ORDER BY CDSERIEENTR");
    }
    void TearDown() override {
        query_.Close();
        db_.reset();
        Remove();
    }
    void Remove() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_ + suffix);
    }

    std::string path_;
    std::unique_ptr<SqliteDatabase> db_;
    TADOIBQuery query_{"qrySerieEntr"};
};

TEST_F(TADOIBQueryTest, OpensAsADatasetWithUnsetParametersBoundAsNull) {
    EXPECT_TRUE(query_.HasParam("P_CDSERIE"));
    EXPECT_FALSE(query_.HasParam("P_TODOS"));
    query_.Open();
    EXPECT_EQ(query_.RecordCount(), 3);
    EXPECT_EQ(query_.FieldByName("DSSERIEENTR").AsString(), "Série 1");
    EXPECT_TRUE(query_.Locate("CDSERIEENTR", Variant("U")));
    EXPECT_EQ(query_.FieldByName("DSSERIEENTR").AsString(), "Série única");
}

TEST_F(TADOIBQueryTest, ReopenRunsBeforeOpenAndTheCurrentParameters) {
    int beforeOpen = 0;
    query_.BeforeOpen = [&](DataSet&) { ++beforeOpen; };
    query_.ParamByName("P_CDSERIE") = "2";
    query_.Open();
    EXPECT_EQ(query_.RecordCount(), 1);
    query_.Open(); // already open: nothing runs
    query_.ParamByName("p_cdserie") = "U";
    query_.Reopen();
    EXPECT_EQ(query_.FieldByName("CDSERIEENTR").AsString(), "U");
    EXPECT_EQ(beforeOpen, 2);
    query_.Close();
    EXPECT_FALSE(query_.Active());
}

TEST_F(TADOIBQueryTest, AParameterCarryingSqlIsData) {
    for (const char* hostile : {"1' OR '1'='1", "1'); DROP TABLE SERIEENTR; --", "U' --"}) {
        query_.ParamByName("P_CDSERIE") = hostile;
        query_.Reopen();
        EXPECT_EQ(query_.RecordCount(), 0) << hostile;
    }
    EXPECT_EQ(db_->Query("SELECT COUNT(*) FROM SERIEENTR").rows[0].values[0].AsInteger(), 3);
}

TEST_F(TADOIBQueryTest, ReadsTheTextOfItsDatabaseDialect) {
    query_.SetSQL_ORACLE("SELECT 'oracle' AS ORIGEM FROM SERIEENTR WHERE CDSERIEENTR = :P_ORA");
    query_.SetSQL_MSSQL("SELECT 'mssql' AS ORIGEM FROM SERIEENTR WHERE CDSERIEENTR = :P_MS");
    struct Case {
        Dialect dialect;
        std::string origin;
        const char* param;
    };
    const Case cases[] = {{Dialect::Oracle, "oracle", "P_ORA"},
                          {Dialect::SqlServer, "mssql", "P_MS"},
                          {Dialect::InterBase, "", "P_CDSERIE"}}; // no InterBase text: the generic one
    for (const Case& c : cases) {
        DialectDatabase other(path_, c.dialect);
        query_.Close();
        query_.SetDatabase(&other);
        EXPECT_TRUE(query_.HasParam(c.param)) << c.param;
        query_.ParamByName(c.param) = "1";
        query_.Open();
        ASSERT_EQ(query_.RecordCount(), 1) << c.param;
        if (!c.origin.empty()) {
            EXPECT_EQ(query_.FieldByName("ORIGEM").AsString(), c.origin);
        }
        query_.Close();
    }
    query_.SetDatabase(db_.get());
}

TEST_F(TADOIBQueryTest, CopyFromTakesTextsAndParameterValues) {
    TADOIBQuery cache("qryProdCache");
    cache.SetSQL("SELECT CDSERIEENTR FROM SERIEENTR WHERE CDSERIEENTR = :P_CDSERIE");
    cache.SetSQL_ORACLE("SELECT CDSERIEENTR FROM SERIEENTR WHERE CDSERIEENTR = :P_CDSERIE AND 1 = 1");
    cache.ParamByName("P_CDSERIE") = "2";
    query_.Open();
    query_.CopyFrom(cache);
    EXPECT_FALSE(query_.Active());
    EXPECT_EQ(query_.SQL(), cache.SQL());
    EXPECT_EQ(query_.SQL_ORACLE(), cache.SQL_ORACLE());
    query_.Open();
    ASSERT_EQ(query_.RecordCount(), 1);
    EXPECT_EQ(query_.FieldByName("CDSERIEENTR").AsString(), "2");
}

TEST_F(TADOIBQueryTest, WithoutDatabaseOrTextOpeningIsAClearError) {
    TADOIBQuery orphan("qrySemBanco");
    orphan.SetSQL("SELECT 1");
    EXPECT_THROW(orphan.Open(), DatabaseError);
    TADOIBQuery empty("qryVazia");
    empty.SetDatabase(db_.get());
    EXPECT_THROW(empty.Open(), DatabaseError);
    TADOIBQuery::SetDefaultDatabase(db_.get());
    EXPECT_NO_THROW(orphan.Open());
    TADOIBQuery::SetDefaultDatabase(nullptr);
}

} // namespace
} // namespace dfe::db
