#include "appserver/modules/access_key_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

constexpr size_t kKeyWidth = 50; // NRACESSONFE

std::string KeyArg(const MethodContext& call, size_t index) {
    return CodeArg(call, index, kKeyWidth, "chave de acesso");
}

Variant EmptyAnswer(const PacketLayout& layout) {
    return Variant(PacketEncoder(layout).Finish());
}

// The postings other than the current one (CDFILIAL followed by NRLANCTONF, one text; empty for a new
// posting) that hold the key, cancelled ones aside. Pre-postings of the simplified process come with their
// status "L" or "I". The branches' own outgoing NF-e are no postings: a branch receiving another's transfer,
// or reversing its own NF-e, posts the key they hold.
Variant GetVdCAcesso(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const std::string key = KeyArg(call, 0);
    const std::string current = CodeArg(call, 1, 14, "filial e número do lançamento atual");
    if (!current.empty() && text::Length(current) <= 4)
        throw MethodRefusal("Argumento 2 (filial e número do lançamento atual) de " + call.Method() +
                            " deve trazer a filial (4) seguida do número do lançamento.");
    if (key.empty()) return EmptyAnswer(VdCAcessoLayout());
    std::string sql = "SELECT N.NRACESSONFE, COALESCE(N.CDFILIRECE, N.CDFILIAL) AS CDFILIRECE, N.IDSTATUS"
                      " FROM NOTAFISCAL N WHERE N.NRACESSONFE = :P_NRACESSONFE"
                      " AND N.IDENTRSAIDOP = 'E' AND COALESCE(N.IDSTATUS, 'P') <> 'C'";
    db::SqlParams params = {{"P_NRACESSONFE", key}};
    if (!current.empty()) {
        sql += " AND NOT (N.CDFILIAL = :P_CDFILIAL AND N.NRLANCTONF = :P_NRLANCTONF)";
        params.push_back({"P_CDFILIAL", current.substr(0, 4)});
        params.push_back({"P_NRLANCTONF", text::Trim(current.substr(4))});
    }
    sql += " ORDER BY N.CDFILIAL, N.NRLANCTONF";
    return Variant(QueryPacket(call.Db(), VdCAcessoLayout(), sql, params));
}

// The latest manifestation of the recipient (company and state registration) on the key: its one-character
// code, empty when none was made. Arguments: company, registration, event kind "1" (the recipient's
// manifestation, the only kind recorded), a complement the client leaves empty, key.
Variant GetManifestacao(MethodContext& call) {
    ExpectArgCount(call, 5, 5);
    const std::string company = CodeArg(call, 0, 2, "empresa");
    const std::string registration = CodeArg(call, 1, 16, "inscrição estadual");
    const std::string kind = CodeArg(call, 2, 1, "tipo de evento");
    CodeArg(call, 3, kKeyWidth, "complemento");
    const std::string key = KeyArg(call, 4);
    if (kind != "1")
        throw MethodRefusal("Argumento 3 (tipo de evento) de " + call.Method() +
                            " deve ser 1, a manifestação do destinatário.");
    if (key.empty()) return Variant("");
    const Packet latest =
        call.Db().Query("SELECT CDMANIFEST FROM MANIFDESTNFE WHERE CDEMPRESA = :P_CDEMPRESA"
                        " AND CDINSCESTA = :P_CDINSCESTA AND NRACESSONFE = :P_NRACESSONFE"
                        " ORDER BY DTMANIFEST DESC",
                        {{"P_CDEMPRESA", company}, {"P_CDINSCESTA", registration}, {"P_NRACESSONFE", key}});
    if (latest.rows.empty()) return Variant("");
    return Variant(latest.rows[0].values[0].AsString());
}

// No NF-e document is stored on this server yet, so no key has an XML: both checks answer their empty
// packet once the arguments are sound.
Variant VdDataEmissXML(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    KeyArg(call, 0);
    return EmptyAnswer(VdEmissaoXMLLayout());
}

Variant GetVdCFOPXMLTipoOper(MethodContext& call) {
    ExpectArgCount(call, 3, 3);
    KeyArg(call, 0);
    CodeArg(call, 1, 2, "tipo de operação");
    CodeArg(call, 2, 4, "filial recebedora");
    return EmptyAnswer(CFOPXMLLayout());
}

} // namespace

void RegisterAccessKeyMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "getVdCAcesso", MethodKind::Read, GetVdCAcesso);
    registry.Add(net::kLancNFEntrada, "GetManifestacao", MethodKind::Read, GetManifestacao);
    registry.Add(net::kLancNFEntrada, "Vd_DataEmissXML", MethodKind::Read, VdDataEmissXML);
    registry.Add(net::kLancNFEntrada, "GetVd_CFOPXML_TIPOOPER", MethodKind::Read, GetVdCFOPXMLTipoOper);
}

} // namespace dfe::appserver
