#include "appserver/schema/schema_migrator.h"
#include "platform/core/tax_id.h"
#include "platform/core/text.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

TEST(SchemaMigrator, AppliesEveryFileOnceInOrderAndRecordsIt) {
    testing::TempDatabase temp;
    auto db = temp.Open();
    const auto applied = ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
    ASSERT_FALSE(applied.empty());
    EXPECT_EQ(applied.front(), "schema/0001_servidor.sql");
    const auto ordered = OrderMigrations(EmbeddedSchemaFiles());
    EXPECT_EQ(applied.size(), ordered.size());
    EXPECT_TRUE(ApplyMigrations(*db, EmbeddedSchemaFiles(), true).empty());
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM SCHEMA_VERSION").rows[0].values[0].AsInteger(),
              static_cast<int64_t>(ordered.size()));
}

TEST(SchemaMigrator, WithoutDemoCreatesEmptyTablesAndDemoCanFollow) {
    testing::TempDatabase temp;
    auto db = temp.Open();
    ApplyMigrations(*db, EmbeddedSchemaFiles(), false);
    EXPECT_TRUE(db->Query("SELECT * FROM FILIAL").rows.empty());
    const auto demo = ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
    ASSERT_FALSE(demo.empty());
    for (const auto& name : demo)
        EXPECT_TRUE(name.starts_with("demo/")) << name;
}

TEST(SchemaMigrator, AFailingFileLeavesNoTraceAndStopsTheRun) {
    testing::TempDatabase temp;
    auto db = temp.Open();
    const EmbeddedFile files[] = {
        {"schema/0001_a.sql", "CREATE TABLE A (X INTEGER);"},
        {"schema/0002_b.sql", "CREATE TABLE B (X INTEGER); INSERT INTO NADA VALUES (1);"},
        {"schema/0003_c.sql", "CREATE TABLE C (X INTEGER);"}};
    EXPECT_THROW(ApplyMigrations(*db, files, true), db::DatabaseError);
    EXPECT_NO_THROW(db->Query("SELECT * FROM A"));
    EXPECT_THROW(db->Query("SELECT * FROM B"), db::DatabaseError);
    EXPECT_THROW(db->Query("SELECT * FROM C"), db::DatabaseError);
}

TEST(SchemaMigrator, RefusesMisnamedAndRepeatedVersions) {
    const EmbeddedFile misnamed[] = {{"schema/abc_x.sql", ""}};
    EXPECT_THROW(OrderMigrations(misnamed), std::runtime_error);
    const EmbeddedFile other[] = {{"extra/0001_x.sql", ""}};
    EXPECT_THROW(OrderMigrations(other), std::runtime_error);
    const EmbeddedFile repeated[] = {{"schema/0001_x.sql", ""}, {"schema/0001_y.sql", ""}};
    EXPECT_THROW(OrderMigrations(repeated), std::runtime_error);
}

class DemoData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        temp_ = new testing::TempDatabase();
        db_ = temp_->Open().release();
        ApplyMigrations(*db_, EmbeddedSchemaFiles(), true);
    }
    static void TearDownTestSuite() {
        delete db_;
        delete temp_;
    }
    static inline testing::TempDatabase* temp_ = nullptr;
    static inline db::Database* db_ = nullptr;
};

TEST_F(DemoData, EveryRegistrationNumberIsValidAndOneCnpjIsAlphanumeric) {
    const char* queries[] = {
        "SELECT IDTPIJURFORN, NRINSJURFORN, CDFORNECED FROM FORNECEDOR",
        "SELECT IDTPIJURCLIE, NRINSJURCLIE, CDCLIENTE FROM CLIENTE",
        "SELECT IDTPIJURFILI, NRINSJURFILI, NULL FROM FILIAL",
        "SELECT IDTPIJURTRAN, NRINSJURTRAN, NULL FROM TRANSPORT",
        "SELECT IDTPIJURIEST, NRINSJURIEST, NULL FROM INSCESTADUAL",
        "SELECT 'J', NRINSJUREMPR, NULL FROM EMPRESA",
    };
    bool sawAlphanumeric = false, sawCpf = false;
    for (const char* sql : queries) {
        const Packet p = db_->Query(sql);
        ASSERT_FALSE(p.rows.empty()) << sql;
        for (const PacketRow& row : p.rows) {
            const std::string type = row.values[0].AsString(), number = row.values[1].AsString();
            if (type == "F") {
                sawCpf = true;
                EXPECT_TRUE(taxid::IsValidCpf(number)) << number;
            } else {
                EXPECT_TRUE(taxid::IsValidCnpj(number)) << number;
                if (number.find_first_not_of("0123456789") != std::string::npos) sawAlphanumeric = true;
            }
            if (!row.values[2].IsNull()) {
                EXPECT_EQ(row.values[2].AsString(), type + number);
            }
        }
    }
    EXPECT_TRUE(sawAlphanumeric);
    EXPECT_TRUE(sawCpf);
}

