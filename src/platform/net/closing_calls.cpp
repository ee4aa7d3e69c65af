#include "platform/net/closing_calls.h"

namespace dfe::net {

CallArgs ToCallArgs(FechaNotaFiscalArgs& a) {
    CallArgs args;
    for (Variant* packet :
         {&a.header, &a.items, &a.relatedDocuments, &a.charges, &a.installments, &a.additionalData,
          &a.itemTaxes, &a.taxTotals, &a.authorizationLinks, &a.allItems})
        args.VarRef(*packet);
    args.Str(a.receivingBranch).Date(a.entryDate).Str(a.onlineStock).DateRef(a.stockFrom).DateRef(a.stockTo);
    args.Str(a.stockPosting).Float(a.productsValue).StrRef(a.releaseCodes).Str(a.operationType);
    args.Str(a.operatorCode).Str(a.otherInvoices).Str(a.series).Str(a.branchInProcess).Bool(a.generateReturn);
    args.Float(a.documentValue).Var(a.returnFlag).Bool(a.destinationIsBranch).Str(a.integrationCode);
    args.Var(a.nfeItems).StrRef(a.apportionA).StrRef(a.apportionB).Var(a.reversalFlag).Str(a.hideCredited);
    args.StrRef(a.danfeStamp).StrRef(a.showNfeInfo).StrRef(a.supplierLimit);
    return args;
}

CallArgs ToCallArgs(const GetOcorrAtendArgs& a) {
    CallArgs args;
    for (const std::string* text :
         {&a.participantKind, &a.customer, &a.supplier, &a.issuingBranch, &a.relatedBranch, &a.relatedPosting,
          &a.branchInProcess, &a.operatorCode, &a.operatorName, &a.branch, &a.postingNumber})
        args.Str(*text);
    return args;
}

CallArgs ToCallArgs(const AprovaNotaFiscalArgs& a) {
    CallArgs args;
    for (const std::string* text : {&a.branch, &a.postingNumber, &a.receivingBranch, &a.operatorCode,
                                    &a.branchInProcess, &a.company, &a.supplier, &a.operationType})
        args.Str(*text);
    return args;
}

} // namespace dfe::net
