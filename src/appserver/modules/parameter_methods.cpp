#include "appserver/modules/parameter_methods.h"

#include "platform/net/answer_reader.h"
#include "platform/net/posting_calls.h"

#include "appserver/modules/packet_answer.h"
#include "platform/core/text.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

constexpr size_t kSupplierCodeWidth = 21;

// Document parameters of the branch, with its processing date.
Variant GetParamDFE(MethodContext& call) {
    const std::string branch = text::Trim(call.Text(0));
    const Packet p = call.Db().Query("SELECT P.*, F.DTPROCESSA FROM PARAMDFE P"
                                     " JOIN FILIAL F ON F.CDFILIAL = P.CDFILIAL"
                                     " WHERE P.CDFILIAL = :P_CDFILIAL",
                                     {{"P_CDFILIAL", branch}});
    if (p.rows.empty()) {
        throw MethodRefusal("Parâmetros do lançamento de notas fiscais não cadastrados para a filial " +
                            branch + ".");
    }
    return PacketAnswer(p);
}

Variant GetImpFili(MethodContext& call) {
    return PacketAnswer(call.Db().Query("SELECT CDIMPOSTO, CDGRUPOFISC FROM GRUPOIMPFILI"
                                        " WHERE CDFILIAL = :P_CDFILIAL ORDER BY CDIMPOSTO",
                                        {{"P_CDFILIAL", text::Trim(call.Text(0))}}));
}

// A supplier without its own parameter row gets the defaults: homologated, every other flag "N", numbers 0.
void FillSupplierDefaults(Packet& p) {
    for (PacketRow& row : p.rows) {
        for (size_t i = 0; i < p.fields.size(); ++i) {
            Variant& v = row.values[i];
            if (!v.IsNull()) continue;
            const FieldDef& f = p.fields[i];
            if (f.type == FieldType::Float)
                v = Variant(0.0);
            else if (f.type == FieldType::Integer)
                v = Variant(int64_t{0});
            else if (f.type == FieldType::String && f.size == 1)
                v = Variant(f.name == "IDFORNEHOMO" ? "S" : "N");
        }
    }
}

Variant GetParamForn(MethodContext& call) {
    return SupplierParameterAnswer(call.Db(), text::Trim(call.Text(0)));
}

Variant GetParamEmpresa(MethodContext& call) {
    Packet p = call.Db().Query("SELECT E.CDEMPRESA, P.IDOBRIGNATFRETE FROM EMPRESA E"
                               " LEFT JOIN PARAMEMPRESA P ON P.CDEMPRESA = E.CDEMPRESA"
                               " WHERE E.CDEMPRESA = :P_CDEMPRESA",
                               {{"P_CDEMPRESA", text::Trim(call.Text(0))}});
    for (PacketRow& row : p.rows) {
        if (row.values[1].IsNull()) row.values[1] = Variant("N");
    }
    return PacketAnswer(p);
}

Variant GetParamGeral(MethodContext& call) {
    const Packet p = call.Db().Query("SELECT * FROM PARAMGERAL WHERE CDPARAMGERAL = 1");
    if (p.rows.empty()) throw MethodRefusal("Parâmetros gerais não cadastrados.");
    return PacketAnswer(p);
}

Variant GetImpImpo(MethodContext& call) {
    return PacketAnswer(
        call.Db().Query("SELECT CDIMPOSTO, CDENCARGOIMPXML FROM IMPIMPOXML ORDER BY CDIMPOSTO"));
}

} // namespace

// An unknown or empty supplier gets empty packets (postings of customers and branches confirm with it too); a
// code that cannot be a supplier is refused.
Variant SupplierParameterAnswer(db::Database& db, const std::string& supplier) {
    if (text::Length(supplier) > kSupplierCodeWidth) {
        return Variant::Array({"N", "Código de fornecedor inválido: " + supplier});
    }
    const db::SqlParams params = {{"P_CDFORNECED", supplier}};
    Packet parameters =
        db.Query("SELECT F.CDFORNECED, P.IDFORNEHOMO, P.IDBLQNFRELAFOAF, P.IDOBRIMPXMLNF, P.IDOBRCHAVACESFO,"
                 " P.IDVERINSFORCHNFE, P.IMPVENCXML, P.IDSIMPLESNACIONAL, P.IDBLOQALTPRODREL, P.IDUTPRIGXML,"
                 " P.IDUTILAFXMLFORN, P.IDREACONFVRNF, P.IDIMPVENCXMLCTE, P.IDNGRAVARELAC, P.VRMAXPERMFORN,"
                 " P.QTREPETEPRODNF, P.CDPRODCONSREPE"
                 " FROM FORNECEDOR F LEFT JOIN PARAMFORNEC P ON P.CDFORNECED = F.CDFORNECED"
                 " WHERE F.CDFORNECED = :P_CDFORNECED",
                 params);
    FillSupplierDefaults(parameters);
    const Packet mode =
        db.Query("SELECT IDUTPRODXFORNDF FROM PARAMFORNEC WHERE CDFORNECED = :P_CDFORNECED", params);
    const bool usesRules = !mode.rows.empty() && mode.rows[0].values[0].AsString() == "S";
    const Packet rules = db.Query("SELECT IDENTRSAIDOP, CDTIPOOPER, CDFORNECED, CDPRODUTO, IDUTILIZA, CDPAIS,"
                                  " SGESTADO, CDMUNICIPIO FROM PRODXFORNDF WHERE CDFORNECED = :P_CDFORNECED"
                                  " ORDER BY CDTIPOOPER, CDPRODUTO, CDPAIS, SGESTADO, CDMUNICIPIO",
                                  params);
    return net::AnswerWriter(net::kGetParamFornAnswer)
        .Set("accepted", Variant("S"))
        .Set("parameters", PacketAnswer(parameters))
        .Set("stParamForn", Variant(usesRules ? kUsesProdXForn : kNoProdXForn))
        .Set("cdsProdXFornDF", PacketAnswer(rules))
        .Finish();
}

void RegisterParameterMethods(MethodRegistry& registry) {
    registry.Add(net::kDocFiscEntrada, "GetParamDFE", MethodKind::Read, GetParamDFE);
    registry.Add(net::kLancNFEntrada, "GetImpFili", MethodKind::Read, GetImpFili);
    registry.Add(net::kLancNFEntrada, "GetParamForn", MethodKind::Read, GetParamForn);
    registry.Add(net::kLancNFEntrada, "GetParamEmpresa", MethodKind::Read, GetParamEmpresa);
    registry.Add(net::kLancNFEntrada, "GetParamGeral", MethodKind::Read, GetParamGeral);
    registry.Add(net::kLancNFEntrada, "GetImpImpo", MethodKind::Read, GetImpImpo);
}

} // namespace dfe::appserver
