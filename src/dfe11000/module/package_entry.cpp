// The package's entry points: the host's menu calls CriaLancNFEntrada (or its plain alias IniProc). Only this
// file is compiled into the shared library itself, so that these are its only exported routines.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/module/creator.h"
#include "dfe11000/module/module_state.h"

#include "platform/ui/host_services.h"

DFE_DECLARE_PACKAGE()

extern "C" DFE_EXPORT void CriaLancNFEntrada() {
    dfe::dfe11000::ShowPostingForm();
}

extern "C" DFE_EXPORT void IniProc() {
    CriaLancNFEntrada();
}

// The posting filter of the open posting screen; false when it was not confirmed or the screen is not open.
extern "C" DFE_EXPORT bool CriaFiltroNFEntrada() {
    dfe::dfe11000::TfrmLancNFEntrada* form = dfe::dfe11000::Cli_dfe11000().frmLancNFEntrada;
    return form && dfe::dfe11000::CriaFiltroNFEntrada(*form);
}
