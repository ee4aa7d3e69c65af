// The commands of the error list: the closing-error dialog and what its answer runs, the item's errors, and
// the refresh of the posting from the server.
#include "dfe11000/closing/error_list.h"

#include "dfe11000/closing/closing_rules.h"
#include "dfe11000/dialogs/frm_erros.h"
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/dialogs/frm_vis_erro_lanc_entr.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_loader.h"

namespace dfe::dfe11000 {

void ErrorListRules::mnuErrosLancClick() {
    ClosingFlags& flags = form_.closingFlags;
    flags.chResultErros.clear();
    flags.stCodLibFech.clear();
    flags.boGeraDevolucao = false;
    flags.boAvisaOcorrencia = true;
    flags.stOfereceRateio = "S";
    if (flags.boBaseMensal) return;
    if (data_.cdsErrosVisual.Active() && !data_.cdsErrosVisual.IsEmpty()) {
        flags.stErrosExibidos = "S";
        if (CriaErros(form_) == "A") ConsisteAF(form_);
    }
    if (flags.chResultErros == "F") {
        form_.Repaint();
        form_.Closing().FechaNotaFiscal(flags.stCodLibFech);
    }
}

void ErrorListRules::sbtErrosClick() {
    if (!ui_.sbtErros->Enabled()) return;
    bool& alteraNF = Cli_dfe11000().boAlteraNF;
    FlagDuring quiet(alteraNF, false, alteraNF);
    mnuErrosLancClick();
}

void ErrorListRules::mnuErrosItemClick() {
    CriaVisErroLancEntr(form_, "I", FieldText(data_.cdsItemProduto, "CDPRODUTO"));
}

void ErrorListRules::sbtVerificarClick() {
    ModuleState& state = Cli_dfe11000();
    form_.Header().ReopenTipoOperacForCurrent();
    form_.Header().OpenBranchLookup(ui_.medCdFilial->Text());
    if (form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados) {
        // The list is read again as the last confirmed filter asked for it.
        if (form_.frmFiltroNFEntrada) form_.frmFiltroNFEntrada->sbtConfirmaClick();
        return;
    }
    PostingLoader& loader = form_.Loader();
    loader.GetNotaFiscal();
    loader.GetItemNotaFisc();
    loader.GetItemProduto();
    loader.GetItemEncargo();
    loader.GetContaPagar();
    loader.GetDadosAdic();
    loader.GetImposNFTot();
    loader.GetItemProImpos();
    data_.cdsTrabImposNFTot.EmptyOrCreateDataSet();
    data_.cdsTrabItProImpos.EmptyOrCreateDataSet();
    loader.ShowParticipantLookup();
    {
        FlagDuring quiet(state.boAlteraNF, false, true);
        loader.AtualizaTabTrab();
    }
    if (data_.cdsNotaFiscal.State() != DataSetState::Insert) loader.ShowLoadedColumns();
    form_.Editing().AtualizaMenus();
    form_.Editing().ControlaBotoes(*data_.dtsNotaFiscal);
}

} // namespace dfe::dfe11000
