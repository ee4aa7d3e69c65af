#include "appserver/intake/demo_nfe.h"
#include "appserver/intake/nfe_inbox.h"
#include "appserver/server/embedded_server.h"
#include "nfe_files.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "server_process.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dfe::appserver::testing {
namespace {

namespace fs = std::filesystem;

// A folder of its own per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("dfe_nfe_" + std::to_string(getpid()) + "_" + std::string(info ? info->name() : "pasta"));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& Path() const { return path_; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }

private:
    fs::path path_;
};

size_t Received(db::Database& db) {
    return static_cast<size_t>(db.Query("SELECT COUNT(*) FROM NFERECEBIDA").rows[0].values[0].AsInteger());
}

TEST(NfeInbox, MovesEachSettledFileToAcceptedOrRefusedWithItsReason) {
    TempDatabase temp;
    temp.OpenDemo();
    TempFolder inbox;
    inbox.Write("serra.xml", ReadBytes(DemoNfe("35_serra_azul_000012480.xml")));
    inbox.Write("cte.xml", ReadBytes(TestNfe("cte_57.xml")));
    inbox.Write("nota.pdf", "%PDF-1.4");
    std::ostringstream out;
    intake::NfeInbox watcher(
        inbox.Path(), [&temp] { return temp.Open(); }, out);

    EXPECT_EQ(watcher.Scan(), 0) << "a file is taken only once it has stopped changing";
    inbox.Write("nota.pdf", "%PDF-1.4 ainda sendo gravado");
    EXPECT_EQ(watcher.Scan(), 2);
    EXPECT_TRUE(fs::exists(inbox.Path() / "nota.pdf")) << "it changed since the last look";
    EXPECT_EQ(watcher.Scan(), 1);

    EXPECT_TRUE(fs::exists(inbox.Path() / "accepted" / "serra.xml"));
    EXPECT_TRUE(fs::exists(inbox.Path() / "refused" / "cte.xml"));
    EXPECT_EQ(ReadBytes(inbox.Path() / "refused" / "cte.xml.motivo.txt"),
              "não é uma NF-e: o elemento raiz é cteProc (http://www.portalfiscal.inf.br/cte)\n");
    EXPECT_NE(ReadBytes(inbox.Path() / "refused" / "nota.pdf.motivo.txt").find("XML malformado"),
              std::string::npos);
    const std::string lines = out.str();
    EXPECT_NE(lines.find("serra.xml: aceita 35261211222333000181550010000124801273645100 (filial 0001"),
              std::string::npos)
        << lines;
    EXPECT_NE(lines.find("cte.xml: recusada: não é uma NF-e"), std::string::npos) << lines;
    EXPECT_EQ(Received(*temp.Open()), 1u);

    // The same file again: stored once, and its copy in accepted/ keeps its name free.
    inbox.Write("serra.xml", ReadBytes(DemoNfe("35_serra_azul_000012480.xml")));
    watcher.Scan();
    EXPECT_EQ(watcher.Scan(), 1);
    EXPECT_TRUE(fs::exists(inbox.Path() / "accepted" / "serra.xml.1"));
    EXPECT_NE(out.str().find("serra.xml: já recebida"), std::string::npos);
    EXPECT_EQ(Received(*temp.Open()), 1u);
}

TEST(NfeInbox, ADatabaseFailureLeavesTheFileToBeTriedAgain) {
    TempDatabase temp;
    temp.OpenDemo();
    TempFolder inbox;
    inbox.Write("serra.xml", ReadBytes(DemoNfe("35_serra_azul_000012480.xml")));
    std::ostringstream out;
    bool down = true;
    intake::NfeInbox watcher(
        inbox.Path(),
        [&]() -> std::unique_ptr<db::Database> {
            if (down) throw db::DatabaseError("banco fora do ar");
            return temp.Open();
        },
        out);
    watcher.Scan();
    EXPECT_EQ(watcher.Scan(), 0);
    EXPECT_EQ(watcher.Scan(), 0);
    EXPECT_TRUE(fs::exists(inbox.Path() / "serra.xml"));
    EXPECT_EQ(out.str(), "serra.xml: não recebida agora (banco fora do ar); fica na caixa de entrada\n")
        << "told once, not at every look";
    down = false;
    EXPECT_EQ(watcher.Scan(), 1);
    EXPECT_TRUE(fs::exists(inbox.Path() / "accepted" / "serra.xml"));
}

