#include "platform/core/abort.h"
#include "platform/net/check_result.h"
#include "platform/net/frame.h"
#include "platform/net/in_process_transport.h"
#include "platform/net/net_connection.h"
#include "platform/net/net_errors.h"
#include "platform/net/rpc_codec.h"
#include "scripted_server.h"

#include <gtest/gtest.h>

namespace dfe::net {
namespace {

using testing::ScriptedServer;

TEST(NetConnection, ByReferenceArgumentsComeBackFromTheAnswer) {
    ScriptedServer server([](int, const RpcRequest& r) {
        auto a = ScriptedServer::Answer(Variant::Array({"S", static_cast<int64_t>(r.args.size())}));
        a.response.refs = {{0, Variant("0002")},
                           {2, Variant(DateTime::FromDate(2026, 12, 31))},
                           {3, Variant(9.75)},
                           {4, Variant::Null()}};
        return a;
    });
    TNetConnection c("Dfe11000.rdmLancNFEntrada");
    c.SetHost("127.0.0.1");
    c.SetPort(server.Port());
    c.Connect();
    std::string branch = "0001";
    DateTime from = DateTime::FromDate(2026, 1, 1);
    double value = 1.5;
    Variant any = "x";
    const Variant answer = c.Call(
        "GetRomaneioNF",
        CallArgs().StrRef(branch).Str("T").DateRef(from).FloatRef(value).VarRef(any).Bool(true).Int(3));
    EXPECT_EQ(answer.AsArray()[1], Variant(int64_t{7}));
    EXPECT_EQ(branch, "0002");
    EXPECT_EQ(from, DateTime::FromDate(2026, 12, 31));
    EXPECT_EQ(value, 9.75);
    EXPECT_TRUE(any.IsNull());
    const RpcRequest sent = server.Requests().at(0);
    EXPECT_EQ(sent.connection, "Dfe11000.rdmLancNFEntrada");
    EXPECT_EQ(sent.args[1], (RpcArg{ArgType::String, false, Variant("T")}));
    EXPECT_EQ(sent.args[6], (RpcArg{ArgType::Integer, false, Variant(int64_t{3})}));
}

TEST(NetConnection, AServerThatDiesMidCallIsAConnectionFailure) {
    ScriptedServer server([](int, const RpcRequest&) { return ScriptedServer::Drop(); });
    TNetConnection c("Dfe11000.rdmLancNFEntrada");
    c.SetHost("127.0.0.1");
    c.SetPort(server.Port());
    c.Connect();
    EXPECT_THROW(c.Call("GetParamGeral"), ConnectionError);
    EXPECT_FALSE(c.Connected());
    EXPECT_THROW(c.Call("GetParamGeral"), ConnectionError);
}

TEST(NetConnection, ARefusalIsAnErrorAnswerUnlessThrowExceptionIsSet) {
    ScriptedServer server([](int, const RpcRequest&) {
        ScriptedServer::Action a;
        a.response.status = RpcStatus::Refused;
        a.response.message = "Fornecedor bloqueado";
        return a;
    });
    TNetConnection c("Dfe11000.rdmLancNFEntrada");
    c.SetHost("127.0.0.1");
    c.SetPort(server.Port());
    c.Connect();
    const Variant answer = c.Call("GetParamForn");
    EXPECT_EQ(ErrorAnswerText(answer), "Fornecedor bloqueado");
    EXPECT_THROW(CheckResultServ(answer), ServerRefusal);
    EXPECT_THROW(CheckResultServ(answer, false), Abort);
    c.SetThrowException(true);
    EXPECT_THROW(c.Call("GetParamForn"), ServerRefusal);
    EXPECT_TRUE(c.Connected());
}

TEST(NetConnection, NormalAnswersPassTheResultCheck) {
    for (const Variant& v : {Variant("texto"), Variant::Array({"N", "recusado"}), Variant(), Variant::Null(),
                             Variant::Array({"#ERRO-SERVIDOR#", "a", "b"})}) {
        EXPECT_EQ(CheckResultServ(v), v) << DescribeVariant(v);
    }
}

TEST(NetConnection, AGarbledAnswerIsAConnectionFailure) {
    // A server that answers with a frame whose payload is not a response.
    Socket listener = Socket::ListenTcp("127.0.0.1", 0);
    std::thread serverThread([&] {
        Socket client = listener.Accept();
        if (ReadFrame(client, 1u << 20)) client.SendAll(EncodeFrame("\x02\x07junk"));
    });
    TNetConnection c("Dfe11000.rdmLancNFEntrada");
    c.SetHost("127.0.0.1");
    c.SetPort(listener.LocalPort());
    c.Connect();
    EXPECT_THROW(c.Call("GetParamGeral"), ConnectionError);
    EXPECT_FALSE(c.Connected());
    serverThread.join();
}

TEST(NetConnection, InProcessTransportEncodesEveryCall) {
    int frames = 0;
    auto handler = std::make_shared<const FrameHandler>([&](std::string_view frame) {
        ++frames;
        const RpcRequest r = DecodeRequest(UnwrapFrame(frame));
        RpcResponse answer;
        answer.result = Variant(r.method);
        return EncodeFrame(EncodeResponse(answer));
    });
    TNetConnection c("Dfe11000.rdmLancNFEntrada");
    c.SetTransportFactory(
        [&](const std::string&, int) { return std::make_unique<InProcessTransport>(handler); });
    c.Connect();
    EXPECT_EQ(c.Call("GetImpImpo"), Variant("GetImpImpo"));
    EXPECT_EQ(frames, 1);

    RegisterInProcessServer(nullptr);
    TNetConnection none("Dfe11000.rdmLancNFEntrada");
    none.SetHost(std::string(kInProcessHost));
    EXPECT_THROW(none.Connect(), ConnectionError);
}

} // namespace
} // namespace dfe::net
