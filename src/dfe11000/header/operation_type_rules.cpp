// The operation type rule and the purchase-authorization (AF) requirement of purchases.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/server/module_parameters.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
void HeaderRules::Vd_TpOper() {
    ModuleState& state = Cli_dfe11000();
    const std::string typed = ui_.dbeCdTipoOper->Text();
    if (support::EmptyString(typed)) RefuseOn(ui_.dbeCdTipoOper, "Oper_Inf");
    const std::string code = support::Ajusta(typed, 2);
    if (FieldText(data_.cdsRomaneioNF, "CDTIPOOPER") != code)
        SetWhileEditing(data_.cdsRomaneioNF, "CDTIPOOPER", code);
    SetWhileEditing(data_.cdsNotaFiscal, "CDTIPOOPER", code);
    stTipoOperAtual = code;
    ReopenTipoOperac();
    if (lookups_.qryTipoOperac.IsEmpty()) RefuseOn(ui_.dbeCdTipoOper, "Oper_Cad");
    TipoOper();

    SetWhileEditing(data_.cdsRomaneioNF, "NMTIPOOPER", FieldText(lookups_.qryTipoOperac, "NMTIPOOPER"));
    if (InEdit(data_.cdsNotaFiscal)) {
        const std::string kind = FieldText(lookups_.qryTipoOperac, "IDORIGDESTOP");
        data_.cdsNotaFiscal.FieldByName("IDORIGDESTNF").SetAsString(kind.empty() ? "F" : kind);
        data_.cdsNotaFiscal.FieldByName("IDGERAVENC")
            .SetAsString(FieldText(lookups_.qryTipoOperac, "IDGERAVENC"));
        data_.cdsNotaFiscal.FieldByName("IDUTILVENC")
            .SetAsString(FieldText(lookups_.qryTipoOperac, "IDUTILVENC"));
    }
    Vd_BloqueiaNfCMP();

    if (InEdit(data_.cdsNotaFiscal) && FieldText(lookups_.qryTipoOperac, "IDINFCPFCNPJNF") == "S" &&
        !state.boIncluiFiltro) {
        lookups_.qryFornePadr.Close();
        lookups_.qryFornePadr.ParamByName("P_CDFORNECED") =
            Variant(FieldText(lookups_.qryTipoOperac, "CDFORNECEDPADR"));
        lookups_.qryFornePadr.Open();
        data_.cdsNotaFiscal.FieldByName("NRINSJURNF")
            .SetAsString(FieldText(lookups_.qryFornePadr, "NRINSJURFORN"));
        form_.Participants().dbeNrInsJurNFExit();
    }

    if (TipoOper().IDNFPRESTSERV == "S") {
        const bool asked = TipoOper().IDUTLOCPRESTSERV == "S";
        for (Control* c :
             std::initializer_list<Control*>{ui_.grbLocPrestServ, ui_.btpEstadoOrig, ui_.btpMunicipio})
            c->SetEnabled(asked);
        for (DBEdit* edit : {ui_.dbeEstado, ui_.dbeMunicipio})
            edit->SetColor(asked ? Color::clInfoBk : Color::clBtnFace);
    }
}

void HeaderRules::Vd_BloqueiaNfCMP() {
    if (Cli_dfe11000().boImportaAF) return;
    const std::string branch = ui_.medCdFilial->Text();
    form_.Parameters().GetParamDFE(branch);
    lookups_.qryParamCMPProd1.Close();
    lookups_.qryParamCMPProd1.ParamByName("P_CDFILIAL") = Variant(branch);
    lookups_.qryParamCMPProd1.Open();

    const bool here = form_.App().ActiveForm() == &form_;
    const bool noExemptProducts = lookups_.qryParamCMPProd1.IsEmpty();
    const std::string kind = stTipoOperAtual;
    if (FieldText(data_.cdsParamDFE, "IDUTBLOQOPAF") == "S" && kind != "01") {
        if (FieldText(lookups_.qryTipoOperac, "CDTIPOOPER") != kind) ReopenTipoOperac();
        if (FieldText(lookups_.qryTipoOperac, "IDEXIGEAF") == "S" && here && noExemptProducts)
            RefuseOn(ui_.dbeCdTipoOper, "Blq_NF_TOPER");
        return;
    }
    const std::string fiscal = FieldText(data_.cdsParamDFE, "DSPARFILFIS");
    const bool purchasesNeedAF = FieldText(data_.cdsParamDFE, "IDBLOQCMPSAFFIL") == "S" ||
                                 FieldText(data_.cdsParamDFE, "IDBLOQCMPSAF") == "S" ||
                                 (fiscal.size() >= 2 && fiscal[1] == 'S');
    if (purchasesNeedAF && here && noExemptProducts && kind == "01")
        RefuseOn(ui_.dbeCdTipoOper, "Blq_NF_CMP");
}

} // namespace dfe::dfe11000
