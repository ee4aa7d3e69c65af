// The cancel routine: every pending change of the posting is discarded and the list takes over again.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/row_fields.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

void CancelChanges(DataSet& ds) {
    if (!ds.Active()) return;
    ds.Cancel();
    ds.CancelUpdates();
}

// Resets a flag when the scope ends, however it ends.
class FlagDuring {
public:
    FlagDuring(bool& flag, bool during, bool after) : flag_(flag), after_(after) { flag_ = during; }
    ~FlagDuring() { flag_ = after_; }
    FlagDuring(const FlagDuring&) = delete;
    FlagDuring& operator=(const FlagDuring&) = delete;

private:
    bool& flag_;
    bool after_;
};

} // namespace

void TfrmLancNFEntrada::Cancela() {
    ModuleState& st = Cli_dfe11000();
    {
        const FlagDuring cancelling(st.boCancela, true, false);
        st.boImpAFParaXML = false;
        st.boIncluiFiltro = false;
        HideColumn(*dbgItemProduto, 10);
        st.stAuxiliaEntr = "S";
        ResetPostingTexts();
        {
            // The list row handling below must not see the posting as changeable while it is discarded.
            const FlagDuring notChanging(st.boAlteraNF, false, true);
            if (cdsNotaFiscal.Active()) cdsNotaFiscal.Cancel();
            if (cdsRomaneioNF.Active()) cdsRomaneioNF.Cancel();
            if (cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty()) cdsRomaneioNFAfterOpen();
            for (DataSet* ds : {&cdsNotaFiscal, &cdsItemProduto, &cdsItemEncargo, &cdsDadosAdic,
                                &cdsContaPagar, &cdsTrabImposNFTot, &cdsItemNotaFisc, &cdsNFRelacAF})
                CancelChanges(*ds);
            EnableBranchEditors(*this, !support::zymora::ModuFili() && !InEdit(cdsNotaFiscal));
            for (DBGrid* grid : {dbgItemProduto, dbgItemNotaFisc, dbgItemSemNF})
                FirstColumnButton(*grid, ColumnButton::None);
            mnuErros->SetEnabled(false);
            sbtErros->SetEnabled(false);
        }
        pgcPadrao.SetActivePage(&tshFolhaDados);
        ControlaBotoes(*dtsRomaneioNF);
        const bool listed = cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty();
        const bool browsed = dtsRomaneioNF->State() == DataSetState::Browse;
        tshFolhaDados.SetEnabled(browsed && listed);
        mnuFolhaDados->SetEnabled(browsed && listed);
        tshFormulario.SetEnabled(listed);
        mnuFormulario->SetEnabled(listed);
        pgcPadraoChange();
    }
    for (bool* flag :
         {&st.boInsert, &st.boVencAF, &st.boAltLiberacao, &st.boAlteraLib, &st.boNFImpNFe, &st.boAlteraNumNF})
        *flag = false;
    st.stlItemNF.clear();
    boRelacAF = true;
    ClearLotMemory(st);
}

// A refused release takes the posting back to the list as it was.
void TfrmLancNFEntrada::CancelDetailsAndRow() {
    for (DataSet* ds : {&cdsItemProduto, &cdsItemEncargo, &cdsDadosAdic, &cdsContaPagar, &cdsTrabImposNFTot,
                        &cdsItemNotaFisc, &cdsNFRelacAF, &cdsLiberacao})
        CancelChanges(*ds);
    if (cdsRomaneioNF.Active()) cdsRomaneioNF.Cancel();
    if (cdsNotaFiscal.Active()) cdsNotaFiscal.Cancel();
}

void TfrmLancNFEntrada::ReleaseFailed() {
    CancelDetailsAndRow();
    ControlaBotoes(*dtsRomaneioNF);
    if (cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty()) cdsRomaneioNFAfterOpen();
}

} // namespace dfe::dfe11000
