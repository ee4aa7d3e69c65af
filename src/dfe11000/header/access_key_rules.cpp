#include "dfe11000/header/access_key_rules.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

AccessKeyRules::AccessKeyRules(TfrmLancNFEntrada& form) : ModulePart(form) {}

void AccessKeyRules::Wire() {}

void AccessKeyRules::Vd_ChaveAcesso() {}

void AccessKeyRules::Vd_DataEmissXML() {}

void AccessKeyRules::Vd_CFOPXML_TIPOOPER() {}

} // namespace dfe::dfe11000
