// The state-registration choice's rules: the check against the branch's registrations and what a
// confirmed registration does to the posting header.
#include "dfe11000/dialogs/insc_esta_rules.h"

#include "dfe11000/dialogs/frm_insc_esta.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kCtrlV = 22;

bool Typeable(char32_t ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
           ch == kBackspace || ch == kCtrlV;
}

} // namespace

void InscEstaRules::Wire() {
    dialog_.edtInscEsta->OnKeyPress = [this](Component&, char32_t& ch) { edtInscEstaKeyPress(ch); };
    dialog_.bbtOK.OnClick = [this](Component&) { bbtOKClick(); };
    dialog_.bbtCancelar.OnClick = [this](Component&) { bbtCancelarClick(); };
    dialog_.OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
}

void InscEstaRules::edtInscEstaKeyPress(char32_t& ch) {
    if (!Typeable(ch)) ch = 0;
}

void InscEstaRules::Refuse(const char* code) {
    FocusIfPossible(dialog_.edtInscEsta);
    support::MensErro(dialog_.msgPadrao, code, true);
    ThrowAbort();
}

void InscEstaRules::Vd_InscEsta() {
    const ModuleState& state = Cli_dfe11000();
    // An imported document names its company; otherwise the header's, else the receiving branch's.
    std::string company = !state.stEmpresaImpNFE.empty()
                              ? state.stEmpresaImpNFE
                              : FieldText(posting_.data.cdsNotaFiscal, "CDEMPRESA");
    const std::string branch = posting_.ui.medCdFilial->Text();
    if (company.empty()) company = FieldText(posting_.lookups.qryFiliRece, "CDEMPRESA");
    const std::string registration = text::Trim(dialog_.edtInscEsta->Text());
    if (registration.empty()) Refuse("Insc_Inf");
    dialog_.qryVerifInsc.Close();
    dialog_.qryVerifInsc.ParamByName("P_CDEMPRESA") = Variant(company);
    dialog_.qryVerifInsc.ParamByName("P_CDFILIAL") = Variant(branch);
    dialog_.qryVerifInsc.ParamByName("P_CDINSCESTA") = Variant(registration);
    dialog_.qryVerifInsc.Open();
    if (dialog_.qryVerifInsc.IsEmpty()) Refuse("Insc_N_cad");
}

void InscEstaRules::UseRegistration(const std::string& registration) {
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

void InscEstaRules::bbtOKClick() {
    Vd_InscEsta();
    // Once the registration is accepted the dialog ends, even when the header refused part of it.
    try {
        UseRegistration(text::Trim(dialog_.edtInscEsta->Text()));
    } catch (...) {
        dialog_.Close();
        throw;
    }
    dialog_.Close();
}

void InscEstaRules::bbtCancelarClick() {
    boConfirmado = false;
    Cli_dfe11000().stChaveAcesso.clear();
    dialog_.Close();
}

void InscEstaRules::FormClose(CloseAction& action) {
    // The creator frees the dialog.
    action = CloseAction::Hide;
    dialog_.SetModalResult(boConfirmado ? mr::Ok : mr::Cancel);
}

} // namespace dfe::dfe11000
