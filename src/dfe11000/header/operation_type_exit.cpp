// Leaving the operation type: the type's rule, then the screen adapted to the type, and its search.
#include "dfe11000/dialogs/frm_loc_prest_serv.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"

namespace dfe::dfe11000 {
namespace {

constexpr int kReturnDetailsTop = 1160;

} // namespace

void HeaderRules::dbeCdTipoOperExit() {
    ModuleState& state = Cli_dfe11000();
    state.stTodos = "N";
    ForgetOperationType();
    TipoOper();
    ShowItemGridOriginColumn();
    const std::string& kind = stTipoOperAtual;
    if (InEdit(data_.cdsNotaFiscal)) {
        Vd_TpOper();
        const std::string treatment = FieldText(data_.cdsParamDFE, "IDTRATAVENC");
        const bool entryInstallments = FieldText(data_.cdsParamDFE, "IDLANCENTRVENC") == "S";
        ui_.tshVencimento->SetEnabled(FieldText(data_.cdsNotaFiscal, "IDUTILVENC") != "N" &&
                                      treatment != "N" && entryInstallments);
        if (ui_.mnuVencimentos) ui_.mnuVencimentos->SetEnabled(ui_.tshVencimento->Enabled());
        const bool financed = FieldText(data_.cdsNotaFiscal, "IDDOCFINANC") == "L";
        ui_.dbgContaPagar->SetReadOnly(treatment == "M" ? (entryInstallments || financed) : financed);
        EnableTaxGridsByOperation();
        if (OneOf(kind, {"03", "05", "11"})) {
            data_.cdsItemNotaFisc.Close();
            data_.cdsItemNotaFisc.CreateDataSet();
            data_.cdsItemNotaFisc.Append();
        }
        // Items page and caption, the reversal text and the transport page, as the list row shows them.
        form_.List().ShowRowOperationType();
        if (TipoOper().IDOPERDEVONF == "S") {
            ui_.grbDAE->SetTop(kReturnDetailsTop);
            ui_.nbkCte->SetTop(kReturnDetailsTop);
        }
        const bool gate = kind != "03" || data_.cdsRomaneioNF.State() == DataSetState::Insert;
        ui_.dbeNrInsJurNF->SetEnabled(gate && TipoOper().IDINFCPFCNPJNF == "N");
        form_.Parameters().ApplySupplierSearchRule();
        ui_.btpFornecedor->SetEnabled(gate && ui_.btpFornecedor->Enabled());
    }

    // A search may have left the lookup on every type: the screen follows the current one.
    if (FieldText(lookups_.qryTipoOperac, "CDTIPOOPER") != kind) ReopenTipoOperac();
    const bool listed =
        form_.dtsPadrao.Enabled() && data_.cdsRomaneioNF.Active() && !data_.cdsRomaneioNF.IsEmpty();
    ui_.mnuConheTransp->SetEnabled(listed && ui_.nbkDestino->PageIndex() == 1);
    ui_.mnuGeraSaida->SetEnabled(listed && FieldText(data_.cdsRomaneioNF, "CDTIPOOPER") != "03");
    ui_.sbtConheTransp->SetEnabled(ui_.mnuConheTransp->Enabled());
    ui_.sbtGeraSaida->SetEnabled(ui_.mnuGeraSaida->Enabled());

    ShowParticipantByOperation();
    stIdUtilEmisNF = FieldText(lookups_.qryTipoOperac, "IDUTILEMISNF");
    form_.Layout().AjustaPanels(0);
    EnableOriginEditorsByOperation();
    ui_.dbeChaveAcesso->SetColor(TipoOper().IDORIGDESTOP == "F" ? Color::clInfoBk : Color::clWindow);

    state.boLocPrestServ = true;
    if (TipoOper().IDNFPRESTSERV == "S" && TipoOper().IDUTLOCPRESTSERV == "S") {
        state.boLocPrestServ = CriaLocPrestServ(form_);
        if (!state.boLocPrestServ) {
            form_.Editing().Cancel();
            ThrowAbort();
        }
    }
    const bool bonus = TipoOper().CDTIPOOPERBONIF != "N";
    if (ui_.dbgItemProduto->ColumnCount() > 11) ui_.dbgItemProduto->Column(11).SetVisible(bonus);
    if (ui_.dbgItemsNFForn->ColumnCount() > 10) ui_.dbgItemsNFForn->Column(10).SetVisible(bonus);
}

void HeaderRules::dbeCdTipoOperChange() {
    if (data_.cdsNotaFiscal.State() != DataSetState::Insert) return;
    SetWhileEditing(data_.cdsRomaneioNF, "NMTIPOOPER", "");
    const bool gate = stTipoOperAtual != "03" || data_.cdsRomaneioNF.State() == DataSetState::Insert;
    ui_.dbeNrInsJurNF->SetEnabled(gate && TipoOper().IDINFCPFCNPJNF == "N");
    form_.Parameters().ApplySupplierSearchRule();
    ui_.btpFornecedor->SetEnabled(gate && ui_.btpFornecedor->Enabled());
}

void HeaderRules::btpTipoOperBeforePesq() {
    Cli_dfe11000().stTodos = "T";
    ReopenTipoOperac();
}

void HeaderRules::btpTipoOperAfterPesq() {
    // The chosen row is read first: putting the header into edit reopens the lookup for the current type.
    const std::string code = FieldText(lookups_.qryTipoOperac, "CDTIPOOPER");
    const std::string kind = FieldText(lookups_.qryTipoOperac, "IDORIGDESTOP");
    const std::string name = FieldText(lookups_.qryTipoOperac, "NMTIPOOPER");
    if (data_.cdsNotaFiscal.Active() && data_.cdsNotaFiscal.State() == DataSetState::Browse &&
        !data_.cdsNotaFiscal.IsEmpty())
        data_.cdsNotaFiscal.Edit();
    EditFieldText(data_.cdsNotaFiscal, "CDTIPOOPER", code);
    EditFieldText(data_.cdsNotaFiscal, "IDORIGDESTNF", kind.empty() ? "F" : kind);
    stTipoOperAtual = code;
    EditFieldText(data_.cdsRomaneioNF, "CDTIPOOPER", code);
    EditFieldText(data_.cdsRomaneioNF, "NMTIPOOPER", name);
    Cli_dfe11000().stTodos = "N";
}

} // namespace dfe::dfe11000
