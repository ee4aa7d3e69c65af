// The command states of the screen: what may be done with the row shown, by the state of a data source
// (the list's or the header's).
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"
#include "support/zymora.h"

#include <algorithm>

namespace dfe::dfe11000 {
namespace {

void Enable(MenuItem& item, SpeedButton& button, bool enabled) {
    item.SetEnabled(enabled);
    button.SetEnabled(enabled);
}

void EnableNamedCommand(const Component& owner, std::string_view menu, std::string_view button,
                        bool enabled) {
    if (auto* item = owner.Find<MenuItem>(menu)) item->SetEnabled(enabled);
    if (auto* control = owner.Find<Control>(button)) control->SetEnabled(enabled);
}

} // namespace

void TfrmLancNFEntrada::ControlaBotoes(DataSource& source) {
    const DataSetState s = source.State();
    const bool browse = s == DataSetState::Browse;
    const bool editing = IsEditing(s);
    const ModuleState& st = Cli_dfe11000();
    if (st.boAlteraNF) {
        const DataSet* ds = source.GetDataSet();
        const bool empty = !ds || !ds->Active() || ds->IsEmpty();
        auto row = [this](const char* field) { return FieldText(cdsRomaneioNF, field); };
        const bool blocked = row("IDBLOQUEADO") == "S";
        const bool financial = FieldText(cdsNotaFiscal, "IDDOCFINANC") == "L";
        const bool replicated = !row("IDDOCREPLIC").empty();
        const bool otherSystem = !row("DSNOTAFISORIGOL").empty();
        const bool equalToXml =
            row("IDNFGERADAVIAXML") == "S" && FieldText(cdsParamDFE, "IDGERNFIGUALXML") == "S";
        const bool listed = cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty();

        Enable(mnuCancelar, sbtCancelar, editing);
        Enable(mnuConfirmar, sbtConfirmar, editing);
        Enable(mnuIncluir, sbtIncluir, browse);
        Enable(mnuAlterar, sbtAlterar,
               browse && (!blocked || financial) && !st.boBloqueia && !empty && row("IDNFDEVOOL") != "S" &&
                   !replicated && !otherSystem && !equalToXml);
        Enable(mnuExcluir, sbtExcluir,
               browse && (!blocked || (otherSystem && row("IDSTATUS") == "P") || financial) &&
                   !st.boBloqueia && !empty && !replicated && row("IDDOCCREDST").empty());
        Enable(mnuProcurar, sbtProcurar, browse && pgcPadrao.ActivePage() == &tshFolhaDados && !empty);
        Enable(mnuVerificar, sbtVerificar, browse && !empty);
        Enable(mnuImprimir, sbtImprimir, browse);
        mnuListagem->SetEnabled(browse);
        mnuConfigImpressora->SetEnabled(browse);
        Enable(*mnuImportaAF, *sbtImportaAF, browse);
        Enable(*mnuImportaNFe, *sbtImportaNFe, browse && FieldText(cdsParamDFE, "IDTPIMPNFE") == "C");
        Enable(*mnuConsisteAF, *sbtConsisteAF, browse && !empty);
        Enable(*mnuFiltro, *sbtFiltro, browse || s == DataSetState::Inactive);
        Enable(*mnuReplicDoc, *sbtReplicDoc, true);
        mnuGerarNFId->SetEnabled(browse && source.Enabled() && !empty);
        mnuGerarNF->SetEnabled(browse && source.Enabled() && !empty);
        Enable(*mnuRateio, *sbtRateio, browse && listed);
        mnuManuRateProd->SetEnabled(browse && row("IDSTATUS") != "C" && (!blocked || financial));
        mnuContRatePaga->SetEnabled(browse && tshVencimento->Enabled());
        const bool headerFree = dtsNotaFiscal->Enabled() && listed && !editing;
        Enable(*mnuConheTransp, *sbtConheTransp, headerFree && nbkDestino->PageIndex() == 1);
        Enable(*mnuGeraSaida, *sbtGeraSaida, headerFree && row("CDTIPOOPER") != "03");
        EnableNamedCommand(*this, "mnuAlmoLocal", "sbtAlmoLocal",
                           dtsNotaFiscal->Enabled() && !empty &&
                               !FieldText(cdsNotaFiscal, "CDALMOXARIF").empty());
        Enable(*mnuNFProdRural, *sbtNFProdRural, InEdit(cdsNotaFiscal));
        btnAtuQtdDev->SetEnabled(listed);
        UpdateStockDate();
    }
    tshFolhaDados.SetEnabled(!editing);
    mnuFolhaDados->SetEnabled(!editing);
    const bool toRecord =
        s == DataSetState::Insert || (s == DataSetState::Edit && pgcPadrao.ActivePage() == &tshFolhaDados);
    if (toRecord && pgcPadrao.ActivePage() != &tshFormulario) {
        tshFormulario.SetEnabled(true);
        pgcPadrao.SetActivePage(&tshFormulario);
        pgcPadraoChange();
    }
    const bool typedSupplier =
        (stTipoOperAtual != "03" || cdsRomaneioNF.State() == DataSetState::Insert) && TipoOperElem(6) != "S";
    dbeNrInsJurNF->SetEnabled(typedSupplier);
    btpFornecedor->SetEnabled(typedSupplier && FieldText(cdsParamDFE, "IDCONSFORNFJ") != "N" &&
                              FieldText(cdsRomaneioNF, "IDDOCREPLIC").empty() &&
                              FieldText(cdsRomaneioNF, "DSNOTAFISORIGOL").empty());
    // The lookup is not reopened here: a search over it puts the header into edit and then reads its row.
    ColorsByOperationType();
}

// The stock-evolution date: the processing day, or the earlier entry date of the posting being edited.
void TfrmLancNFEntrada::UpdateStockDate() {
    ModuleState& st = Cli_dfe11000();
    DateTime date = st.dtDataProc.DatePart();
    if (InEdit(cdsNotaFiscal)) {
        for (const DataSet* ds : {&cdsRomaneioNF, &cdsNotaFiscal}) {
            const Field* entry = ds->Active() ? ds->FindField("DTENTRSAID") : nullptr;
            if (entry && !entry->IsNull()) date = std::min(date, entry->AsDateTime().DatePart());
        }
    }
    st.dtEvolEstoq = date;
}

void TfrmLancNFEntrada::AtualizaMenus() {
    const TabSheet* active = pgcPadrao.ActivePage();
    mnuVencimentos->SetEnabled(tshVencimento->Enabled());
    mnuVencimentos->SetChecked(active == tshVencimento && tshVencimento->Enabled());
    mnuFormulario->SetEnabled(tshFormulario.Enabled());
    mnuFormulario->SetChecked(active == &tshFormulario);
    mnuFolhaDados->SetEnabled(tshFolhaDados.Enabled());
    mnuFolhaDados->SetChecked(active == &tshFolhaDados);
    // The command after verify follows find on the list page.
    const bool findOnList = mnuProcurar.Enabled() && active == &tshFolhaDados;
    mnuConsisteAF->SetEnabled(findOnList);
    sbtConsisteAF->SetEnabled(findOnList);
}

void TfrmLancNFEntrada::DisableForInsert() {
    if (!support::zymora::ModuFili()) {
        if (medCdFilial->CanFocus()) medCdFilial->SetFocus();
        return;
    }
    Enable(mnuAlterar, sbtAlterar, false);
    Enable(mnuExcluir, sbtExcluir, false);
    Enable(mnuProcurar, sbtProcurar, false);
    Enable(mnuVerificar, sbtVerificar, false);
    tshFolhaDados.SetEnabled(false);
    tshFormulario.SetEnabled(false);
    tshVencimento->SetEnabled(false);
    mnuFolhaDados->SetEnabled(false);
    mnuFormulario->SetEnabled(false);
    mnuVencimentos->SetEnabled(false);
    mnuFolhaDados->SetChecked(true);
}

} // namespace dfe::dfe11000
