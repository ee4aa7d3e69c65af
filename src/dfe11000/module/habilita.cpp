#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::Habilita(bool enable) {
    for (Component* c : Components()) {
        if (auto* control = dynamic_cast<Control*>(c); control && control->Tag() == 50)
            control->SetEnabled(enable);
    }
    dtsRomaneioNF->SetEnabled(enable);
    for (MenuItem* item :
         {&mnuIncluir, &mnuAlterar, &mnuExcluir, &mnuProcurar, &mnuVerificar, &mnuConfirmar, mnuReplicDoc})
        item->SetEnabled(enable);
    sbtReplicDoc->SetEnabled(enable);
}

} // namespace dfe::dfe11000
