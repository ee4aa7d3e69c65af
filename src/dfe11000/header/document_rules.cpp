#include "dfe11000/header/document_rules.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

DocumentRules::DocumentRules(TfrmLancNFEntrada& form) : ModulePart(form) {}

void DocumentRules::Wire() {}

} // namespace dfe::dfe11000
