// The operation type rule and the purchase-authorization (AF) requirement of purchases.
#include "dfe11000/header/header_fields.h"
#include "dfe11000/header/screen_helpers.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
void TfrmLancNFEntrada::Vd_TpOper() {
    ModuleState& state = Cli_dfe11000();
    auto refuse = [this](const char* code) {
        FocusFirstPossible({dbeCdTipoOper});
        support::MensErro(msgPadrao, code, true);
    };
    const std::string typed = dbeCdTipoOper->Text();
    if (support::EmptyString(typed)) refuse("Oper_Inf");
    const std::string code = support::Ajusta(typed, 2);
    if (FieldText(cdsRomaneioNF, "CDTIPOOPER") != code) SetWhileEditing(cdsRomaneioNF, "CDTIPOOPER", code);
    SetWhileEditing(cdsNotaFiscal, "CDTIPOOPER", code);
    stTipoOperAtual = code;
    ReopenTipoOperac();
    if (qryTipoOperac.IsEmpty()) refuse("Oper_Cad");
    TipoOper();

    SetWhileEditing(cdsRomaneioNF, "NMTIPOOPER", FieldText(qryTipoOperac, "NMTIPOOPER"));
    if (InEdit(cdsNotaFiscal)) {
        const std::string kind = FieldText(qryTipoOperac, "IDORIGDESTOP");
        cdsNotaFiscal.FieldByName("IDORIGDESTNF").SetAsString(kind.empty() ? "F" : kind);
        cdsNotaFiscal.FieldByName("IDGERAVENC").SetAsString(FieldText(qryTipoOperac, "IDGERAVENC"));
        cdsNotaFiscal.FieldByName("IDUTILVENC").SetAsString(FieldText(qryTipoOperac, "IDUTILVENC"));
    }
    Vd_BloqueiaNfCMP();

    if (InEdit(cdsNotaFiscal) && FieldText(qryTipoOperac, "IDINFCPFCNPJNF") == "S" && !state.boIncluiFiltro) {
        qryFornePadr.Close();
        qryFornePadr.ParamByName("P_CDFORNECED") = Variant(FieldText(qryTipoOperac, "CDFORNECEDPADR"));
        qryFornePadr.Open();
        cdsNotaFiscal.FieldByName("NRINSJURNF").SetAsString(FieldText(qryFornePadr, "NRINSJURFORN"));
        dbeNrInsJurNFExit(*this);
    }

    if (TipoOperElem(7) == "S") {
        const bool asked = TipoOperElem(18) == "S";
        for (Control* c : std::initializer_list<Control*>{grbLocPrestServ, btpEstadoOrig, btpMunicipio})
            c->SetEnabled(asked);
        for (DBEdit* edit : {dbeEstado, dbeMunicipio})
            edit->SetColor(asked ? Color::clInfoBk : Color::clBtnFace);
    }
}

void TfrmLancNFEntrada::Vd_BloqueiaNfCMP() {
    if (Cli_dfe11000().boImportaAF) return;
    const std::string branch = medCdFilial->Text();
    GetParamDFE(branch);
    qryParamCMPProd1.Close();
    qryParamCMPProd1.ParamByName("P_CDFILIAL") = Variant(branch);
    qryParamCMPProd1.Open();

    const bool here = App().ActiveForm() == this;
    const bool noExemptProducts = qryParamCMPProd1.IsEmpty();
    auto refuse = [this](const char* code) {
        FocusFirstPossible({dbeCdTipoOper});
        support::MensErro(msgPadrao, code, true);
    };
    const std::string kind = stTipoOperAtual;
    if (FieldText(cdsParamDFE, "IDUTBLOQOPAF") == "S" && kind != "01") {
        if (FieldText(qryTipoOperac, "CDTIPOOPER") != kind) ReopenTipoOperac();
        if (FieldText(qryTipoOperac, "IDEXIGEAF") == "S" && here && noExemptProducts) refuse("Blq_NF_TOPER");
        return;
    }
    const std::string fiscal = FieldText(cdsParamDFE, "DSPARFILFIS");
    const bool purchasesNeedAF = FieldText(cdsParamDFE, "IDBLOQCMPSAFFIL") == "S" ||
                                 FieldText(cdsParamDFE, "IDBLOQCMPSAF") == "S" ||
                                 (fiscal.size() >= 2 && fiscal[1] == 'S');
    if (purchasesNeedAF && here && noExemptProducts && kind == "01") refuse("Blq_NF_CMP");
}

} // namespace dfe::dfe11000
