// The command states of the screen: what may be done with the row shown, by the state of a data source
// (the list's or the header's).
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "support/zymora.h"

#include <algorithm>

namespace dfe::dfe11000 {
void PostingEditor::ControlaBotoes(DataSource& source) {
    const DataSetState s = source.State();
    const bool browse = s == DataSetState::Browse;
    const bool editing = IsEditing(s);
    const ModuleState& st = Cli_dfe11000();
    if (st.boAlteraNF) {
        const DataSet* ds = source.GetDataSet();
        const bool empty = !ds || !ds->Active() || ds->IsEmpty();
        auto row = [this](const char* field) { return FieldText(data_.cdsRomaneioNF, field); };
        const bool blocked = row("IDBLOQUEADO") == "S";
        const bool financial = FieldText(data_.cdsNotaFiscal, "IDDOCFINANC") == "L";
        const bool replicated = !row("IDDOCREPLIC").empty();
        const bool otherSystem = !row("DSNOTAFISORIGOL").empty();
        const bool equalToXml =
            row("IDNFGERADAVIAXML") == "S" && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S";
        const bool listed = data_.cdsRomaneioNF.Active() && !data_.cdsRomaneioNF.IsEmpty();

        EnableCommand(form_.mnuCancelar, form_.sbtCancelar, editing);
        EnableCommand(form_.mnuConfirmar, form_.sbtConfirmar, editing);
        EnableCommand(form_.mnuIncluir, form_.sbtIncluir, browse);
        EnableCommand(form_.mnuAlterar, form_.sbtAlterar,
                      browse && (!blocked || financial) && !st.boBloqueia && !empty &&
                          row("IDNFDEVOOL") != "S" && !replicated && !otherSystem && !equalToXml);
        EnableCommand(form_.mnuExcluir, form_.sbtExcluir,
                      browse && (!blocked || (otherSystem && row("IDSTATUS") == "P") || financial) &&
                          !st.boBloqueia && !empty && !replicated && row("IDDOCCREDST").empty());
        EnableCommand(form_.mnuProcurar, form_.sbtProcurar,
                      browse && form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados && !empty);
        EnableCommand(form_.mnuVerificar, form_.sbtVerificar, browse && !empty);
        EnableCommand(form_.mnuImprimir, form_.sbtImprimir, browse);
        ui_.mnuListagem->SetEnabled(browse);
        ui_.mnuConfigImpressora->SetEnabled(browse);
        EnableCommand(*ui_.mnuImportaAF, *ui_.sbtImportaAF, browse);
        EnableCommand(*ui_.mnuImportaNFe, *ui_.sbtImportaNFe,
                      browse && FieldText(data_.cdsParamDFE, "IDTPIMPNFE") == "C");
        EnableCommand(*ui_.mnuConsisteAF, *ui_.sbtConsisteAF, browse && !empty);
        EnableCommand(*ui_.mnuFiltro, *ui_.sbtFiltro, browse || s == DataSetState::Inactive);
        EnableCommand(*ui_.mnuReplicDoc, *ui_.sbtReplicDoc, true);
        ui_.mnuGerarNFId->SetEnabled(browse && source.Enabled() && !empty);
        ui_.mnuGerarNF->SetEnabled(browse && source.Enabled() && !empty);
        EnableCommand(*ui_.mnuRateio, *ui_.sbtRateio, browse && listed);
        ui_.mnuManuRateProd->SetEnabled(browse && row("IDSTATUS") != "C" && (!blocked || financial));
        ui_.mnuContRatePaga->SetEnabled(browse && ui_.tshVencimento->Enabled());
        const bool headerFree = data_.dtsNotaFiscal->Enabled() && listed && !editing;
        EnableCommand(*ui_.mnuConheTransp, *ui_.sbtConheTransp,
                      headerFree && ui_.nbkDestino->PageIndex() == 1);
        EnableCommand(*ui_.mnuGeraSaida, *ui_.sbtGeraSaida, headerFree && row("CDTIPOOPER") != "03");
        EnableCommand(*ui_.mnuAlmoLocal, *ui_.sbtAlmoLocal,
                      data_.dtsNotaFiscal->Enabled() && !empty &&
                          !FieldText(data_.cdsNotaFiscal, "CDALMOXARIFE").empty());
        EnableCommand(*ui_.mnuNFProdRural, *ui_.sbtNFProdRural, InEdit(data_.cdsNotaFiscal));
        ui_.btnAtuQtdDev->SetEnabled(listed);
        UpdateStockDate();
    }
    form_.tshFolhaDados.SetEnabled(!editing);
    ui_.mnuFolhaDados->SetEnabled(!editing);
    const bool toRecord = s == DataSetState::Insert ||
                          (s == DataSetState::Edit && form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados);
    if (toRecord && form_.pgcPadrao.ActivePage() != &form_.tshFormulario) {
        form_.tshFormulario.SetEnabled(true);
        form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
        form_.Loader().pgcPadraoChange();
    }
    // The colours follow the current type, the number's optional one (IDUTILEMISNF) included.
    form_.Header().ReopenTipoOperacForCurrent();
    form_.Layout().ColorsByOperationType();
    const bool typedSupplier =
        (form_.Header().CurrentType() != "03" || data_.cdsRomaneioNF.State() == DataSetState::Insert) &&
        form_.Header().TipoOper().IDINFCPFCNPJNF == "N";
    ui_.dbeNrInsJurNF->SetEnabled(typedSupplier);
    ui_.btpFornecedor->SetEnabled(typedSupplier && FieldText(data_.cdsParamDFE, "IDCONSFORNFJ") != "N" &&
                                  FieldText(data_.cdsRomaneioNF, "IDDOCREPLIC").empty() &&
                                  FieldText(data_.cdsRomaneioNF, "DSNOTAFISORIGOL").empty());
}

// The stock-evolution date: the processing day, or the earlier entry date of the posting being edited.
void PostingEditor::UpdateStockDate() {
    ModuleState& st = Cli_dfe11000();
    DateTime date = st.dtDataProc.DatePart();
    if (InEdit(data_.cdsNotaFiscal)) {
        for (const DataSet* ds : {&data_.cdsRomaneioNF, &data_.cdsNotaFiscal}) {
            const Field* entry = ds->Active() ? ds->FindField("DTENTRSAID") : nullptr;
            if (entry && !entry->IsNull()) date = std::min(date, entry->AsDateTime().DatePart());
        }
    }
    st.dtEvolEstoq = date;
}

void PostingEditor::AtualizaMenus() {
    const TabSheet* active = form_.pgcPadrao.ActivePage();
    ui_.mnuVencimentos->SetEnabled(ui_.tshVencimento->Enabled());
    ui_.mnuVencimentos->SetChecked(active == ui_.tshVencimento && ui_.tshVencimento->Enabled());
    ui_.mnuFormulario->SetEnabled(form_.tshFormulario.Enabled());
    ui_.mnuFormulario->SetChecked(active == &form_.tshFormulario);
    ui_.mnuFolhaDados->SetEnabled(form_.tshFolhaDados.Enabled());
    ui_.mnuFolhaDados->SetChecked(active == &form_.tshFolhaDados);
    // The command after verify follows find on the list page.
    const bool findOnList = form_.mnuProcurar.Enabled() && active == &form_.tshFolhaDados;
    ui_.mnuConsisteAF->SetEnabled(findOnList);
    ui_.sbtConsisteAF->SetEnabled(findOnList);
}

void PostingEditor::DisableForInsert() {
    if (!support::zymora::ModuFili()) {
        if (ui_.medCdFilial->CanFocus()) ui_.medCdFilial->SetFocus();
        return;
    }
    form_.List().DisableRowCommandsAndPages();
}

} // namespace dfe::dfe11000
