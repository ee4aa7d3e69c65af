#include "appserver/rpc/answer_log.h"
#include "appserver/rpc/dispatcher.h"
#include "platform/net/frame.h"
#include "platform/net/rpc_codec.h"
#include "temp_database.h"

#include <gtest/gtest.h>

namespace dfe::appserver {
namespace {

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = temp_.Open();
        db_->ExecuteScript("CREATE TABLE RPC_RESPOSTA (TOKEN VARCHAR(32) PRIMARY KEY, CDCONEXAO VARCHAR(60),"
                           " NMMETODO VARCHAR(60), DSRESPOSTA TEXT, DTREGISTRO TIMESTAMP);"
                           "CREATE TABLE LANC (NR INTEGER)");
        registry_.Add("Teste.rdm", "Eco", MethodKind::Read, [](MethodContext& c) {
            c.SetArg(0, c.Text(0) + "!");
            return Variant(c.Text(0));
        });
        registry_.Add("Teste.rdm", "Lanca", MethodKind::Write, [this](MethodContext& c) {
            ++writes_;
            c.Db().Execute("INSERT INTO LANC (NR) VALUES (:P_NR)", {{"P_NR", c.Arg(0)}});
            return Variant(c.Db().Query("SELECT COUNT(*) FROM LANC").rows[0].values[0]);
        });
        registry_.Add("Teste.rdm", "Trabalho", MethodKind::WorkWrite, [](MethodContext& c) {
            c.Db().Execute("INSERT INTO LANC (NR) VALUES (:P_NR)", {{"P_NR", c.Arg(0)}});
            return Variant(c.Db().Query("PRAGMA synchronous").rows[0].values[0]);
        });
        registry_.Add("Teste.rdm", "Recusa", MethodKind::Write, [](MethodContext& c) -> Variant {
            c.Db().Execute("INSERT INTO LANC (NR) VALUES (99)");
            throw MethodRefusal("Lançamento bloqueado");
        });
    }

    net::RpcRequest Request(std::string method, std::vector<net::RpcArg> args = {}, uint8_t token = 1) {
        net::RpcRequest r;
        r.token[0] = token;
        r.connection = "teste.RDM";
        r.method = std::move(method);
        r.args = std::move(args);
        return r;
    }
    int64_t Rows() { return db_->Query("SELECT COUNT(*) FROM LANC").rows[0].values[0].AsInteger(); }

    testing::TempDatabase temp_;
    std::unique_ptr<db::SqliteDatabase> db_;
    MethodRegistry registry_;
    Dispatcher dispatcher_{registry_};
    int writes_ = 0;
};

TEST_F(DispatcherTest, FindsMethodsWithoutCaseAndReturnsByReferenceArguments) {
    const auto r = dispatcher_.Dispatch(Request("ECO", {{net::ArgType::String, true, Variant("0001")},
                                                        {net::ArgType::String, false, Variant("x")}}),
                                        *db_);
    ASSERT_EQ(r.status, net::RpcStatus::Ok);
    EXPECT_EQ(r.result, Variant("0001!"));
    ASSERT_EQ(r.refs.size(), 1u);
    EXPECT_EQ(r.refs[0].index, 0);
    EXPECT_EQ(r.refs[0].value, Variant("0001!"));
}

TEST_F(DispatcherTest, UnknownModulesMethodsAndMissingArgumentsAreClearRefusals) {
    struct Case {
        net::RpcRequest request;
        std::string message;
    };
    net::RpcRequest otherModule = Request("Eco");
    otherModule.connection = "Nada.rdm";
    const Case cases[] = {
        {otherModule, "Módulo remoto desconhecido: Nada.rdm"},
        {Request("Sumir"), "Método desconhecido: teste.RDM.Sumir"},
        {Request("Eco"), "O método Eco espera 1 argumento(s) e recebeu 0"},
    };
    for (const Case& c : cases) {
        const auto r = dispatcher_.Dispatch(c.request, *db_);
        EXPECT_EQ(r.status, net::RpcStatus::Refused);
        EXPECT_EQ(r.message, c.message);
    }
}

