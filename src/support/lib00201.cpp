#include "support/lib00201.h"

#include "platform/core/nfe_access_key.h"
#include "platform/core/text.h"
#include "platform/db/tadoib_query.h"
#include "support/lookup_database.h"

namespace dfe::support::lib00201 {

bool Verifica_DigitoVerificadorNFe(std::string_view key) {
    return nfe::IsValidAccessKey(key);
}

std::string Consulta_GrupoFiscal(std::string_view origDest, std::string_view /*originCode*/,
                                 std::string_view receivingBranch, std::string_view direction,
                                 std::string_view operationType, std::string_view defaultGroup) {
    db::TADOIBQuery query("qryGrupoFiscal");
    query.SetDatabase(&EnsureLookupDatabase());
    query.SetSQL("SELECT CDGRUPOFISC FROM GRUPOFISCOPER WHERE CDFILIAL = :P_CDFILIAL"
                 " AND IDENTRSAIDOP = :P_IDENTRSAIDOP AND CDTIPOOPER = :P_CDTIPOOPER"
                 " AND (IDORIGDESTNF = :P_IDORIGDESTNF OR IDORIGDESTNF = '*')"
                 " ORDER BY CASE WHEN IDORIGDESTNF = '*' THEN 1 ELSE 0 END");
    query.ParamByName("P_CDFILIAL") = Variant(text::Trim(receivingBranch));
    query.ParamByName("P_IDENTRSAIDOP") = Variant(text::Trim(direction));
    query.ParamByName("P_CDTIPOOPER") = Variant(text::Trim(operationType));
    query.ParamByName("P_IDORIGDESTNF") = Variant(text::Trim(origDest));
    query.Open();
    if (query.IsEmpty()) return std::string(defaultGroup);
    const std::string group = text::Trim(query.FieldByName("CDGRUPOFISC").AsString());
    return group.empty() ? std::string(defaultGroup) : group;
}

} // namespace dfe::support::lib00201
