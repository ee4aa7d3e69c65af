#include "appserver/intake/nfe_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/packet_answer.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

Variant ListaNFeRecebidas(MethodContext& call) {
    ExpectArgCount(call, 0, 1);
    const std::string branch = call.ArgCount() > 0 ? CodeArg(call, 0, 4, "filial") : std::string();
    return PacketAnswer(call.Db().Query(
        "SELECT NRACESSONFE, CDFILIRECE, CDEMPRESA, CDFORNECED, IDTPIJURNF, NRINSJURNF, NMRAZSOCEMIT, "
        "CDMODDOCFISC,"
        " CDSERIEENTR, NRNOTAFISC, DTEMISSAO, VRNOTAFISC, IDSTATUSNFE, NRPROTOCOLONFE, IDESQUEMAVALIDO, "
        "IDASSINATURA,"
        " IDIMPORTADA, DTRECEBIMENTO FROM NFERECEBIDA"
        " WHERE (:P_CDFILIAL = '' OR CDFILIRECE = :P_CDFILIAL) ORDER BY DTRECEBIMENTO, NRACESSONFE",
        {{"P_CDFILIAL", branch}}));
}

Variant GetNFeRecebida(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    const std::string key = CodeArg(call, 0, 44, "chave de acesso");
    const db::SqlParams params{{"P_NRACESSONFE", key}};
    db::Database& db = call.Db();
    Packet header = db.Query("SELECT * FROM NFERECEBIDA WHERE NRACESSONFE = :P_NRACESSONFE", params);
    if (header.rows.empty()) throw MethodRefusal("NF-e " + key + " não recebida");
    auto rows = [&](const char* table, const char* order) {
        return Variant(ToDataPacket(db.Query("SELECT * FROM " + std::string(table) +
                                                 " WHERE NRACESSONFE = :P_NRACESSONFE ORDER BY " + order,
                                             params)));
    };
    return Variant::Array({Variant(ToDataPacket(header)), rows("NFERECEBITEM", "NRSEQITPROD"),
                           rows("NFERECEBIMPOSTO", "NRSEQIMPOIT, SGIMPOSTO"),
                           rows("NFERECEBLOTE", "NRSEQITPROD, NRSEQLOTE"),
                           rows("NFERECEBENCARGO", "IDENCARGO"), rows("NFERECEBVENC", "NRSEQVENPAG"),
                           rows("NFERECEBPAGTO", "NRSEQPAGTO"), rows("NFERECEBVOLU", "NRSEQVOLU")});
}

} // namespace

void RegisterNfeIntakeMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "ListaNFeRecebidas", MethodKind::Read, ListaNFeRecebidas);
    registry.Add(net::kLancNFEntrada, "GetNFeRecebida", MethodKind::Read, GetNFeRecebida);
}

} // namespace dfe::appserver
