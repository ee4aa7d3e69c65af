#include "appserver/modules/document_identity_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/model_query.h"
#include "appserver/modules/posting_calls.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

// Arguments: model or empty, all flag ("T"), kind ("S" electronic, "T" or empty every kind), operation
// type. A model named asks for that model alone; no model and no "T" asks for nothing.
Variant Models(MethodContext& call, bool electronicOnly) {
    ExpectArgCount(call, 4, 4);
    ModelFilter filter;
    filter.model = CodeArg(call, 0, 2, "modelo");
    const std::string all = CodeArg(call, 1, 1, "todos os modelos");
    const std::string kind = CodeArg(call, 2, 1, "tipo de modelo");
    filter.operationType = CodeArg(call, 3, 2, "tipo de operação");
    if (kind != "S" && kind != "T" && !kind.empty())
        throw MethodRefusal("Argumento 3 (tipo de modelo) de " + call.Method() + " deve ser S ou T.");
    if (filter.model.empty() && all != "T") return Variant(PacketEncoder(ModDocFiscLayout()).Finish());
    if (electronicOnly || kind == "S") filter.kind = ModelFilter::Kind::ElectronicOnly;
    return Variant(AllowedModels(call.Db(), ModDocFiscLayout(), filter));
}

Variant GetModFiscEle(MethodContext& call) {
    return Models(call, true);
}

Variant GetModDocFis(MethodContext& call) {
    return Models(call, false);
}

// What identifies the earlier postings of a document: the participant's column and value, series, number
// and, for a supplier, the model when one is given.
struct DocumentNumber {
    const char* participantColumn;
    std::string participant;
    std::string series;
    std::string number;
    std::string model;
    std::string scope;
    std::string postingBranch;
    std::string postingNumber;
};

// The entry postings, not cancelled, of the same participant, series and number, wherever they were received
// (neither the operation type nor the branch in process narrows it: a document is received once). Numbers
// compare without their leading zeros, since a posting from an NF-e XML keeps the number unpadded. Scope "N"
// leaves out the posting being changed.
Variant EarlierPostings(MethodContext& call, const DocumentNumber& d) {
    if (d.participant.empty())
        throw MethodRefusal("O participante do documento deve ser informado em " + call.Method() + ".");
    if (d.number.empty())
        throw MethodRefusal("O número do documento deve ser informado em " + call.Method() + ".");
    if (d.scope != "T" && d.scope != "N")
        throw MethodRefusal("Argumento 4 (abrangência) de " + call.Method() + " deve ser T ou N.");
    if (d.scope == "N" && (d.postingBranch.empty() || d.postingNumber.empty()))
        throw MethodRefusal("A filial e o número do lançamento alterado devem ser informados em " +
                            call.Method() + ".");
    std::string sql =
        "SELECT COALESCE(N.CDFILIRECE, N.CDFILIAL) AS CDFILIRECE, N.DTENTRSAID FROM NOTAFISCAL N"
        " WHERE N." +
        std::string(d.participantColumn) +
        " = :P_PARTICIPANTE AND COALESCE(N.CDSERIEENTR, '') = :P_SERIE"
        " AND LTRIM(N.NRNOTAFISC, '0') = LTRIM(:P_NUMERO, '0')"
        " AND N.IDENTRSAIDOP = 'E' AND COALESCE(N.IDSTATUS, 'P') <> 'C'";
    db::SqlParams params = {{"P_PARTICIPANTE", d.participant}, {"P_SERIE", d.series}, {"P_NUMERO", d.number}};
    if (!d.model.empty()) {
        sql += " AND N.CDMODDOCFISC = :P_CDMODDOCFISC";
        params.push_back({"P_CDMODDOCFISC", d.model});
    }
    if (d.scope == "N") {
        sql += " AND NOT (N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF)";
        params.push_back({"P_CDFILIAL", d.postingBranch});
        params.push_back({"P_NRLANCTONF", d.postingNumber});
    }
    sql += " ORDER BY N.DTENTRSAID, N.CDFILIAL, N.NRLANCTONF";
    return Variant(QueryPacket(call.Db(), DuplicateNumberLayout(), sql, params));
}

Variant GetNrForn(MethodContext& call) {
    const auto a = FromCall<net::GetNrFornArgs>(call);
    return EarlierPostings(call, {"CDFORNECED", a.supplier, a.series, a.number, a.model, a.scope,
                                  a.postingBranch, a.postingNumber});
}

Variant GetNrClie(MethodContext& call) {
    const auto a = FromCall<net::DuplicateNumberArgs>(call);
    return EarlierPostings(call, {"CDCLIENTE", a.participant, a.series, a.number, "", a.scope,
                                  a.postingBranch, a.postingNumber});
}

Variant GetNrFilial(MethodContext& call) {
    const auto a = FromCall<net::DuplicateNumberArgs>(call);
    if (text::Length(a.participant) > 4)
        throw MethodRefusal("Argumento 1 (filial emitente) de " + call.Method() +
                            " tem mais de 4 caracteres.");
    return EarlierPostings(call, {"CDFILIEMIT", a.participant, a.series, a.number, "", a.scope,
                                  a.postingBranch, a.postingNumber});
}

} // namespace

void RegisterDocumentIdentityMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "GetModFiscEle", MethodKind::Read, GetModFiscEle);
    registry.Add(net::kLancNFEntrada, "GetModDocFis", MethodKind::Read, GetModDocFis);
    registry.Add(net::kLancNFEntrada, net::GetNrFornArgs::kMethod, MethodKind::Read, GetNrForn);
    registry.Add(net::kLancNFEntrada, net::kGetNrClie, MethodKind::Read, GetNrClie);
    registry.Add(net::kLancNFEntrada, net::kGetNrFilial, MethodKind::Read, GetNrFilial);
}

} // namespace dfe::appserver
