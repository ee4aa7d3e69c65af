#pragma once

#include "platform/ui/application.h"

#include <string>

namespace dfe::dfe11000 {

class TfrmInscEsta;
class TfrmLancNFEntrada;

// The state-registration dialog's rules: the registration's check against the branch's and what a confirmed
// registration does to the posting header.
class InscEstaRules {
public:
    InscEstaRules(TfrmInscEsta& dialog, TfrmLancNFEntrada& posting) : dialog_(dialog), posting_(posting) {}
    InscEstaRules(const InscEstaRules&) = delete;
    InscEstaRules& operator=(const InscEstaRules&) = delete;
    void Wire();

    // Refuses an empty registration or one the company does not hold at the branch.
    void Vd_InscEsta();
    void bbtOKClick();
    void bbtCancelarClick();

    // Asked while importing; kept for the rules that tell the two apart.
    bool boImporta = false;
    // Set once a registration was accepted and written to the header.
    bool Confirmed() const { return boConfirmado; }

private:
    [[noreturn]] void Refuse(const char* code);
    void UseRegistration(const std::string& registration);
    void edtInscEstaKeyPress(char32_t& ch);
    void FormClose(CloseAction& action);

    TfrmInscEsta& dialog_;
    TfrmLancNFEntrada& posting_;
    bool boConfirmado = false;
};

} // namespace dfe::dfe11000
