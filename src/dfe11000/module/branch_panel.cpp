// The branch panel on top of the form: choosing the branch, and what leaving it sets off (the branch's
// parameters, then the filter and the list).
#include "dfe11000/module/branch_panel.h"
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/screen_layout.h"
#include "dfe11000/posting/posting_editor.h"
#include "dfe11000/posting/posting_list.h"
#include "dfe11000/server/module_parameters.h"
#include "support/btn_pesquisa.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
void BranchPanel::Wire() {
    ui_.medCdFilial->OnChange = [this](Component&) { medCdFilialChange(); };
    ui_.medCdFilial->OnEnter = [this](Component&) { medCdFilialEnter(); };
    ui_.medCdFilial->OnExit = [this](Component&) { medCdFilialExit(); };
    ui_.panFilial->OnEnter = [this](Component&) { panFilialEnter(); };
    ui_.panFilial->OnExit = [this](Component&) { panFilialExit(); };
    ui_.sbtFiltro->OnClick = [this](Component&) { sbtFiltroClick(); };
    ui_.mnuFiltro->OnClick = [this](Component&) { sbtFiltroClick(); };
    ui_.btpFilial->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) {
        form_.Header().btpFilialBeforePesq();
    };
    ui_.btpFilial->OnAfterPesq = [this](support::TBtnPesquisa&) { form_.Header().btpFilialAfterPesq(); };
}

void BranchPanel::medCdFilialChange() {
    ui_.edtNmFilial->SetText("");
}

void BranchPanel::medCdFilialEnter() {
    ui_.mnuFiltro->SetEnabled(false);
    ui_.mnuConheTransp->SetEnabled(false);
    ui_.mnuGeraSaida->SetEnabled(false);
    ui_.sbtFiltro->SetEnabled(ui_.mnuFiltro->Enabled());
    ui_.sbtConheTransp->SetEnabled(ui_.mnuConheTransp->Enabled());
    ui_.sbtGeraSaida->SetEnabled(ui_.mnuGeraSaida->Enabled());
}

void BranchPanel::medCdFilialExit() {
    if (!ui_.medCdFilial->Text().empty()) form_.Header().Vd_Filial(false);
    form_.Header().Vd_OperadorRelac();
}

void BranchPanel::panFilialEnter() {
    if (FiltroAtivo()) {
        form_.tshFormulario.SetEnabled(false);
        ui_.tshVencimento->SetEnabled(false);
        form_.sbtIncluir.SetEnabled(false);
        form_.mnuIncluir.SetEnabled(false);
        form_.pgcPadrao.SetActivePage(&form_.tshFolhaDados);
        if (!IsEditing(data_.dtsRomaneioNF->State())) form_.Layout().Habilita(false);
    }
    boFiltroConfirmado = false;
}

void BranchPanel::panFilialExit() {
    form_.Header().Vd_Filial(true);
    if (!IsEditing(data_.dtsRomaneioNF->State())) {
        form_.Parameters().GetParamDFE(ui_.medCdFilial->Text());
        bool emptyList = false;
        if (boFiltroConfirmado) {
            boFiltroConfirmado = false;
            emptyList = !data_.cdsRomaneioNF.Active() || data_.cdsRomaneioNF.IsEmpty();
        } else {
            emptyList = !CriaFiltroNFEntrada(form_);
        }
        if (emptyList) {
            if (support::zymora::ModuFili()) {
                data_.dtsRomaneioNF->SetEnabled(true);
                if (ui_.dbgPadrao->CanFocus()) ui_.dbgPadrao->SetFocus();
            } else if (ui_.medCdFilial->CanFocus()) {
                ui_.medCdFilial->SetFocus();
            }
        }
        if (boIncluiAposFiltro) form_.Editing().Include();
    }
    ui_.dbeCodiCFOp->SetEnabled(false);
    form_.Header().TipoOper();
    const bool locked = data_.cdsParamDFE.Active() &&
                        data_.cdsParamDFE.FieldByName("IDBLOQCFOPNF").AsString() == "S" &&
                        form_.Header().TipoOper().IDOBINFCSTCFOPEN != "S";
    ui_.dbeDescCFOp->SetEnabled(!locked);
}

void BranchPanel::sbtFiltroClick() {
    boFiltroConfirmado = false;
    boIncluiAposFiltro = false;
    CriaFiltroNFEntrada(form_);
    if (boIncluiAposFiltro) form_.Editing().Include();
}

void PostingList::Find() {
    Field* number = data_.cdsRomaneioNF.Active() ? data_.cdsRomaneioNF.FindField("NRINSJURNF") : nullptr;
    const std::string mask = number ? number->EditMask() : std::string();
    if (number) number->SetEditMask("");
    const bool found = support::Procura(data_.cdsRomaneioNF, "Procurar");
    if (number) number->SetEditMask(mask);
    if (found) form_.List().cdsRomaneioNFAfterOpen();
}

bool BranchPanel::FiltroAtivo() const {
    return form_.ActiveControl() != nullptr && form_.ActiveControl() == ui_.medCdFilial;
}

} // namespace dfe::dfe11000