TEST_F(DemoData, HasWhatTheScreensNeed) {
    EXPECT_GE(db_->Query("SELECT * FROM FILIAL WHERE CDEMPRESA = '01'").rows.size(), 2u);
    for (const char* type : {"01", "03", "05", "07", "08", "09", "10", "11", "12", "13", "14"}) {
        EXPECT_EQ(
            db_->Query("SELECT 1 FROM TIPOOPERAC WHERE CDTIPOOPER = :P AND IDENTRSAIDOP = 'E'", {{"P", type}})
                .rows.size(),
            1u)
            << type;
    }
    // Every branch has document parameters, and every posting belongs to a known branch and operation type.
    EXPECT_TRUE(db_->Query("SELECT F.CDFILIAL FROM FILIAL F LEFT JOIN PARAMDFE P ON P.CDFILIAL = F.CDFILIAL"
                           " WHERE P.CDFILIAL IS NULL")
                    .rows.empty());
    EXPECT_GE(db_->Query("SELECT * FROM NOTAFISCAL WHERE IDENTRSAIDOP = 'E'").rows.size(), 5u);
    // The product tree: every code below the top level hangs from an existing parent.
    EXPECT_TRUE(db_->Query("SELECT C.CDARVPROD FROM PRODUTO C WHERE C.CDNVPRODUTO > 1 AND NOT EXISTS ("
                           " SELECT 1 FROM PRODUTO P WHERE P.CDNVPRODUTO = C.CDNVPRODUTO - 1"
                           " AND C.CDARVPROD LIKE P.CDARVPROD || '.%')")
                    .rows.empty());
    EXPECT_GE(db_->Query("SELECT * FROM SERIEENTR").rows.size(), 2u);
}

// SQLite does not enforce VARCHAR widths; PostgreSQL and the client's datasets do.
TEST_F(DemoData, EveryTextFitsItsColumn) {
    const Packet tables = db_->Query("SELECT name FROM sqlite_master WHERE type = 'table'");
    for (const PacketRow& table : tables.rows) {
        const std::string name = table.values[0].AsString();
        const Packet columns = db_->Query("SELECT name, type FROM pragma_table_info(:P_T)", {{"P_T", name}});
        for (const PacketRow& column : columns.rows) {
            const std::string type = column.values[1].AsString();
            const size_t open = type.find('(');
            if (type.find("CHAR") == std::string::npos || open == std::string::npos) continue;
            const int width = std::stoi(type.substr(open + 1));
            const std::string col = column.values[0].AsString();
            const Packet longest = db_->Query("SELECT MAX(LENGTH(" + col + ")) FROM " + name);
            EXPECT_LE(longest.rows[0].values[0].AsInteger(), width) << name << "." << col;
        }
    }
}

