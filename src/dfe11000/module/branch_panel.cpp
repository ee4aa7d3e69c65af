// The branch panel on top of the form: choosing the branch, and what leaving it sets off (the branch's
// parameters, then the filter and the list).
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "support/btn_pesquisa.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
void TfrmLancNFEntrada::WireBranchPanel() {
    medCdFilial->OnChange = [this](Component&) { medCdFilialChange(); };
    medCdFilial->OnEnter = [this](Component&) { medCdFilialEnter(); };
    medCdFilial->OnExit = [this](Component&) { medCdFilialExit(); };
    panFilial->OnEnter = [this](Component&) { panFilialEnter(); };
    panFilial->OnExit = [this](Component&) { panFilialExit(); };
    sbtFiltro->OnClick = [this](Component&) { sbtFiltroClick(); };
    mnuFiltro->OnClick = [this](Component&) { sbtFiltroClick(); };
    btpFilial->OnBeforePesq = [this](support::TBtnPesquisa&, bool&) { btpFilialBeforePesq(); };
    btpFilial->OnAfterPesq = [this](support::TBtnPesquisa&) { btpFilialAfterPesq(); };
}

void TfrmLancNFEntrada::medCdFilialChange() {
    edtNmFilial->SetText("");
}

void TfrmLancNFEntrada::medCdFilialEnter() {
    mnuFiltro->SetEnabled(false);
    mnuConheTransp->SetEnabled(false);
    mnuGeraSaida->SetEnabled(false);
    sbtFiltro->SetEnabled(mnuFiltro->Enabled());
    sbtConheTransp->SetEnabled(mnuConheTransp->Enabled());
    sbtGeraSaida->SetEnabled(mnuGeraSaida->Enabled());
}

void TfrmLancNFEntrada::medCdFilialExit() {
    if (!medCdFilial->Text().empty()) Vd_Filial(false);
    Vd_OperadorRelac();
}

void TfrmLancNFEntrada::panFilialEnter() {
    if (FiltroAtivo()) {
        tshFormulario.SetEnabled(false);
        tshVencimento->SetEnabled(false);
        sbtIncluir.SetEnabled(false);
        mnuIncluir.SetEnabled(false);
        pgcPadrao.SetActivePage(&tshFolhaDados);
        if (!IsEditing(dtsRomaneioNF->State())) Habilita(false);
    }
    boFiltroConfirmado = false;
}

void TfrmLancNFEntrada::panFilialExit() {
    Vd_Filial(true);
    if (!IsEditing(dtsRomaneioNF->State())) {
        GetParamDFE(medCdFilial->Text());
        bool emptyList = false;
        if (boFiltroConfirmado) {
            boFiltroConfirmado = false;
            emptyList = !cdsRomaneioNF.Active() || cdsRomaneioNF.IsEmpty();
        } else {
            emptyList = !CriaFiltroNFEntrada(*this);
        }
        if (emptyList) {
            if (support::zymora::ModuFili()) {
                dtsRomaneioNF->SetEnabled(true);
                if (dbgPadrao->CanFocus()) dbgPadrao->SetFocus();
            } else if (medCdFilial->CanFocus()) {
                medCdFilial->SetFocus();
            }
        }
        if (boIncluiAposFiltro) sbtIncluirClick();
    }
    dbeCodiCFOp->SetEnabled(false);
    TipoOper();
    const bool locked = cdsParamDFE.Active() && cdsParamDFE.FieldByName("IDBLOQCFOPNF").AsString() == "S" &&
                        TipoOperElem(11) != "S";
    dbeDescCFOp->SetEnabled(!locked);
}

void TfrmLancNFEntrada::sbtFiltroClick() {
    boFiltroConfirmado = false;
    boIncluiAposFiltro = false;
    CriaFiltroNFEntrada(*this);
    if (boIncluiAposFiltro) sbtIncluirClick();
}

void TfrmLancNFEntrada::sbtProcurarClick() {
    Field* number = cdsRomaneioNF.Active() ? cdsRomaneioNF.FindField("NRINSJURNF") : nullptr;
    const std::string mask = number ? number->EditMask() : std::string();
    if (number) number->SetEditMask("");
    const bool found = support::Procura(cdsRomaneioNF, "Procurar");
    if (number) number->SetEditMask(mask);
    if (found) cdsRomaneioNFAfterOpen();
}

} // namespace dfe::dfe11000
