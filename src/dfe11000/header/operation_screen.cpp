// What the operation type decides on the record page: the items page and its caption, the reversal text,
// the transport page, the tax grids, the origin-document editors and the participant page.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/caption_group_box.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
void HeaderRules::ShowItemGridOriginColumn() {
    if (ui_.dbgItemProduto->ColumnCount() > 5)
        ui_.dbgItemProduto->Column(5).SetVisible(TipoOper().IDNFRETIND == "S");
}

void HeaderRules::EnableTaxGridsByOperation() {
    const std::string& kind = stTipoOperAtual;
    const bool taxes = !OneOf(kind, {"05", "07", "09", "10"});
    ui_.dbgItemProImpos->SetEnabled(taxes);
    ui_.dbgImposNFTot->SetEnabled(taxes);
    ui_.dbgItemEncargo->SetEnabled(kind != "09");
    ui_.grbProdEmiss->SetEnabled(kind != "05");
}

void HeaderRules::EnableOriginEditorsByOperation() {
    const bool origin = OneOf(stTipoOperAtual, {"03", "14"}) || TipoOper().IDOPERDEVONF == "S";
    for (Control* c :
         std::initializer_list<Control*>{ui_.dbeCdSerie, ui_.dbeNrNotaFisc, ui_.btpNotaFiscOrigem,
                                         ui_.dbeSerieSaida, ui_.dbeNumeroSaida, ui_.btpNFSaida})
        c->SetEnabled(origin);
}

// The participant page by the type's participant kind; a type without one is a supplier operation.
void HeaderRules::ShowParticipantByOperation() {
    std::string kind = FieldText(lookups_.qryTipoOperac, "IDORIGDESTOP");
    if (kind.empty()) kind = "F";
    const bool listShown = form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados;
    const bool recordShown = form_.pgcPadrao.ActivePage() == &form_.tshFormulario;
    Control* series = recordShown ? ui_.dbeSerie : nullptr;
    if (kind == "C") {
        ui_.nbkDestino->SetPageIndex(0);
        if (!listShown) FocusFirstPossible({ui_.dbeNrInsJurClie, series});
        ui_.grbFornecedor->SetCaption(CaptionGroupBox("Cliente"));
        return;
    }
    if (kind == "L") {
        ui_.nbkDestino->SetPageIndex(2);
        if (!listShown) FocusFirstPossible({ui_.dbeCdFilial, series});
    } else {
        ui_.nbkDestino->SetPageIndex(1);
        if (!listShown) FocusFirstPossible({ui_.dbeNrInsJurNF, series});
    }
    ui_.grbFornecedor->SetCaption(CaptionGroupBox(TipoOper().IDNFIMPORTACAOIND == "S"
                                                      ? form_.msgMensagensPadroes.Msg("Exportador")
                                                      : form_.msgPadrao.Msg("Fornecedor")));
}

DBEdit* HeaderRules::ParticipantField() const {
    switch (ui_.nbkDestino->PageIndex()) {
    case 0:
        return ui_.dbeNrInsJurClie;
    case 2:
        return ui_.dbeCdFilial;
    default:
        return ui_.dbeNrInsJurNF;
    }
}

void HeaderRules::RefuseOn(Control* focus, const char* code) {
    FocusFirstPossible({focus});
    support::MensErro(form_.msgPadrao, code, true);
}

} // namespace dfe::dfe11000
