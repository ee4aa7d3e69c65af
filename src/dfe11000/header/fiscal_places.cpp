// The CT-e and NF3-e municipality codes, the NF3-e referenced key and the collection document.
#include "dfe11000/header/transport_rules.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "support/consiste.h"

namespace dfe::dfe11000 {
namespace {

// The characters a municipality-code editor takes besides digits and the point.
bool IbgeKey(char32_t key) {
    return (key >= U'0' && key <= U'9') || key == U'.' || key == U'\b' || key == U'\t' || key == U'%' ||
           key == U'&' || key == U'\'' || key == U'(';
}

} // namespace

void TransportRules::WirePlaces() {
    const std::pair<DBEdit*, const char*> codes[] = {
        {ui_.dbeIbgeOrig, "CDIBGEORIG"}, {ui_.dbeIbgeDest, "CDIBGEDEST"}, {ui_.dbeIbgeNF3e, "CDIBGEDEST"}};
    for (const auto& [editor, field] : codes) {
        editor->OnKeyPress = [](Component&, char32_t& key) {
            if (!IbgeKey(key)) key = 0;
        };
        editor->OnExit = [this, editor, field](Component&) { CopyTyped(*editor, field); };
    }
    const std::pair<support::TBtnPesquisa*, const char*> searches[] = {
        {ui_.btpIbgeOrig, "CDIBGEORIG"}, {ui_.btpIbgeDest, "CDIBGEDEST"}, {ui_.btpIbgeNF3e, "CDIBGEDEST"}};
    for (const auto& [button, field] : searches) {
        button->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { IbgeSearchBefore(); };
        button->OnAfterPesq = [this, field](support::TBtnPesquisa&) {
            EditFieldText(data_.cdsNotaFiscal, field, FieldText(data_.cdsIbge, "CDIBGE"));
        };
    }
    ui_.dbeDocArrecad->OnExit = [this](Component&) { CopyTyped(*ui_.dbeDocArrecad, "NRDOCARRECAD"); };
    ui_.dbeChaveRef->OnExit = [this](Component&) { CopyTyped(*ui_.dbeChaveRef, "NRACESSONFEREF"); };
}

void TransportRules::CopyTyped(Control& editor, const char* field) {
    EditFieldText(data_.cdsNotaFiscal, field, editor.Text());
}

void TransportRules::LoadIbge() {
    DataSet& ibge = data_.cdsIbge;
    if (ibge.Active() && !ibge.IsEmpty()) return;
    ibge.SetData(server_.Call(server_.netLancNFEntrada, "GetIBGE", net::CallArgs()));
}

void TransportRules::IbgeSearchBefore() {
    if (data_.cdsIbge.Active() && !data_.cdsIbge.IsEmpty()) {
        data_.cdsIbge.First();
    } else {
        LoadIbge();
    }
}

void TransportRules::CheckIbge(Control& group, Control& editor, const char* field) {
    if (support::EmptyString(editor.Text())) return;
    LoadIbge();
    CopyTyped(editor, field);
    data_.cdsIbge.First();
    if (!data_.cdsIbge.Locate("CDIBGE", Variant(FieldText(data_.cdsNotaFiscal, field))))
        Refuse({&group, &editor}, "Ibge_Inv");
}

void TransportRules::Vd_IBGE() {
    CheckIbge(*ui_.grbIbge, *ui_.dbeIbgeOrig, "CDIBGEORIG");
    CheckIbge(*ui_.grbIbge, *ui_.dbeIbgeDest, "CDIBGEDEST");
    const DataSet& nf = data_.cdsNotaFiscal;
    if (support::EmptyString(FieldText(nf, "CDIBGEORIG"))) Refuse({ui_.dbeIbgeOrig}, "IbgeOrig");
    if (support::EmptyString(FieldText(nf, "CDIBGEDEST"))) Refuse({ui_.dbeIbgeDest}, "IbgeDest");
    if (ui_.cbbTipoCte->Text().empty()) Refuse({ui_.cbbTipoCte}, "TipoCte");
}

void TransportRules::Vd_DestinoNF3e() {
    CheckIbge(*ui_.grbNF3e, *ui_.dbeIbgeNF3e, "CDIBGEDEST");
    if (support::EmptyString(FieldText(data_.cdsNotaFiscal, "CDIBGEDEST")))
        Refuse({ui_.dbeIbgeNF3e}, "IbgeDest");
}

void TransportRules::Vd_ModDocArrecad() {
    const DataSet& nf = data_.cdsNotaFiscal;
    if (support::EmptyString(FieldText(nf, "NRDOCARRECAD")) &&
        !support::EmptyString(FieldText(nf, "CDMODDOCARREC")))
        Refuse({ui_.grbDAE, ui_.dbeDocArrecad}, "Dae_Inf");
}

} // namespace dfe::dfe11000
