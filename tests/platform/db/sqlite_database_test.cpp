#include "platform/db/sqlite_database.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dfe::db {
namespace {

class SqliteDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("dfe_db_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".db");
        Remove();
        db_ = std::make_unique<SqliteDatabase>(path_.string());
        db_->ExecuteScript(
            "CREATE TABLE FORNECEDOR (CDFORNECED VARCHAR(21) PRIMARY KEY, NMRAZSOCFORN VARCHAR(40),"
            " VRLIMITE NUMERIC(15,2), QTNOTAS INTEGER, DTCADASTRO DATE, DSOBS TEXT);"
            "INSERT INTO FORNECEDOR VALUES ('J1', 'Alfa', 10, 3, '2026-07-01', NULL);"
            "INSERT INTO FORNECEDOR VALUES ('J2', 'Beta', 2.5, NULL, NULL, 'nota');");
    }
    void TearDown() override {
        db_.reset();
        Remove();
    }
    void Remove() {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_.string() + suffix);
    }
    std::filesystem::path path_;
    std::unique_ptr<SqliteDatabase> db_;
};

TEST_F(SqliteDatabaseTest, TypesFieldsFromDeclarationsAndValues) {
    const Packet p = db_->Query("SELECT F.*, 'N' AS IDEMPRRELAC, COUNT(*) OVER () AS QT FROM FORNECEDOR F "
                                "ORDER BY CDFORNECED");
    ASSERT_EQ(p.fields.size(), 8u);
    EXPECT_EQ(p.fields[0], (FieldDef{"CDFORNECED", FieldType::String, 21, false}));
    EXPECT_EQ(p.fields[2].type, FieldType::Float);
    EXPECT_EQ(p.fields[3].type, FieldType::Integer);
    EXPECT_EQ(p.fields[4].type, FieldType::DateTime);
    EXPECT_EQ(p.fields[5].type, FieldType::Memo);
    EXPECT_EQ(p.fields[6], (FieldDef{"IDEMPRRELAC", FieldType::String, 1, false}));
    EXPECT_EQ(p.fields[7].type, FieldType::Integer);
    ASSERT_EQ(p.rows.size(), 2u);
    EXPECT_EQ(p.rows[0].values[2], Variant(10.0));
    EXPECT_EQ(p.rows[0].values[2].Type(), VariantType::Double);
    EXPECT_EQ(p.rows[0].values[4], Variant(DateTime::FromDate(2026, 7, 1)));
    EXPECT_TRUE(p.rows[1].values[3].IsNull());
}

TEST_F(SqliteDatabaseTest, ParametersCarryingSqlAreData) {
    const char* hostile[] = {"J1' OR '1'='1", "J1'; DROP TABLE FORNECEDOR; --", "J1\" OR 1=1 --"};
    for (const char* value : hostile) {
        const Packet p = db_->Query("SELECT CDFORNECED FROM FORNECEDOR WHERE CDFORNECED = :P_CDFORNECED",
                                    {{"P_CDFORNECED", value}});
        EXPECT_TRUE(p.rows.empty()) << value;
    }
    EXPECT_EQ(db_->Execute("UPDATE FORNECEDOR SET NMRAZSOCFORN = :P_NM WHERE CDFORNECED = 'J1'",
                           {{"P_NM", "x'); DELETE FROM FORNECEDOR; --"}}),
              1);
    EXPECT_EQ(db_->Query("SELECT * FROM FORNECEDOR").rows.size(), 2u);
    EXPECT_EQ(db_->Query("SELECT NMRAZSOCFORN FROM FORNECEDOR WHERE CDFORNECED = 'J1'").rows[0].values[0],
              Variant("x'); DELETE FROM FORNECEDOR; --"));
}

TEST_F(SqliteDatabaseTest, UnsetParametersAreBoundAsNullAndNvlWorks) {
    const std::string sql = "SELECT CDFORNECED FROM FORNECEDOR WHERE CDFORNECED = NVL(:P_CD, CDFORNECED) "
                            "ORDER BY 1";
    EXPECT_EQ(db_->Query(sql).rows.size(), 2u);
    EXPECT_EQ(db_->Query(sql, {{"p_cd", "J2"}}).rows.size(), 1u);
    EXPECT_EQ(db_->Query(sql, {{":P_CD", Variant::Null()}}).rows.size(), 2u);
}

TEST_F(SqliteDatabaseTest, DatesBindAsComparableTextAndEmptyDateIsNull) {
    EXPECT_EQ(db_->Query("SELECT 1 FROM FORNECEDOR WHERE DTCADASTRO >= :P_DT",
                         {{"P_DT", DateTime::FromDate(2026, 6, 30)}})
                  .rows.size(),
              1u);
    const Packet p = db_->Query("SELECT :P_DT IS NULL AS VAZIO", {{"P_DT", DateTime()}});
    EXPECT_EQ(p.rows[0].values[0], Variant(int64_t{1}));
}

TEST_F(SqliteDatabaseTest, TransactionRollsBackUnlessCommitted) {
    {
        Transaction tx(*db_, TransactionMode::Write);
        db_->Execute("DELETE FROM FORNECEDOR");
    }
    EXPECT_EQ(db_->Query("SELECT * FROM FORNECEDOR").rows.size(), 2u);
    {
        Transaction tx(*db_, TransactionMode::Write);
        db_->Execute("DELETE FROM FORNECEDOR WHERE CDFORNECED = 'J2'");
        tx.Commit();
    }
    EXPECT_EQ(db_->Query("SELECT * FROM FORNECEDOR").rows.size(), 1u);
    EXPECT_FALSE(db_->InTransaction());
}

