#pragma once

// The participant of the posting: the supplier rule (registration, relation to the imported authorizations,
// operation types released for the supplier, inactive suppliers, qualification, the EDI block), the
// customer and issuing-branch rules, their searches, and what accepting a participant gives a new posting.

#include "dfe11000/module/module_part.h"

#include <string>

namespace dfe {
class Control;
class DataSource;
} // namespace dfe

namespace dfe::dfe11000 {

class ParticipantRules : public ModulePart {
public:
    explicit ParticipantRules(TfrmLancNFEntrada& form) : ModulePart(form) {}
    void Wire();

    // ---- The rules; each refuses with its message and abandons the caller.
    void Vd_Fornecedor(bool required);
    void Vd_Cliente();
    void Vd_FiliEmit();
    // The rule of the participant page shown.
    void Vd_Origem();

    // ---- Events
    void dbeNrInsJurNFEnter();
    void dbeNrInsJurNFExit();
    void dbeNrInsJurNFChange();
    void btpFornecedorBeforePesq();
    void btpFornecedorAfterPesq();
    void dbeNrInsJurClieEnter();
    void dbeNrInsJurClieExit();
    void dbeNrInsJurClieChange();
    void btpClienteBeforePesq();
    void btpClienteAfterPesq();
    void dbeCdFilialExit();
    void dbeCdFilialChange();
    void btpFiliEmitBeforePesq();
    void btpFiliEmitAfterPesq();
    void nbkDestinoExit();

    // Binds (or unbinds) the shown fields of a participant page to their lookup.
    void PesqFornecedor(bool bind);
    void PesqCliente(bool bind);
    void PesqFilial(bool bind);
    // The participant's place (by the operation type's kind) and the recipient's, for other modules.
    void EndeOrigDest(std::string& country, std::string& state, std::string& municipality,
                      std::string& recipientCountry, std::string& recipientState);

    // The first model the operation type allows into an empty header model, electronic ones only when the
    // access key is mandatory and the operation electronic.
    void ProposeModel();
    // Reads the header's supplier into qryFornecedor and loads its parameters when others are loaded; a
    // number no supplier has (a customer or a branch document) loads nothing.
    void RefreshSupplierParams();
    // After a change that moves the due dates: asks "GeraVenc" and generates the installments again.
    void AskInstallments();
    // Leaving the issue panel's inner panel: the supplier is required, then the number must be free.
    void Panel9Exit();
    // An authorization imported without a supplier: the supplier, series and number may stay empty.
    bool AFWithoutSupplier() const;

    // Set by the NF-e and AF imports for the posting they built: the EDI block does not apply to it.
    bool boDocImportado = false;
    // The AF import is building the posting.
    bool boImportandoAF = false;

private:
    void CheckAFSupplier();
    void ReadSupplier(const char* missingCode);
    void ReadSupplierQuietly();
    void CheckReleasedOperationType();
    void CheckQualification();
    void DefaultModelForSupplier();
    void AcceptCustomer();
    void AcceptIssuingBranch();
    void AcceptedOnNewPosting();
    void CheckEDI();
    void EnableItemGridBySupplier();
    // What a new posting takes from an accepted participant, and its charge lines.
    void NewPostingDefaults();
    void DefaultModel(bool electronicOnly);
    void BindTag(int tag, DataSource* source);
    void SetNumberMask(const std::string& personType);
    void ShowRecordPageAndFocus(Control* control);
    [[noreturn]] void Refuse(Control* focus, const char* code, const std::string& text = {});

    // The supplier registration the last supplier exit saw, and whether the supplier changed since.
    std::string stInscAnterior;
    bool boFornAlterado = false;
    // The supplier whose qualifications cdsQualifForn holds.
    std::string stQualifFor;
};

} // namespace dfe::dfe11000
