#pragma once

// The electronic access key of the posting (NRACESSONFE) or the verification code of a service invoice
// (CDCHAVEACESNFPS): its layout, its agreement with the header, the other postings holding it, the
// recipient's manifestation, when it is mandatory, and the closing-time checks against the stored XML.

#include "dfe11000/header/operation_type.h"
#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class Field;
}

namespace dfe::dfe11000 {

class AccessKeyRules : public ModulePart {
public:
    explicit AccessKeyRules(TfrmLancNFEntrada& form);
    // The key edits' events and the protocol date's display text.
    void Wire();

    // The key or the service verification code of the posting being edited; refuses with the message of the
    // first rule that fails.
    void Vd_ChaveAcesso();
    // Closing-time checks of a posting generated from an NF-e XML: the issue date and the XML's CFOPs.
    void Vd_DataEmissXML();
    void Vd_CFOPXML_TIPOOPER();

    void dbeChaveAcessoExit();
    void dbeChavePServExit();
    void dbeChaveAcessoKeyPress(char32_t& key);
    void dbeChaveAcessoKeyDown(int& key);
    static void cdsNotaFiscalDTHRPROTOCOLNFEGetText(const Field& field, std::string& text, bool displayText);

    // A key the import dialogs let the clerk post without an XML: it cannot be typed over and leaving it does
    // not check it. Set by the NF-e and AF import dialogs; cleared by include, change, cancel and confirm.
    bool boChaveManual = false;

private:
    void CheckKey(const std::string& key, const OperationType& type);
    bool KeyValidatedInCountry();
    void CheckOtherPostings(const std::string& key);
    void CompareWithHeader(const std::string& key);
    void CheckManifestation(const std::string& key);
    bool KeyMandatory(const OperationType& type) const;
    // A parameter of the header's supplier; empty when the parameters loaded belong to no or another
    // supplier.
    std::string SupplierParam(const char* name) const;
    void ShowRecordPage();
    [[noreturn]] void Refuse(const char* code, const std::string& value = {});
};

} // namespace dfe::dfe11000
