// The state-registration choice: its controls, its check against the branch's registrations and what a
// confirmed registration does to the posting header.
#include "dfe11000/dialogs/frm_insc_esta.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/layout_helpers.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/show_msg.h"

#include <memory>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Insc_Inf|Inscrição estadual deve ser informada.",
    "Insc_N_cad|Inscrição estadual não cadastrada.",
};

constexpr char32_t kBackspace = 8;
constexpr char32_t kCtrlV = 22;

bool Typeable(char32_t ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
           ch == kBackspace || ch == kCtrlV;
}

} // namespace

TfrmInscEsta::TfrmInscEsta(Application& app, TfrmLancNFEntrada& posting)
    : TfrmRotiGeral(app), posting_(posting) {
    msgPadrao.AddLines(kMessages);
    BuildLayout();
    // The company's own registration at the branch, or one it holds there under contract.
    qryVerifInsc.SetSQL(
        "SELECT E.CDEMPRESA, 'N' AS IDEMPRRELAC, F.CDINSCESTA, F.CDINSCMUNI FROM EMPRESA E, FILIAL F"
        " WHERE E.CDEMPRESA = :P_CDEMPRESA AND E.CDEMPRESA = F.CDEMPRESA AND F.CDFILIAL = :P_CDFILIAL"
        " AND F.CDINSCESTA = :P_CDINSCESTA"
        " UNION ALL"
        " SELECT C.CDEMPRESA, 'S' AS IDEMPRRELAC, C.CDINSCESTA, C.CDINSCMUNI FROM EMPRCNTRFIL C"
        " WHERE C.CDEMPRESA = :P_CDEMPRESA AND C.CDFILIAL = :P_CDFILIAL AND C.CDINSCESTA = :P_CDINSCESTA");
    edtInscEsta->OnKeyPress = [this](Component&, char32_t& ch) { edtInscEstaKeyPress(ch); };
    bbtOK.OnClick = [this](Component&) { bbtOKClick(); };
    bbtCancelar.OnClick = [this](Component&) { bbtCancelarClick(); };
    OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
}

void TfrmInscEsta::BuildLayout() {
    SetName("frmInscEsta");
    SetCaption("Inscrição Estadual");
    SetBounds(0, 0, 260, 104);
    SetBorderIcons(border::SystemMenu);
    AddLabel(*this, "lblInscEsta", "Inscrição Estadual", 8, 8, 120);
    edtInscEsta = Place<Edit>(*this, "edtInscEsta", 8, 24, 150, 21);
    edtInscEsta->SetMaxLength(16);
    edtInscEsta->SetTabOrder(0);
    panBotoes.SetBounds(0, 56, 260, 48);
    bbtOK.SetBounds(8, 10, 75, 25);
    bbtCancelar.SetBounds(88, 10, 75, 25);
    lblCodTela.SetBounds(176, 16, 76, 13);
    lblCodTela.SetCaption("DFE11250");
    // Both commands decide how the dialog ends themselves.
    bbtOK.SetModalResult(mr::None);
    bbtCancelar.SetModalResult(mr::None);
}

void TfrmInscEsta::edtInscEstaKeyPress(char32_t& ch) {
    if (!Typeable(ch)) ch = 0;
}

void TfrmInscEsta::Refuse(const char* code) {
    FocusIfPossible(edtInscEsta);
    support::MensErro(msgPadrao, code, true);
    ThrowAbort();
}

void TfrmInscEsta::Vd_InscEsta() {
    const ModuleState& state = Cli_dfe11000();
    // An imported document names its company; otherwise the header's, else the receiving branch's.
    std::string company = !state.stEmpresaImpNFE.empty()
                              ? state.stEmpresaImpNFE
                              : FieldText(posting_.data.cdsNotaFiscal, "CDEMPRESA");
    const std::string branch = posting_.ui.medCdFilial->Text();
    if (company.empty()) company = FieldText(posting_.lookups.qryFiliRece, "CDEMPRESA");
    const std::string registration = text::Trim(edtInscEsta->Text());
    if (registration.empty()) Refuse("Insc_Inf");
    qryVerifInsc.Close();
    qryVerifInsc.ParamByName("P_CDEMPRESA") = Variant(company);
    qryVerifInsc.ParamByName("P_CDFILIAL") = Variant(branch);
    qryVerifInsc.ParamByName("P_CDINSCESTA") = Variant(registration);
    qryVerifInsc.Open();
    if (qryVerifInsc.IsEmpty()) Refuse("Insc_N_cad");
}

void TfrmInscEsta::UseRegistration(const std::string& registration) {
    ModuleState& state = Cli_dfe11000();
    // Putting the header into edit runs the state reactions, which may show another type: the typed one
    // is put back afterwards.
    const std::string type = posting_.ui.dbeCdTipoOper->Text();
    state.stInscEstaImp.clear();
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (!header.Active()) header.CreateDataSet();
    if (header.State() == DataSetState::Browse) {
        if (!posting_.data.cdsTrabImposNFTot.Active()) posting_.data.cdsTrabImposNFTot.CreateDataSet();
        header.Edit();
    }
    header.FieldByName("CDINSCESTA").SetAsString(registration);
    state.stInscEstaImp = registration;
    posting_.ui.dbeCdTipoOper->SetText(type);
    posting_.Header().SetCurrentType(type);
    header.FieldByName("CDTIPOOPER").SetAsString(type);
    boConfirmado = true;
}

void TfrmInscEsta::bbtOKClick() {
    Vd_InscEsta();
    // Once the registration is accepted the dialog ends, even when the header refused part of it.
    try {
        UseRegistration(text::Trim(edtInscEsta->Text()));
    } catch (...) {
        Close();
        throw;
    }
    Close();
}

void TfrmInscEsta::bbtCancelarClick() {
    boConfirmado = false;
    Cli_dfe11000().stChaveAcesso.clear();
    Close();
}

void TfrmInscEsta::FormClose(CloseAction& action) {
    // The creator frees the dialog.
    action = CloseAction::Hide;
    SetModalResult(boConfirmado ? mr::Ok : mr::Cancel);
}

bool CriaInscEsta(TfrmLancNFEntrada& form, bool importing) {
    std::unique_ptr<TfrmInscEsta> dialog;
    {
        CursorScope hourglass(form.App(), Cursor::HourGlass);
        dialog = std::make_unique<TfrmInscEsta>(form.App(), form);
        dialog->RunCreate();
    }
    dialog->boImporta = importing;
    dialog->ShowModal();
    return dialog->boConfirmado;
}

} // namespace dfe::dfe11000
