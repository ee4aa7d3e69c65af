#pragma once

// The lookups of the item rules: the product search, the stock-product check, the per-product purchase
// authorization rule, the registered messages offered as additional data, and what the taxes and
// installments read. Their texts are set here, once;
// the product search's text may be replaced by the catalogue's search routines.

#include "platform/data/data_source.h"
#include "platform/db/tadoib_query.h"

namespace dfe::dfe11000 {

struct ItemLookups {
    ItemLookups();

    db::TADOIBQuery qryProduto{"qryProduto"};
    DataSource dtsProduto{&qryProduto};
    db::TADOIBQuery qryVerifProdEst{"qryVerifProdEst"};
    db::TADOIBQuery qryParamCMPProd{"qryParamCMPProd"};
    db::TADOIBQuery qryMensagem{"qryMensagem"};
    DataSource dtsMensagem{&qryMensagem};
    // ---- Taxes and installments: a tax's treatment, the CFOPs that make up no installment, the payable
    // types.
    db::TADOIBQuery qryImposto{"qryImposto"};
    db::TADOIBQuery qrySubtVrBruto{"qrySubtVrBruto"};
    db::TADOIBQuery qryVdTpCtPag{"qryVdTpCtPag"};
    db::TADOIBQuery qryTpCtPag{"qryTpCtPag"};
    DataSource dtsTpCtPag{&qryTpCtPag};
};

} // namespace dfe::dfe11000
