// The record page's layout by operation type: where the origin and remittance panels sit, where the item
// panel and everything below it land, which fields are painted as required, and the origin choices of a
// return.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/server/server_gateway.h"

#include <algorithm>

namespace dfe::dfe11000 {
namespace {

constexpr int kMovedWithItems = 4;

bool OneOf(const std::string& kind, std::initializer_list<const char*> kinds) {
    for (const char* k : kinds) {
        if (kind == k) return true;
    }
    return false;
}

} // namespace

std::string CaptionGroupBox(std::string_view text) {
    std::string caption(text);
    if (caption.empty()) return caption;
    if (caption.front() != ' ') caption.insert(caption.begin(), ' ');
    if (caption.back() != ' ') caption.push_back(' ');
    return caption;
}

void ScreenLayout::GroupBoxPadraoZym() {
    for (GroupBox* group : {ui_.grbDadosProd, ui_.grbImposNF, ui_.grbItEncargo, ui_.grbTransport,
                            ui_.grbMensagem, ui_.grbTotalNF, ui_.grbImposItem, ui_.grbProdEmiss,
                            ui_.grbFornecedor, ui_.grbDestReme, ui_.grbNFOrigem, ui_.grbInscrEstad})
        group->SetCaption(CaptionGroupBox(group->Caption()));
}

void ScreenLayout::AjustaPanels(int offset) {
    const std::string& kind = form_.Header().CurrentType();
    const OperationType type = form_.Header().TipoOper();
    const bool isReturn = type.IDOPERDEVONF == "S";
    const bool triangular = type.IDOPTRIANGULAR == "S";
    const bool usesOrigin = kind == "03" || kind == "14" || isReturn;

    const int base = usesOrigin ? (triangular ? 452 : 402) : (triangular ? 394 : 344);
    const bool originFirst = usesOrigin && !triangular;
    ui_.panDadosNFRemessa->SetTop(originFirst ? 394 : 344);
    ui_.panNFOrigem->SetTop(originFirst ? 344 : 394);

    const int delta = base + offset - ui_.panItemProduto->Top();
    if (delta != 0) {
        for (Component* c : form_.Components()) {
            auto* control = dynamic_cast<Control*>(c);
            if (control && control->Tag() == kMovedWithItems) control->SetTop(control->Top() + delta);
        }
    }
    ui_.panNFOrigem->SetVisible(usesOrigin);
    ui_.panDadosNFRemessa->SetVisible(triangular);
    KeepBelowDetails();

    ColorsByOperationType();

    if (isReturn) AjustaOrigemDevolucao();
}

// The groups below the visible area sit under the detail panels: a triangular return's stack reaches past
// their designed places, and a group covered by the total could not be used.
void ScreenLayout::KeepBelowDetails() {
    const Control* last = ui_.grbTotalNF->Parent();
    GroupBox& nature = *ui_.grbNatFreteCTe;
    nature.SetTop(std::max(nature.Top(), last->Top() + last->Height()));
    const int below = nature.Top() + nature.Height() + 3;
    for (Control* c : std::initializer_list<Control*>{ui_.nbkCte, ui_.grbDAE})
        c->SetTop(std::max(c->Top(), below));
}

// The document editors take the colour of what the operation type asks of them.
void ScreenLayout::ColorsByOperationType() {
    const std::string& kind = form_.Header().CurrentType();
    ui_.dbeNrNotaFisc->SetColor(kind == "14" ? Color::clWindow : Color::clInfoBk);
    ui_.dbeCdSerie->SetColor(kind == "14" ? Color::clWindow : Color::clInfoBk);
    ui_.dbeModDocFis->SetColor(OneOf(kind, {"09", "10"}) ? Color::clWindow : Color::clInfoBk);
    if (OneOf(kind, {"09", "10", "12", "13"})) {
        ui_.dbeSerie->SetColor(Color::clWindow);
        ui_.dbeNumero->SetColor(Color::clWindow);
    } else if (kind != "08") {
        ui_.dbeSerie->SetColor(Color::clInfoBk);
        ui_.dbeNumero->SetColor(Color::clInfoBk);
    } else {
        ui_.dbeSerie->SetColor(Color::clInfoBk);
        ui_.dbeNumero->SetColor(Color::clWindow);
    }
    if (form_.Header().IdUtilEmisNF() == "S") ui_.dbeNumero->SetColor(Color::clWindow);
}

void ScreenLayout::AjustaOrigemDevolucao() {
    std::string branch =
        data_.cdsNotaFiscal.Active() ? data_.cdsNotaFiscal.FieldByName("CDFILIAL").AsString() : std::string();
    std::string posting = data_.cdsNotaFiscal.Active()
                              ? data_.cdsNotaFiscal.FieldByName("NRLANCTONF").AsString()
                              : std::string();
    data_.cdsCountNFOrig.SetData(server_.Call(server_.netLancNFEntrada, "GetCountNFOrig",
                                              net::CallArgs().StrRef(branch).StrRef(posting)));
    const int64_t count =
        data_.cdsCountNFOrig.IsEmpty() ? 0 : data_.cdsCountNFOrig.FieldByName("NRREGISTROS").AsInteger();
    const bool inserting = data_.cdsNotaFiscal.State() == DataSetState::Insert;

    ui_.rbtUnica->SetChecked(count == 1 || inserting);
    ui_.rbtUnica->SetEnabled(inserting);
    const bool single = inserting && ui_.rbtUnica->Checked();
    ui_.dbeSerieSaida->SetEnabled(single);
    ui_.dbeNumeroSaida->SetEnabled(single);
    ui_.btpNFSaida->SetEnabled(single);
    ui_.rbtLista->SetChecked(count > 1);
    ui_.rbtLista->SetEnabled(inserting && form_.Header().TipoOper().IDUTLLISTORI == "S");
    ui_.btpLista->SetEnabled(ui_.rbtLista->Checked() && ui_.rbtLista->Enabled());

    const bool bound = ui_.rbtUnica->Checked() || inserting;
    for (DBEdit* edit : {ui_.dbeSerieSaida, ui_.dbeNumeroSaida}) {
        edit->SetColor(bound ? Color::clWhite : Color::clBtnFace);
        edit->SetDataSource(bound ? data_.dtsItemNotaFisc : nullptr);
    }
    ui_.dbeSerieSaida->SetDataField(bound ? "CDSERIE" : "");
    ui_.dbeNumeroSaida->SetDataField(bound ? "NRNOTAFISC" : "");
}

DBGrid* ScreenLayout::VisibleItemGrid() const {
    switch (ui_.nbkItensNF->PageIndex()) {
    case 1:
        return ui_.dbgItemNotaFisc;
    case 2:
        return ui_.dbgItemsNFForn;
    default:
        return ui_.dbgItemProduto;
    }
}

} // namespace dfe::dfe11000
