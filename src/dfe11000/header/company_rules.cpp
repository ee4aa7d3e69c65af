// The company of the posting: its rule, its exit (with the choice of the state registration when the company
// has several at the branch) and its search.
#include "dfe11000/header/header_fields.h"
#include "dfe11000/header/screen_helpers.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "platform/core/abort.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::Vd_Empresa(bool required) {
    ModuleState& state = Cli_dfe11000();
    auto refuse = [this](const char* code) {
        FocusFirstPossible({dbeCdEmpresa});
        support::MensErro(msgPadrao, code, true);
    };
    const std::string typed = dbeCdEmpresa->Text();
    if (required && support::EmptyString(typed)) refuse("Empr_Inf");
    // Closing with the focus elsewhere only needs a company: the lookups may show another one by now, so
    // nothing is copied from them either.
    if (required && ActiveControl() != dbeCdEmpresa) return;

    const std::string company = support::Ajusta(typed, 2);
    SetWhileEditing(cdsRomaneioNF, "CDEMPRESA", company);
    qryEmpresa.Close();
    qryEmpresa.ParamByName("P_EMPRESA") = Variant(company);
    qryEmpresa.ParamByName("P_TODOS") = Variant("");
    qryEmpresa.Open();
    if (qryEmpresa.IsEmpty()) refuse("Empr_Cad");

    const bool chosen = !state.stInscEstaImp.empty();
    qryValidEmpr.Close();
    qryValidEmpr.ParamByName("P_CDEMPRESA") = Variant(company);
    qryValidEmpr.ParamByName("P_CDFILIAL") = Variant(medCdFilial->Text());
    qryValidEmpr.ParamByName("P_CDINSCESTA") = Variant(chosen ? state.stInscEstaImp : std::string());
    qryValidEmpr.ParamByName("P_TCDINSCESTA") = Variant(chosen ? "" : "T");
    qryValidEmpr.Open();
    if (qryValidEmpr.IsEmpty()) refuse("Empr_Rel");

    SetWhileEditing(cdsRomaneioNF, "NMRAZSOCEMPR", FieldText(qryEmpresa, "NMRAZSOCEMPR"));
    if (InEdit(cdsNotaFiscal)) {
        cdsNotaFiscal.FieldByName("CDEMPRESA").SetAsString(company);
        cdsNotaFiscal.FieldByName("CDINSCESTA").SetAsString(FieldText(qryValidEmpr, "CDINSCESTA"));
        cdsNotaFiscal.FieldByName("CDINSCMUNI").SetAsString(FieldText(qryValidEmpr, "CDINSCMUNI"));
    }
}

void TfrmLancNFEntrada::dbeCdEmpresaExit() {
    ModuleState& state = Cli_dfe11000();
    state.boRetornoInscEsta = true;
    if (InEdit(cdsNotaFiscal)) {
        state.stTodos = "N";
        Vd_Empresa(false);
        qryEmprRelacFili.Close();
        qryEmprRelacFili.ParamByName("P_CDEMPRESA") = Variant(FieldText(cdsRomaneioNF, "CDEMPRESA"));
        qryEmprRelacFili.ParamByName("P_CDFILIAL") = Variant(medCdFilial->Text());
        qryEmprRelacFili.Open();
        if (qryEmprRelacFili.RecordCount() > 1) {
            state.boRetornoInscEsta = CriaInscEsta(*this, state.boImportaAF);
            if (!state.boRetornoInscEsta) {
                sbtCancelarClick();
                ThrowAbort();
            }
        }
    }
    if (!state.boRetornoInscEsta) return;
    if (InEdit(cdsNotaFiscal)) Vd_Empresa(false);
    qryInscrEstad.Close();
    qryInscrEstad.ParamByName("P_CDEMPRESA") = Variant(FieldText(cdsNotaFiscal, "CDEMPRESA"));
    qryInscrEstad.ParamByName("P_CDINSCESTA") = Variant(FieldText(cdsNotaFiscal, "CDINSCESTA"));
    qryInscrEstad.Open();
}

void TfrmLancNFEntrada::dbeCdEmpresaChange() {
    if (cdsNotaFiscal.State() == DataSetState::Insert && InEdit(cdsRomaneioNF))
        SetFieldText(cdsRomaneioNF, "NMRAZSOCEMPR", "");
}

void TfrmLancNFEntrada::btpEmpresaBeforePesq() {
    // Every company is listed; the typed code stays, so a cancelled search leaves the posting as it was.
    Cli_dfe11000().stTodos = "T";
    qryEmpresa.Close();
    qryEmpresa.ParamByName("P_EMPRESA") = Variant(" ");
    qryEmpresa.ParamByName("P_TODOS") = Variant("T");
    if (qryEmpresa.HasParam("P_FILIAL")) qryEmpresa.ParamByName("P_FILIAL") = Variant(medCdFilial->Text());
    qryEmpresa.Open();
}

void TfrmLancNFEntrada::btpEmpresaAfterPesq() {
    if (cdsNotaFiscal.Active() && cdsNotaFiscal.State() == DataSetState::Browse && !cdsNotaFiscal.IsEmpty())
        cdsNotaFiscal.Edit();
    const std::string company = FieldText(qryEmpresa, "CDEMPRESA");
    SetFieldText(cdsRomaneioNF, "CDEMPRESA", company);
    SetFieldText(cdsRomaneioNF, "NMRAZSOCEMPR", FieldText(qryEmpresa, "NMRAZSOCEMPR"));
    SetFieldText(cdsNotaFiscal, "CDEMPRESA", company);
    SetFieldText(cdsNotaFiscal, "CDINSCESTA", FieldText(qryInscrEstad, "CDINSCESTA"));
    Cli_dfe11000().stTodos = "N";
}

} // namespace dfe::dfe11000
