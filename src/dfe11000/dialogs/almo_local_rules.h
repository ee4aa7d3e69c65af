#pragma once

#include "platform/ui/application.h"

#include <string>

namespace dfe {
class Control;
class Edit;
} // namespace dfe

namespace dfe::dfe11000 {

class TfrmAlmoLocal;
class TfrmLancNFEntrada;

// The warehouse and location dialog's rules: what it proposes, the checks against the branch's warehouses
// and locations, the stock system's consent for the operator, and what a confirmation writes.
class AlmoLocalRules {
public:
    AlmoLocalRules(TfrmAlmoLocal& dialog, TfrmLancNFEntrada& posting) : dialog_(dialog), posting_(posting) {}
    AlmoLocalRules(const AlmoLocalRules&) = delete;
    AlmoLocalRules& operator=(const AlmoLocalRules&) = delete;
    void Wire();

    void FormActivate();
    // Loads the posting's items with their placement.
    void FormShow();
    void Vd_Almoxarifado(bool required);
    void Vd_Localizacao(bool required);
    void sbtConfirmaClick();

    // The choice was confirmed and written to the header.
    bool boConfirma = false;

private:
    [[noreturn]] void Refuse(Control* control, const char* code);
    bool FindWarehouse(const std::string& code);
    bool FindLocation(const std::string& warehouse, const std::string& code);
    bool Editing() const;
    void FormClose(CloseAction& action);

    TfrmAlmoLocal& dialog_;
    TfrmLancNFEntrada& posting_;
};

} // namespace dfe::dfe11000
