// The product validation lookup reads the branch's product cache when the installation uses it.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"

namespace dfe::dfe11000 {

void PostingLoader::CacheProdFil() {
    lookups_.qryValidProd.Close();
    if (!lookups_.qryParamGeral.Active()) lookups_.qryParamGeral.Open();
    const bool cached =
        FieldText(lookups_.qryParamGeral, "IDCACHPRODFI") == "S" && !Cli_dfe11000().boImportaAF;
    lookups_.qryValidProd.CopyFrom(cached ? lookups_.qryProdCache : lookups_.qrySemCache);
}

} // namespace dfe::dfe11000
