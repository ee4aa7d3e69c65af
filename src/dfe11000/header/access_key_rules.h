#pragma once

// The electronic access key of the posting (NRACESSONFE) or the verification code of a service invoice
// (CDCHAVEACESNFPS): its layout, its agreement with the header, the other postings holding it, the
// recipient's manifestation, when it is mandatory, and the closing-time checks against the stored XML.

#include "dfe11000/module/module_part.h"

namespace dfe::dfe11000 {

class AccessKeyRules : public ModulePart {
public:
    explicit AccessKeyRules(TfrmLancNFEntrada& form);
    // The key edits' events and the protocol date's display text.
    void Wire();

    void Vd_ChaveAcesso();
    void Vd_DataEmissXML();
    void Vd_CFOPXML_TIPOOPER();
};

} // namespace dfe::dfe11000
