// The buyer's CPF/CNPJ dialog: its controls, where it shows, its check and its two commands.
#include "dfe11000/dialogs/frm_cpf_cnpj.h"

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

TfrmCpfCnpj::TfrmCpfCnpj(Application& app, TfrmLancNFEntrada& posting) : Form(app), posting_(posting) {
    msgPadrao.AddLines(kMessages);
    BuildLayout();
    qryFornecedor.SetSQL("SELECT NRINSJURFORN, NMRAZSOCFORN, IDTPIJURFORN, CDFORNECED FROM FORNECEDOR"
                         " WHERE ((NRINSJURFORN = :P_NRINSJURFORN) OR (:P_TNRINSJURFORN = 'T'))"
                         " ORDER BY NMRAZSOCFORN");
    // Leaving the only edit is how the dialog ends: the number is checked first.
    medCodigo->OnExit = [this](Component&) {
        Vd_CpfCnpj();
        Close();
    };
    mniConfirma->OnClick = [this](Component&) { mniConfirmaClick(); };
    mniCancela->OnClick = [this](Component&) { mniCancelaClick(); };
    OnKeyDown = [this](Component&, int& key, ShiftState shift) { FormKeyDown(key, shift); };
    OnCloseQuery = [this](Form&, bool& canClose) { FormCloseQuery(canClose); };
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

void TfrmCpfCnpj::Prepare(const Control& control, const std::string& title, const std::string& value) {
    SetCaption("CPF/CNPJ " + title);
    if (!value.empty()) {
        medCodigo->SetText(value);
        if (support::CPFOk(value))
            medCodigo->SetEditMask(support::PictPess("F"));
        else if (support::CGCOk(value))
            medCodigo->SetEditMask(support::PictPess("J"));
    }
    // Beside an edit the designed place does not cover it; anything else gets the dialog over its form.
    if (!dynamic_cast<const Edit*>(&control)) {
        if (const Form* owner = control.ParentForm()) {
            SetLeft(owner->Left() + (owner->Width() - Width()) / 2);
            SetTop(owner->Top() + (owner->Height() - Height()) / 2);
        }
    }
    SetLeft(std::max(0, Left()));
    SetTop(std::max(0, Top()));
}

void TfrmCpfCnpj::Refuse(const char* code) {
    FocusIfPossible(medCodigo);
    support::MensErro(msgPadrao, code, true);
    ThrowAbort();
}

void TfrmCpfCnpj::Vd_CpfCnpj() {
    if (posting_.Editing().boCancelaCpfCnpj) return;
    const std::string number = support::Ajusta_Inscricao(medCodigo->Text());
    if (number.empty()) Refuse("CPFCNPJ_Inf");
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (!InEdit(header)) return;
    const bool person = support::CPFOk(number);
    if (!person && !support::CGCOk(number)) Refuse("CPFCNPJ_Inv");
    // A registered supplier is posted as the supplier, never as a buyer's document.
    qryFornecedor.Close();
    qryFornecedor.ParamByName("P_NRINSJURFORN") = Variant(number);
    qryFornecedor.ParamByName("P_TNRINSJURFORN") = Variant("N");
    qryFornecedor.Open();
    if (!qryFornecedor.IsEmpty()) Refuse("Forn_Cad");
    header.FieldByName("NRCPFCNPJNF").SetAsString(number);
    medCodigo->SetEditMask(support::PictPess(person ? "F" : "J"));
}

void TfrmCpfCnpj::mniConfirmaClick() {
    Close();
}

void TfrmCpfCnpj::mniCancelaClick() {
    medCodigo->SetText("");
    posting_.Editing().boCancelaCpfCnpj = true;
    Close();
}

void TfrmCpfCnpj::FormKeyDown(int& key, ShiftState shift) {
    // Without buttons the menu's shortcuts are the dialog's commands.
    if (MenuItem* item = pmnCpfCnpj->FindShortCut(key, shift)) {
        key = key::None;
        item->Click();
    }
}

void TfrmCpfCnpj::FormCloseQuery(bool& canClose) {
    try {
        Vd_CpfCnpj();
    } catch (const Abort&) {
        canClose = false;
    }
}

void CpfCnpj(TfrmLancNFEntrada& form, const Field& /*field*/, const Control& control,
             const std::string& title, const std::string& value) {
    std::unique_ptr<TfrmCpfCnpj> dialog;
    {
        CursorScope hourglass(form.App(), Cursor::HourGlass);
        dialog = std::make_unique<TfrmCpfCnpj>(form.App(), form);
        dialog->RunCreate();
    }
    dialog->Prepare(control, title, value);
    dialog->ShowModal();
}

} // namespace dfe::dfe11000
