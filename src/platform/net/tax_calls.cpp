#include "platform/net/tax_calls.h"

namespace dfe::net {

CallArgs ToCallArgs(GetImpoItemArgs& a) {
    CallArgs args;
    args.Str(a.receivingBranch).Str(a.company).Str(a.stateRegistration).Str(a.operationType);
    args.StrRef(a.fiscalGroup).Str(a.productTree).Str(a.product).Str(a.brand).Date(a.entryDate);
    args.Float(a.itemTotal).Str(a.supplier).Var(a.documentTotals).StrRef(a.returnWithOrigin);
    args.Str(a.relatedPosting).Str(a.relatedBranch).Float(a.quantity).Str(a.postingNumber);
    args.StrRef(a.returnList).StrRef(a.listMode).StrRef(a.listModeInserting).Float(a.originQuantity);
    args.FloatRef(a.unitPrice).StrRef(a.lot).StrRef(a.subLot).Str(a.itemSequence).StrRef(a.regenerate);
    args.Str(a.issuingBranch).Str(a.customer).FloatRef(a.originTotal).Float(a.discount).Str(a.branch);
    args.StrRef(a.workCode).Str(a.productOrigin).Str(a.participantState).Str(a.municipality);
    return args;
}

CallArgs ToCallArgs(CriaVencimentosArgs& a) {
    CallArgs args;
    // The supplier's key is read only; an authorization's key may come back completed.
    if (a.kind == "A") {
        args.Str(a.kind).StrRef(a.key);
    } else {
        args.Str(a.kind).Str(a.key);
    }
    args.FloatRef(a.amount).Date(a.issueDate).Date(a.entryDate).Str(a.receivingBranch);
    return args;
}

} // namespace dfe::net