TEST_F(DispatcherTest, ARepeatedWriteIsAnsweredFromTheLogNotDoneTwice) {
    const auto first =
        dispatcher_.Dispatch(Request("Lanca", {{net::ArgType::Integer, false, Variant(7)}}, 5), *db_);
    const auto again =
        dispatcher_.Dispatch(Request("Lanca", {{net::ArgType::Integer, false, Variant(7)}}, 5), *db_);
    EXPECT_EQ(first, again);
    EXPECT_EQ(writes_, 1);
    EXPECT_EQ(Rows(), 1);
    const auto other =
        dispatcher_.Dispatch(Request("Lanca", {{net::ArgType::Integer, false, Variant(8)}}, 6), *db_);
    EXPECT_EQ(other.result, Variant(int64_t{2}));
}

// A work write commits without waiting for the disk (synchronous NORMAL, 1) and leaves the connection
// durable again (FULL, 2) for the next write.
TEST_F(DispatcherTest, AWorkWriteCommitsWithoutWaitingForTheDiskAndOnlyItself) {
    const auto work =
        dispatcher_.Dispatch(Request("Trabalho", {{net::ArgType::Integer, false, Variant(3)}}, 40), *db_);
    ASSERT_EQ(work.status, net::RpcStatus::Ok) << work.message;
    EXPECT_EQ(work.result, Variant(int64_t{1}));
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(db_->Query("PRAGMA synchronous").rows[0].values[0], Variant(int64_t{2}));
}

TEST_F(DispatcherTest, OldAnswersArePurgedRecentOnesKept) {
    dispatcher_.Dispatch(Request("Lanca", {{net::ArgType::Integer, false, Variant(1)}}, 20), *db_);
    db_->Execute("INSERT INTO RPC_RESPOSTA VALUES ('velho', 'Teste.rdm', 'Lanca', '00', :P_DATA)",
                 {{"P_DATA", DateTime::Now().AddDays(-30)}});
    EXPECT_EQ(PurgeOldAnswers(*db_), 1);
    EXPECT_EQ(db_->Query("SELECT COUNT(*) FROM RPC_RESPOSTA").rows[0].values[0].AsInteger(), 1);
}

TEST_F(DispatcherTest, ARefusedWriteKeepsNothing) {
    const auto r = dispatcher_.Dispatch(Request("Recusa", {}, 9), *db_);
    EXPECT_EQ(r.status, net::RpcStatus::Refused);
    EXPECT_EQ(r.message, "Lançamento bloqueado");
    EXPECT_EQ(Rows(), 0);
    EXPECT_FALSE(db_->InTransaction());
}

TEST_F(DispatcherTest, MalformedFramesGetAProtocolErrorAnswer) {
    const std::string good = net::EncodeRequest(Request("Eco", {{net::ArgType::String, true, Variant("a")}}));
    const std::string cases[] = {
        "",
        "XYZ\x01\x00\x00\x00\x00",
        net::EncodeFrame(good).substr(0, 12),
        net::EncodeFrame(good.substr(0, good.size() - 1)),
        net::EncodeFrame("\x02garbage"),
    };
    for (const std::string& frame : cases) {
        const auto answer = net::DecodeResponse(net::UnwrapFrame(dispatcher_.HandleFrame(frame, *db_)));
        EXPECT_EQ(answer.status, net::RpcStatus::ProtocolError) << frame.size();
        EXPECT_FALSE(answer.message.empty());
    }
    const auto ok =
        net::DecodeResponse(net::UnwrapFrame(dispatcher_.HandleFrame(net::EncodeFrame(good), *db_)));
    EXPECT_EQ(ok.status, net::RpcStatus::Ok);
}

} // namespace
} // namespace dfe::appserver
