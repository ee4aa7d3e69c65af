#include "platform/core/abort.h"
#include "platform/net/connection_names.h"
#include "platform/net/frame.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "platform/net/retry_policy.h"
#include "platform/net/rpc_codec.h"
#include "platform/net/socket.h"
#include "server_process.h"
#include "temp_database.h"

#include <gtest/gtest.h>

#include <thread>

namespace dfe::appserver {
namespace {

using testing::RunServerProgram;
using testing::ServerProcess;

// init, then serve on a free loopback port.
class ServerProgram : public ::testing::Test {
protected:
    void SetUp() override {
        const auto [status, out] = RunServerProgram({"init", "--db", db_.Path()});
        ASSERT_EQ(status, 0) << out;
        StartServer();
    }
    void StartServer(int port = 0) {
        server_ = std::make_unique<ServerProcess>(
            std::vector<std::string>{"serve", "--db", db_.Path(), "--port", std::to_string(port)});
        port_ = server_->WaitListening();
        ASSERT_GT(port_, 0);
    }
    net::Socket Connect() { return net::Socket::ConnectTcp("127.0.0.1", port_, std::chrono::seconds(5)); }
    net::RpcResponse Exchange(net::Socket& s, std::string_view bytes) {
        s.SendAll(bytes);
        auto payload = net::ReadFrame(s, net::kDefaultMaxFrameSize);
        if (!payload) throw net::ConnectionError("sem resposta");
        return net::DecodeResponse(*payload);
    }
    static std::string CallFrame(std::string method, std::string arg = "0001") {
        net::RpcRequest r;
        r.connection = net::kDocFiscEntrada;
        r.method = std::move(method);
        r.args = {{net::ArgType::String, true, Variant(std::move(arg))}};
        return net::EncodeFrame(net::EncodeRequest(r));
    }

    testing::TempDatabase db_;
    std::unique_ptr<ServerProcess> server_;
    int port_ = 0;
};

TEST_F(ServerProgram, CallPrintsTheBranchParametersAsJson) {
    const auto [status, out] = RunServerProgram(
        {"call", "--port", std::to_string(port_), "Dfe00000.rdmDocFiscEntrada", "GetParamDFE", "0002"});
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("\"CDFILIAL\": \"0002\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"IDTPLANCDESC\": \"P\""), std::string::npos) << out;