// The demo postings add up and point at what exists, so that opening one shows a coherent document.
TEST_F(DemoData, PostingsAddUpAndPointAtExistingRows) {
    const char* mismatches[] = {
        // Items add up to the products' value; installments to the document's value.
        "SELECT N.NRLANCTONF FROM NOTAFISCAL N JOIN (SELECT CDFILIAL, NRLANCTONF, SUM(VRTOTAITEM) T FROM "
        "ITEMPRODUTO"
        " GROUP BY CDFILIAL, NRLANCTONF) I ON I.CDFILIAL = N.CDFILIAL AND I.NRLANCTONF = N.NRLANCTONF"
        " WHERE ABS(I.T - N.VRPRODUTOS) > 0.005",
        "SELECT N.NRLANCTONF FROM NOTAFISCAL N JOIN (SELECT CDFILIAL, NRLANCTONF, SUM(VRORIGPAG) T FROM "
        "CONTAPAGAR"
        " GROUP BY CDFILIAL, NRLANCTONF) C ON C.CDFILIAL = N.CDFILIAL AND C.NRLANCTONF = N.NRLANCTONF"
        " WHERE ABS(C.T - N.VRNOTAFISC) > 0.005",
        // Each item tax belongs to an item; each document tax total is the sum of its item taxes.
        "SELECT T.NRLANCTONF FROM ITEMPROIMPOS T LEFT JOIN ITEMPRODUTO I ON I.CDFILIAL = T.CDFILIAL"
        " AND I.NRLANCTONF = T.NRLANCTONF AND I.NRSEQITPROD = T.NRSEQITPROD WHERE I.CDPRODUTO IS NULL"
        " OR I.CDPRODUTO <> T.CDPRODUTO",
        "SELECT N.NRLANCTONF FROM IMPOSNFTOT N JOIN (SELECT CDFILIAL, NRLANCTONF, CDIMPOSTO, "
        "SUM(VRIMPOSTOIT) T"
        " FROM ITEMPROIMPOS GROUP BY CDFILIAL, NRLANCTONF, CDIMPOSTO) I ON I.CDFILIAL = N.CDFILIAL"
        " AND I.NRLANCTONF = N.NRLANCTONF AND I.CDIMPOSTO = N.CDIMPOSTO WHERE ABS(I.T - N.VRTOTIMPONF) > "
        "0.005",
        // Items name registered products; related and origin documents name stored postings.
        "SELECT I.CDPRODUTO FROM ITEMPRODUTO I LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
        " WHERE P.CDPRODUTO IS NULL",
        "SELECT I.NRLANCTONFIT FROM ITEMNOTAFISC I LEFT JOIN NOTAFISCAL R ON R.CDFILIAL = I.CDFILIALIT"
        " AND R.NRLANCTONF = I.NRLANCTONFIT WHERE I.NRLANCTONFIT IS NOT NULL AND R.NRLANCTONF IS NULL",
        "SELECT O.NRLANCTONFIT FROM ITEMNFORIG O LEFT JOIN NOTAFISCAL R ON R.CDFILIAL = O.CDFILIALIT"
        " AND R.NRLANCTONF = O.NRLANCTONFIT WHERE R.NRLANCTONF IS NULL",
        // A posting's participant is the one of its kind's register.
        "SELECT NRLANCTONF FROM NOTAFISCAL N WHERE (N.IDORIGDESTNF = 'F' AND N.CDFORNECED <> N.IDTPIJURNF ||"
        " N.NRINSJURNF) OR (N.IDORIGDESTNF = 'C' AND N.CDCLIENTE <> N.IDTPIJURNF || N.NRINSJURNF)"
        " OR (N.IDORIGDESTNF = 'L' AND NOT EXISTS (SELECT 1 FROM FILIAL F WHERE F.CDFILIAL = N.CDFILIEMIT"
        " AND F.NRINSJURFILI = N.NRINSJURNF))",
    };
    for (const char* sql : mismatches) {
        EXPECT_TRUE(db_->Query(sql).rows.empty()) << sql;
    }
    // Entry dates on each branch's processing date and on the day before, for the blocking window.
    for (const char* days : {"0", "1"}) {
        EXPECT_FALSE(
            db_->Query(
                   "SELECT 1 FROM NOTAFISCAL N JOIN FILIAL F ON F.CDFILIAL = N.CDFILIAL"
                   " WHERE N.IDENTRSAIDOP = 'E' AND JULIANDAY(F.DTPROCESSA) - JULIANDAY(N.DTENTRSAID) = " +
                   std::string(days))
                .rows.empty())
            << days;
    }
}

