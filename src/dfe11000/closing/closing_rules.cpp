// Closing a posting.
#include "dfe11000/closing/closing_rules.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"

namespace dfe::dfe11000 {

ClosingRules::ClosingRules(TfrmLancNFEntrada& form) : ModulePart(form) {}

bool ClosingRules::FechaNotaFiscal(const std::string& releaseCodes) {
    return dfe11000::FechaNotaFiscal(form_, releaseCodes);
}

} // namespace dfe::dfe11000
