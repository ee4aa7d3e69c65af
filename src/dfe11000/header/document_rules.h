#pragma once

// The document's identity: its model, series, number, issue and entry dates and total value, the duplicate
// number check against the other postings, and the exits of the panels that hold them.

#include "dfe11000/module/module_part.h"

namespace dfe::dfe11000 {

class DocumentRules : public ModulePart {
public:
    explicit DocumentRules(TfrmLancNFEntrada& form);
    void Wire();
};

} // namespace dfe::dfe11000
