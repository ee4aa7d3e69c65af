#pragma once

// The module's parameters: the branch's document parameters with its fiscal groups, the supplier's, the
// company's and the installation's, loaded from the server into their datasets.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe::dfe11000 {

class ModuleParameters : public ModulePart {
public:
    explicit ModuleParameters(TfrmLancNFEntrada& form) : ModulePart(form) {}

    void GetParamDFE(const std::string& branch);
    bool ParamDFELoadedFor(const std::string& branch) const;
    // Loads them again from the server even when the branch's are loaded (the processing date moves on).
    void ReloadParamDFE(const std::string& branch) {
        paramDFEComplete_ = false;
        GetParamDFE(branch);
    }
    void cdsParamDFEAfterOpen();
    void GetParamForn(const std::string& supplier);
    // Empties the supplier datasets and string, so that no other supplier's rules apply after a failure.
    void ClearSupplierParams();
    // The supplier string of GetParamForn (element 2 of its answer); empty when none was loaded.
    const std::string& SupplierString() const { return stParamForn; }
    void SetSupplierString(std::string text) { stParamForn = std::move(text); }
    void GetParamEmpresa(const std::string& company);
    void GetParamGeral();
    // The supplier search is offered by the branch's parameter and the operation type.
    void ApplySupplierSearchRule();

private:
    bool paramDFEComplete_ = false;
    std::string stParamForn;
};

} // namespace dfe::dfe11000
