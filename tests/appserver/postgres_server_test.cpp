#include "appserver/schema/schema_migrator.h"
#include "appserver/server/embedded_server.h"
#include "platform/db/postgres_cluster.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/origin_calls.h"
#include "platform/net/posting_calls.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <algorithm>

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

    // The release password's failure count and wait are kept in PostgreSQL too.
    net::TNetConnection autoriza(net::kAutoriza);
    autoriza.SetHost(std::string(net::kInProcessHost));
    autoriza.Connect();
    auto release = [&](const char* password) {
        return net::CheckResultServ(
                   autoriza.Call("ConfSenhaLiberacao",
                                 net::CallArgs().Str("GERENTE").Str(password).Str("0002").Str("0000000001")))
            .AsArray();
    };
    EXPECT_EQ(release("Libera#2026")[0], Variant("S"));
    for (const char* wrong : {"a", "b"})
        EXPECT_EQ(release(wrong)[1], Variant("Senha de liberação inválida.")) << wrong;
    EXPECT_NE(release("c")[1].AsString().find("Aguarde 30 segundos"), std::string::npos);
    EXPECT_NE(release("Libera#2026")[1].AsString().find("Aguarde"), std::string::npos);
}

// An answer's whole content as text, packets included.
std::string Deep(const Variant& v) {
    if (v.IsArray()) {
        std::string out = "[";
        for (const Variant& item : v.AsArray().Items())
            out += Deep(item) + "; ";
        return out + "]";
    }
    if (!v.IsPacket()) return DescribeVariant(v);
    const Packet p = FromDataPacket(v.AsPacket());
    std::string out = "{";
    for (const FieldDef& f : p.fields)
        out += f.name + ":" + FieldTypeName(f.type) + std::to_string(f.size) + " ";
    for (const PacketRow& row : p.rows) {
        out += "\n";
        for (const Variant& value : row.values)
            out += DescribeVariant(value) + "|";
    }
    return out + "}";
}

