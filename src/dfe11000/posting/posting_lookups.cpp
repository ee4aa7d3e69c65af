#include "dfe11000/posting/posting_lookups.h"

#include <string>

namespace dfe::dfe11000 {

PostingLookups::PostingLookups() {
    qryParamGeral.SetSQL("SELECT P.CDPARAMGERAL, P.IDCACHPRODFI, P.IDUTRELPRODSERV, P.IDPERVISIMPSCRE"
                         " FROM PARAMGERAL P ORDER BY P.CDPARAMGERAL");
    // The product by its typed code: active in the register, and, where the installation caches each
    // branch's catalogue, listed active in the branch's.
    const char* product =
        "SELECT P.CDPRODUTO, P.NMPRODUTO, P.SGUNIDADE, P.CDPRODESTO, P.CDARVPROD, P.VRFATOCONV"
        " FROM PRODUTO P WHERE P.CDARVPROD = :P_CDPRODUTO AND P.IDPRODATIVPR = 'S'";
    qrySemCache.SetSQL(product);
    qryProdCache.SetSQL(std::string(product) +
                        " AND EXISTS (SELECT 1 FROM PRODUTOFILIAL F WHERE F.CDFILIAL = :P_CDFILIAL"
                        " AND F.CDPRODUTO = P.CDPRODUTO AND F.IDATIVO = 'S')");
}

} // namespace dfe::dfe11000
