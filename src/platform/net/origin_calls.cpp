#include "platform/net/origin_calls.h"

namespace dfe::net {
namespace {

void AddIssuer(CallArgs& args, OriginIssuer& issuer) {
    args.StrRef(issuer.personType).StrRef(issuer.number).StrRef(issuer.issuingBranch);
}

} // namespace

CallArgs ToCallArgs(GetNFOrigemArgs& a) {
    CallArgs args;
    args.Str(a.number).Str(a.anyNumber).Str(a.series).Str(a.anySeries).Str(a.branch);
    AddIssuer(args, a.issuer);
    return args;
}

CallArgs ToCallArgs(GetNFOrigSaidArgs& a) {
    CallArgs args;
    args.StrRef(a.branch);
    AddIssuer(args, a.issuer);
    args.Str(a.series).Str(a.number).StrRef(a.entryOrigins).StrRef(a.exitOrigins).Str(a.operationType);
    args.Var(a.originRelated).Var(a.reversal).Str(a.anySeries).Str(a.anyNumber);
    return args;
}

CallArgs ToCallArgs(GetNFOrigListaArgs& a) {
    CallArgs args;
    args.Str(a.branch);
    AddIssuer(args, a.issuer);
    args.StrRef(a.entryOrigins).StrRef(a.exitOrigins).Str(a.operationType).Var(a.originRelated);
    return args;
}

CallArgs ToCallArgs(GetItemNFArgs& a) {
    CallArgs args;
    args.Str(a.branch).StrRef(a.kind);
    AddIssuer(args, a.issuer);
    args.Str(a.postingNumber).Str(a.every);
    return args;
}

} // namespace dfe::net
