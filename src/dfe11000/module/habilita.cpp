#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/screen_layout.h"

namespace dfe::dfe11000 {

void ScreenLayout::Habilita(bool enable) {
    for (Component* c : form_.Components()) {
        if (auto* control = dynamic_cast<Control*>(c); control && control->Tag() == 50)
            control->SetEnabled(enable);
    }
    data_.dtsRomaneioNF->SetEnabled(enable);
    for (MenuItem* item : {&form_.mnuIncluir, &form_.mnuAlterar, &form_.mnuExcluir, &form_.mnuProcurar,
                           &form_.mnuVerificar, &form_.mnuConfirmar, ui_.mnuReplicDoc})
        item->SetEnabled(enable);
    ui_.sbtReplicDoc->SetEnabled(enable);
}

} // namespace dfe::dfe11000
