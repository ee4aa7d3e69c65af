// What the operation type decides on the record page: the items page and its caption, the reversal text,
// the transport page, the tax grids, the origin-document editors and the participant page.
#include "dfe11000/header/header_fields.h"
#include "dfe11000/header/screen_helpers.h"
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"

namespace dfe::dfe11000 {
void TfrmLancNFEntrada::ShowItemGridOriginColumn() {
    if (dbgItemProduto->ColumnCount() > 5) dbgItemProduto->Column(5).SetVisible(TipoOperElem(14) == "S");
}

void TfrmLancNFEntrada::EnableTaxGridsByOperation() {
    const std::string& kind = stTipoOperAtual;
    const bool taxes = !OneOf(kind, {"05", "07", "09", "10"});
    dbgItemProImpos->SetEnabled(taxes);
    dbgImposNFTot->SetEnabled(taxes);
    dbgItemEncargo->SetEnabled(kind != "09");
    grbProdEmiss->SetEnabled(kind != "05");
}

void TfrmLancNFEntrada::EnableOriginEditorsByOperation() {
    const bool origin = OneOf(stTipoOperAtual, {"03", "14"}) || TipoOperElem(0) == "S";
    for (Control* c : std::initializer_list<Control*>{dbeCdSerie, dbeNrNotaFisc, btpNotaFiscOrigem,
                                                      dbeSerieSaida, dbeNumeroSaida, btpNFSaida})
        c->SetEnabled(origin);
}

// The participant page by the type's participant kind; a type without one is a supplier operation.
void TfrmLancNFEntrada::ShowParticipantByOperation() {
    std::string kind = FieldText(qryTipoOperac, "IDORIGDESTOP");
    if (kind.empty()) kind = "F";
    const bool listShown = pgcPadrao.ActivePage() == &tshFolhaDados;
    const bool recordShown = pgcPadrao.ActivePage() == &tshFormulario;
    Control* series = recordShown ? dbeSerie : nullptr;
    if (kind == "C") {
        nbkDestino->SetPageIndex(0);
        if (!listShown) FocusFirstPossible({dbeNrInsJurClie, series});
        grbFornecedor->SetCaption(CaptionGroupBox("Cliente"));
        return;
    }
    if (kind == "L") {
        nbkDestino->SetPageIndex(2);
        if (!listShown) FocusFirstPossible({dbeCdFilial, series});
    } else {
        nbkDestino->SetPageIndex(1);
        if (!listShown) FocusFirstPossible({dbeNrInsJurNF, series});
    }
    grbFornecedor->SetCaption(CaptionGroupBox(TipoOperElem(23) == "S" ? msgMensagensPadroes.Msg("Exportador")
                                                                      : msgPadrao.Msg("Fornecedor")));
}

} // namespace dfe::dfe11000
