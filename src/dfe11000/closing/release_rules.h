#pragma once

// The release of a posting by an authorized operator: the entry-date window that asks for the release
// password, and the check that the stock implantation of the entry date was already made.

#include "dfe11000/module/module_part.h"

namespace dfe::dfe11000 {

class ReleaseRules : public ModulePart {
public:
    explicit ReleaseRules(TfrmLancNFEntrada& form);

    void SenhaLiberacao();
    void Verif_Liberacao();
};

} // namespace dfe::dfe11000
