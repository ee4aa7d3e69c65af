#include "demo_server.h"

#include "appserver/modules/parameter_methods.h"
#include "appserver/modules/posting_calls.h"

#include "platform/data/packet.h"
#include "platform/net/answer_reader.h"
#include "platform/net/rpc_codec.h"

namespace dfe::appserver {
namespace {

DateTime Day(int day) {
    return DateTime::FromDate(2026, 12, day);
}

// The call as the server's method reads it: built from the struct, encoded, decoded, read back by name.
template <class Args> Args ThroughTheWire(Args sent) {
    net::RpcRequest request;
    request.connection = net::kLancNFEntrada;
    request.method = Args::kMethod;
    request.args = net::ToCallArgs(sent).Args();
    net::RpcRequest received = net::DecodeRequest(net::EncodeRequest(request));
    testing::TempDatabase temp;
    const auto db = temp.Open();
    const MethodContext call(*db, received.method, received.args);
    return FromCall<Args>(call);
}

template <class Args> struct RoundTrip {
    const char* name;
    Args sent;
    Args read;
};

net::GetRomaneioNFArgs FullList() {
    return {"0001", "1,2",  "01,07", "45678901000175",
            "0002", Day(1), Day(2),  DateTime::FromDateTime(2026, 12, 3, 8, 30, 0),
            Day(4), "F",    "T",     "J89012345000179"};
}

TEST(PostingCallReaders, ListArgumentsArriveAsTheClientSentThem) {
    net::GetRomaneioNFArgs padded = FullList();
    padded.branch = " 0001 ";
    padded.series = "1,2  ";
    const RoundTrip<net::GetRomaneioNFArgs> cases[] = {
        {"every argument", FullList(), FullList()},
        {"nothing but the branch", {.branch = "0003"}, {.branch = "0003"}},
        {"texts trimmed", padded, FullList()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ThroughTheWire(c.sent), c.read) << c.name;
    }
}

net::GetNFDadosGeraisArgs FullGeneralData() {
    return {"0001",       "0000000001",         "J", "11222333000181", "0002",   "S",
            Variant("E"), Variant(int64_t{14}), "F", Variant("S"),     "BROWSE", "0001 - 0000000091_"};
}

TEST(PostingCallReaders, GeneralDataArgumentsArriveAsTheClientSentThem) {
    net::GetNFDadosGeraisArgs nulls = FullGeneralData();
    nulls.reversalElement = nulls.originQuantityElement = nulls.returnElement = Variant::Null();
    net::GetNFDadosGeraisArgs padded = FullGeneralData();
    padded.postingNumber = "0000000001 ";
    padded.returnList = " 0001 - 0000000091_ ";
    const RoundTrip<net::GetNFDadosGeraisArgs> cases[] = {
        {"every argument", FullGeneralData(), FullGeneralData()},
        {"null elements of the operation type", nulls, nulls},
        {"texts trimmed", padded, FullGeneralData()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ThroughTheWire(c.sent), c.read) << c.name;
    }
}

class GeneralDataAnswer : public testing::DemoServer {
protected:
    net::AnswerReader Load(std::string branch, std::string number) {
        net::GetNFDadosGeraisArgs args{.branch = branch,
                                       .postingNumber = number,
                                       .participantPersonType = "J",
                                       .participantNumber = "11222333000181",
                                       .returnKind = "N",
                                       .reversalElement = Variant("N"),
                                       .originQuantityElement = Variant("N"),
                                       .participantKind = "F",
                                       .returnElement = Variant("N"),
                                       .headerState = "BROWSE"};
        return net::AnswerReader(Call(args.kMethod, net::ToCallArgs(args)), net::kGetNFDadosGeraisAnswer);
    }
};

// The client reads by the names the server wrote with.
TEST_F(GeneralDataAnswer, ReadsByNameAsTheServerWroteIt) {
    const net::AnswerReader answer = Load("0001", "0000000001");
    ASSERT_NO_THROW(answer.ExpectComplete());
    EXPECT_EQ(answer.Text("accepted"), "S");
    EXPECT_EQ(answer.Text("message"), "");
    EXPECT_EQ(Field(FromDataPacket(answer.Packet("cdsNotaFiscal")), "NRLANCTONF"), Variant("0000000001"));
    EXPECT_EQ(FromDataPacket(answer.Packet("cdsItemProImpos")).rows.size(), 6u);
    EXPECT_EQ(Field(FromDataPacket(answer.Packet("cdsParamForne")), "CDFORNECED"),
              Variant("J11222333000181"));
    EXPECT_EQ(answer.Text("stParamForn"), kUsesProdXForn);
    EXPECT_NO_THROW(answer.Packet("cdsProdXFornDF"));
}

TEST_F(GeneralDataAnswer, AMissingPostingAnswersOnlyTheRefusal) {
    const net::AnswerReader answer = Load("0001", "0000009999");
    EXPECT_FALSE(answer.Complete());
    EXPECT_EQ(answer.Text("accepted"), "N");
    EXPECT_NE(answer.Text("message").find("não encontrado"), std::string::npos);
    EXPECT_THROW(answer.PacketOrNull("cdsNotaFiscal"), net::AnswerError);
}

} // namespace
} // namespace dfe::appserver
