// The product validation lookup reads the branch's product cache when the installation uses it.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::CacheProdFil() {
    qryValidProd.Close();
    if (!qryParamGeral.Active()) qryParamGeral.Open();
    const bool cached = FieldText(qryParamGeral, "IDCACHPRODFI") == "S" && !Cli_dfe11000().boImportaAF;
    qryValidProd.CopyFrom(cached ? qryProdCache : qrySemCache);
}

} // namespace dfe::dfe11000
