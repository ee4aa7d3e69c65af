#pragma once

#include "platform/ui/application.h"

#include <string>

namespace dfe {
class Control;
}

namespace dfe::dfe11000 {

class TfrmCpfCnpj;
class TfrmLancNFEntrada;

// The CPF/CNPJ dialog's rules: where it shows, its check, and its two commands.
class CpfCnpjRules {
public:
    CpfCnpjRules(TfrmCpfCnpj& dialog, TfrmLancNFEntrada& posting) : dialog_(dialog), posting_(posting) {}
    CpfCnpjRules(const CpfCnpjRules&) = delete;
    CpfCnpjRules& operator=(const CpfCnpjRules&) = delete;
    void Wire();

    // Caption, initial number with its mask, and where the dialog shows: its own place beside an edit,
    // else centred over the form of `control`.
    void Prepare(const Control& control, const std::string& title, const std::string& value);
    // Refuses an empty, invalid or supplier's number, keeping the focus in the edit; writes the header's
    // NRCPFCNPJNF once every check passed. Nothing is checked once the clerk gave up.
    void Vd_CpfCnpj();
    void mniConfirmaClick();
    void mniCancelaClick();

private:
    [[noreturn]] void Refuse(const char* code);
    void FormKeyDown(int& key, ShiftState shift);
    void FormCloseQuery(bool& canClose);

    TfrmCpfCnpj& dialog_;
    TfrmLancNFEntrada& posting_;
};

} // namespace dfe::dfe11000