TEST_F(SqliteDatabaseTest, ErrorsAreReportedNotCrashed) {
    EXPECT_THROW(db_->Query("SELECT * FROM NAO_EXISTE"), DatabaseError);
    EXPECT_THROW(db_->Query("SELECT 1; SELECT 2"), DatabaseError);
    EXPECT_THROW(db_->Query("SELECT :P_A", {{"P_A", Variant::Array({1})}}), DatabaseError);
    EXPECT_THROW(db_->Execute("INSERT INTO FORNECEDOR (CDFORNECED) VALUES ('J1')"), DatabaseError);
}

} // namespace
} // namespace dfe::db

namespace dfe::db {
namespace {

TEST_F(SqliteDatabaseTest, TheLookupConnectionReadsButCannotWrite) {
    auto lookups = OpenDatabase(path_.string(), AccessMode::ReadOnly);
    EXPECT_EQ(lookups->Query("SELECT * FROM FORNECEDOR").rows.size(), 2u);
    EXPECT_THROW(lookups->Execute("DELETE FROM FORNECEDOR"), DatabaseError);
    db_->Execute("DELETE FROM FORNECEDOR WHERE CDFORNECED = 'J2'"); // the server's writes are seen
    EXPECT_EQ(lookups->Query("SELECT * FROM FORNECEDOR").rows.size(), 1u);
}

// The rows read one by one, each column as the reader asks, agree with what Query builds; the base class's
// reading through Query agrees too.
TEST_F(SqliteDatabaseTest, ForEachRowReadsEachColumnAsAsked) {
    const std::string sql = "SELECT CDFORNECED, VRLIMITE, QTNOTAS, DTCADASTRO, DSOBS, QTNOTAS * 2 AS DOBRO"
                            " FROM FORNECEDOR WHERE CDFORNECED >= :P_DE ORDER BY CDFORNECED";
    struct Read {
        std::string name, code, twice;
        double limit = 0;
        int64_t notes = 0;
        std::optional<DateTime> date;
        bool nullNote = false, nullObs = false;
    };
    const auto readAll = [&](Database& db) {
        std::vector<Read> rows;
        db.ForEachRow(sql, {{"P_DE", "J1"}}, [&](const ResultRow& row) {
            EXPECT_EQ(row.ColumnCount(), 6);
            Read r;
            r.name = std::string(row.ColumnName(5));
            r.code = std::string(row.Text(0));
            r.limit = row.Float(1);
            r.nullNote = row.IsNull(2);
            r.notes = r.nullNote ? 0 : row.Integer(2);
            r.date = row.Date(3);
            r.nullObs = row.IsNull(4);
            r.twice = r.nullNote ? "" : std::string(row.Text(5));
            rows.push_back(r);
        });
        return rows;
    };
    const std::vector<Read> direct = readAll(*db_);
    ASSERT_EQ(direct.size(), 2u);
    EXPECT_EQ(direct[0].name, "DOBRO");
    EXPECT_EQ(direct[0].code, "J1");
    EXPECT_EQ(direct[0].limit, 10.0);
    EXPECT_EQ(direct[0].notes, 3);
    EXPECT_EQ(direct[0].twice, "6");
    EXPECT_EQ(direct[0].date, DateTime::FromDate(2026, 7, 1));
    EXPECT_TRUE(direct[0].nullObs);
    EXPECT_EQ(direct[1].limit, 2.5);
    EXPECT_TRUE(direct[1].nullNote);
    EXPECT_FALSE(direct[1].date.has_value());
    EXPECT_FALSE(direct[1].nullObs);

    // The generic reading, as a backend without its own cursor reader does it.
    struct ThroughQuery : Database {
        explicit ThroughQuery(Database& inner) : inner_(inner) {}
        Dialect SqlDialect() const override { return inner_.SqlDialect(); }
        std::string BackendName() const override { return "query"; }
        void ExecuteScript(std::string_view s) override { inner_.ExecuteScript(s); }
        Packet Query(std::string_view s, const SqlParams& p) override { return inner_.Query(s, p); }
        int64_t Execute(std::string_view s, const SqlParams& p) override { return inner_.Execute(s, p); }
        void Begin(TransactionMode m) override { inner_.Begin(m); }
        void Commit() override { inner_.Commit(); }
        void Rollback() noexcept override { inner_.Rollback(); }
        bool InTransaction() const override { return inner_.InTransaction(); }
        Database& inner_;
    } generic(*db_);
    const std::vector<Read> viaQuery = readAll(generic);
    ASSERT_EQ(viaQuery.size(), direct.size());
    for (size_t i = 0; i < direct.size(); ++i) {
        EXPECT_EQ(viaQuery[i].code, direct[i].code);
        EXPECT_EQ(viaQuery[i].limit, direct[i].limit);
        EXPECT_EQ(viaQuery[i].notes, direct[i].notes);
        EXPECT_EQ(viaQuery[i].date, direct[i].date);
        EXPECT_EQ(viaQuery[i].nullObs, direct[i].nullObs);
        EXPECT_EQ(viaQuery[i].twice, direct[i].twice);
    }
}

} // namespace
} // namespace dfe::db
