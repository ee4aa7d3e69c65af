// The CPF/CNPJ dialog's rules: where it shows, its check against registered suppliers and its commands.
#include "dfe11000/dialogs/cpf_cnpj_rules.h"

#include "dfe11000/dialogs/frm_cpf_cnpj.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/core/abort.h"
#include "support/consiste.h"
#include "support/show_msg.h"

#include <algorithm>

namespace dfe::dfe11000 {

void CpfCnpjRules::Wire() {
    // Leaving the only edit is how the dialog ends: the number is checked first.
    dialog_.medCodigo->OnExit = [this](Component&) {
        Vd_CpfCnpj();
        dialog_.Close();
    };
    dialog_.mniConfirma->OnClick = [this](Component&) { mniConfirmaClick(); };
    dialog_.mniCancela->OnClick = [this](Component&) { mniCancelaClick(); };
    dialog_.OnKeyDown = [this](Component&, int& key, ShiftState shift) { FormKeyDown(key, shift); };
    dialog_.OnCloseQuery = [this](Form&, bool& canClose) { FormCloseQuery(canClose); };
}

void CpfCnpjRules::Prepare(const Control& control, const std::string& title, const std::string& value) {
    dialog_.SetCaption("CPF/CNPJ " + title);
    if (!value.empty()) {
        dialog_.medCodigo->SetText(value);
        if (support::CPFOk(value))
            dialog_.medCodigo->SetEditMask(support::PictPess("F"));
        else if (support::CGCOk(value))
            dialog_.medCodigo->SetEditMask(support::PictPess("J"));
    }
    // Beside an edit the designed place does not cover it; anything else gets the dialog over its form.
    if (!dynamic_cast<const Edit*>(&control)) {
        if (const Form* owner = control.ParentForm()) {
            dialog_.SetLeft(owner->Left() + (owner->Width() - dialog_.Width()) / 2);
            dialog_.SetTop(owner->Top() + (owner->Height() - dialog_.Height()) / 2);
        }
    }
    dialog_.SetLeft(std::max(0, dialog_.Left()));
    dialog_.SetTop(std::max(0, dialog_.Top()));
}

void CpfCnpjRules::Refuse(const char* code) {
    FocusIfPossible(dialog_.medCodigo);
    support::MensErro(dialog_.msgPadrao, code, true);
    ThrowAbort();
}

void CpfCnpjRules::Vd_CpfCnpj() {
    if (posting_.Editing().boCancelaCpfCnpj) return;
    const std::string number = support::Ajusta_Inscricao(dialog_.medCodigo->Text());
    if (number.empty()) Refuse("CPFCNPJ_Inf");
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (!InEdit(header)) return;
    const bool person = support::CPFOk(number);
    if (!person && !support::CGCOk(number)) Refuse("CPFCNPJ_Inv");
    // A registered supplier is posted as the supplier, never as a buyer's document.
    dialog_.qryFornecedor.Close();
    dialog_.qryFornecedor.ParamByName("P_NRINSJURFORN") = Variant(number);
    dialog_.qryFornecedor.ParamByName("P_TNRINSJURFORN") = Variant("N");
    dialog_.qryFornecedor.Open();
    if (!dialog_.qryFornecedor.IsEmpty()) Refuse("Forn_Cad");
    header.FieldByName("NRCPFCNPJNF").SetAsString(number);
    dialog_.medCodigo->SetEditMask(support::PictPess(person ? "F" : "J"));
}

void CpfCnpjRules::mniConfirmaClick() {
    dialog_.Close();
}

void CpfCnpjRules::mniCancelaClick() {
    dialog_.medCodigo->SetText("");
    posting_.Editing().boCancelaCpfCnpj = true;
    dialog_.Close();
}

void CpfCnpjRules::FormKeyDown(int& key, ShiftState shift) {
    // Without buttons the menu's shortcuts are the dialog's commands.
    if (MenuItem* item = dialog_.pmnCpfCnpj->FindShortCut(key, shift)) {
        key = key::None;
        item->Click();
    }
}

void CpfCnpjRules::FormCloseQuery(bool& canClose) {
    try {
        Vd_CpfCnpj();
    } catch (const Abort&) {
        canClose = false;
    }
}

} // namespace dfe::dfe11000
