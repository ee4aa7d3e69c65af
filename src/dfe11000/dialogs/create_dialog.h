#pragma once

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/ui/application.h"

#include <memory>

namespace dfe::dfe11000 {

// A dialog of the posting form, created under the hourglass for one showing: the creator prepares it, shows
// it and reads its answer before it goes, so nothing of a former showing comes back.
template <class Dialog> std::unique_ptr<Dialog> CreateDialog(TfrmLancNFEntrada& form) {
    CursorScope hourglass(form.App(), Cursor::HourGlass);
    auto dialog = std::make_unique<Dialog>(form.App(), form);
    dialog->RunCreate();
    return dialog;
}

} // namespace dfe::dfe11000
