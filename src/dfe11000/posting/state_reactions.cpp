// How the screen follows the header's and the details' data-source states.
#include "dfe11000/closing/release_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/server/inventory_check.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {} // namespace

void PostingEditor::Wire() {
    // The navigator walks the list (dtsPadrao stays on cdsRomaneioNF); the header's own source carries the
    // header's state reactions, so both keep working.
    data_.dtsNotaFiscal->OnStateChange = [this](DataSource&) { dtsPadraoStateChange(); };
    for (DataSource* detail :
         {data_.dtsItemProduto, data_.dtsItemNotaFisc, data_.dtsItemEncargo, data_.dtsContaPagar,
          data_.dtsDadosAdic, data_.dtsTrabImpoNFTot, data_.dtsTrabItProImpos}) {
        auto previous = detail->OnStateChange;
        detail->OnStateChange = [this, previous](DataSource& source) {
            if (previous) previous(source);
            EditaTabela(source, Cli_dfe11000().boChange);
        };
    }
    data_.cdsNotaFiscal.OnNewRecord = [this](DataSet&) { cdsNotaFiscalNewRecord(); };
    data_.cdsNotaFiscal.BeforeEdit = [this](DataSet&) { cdsNotaFiscalBeforeEdit(); };
    data_.cdsNotaFiscal.AfterEdit = [this](DataSet&) { cdsNotaFiscalAfterEdit(); };
    data_.cdsNotaFiscal.BeforePost = [this](DataSet&) { cdsNotaFiscalBeforePost(); };
    ChainHandler(data_.cdsNotaFiscal.AfterScroll, [this](DataSet&) { cdsNotaFiscalAfterScroll(); });
}

void PostingEditor::dtsPadraoStateChange() {
    const DataSetState s = data_.dtsNotaFiscal->State();
    const bool editing = IsEditing(s);
    const bool inserting = s == DataSetState::Insert;
    ControlaBotoes(*data_.dtsNotaFiscal);
    EnableBranchEditors(!support::zymora::ModuFili() && !editing);
    for (Control* c :
         std::initializer_list<Control*>{ui_.lblEmpresa, ui_.btpEmpresa, ui_.lblTipoOper, ui_.btpTipoOper})
        c->SetEnabled(inserting);
    ui_.dbeCdEmpresa->SetEnabled(inserting);
    ui_.dbeCdTipoOper->SetEnabled(inserting);
    form_.dbnPadrao.SetVisible(!editing && form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados);
    if (s == DataSetState::Edit && !Cli_dfe11000().boAlteraLib) {
        try {
            form_.Release().Verif_Liberacao();
        } catch (...) {
            if (data_.cdsContaPagar.Active()) data_.cdsContaPagar.Cancel();
            ReleaseFailed();
            throw;
        }
    }
    if (!editing) {
        ui_.grbLocPrestServ->SetEnabled(false);
        ui_.btpEstadoOrig->SetEnabled(false);
        ui_.btpMunicipio->SetEnabled(false);
    }
}

void PostingEditor::EditaTabela(DataSource& source, bool change) {
    const bool editing = IsEditing(source.State());
    if (&source == data_.dtsContaPagar) {
        if (GridColumn* column = ui_.dbgContaPagar->FindColumn("CDTPCTPAGAR"))
            column->SetButtonStyle(editing ? ColumnButton::Ellipsis : ColumnButton::None);
    }
    if (!editing || !change) return;
    if (&source == data_.dtsTrabImpoNFTot && !(ui_.dbgImposNFTot->Focused() && Cli_dfe11000().boAlteraNF))
        return;
    if (&source == data_.dtsTrabItProImpos && !ui_.dbgItemProImpos->Focused()) return;
    if (!data_.cdsNotaFiscal.Active() || data_.cdsNotaFiscal.IsEmpty() ||
        data_.cdsNotaFiscal.State() != DataSetState::Browse)
        return;
    data_.cdsNotaFiscal.Edit();
    stGrupoFiscal.clear();
}

bool PostingEditor::StockMoves() {
    return FieldText(data_.cdsParamDFE, "IDCTRLESTQ") != "N" && form_.Header().TipoOper().IDATUESTTPOP != "N";
}

void PostingEditor::cdsNotaFiscalBeforeEdit() {
    if (StockMoves())
        ValidaInventario(form_, ui_.medCdFilial->Text(), support::zymora::DataProc(ui_.medCdFilial->Text()));
    boCancelaCpfCnpj = false;
    if (!Cli_dfe11000().boImportaNFe) boChaveAceita = false;
    if (form_.Header().TipoOper().IDNFPRESTSERV != "S") return;
    const bool located = form_.Header().TipoOper().IDUTLOCPRESTSERV == "S";
    ui_.grbLocPrestServ->SetEnabled(located);
    ui_.btpEstadoOrig->SetEnabled(located);
    ui_.btpMunicipio->SetEnabled(located);
    for (DBEdit* edit : {ui_.dbeEstado, ui_.dbeMunicipio})
        edit->SetColor(located ? Color::clInfoBk : Color::clBtnFace);
}

// Only the first edit of a posting, before anything was changed: a stored VRPRODUTOS is kept, a zero one
// starts from the document's value.
void PostingEditor::cdsNotaFiscalAfterEdit() {
    if (data_.cdsNotaFiscal.ChangeCount() > 0) return;
    Field* products = data_.cdsNotaFiscal.FindField("VRPRODUTOS");
    const Field* document = data_.cdsNotaFiscal.FindField("VRNOTAFISC");
    if (!products || !document) return;
    if (products->AsFloat() == 0 && !document->IsNull()) products->SetAsFloat(document->AsFloat());
}

// Another header row: the state and municipality remembered belong to the one left.
void PostingEditor::cdsNotaFiscalAfterScroll() {
    ClearServiceLocationMemory();
}

void PostingEditor::cdsNotaFiscalBeforePost() {
    stEstadoAnt = FieldText(data_.cdsNotaFiscal, "SGESTADO");
    stMunicipioAnt = FieldText(data_.cdsNotaFiscal, "CDMUNICIPIO");
}

// The branch panel's editors: usable only outside an edit (and never on a fixed-branch module).
void PostingEditor::EnableBranchEditors(bool enabled) {
    ui_.medCdFilial->SetEnabled(enabled);
    ui_.btpFilial->SetEnabled(enabled);
    ui_.lblFilial->SetEnabled(enabled);
}

} // namespace dfe::dfe11000
