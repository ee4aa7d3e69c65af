// The filter dialog's creator, called by the posting form when a list is to be chosen.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {

bool CriaFiltroNFEntrada(TfrmLancNFEntrada& form) {
    TfrmFiltroNFEntrada* dialog = nullptr;
    {
        CursorScope hourglass(form.App(), Cursor::HourGlass);
        if (!form.frmFiltroNFEntrada) {
            std::unique_ptr<TfrmFiltroNFEntrada, TfrmLancNFEntrada::FiltroDeleter> created(
                new TfrmFiltroNFEntrada(form.App(), form));
            created->RunCreate();
            form.frmFiltroNFEntrada = std::move(created);
        }
        dialog = form.frmFiltroNFEntrada.get();
    }
    // The answer covers every showing since the dialog was created (a later filter cancelled keeps the list
    // of the earlier one); an include request belongs to this showing only.
    form.Branch().boIncluiAposFiltro = false;
    dialog->ShowModal();
    return dialog->boConfirma;
}

} // namespace dfe::dfe11000
