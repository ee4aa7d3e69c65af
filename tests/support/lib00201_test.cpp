#include "support/lib00201.h"

#include "platform/db/sqlite_database.h"
#include "platform/db/tadoib_query.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace dfe::support::lib00201 {
namespace {

// The screens pass the key edit's text as it reads: digits only, or whatever else reached it.
TEST(Lib00201, VerificaDigitoVerificadorNFeAcceptsOnlyAWholeValidKey) {
    struct Case {
        const char* key;
        bool valid;
    };
    const Case cases[] = {
        {"35180834128745000152550010000474281920007498", true},
        {"26180875335849000115550010000016871192213331", true},
        {"35180834128745000152550010000474281920007497", false},
        {"3518083412874500015255001000047428192000749", false},
        {"351808341287450001525500100004742819200074980", false},
        {"3518.0834.1287.4500.0152.5500.1000.0474.2819.2000.7498", false},
        {"                                            ", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Verifica_DigitoVerificadorNFe(c.key), c.valid) << "'" << c.key << "'";
}

// The branch's groups by operation type: Campinas' bonuses ("15") follow SP1 whoever sends them, its supplier
// transfers ("08") from another branch PR1, from a supplier SP9.
class ConsultaGrupoFiscal : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = std::make_unique<db::SqliteDatabase>(path_);
        db_->ExecuteScript("CREATE TABLE GRUPOFISCOPER (CDFILIAL VARCHAR(4), IDENTRSAIDOP VARCHAR(1),"
                           " CDTIPOOPER VARCHAR(2), IDORIGDESTNF VARCHAR(1), CDGRUPOFISC VARCHAR(3));"
                           "INSERT INTO GRUPOFISCOPER VALUES ('0002', 'E', '15', '*', 'SP1');"
                           "INSERT INTO GRUPOFISCOPER VALUES ('0002', 'E', '08', 'F', 'SP9');"
                           "INSERT INTO GRUPOFISCOPER VALUES ('0002', 'E', '08', '*', 'PR1');");
        db::TADOIBQuery::SetDefaultDatabase(db_.get());
    }
    void TearDown() override {
        db::TADOIBQuery::SetDefaultDatabase(nullptr);
        db_.reset();
        for (const char* suffix : {"", "-wal", "-shm"})
            std::filesystem::remove(path_ + suffix);
    }

    std::string path_ =
        (std::filesystem::temp_directory_path() / ("dfe_lib00201_" + std::to_string(getpid()) + ".db"))
            .string();
    std::unique_ptr<db::SqliteDatabase> db_;
};

TEST_F(ConsultaGrupoFiscal, TakesTheBranchsGroupForTheKindElseForAnyKindElseTheDefault) {
    struct Case {
        const char *origDest, *branch, *direction, *type, *expected;
    } cases[] = {
        {"F", "0002", "E", "15", "SP1"}, {"C", "0002", "E", "15", "SP1"}, {"F", "0002", "E", "08", "SP9"},
        {"L", "0002", "E", "08", "PR1"}, {"", "0002", "E", "08", "PR1"},  {"F", "0002", "S", "15", "SP2"},
        {"F", "0001", "E", "15", "SP2"}, {"F", "0002", "E", "01", "SP2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Consulta_GrupoFiscal(c.origDest, "J11222333000181", c.branch, c.direction, c.type, "SP2"),
                  c.expected)
            << c.origDest << " " << c.branch << " " << c.direction << " " << c.type;
}

} // namespace
} // namespace dfe::support::lib00201
