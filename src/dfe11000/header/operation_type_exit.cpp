// Leaving the operation type: the type's rule, then the screen adapted to the type, and its search.
#include "dfe11000/header/header_fields.h"
#include "dfe11000/header/screen_helpers.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "platform/core/abort.h"

namespace dfe::dfe11000 {
namespace {

constexpr int kReturnDetailsTop = 1160;

} // namespace

void TfrmLancNFEntrada::dbeCdTipoOperExit() {
    ModuleState& state = Cli_dfe11000();
    state.stTodos = "N";
    TipoOper();
    ShowItemGridOriginColumn();
    const std::string& kind = stTipoOperAtual;
    if (InEdit(cdsNotaFiscal)) {
        Vd_TpOper();
        const std::string treatment = FieldText(cdsParamDFE, "IDTRATAVENC");
        const bool entryInstallments = FieldText(cdsParamDFE, "IDLANCENTRVENC") == "S";
        tshVencimento->SetEnabled(FieldText(cdsNotaFiscal, "IDUTILVENC") != "N" && treatment != "N" &&
                                  entryInstallments);
        if (mnuVencimentos) mnuVencimentos->SetEnabled(tshVencimento->Enabled());
        const bool financed = FieldText(cdsNotaFiscal, "IDDOCFINANC") == "L";
        dbgContaPagar->SetReadOnly(treatment == "M" ? (entryInstallments || financed) : financed);
        EnableTaxGridsByOperation();
        if (OneOf(kind, {"03", "05", "11"})) {
            cdsItemNotaFisc.Close();
            cdsItemNotaFisc.CreateDataSet();
            cdsItemNotaFisc.Append();
        }
        // Items page and caption, the reversal text and the transport page, as the list row shows them.
        ShowRowOperationType();
        if (TipoOperElem(0) == "S") {
            grbDAE->SetTop(kReturnDetailsTop);
            nbkCte->SetTop(kReturnDetailsTop);
        }
        const bool gate = kind != "03" || cdsRomaneioNF.State() == DataSetState::Insert;
        dbeNrInsJurNF->SetEnabled(gate && TipoOperElem(6) == "N");
        ApplySupplierSearchRule();
        btpFornecedor->SetEnabled(gate && btpFornecedor->Enabled());
    }

    // A search may have left the lookup on every type: the screen follows the current one.
    if (FieldText(qryTipoOperac, "CDTIPOOPER") != kind) ReopenTipoOperac();
    const bool listed = dtsPadrao.Enabled() && cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty();
    mnuConheTransp->SetEnabled(listed && nbkDestino->PageIndex() == 1);
    mnuGeraSaida->SetEnabled(listed && FieldText(cdsRomaneioNF, "CDTIPOOPER") != "03");
    sbtConheTransp->SetEnabled(mnuConheTransp->Enabled());
    sbtGeraSaida->SetEnabled(mnuGeraSaida->Enabled());

    ShowParticipantByOperation();
    stIdUtilEmisNF = FieldText(qryTipoOperac, "IDUTILEMISNF");
    AjustaPanels(0);
    EnableOriginEditorsByOperation();
    dbeChaveAcesso->SetColor(TipoOperElem(16) == "F" ? Color::clInfoBk : Color::clWindow);

    state.boLocPrestServ = true;
    if (TipoOperElem(7) == "S" && TipoOperElem(18) == "S") {
        state.boLocPrestServ = CriaLocPrestServ(*this);
        if (!state.boLocPrestServ) {
            sbtCancelarClick();
            ThrowAbort();
        }
    }
    const bool bonus = TipoOperElem(20) != "N";
    if (dbgItemProduto->ColumnCount() > 11) dbgItemProduto->Column(11).SetVisible(bonus);
    if (dbgItemsNFForn->ColumnCount() > 10) dbgItemsNFForn->Column(10).SetVisible(bonus);
}

void TfrmLancNFEntrada::dbeCdTipoOperChange() {
    if (cdsNotaFiscal.State() != DataSetState::Insert) return;
    SetWhileEditing(cdsRomaneioNF, "NMTIPOOPER", "");
    const bool gate = stTipoOperAtual != "03" || cdsRomaneioNF.State() == DataSetState::Insert;
    dbeNrInsJurNF->SetEnabled(gate && TipoOperElem(6) == "N");
    ApplySupplierSearchRule();
    btpFornecedor->SetEnabled(gate && btpFornecedor->Enabled());
}

void TfrmLancNFEntrada::btpTipoOperBeforePesq() {
    Cli_dfe11000().stTodos = "T";
    ReopenTipoOperac();
}

void TfrmLancNFEntrada::btpTipoOperAfterPesq() {
    if (cdsNotaFiscal.Active() && cdsNotaFiscal.State() == DataSetState::Browse && !cdsNotaFiscal.IsEmpty())
        cdsNotaFiscal.Edit();
    const std::string code = FieldText(qryTipoOperac, "CDTIPOOPER");
    const std::string kind = FieldText(qryTipoOperac, "IDORIGDESTOP");
    SetFieldText(cdsNotaFiscal, "CDTIPOOPER", code);
    SetFieldText(cdsNotaFiscal, "IDORIGDESTNF", kind.empty() ? "F" : kind);
    stTipoOperAtual = code;
    SetFieldText(cdsRomaneioNF, "CDTIPOOPER", code);
    SetFieldText(cdsRomaneioNF, "NMTIPOOPER", FieldText(qryTipoOperac, "NMTIPOOPER"));
    Cli_dfe11000().stTodos = "N";
}

} // namespace dfe::dfe11000
