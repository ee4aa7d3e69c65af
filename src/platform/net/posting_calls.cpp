#include "platform/net/posting_calls.h"

namespace dfe::net {

CallArgs ToCallArgs(GetRomaneioNFArgs& a) {
    CallArgs args;
    args.StrRef(a.branch).StrRef(a.series).StrRef(a.operationTypes).StrRef(a.participant);
    args.StrRef(a.issuingBranch).DateRef(a.entryFrom).DateRef(a.entryTo).DateRef(a.issueFrom);
    args.DateRef(a.issueTo).StrRef(a.participantKind).StrRef(a.allDates).StrRef(a.customer);
    return args;
}

CallArgs ToCallArgs(GetNFDadosGeraisArgs& a) {
    CallArgs args;
    args.Str(a.branch).Str(a.postingNumber).Str(a.participantPersonType).Str(a.participantNumber);
    args.Str(a.issuingBranch).StrRef(a.returnKind).Var(a.reversalElement).Var(a.originQuantityElement);
    args.Str(a.participantKind).Var(a.returnElement).StrRef(a.headerState).StrRef(a.returnList);
    return args;
}

} // namespace dfe::net