// The posting methods answer PostgreSQL's demo postings exactly as SQLite's: the same rows, values and
// layouts.
TEST_F(PostgresServer, PostingMethodsAnswerAsOnSqlite) {
    const std::string target = cluster_->NewDatabase();
    ApplyMigrations(*db::OpenDatabase(target), EmbeddedSchemaFiles(), true);
    testing::TempDatabase sqliteFile;
    auto sqlite = sqliteFile.Open();
    ApplyMigrations(*sqlite, EmbeddedSchemaFiles(), true);
    EmbeddedServer pgServer(db::OpenDatabase(target));
    net::TNetConnection pg(net::kLancNFEntrada);
    pg.SetHost(std::string(net::kInProcessHost));
    pg.Connect();
    const auto onPostgres = [&](const std::string& method, net::CallArgs args) {
        return pg.Call(method, args);
    };
    const auto calls = [](auto call) {
        std::vector<Variant> answers;
        std::string branch = "0001", series = "1,2,U", none, kind = "F", all = "";
        DateTime from = DateTime::FromDate(2026, 12, 3), to = DateTime::FromDate(2026, 12, 10), empty;
        answers.push_back(call("GetRomaneioNF", net::CallArgs()
                                                    .StrRef(branch)
                                                    .StrRef(series)
                                                    .StrRef(none)
                                                    .StrRef(none)
                                                    .StrRef(none)
                                                    .DateRef(from)
                                                    .DateRef(to)
                                                    .DateRef(empty)
                                                    .DateRef(to)
                                                    .StrRef(kind)
                                                    .StrRef(all)
                                                    .StrRef(none)));
        for (const char* number : {"0000000001", "0000000003", "0000000007"}) {
            std::string tpOper = "N", state = "BROWSE";
            answers.push_back(call("GetNFDadosGerais", net::CallArgs()
                                                           .Str("0001")
                                                           .Str(number)
                                                           .Str("")
                                                           .Str("")
                                                           .Str("")
                                                           .StrRef(tpOper)
                                                           .Var(Variant("N"))
                                                           .Var(Variant("N"))
                                                           .Str("F")
                                                           .Var(Variant("N"))
                                                           .StrRef(state)
                                                           .StrRef(none)));
        }
        std::string list = "0001 - 0000000091_0001 - 0000000092_";
        answers.push_back(call("GetItemNFOrigem", net::CallArgs().StrRef(list).StrRef(none).StrRef(none)));
        answers.push_back(call("GetCountNFOrig", net::CallArgs().Str("0001").Str("0000000007")));
        answers.push_back(call("GetListServProd", net::CallArgs()));
        answers.push_back(call("GetModDoc", net::CallArgs().Str("").Str("17").Str("T")));
        answers.push_back(call("GetModDoc", net::CallArgs().Str("").Str("").Str("")));
        answers.push_back(call("GetQualifForn", net::CallArgs()
                                                    .Str("0001")
                                                    .Str("J45678901000175")
                                                    .Date(DateTime::FromDateTime(2026, 12, 31, 18, 30, 0))));
        answers.push_back(call("VerifFornEDI", net::CallArgs().Str("7Q4RT2X5000132")));
        answers.push_back(call("GetModFiscEle", net::CallArgs().Str("").Str("T").Str("S").Str("17")));
        answers.push_back(call("GetNrForn", net::ToCallArgs(net::GetNrFornArgs{.supplier = "J45678901000175",
                                                                               .series = "2",
                                                                               .number = "877",
                                                                               .scope = "N",
                                                                               .postingBranch = "0001",
                                                                               .postingNumber = "0000000002",
                                                                               .newPosting = false,
                                                                               .model = "01"})));
        answers.push_back(call(net::kGetNrFilial, net::ToCallArgs(net::DuplicateNumberArgs{
                                                      "0001", "1", "000045001", "T", "", "", true, "0003"})));
        answers.push_back(
            call("getVdCAcesso",
                 net::CallArgs().Str("33261267890123000116550020000780021317800217").Str("00010000000008")));
        answers.push_back(call("GetManifestacao", net::CallArgs()
                                                      .Str("01")
                                                      .Str("110042490114")
                                                      .Str("1")
                                                      .Str("")
                                                      .Str("35261211222333000181550010000124701516273842")));
        answers.push_back(call("Verif_Liberacao", net::CallArgs()
                                                      .Str("0003")
                                                      .Date(DateTime::FromDateTime(2026, 12, 8, 15, 0, 0))
                                                      .Str("0003")
                                                      .Str("0000000002")));
        answers.push_back(call("GetIBGE", net::CallArgs()));
        net::GetNFOrigemArgs incoming{"12345", "", "1", "", "0001", {"J", "11222333000181", ""}};
        answers.push_back(call(incoming.kMethod, net::ToCallArgs(incoming)));
        net::GetNFOrigSaidArgs sales{
            "0001", {"F", "98765432100", "T"}, "", "L", "", "_S_51_", "07", Variant("S"), Variant("N"), "T",
            "T"};
        answers.push_back(call(sales.kMethod, net::ToCallArgs(sales)));
        net::GetNFOrigListaArgs candidates{"0001", {"T", "T", "T"}, "51;52", "", "07", Variant("S")};
        answers.push_back(call(candidates.kMethod, net::ToCallArgs(candidates)));
        answers.push_back(call("GetDevolucao", net::CallArgs().Str("0002").Str("0000000008")));
        std::string returnBranch = "0002", returnNumber = "0000000010", orig = "N", tpOper = "S";
        answers.push_back(call("GetItemProduto", net::CallArgs()
                                                     .StrRef(returnBranch)
                                                     .StrRef(returnNumber)
                                                     .StrRef(orig)
                                                     .StrRef(tpOper)
                                                     .Var(Variant("N"))
                                                     .Var(Variant("N"))));
        for (int run = 0; run < 2; ++run)
            answers.push_back(call("AtualizaQtdDevol", net::CallArgs().Str("0001").Str("0000000007")));
        answers.push_back(call(sales.kMethod, net::ToCallArgs(sales)));
        for (const char* relatedKind : {"04", "10"}) {
            net::GetItemNFArgs related{"0002", relatedKind, {"", "", ""}, "", "T"};
            answers.push_back(call(related.kMethod, net::ToCallArgs(related)));
        }
        answers.push_back(call("GetValidCntPagar", net::CallArgs().Str("0002").Str("0000000025")));
        answers.push_back(call("GetValidItNF", net::CallArgs().Str("0002").Str("0000000024")));
        answers.push_back(call("GetVdLote", net::CallArgs().Str("0001")));
        return answers;
    };
    const std::vector<Variant> fromPostgres = calls(onPostgres);
    pg.Disconnect();
    EmbeddedServer sqliteServer(std::move(sqlite));
    net::TNetConnection lite(net::kLancNFEntrada);
    lite.SetHost(std::string(net::kInProcessHost));
    lite.Connect();
    const std::vector<Variant> fromSqlite =
        calls([&](const std::string& method, net::CallArgs args) { return lite.Call(method, args); });
    ASSERT_EQ(fromPostgres.size(), fromSqlite.size());
    EXPECT_EQ(FromDataPacket(net::CheckResultServ(fromSqlite[0]).AsPacket()).rows.size(), 7u);
    EXPECT_EQ(fromSqlite[3].AsArray()[0], Variant("S"));
    EXPECT_EQ(FromDataPacket(net::CheckResultServ(fromSqlite[7]).AsPacket()).rows.size(), 2u);
    EXPECT_EQ(FromDataPacket(net::CheckResultServ(fromSqlite[9]).AsPacket()).rows.size(), 1u);
    EXPECT_EQ(fromSqlite[10], Variant("S"));
    for (size_t i : {12u, 13u, 14u, 16u})
        EXPECT_FALSE(FromDataPacket(net::CheckResultServ(fromSqlite[i]).AsPacket()).rows.empty()) << i;
    EXPECT_EQ(fromSqlite[15], Variant("3"));
    // The whole municipality table, accents and apostrophes as the IBGE writes them.
    const Packet towns = FromDataPacket(net::CheckResultServ(fromPostgres[17]).AsPacket());
    EXPECT_EQ(towns.rows.size(), 5571u);
    const auto named = [&](const char* code, const char* name) {
        return std::any_of(towns.rows.begin(), towns.rows.end(), [&](const PacketRow& r) {
            return r.values[0] == Variant(code) && r.values[1] == Variant(name);
        });
    };
    EXPECT_TRUE(named("3550308", "São Paulo"));
    EXPECT_TRUE(named("1100015", "Alta Floresta D'Oeste"));
    // The origin searches, the return's read-back and the returned quantities' update, twice.
    const auto rows = [&](size_t i) {
        return FromDataPacket(net::CheckResultServ(fromPostgres[i]).AsPacket());
    };
    EXPECT_EQ(rows(18).rows.size(), 1u);
    EXPECT_EQ(rows(19).rows.size(), 2u);
    EXPECT_EQ(rows(19).rows[0].values[static_cast<size_t>(rows(19).FieldIndex("VALORNF"))], Variant("74,82"));
    EXPECT_EQ(rows(20).rows.size(), 6u);
    EXPECT_EQ(rows(21).rows.size(), 1u);
    EXPECT_EQ(rows(22).rows[0].values[static_cast<size_t>(rows(22).FieldIndex("QTITEMORIG"))],
              Variant(100.0));
    EXPECT_EQ(fromPostgres[23], Variant::Array({"OK", ""}));
    EXPECT_EQ(fromPostgres[24], Variant::Array({"OK", ""}));
    EXPECT_EQ(Deep(fromPostgres[25]), Deep(fromPostgres[19]));
    // The related documents: two deliveries and two entries without invoice waiting, one with payables.
    for (size_t i : {26u, 27u, 28u})
        EXPECT_EQ(rows(i).rows.size(), i == 28u ? 1u : 2u) << i;
    EXPECT_EQ(rows(29).rows.size(), 1u);
    EXPECT_EQ(rows(30).rows.size(), 1u);
    for (size_t i = 0; i < fromSqlite.size(); ++i) {
        EXPECT_EQ(Deep(fromPostgres[i]), Deep(fromSqlite[i])) << i;
    }
}

