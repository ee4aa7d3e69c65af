#include "platform/net/posting_calls.h"
#include "platform/net/rpc_codec.h"

#include <gtest/gtest.h>

namespace dfe::net {
namespace {

constexpr ArgType S = ArgType::String, D = ArgType::Date, V = ArgType::Variant;

// What the request carries in one position.
struct WireArg {
    ArgType type;
    bool byRef;
    Variant value;
};

DateTime Day(int day) {
    return DateTime::FromDate(2026, 12, day);
}

// Every member holds a value of its own, so two members swapped show as a wrong value.
GetRomaneioNFArgs SampleList() {
    return {"0001", "1,2", "01,07", "45678901000175", "0002", Day(1), Day(2), Day(3),
            Day(4), "F",   "T",     "J89012345000179"};
}

GetNFDadosGeraisArgs SampleGeneralData() {
    return {"0001",       "0000000001",         "J", "11222333000181", "0002",   "S",
            Variant("E"), Variant(int64_t{14}), "F", Variant("S"),     "BROWSE", "0001 - 0000000091_"};
}

// The arguments as the request decodes them on the server's side.
std::vector<RpcArg> OnTheWire(const CallArgs& args) {
    RpcRequest request;
    request.method = "M";
    request.args = args.Args();
    return DecodeRequest(EncodeRequest(request)).args;
}

void ExpectWire(const CallArgs& args, const std::vector<WireArg>& expected, size_t count) {
    const std::vector<RpcArg> wire = OnTheWire(args);
    ASSERT_EQ(wire.size(), expected.size());
    EXPECT_EQ(wire.size(), count);
    for (size_t i = 0; i < wire.size(); ++i) {
        EXPECT_EQ(wire[i].type, expected[i].type) << "argument " << i + 1;
        EXPECT_EQ(wire[i].byRef, expected[i].byRef) << "argument " << i + 1;
        EXPECT_EQ(wire[i].value, expected[i].value) << "argument " << i + 1;
    }
}

// Positions and kinds are those clients already installed send.
TEST(PostingCalls, ListArgumentsKeepTheirPositionsAndKinds) {
    GetRomaneioNFArgs a = SampleList();
    ExpectWire(ToCallArgs(a),
               {{S, true, "0001"},
                {S, true, "1,2"},
                {S, true, "01,07"},
                {S, true, "45678901000175"},
                {S, true, "0002"},
                {D, true, Day(1)},
                {D, true, Day(2)},
                {D, true, Day(3)},
                {D, true, Day(4)},
                {S, true, "F"},
                {S, true, "T"},
                {S, true, "J89012345000179"}},
               GetRomaneioNFArgs::kArgCount);
}

TEST(PostingCalls, GeneralDataArgumentsKeepTheirPositionsAndKinds) {
    GetNFDadosGeraisArgs a = SampleGeneralData();
    ExpectWire(ToCallArgs(a),
               {{S, false, "0001"},
                {S, false, "0000000001"},
                {S, false, "J"},
                {S, false, "11222333000181"},
                {S, false, "0002"},
                {S, true, "S"},
                {V, false, "E"},
                {V, false, int64_t{14}},
                {S, false, "F"},
                {V, false, "S"},
                {S, true, "BROWSE"},
                {S, true, "0001 - 0000000091_"}},
               GetNFDadosGeraisArgs::kArgCount);
}

// The server's final values, back through the answer's encoding, land in the struct the call was built from.
TEST(PostingCalls, ByReferenceAnswersLandInTheStructsMembers) {
    GetRomaneioNFArgs list = SampleList();
    const CallArgs listArgs = ToCallArgs(list);
    RpcResponse listAnswer;
    listAnswer.refs = {{0, Variant("0003")}, {8, Variant(Day(31))}, {11, Variant("")}};
    listArgs.ApplyRefs(DecodeResponse(EncodeResponse(listAnswer)).refs);
    GetRomaneioNFArgs expectedList = SampleList();
    expectedList.branch = "0003";
    expectedList.issueTo = Day(31);
    expectedList.customer = "";
    EXPECT_EQ(list, expectedList);

    GetNFDadosGeraisArgs general = SampleGeneralData();
    const CallArgs generalArgs = ToCallArgs(general);
    RpcResponse generalAnswer;
    generalAnswer.refs = {{5, Variant("N")}, {10, Variant("EDIT")}, {11, Variant("")}};
    generalArgs.ApplyRefs(DecodeResponse(EncodeResponse(generalAnswer)).refs);
    GetNFDadosGeraisArgs expectedGeneral = SampleGeneralData();
    expectedGeneral.returnKind = "N";
    expectedGeneral.headerState = "EDIT";
    expectedGeneral.returnList = "";
    EXPECT_EQ(general, expectedGeneral);
    // A by-value argument is not the client's to receive.
    RpcResponse byValue;
    byValue.refs = {{0, Variant("0009")}};
    EXPECT_THROW(generalArgs.ApplyRefs(byValue.refs), WireError);
}

} // namespace
} // namespace dfe::net
