#pragma once

// The rules of the posting's items and their commands.

#include "dfe11000/module/module_part.h"

namespace dfe::dfe11000 {

class ItemRules : public ModulePart {
public:
    explicit ItemRules(TfrmLancNFEntrada& form) : ModulePart(form) {}
    void Wire();

    // Where the posting's goods enter stock; the dialog writes the choice itself, so its answer is not used.
    void sbtAlmoLocalClick();
    void mnuAlmoLocalClick();
};

} // namespace dfe::dfe11000
