#pragma once

// The release of a posting by an authorized operator: the entry-date window that asks for the release
// password, and the check that the stock implantation of the entry date was already made. Each grant
// lasts for the posting until it is left or its edit cancelled.

#include "dfe11000/module/module_part.h"

namespace dfe::dfe11000 {

class ReleaseRules : public ModulePart {
public:
    explicit ReleaseRules(TfrmLancNFEntrada& form);

    // Asks the release password when the entry date lies outside the window; abandons silently when
    // no entitled operator confirmed it.
    void SenhaLiberacao();
    // Asks whether to go on when the stock implantation of the entry date was already made; abandons
    // silently on No.
    void Verif_Liberacao();
};

} // namespace dfe::dfe11000
