#include "platform/core/abort.h"
#include "platform/net/net_errors.h"
#include "platform/net/retry_policy.h"
#include "platform/net/tcp_transport.h"
#include "scripted_server.h"

#include <gtest/gtest.h>

namespace dfe::net {
namespace {

using testing::ScriptedServer;

// The retry policy against a real server that drops the first `drops` connections' calls.
class RetryPolicyTest : public ::testing::Test {
protected:
    void Start(int drops) {
        server_ = std::make_unique<ScriptedServer>([drops](int call, const RpcRequest&) {
            return call <= drops ? ScriptedServer::Drop() : ScriptedServer::Answer(Variant("ok"));
        });
        connection_.SetHost("127.0.0.1");
        connection_.SetPort(server_->Port());
        connection_.Reconnect();
    }
    void Run() {
        RunWithRetry(
            connection_, [this] { answer_ = connection_.Call("GetParamDFE", CallArgs().Str("0001")); },
            RetryHooks{[this](const std::string& q) {
                           questions_.push_back(q);
                           const bool yes = answers_.empty() ? false : answers_.front();
                           if (!answers_.empty()) answers_.erase(answers_.begin());
                           return yes;
                       },
                       [this](bool shown) { busy_ += shown ? 1 : -1; }});
    }

    std::unique_ptr<ScriptedServer> server_;
    TNetConnection connection_{"Dfe00000.rdmDocFiscEntrada"};
    std::vector<std::string> questions_;
    std::vector<bool> answers_;
    Variant answer_;
    int busy_ = 0;
};

TEST_F(RetryPolicyTest, TheSilentRetriesAskNothing) {
    for (int drops : {0, 2, kSilentRetries}) {
        SCOPED_TRACE(drops);
        questions_.clear();
        Start(drops);
        Run();
        EXPECT_EQ(answer_, Variant("ok"));
        EXPECT_TRUE(questions_.empty());
        EXPECT_EQ(server_->Calls(), drops + 1);
        EXPECT_EQ(busy_, 0);
    }
}

TEST_F(RetryPolicyTest, TheNextFailureAsksAndNaoAbandonsSilently) {
    Start(100);
    answers_ = {false};
    EXPECT_THROW(Run(), Abort);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(server_->Calls(), kSilentRetries + 1);
    EXPECT_TRUE(questions_[0].starts_with("Ocorreu um erro na conexão com o servidor:\n\nErro: "));
    EXPECT_TRUE(questions_[0].ends_with("\n\nDeseja reestabelecer essa conexão?"));
}

TEST_F(RetryPolicyTest, SimRetriesAndEveryFurtherFailureAsksAgain) {
    Start(kSilentRetries + 3);
    answers_ = {true, true, true};
    Run();
    EXPECT_EQ(answer_, Variant("ok"));
    EXPECT_EQ(questions_.size(), 3u);
    EXPECT_EQ(server_->Calls(), kSilentRetries + 4);
}

TEST_F(RetryPolicyTest, EveryAttemptRepeatsTheSameRequestToken) {
    Start(2);
    Run();
    const auto requests = server_->Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].token, requests[1].token);
    EXPECT_EQ(requests[1].token, requests[2].token);

    answer_ = connection_.Call("GetParamDFE", CallArgs().Str("0001"));
    EXPECT_NE(server_->Requests().back().token, requests[0].token);
}

TEST(RetryPolicy, ARefusalIsNotRetriedNorAskedAbout) {
    int calls = 0;
    ScriptedServer server([&](int, const RpcRequest&) {
        ++calls;
        ScriptedServer::Action a;
        a.response.status = RpcStatus::Refused;
        a.response.message = "Filial inexistente";
        return a;
    });
    TNetConnection connection("Dfe00000.rdmDocFiscEntrada");
    connection.SetThrowException(true);
    connection.SetHost("127.0.0.1");
    connection.SetPort(server.Port());
    connection.Connect();
    bool asked = false;
    EXPECT_THROW(RunWithRetry(
                     connection, [&] { connection.Call("GetParamDFE"); },
                     RetryHooks{[&](const std::string&) { return asked = true; }, nullptr}),
                 ServerRefusal);
    EXPECT_FALSE(asked);
    EXPECT_EQ(calls, 1);
}

TEST(RetryPolicy, AnUnreachableServerIsRetriedThenAsked) {
    // A port that was just free: nothing listens there.
    int port;
    {
        Socket probe = Socket::ListenTcp("127.0.0.1", 0);
        port = probe.LocalPort();
    }
    TNetConnection connection("Dfe00000.rdmDocFiscEntrada");
    connection.SetHost("127.0.0.1");
    connection.SetPort(port);
    int attempts = 0;
    int questions = 0;
    EXPECT_THROW(RunWithRetry(
                     connection,
                     [&] {
                         ++attempts;
                         connection.Call("GetParamDFE");
                     },
                     RetryHooks{[&](const std::string&) {
                                    ++questions;
                                    return false;
                                },
                                nullptr}),
                 Abort);
    EXPECT_EQ(attempts, kSilentRetries + 1);
    EXPECT_EQ(questions, 1);
}

} // namespace
} // namespace dfe::net

namespace dfe::net {
namespace {

TEST(RetryPolicy, EveryConnectionOfTheSequenceIsReconnected) {
    // The document parameters and the branch's fiscal groups come from two modules; a drop on the second must
    // not leave it closed for the repetition.
    ScriptedServer docs([](int, const RpcRequest&) { return ScriptedServer::Answer(Variant("dfe")); });
    ScriptedServer lanc([](int call, const RpcRequest&) {
        return call == 1 ? ScriptedServer::Drop() : ScriptedServer::Answer(Variant("fili"));
    });
    TNetConnection docFisc("Dfe00000.rdmDocFiscEntrada"), lancNF("Dfe11000.rdmLancNFEntrada");
    for (auto [c, s] : {std::pair{&docFisc, &docs}, std::pair{&lancNF, &lanc}}) {
        c->SetHost("127.0.0.1");
        c->SetPort(s->Port());
        c->Connect();
    }
    Variant a, b;
    RunWithRetry(
        {&docFisc, &lancNF},
        [&] {
            a = docFisc.Call("GetParamDFE");
            b = lancNF.Call("GetImpFili");
        },
        RetryHooks{[](const std::string&) { return false; }, nullptr});
    EXPECT_EQ(a, Variant("dfe"));
    EXPECT_EQ(b, Variant("fili"));
    EXPECT_EQ(docs.Calls(), 2);
}

} // namespace
} // namespace dfe::net
