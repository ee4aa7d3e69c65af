// The service-location dialog's rules: the place checked against the country's states and municipalities,
// written to the posting header, and the dialog ending only with a valid place unless the clerk cancels.
#include "dfe11000/dialogs/loc_prest_serv_rules.h"

#include "dfe11000/dialogs/frm_loc_prest_serv.h"
#include "dfe11000/header/service_place.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/ui/keys.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void LocPrestServRules::Wire() {
    dialog_.dbeEstado->OnKeyPress = [](Component&, char32_t& ch) { KeepStateKey(ch); };
    dialog_.dbeMunicipio->OnKeyPress = [](Component&, char32_t& ch) { KeepMunicipalityKey(ch); };
    dialog_.dbeEstado->OnChange = [this](Component&) { dbeEstadoChange(); };
    dialog_.dbeMunicipio->OnChange = [this](Component&) { dbeMunicipioChange(); };
    dialog_.dbeEstado->OnExit = [this](Component&) { Vd_Estado(); };
    dialog_.dbeMunicipio->OnExit = [this](Component&) { Vd_Municipio(); };
    dialog_.btpEstadoOrig->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        btpEstadoOrigBeforePesq(go);
    };
    dialog_.btpEstadoOrig->OnAfterPesq = [this](support::TBtnPesquisa&) { btpEstadoOrigAfterPesq(); };
    dialog_.btpMunicipio->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        btpMunicipioBeforePesq(go);
    };
    dialog_.btpMunicipio->OnAfterPesq = [this](support::TBtnPesquisa&) { btpMunicipioAfterPesq(); };
    dialog_.bbtOK.OnClick = [this](Component&) { sbtConfirmaClick(); };
    dialog_.bbtCancelar.OnClick = [this](Component&) { sbtCancelaClick(); };
    // Esc cancels from any field, as the cancel button of a dialog does, without leaving the field first.
    dialog_.SetKeyPreview(true);
    dialog_.OnKeyDown = [this](Component&, int& key, ShiftState shift) {
        if (key != key::Escape || shift.ctrl || shift.alt) return;
        key = 0;
        sbtCancelaClick();
    };
    dialog_.OnCloseQuery = [this](Form&, bool& canClose) { FormCloseQuery(canClose); };
    dialog_.OnClose = [this](Form&, CloseAction& action) { FormClose(action); };
}

void LocPrestServRules::Refuse(Control* control, const char* code) {
    boConfirma = false;
    FocusIfPossible(control);
    support::MensErro(dialog_.msgPadrao, code, true);
    ThrowAbort();
}

bool LocPrestServRules::FindState(const std::string& state) {
    ReopenPlace(posting_.lookups.qryVd_Estado, state);
    return !posting_.lookups.qryVd_Estado.IsEmpty();
}

bool LocPrestServRules::FindMunicipality(const std::string& state, const std::string& municipality) {
    ReopenPlace(posting_.lookups.qryVd_Municipio, state, municipality);
    return !posting_.lookups.qryVd_Municipio.IsEmpty();
}

void LocPrestServRules::SetHeader(const char* field, const std::string& value) {
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (header.State() == DataSetState::Browse) header.Edit();
    if (InEdit(header)) header.FieldByName(field).SetAsString(value);
}

void LocPrestServRules::Vd_Dados() {
    const std::string state = text::Trim(dialog_.dbeEstado->Text());
    const std::string municipality = text::Trim(dialog_.dbeMunicipio->Text());
    if (state.empty()) Refuse(dialog_.dbeEstado, "Estado_Inf");
    if (!FindState(state)) Refuse(dialog_.dbeEstado, "Estado_N_Cad");
    if (municipality.empty()) Refuse(dialog_.dbeMunicipio, "Muni_Inf");
    if (!FindMunicipality(state, municipality)) Refuse(dialog_.dbeMunicipio, "Muni_N_Cad");
    const std::string foundState = FieldText(posting_.lookups.qryVd_Estado, "SGESTADO");
    const std::string foundMunicipality = FieldText(posting_.lookups.qryVd_Municipio, "CDMUNICIPIO");
    boConfirma = true;
    posting_.Editing().SetPrestServ(foundState, foundMunicipality);
    SetHeader("SGESTADO", foundState);
    SetHeader("CDMUNICIPIO", foundMunicipality);
}

