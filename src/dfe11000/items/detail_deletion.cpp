#include "dfe11000/items/detail_deletion.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/core/abort.h"
#include "support/current_dialogs.h"

namespace dfe::dfe11000 {

void ConfirmDetailDeletion(TfrmLancNFEntrada& form, const DataSet& details) {
    const std::string& name = details.Name();
    const Control* active = form.ActiveControl();
    if (active && name.size() > 3 && active->Name() == "dbg" + name.substr(3)) {
        std::string question = form.msgPadrao.Msg("Excl_Items");
        if (const size_t at = question.find("%s"); at != std::string::npos)
            question.replace(at, 2, form.msgPadrao.Msg(name));
        const int answer = support::CurrentDialogs().ShowMessage(
            MessageRequest{"Excl_Items", question, DialogType::Confirmation, mb::YesNo, {}});
        if (answer != mr::Yes) ThrowAbort();
    }
    DataSet& header = form.data.cdsNotaFiscal;
    if (header.Active() && header.State() == DataSetState::Browse && !header.IsEmpty()) header.Edit();
}

} // namespace dfe::dfe11000
