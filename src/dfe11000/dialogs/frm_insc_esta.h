#pragma once

#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "support/frm_padrao.h"

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// "Inscrição Estadual" (DFE11250): which of the company's state registrations at the branch the posting
// uses, when it has more than one there (its own or under contract).
class TfrmInscEsta : public support::TfrmRotiGeral {
public:
    TfrmInscEsta(Application& app, TfrmLancNFEntrada& posting);

    Edit* edtInscEsta = nullptr;
    db::TADOIBQuery qryVerifInsc{"qryVerifInsc"};

    // Asked while importing; kept for the rules that tell the two apart.
    bool boImporta = false;
    // Set once a registration was accepted and written to the header.
    bool boConfirmado = false;

    // Refuses an empty registration or one the company does not hold at the branch.
    void Vd_InscEsta();
    void bbtOKClick();
    void bbtCancelarClick();

private:
    void BuildLayout();
    [[noreturn]] void Refuse(const char* code);
    void UseRegistration(const std::string& registration);
    void edtInscEstaKeyPress(char32_t& ch);
    void FormClose(CloseAction& action);

    TfrmLancNFEntrada& posting_;
};

// Shows the state-registration choice modally; true when the clerk confirmed one, false when cancelled.
bool CriaInscEsta(TfrmLancNFEntrada& form, bool importing);

} // namespace dfe::dfe11000
