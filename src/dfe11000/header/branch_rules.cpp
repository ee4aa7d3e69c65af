// The branch in process: its lookup, the branch rule and the operator's relation to the branch.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/server/module_parameters.h"
#include "support/consiste.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void HeaderRules::OpenBranchLookup(const std::string& branch) {
    lookups_.qryFiliRece.Close();
    lookups_.qryFiliRece.ParamByName("P_CDFILIAL") = branch.empty() ? Variant::Null() : Variant(branch);
    lookups_.qryFiliRece.Open();
}

std::string HeaderRules::BranchName(const std::string& branch) {
    OpenBranchLookup(branch);
    return lookups_.qryFiliRece.IsEmpty() ? std::string()
                                          : lookups_.qryFiliRece.FieldByName("NMFILIAL").AsString();
}

void HeaderRules::Vd_Filial(bool required) {
    ModuleState& state = Cli_dfe11000();
    const std::string typed = ui_.medCdFilial->Text();
    if (support::EmptyString(typed)) {
        if (required) RefuseOn(ui_.medCdFilial, "Filial_Inf");
        return;
    }
    if (!required || form_.ActiveControl() == ui_.medCdFilial) {
        const std::string branch = support::Ajusta(typed, 4);
        if (branch != typed) ui_.medCdFilial->SetText(branch);
        OpenBranchLookup(branch);
        if (lookups_.qryFiliRece.IsEmpty()) RefuseOn(ui_.medCdFilial, "Filial_Cad");
        ui_.edtNmFilial->SetText(lookups_.qryFiliRece.FieldByName("NMFILIAL").AsString());
        state.stTodos = "N";
        lookups_.qryFiliOffLine.Close();
        lookups_.qryFiliOffLine.ParamByName("P_CDFILIAL") = Variant(branch);
        lookups_.qryFiliOffLine.Open();
        if (!lookups_.qryFiliOffLine.FieldByName("CDFILIAL").IsNull()) {
            lookups_.qryNFOffLine.Close();
            lookups_.qryNFOffLine.ParamByName("P_CDFILIAL") = Variant(branch);
            lookups_.qryNFOffLine.Open();
            if (!lookups_.qryNFOffLine.FieldByName("CDFILIAL").IsNull()) {
                if (ui_.medCdFilial->CanFocus()) ui_.medCdFilial->SetFocus();
                support::MensErro(form_.msgMensagensPadroes, "OpBloq_NFOff", true);
            }
        }
    }
    state.dtDataProc = support::zymora::DataProc(ui_.medCdFilial->Text());
}

void HeaderRules::Vd_FiliInat() {
    const std::string branch = ui_.medCdFilial->Text();
    if (support::EmptyString(branch)) return;
    OpenBranchLookup(branch);
    if (lookups_.qryFiliRece.IsEmpty() || lookups_.qryFiliRece.FieldByName("IDCNTRRESC").AsString() != "S")
        return;
    FocusFirstPossible({ui_.medCdFilial});
    support::MensErro(form_.msgPadrao, "Filial_Inat", true);
}

void HeaderRules::btpFilialBeforePesq() {
    Cli_dfe11000().stTodos = "T";
    OpenBranchLookup({});
}

void HeaderRules::btpFilialAfterPesq() {
    ui_.medCdFilial->SetText(lookups_.qryFiliRece.FieldByName("CDFILIAL").AsString());
    ui_.edtNmFilial->SetText(lookups_.qryFiliRece.FieldByName("NMFILIAL").AsString());
    Cli_dfe11000().stTodos = "N";
}

void HeaderRules::Vd_OperadorRelac() {
    form_.Parameters().GetParamGeral();
    if (data_.cdsParamGeral.IsEmpty() ||
        data_.cdsParamGeral.FieldByName("IDBLOQLANCNFOPFIL").AsString() != "S")
        return;
    lookups_.qryOperRelac.Close();
    lookups_.qryOperRelac.ParamByName("P_CDFILIAL") = Variant(ui_.medCdFilial->Text());
    lookups_.qryOperRelac.ParamByName("P_CDOPERADOR") = Variant(support::zymora::Operador());
    lookups_.qryOperRelac.Open();
    if (lookups_.qryOperRelac.IsEmpty()) {
        if (ui_.medCdFilial->CanFocus()) ui_.medCdFilial->SetFocus();
        support::MensErro(form_.msgMensagensPadroes, "Oper_N_Relac", true);
    }
}

} // namespace dfe::dfe11000
