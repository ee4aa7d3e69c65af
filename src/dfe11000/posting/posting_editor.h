#pragma once

// The editing lifecycle of a posting: include, change, confirm and cancel, the new posting's defaults, the
// reactions to the datasets' states, and the command states of the screen.

#include "dfe11000/module/module_part.h"

#include <string>
#include <utility>

namespace dfe {
class Control;
class DataSource;
} // namespace dfe

namespace dfe::dfe11000 {

class PostingEditor : public ModulePart {
public:
    explicit PostingEditor(TfrmLancNFEntrada& form) : ModulePart(form) {}
    void Wire();

    // ---- The commands
    void Include();
    void Change();
    void Confirm();
    void Cancel();
    // Discards the pending changes of every posting dataset and returns to the list.
    void Cancela();
    // The header completeness check of the closing.
    void ValidaCampos();

    // ---- Command states
    // Command states from a data source's state (the list's or the header's).
    void ControlaBotoes(DataSource& source);
    void AtualizaMenus();
    void DisableForInsert();

    // ---- Reactions of the datasets
    void cdsNotaFiscalNewRecord();
    void dtsPadraoStateChange();
    // A detail entering edit puts the header into edit (with `change`, the module's boChange).
    void EditaTabela(DataSource& source, bool change);
    void cdsNotaFiscalBeforeEdit();
    void cdsNotaFiscalAfterEdit();
    void cdsNotaFiscalBeforePost();
    void cdsNotaFiscalAfterScroll();

    // ---- State of the posting being edited
    // The fiscal group the tax rules remembered for the current posting.
    const std::string& GrupoFiscal() const { return stGrupoFiscal; }
    void ClearGrupoFiscal() { stGrupoFiscal.clear(); }
    void SetGrupoFiscal(std::string group) { stGrupoFiscal = std::move(group); }
    // Include, cancel and closing set it; the AF import may clear it.
    bool RelacAF() const { return boRelacAF; }
    // State and municipality as last posted, for the service-location rule.
    const std::string& EstadoAnt() const { return stEstadoAnt; }
    const std::string& MunicipioAnt() const { return stMunicipioAnt; }
    // The service place the location dialog accepted for this posting; an AF import copies it.
    const std::string& EstPrestServ() const { return stEstPrestServ; }
    const std::string& MunPrestServ() const { return stMunPrestServ; }
    void SetPrestServ(std::string state, std::string municipality) {
        stEstPrestServ = std::move(state);
        stMunPrestServ = std::move(municipality);
    }
    // Set by the AF and NF-e import dialogs when they accepted an access key.
    bool boChaveAceita = false;
    // "S" when the NF-e comparison found errors in the posting.
    std::string stErroNFE = "N";
    // "S" once the closing has started for the posting being confirmed.
    std::string stFechamento = "N";
    bool boCancelaCpfCnpj = false;

private:
    void ResetPostingTexts();
    void ClearServiceLocationMemory();
    void InsertListRow();
    void AskManifestation();
    void FocusAfterChange();
    void LoadSupplierParams();
    void ConfirmHeaderRules();
    void Refuse(Control* focus, const char* code);
    void RunPendingExit();
    bool CancelEditedDetail();
    void CancelDetailsAndRow();
    void ReleaseFailed();
    bool StockMoves();
    void UpdateStockDate();
    void EnableBranchEditors(bool enabled);

    std::string stGrupoFiscal;
    bool boRelacAF = false;
    std::string stEstadoAnt;
    std::string stMunicipioAnt;
    std::string stEstPrestServ;
    std::string stMunPrestServ;
};

} // namespace dfe::dfe11000