void LocPrestServRules::Vd_Estado() {
    const std::string state = text::Trim(dialog_.dbeEstado->Text());
    if (state.empty()) return;
    if (!FindState(state)) Refuse(dialog_.dbeEstado, "Estado_N_Cad");
    dialog_.dbeNmEstado->SetText(FieldText(posting_.lookups.qryVd_Estado, "NMESTADO"));
}

void LocPrestServRules::Vd_Municipio() {
    const std::string state = text::Trim(dialog_.dbeEstado->Text());
    const std::string municipality = text::Trim(dialog_.dbeMunicipio->Text());
    if (municipality.empty()) return;
    if (state.empty()) {
        dialog_.dbeMunicipio->SetText("");
        Refuse(dialog_.dbeEstado, "Estado_Inf");
    }
    if (!FindMunicipality(state, municipality)) Refuse(dialog_.dbeMunicipio, "Muni_N_Cad");
    dialog_.dbeNmMunicipio->SetText(FieldText(posting_.lookups.qryVd_Municipio, "NMMUNICIPIO"));
}

// Another state makes the municipality meaningless.
void LocPrestServRules::dbeEstadoChange() {
    dialog_.dbeNmEstado->SetText("");
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (InEdit(header) && !FieldText(header, "CDMUNICIPIO").empty())
        header.FieldByName("CDMUNICIPIO").Clear();
    dialog_.dbeMunicipio->SetText("");
    dialog_.dbeNmMunicipio->SetText("");
}

void LocPrestServRules::dbeMunicipioChange() {
    dialog_.dbeNmMunicipio->SetText("");
}

void LocPrestServRules::btpEstadoOrigBeforePesq(bool& proceed) {
    ReopenPlace(posting_.lookups.qryEstado);
    proceed = true;
}

void LocPrestServRules::btpEstadoOrigAfterPesq() {
    SetHeader("SGESTADO", FieldText(posting_.lookups.qryEstado, "SGESTADO"));
    dialog_.dbeNmEstado->SetText(FieldText(posting_.lookups.qryEstado, "NMESTADO"));
}

void LocPrestServRules::btpMunicipioBeforePesq(bool& proceed) {
    ReopenPlace(posting_.lookups.qryMunicipio, text::Trim(dialog_.dbeEstado->Text()));
    proceed = true;
}

void LocPrestServRules::btpMunicipioAfterPesq() {
    SetHeader("CDMUNICIPIO", FieldText(posting_.lookups.qryMunicipio, "CDMUNICIPIO"));
    dialog_.dbeNmMunicipio->SetText(FieldText(posting_.lookups.qryMunicipio, "NMMUNICIPIO"));
}

void LocPrestServRules::sbtConfirmaClick() {
    Vd_Dados();
    dialog_.SetModalResult(mr::Ok);
}

// The caller gives the posting up when the place is refused, so the clerk can always leave.
void LocPrestServRules::sbtCancelaClick() {
    boConfirma = false;
    cancelled_ = true;
    dialog_.SetModalResult(mr::Cancel);
}

// Any other way out counts as accepting the place, so it must be valid.
void LocPrestServRules::FormCloseQuery(bool& canClose) {
    if (boConfirma || cancelled_) return;
    try {
        Vd_Dados();
    } catch (const Abort&) {
        canClose = false;
    }
}

void LocPrestServRules::FormClose(CloseAction& action) {
    // The creator frees the dialog.
    action = CloseAction::Hide;
    boRetorno = boConfirma;
}

} // namespace dfe::dfe11000
