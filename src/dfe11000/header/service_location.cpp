// Where a service was rendered: the state and municipality of the header, their searches and checks, and
// the items' taxes generated again when the place changed.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/service_place.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/ui/ui_error.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {
namespace {

void ClearWhileEditing(DataSet& ds, std::initializer_list<const char*> fields) {
    if (!ds.Active() || !InEdit(ds)) return;
    for (const char* name : fields)
        ds.FieldByName(name).Clear();
}

} // namespace

void TransportRules::WireServiceLocation() {
    ui_.dbeEstado->OnKeyPress = [](Component&, char32_t& key) { KeepStateKey(key); };
    ui_.dbeMunicipio->OnKeyPress = [](Component&, char32_t& key) { KeepMunicipalityKey(key); };
    ui_.dbeEstado->OnChange = [this](Component&) { dbeEstadoChange(); };
    ui_.dbeMunicipio->OnChange = [this](Component&) { dbeMunicipioChange(); };
    ui_.dbeEstado->OnExit = [this](Component&) { Vd_Estado(); };
    ui_.dbeMunicipio->OnExit = [this](Component&) { Vd_Municipio(); };
    ui_.btpEstadoOrig->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpEstadoOrigBeforePesq(); };
    ui_.btpEstadoOrig->OnAfterPesq = [this](support::TBtnPesquisa&) { btpEstadoOrigAfterPesq(); };
    ui_.btpMunicipio->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpMunicipioBeforePesq(); };
    ui_.btpMunicipio->OnAfterPesq = [this](support::TBtnPesquisa&) { btpMunicipioAfterPesq(); };
}

// A typed state makes the names shown and the municipality of the former one meaningless.
void TransportRules::dbeEstadoChange() {
    if (ui_.dbeEstado->Modified())
        ClearWhileEditing(data_.cdsNotaFiscal, {"NMESTADO", "CDMUNICIPIO", "NMMUNICIPIO"});
}

void TransportRules::dbeMunicipioChange() {
    if (ui_.dbeMunicipio->Modified()) ClearWhileEditing(data_.cdsNotaFiscal, {"NMMUNICIPIO"});
}

void TransportRules::btpEstadoOrigBeforePesq() {
    ReopenPlace(lookups_.qryEstado);
}

void TransportRules::btpEstadoOrigAfterPesq() {
    EditFieldText(data_.cdsNotaFiscal, "SGESTADO", FieldText(lookups_.qryEstado, "SGESTADO"));
    SetWhileEditing(data_.cdsNotaFiscal, "NMESTADO", FieldText(lookups_.qryEstado, "NMESTADO"));
}

void TransportRules::btpMunicipioBeforePesq() {
    ReopenPlace(lookups_.qryMunicipio, ui_.dbeEstado->Text());
}

void TransportRules::btpMunicipioAfterPesq() {
    EditFieldText(data_.cdsNotaFiscal, "CDMUNICIPIO", FieldText(lookups_.qryMunicipio, "CDMUNICIPIO"));
    SetWhileEditing(data_.cdsNotaFiscal, "NMMUNICIPIO", FieldText(lookups_.qryMunicipio, "NMMUNICIPIO"));
}

void TransportRules::Vd_Estado() {
    const std::string state = FieldText(data_.cdsNotaFiscal, "SGESTADO");
    if (support::EmptyString(state)) return;
    ReopenPlace(lookups_.qryVd_Estado, state);
    if (lookups_.qryVd_Estado.IsEmpty()) Refuse({ui_.dbeEstado}, "Estado_N_Cad");
    SetWhileEditing(data_.cdsNotaFiscal, "NMESTADO", FieldText(lookups_.qryVd_Estado, "NMESTADO"));
}

void TransportRules::Vd_Municipio() {
    DataSet& nf = data_.cdsNotaFiscal;
    const std::string state = FieldText(nf, "SGESTADO");
    const std::string municipality = FieldText(nf, "CDMUNICIPIO");
    const bool hasState = !support::EmptyString(state);
    const bool hasMunicipality = !support::EmptyString(municipality);
    if (!hasState && hasMunicipality) {
        ClearWhileEditing(nf, {"CDMUNICIPIO"});
        Refuse({ui_.dbeEstado}, "Estado_Inf");
    }
    if (hasState && hasMunicipality) {
        ReopenPlace(lookups_.qryVd_Municipio, state, municipality);
        if (lookups_.qryVd_Municipio.IsEmpty()) Refuse({ui_.dbeMunicipio}, "Muni_N_Cad");
        SetWhileEditing(nf, "NMMUNICIPIO", FieldText(lookups_.qryVd_Municipio, "NMMUNICIPIO"));
    } else if (hasState) {
        Refuse({ui_.dbeMunicipio}, "Municipio_Inf");
    }
    if (PlaceChanged()) RegenerateItemTaxes();
}

// Against the place of the header's last post; before any post since the posting was shown, against the
// place it was loaded with (none for a new one), so passing over an unchanged place regenerates nothing.
bool TransportRules::PlaceChanged() const {
    const DataSet& nf = data_.cdsNotaFiscal;
    if (!nf.Active()) return false;
    std::string state = form_.Editing().EstadoAnt();
    std::string municipality = form_.Editing().MunicipioAnt();
    if (state.empty() && municipality.empty()) {
        state = nf.FieldByName("SGESTADO").OriginalValue().AsString();
        municipality = nf.FieldByName("CDMUNICIPIO").OriginalValue().AsString();
    }
    return FieldText(nf, "SGESTADO") != state || FieldText(nf, "CDMUNICIPIO") != municipality;
}

// Best effort: a failure leaves the taxes as they were and the exit goes on.
void TransportRules::RegenerateItemTaxes() {
    const OperationType type = form_.Header().TipoOper();
    if (type.IDNFPRESTSERV != "S" || type.IDUTLOCPRESTSERV != "S") return;
    DataSet& items = data_.cdsItemProduto;
    if (!items.Active() || items.IsEmpty()) return;
    try {
        FocusIfPossible(ui_.dbgItemProduto);
        if (!InEdit(items)) items.Edit();
        bool& altering = Cli_dfe11000().boAlteraNF;
        const bool before = altering;
        for (items.First(); !items.Eof(); items.Next()) {
            FlagDuring generating(altering, true, before);
            form_.Taxes().CriaImpostos();
        }
    } catch (const ScriptFailure&) {
        throw;
    } catch (...) {
    }
}

} // namespace dfe::dfe11000
