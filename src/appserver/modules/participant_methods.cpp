#include "appserver/modules/participant_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/model_query.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

// The models an operation type allows (model_query.h). "S" first asks for the electronic models only, else
// "T" last for every model, else the models that are not electronic.
Variant GetModDoc(MethodContext& call) {
    ExpectArgCount(call, 3, 3);
    const std::string electronicOnly = CodeArg(call, 0, 1, "somente modelos eletrônicos");
    ModelFilter filter;
    filter.operationType = CodeArg(call, 1, 2, "tipo de operação");
    const std::string all = CodeArg(call, 2, 1, "todos os modelos");
    if (electronicOnly == "S")
        filter.kind = ModelFilter::Kind::ElectronicOnly;
    else if (all != "T")
        filter.kind = ModelFilter::Kind::PaperOnly;
    return Variant(AllowedModels(call.Db(), ModDocLayout(), filter));
}

// The supplier's qualifications at the central purchasing branch that hold on the entry date, whatever its
// time of day.
Variant GetQualifForn(MethodContext& call) {
    ExpectArgCount(call, 3, 3);
    const std::string branch = CodeArg(call, 0, 4, "filial central de compras");
    const std::string supplier = CodeArg(call, 1, 21, "fornecedor");
    const std::optional<DateTime> date = DateArg(call, 2, "data de entrada");
    if (!date)
        throw MethodRefusal("A data de entrada deve ser informada para ler as qualificações do fornecedor.");
    const std::string sql =
        "SELECT " + SelectList(QualifFornLayout(), "Q") +
        " FROM QUALIFFORN Q WHERE Q.CDFILIAL = :P_CDFILIAL AND Q.CDFORNECED = :P_CDFORNECED"
        " AND Q.DTINIVALI <= :P_DATA AND (Q.DTFIMVALI IS NULL OR Q.DTFIMVALI >= :P_DATA)"
        " ORDER BY Q.CDQUALIF, Q.DTINIVALI";
    return Variant(QueryPacket(call.Db(), QualifFornLayout(), sql,
                               {{"P_CDFILIAL", branch},
                                {"P_CDFORNECED", supplier},
                                {"P_DATA", Variant(DateTime(static_cast<double>(date->WholeDays())))}}));
}

// "S" when a supplier of that registration number sends its documents by EDI, "N" otherwise (also for a
// number no supplier has).
Variant VerifFornEDI(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    const std::string number = CodeArg(call, 0, 20, "inscrição do fornecedor");
    const Packet edi = call.Db().Query("SELECT 1 FROM FORNECEDOR WHERE NRINSJURFORN = :P_NRINSJURFORN"
                                       " AND IDUTILEDI = 'S'",
                                       {{"P_NRINSJURFORN", number}});
    return Variant(edi.rows.empty() ? "N" : "S");
}

} // namespace

void RegisterParticipantMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "GetModDoc", MethodKind::Read, GetModDoc);
    registry.Add(net::kLancNFEntrada, "GetQualifForn", MethodKind::Read, GetQualifForn);
    registry.Add(net::kLancNFEntrada, "VerifFornEDI", MethodKind::Read, VerifFornEDI);
}

} // namespace dfe::appserver
