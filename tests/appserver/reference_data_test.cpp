#include "demo_server.h"

#include "appserver/schema/schema_migrator.h"

#include "platform/core/text.h"
#include "platform/data/packet.h"

#include <algorithm>

namespace dfe::appserver {
namespace {

// The IBGE's table as shipped in tools/ibge/municipios.csv.
constexpr size_t kMunicipalities = 5571;

class ReferenceData : public testing::DemoServer {
protected:
    Packet Query(const std::string& sql, const db::SqlParams& params = {}) {
        return temp_.Open()->Query(sql, params);
    }
    // The row whose first column is `code`; nullptr when none is.
    static const PacketRow* RowOf(const Packet& p, const char* code) {
        const auto row = std::find_if(p.rows.begin(), p.rows.end(),
                                      [&](const PacketRow& r) { return r.values[0] == Variant(code); });
        return row == p.rows.end() ? nullptr : &*row;
    }
};

TEST_F(ReferenceData, GetIBGEAnswersTheWholeMunicipalityTable) {
    const Packet p = Rows(Call("GetIBGE", net::CallArgs()));
    ASSERT_EQ(p.rows.size(), kMunicipalities);
    EXPECT_EQ(Field(p, "CDIBGE"), Variant("1100015"));
    EXPECT_EQ(Field(p, "NMMUNICIPIO"), Variant("Alta Floresta D'Oeste"));
    const struct {
        const char* code;
        const char* name; // nullptr: not a municipality
    } cases[] = {
        {"3550308", "São Paulo"},
        {"3509502", "Campinas"},
        {"4106902", "Curitiba"},
        {"5300108", "Brasília"},
        {"2201919", "Bom Princípio do Piauí"}, // a code with a wrong check digit
        {"3550309", nullptr},
        {"355030", nullptr},
        {"50308", nullptr},
    };
    for (const auto& c : cases) {
        const PacketRow* row = RowOf(p, c.code);
        ASSERT_EQ(row != nullptr, c.name != nullptr) << c.code;
        if (row) {
            EXPECT_EQ(row->values[1], Variant(c.name)) << c.code;
        }
    }
    EXPECT_NE(RefusalOf(Call("GetIBGE", net::CallArgs().Str("SP"))).find("espera 0"), std::string::npos);
}

TEST_F(ReferenceData, MunicipalityCodesAreTheLastFiveDigitsOfTheIbgeCodeOfTheirState) {
    EXPECT_EQ(Query("SELECT COUNT(*) FROM MUNICIPIO").rows[0].values[0], Variant(int64_t{kMunicipalities}));
    const Packet states = Query("SELECT SGESTADO, NMESTADO, CDESTADOIBGE FROM ESTADO WHERE CDPAIS = '0055'"
                                " ORDER BY CDESTADOIBGE");
    ASSERT_EQ(states.rows.size(), 27u);
    EXPECT_EQ(states.rows[0].values[0], Variant("RO"));
    EXPECT_EQ(states.rows[26].values[1], Variant("Distrito Federal"));
    const char* mismatches[] = {
        "SELECT M.CDIBGE FROM MUNICIPIO M LEFT JOIN ESTADO E ON E.CDPAIS = M.CDPAIS AND E.SGESTADO = "
        "M.SGESTADO"
        " WHERE E.CDESTADOIBGE IS NULL OR M.CDIBGE <> E.CDESTADOIBGE || M.CDMUNICIPIO",
        // A pick list of a state shows each town once.
        "SELECT SGESTADO, NMMUNICIPIO FROM MUNICIPIO GROUP BY SGESTADO, NMMUNICIPIO HAVING COUNT(*) > 1",
    };
    for (const char* sql : mismatches)
        EXPECT_TRUE(Query(sql).rows.empty()) << sql;
    const Packet sp =
        Query("SELECT NMMUNICIPIO, CDIBGE FROM MUNICIPIO WHERE CDPAIS = '0055' AND SGESTADO = 'SP'"
              " AND CDMUNICIPIO = '50308'");
    ASSERT_EQ(sp.rows.size(), 1u);
    EXPECT_EQ(sp.rows[0].values[0], Variant("São Paulo"));
}

// The national list of services, numbered as the list numbers them; vetoed items are no codes.
TEST_F(ReferenceData, TheServiceListIsTheNationalOne) {
    const Packet p = Rows(Call("GetListServProd", net::CallArgs()));
    ASSERT_GE(p.rows.size(), 90u);
    std::string previous;
    for (const PacketRow& row : p.rows) {
        const std::string code = row.values[0].AsString();
        EXPECT_TRUE(code.size() == 5 && code[2] == '.' &&
                    code.find_first_not_of("0123456789.") == std::string::npos)
            << code;
        EXPECT_LT(previous, code);
        previous = code;
        EXPECT_TRUE(text::EndsWith(row.values[1].AsString(), ".")) << code;
    }
    const struct {
        const char* code;
        const char* starts; // nullptr: no such code
    } cases[] = {
        {"01.01", "Análise e desenvolvimento de sistemas."},
        {"07.02", "Execução, por administração, empreitada ou subempreitada, de obras de construção civil"},
        {"14.01", "Lubrificação, limpeza, lustração, revisão"},
        {"03.01", nullptr},
        {"07.14", nullptr},
        {"7.02", nullptr},
    };
    for (const auto& c : cases) {
        const PacketRow* row = RowOf(p, c.code);
        ASSERT_EQ(row != nullptr, c.starts != nullptr) << c.code;
        if (row) {
            EXPECT_TRUE(text::StartsWith(row->values[1].AsString(), c.starts)) << c.code;
        }
    }
}

// The demo's made-up codes are gone: whatever names a municipality names a real one.
TEST_F(ReferenceData, EveryDemoMunicipalityIsARealOne) {
    for (const char* table :
         {"INSCESTADUAL", "FILIAL", "ENDEFORN", "ENDECLIE", "TRANSPORT", "PRODXFORNDF", "NOTAFISCAL"}) {
        const Packet dangling =
            Query(std::string("SELECT T.SGESTADO, T.CDMUNICIPIO FROM ") + table +
                  " T WHERE T.CDMUNICIPIO IS NOT NULL AND NOT EXISTS (SELECT 1 FROM MUNICIPIO M"
                  " WHERE M.CDPAIS = '0055' AND M.SGESTADO = T.SGESTADO AND M.CDMUNICIPIO = T.CDMUNICIPIO)");
        EXPECT_TRUE(dangling.rows.empty()) << table << " " << DescribeVariant(dangling.rows[0].values[1]);
        if (std::string_view(table) == "NOTAFISCAL") continue; // no demo posting has a service location
        EXPECT_FALSE(
            Query(std::string("SELECT 1 FROM ") + table + " WHERE CDMUNICIPIO IS NOT NULL").rows.empty())
            << table;
    }
    const Packet head = Query("SELECT M.NMMUNICIPIO FROM FILIAL F JOIN MUNICIPIO M ON M.CDPAIS = F.CDPAIS"
                              " AND M.SGESTADO = F.SGESTADO AND M.CDMUNICIPIO = F.CDMUNICIPIO"
                              " WHERE F.CDFILIAL = '0001'");
    ASSERT_EQ(head.rows.size(), 1u);
    EXPECT_EQ(head.rows[0].values[0], Variant("São Paulo"));
}

// A database made before the reference table, with the four states its demo then registered, takes the new
// files: the states it has are kept, the others added, and its made-up municipalities replaced.
TEST(ReferenceDataMigration, ADatabaseOfTheOldDemoTakesTheRealTable) {
    testing::TempDatabase temp;
    auto db = temp.Open();
    std::vector<EmbeddedFile> before;
    for (const EmbeddedFile& f : EmbeddedSchemaFiles()) {
        const std::string_view older = f.name.starts_with("schema/") ? "schema/0013" : "demo/0013";
        if (f.name < older) before.push_back(f);
    }
    ApplyMigrations(*db, before, true);
    db->ExecuteScript("INSERT INTO ESTADO (CDPAIS, SGESTADO, NMESTADO, CDESTADOIBGE) VALUES"
                      " ('0055', 'SP', 'São Paulo', '35'), ('0055', 'PR', 'Paraná', '41'),"
                      " ('0055', 'MG', 'Minas Gerais', '31'), ('0055', 'RJ', 'Rio de Janeiro', '33')");
    EXPECT_EQ(db->Query("SELECT CDMUNICIPIO FROM FILIAL WHERE CDFILIAL = '0002'").rows[0].values[0],
              Variant("6291"));
    const auto applied = ApplyMigrations(*db, EmbeddedSchemaFiles(), true);
    EXPECT_FALSE(applied.empty());
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM ESTADO").rows[0].values[0], Variant(int64_t{27}));
    EXPECT_EQ(db->Query("SELECT COUNT(*) FROM MUNICIPIO").rows[0].values[0],
              Variant(int64_t{kMunicipalities}));
    EXPECT_EQ(db->Query("SELECT CDMUNICIPIO FROM FILIAL WHERE CDFILIAL = '0002'").rows[0].values[0],
              Variant("09502"));
}

} // namespace
} // namespace dfe::appserver