TEST(NfeInbox, AFolderOnTheCommandLineStandsForItsFilesInNameOrder) {
    TempFolder folder;
    folder.Write("b.xml", "");
    folder.Write("a.xml", "");
    folder.Write(".oculto.xml", "");
    folder.Write("a.xml.motivo.txt", "");
    fs::create_directories(folder.Path() / "accepted");
    const auto files = intake::IntakeFilesOf({folder.Path().string(), "/outro/c.xml"});
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].filename(), "a.xml");
    EXPECT_EQ(files[1].filename(), "b.xml");
    EXPECT_EQ(files[2], "/outro/c.xml");
}

TEST(IntakeCommand, PrintsOneLinePerDocumentAndExitsThreeWhenOneWasRefused) {
    TempDatabase temp;
    temp.OpenDemo();
    TempFolder folder;
    folder.Write("1.xml", ReadBytes(DemoNfe("41_joao_silva_cpf_000000057.xml")));
    folder.Write("2.xml", "<NFe");
    auto [status, out] = RunServerProgram({"intake", "--db", temp.Path(), folder.Path().string()});
    EXPECT_EQ(status, 3) << out;
    EXPECT_NE(out.find("1.xml: aceita 41261200012345678909550010000000571192837465 (filial 0003"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("2.xml: recusada: XML malformado"), std::string::npos) << out;

    std::tie(status, out) =
        RunServerProgram({"intake", "--db", temp.Path(), (folder.Path() / "1.xml").string()});
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("1.xml: já recebida"), std::string::npos) << out;

    std::tie(status, out) =
        RunServerProgram({"call", "--db", temp.Path(), "Dfe11000.rdmLancNFEntrada", "GetNFeRecebida",
                          "41261200012345678909550010000000571192837465"});
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("\"NRINSJURNF\": \"12345678909\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"NRLOTEPRODXML\": \"G2612-09\""), std::string::npos) << out;
}

TEST(ServeInbox, TakesInFilesWhileServing) {
    TempDatabase temp;
    temp.OpenDemo();
    TempFolder inbox;
    ServerProcess server({"serve", "--db", temp.Path(), "--port", "0", "--inbox", inbox.Path().string()});
    ASSERT_GT(server.WaitListening(), 0);
    EXPECT_NE(server.ReadLine().find("caixa de entrada de NF-e"), std::string::npos);
    inbox.Write("moinho.xml", ReadBytes(DemoNfe("35_moinho_paulista_000000891.xml")));
    EXPECT_NE(server.ReadLine().find("moinho.xml: aceita 35261245678901000175550010000008911738495060"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(inbox.Path() / "accepted" / "moinho.xml"));
    server.Signal(SIGTERM);
    EXPECT_EQ(server.Wait(), 0);
}

class NfeMethods : public ::testing::Test {
protected:
    void SetUp() override {
        auto db = temp_.OpenDemo();
        StoreDemoNfe(*db);
        server_ = std::make_unique<EmbeddedServer>(std::move(db));
        lanc_.SetHost(std::string(net::kInProcessHost));
        lanc_.Connect();
    }
    TempDatabase temp_;
    std::unique_ptr<EmbeddedServer> server_;
    net::TNetConnection lanc_{net::kLancNFEntrada};
};

TEST_F(NfeMethods, ListTheReceivedDocumentsAndShowOneWithItsDetails) {
    const Packet every =
        FromDataPacket(net::CheckResultServ(lanc_.Call("ListaNFeRecebidas", net::CallArgs())).AsPacket());
    EXPECT_EQ(every.rows.size(), EmbeddedDemoNfeFiles().size());
    net::CallArgs campinas;
    campinas.Str("0002");
    const Packet atCampinas =
        FromDataPacket(net::CheckResultServ(lanc_.Call("ListaNFeRecebidas", campinas)).AsPacket());
    ASSERT_EQ(atCampinas.rows.size(), 1u);
    EXPECT_EQ(atCampinas.rows[0].values[static_cast<size_t>(atCampinas.FieldIndex("NRNOTAFISC"))].AsString(),
              "891");

    net::CallArgs key;
    key.Str("35261211222333000181550010000124801273645100");
    const Variant answer = net::CheckResultServ(lanc_.Call("GetNFeRecebida", key));
    const std::vector<Variant>& shown = answer.AsArray().Items();
    ASSERT_EQ(shown.size(), 8u);
    // Header, items, taxes (four groups of each item), lots, charges, installments, payments, volumes.
    const size_t counts[] = {1, 3, 12, 3, 1, 3, 1, 2};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(FromDataPacket(shown[i].AsPacket()).rows.size(), counts[i]) << "element " << i;

    net::CallArgs unknown;
    unknown.Str("35261211222333000181550010000124801273645199");
    lanc_.SetThrowException(true);
    EXPECT_THROW(lanc_.Call("GetNFeRecebida", unknown), net::ServerRefusal);
}

} // namespace
} // namespace dfe::appserver::testing