// The supplier rule's refusals each meet a demo row, and what those rows point at exists.
TEST_F(DemoData, EverySupplierRefusalHasARowToMeet) {
    const char* present[] = {
        "SELECT 1 FROM FORNECEDOR WHERE IDSITUCADA = 'I'",
        "SELECT 1 FROM FORNECEDOR WHERE IDBLOQCMPSAFFOR = 'S'",
        "SELECT 1 FROM FORNECEDOR WHERE IDUTILEDI = 'S'",
        "SELECT 1 FROM FORNECEDOR WHERE CDFORNERELAC IS NOT NULL",
        "SELECT 1 FROM PARAMBLOQNFAFOR WHERE IDLIBERATPOPFOR = 'N'",
        "SELECT 1 FROM PARAMBLOQNFAFOR WHERE IDLIBERATPOPFOR = 'S'",
        "SELECT 1 FROM PARAMDFE WHERE IDBLOQFORIRR = 'S' AND IDBLOQRAIZCNPJDI = 'S' AND IDUTILINTNFF = 'S'"
        " AND IDUTBLOQOPAF = 'S' AND IDBLOQCMPSAFFIL = 'S'",
        "SELECT 1 FROM QUALIFFORN WHERE DTFIMVALI IS NULL",
        "SELECT 1 FROM QUALIFFORN WHERE DTFIMVALI < '2026-12-10'",
        "SELECT 1 FROM MODDOCTIPOOPER",
    };
    for (const char* sql : present) {
        EXPECT_FALSE(db_->Query(sql).rows.empty()) << sql;
    }
    const char* dangling[] = {
        "SELECT B.NRINSJURFORN FROM PARAMBLOQNFAFOR B WHERE NOT EXISTS (SELECT 1 FROM FORNECEDOR F"
        " WHERE F.NRINSJURFORN = B.NRINSJURFORN)",
        "SELECT F.CDFORNECED FROM FORNECEDOR F LEFT JOIN FORNECEDOR R ON R.CDFORNECED = F.CDFORNERELAC"
        " WHERE F.CDFORNERELAC IS NOT NULL AND R.CDFORNECED IS NULL",
        "SELECT F.CDFORNECED FROM FORNECEDOR F WHERE NOT EXISTS (SELECT 1 FROM ENDEFORN E"
        " WHERE E.CDFORNECED = F.CDFORNECED AND E.IDTPENDEFORN = 'P')",
        "SELECT C.CDCLIENTE FROM CLIENTE C WHERE NOT EXISTS (SELECT 1 FROM ENDECLIE E"
        " WHERE E.CDCLIENTE = C.CDCLIENTE AND E.IDTPENDECLIE = 'P')",
    };
    for (const char* sql : dangling) {
        EXPECT_TRUE(db_->Query(sql).rows.empty()) << sql;
    }
}

// What the origin searches meet: a customer with three sales of the head office and a consumer invoice, a
// sales return naming the sale as its origin, a triangular type and its remittance with the document naming
// it, a remittance return, three transport companies.
TEST_F(DemoData, HasWhatTheOriginSearchesNeed) {
    const struct {
        const char* sql;
        int64_t count;
    } counts[] = {
        {"SELECT COUNT(*) FROM NOTAFISCAL WHERE CDFILIAL = '0001' AND IDENTRSAIDOP = 'S'"
         " AND CDCLIENTE = 'J78901234000105'",
         3},
        {"SELECT COUNT(*) FROM NOTAFISCAL WHERE IDENTRSAIDOP = 'S' AND CDMODDOCFISC = '65'", 1},
        {"SELECT COUNT(*) FROM TIPOOPERAC WHERE CDTIPOOPER = '07' AND IDOPERDEVONF = 'S' AND IDUTLLISTORI = "
         "'S'"
         " AND DSOPERNFORIG = '_S_51_'",
         1},
        {"SELECT COUNT(*) FROM TIPOOPERAC WHERE IDOPTRIANGULAR = 'S' AND IDENTRSAIDOP = 'E'", 1},
        {"SELECT COUNT(*) FROM NOTAFISCAL N JOIN ITEMNOTAFISC I ON I.CDFILIAL = N.CDFILIAL"
         " AND I.NRLANCTONF = N.NRLANCTONF JOIN NOTAFISCAL R ON R.CDFILIAL = I.CDFILIALIT"
         " AND R.NRLANCTONF = I.NRLANCTONFIT JOIN FORNECEDOR F ON F.CDFORNECED = N.CDFORNECEDREME"
         " WHERE N.CDTIPOOPER = '20' AND R.CDFORNECED = F.CDFORNECED AND R.NRNOTAFISC = N.NRNFREMESSA",
         1},
        {"SELECT COUNT(*) FROM NOTAFISCAL N JOIN ITEMNOTAFISC I ON I.CDFILIAL = N.CDFILIAL"
         " AND I.NRLANCTONF = N.NRLANCTONF WHERE N.CDTIPOOPER = '14'",
         2},
        {"SELECT COUNT(*) FROM TRANSPORT", 3},
    };
    for (const auto& c : counts) {
        EXPECT_EQ(db_->Query(c.sql).rows[0].values[0], Variant(c.count)) << c.sql;
    }
}

