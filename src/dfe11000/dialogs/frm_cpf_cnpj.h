#pragma once

#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "platform/ui/menu.h"
#include "support/messages.h"

#include <string>

namespace dfe {
class Field;
}

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// "CPF/CNPJ" (DFE11010): the buyer's CPF or CNPJ, for operation types that ask for it. Created for each
// showing; Enter confirms and Esc gives up, both through the edit's popup menu.
class TfrmCpfCnpj : public Form {
public:
    TfrmCpfCnpj(Application& app, TfrmLancNFEntrada& posting);

    MaskEdit* medCodigo = nullptr;
    Label* lblCodTela = nullptr;
    PopupMenu* pmnCpfCnpj = nullptr;
    MenuItem* mniConfirma = nullptr;
    MenuItem* mniCancela = nullptr;
    support::TMessages msgPadrao;
    db::TADOIBQuery qryFornecedor{"qryFornecedor"};

    // Caption, initial number with its mask, and where the dialog shows: its own place beside an edit,
    // else centred over the form of `control`.
    void Prepare(const Control& control, const std::string& title, const std::string& value);
    // Refuses an empty, invalid or supplier's number, keeping the focus in the edit; writes the header's
    // NRCPFCNPJNF once every check passed. Nothing is checked once the clerk gave up.
    void Vd_CpfCnpj();
    void mniConfirmaClick();
    void mniCancelaClick();

private:
    void BuildLayout();
    [[noreturn]] void Refuse(const char* code);
    void FormKeyDown(int& key, ShiftState shift);
    void FormCloseQuery(bool& canClose);

    TfrmLancNFEntrada& posting_;
};

// Asks the CPF/CNPJ of `title` (the operation type's description), starting from `value`. The number is
// written to the posting header; giving up sets the editor's boCancelaCpfCnpj.
void CpfCnpj(TfrmLancNFEntrada& form, const Field& field, const Control& control, const std::string& title,
             const std::string& value);

} // namespace dfe::dfe11000
