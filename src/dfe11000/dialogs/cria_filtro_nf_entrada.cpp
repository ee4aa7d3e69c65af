// The filter dialog's creator, called by the posting form when a list is to be chosen.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"

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
    // Each showing answers for itself: a refused or cancelled filter never reports an earlier confirmation,
    // nor an earlier include.
    dialog->boConfirma = false;
    form.boIncluiAposFiltro = false;
    dialog->ShowModal();
    return dialog->boConfirma;
}

} // namespace dfe::dfe11000
