// The header panel (company and operation type): entering it, and leaving it, which fixes both and adapts
// the record page to the operation type.
#include "dfe11000/header/header_fields.h"
#include "dfe11000/header/screen_helpers.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/server/inventory_check.h"
#include "platform/core/abort.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
void TfrmLancNFEntrada::panEnter() {
    boIncluiAposFiltro = false;
}

void TfrmLancNFEntrada::panExit() {
    ModuleState& state = Cli_dfe11000();
    state.boCanlcelNfe = false;
    TipoOper();
    ShowItemGridOriginColumn();
    const std::string branch = medCdFilial->Text();

    if (cdsNotaFiscal.State() == DataSetState::Browse) {
        GetParamDFE(branch);
        ReopenTipoOperac();
        // The series and number colours of the layout rule, without moving the panels.
        const std::string& kind = stTipoOperAtual;
        const Color series = OneOf(kind, {"09", "10", "12", "13"}) ? Color::clWindow : Color::clInfoBk;
        dbeSerie->SetColor(series);
        dbeNumero->SetColor(kind == "08" || stIdUtilEmisNF == "S" ? Color::clWindow : series);
        ShowRowOperationType();
        EnableTaxGridsByOperation();
    } else if (InEdit(cdsNotaFiscal)) {
        if (FieldText(cdsParamDFE, "IDCTRLESTQ") != "N" && TipoOperElem(5) != "N") {
            try {
                ValidaInventario(*this, branch, support::zymora::DataProc(branch));
            } catch (...) {
                FocusFirstPossible({dbeCdTipoOper});
                throw;
            }
        }
        Vd_BloqueiaNfCMP();
        const bool open = boIncluiAposFiltro;
        for (Control* c : std::initializer_list<Control*>{lblEmpresa, btpEmpresa, dbeCdEmpresa, lblTipoOper,
                                                          btpTipoOper, dbeCdTipoOper})
            c->SetEnabled(open);
        boIncluiAposFiltro = false;

        GetParamDFE(branch);
        const std::string suggestStock = FieldText(cdsParamDFE, "IDSUGALMLOESTPR");
        if (suggestStock == "S") state.stSugAlmoEstPr = "S";
        if (FieldText(cdsParamDFE, "IDUTILALLONF") == "S" && suggestStock == "N" &&
            FieldText(cdsNotaFiscal, "CDALMOXARIFE").empty()) {
            if (CriaAlmoLocal(*this)) {
                mnuAlmoLocal->SetEnabled(true);
                sbtAlmoLocal->SetEnabled(true);
                state.stSugAlmox = "S";
            } else if (!state.boImportaAF) {
                // The posting is gone: nothing below applies to it.
                Cancela();
                state.boCanlcelNfe = true;
                state.boProdInsert = state.boImportaAF = state.boIncluiFiltro = false;
                return;
            }
        }

        AjustaPanels(0);
        EnableOriginEditorsByOperation();
        ShowRowOperationType();

        const bool bound = rbtUnica->Checked() || cdsNotaFiscal.State() == DataSetState::Insert;
        for (DBEdit* edit : {dbeSerieSaida, dbeNumeroSaida}) {
            edit->SetColor(bound ? Color::clWhite : Color::clBtnFace);
            edit->SetDataSource(bound ? dtsItemNotaFisc : nullptr);
        }
        dbeSerieSaida->SetDataField(bound ? "CDSERIE" : "");
        dbeNumeroSaida->SetDataField(bound ? "NRNOTAFISC" : "");
        if (!state.boNFImpNFe && !state.boImportaAF && TipoOperElem(0) == "S") AjustaOrigemDevolucao();
    }

    if (FieldText(qryTipoOperac, "IDINFCPFCNPJNF") != "S") {
        if (nbkDestino->PageIndex() == 1 && !FieldText(cdsNotaFiscal, "NRINSJURNF").empty()) {
            dbeNrInsJurNFExit(*this);
        } else if (pgcPadrao.ActivePage() == &tshFormulario) {
            FocusFirstPossible({ParticipantField(), dbeSerie});
        }
    }

    if (TipoOperElem(7) == "S") {
        ntbChave->SetPageIndex(1);
        dbeChavePServ->SetColor(Color::clInfoBk);
        if (!cdsParamGeral.Active()) GetParamGeral();
        const bool relation = FieldText(cdsParamGeral, "IDUTRELPRODSERV") == "S";
        for (Control* c : std::initializer_list<Control*>{lblCdServico, dbeCdServico, btpCodServico})
            c->SetVisible(relation);
        if (relation && (!cdsListServProd.Active() || cdsListServProd.IsEmpty())) GetListServProd();
    } else {
        ntbChave->SetPageIndex(0);
    }
    state.boProdInsert = state.boImportaAF = state.boIncluiFiltro = false;
}

} // namespace dfe::dfe11000
