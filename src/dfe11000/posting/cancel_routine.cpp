// The cancel routine: every pending change of the posting is discarded and the list takes over again.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/posting/posting_loader.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

void CancelChanges(DataSet& ds) {
    if (!ds.Active()) return;
    ds.Cancel();
    ds.CancelUpdates();
}

} // namespace

void PostingEditor::Cancela() {
    ModuleState& st = Cli_dfe11000();
    {
        const FlagDuring cancelling(st.boCancela, true, false);
        st.boImpAFParaXML = false;
        st.boIncluiFiltro = false;
        HideColumn(*ui_.dbgItemProduto, 10);
        st.stAuxiliaEntr = "S";
        ResetPostingTexts();
        {
            // The list row handling below must not see the posting as changeable while it is discarded.
            const FlagDuring notChanging(st.boAlteraNF, false, true);
            if (data_.cdsNotaFiscal.Active()) data_.cdsNotaFiscal.Cancel();
            if (data_.cdsRomaneioNF.Active()) data_.cdsRomaneioNF.Cancel();
            if (data_.cdsRomaneioNF.Active() && !data_.cdsRomaneioNF.IsEmpty())
                form_.List().cdsRomaneioNFAfterOpen();
            for (DataSet* ds : {&data_.cdsNotaFiscal, &data_.cdsItemProduto, &data_.cdsItemEncargo,
                                &data_.cdsDadosAdic, &data_.cdsContaPagar, &data_.cdsTrabImposNFTot,
                                &data_.cdsItemNotaFisc, &data_.cdsNFRelacAF})
                CancelChanges(*ds);
            EnableBranchEditors(!support::zymora::ModuFili() && !InEdit(data_.cdsNotaFiscal));
            for (DBGrid* grid : {ui_.dbgItemProduto, ui_.dbgItemNotaFisc, ui_.dbgItemSemNF})
                FirstColumnButton(*grid, ColumnButton::None);
            ui_.mnuErros->SetEnabled(false);
            ui_.sbtErros->SetEnabled(false);
        }
        form_.pgcPadrao.SetActivePage(&form_.tshFolhaDados);
        ControlaBotoes(*data_.dtsRomaneioNF);
        const bool listed = data_.cdsRomaneioNF.Active() && !data_.cdsRomaneioNF.IsEmpty();
        const bool browsed = data_.dtsRomaneioNF->State() == DataSetState::Browse;
        form_.tshFolhaDados.SetEnabled(browsed && listed);
        ui_.mnuFolhaDados->SetEnabled(browsed && listed);
        form_.tshFormulario.SetEnabled(listed);
        ui_.mnuFormulario->SetEnabled(listed);
        form_.Loader().pgcPadraoChange();
    }
    for (bool* flag :
         {&st.boInsert, &st.boVencAF, &st.boAltLiberacao, &st.boAlteraLib, &st.boNFImpNFe, &st.boAlteraNumNF})
        *flag = false;
    st.stlItemNF.clear();
    boRelacAF = true;
    ClearLotMemory(st);
}

// A refused release takes the posting back to the list as it was.
void PostingEditor::CancelDetailsAndRow() {
    for (DataSet* ds :
         {&data_.cdsItemProduto, &data_.cdsItemEncargo, &data_.cdsDadosAdic, &data_.cdsContaPagar,
          &data_.cdsTrabImposNFTot, &data_.cdsItemNotaFisc, &data_.cdsNFRelacAF, &data_.cdsLiberacao})
        CancelChanges(*ds);
    if (data_.cdsRomaneioNF.Active()) data_.cdsRomaneioNF.Cancel();
    if (data_.cdsNotaFiscal.Active()) data_.cdsNotaFiscal.Cancel();
}

void PostingEditor::ReleaseFailed() {
    CancelDetailsAndRow();
    ControlaBotoes(*data_.dtsRomaneioNF);
    if (data_.cdsRomaneioNF.Active() && !data_.cdsRomaneioNF.IsEmpty()) form_.List().cdsRomaneioNFAfterOpen();
}

} // namespace dfe::dfe11000
