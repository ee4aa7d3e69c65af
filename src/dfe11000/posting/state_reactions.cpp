// How the screen follows the header's and the details' data-source states.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/row_fields.h"
#include "dfe11000/server/inventory_check.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

void EnableNamed(const Component& owner, std::string_view name, bool enabled) {
    if (auto* control = owner.Find<Control>(name)) control->SetEnabled(enabled);
}

} // namespace

void TfrmLancNFEntrada::WireEditingLifecycle() {
    // The navigator walks the list (dtsPadrao stays on cdsRomaneioNF); the header's own source carries the
    // header's state reactions, so both keep working.
    dtsNotaFiscal->OnStateChange = [this](DataSource&) { dtsPadraoStateChange(); };
    for (DataSource* detail : {dtsItemProduto, dtsItemNotaFisc, dtsItemEncargo, dtsContaPagar, dtsDadosAdic,
                               dtsTrabImpoNFTot, dtsTrabItProImpos}) {
        auto previous = detail->OnStateChange;
        detail->OnStateChange = [this, previous](DataSource& source) {
            if (previous) previous(source);
            EditaTabela(source, Cli_dfe11000().boChange);
        };
    }
    cdsNotaFiscal.OnNewRecord = [this](DataSet&) { cdsNotaFiscalNewRecord(); };
    cdsNotaFiscal.BeforeEdit = [this](DataSet&) { cdsNotaFiscalBeforeEdit(); };
    cdsNotaFiscal.AfterEdit = [this](DataSet&) { cdsNotaFiscalAfterEdit(); };
    cdsNotaFiscal.BeforePost = [this](DataSet&) { cdsNotaFiscalBeforePost(); };
}

void TfrmLancNFEntrada::dtsPadraoStateChange() {
    const DataSetState s = dtsNotaFiscal->State();
    const bool editing = IsEditing(s);
    const bool inserting = s == DataSetState::Insert;
    ControlaBotoes(*dtsNotaFiscal);
    EnableBranchEditors(*this, !support::zymora::ModuFili() && !editing);
    for (const char* name : {"lblEmpresa", "btpEmpresa", "lblTipoOper", "btpTipoOper"})
        EnableNamed(*this, name, inserting);
    dbeCdEmpresa->SetEnabled(inserting);
    dbeCdTipoOper->SetEnabled(inserting);
    dbnPadrao.SetVisible(!editing && pgcPadrao.ActivePage() == &tshFolhaDados);
    if (s == DataSetState::Edit && !Cli_dfe11000().boAlteraLib) {
        try {
            Verif_Liberacao(*this);
        } catch (...) {
            if (cdsContaPagar.Active()) cdsContaPagar.Cancel();
            ReleaseFailed();
            throw;
        }
    }
    if (!editing) {
        grbLocPrestServ->SetEnabled(false);
        EnableNamed(*this, "btpEstadoOrig", false);
        EnableNamed(*this, "btpMunicipio", false);
    }
}

void TfrmLancNFEntrada::EditaTabela(DataSource& source, bool change) {
    const bool editing = IsEditing(source.State());
    if (&source == dtsContaPagar) {
        if (GridColumn* column = dbgContaPagar->FindColumn("CDTPCTPAGAR"))
            column->SetButtonStyle(editing ? ColumnButton::Ellipsis : ColumnButton::None);
    }
    if (!editing || !change) return;
    if (&source == dtsTrabImpoNFTot && !(dbgImposNFTot->Focused() && Cli_dfe11000().boAlteraNF)) return;
    if (&source == dtsTrabItProImpos && !dbgItemProImpos->Focused()) return;
    if (!cdsNotaFiscal.Active() || cdsNotaFiscal.IsEmpty() || cdsNotaFiscal.State() != DataSetState::Browse)
        return;
    cdsNotaFiscal.Edit();
    stGrupoFiscal.clear();
}

bool TfrmLancNFEntrada::StockMoves() const {
    return FieldText(cdsParamDFE, "IDCTRLESTQ") != "N" && TipoOperElem(5) != "N";
}

void TfrmLancNFEntrada::cdsNotaFiscalBeforeEdit() {
    if (StockMoves())
        ValidaInventario(*this, medCdFilial->Text(), support::zymora::DataProc(medCdFilial->Text()));
    boCancelaCpfCnpj = false;
    if (!Cli_dfe11000().boImportaNFe) boChaveAceita = false;
    if (TipoOperElem(7) != "S") return;
    const bool located = TipoOperElem(18) == "S";
    grbLocPrestServ->SetEnabled(located);
    EnableNamed(*this, "btpEstadoOrig", located);
    EnableNamed(*this, "btpMunicipio", located);
    for (DBEdit* edit : {dbeEstado, dbeMunicipio})
        edit->SetColor(located ? Color::clInfoBk : Color::clBtnFace);
}

// Only the first edit of a posting, before anything was changed: a stored VRPRODUTOS is kept, a zero one
// starts from the document's value.
void TfrmLancNFEntrada::cdsNotaFiscalAfterEdit() {
    if (cdsNotaFiscal.ChangeCount() > 0) return;
    Field* products = cdsNotaFiscal.FindField("VRPRODUTOS");
    const Field* document = cdsNotaFiscal.FindField("VRNOTAFISC");
    if (!products || !document) return;
    if (products->AsFloat() == 0 && !document->IsNull()) products->SetAsFloat(document->AsFloat());
}

void TfrmLancNFEntrada::cdsNotaFiscalBeforePost() {
    stSgEstadoAnt = FieldText(cdsNotaFiscal, "SGESTADO");
    stCdMunicipioAnt = FieldText(cdsNotaFiscal, "CDMUNICIPIO");
}

} // namespace dfe::dfe11000
