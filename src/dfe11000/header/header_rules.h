#pragma once

// The header's rules: the branch in process, the company, the operation type and the header panel that
// fixes both.

#include "dfe11000/header/operation_type.h"
#include "dfe11000/module/module_part.h"

#include <optional>
#include <string>

namespace dfe {
class Control;
class DBEdit;
} // namespace dfe

namespace dfe::dfe11000 {

class HeaderRules : public ModulePart {
public:
    explicit HeaderRules(TfrmLancNFEntrada& form) : ModulePart(form) {}
    // The header controls' events and the operation type lookup's parameters.
    void Wire();

    // ---- The operation type
    // The current operation type: the one shown on the list row or typed, else the one the rules last
    // took up ("00" before any).
    const std::string& CurrentType() const { return stTipoOperAtual; }
    void SetCurrentType(std::string code) { stTipoOperAtual = code.empty() ? "00" : std::move(code); }
    // The attributes of the current operation type. Read once per code and kept until another posting
    // starts or is loaded, or the clerk leaves the type's editor: the rules ask them many times per item.
    OperationType TipoOper();
    void ForgetOperationType();
    // Reopens qryTipoOperac by its before-open rule (the typed code, or every type while a search is open).
    void ReopenTipoOperac();
    // Reopens qryTipoOperac for the current operation type.
    void ReopenTipoOperacForCurrent();
    // IDUTILEMISNF of the operation type last read into qryTipoOperac (the number is then optional).
    const std::string& IdUtilEmisNF() const { return stIdUtilEmisNF; }
    void Vd_TpOper();
    void Vd_BloqueiaNfCMP();
    void dbeCdTipoOperExit();
    void dbeCdTipoOperChange();
    void btpTipoOperBeforePesq();
    void btpTipoOperAfterPesq();
    void qryTipoOperacBeforeOpen();
    // What the operation type decides on the record page.
    void EnableTaxGridsByOperation();
    void EnableOriginEditorsByOperation();
    void ShowParticipantByOperation();
    void ShowItemGridOriginColumn();

    // ---- The branch
    void Vd_Filial(bool required);
    void Vd_FiliInat();
    void Vd_OperadorRelac();
    // Reopens qryFiliRece for one branch (empty: every branch).
    void OpenBranchLookup(const std::string& branch);
    std::string BranchName(const std::string& branch);
    void btpFilialBeforePesq();
    void btpFilialAfterPesq();

    // ---- The company
    void Vd_Empresa(bool required);
    void dbeCdEmpresaExit();
    void dbeCdEmpresaChange();
    void btpEmpresaBeforePesq();
    void btpEmpresaAfterPesq();
    // The state registration lookup of the header's company and registration.
    void ReopenInscrEstad();

    // ---- The header panel (company and operation type)
    void panEnter();
    void panExit();

    // The participant's identification field of the nbkDestino page shown.
    DBEdit* ParticipantField() const;

private:
    void RefuseOn(Control* focus, const char* code);
    std::string TypedOrCurrentType() const;

    std::string stTipoOperAtual = "00";
    std::optional<OperationType> operationType_; // of the code qryTpOper was opened with
    std::string stIdUtilEmisNF;
};

} // namespace dfe::dfe11000
