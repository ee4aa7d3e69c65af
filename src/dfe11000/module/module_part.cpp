#include "dfe11000/module/module_part.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

ModulePart::ModulePart(TfrmLancNFEntrada& form)
    : form_(form), data_(form.data), lookups_(form.lookups), ui_(form.ui), server_(form.server) {}

} // namespace dfe::dfe11000
