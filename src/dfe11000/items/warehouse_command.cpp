// The command that opens the warehouse and location choice of the posting's goods.
#include "dfe11000/dialogs/frm_almo_local.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

void ItemRules::sbtAlmoLocalClick() {
    // Held down while the dialog is open; the dialog lets it go however it ends.
    ui_.sbtAlmoLocal->SetDown(true);
    CriaAlmoLocal(form_);
}

void ItemRules::mnuAlmoLocalClick() {
    ui_.mnuAlmoLocal->SetChecked(true);
    sbtAlmoLocalClick();
}

} // namespace dfe::dfe11000
