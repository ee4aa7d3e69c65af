#include "dfe11000/items/item_lookups.h"

namespace dfe::dfe11000 {

ItemLookups::ItemLookups() {
    qryProduto.SetSQL("SELECT CDARVPROD, CDPRODUTO, NMPRODUTO, CDNVPRODUTO, SGUNIDADE, CDPRODESTO, CDPRODINTE"
                      " FROM PRODUTO WHERE CDNVPRODUTO = :P_CDNVPRODUTO ORDER BY CDARVPROD");
    qryVerifProdEst.SetSQL("SELECT CDPRODUTO, CDPRODESTO FROM PRODUTO"
                           " WHERE (CDPRODUTO = :P_CDPRODUTO) AND (CDPRODUTO = CDPRODESTO)");
    // The branch's rows for the product and for every group whose code begins the product's, the most
    // specific first (the first row decides).
    qryParamCMPProd.SetSQL("SELECT P.IDBLOQNFSAF, PR.CDARVPROD FROM PARAMCMPPROD P, PRODUTO PR"
                           " WHERE (P.CDFILIAL = :P_CDFILIAL)"
                           " AND (SUBSTR(:P_CDARVPROD, 1, LENGTH(PR.CDARVPROD)) = PR.CDARVPROD)"
                           " AND (P.CDPRODUTO = PR.CDPRODUTO) ORDER BY PR.CDARVPROD DESC");
    qryMensagem.SetSQL("SELECT CDMENSAGEM, DSMENSAGEM FROM MENSAGEM WHERE IDSITUACAOMENS = 'A' ORDER BY 1");
}

} // namespace dfe::dfe11000
