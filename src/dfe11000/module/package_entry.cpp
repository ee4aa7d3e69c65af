// The package's entry points: the host's menu calls CriaLancNFEntrada (or its plain alias IniProc). Only this
// file is compiled into the shared library itself, so that these are its only exported routines.
#include "dfe11000/module/creator.h"

#include "platform/ui/host_services.h"

DFE_DECLARE_PACKAGE()

extern "C" DFE_EXPORT void CriaLancNFEntrada() {
    dfe::dfe11000::ShowPostingForm();
}

extern "C" DFE_EXPORT void IniProc() {
    CriaLancNFEntrada();
}
