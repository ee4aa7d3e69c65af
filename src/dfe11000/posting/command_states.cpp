// The command states of the list: what may be done with the row shown, by the state of a data source.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"

namespace dfe::dfe11000 {
namespace {

void Enable(MenuItem& item, SpeedButton& button, bool enabled) {
    item.SetEnabled(enabled);
    button.SetEnabled(enabled);
}

} // namespace

void TfrmLancNFEntrada::ControlaBotoes(DataSource& source) {
    const DataSetState s = source.State();
    const bool browse = s == DataSetState::Browse;
    const bool editing = IsEditing(s);
    if (Cli_dfe11000().boAlteraNF) {
        const bool bloqueia = Cli_dfe11000().boBloqueia;
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
               browse && (!blocked || financial) && !bloqueia && !empty && row("IDNFDEVOOL") != "S" &&
                   !replicated && !otherSystem && !equalToXml);
        Enable(mnuExcluir, sbtExcluir,
               browse && (!blocked || (otherSystem && row("IDSTATUS") == "P") || financial) && !bloqueia &&
                   !empty && !replicated && row("IDDOCCREDST").empty());
        Enable(mnuProcurar, sbtProcurar, browse && pgcPadrao.ActivePage() == &tshFolhaDados && !empty);
        Enable(mnuVerificar, sbtVerificar, browse && !empty);
        Enable(mnuImprimir, sbtImprimir, browse);
        Enable(*mnuFiltro, *sbtFiltro, browse || s == DataSetState::Inactive);
        const bool headerFree = dtsPadrao.Enabled() && listed && !editing;
        Enable(*mnuConheTransp, *sbtConheTransp, headerFree && nbkDestino->PageIndex() == 1);
        Enable(*mnuGeraSaida, *sbtGeraSaida, headerFree && row("CDTIPOOPER") != "03");
    }
    tshFolhaDados.SetEnabled(!editing);
    mnuFolhaDados->SetEnabled(!editing);
}

void TfrmLancNFEntrada::AtualizaMenus() {
    const TabSheet* active = pgcPadrao.ActivePage();
    mnuVencimentos->SetEnabled(tshVencimento->Enabled());
    mnuVencimentos->SetChecked(active == tshVencimento && tshVencimento->Enabled());
    mnuFormulario->SetEnabled(tshFormulario.Enabled());
    mnuFormulario->SetChecked(active == &tshFormulario);
    mnuFolhaDados->SetEnabled(tshFolhaDados.Enabled());
    mnuFolhaDados->SetChecked(active == &tshFolhaDados);
}

} // namespace dfe::dfe11000
