#include "platform/net/frame.h"
#include "platform/net/rpc_codec.h"

#include <gtest/gtest.h>

namespace dfe::net {
namespace {

RpcRequest SampleRequest() {
    RpcRequest r;
    r.token[0] = 7;
    r.token[15] = 9;
    r.connection = "Dfe11000.rdmLancNFEntrada";
    r.method = "GetNFDadosGerais";
    r.args = {
        {ArgType::String, true, Variant("Lançamento")},
        {ArgType::Date, false, Variant(DateTime::FromDate(2026, 7, 1))},
        {ArgType::Double, true, Variant(1234.56)},
        {ArgType::Boolean, false, Variant(true)},
        {ArgType::Integer, false, Variant(int64_t{-42})},
        {ArgType::Variant, true, Variant::Null()},
        {ArgType::Variant, false,
         Variant::Array(
             {"S", Variant::Array({1, 2.5}, 1), DataPacket(std::string("\0\x01pkt", 5)), Variant()})},
    };
    return r;
}

TEST(RpcCodec, RequestRoundTripsEveryArgumentKind) {
    const RpcRequest request = SampleRequest();
    EXPECT_EQ(DecodeRequest(EncodeRequest(request)), request);
}

TEST(RpcCodec, ResponseRoundTripsResultRefsAndRefusals) {
    RpcResponse ok;
    ok.result = Variant::Array({"S", DataPacket("bytes")});
    ok.refs = {{0, Variant("0001")}, {5, Variant(DateTime::FromDate(2026, 12, 10))}};
    EXPECT_EQ(DecodeResponse(EncodeResponse(ok)), ok);

    RpcResponse refused;
    refused.status = RpcStatus::Refused;
    refused.message = "Método desconhecido";
    EXPECT_EQ(DecodeResponse(EncodeResponse(refused)), refused);
}

TEST(RpcCodec, ArgumentMustCarryItsDeclaredType) {
    RpcRequest r;
    r.args = {{ArgType::Date, false, Variant("10/12/2026")}};
    EXPECT_THROW(EncodeRequest(r), WireError);
}

TEST(RpcCodec, EveryTruncationIsRejected) {
    const std::string bytes = EncodeRequest(SampleRequest());
    for (size_t len = 0; len < bytes.size(); ++len) {
        EXPECT_THROW(DecodeRequest(std::string_view(bytes).substr(0, len)), WireError) << "length " << len;
    }
    EXPECT_THROW(DecodeRequest(bytes + "x"), WireError);
}

TEST(RpcCodec, HostileCountsAndDepthAreRejectedWithoutAllocating) {
    ByteWriter lyingArray;
    lyingArray.U8(7); // array
    lyingArray.I32(0);
    lyingArray.U32(0xFFFFFFFFu);
    ByteReader in(lyingArray.Out());
    EXPECT_THROW(DecodeVariant(in), WireError);

    std::string deep;
    for (int i = 0; i < kMaxVariantDepth + 5; ++i)
        deep += std::string("\x07\0\0\0\0\x01\0\0\0", 9);
    deep += '\x01';
    ByteReader deepIn(deep);
    EXPECT_THROW(DecodeVariant(deepIn), WireError);
}

TEST(RpcCodec, InvalidTextIsRejected) {
    ByteWriter w;
    w.U8(5);
    w.Bytes("\xC3\x28");
    ByteReader in(w.Out());
    EXPECT_THROW(DecodeVariant(in), WireError);
}

TEST(Frame, WrapsAndUnwrapsAndChecksHeaderVersionAndSize) {
    const std::string frame = EncodeFrame("payload");
    EXPECT_EQ(UnwrapFrame(frame), "payload");

    struct Case {
        std::string name;
        std::string bytes;
    };
    std::string badVersion = frame;
    badVersion[3] = 9;
    const Case cases[] = {
        {"short header", frame.substr(0, 5)}, {"bad magic", "XFE" + frame.substr(3)},
        {"other version", badVersion},        {"truncated payload", frame.substr(0, frame.size() - 1)},
        {"trailing bytes", frame + "!"},
    };
    for (const Case& c : cases)
        EXPECT_THROW(UnwrapFrame(c.bytes), FrameError) << c.name;

    EXPECT_THROW(UnwrapFrame(frame, 3), FrameError);
    EXPECT_THROW(EncodeFrame(std::string(10, 'x'), 9), FrameError);
}

} // namespace
} // namespace dfe::net

namespace dfe::net {
namespace {

TEST(RpcCodec, AMessageHoldsAtMostTheValueBudget) {
    ByteWriter w;
    w.U8(7); // an array of more null values than a message may hold
    w.I32(0);
    w.U32(static_cast<uint32_t>(kMaxDecodedValues + 1));
    w.Raw(std::string(kMaxDecodedValues + 1, '\x01'));
    ByteReader in(w.Out());
    EXPECT_THROW(DecodeVariant(in), WireError);
}

} // namespace
} // namespace dfe::net
