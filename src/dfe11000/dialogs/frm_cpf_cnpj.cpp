// The buyer's CPF/CNPJ dialog: its controls and its creator.
#include "dfe11000/dialogs/frm_cpf_cnpj.h"

#include "dfe11000/dialogs/cpf_cnpj_rules.h"
#include "dfe11000/dialogs/create_dialog.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/core/abort.h"
#include "platform/ui/placement.h"
#include "support/consiste.h"
#include "support/show_msg.h"

#include <algorithm>
#include <memory>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "CPFCNPJ_Inf|CPF/CNPJ deve ser informado.",
    "CPFCNPJ_Inv|CPF/CNPJ inválido.",
    "Forn_Cad|Operação não permitida, fornecedor cadastrado!",
};

} // namespace

TfrmCpfCnpj::TfrmCpfCnpj(Application& app, TfrmLancNFEntrada& posting)
    : Form(app), rules_(std::make_unique<CpfCnpjRules>(*this, posting)) {
    msgPadrao.AddLines(kMessages);
    BuildLayout();
    qryFornecedor.SetSQL("SELECT NRINSJURFORN, NMRAZSOCFORN, IDTPIJURFORN, CDFORNECED FROM FORNECEDOR"
                         " WHERE ((NRINSJURFORN = :P_NRINSJURFORN) OR (:P_TNRINSJURFORN = 'T'))"
                         " ORDER BY NMRAZSOCFORN");
    rules_->Wire();
}

TfrmCpfCnpj::~TfrmCpfCnpj() {
    // The controls go while the rules they call are still here.
    DestroyOwnedComponents();
}

void TfrmCpfCnpj::BuildLayout() {
    SetName("frmCpfCnpj");
    SetCaption("CPF/CNPJ");
    SetBounds(312, 260, 250, 64);
    SetBorderIcons(border::SystemMenu);
    SetKeyPreview(true);
    medCodigo = Place<MaskEdit>(*this, "medCodigo", 8, 8, 150, 21);
    lblCodTela = Place<Label>(*this, "lblCodTela", 166, 12, 76, 13);
    lblCodTela->SetCaption("DFE11010");
    pmnCpfCnpj = &Create<PopupMenu>("pmnCpfCnpj");
    mniConfirma = &pmnCpfCnpj->AddItem("mniConfirma", "Confirma");
    mniConfirma->SetShortCut("Enter");
    mniCancela = &pmnCpfCnpj->AddItem("mniCancela", "Cancela");
    mniCancela->SetShortCut("Esc");
    medCodigo->SetPopupMenu(pmnCpfCnpj);
}

void CpfCnpj(TfrmLancNFEntrada& form, const Field& /*field*/, const Control& control,
             const std::string& title, const std::string& value) {
    const auto dialog = CreateDialog<TfrmCpfCnpj>(form);
    dialog->Rules().Prepare(control, title, value);
    dialog->ShowModal();
}

} // namespace dfe::dfe11000
