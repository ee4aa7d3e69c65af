// The record page's layout by operation type: where the origin and remittance panels sit, where the item
// panel and everything below it land, which fields are painted as required, and the origin choices of a
// return.
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/server_gateway.h"

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

void TfrmLancNFEntrada::GroupBoxPadraoZym() {
    for (GroupBox* group :
         {grbDadosProd, grbImposNF, grbItEncargo, grbTransport, grbMensagem, grbTotalNF, grbImposItem,
          grbProdEmiss, grbFornecedor, grbDestReme, grbNFOrigem, grbInscrEstad})
        group->SetCaption(CaptionGroupBox(group->Caption()));
}

void TfrmLancNFEntrada::AjustaPanels(int offset) {
    const std::string& kind = stTipoOperAtual;
    const bool isReturn = TipoOperElem(0) == "S";
    const bool triangular = TipoOperElem(15) == "S";
    const bool usesOrigin = kind == "03" || kind == "14" || isReturn;

    const int base = usesOrigin ? (triangular ? 452 : 402) : (triangular ? 394 : 344);
    const bool originFirst = usesOrigin && !triangular;
    panDadosNFRemessa->SetTop(originFirst ? 394 : 344);
    panNFOrigem->SetTop(originFirst ? 344 : 394);

    const int delta = base + offset - panItemProduto->Top();
    if (delta != 0) {
        for (Component* c : Components()) {
            auto* control = dynamic_cast<Control*>(c);
            if (control && control->Tag() == kMovedWithItems) control->SetTop(control->Top() + delta);
        }
    }
    panNFOrigem->SetVisible(usesOrigin);
    panDadosNFRemessa->SetVisible(triangular);

    ColorsByOperationType();

    if (isReturn) AjustaOrigemDevolucao();
}

// The document editors take the colour of what the operation type asks of them.
void TfrmLancNFEntrada::ColorsByOperationType() {
    const std::string& kind = stTipoOperAtual;
    dbeNrNotaFisc->SetColor(kind == "14" ? Color::clWindow : Color::clInfoBk);
    dbeCdSerie->SetColor(kind == "14" ? Color::clWindow : Color::clInfoBk);
    dbeModDocFis->SetColor(OneOf(kind, {"09", "10"}) ? Color::clWindow : Color::clInfoBk);
    if (OneOf(kind, {"09", "10", "12", "13"})) {
        dbeSerie->SetColor(Color::clWindow);
        dbeNumero->SetColor(Color::clWindow);
    } else if (kind != "08") {
        dbeSerie->SetColor(Color::clInfoBk);
        dbeNumero->SetColor(Color::clInfoBk);
    } else {
        dbeSerie->SetColor(Color::clInfoBk);
        dbeNumero->SetColor(Color::clWindow);
    }
    if (stIdUtilEmisNF == "S") dbeNumero->SetColor(Color::clWindow);
}

void TfrmLancNFEntrada::AjustaOrigemDevolucao() {
    std::string branch =
        cdsNotaFiscal.Active() ? cdsNotaFiscal.FieldByName("CDFILIAL").AsString() : std::string();
    std::string posting =
        cdsNotaFiscal.Active() ? cdsNotaFiscal.FieldByName("NRLANCTONF").AsString() : std::string();
    cdsCountNFOrig.SetData(CallServer(*this, netLancNFEntrada, "GetCountNFOrig",
                                      net::CallArgs().StrRef(branch).StrRef(posting)));
    const int64_t count =
        cdsCountNFOrig.IsEmpty() ? 0 : cdsCountNFOrig.FieldByName("NRREGISTROS").AsInteger();
    const bool inserting = cdsNotaFiscal.State() == DataSetState::Insert;

    rbtUnica->SetChecked(count == 1 || inserting);
    rbtUnica->SetEnabled(inserting);
    const bool single = inserting && rbtUnica->Checked();
    dbeSerieSaida->SetEnabled(single);
    dbeNumeroSaida->SetEnabled(single);
    btpNFSaida->SetEnabled(single);
    rbtLista->SetChecked(count > 1);
    rbtLista->SetEnabled(inserting && TipoOperElem(1) == "S");
    btpLista->SetEnabled(rbtLista->Checked() && rbtLista->Enabled());

    const bool bound = rbtUnica->Checked() || inserting;
    for (DBEdit* edit : {dbeSerieSaida, dbeNumeroSaida}) {
        edit->SetColor(bound ? Color::clWhite : Color::clBtnFace);
        edit->SetDataSource(bound ? dtsItemNotaFisc : nullptr);
    }
    dbeSerieSaida->SetDataField(bound ? "CDSERIE" : "");
    dbeNumeroSaida->SetDataField(bound ? "NRNOTAFISC" : "");
}

} // namespace dfe::dfe11000
