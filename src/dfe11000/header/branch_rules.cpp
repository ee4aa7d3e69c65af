// The branch in process: its lookup, the branch rule and the operator's relation to the branch.
#include "dfe11000/header/screen_helpers.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "support/consiste.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::DeclareLookups() {
    qryFiliRece.SetSQL("SELECT F.CDFILIAL, F.NMFILIAL, F.CDEMPRESA, F.CDINSCESTA, F.CDINSCMUNI,"
                       " COALESCE(F.CDFILCENTCMP, F.CDFILIAL) AS CDFILCENTCMP, F.IDFUNCAOFILI,"
                       " COALESCE(F.IDCNTRRESC, 'N') AS IDCNTRRESC FROM FILIAL F"
                       " WHERE (F.CDFILIAL = :P_CDFILIAL OR :P_CDFILIAL IS NULL) ORDER BY F.CDFILIAL");
    qryFiliOffLine.SetSQL(
        "SELECT MAX(F.CDFILIAL) AS CDFILIAL FROM FILIAL F WHERE F.CDFILIAL = :P_CDFILIAL AND "
        "F.IDUTILOFFLINE = 'S'");
    qryNFOffLine.SetSQL("SELECT MAX(N.CDFILIAL) AS CDFILIAL FROM NOTAFISCAL N WHERE N.IDENTRSAIDOP = 'E' AND "
                        "N.IDSISTEMA = 'DFE' AND N.CDFILIRECE = :P_CDFILIAL");
    qryOperRelac.SetSQL(
        "SELECT CDFILIAL FROM FILIOPER WHERE CDFILIAL = :P_CDFILIAL AND CDOPERADOR = :P_CDOPERADOR");
}

void TfrmLancNFEntrada::OpenBranchLookup(const std::string& branch) {
    qryFiliRece.Close();
    qryFiliRece.ParamByName("P_CDFILIAL") = branch.empty() ? Variant::Null() : Variant(branch);
    qryFiliRece.Open();
}

std::string TfrmLancNFEntrada::BranchName(const std::string& branch) {
    OpenBranchLookup(branch);
    return qryFiliRece.IsEmpty() ? std::string() : qryFiliRece.FieldByName("NMFILIAL").AsString();
}

void TfrmLancNFEntrada::Vd_Filial(bool required) {
    ModuleState& state = Cli_dfe11000();
    auto refuse = [this](const char* code) {
        if (medCdFilial->CanFocus()) medCdFilial->SetFocus();
        support::MensErro(msgPadrao, code, true);
    };
    const std::string typed = medCdFilial->Text();
    if (support::EmptyString(typed)) {
        if (required) refuse("Filial_Inf");
        return;
    }
    if (!required || ActiveControl() == medCdFilial) {
        const std::string branch = support::Ajusta(typed, 4);
        if (branch != typed) medCdFilial->SetText(branch);
        OpenBranchLookup(branch);
        if (qryFiliRece.IsEmpty()) refuse("Filial_Cad");
        edtNmFilial->SetText(qryFiliRece.FieldByName("NMFILIAL").AsString());
        state.stTodos = "N";
        qryFiliOffLine.Close();
        qryFiliOffLine.ParamByName("P_CDFILIAL") = Variant(branch);
        qryFiliOffLine.Open();
        if (!qryFiliOffLine.FieldByName("CDFILIAL").IsNull()) {
            qryNFOffLine.Close();
            qryNFOffLine.ParamByName("P_CDFILIAL") = Variant(branch);
            qryNFOffLine.Open();
            if (!qryNFOffLine.FieldByName("CDFILIAL").IsNull()) {
                if (medCdFilial->CanFocus()) medCdFilial->SetFocus();
                support::MensErro(msgMensagensPadroes, "OpBloq_NFOff", true);
            }
        }
    }
    state.dtDataProc = support::zymora::DataProc(medCdFilial->Text());
}

void TfrmLancNFEntrada::Vd_FiliInat() {
    const std::string branch = medCdFilial->Text();
    if (support::EmptyString(branch)) return;
    OpenBranchLookup(branch);
    if (qryFiliRece.IsEmpty() || qryFiliRece.FieldByName("IDCNTRRESC").AsString() != "S") return;
    FocusFirstPossible({medCdFilial});
    support::MensErro(msgPadrao, "Filial_Inat", true);
}

void TfrmLancNFEntrada::btpFilialBeforePesq() {
    Cli_dfe11000().stTodos = "T";
    OpenBranchLookup({});
}

void TfrmLancNFEntrada::btpFilialAfterPesq() {
    medCdFilial->SetText(qryFiliRece.FieldByName("CDFILIAL").AsString());
    edtNmFilial->SetText(qryFiliRece.FieldByName("NMFILIAL").AsString());
    Cli_dfe11000().stTodos = "N";
}

void TfrmLancNFEntrada::Vd_OperadorRelac() {
    GetParamGeral();
    if (cdsParamGeral.IsEmpty() || cdsParamGeral.FieldByName("IDBLOQLANCNFOPFIL").AsString() != "S") return;
    qryOperRelac.Close();
    qryOperRelac.ParamByName("P_CDFILIAL") = Variant(medCdFilial->Text());
    qryOperRelac.ParamByName("P_CDOPERADOR") = Variant(support::zymora::Operador());
    qryOperRelac.Open();
    if (qryOperRelac.IsEmpty()) {
        if (medCdFilial->CanFocus()) medCdFilial->SetFocus();
        support::MensErro(msgMensagensPadroes, "Oper_N_Relac", true);
    }
}

} // namespace dfe::dfe11000
