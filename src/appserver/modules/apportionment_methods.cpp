#include "appserver/modules/apportionment_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/posting_readers.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

const PacketLayout& RateioLayout() {
    static const PacketLayout layout = {
        FieldDef{"CDFILIAL", FieldType::String, 4},    FieldDef{"NRLANCTONF", FieldType::String, 10},
        FieldDef{"NRSEQRATEIO", FieldType::String, 3}, FieldDef{"CDCENTCUSTO", FieldType::String, 10},
        FieldDef{"VRPERCRATEIO", FieldType::Float, 0}, FieldDef{"VRRATEIO", FieldType::Float, 0}};
    return layout;
}

Variant GetRateioNF(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), RateioLayout(),
                               "SELECT CDFILIAL, NRLANCTONF, NRSEQRATEIO, CDCENTCUSTO, VRPERCRATEIO, VRRATEIO"
                               " FROM RATEIONF WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                               " ORDER BY NRSEQRATEIO",
                               KeyParams(key)));
}

} // namespace

void RegisterApportionmentMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "GetRateioNF", MethodKind::Read, GetRateioNF);
}

} // namespace dfe::appserver
