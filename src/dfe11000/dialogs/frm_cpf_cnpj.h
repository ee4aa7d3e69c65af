#pragma once

#include "platform/db/tadoib_query.h"
#include "platform/ui/controls.h"
#include "platform/ui/menu.h"
#include "support/messages.h"

#include <memory>
#include <string>

namespace dfe {
class Field;
}

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;
class CpfCnpjRules;

// "CPF/CNPJ" (DFE11010): the buyer's CPF or CNPJ, for operation types that ask for it. Created for each
// showing; Enter confirms and Esc gives up, both through the edit's popup menu. The dialog declares what it
// owns; its rules are CpfCnpjRules'.
class TfrmCpfCnpj : public Form {
public:
    TfrmCpfCnpj(Application& app, TfrmLancNFEntrada& posting);
    ~TfrmCpfCnpj() override;

    MaskEdit* medCodigo = nullptr;
    Label* lblCodTela = nullptr;
    PopupMenu* pmnCpfCnpj = nullptr;
    MenuItem* mniConfirma = nullptr;
    MenuItem* mniCancela = nullptr;
    support::TMessages msgPadrao;
    db::TADOIBQuery qryFornecedor{"qryFornecedor"};

    CpfCnpjRules& Rules() const { return *rules_; }

private:
    void BuildLayout();

    std::unique_ptr<CpfCnpjRules> rules_;
};

// Asks the CPF/CNPJ of `title` (the operation type's description), starting from `value`. The number is
// written to the posting header; giving up sets the editor's boCancelaCpfCnpj.
void CpfCnpj(TfrmLancNFEntrada& form, const Field& field, const Control& control, const std::string& title,
             const std::string& value);

} // namespace dfe::dfe11000
