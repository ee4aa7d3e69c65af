#include "dfe11000/closing/release_rules.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

ReleaseRules::ReleaseRules(TfrmLancNFEntrada& form) : ModulePart(form) {}

void ReleaseRules::SenhaLiberacao() {}

void ReleaseRules::Verif_Liberacao() {}

} // namespace dfe::dfe11000
