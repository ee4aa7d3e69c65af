// The header panel (company and operation type): entering it, and leaving it, which fixes both and adapts
// the record page to the operation type.
#include "dfe11000/dialogs/frm_almo_local.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/inventory_check.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void HeaderRules::Wire() {
    lookups_.qryTipoOperac.BeforeOpen = [this](DataSet&) { qryTipoOperacBeforeOpen(); };
    ui_.dbeCdEmpresa->OnExit = [this](Component&) { dbeCdEmpresaExit(); };
    ui_.dbeCdEmpresa->OnChange = [this](Component&) { dbeCdEmpresaChange(); };
    ui_.dbeCdTipoOper->OnExit = [this](Component&) { dbeCdTipoOperExit(); };
    ui_.dbeCdTipoOper->OnChange = [this](Component&) { dbeCdTipoOperChange(); };
    ui_.pan->OnEnter = [this](Component&) { panEnter(); };
    ui_.pan->OnExit = [this](Component&) { panExit(); };
    ui_.btpEmpresa->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpEmpresaBeforePesq(); };
    ui_.btpEmpresa->OnAfterPesq = [this](support::TBtnPesquisa&) { btpEmpresaAfterPesq(); };
    ui_.btpTipoOper->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpTipoOperBeforePesq(); };
    ui_.btpTipoOper->OnAfterPesq = [this](support::TBtnPesquisa&) { btpTipoOperAfterPesq(); };
}

void HeaderRules::panEnter() {
    form_.Branch().boIncluiAposFiltro = false;
}

void HeaderRules::panExit() {
    ModuleState& state = Cli_dfe11000();
    state.boCanlcelNfe = false;
    TipoOper();
    ShowItemGridOriginColumn();
    const std::string branch = ui_.medCdFilial->Text();

    if (data_.cdsNotaFiscal.State() == DataSetState::Browse) {
        form_.Parameters().GetParamDFE(branch);
        ReopenTipoOperac();
        // The series and number colours of the layout rule, without moving the panels.
        const std::string& kind = stTipoOperAtual;
        const Color series = OneOf(kind, {"09", "10", "12", "13"}) ? Color::clWindow : Color::clInfoBk;
        ui_.dbeSerie->SetColor(series);
        ui_.dbeNumero->SetColor(kind == "08" || stIdUtilEmisNF == "S" ? Color::clWindow : series);
        form_.List().ShowRowOperationType();
        EnableTaxGridsByOperation();
    } else if (InEdit(data_.cdsNotaFiscal)) {
        if (FieldText(data_.cdsParamDFE, "IDCTRLESTQ") != "N" && TipoOper().IDATUESTTPOP != "N") {
            try {
                ValidaInventario(form_, branch, support::zymora::DataProc(branch));
            } catch (...) {
                FocusFirstPossible({ui_.dbeCdTipoOper});
                throw;
            }
        }
        Vd_BloqueiaNfCMP();
        const bool open = form_.Branch().boIncluiAposFiltro;
        for (Control* c :
             std::initializer_list<Control*>{ui_.lblEmpresa, ui_.btpEmpresa, ui_.dbeCdEmpresa,
                                             ui_.lblTipoOper, ui_.btpTipoOper, ui_.dbeCdTipoOper})
            c->SetEnabled(open);
        form_.Branch().boIncluiAposFiltro = false;

        form_.Parameters().GetParamDFE(branch);
        const std::string suggestStock = FieldText(data_.cdsParamDFE, "IDSUGALMLOESTPR");
        if (suggestStock == "S") state.stSugAlmoEstPr = "S";
        if (FieldText(data_.cdsParamDFE, "IDUTILALLONF") == "S" && suggestStock == "N" &&
            FieldText(data_.cdsNotaFiscal, "CDALMOXARIFE").empty()) {
            if (CriaAlmoLocal(form_)) {
                ui_.mnuAlmoLocal->SetEnabled(true);
                ui_.sbtAlmoLocal->SetEnabled(true);
                state.stSugAlmox = "S";
            } else if (!state.boImportaAF) {
                // The posting is gone: nothing below applies to it.
                form_.Editing().Cancela();
                state.boCanlcelNfe = true;
                state.boProdInsert = state.boImportaAF = state.boIncluiFiltro = false;
                return;
            }
        }

        form_.Layout().AjustaPanels(0);
        EnableOriginEditorsByOperation();
        form_.List().ShowRowOperationType();

        const bool bound = ui_.rbtUnica->Checked() || data_.cdsNotaFiscal.State() == DataSetState::Insert;
        for (DBEdit* edit : {ui_.dbeSerieSaida, ui_.dbeNumeroSaida}) {
            edit->SetColor(bound ? Color::clWhite : Color::clBtnFace);
            edit->SetDataSource(bound ? data_.dtsItemNotaFisc : nullptr);
        }
        ui_.dbeSerieSaida->SetDataField(bound ? "CDSERIE" : "");
        ui_.dbeNumeroSaida->SetDataField(bound ? "NRNOTAFISC" : "");
        if (!state.boNFImpNFe && !state.boImportaAF && TipoOper().IDOPERDEVONF == "S")
            form_.Layout().AjustaOrigemDevolucao();
    }

    if (FieldText(lookups_.qryTipoOperac, "IDINFCPFCNPJNF") != "S") {
        if (ui_.nbkDestino->PageIndex() == 1 && !FieldText(data_.cdsNotaFiscal, "NRINSJURNF").empty()) {
            form_.Participants().dbeNrInsJurNFExit();
        } else if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario) {
            FocusFirstPossible({ParticipantField(), ui_.dbeSerie});
        }
    }

    if (TipoOper().IDNFPRESTSERV == "S") {
        ui_.ntbChave->SetPageIndex(1);
        ui_.dbeChavePServ->SetColor(Color::clInfoBk);
        if (!data_.cdsParamGeral.Active()) form_.Parameters().GetParamGeral();
        const bool relation = FieldText(data_.cdsParamGeral, "IDUTRELPRODSERV") == "S";
        for (Control* c :
             std::initializer_list<Control*>{ui_.lblCdServico, ui_.dbeCdServico, ui_.btpCodServico})
            c->SetVisible(relation);
        if (relation && (!data_.cdsListServProd.Active() || data_.cdsListServProd.IsEmpty()))
            form_.Loader().GetListServProd();
    } else {
        ui_.ntbChave->SetPageIndex(0);
    }
    state.boProdInsert = state.boImportaAF = state.boIncluiFiltro = false;
}

} // namespace dfe::dfe11000
