#pragma once

// The branch panel on top of the form: choosing the branch, and what leaving it sets off (the branch's
// parameters, then the filter and the list).

#include "dfe11000/module/module_part.h"

namespace dfe::dfe11000 {

class BranchPanel : public ModulePart {
public:
    explicit BranchPanel(TfrmLancNFEntrada& form) : ModulePart(form) {}
    void Wire();

    void medCdFilialChange();
    void medCdFilialEnter();
    void medCdFilialExit();
    void panFilialEnter();
    void panFilialExit();
    void sbtFiltroClick();
    // The branch edit has the focus: the filter has not taken over yet.
    bool FiltroAtivo() const;

    // Set by the filter's confirm and include, taken by the branch panel's exit.
    bool boFiltroConfirmado = false;
    // The filter asked for a new posting: the form starts one once the filter is closed.
    bool boIncluiAposFiltro = false;
};

} // namespace dfe::dfe11000