    const auto embedded =
        RunServerProgram({"call", "--db", db_.Path(), net::kLancNFEntrada, "GetImpFili", "0001"});
    EXPECT_EQ(embedded.first, 0);
    EXPECT_NE(embedded.second.find("\"CDGRUPOFISC\": \"SP1\""), std::string::npos) << embedded.second;
}

TEST_F(ServerProgram, UnknownMethodsAndConnectionsAreClearErrors) {
    const auto method =
        RunServerProgram({"call", "--port", std::to_string(port_), net::kDocFiscEntrada, "NaoExiste"});
    EXPECT_EQ(method.first, 3);
    const auto module =
        RunServerProgram({"call", "--port", std::to_string(port_), "Xyz.rdmNada", "GetParamDFE"});
    EXPECT_EQ(module.first, 3);
    const auto usage = RunServerProgram({"call"});
    EXPECT_EQ(usage.first, 2);
}

TEST_F(ServerProgram, MalformedTruncatedAndOversizedFramesGetAnErrorAndTheServerStaysUp) {
    const std::string good = CallFrame("GetParamDFE");
    std::string oversized = good.substr(0, 4);
    oversized += std::string("\xFF\xFF\xFF\x7F", 4); // claims ~2 GiB
    std::string badPayload = net::EncodeFrame("\x01not a request");
    const std::string cases[] = {"HTTP/1.1 GET /\r\n\r\n", oversized, badPayload};
    for (const std::string& bytes : cases) {
        net::Socket s = Connect();
        const net::RpcResponse r = Exchange(s, bytes);
        EXPECT_EQ(r.status, net::RpcStatus::ProtocolError);
        EXPECT_FALSE(r.message.empty());
    }
    {
        // A frame cut short: the client goes away in the middle; the server must not care.
        net::Socket s = Connect();
        s.SendAll(good.substr(0, good.size() / 2));
    }
    net::Socket s = Connect();
    EXPECT_EQ(Exchange(s, good).status, net::RpcStatus::Ok);
    EXPECT_EQ(Exchange(s, good).status, net::RpcStatus::Ok); // the connection serves many calls
}

TEST_F(ServerProgram, ServesManyClientsAtOnce) {
    constexpr int kClients = 8;
    std::vector<std::thread> threads;
    std::atomic<int> ok{0};
    for (int i = 0; i < kClients; ++i) {
        threads.emplace_back([&] {
            try {
                net::Socket s = Connect();
                for (int call = 0; call < 20; ++call) {
                    if (Exchange(s, CallFrame("GetParamDFE")).status == net::RpcStatus::Ok) ++ok;
                }
            } catch (const std::exception&) {
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(ok, kClients * 20);
}

TEST_F(ServerProgram, AServerKilledMidCallFailsTheCallAndTheRetryPolicyRecoversAfterARestart) {
    net::TNetConnection connection(net::kDocFiscEntrada);
    connection.SetHost("127.0.0.1");
    connection.SetPort(port_);
    connection.Connect();
    server_->Signal(SIGSTOP); // the request is sent, the server never answers it
    std::thread killer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        server_->Signal(SIGKILL);
    });
    EXPECT_THROW(connection.Call("GetParamDFE", net::CallArgs().Str("0001")), net::ConnectionError);
    killer.join();
    server_->Wait();

    // The server comes back on the same port; the next sequence reconnects silently and succeeds.
    StartServer(port_);
    int questions = 0;
    Variant answer;
    net::RunWithRetry(
        connection, [&] { answer = connection.Call("GetParamDFE", net::CallArgs().Str("0001")); },
        net::RetryHooks{[&](const std::string&) { return ++questions < 3; }, nullptr});
    EXPECT_TRUE(answer.IsPacket());
    EXPECT_EQ(questions, 0);
}

} // namespace
} // namespace dfe::appserver

namespace dfe::appserver {
namespace {

TEST_F(ServerProgram, SigtermEndsCleanlyWhileClientsAreConnected) {
    net::Socket idle = Connect();
    net::Socket active = Connect();
    EXPECT_EQ(Exchange(active, CallFrame("GetParamDFE")).status, net::RpcStatus::Ok);
    server_->Signal(SIGTERM);
    EXPECT_EQ(server_->ReadLine(), "dfe-server: encerrado");
    EXPECT_EQ(server_->Wait(), 0);
    // Nothing was left half-written: the database opens and checks clean.
    auto db = db_.Open();
    EXPECT_EQ(db->Query("PRAGMA integrity_check").rows[0].values[0], Variant("ok"));
}

// The password goes in through the standard input, never the command line; the method then accepts it.
TEST(ReleasePasswordCommand, SetsThePasswordAndTheBranchesTheMethodThenAccepts) {
    testing::TempDatabase db;
    ASSERT_EQ(RunServerProgram({"init", "--db", db.Path()}).first, 0);
    const std::string input = "segredo novo\n";
    const auto [status, out] = RunServerProgram(
        {"release-password", "--db", db.Path(), "--operator", "rlima", "--branch", "0002"}, &input);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("operador RLIMA"), std::string::npos) << out;
    EXPECT_EQ(out.find("segredo"), std::string::npos) << out;
    auto confirm = [&](const char* password, const char* branch) {
        return RunServerProgram({"call", "--db", db.Path(), net::kAutoriza, "ConfSenhaLiberacao", "RLIMA",
                                 password, branch, "0000000002"})
            .second;
    };
    EXPECT_NE(confirm("segredo novo", "0002").find("\"S\""), std::string::npos);
    EXPECT_NE(confirm("segredo novo", "0001").find("não autorizado"), std::string::npos);
    EXPECT_NE(confirm("segredo", "0002").find("Senha de liberação inválida."), std::string::npos);

    const std::string empty = "\n", none;
    const struct {
        std::vector<std::string> args;
        const std::string* input;
        int status;
    } refused[] = {
        {{"release-password", "--db", db.Path(), "--operator", "RLIMA"}, &empty, 1},
        {{"release-password", "--db", db.Path(), "--operator", "RLIMA"}, &none, 1},
        {{"release-password", "--db", db.Path(), "--operator", "NINGUEM"}, &input, 1},
        {{"release-password", "--db", db.Path(), "--operator", "RLIMA", "--branch", "0009"}, &input, 1},
        {{"release-password", "--db", db.Path()}, &input, 2},
    };
    for (const auto& r : refused)
        EXPECT_EQ(RunServerProgram(r.args, r.input).first, r.status) << r.args.back();
    // The refused attempts changed nothing.
    EXPECT_NE(confirm("segredo novo", "0002").find("\"S\""), std::string::npos);
}

} // namespace
} // namespace dfe::appserver
