#include "support/inscricao_vigencia.h"

#include "platform/core/text.h"
#include "platform/db/tadoib_query.h"

namespace dfe::support {

bool Verifica_Vigencia_Insc(const std::string& registration, const std::string& company, DateTime date) {
    if (text::Trim(registration).empty()) return true;
    db::TADOIBQuery query("qryVigenciaInsc");
    query.SetSQL("SELECT DTINIVIGENCIA, DTFIMVIGENCIA FROM INSCESTADUAL"
                 " WHERE CDEMPRESA = :P_CDEMPRESA AND CDINSCESTA = :P_CDINSCESTA");
    query.ParamByName("P_CDEMPRESA") = Variant(company);
    query.ParamByName("P_CDINSCESTA") = Variant(registration);
    query.Open();
    if (query.IsEmpty()) return false;
    const int64_t day = date.WholeDays();
    const Field& from = query.FieldByName("DTINIVIGENCIA");
    const Field& to = query.FieldByName("DTFIMVIGENCIA");
    return (from.IsNull() || from.AsDateTime().WholeDays() <= day) &&
           (to.IsNull() || to.AsDateTime().WholeDays() >= day);
}

} // namespace dfe::support
