#pragma once

// What a closing's coded rows become for the clerk: the visible error list of the error dialog, the products
// whose stock would become irregular, the warning marks written back into the posting, the jump from an error
// to its place, the release codes of the next run, and the refresh command.

#include "dfe11000/closing/error_rows.h"
#include "dfe11000/module/module_part.h"

#include <functional>
#include <string>
#include <string_view>

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
    // The closing's rows hold one of this code (in any letter case).
    bool HasClosingRow(std::string_view code);
    // CDOBJETO of the first closing row of the code; empty when there is none.
    std::string ClosingRowObject(std::string_view code);
    // Some closing row's CDOBJETO is this text.
    bool HasClosingObject(std::string_view object);
    // What a visible row's stored text shows.
    std::string DisplayText(const std::string& stored, const std::string& tax) const;

    // ---- Commands
    void mnuErrosLancClick();
    void sbtErrosClick();
    void mnuErrosItemClick();
    void sbtVerificarClick();

private:
    ErrorTexts Texts() const;
    ClosingRow CurrentRow() const;
    void AppendVisible(const RowOutcome& row);
    void AddIrregularProduct(const std::string& product);
    [[noreturn]] void StopWith(const RowOutcome& stop);
    [[noreturn]] void AskSupplierLimit();
    void OpenMonthlyBase();
    void ShowFormPage();
    // Calls `found` for each closing row until it answers true; true when one did.
    bool AnyClosingRow(const std::function<bool()>& found);
};

} // namespace dfe::dfe11000
