#include "appserver/modules/related_document_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/posting_calls.h"
#include "appserver/modules/posting_readers.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

FieldDef S(const char* name, int size) {
    return FieldDef{name, FieldType::String, size};
}
FieldDef F(const char* name) {
    return FieldDef{name, FieldType::Float, 0};
}

const PacketLayout& ItemNFLayout() {
    static const PacketLayout layout = {S("IDMARCADO", 1),     S("DSLANCAMENTO", 17), S("CDFILIAL", 4),
                                        S("NRLANCTONF", 10),   S("NRNOTAFISC", 20),   S("CDSERIEENTR", 5),
                                        S("NMRAZSOCFORN", 50), S("VRNOTAFISC", 13),   F("VRNOTA"),
                                        S("CDFILIRECE", 4)};
    return layout;
}

const PacketLayout& ValidCntPagarLayout() {
    static const PacketLayout layout = {S("CDFILIAL", 4), S("NRLANCTONF", 10), S("NRSEQVENPAG", 2),
                                        F("VRORIGPAG")};
    return layout;
}

const PacketLayout& ValidItNFLayout() {
    static const PacketLayout layout = {S("CDFILIAL", 4), S("NRLANCTONF", 10), S("CDTIPOOPER", 2),
                                        S("IDSTATUS", 1)};
    return layout;
}

const PacketLayout& VdLoteLayout() {
    static const PacketLayout layout = {S("IDUTILLOTE", 1), S("CDALMOXARIFE", 6), S("IDUTILALMOX", 1),
                                        S("IDUTILLCESTQ", 1), S("CDLOCALESTOQ", 6)};
    return layout;
}

std::string RequiredBranch(const MethodContext& call, size_t index) {
    std::string branch = CodeArg(call, index, 4, "filial");
    if (branch.empty()) throw MethodRefusal("A filial deve ser informada em " + call.Method() + ".");
    return branch;
}

// Empty, or "T", leaves the counterpart open.
bool Given(const std::string& value) {
    return !value.empty() && value != "T";
}

// The branch's entries of the kind for the counterpart, not cancelled, that no other posting still in
// force names yet; oldest entry first. The kind is the operation type's (IDTPLANCRELAC), so each
// installation says which of its types are deliveries or entries without invoice. The last argument is
// the client's "every candidate", the only list there is.
Variant GetItemNF(MethodContext& call) {
    const auto a = FromCall<net::GetItemNFArgs>(call);
    if (a.branch.empty()) throw MethodRefusal("A filial deve ser informada em " + call.Method() + ".");
    std::string sql =
        "SELECT 'N' AS IDMARCADO,"
        " SUBSTR(N.CDFILIAL || ' - ' || N.NRLANCTONF || '                 ', 1, 17) AS DSLANCAMENTO,"
        " N.CDFILIAL, N.NRLANCTONF, N.NRNOTAFISC, N.CDSERIEENTR, " +
        ParticipantName("N") +
        " AS NMRAZSOCFORN, N.VRNOTAFISC, N.VRNOTAFISC AS VRNOTA, N.CDFILIRECE"
        " FROM NOTAFISCAL N JOIN TIPOOPERAC T ON T.CDTIPOOPER = N.CDTIPOOPER" +
        ParticipantJoins("N") +
        " WHERE N.CDFILIAL = :P_CDFILIAL AND N.IDENTRSAIDOP = 'E'"
        " AND COALESCE(N.IDSTATUS, 'P') <> 'C' AND T.IDTPLANCRELAC = :P_TIPO"
        " AND NOT EXISTS (SELECT 1 FROM ITEMNOTAFISC I JOIN NOTAFISCAL O"
        " ON O.CDFILIAL = I.CDFILIAL AND O.NRLANCTONF = I.NRLANCTONF"
        " WHERE I.CDFILIALIT = N.CDFILIAL AND I.NRLANCTONFIT = N.NRLANCTONF"
        " AND COALESCE(O.IDSTATUS, 'P') <> 'C'"
        " AND NOT (I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_PROPRIO))";
    db::SqlParams params = {{"P_CDFILIAL", a.branch}, {"P_TIPO", a.kind}, {"P_PROPRIO", a.postingNumber}};
    if (Given(a.issuer.personType)) {
        sql += " AND N.IDTPIJURNF = :P_IDTPIJURNF";
        params.emplace_back("P_IDTPIJURNF", a.issuer.personType);
    }
    if (Given(a.issuer.number)) {
        sql += " AND N.NRINSJURNF = :P_NRINSJURNF";
        params.emplace_back("P_NRINSJURNF", a.issuer.number);
    }
    if (Given(a.issuer.issuingBranch)) {
        sql += " AND N.CDFILIEMIT = :P_CDFILIEMIT";
        params.emplace_back("P_CDFILIEMIT", a.issuer.issuingBranch);
    }
    sql += " ORDER BY N.DTENTRSAID, N.NRLANCTONF";
    return Variant(QueryPacket(call.Db(), ItemNFLayout(), sql, params,
                               {{"VRNOTAFISC", DisplayText::Kind::Number, "#,##0.00"}}));
}

// The installments of the posting: an entry without invoice that has its own may not be regularized.
Variant GetValidCntPagar(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), ValidCntPagarLayout(),
                               "SELECT CDFILIAL, NRLANCTONF, NRSEQVENPAG, VRORIGPAG FROM CONTAPAGAR"
                               " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF"
                               " ORDER BY NRSEQVENPAG",
                               KeyParams(key)));
}

// The posting, whatever its state: no row, no posting.
Variant GetValidItNF(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), ValidItNFLayout(),
                               "SELECT CDFILIAL, NRLANCTONF, CDTIPOOPER, IDSTATUS FROM NOTAFISCAL"
                               " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                               KeyParams(key)));
}

// The branch's stock parameters an NF-e import places its items with; no row for a branch without
// parameters.
Variant GetVdLote(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    const std::string branch = RequiredBranch(call, 0);
    return Variant(QueryPacket(call.Db(), VdLoteLayout(),
                               "SELECT COALESCE(IDUTILLOTE, 'N') AS IDUTILLOTE, CDALMOXARIFE,"
                               " COALESCE(IDUTILALMOX, 'N') AS IDUTILALMOX,"
                               " COALESCE(IDUTILLCESTQ, 'N') AS IDUTILLCESTQ, CDLOCALESTOQ FROM PARAMDFE"
                               " WHERE CDFILIAL = :P_CDFILIAL",
                               {{"P_CDFILIAL", branch}}));
}

} // namespace

void RegisterRelatedDocumentMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "GetItemNF", MethodKind::Read, GetItemNF);
    registry.Add(net::kLancNFEntrada, "GetValidCntPagar", MethodKind::Read, GetValidCntPagar);
    registry.Add(net::kLancNFEntrada, "GetValidItNF", MethodKind::Read, GetValidItNF);
    registry.Add(net::kLancNFEntrada, "GetVdLote", MethodKind::Read, GetVdLote);
}

} // namespace dfe::appserver
