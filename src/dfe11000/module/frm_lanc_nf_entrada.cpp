// The posting form's composition: its panels built once each, and its events handed to the rules.
#include "dfe11000/module/frm_lanc_nf_entrada.h"

#include "dfe11000/closing/error_list.h"
#include "dfe11000/header/access_key_rules.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_layout.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/header/transport_rules.h"
#include "dfe11000/items/charges.h"
#include "dfe11000/items/item_layout.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/items/related_documents.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/module/frame_layout.h"
#include "dfe11000/module/keyboard_hook.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_grids.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"

namespace dfe::dfe11000 {
namespace {

// Panels below the header that AjustaPanels moves together.
constexpr int kMovedWithItems = 4;

} // namespace

void TfrmLancNFEntrada::BuildLayout() {
    SetName("frmLancNFEntrada");
    SetCaption("Lançamento de Notas Fiscais");
    SetFormStyle(FormStyle::MdiChild);
    SetHelpContext(10811000);
    SetHelpFile("Dfehelp.hlp");
    SetBounds(0, 0, 663, 667);
    lblCodTela.SetCaption("DFE11000");

    data.CreateSources(*this);
    BuildCommands(*this, ui);
    BuildBranchPanel(*this, ui, lookups);
    BuildPages(*this, ui, data);
    Container& record = *ui.scbFormulario;
    BuildHeader(*this, record, ui, data, lookups);
    BuildDocument(*this, *ui.panCabecalho, ui, data, lookups);
    BuildOrigin(*this, record, ui, data, lookups);
    DetailStack stack{record, 344, kMovedWithItems};
    BuildItems(stack, ui, data);
    BuildTransport(*this, record, ui, data, lookups, stack.Next("panTransporte", 120));
    BuildTotals(stack, ui, data);
    BuildPostingGrids(ui, data);
}

void TfrmLancNFEntrada::WireEvents() {
    data.cdsParamDFE.AfterOpen = [this](DataSet&) { Parameters().cdsParamDFEAfterOpen(); };
    Header().Wire();
    Document().Wire();
    AccessKey().Wire();
    Origin().Wire();
    Participants().Wire();
    Transport().Wire();
    Items().Wire();
    Charges().Wire();
    RelatedDocuments().Wire();
    Taxes().Wire();
    Payables().Wire();
    Errors().Wire();
    Branch().Wire();
    List().Wire();
    Loader().Wire();
    Editing().Wire();
}

void TfrmLancNFEntrada::sbtIncluirClick() {
    Editing().Include();
}

void TfrmLancNFEntrada::sbtAlterarClick() {
    Editing().Change();
}

void TfrmLancNFEntrada::sbtConfirmarClick() {
    Editing().Confirm();
}

void TfrmLancNFEntrada::sbtCancelarClick() {
    Editing().Cancel();
}

void TfrmLancNFEntrada::sbtProcurarClick() {
    List().Find();
}

void TfrmLancNFEntrada::sbtVerificarClick() {
    Errors().sbtVerificarClick();
}

} // namespace dfe::dfe11000
