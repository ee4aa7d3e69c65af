#pragma once

// Closing a posting: the client's checks in their order, the whole posting sent to the server with the
// release codes the clerk accepted, and what follows the answer: the numbers the server gave taken over and
// the posting reloaded, or the rows removed before the call restored and the errors shown.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe::dfe11000 {

class ClosingRules : public ModulePart {
public:
    explicit ClosingRules(TfrmLancNFEntrada& form);

    // Runs a closing with the release codes ("0" for a first run). True when the server closed the posting;
    // a refusal before the call, or a failed closing, leaves the header in edit.
    bool FechaNotaFiscal(const std::string& releaseCodes);
};

} // namespace dfe::dfe11000
