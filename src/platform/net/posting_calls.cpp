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

CallArgs ToCallArgs(const DuplicateNumberArgs& a) {
    CallArgs args;
    args.Str(a.participant).Str(a.series).Str(a.number).Str(a.scope).Str(a.postingBranch);
    args.Str(a.postingNumber).Bool(a.newPosting).Str(a.branchInProcess);
    return args;
}

CallArgs ToCallArgs(const GetNrFornArgs& a) {
    CallArgs args;
    args.Str(a.supplier).Str(a.series).Str(a.number).Str(a.scope).Str(a.postingBranch);
    args.Str(a.postingNumber).Bool(a.newPosting).Str(a.operationType).Str(a.branchInProcess).Str(a.model);
    return args;
}

} // namespace dfe::net
