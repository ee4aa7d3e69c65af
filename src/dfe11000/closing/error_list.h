#pragma once

// What a closing's coded rows become for the clerk: the visible error list of the error dialog, the products
// whose stock would become irregular, the warning marks written back into the posting, the jump from an error
// to its place, the release codes of the next run, and the refresh command.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe::dfe11000 {

class ErrorListRules : public ModulePart {
public:
    explicit ErrorListRules(TfrmLancNFEntrada& form);
    void Wire();

    // True when the last closing failed (its rows hold "OCORR_ERRO"); an unexpected server failure
    // ("ERROOUTRO") is shown with its detail and abandons.
    bool Existe_Erro();
    // The visible list and the irregular products from the closing's rows; a stopping row shows its message
    // and abandons.
    void MontaErrosVisual();
    // The current closing row written back as a warning mark into the items, taxes, totals or header.
    void Atualiza_ErrosAvisos();
    // Moves the focus to the place a position code names.
    void PosicionaErro(const std::string& code);
    // The product's stock would become irregular (its item shows the error mark).
    bool ResultErroItem(const std::string& product);
    // The release codes a deletion sends: "#LIB00200_3#" with irregular products, else "0#LIB00200_2#".
    std::string ResultIrreg();
    // Empties the closing's rows, the visible list and the irregular products.
    void ClearLists();

    // ---- Commands
    void mnuErrosLancClick();
    void sbtErrosClick();
    void mnuErrosItemClick();
    void sbtVerificarClick();
};

} // namespace dfe::dfe11000
