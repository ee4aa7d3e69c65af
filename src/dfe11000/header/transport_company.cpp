// The carrier: its search, the typed registration's check and the displays beside it.
#include "dfe11000/header/transport_rules.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "support/consiste.h"

#include <utility>

namespace dfe::dfe11000 {

void TransportRules::WireCarrier() {
    ui_.dbeNrInsJurTran->OnChange = [this](Component&) { dbeNrInsJurTranChange(); };
    ui_.dbeNrInsJurTran->OnExit = [this](Component&) { vd_Transpor(); };
    ui_.btpTransport->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpTransportBeforePesq(); };
    ui_.btpTransport->OnAfterPesq = [this](support::TBtnPesquisa&) { btpTransportAfterPesq(); };
}

void TransportRules::ReopenCarrier(const std::string& number, const char* all) {
    db::TADOIBQuery& query = lookups_.qryPesqTransp;
    query.Close();
    query.ParamByName("P_NRINSJURTRAN") = Variant(number);
    query.ParamByName("P_TODOS") = Variant(all);
    query.Open();
    if (Field* f = query.FindField("NRINSJURTRAN")) f->SetDisplayLabel("Inscrição");
    if (Field* f = query.FindField("NMRAZSOCTRAN")) f->SetDisplayLabel("Razão Social");
}

// The lookup's current row in the displays; empty ones when it has none.
void TransportRules::ShowCarrierRow() {
    const std::pair<Edit*, const char*> shown[] = {{ui_.edtNmRazSocTrans, "NMRAZSOCTRAN"},
                                                   {ui_.dbeEndeTrans, "DSENDETRAN"},
                                                   {ui_.dbeMuniTrans, "NMMUNICIPIO"},
                                                   {ui_.dbeUFTrans, "SGESTADO"},
                                                   {ui_.dbeInscEstaTrans, "NRINSESTTRAN"}};
    for (const auto& [edit, field] : shown)
        edit->SetText(FieldText(lookups_.qryPesqTransp, field));
}

void TransportRules::ShowCarrier() {
    ReopenCarrier(FieldText(data_.cdsNotaFiscal, "NRINSJURTRAN"), "");
    ShowCarrierRow();
}

void TransportRules::vd_Transpor() {
    const std::string number = FieldText(data_.cdsNotaFiscal, "NRINSJURTRAN");
    if (support::EmptyString(number)) return;
    ShowCarrier();
    if (lookups_.qryPesqTransp.IsEmpty()) Refuse({ui_.dbeNrInsJurTran}, "transpInv");
    SetWhileEditing(data_.cdsNotaFiscal, "NRINSJURTRAN", FieldText(lookups_.qryPesqTransp, "NRINSJURTRAN"));
}

void TransportRules::btpTransportBeforePesq() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (nf.Active() && !nf.IsEmpty() && nf.State() == DataSetState::Browse) nf.Edit();
    ReopenCarrier("", "T");
}

void TransportRules::btpTransportAfterPesq() {
    EditFieldText(data_.cdsNotaFiscal, "NRINSJURTRAN", FieldText(lookups_.qryPesqTransp, "NRINSJURTRAN"));
    ShowCarrierRow();
}

// What the displays show belongs to the number before the clerk typed over it.
void TransportRules::dbeNrInsJurTranChange() {
    if (!ui_.dbeNrInsJurTran->Modified()) return;
    for (Edit* shown :
         {ui_.edtNmRazSocTrans, ui_.dbeEndeTrans, ui_.dbeMuniTrans, ui_.dbeUFTrans, ui_.dbeInscEstaTrans})
        shown->SetText({});
}

} // namespace dfe::dfe11000