// The catalogue's and the item rules' questions answer PostgreSQL's demo as SQLite's.
TEST_F(PostgresServer, CatalogueAndItemMethodsAnswerAsOnSqlite) {
    const std::string target = cluster_->NewDatabase();
    ApplyMigrations(*db::OpenDatabase(target), EmbeddedSchemaFiles(), true);
    testing::TempDatabase sqliteFile;
    auto sqlite = sqliteFile.Open();
    ApplyMigrations(*sqlite, EmbeddedSchemaFiles(), true);
    const auto answers = [](std::unique_ptr<db::Database> db) {
        EmbeddedServer server(std::move(db));
        net::TNetConnection lanc(net::kLancNFEntrada), stock(net::kEstoque);
        for (auto* c : {&lanc, &stock}) {
            c->SetHost(std::string(net::kInProcessHost));
            c->Connect();
        }
        std::string origins = "_0001 - 0000000091_0001 - 0000000092_";
        return std::vector<Variant>{
            lanc.Call("GetProdFili", net::CallArgs().Str("0003").Str("0000000101")),
            lanc.Call("GetDadosLoteXML",
                      net::CallArgs().Str("35261211222333000181550010000123451123456781").Str("0001")),
            lanc.Call("GetProdRelacServ", net::CallArgs().Str("14.01")),
            lanc.Call("Utiliza_ControleFiscal", net::CallArgs().Str("0001")),
            lanc.Call("GetVerifAfPiloto", net::CallArgs().Str("0001").Str("0000000006")),
            lanc.Call("GetNrSeqItProd",
                      net::CallArgs().Str("0003").Str("0000000005").Str("0000000202").Str("2,9")),
            lanc.Call("GetVd_QuantDev", net::CallArgs()
                                            .Str("0001")
                                            .Str("")
                                            .Str("2.01.001")
                                            .Var(Variant(7.9))
                                            .StrRef(origins)
                                            .Str("")
                                            .Str("")),
            lanc.Call("GetCustoCmpProd", net::CallArgs().Str("0003").Str("0000001146")),
            lanc.Call("GetVerifNFImpAF", net::CallArgs().Str("0001").Str("0000000006")),
            lanc.Call("GetVerifEtiq", net::CallArgs().Str("0003").Str("0000000005")),
            lanc.Call("GetProdAudit", net::CallArgs().Str("0003").Str("0000000005").Str("0002")),
            stock.Call("GetProdFiliNFE", net::CallArgs().Str("0001").Str("0000000301")),
            stock.Call("Produto_Ctrl_Estoque", net::CallArgs().Str("0001").Str("0000001234")),
            stock.Call("Utiliza_LocalEstoque", net::CallArgs().Str("0004")),
            stock.Call("Utiliza_Almoxarifado", net::CallArgs().Str("0001")),
        };
    };
    const std::vector<Variant> fromPostgres = answers(db::OpenDatabase(target));
    const std::vector<Variant> fromSqlite = answers(std::move(sqlite));
    ASSERT_EQ(fromPostgres.size(), fromSqlite.size());
    for (size_t i = 0; i < fromSqlite.size(); ++i) {
        EXPECT_EQ(Deep(fromPostgres[i]), Deep(fromSqlite[i])) << i;
        EXPECT_NO_THROW(net::CheckResultServ(fromPostgres[i])) << i;
    }
}

} // namespace
} // namespace dfe::appserver
