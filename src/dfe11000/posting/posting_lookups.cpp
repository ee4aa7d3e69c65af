#include "dfe11000/posting/posting_lookups.h"

#include <string>

namespace dfe::dfe11000 {

PostingLookups::PostingLookups() {
    qryParamGeral.SetSQL("SELECT P.CDPARAMGERAL, P.IDCACHPRODFI, P.IDUTRELPRODSERV, P.IDPERVISIMPSCRE"
                         " FROM PARAMGERAL P ORDER BY P.CDPARAMGERAL");
    // The product of the branch by its typed code: the cached text reads the branch's products only.
    const char* product =
        "SELECT P.CDPRODUTO, P.NMPRODUTO, P.SGUNIDADE, P.CDPRODESTO, P.CDARVPROD, P.VRFATOCONV"
        " FROM PRODUTO P WHERE P.CDARVPROD = :P_CDPRODUTO AND P.IDPRODATIVPR = 'S'";
    qrySemCache.SetSQL(product);
    qryProdCache.SetSQL(std::string(product) +
                        " AND EXISTS (SELECT 1 FROM FILIAL F WHERE F.CDFILIAL = :P_CDFILIAL)");
}

} // namespace dfe::dfe11000