TEST_F(DemoData, AccessKeysHaveFortyFourDigitsAndAValidCheckDigit) {
    const Packet p = db_->Query("SELECT NRACESSONFE FROM NOTAFISCAL WHERE NRACESSONFE IS NOT NULL"
                                " UNION SELECT NRACESSONFE FROM MANIFDESTNFE");
    ASSERT_FALSE(p.rows.empty());
    for (const PacketRow& row : p.rows) {
        const std::string key = row.values[0].AsString();
        ASSERT_EQ(key.size(), 44u) << key;
        int sum = 0, weight = 2;
        for (size_t i = 43; i-- > 0;) {
            sum += (key[i] - '0') * weight;
            weight = weight == 9 ? 2 : weight + 1;
        }
        const int rest = sum % 11;
        EXPECT_EQ(key[43] - '0', rest < 2 ? 0 : 11 - rest) << key;
    }
}

} // namespace
} // namespace dfe::appserver

namespace dfe::appserver {
namespace {

bool IsEan13(const std::string& code) {
    if (code.size() != 13 || code.find_first_not_of("0123456789") != std::string::npos) return false;
    int sum = 0;
    for (size_t i = 0; i < 12; ++i)
        sum += (code[i] - '0') * (i % 2 ? 3 : 1);
    return code[12] - '0' == (10 - sum % 10) % 10;
}

// Every product the clerk can post is registered whole: fiscal classification, unit, brand, bar code, the
// stock product it moves, and a name that fits the item's field.
TEST_F(DemoData, EveryLastLevelProductIsRegisteredWhole) {
    const Packet products =
        db_->Query("SELECT CDARVPROD, CDPRODUTO, CDPRODESTO, CDNCM, SGUNIDADE, VRFATOCONV,"
                   " CDPRODINTE, CDMARCA, NMPRODUTO FROM PRODUTO WHERE CDNVPRODUTO = 3");
    ASSERT_GE(products.rows.size(), 200u);
    size_t withOtherStock = 0;
    for (const PacketRow& row : products.rows) {
        const auto text = [&](size_t i) {
            return row.values[i].IsNull() ? std::string() : row.values[i].AsString();
        };
        const std::string tree = text(0), code = text(1), stock = text(2), ncm = text(3), unit = text(4);
        EXPECT_FALSE(unit.empty()) << tree;
        EXPECT_LE(text::Length(text(8)), 50u) << tree;
        ASSERT_FALSE(stock.empty()) << tree;
        if (stock != code) {
            ++withOtherStock;
            continue;
        }
        if (ncm.empty()) continue; // the account of services taken
        EXPECT_TRUE(ncm.size() == 8 && ncm.find_first_not_of("0123456789") == std::string::npos) << tree;
        EXPECT_TRUE(IsEan13(text(6))) << tree << " " << text(6);
        EXPECT_FALSE(text(7).empty()) << tree;
        if (unit == "CX" || unit == "FD") {
            EXPECT_GT(row.values[5].AsFloat(), 1.0) << tree;
        }
    }
    EXPECT_GE(withOtherStock, 10u);
    const char* dangling[] = {
        // The stock product of each is a registered product of the last level.
        "SELECT P.CDARVPROD FROM PRODUTO P LEFT JOIN PRODUTO E ON E.CDPRODUTO = P.CDPRODESTO"
        " WHERE P.CDNVPRODUTO = 3 AND (E.CDPRODUTO IS NULL OR E.CDNVPRODUTO <> 3)",
        // Bar codes identify one product each.
        "SELECT CDPRODINTE FROM PRODUTO WHERE CDPRODINTE IS NOT NULL GROUP BY CDPRODINTE HAVING COUNT(*) > 1",
    };
    for (const char* sql : dangling)
        EXPECT_TRUE(db_->Query(sql).rows.empty()) << sql;
}

// Every branch lists every product in its catalogue, with what the item rules meet: a few inactive and
// blocked products, lot-controlled ones with their lots, placements in the branch's own warehouses, the
// products of service codes, and the lots of a stored NF-e's items.
TEST_F(DemoData, EveryBranchHasItsCatalogue) {
    EXPECT_TRUE(db_->Query("SELECT F.CDFILIAL, P.CDPRODUTO FROM FILIAL F, PRODUTO P WHERE P.CDNVPRODUTO = 3"
                           " AND NOT EXISTS (SELECT 1 FROM PRODUTOFILIAL C WHERE C.CDFILIAL = F.CDFILIAL"
                           " AND C.CDPRODUTO = P.CDPRODUTO)")
                    .rows.empty());
    EXPECT_TRUE(
        db_->Query("SELECT C.CDPRODUTO FROM PRODUTOFILIAL C JOIN PRODUTO P ON P.CDPRODUTO = C.CDPRODUTO"
                   " WHERE P.CDNVPRODUTO <> 3")
            .rows.empty());
    const char* present[] = {
        "SELECT 1 FROM PRODUTOFILIAL WHERE CDFILIAL = '0001' AND IDATIVO = 'N'",
        "SELECT 1 FROM PRODUTOFILIAL WHERE CDFILIAL = '0001' AND IDBLOQCOMPRA = 'S' AND IDATIVO = 'S'",
        "SELECT 1 FROM PRODUTOFILIAL WHERE CDFILIAL = '0002' AND IDBLOQCOMPRA = 'S'",
        "SELECT 1 FROM PRODUTOFILIAL WHERE IDCTRLESTOQUE = 'N'",
        "SELECT 1 FROM PRODUTOFILIAL C JOIN LOTEESTOQUE L ON L.CDFILIAL = C.CDFILIAL"
        " AND L.CDPRODESTO = C.CDPRODUTO WHERE C.CDFILIAL = '0003' AND C.IDUTCTRLLOTE = 'S'",
        "SELECT 1 FROM PRODUTOFILIAL WHERE CDFILIAL = '0001' AND CDALMOXARIFE = 'ALM001' AND CDLOCALESTOQ = "
        "'LOC002'",
        "SELECT 1 FROM PRODSERVICO WHERE CDSERVICOPROD = '14.01'",
        "SELECT 1 FROM NFEITEMLOTE L JOIN NOTAFISCAL N ON N.NRACESSONFE = L.NRACESSONFE JOIN ITEMPRODUTO I"
        " ON I.CDFILIAL = N.CDFILIAL AND I.NRLANCTONF = N.NRLANCTONF AND I.NRSEQITPROD = L.NRSEQITPROD"
        " AND I.NRLOTEESTQ = L.NRLOTEPRODXML",
    };
    for (const char* sql : present)
        EXPECT_FALSE(db_->Query(sql).rows.empty()) << sql;
    const char* dangling[] = {
        // Lots are kept only of the products the branch controls by lot; a location only with its warehouse.
        "SELECT L.NRLOTEESTQ FROM LOTEESTOQUE L LEFT JOIN PRODUTOFILIAL C ON C.CDFILIAL = L.CDFILIAL"
        " AND C.CDPRODUTO = L.CDPRODESTO WHERE C.IDUTCTRLLOTE IS NULL OR C.IDUTCTRLLOTE <> 'S'",
        "SELECT CDPRODUTO FROM PRODUTOFILIAL WHERE CDLOCALESTOQ IS NOT NULL AND CDALMOXARIFE IS NULL",
        // The items of the stored postings name the lots of their branch.
        "SELECT I.NRLOTEESTQ FROM ITEMPRODUTO I WHERE I.NRLOTEESTQ IS NOT NULL AND NOT EXISTS (SELECT 1"
        " FROM LOTEESTOQUE L WHERE L.CDFILIAL = I.CDFILIMOVI AND L.CDPRODESTO = I.CDPRODESTO"
        " AND L.NRLOTEESTQ = I.NRLOTEESTQ AND L.NRSUBLOTE = I.NRSUBLOTE)",
    };
    for (const char* sql : dangling)
        EXPECT_TRUE(db_->Query(sql).rows.empty()) << sql;
}

} // namespace
} // namespace dfe::appserver
