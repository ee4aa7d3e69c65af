// The company of the posting: its rule, its exit (with the choice of the state registration when the company
// has several at the branch) and its search.
#include "dfe11000/dialogs/frm_insc_esta.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/core/abort.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void HeaderRules::Vd_Empresa(bool required) {
    ModuleState& state = Cli_dfe11000();
    const std::string typed = ui_.dbeCdEmpresa->Text();
    if (required && support::EmptyString(typed)) RefuseOn(ui_.dbeCdEmpresa, "Empr_Inf");
    // Closing with the focus elsewhere only needs a company: the lookups may show another one by now, so
    // nothing is copied from them either.
    if (required && form_.ActiveControl() != ui_.dbeCdEmpresa) return;

    const std::string company = support::Ajusta(typed, 2);
    SetWhileEditing(data_.cdsRomaneioNF, "CDEMPRESA", company);
    lookups_.qryEmpresa.Close();
    lookups_.qryEmpresa.ParamByName("P_EMPRESA") = Variant(company);
    lookups_.qryEmpresa.ParamByName("P_TODOS") = Variant("");
    lookups_.qryEmpresa.Open();
    if (lookups_.qryEmpresa.IsEmpty()) RefuseOn(ui_.dbeCdEmpresa, "Empr_Cad");

    const bool chosen = !state.stInscEstaImp.empty();
    lookups_.qryValidEmpr.Close();
    lookups_.qryValidEmpr.ParamByName("P_CDEMPRESA") = Variant(company);
    lookups_.qryValidEmpr.ParamByName("P_CDFILIAL") = Variant(ui_.medCdFilial->Text());
    lookups_.qryValidEmpr.ParamByName("P_CDINSCESTA") = Variant(chosen ? state.stInscEstaImp : std::string());
    lookups_.qryValidEmpr.ParamByName("P_TCDINSCESTA") = Variant(chosen ? "" : "T");
    lookups_.qryValidEmpr.Open();
    if (lookups_.qryValidEmpr.IsEmpty()) RefuseOn(ui_.dbeCdEmpresa, "Empr_Rel");

    SetWhileEditing(data_.cdsRomaneioNF, "NMRAZSOCEMPR", FieldText(lookups_.qryEmpresa, "NMRAZSOCEMPR"));
    if (InEdit(data_.cdsNotaFiscal)) {
        data_.cdsNotaFiscal.FieldByName("CDEMPRESA").SetAsString(company);
        data_.cdsNotaFiscal.FieldByName("CDINSCESTA")
            .SetAsString(FieldText(lookups_.qryValidEmpr, "CDINSCESTA"));
        data_.cdsNotaFiscal.FieldByName("CDINSCMUNI")
            .SetAsString(FieldText(lookups_.qryValidEmpr, "CDINSCMUNI"));
    }
}

void HeaderRules::dbeCdEmpresaExit() {
    ModuleState& state = Cli_dfe11000();
    state.boRetornoInscEsta = true;
    if (InEdit(data_.cdsNotaFiscal)) {
        state.stTodos = "N";
        Vd_Empresa(false);
        lookups_.qryEmprRelacFili.Close();
        lookups_.qryEmprRelacFili.ParamByName("P_CDEMPRESA") =
            Variant(FieldText(data_.cdsRomaneioNF, "CDEMPRESA"));
        lookups_.qryEmprRelacFili.ParamByName("P_CDFILIAL") = Variant(ui_.medCdFilial->Text());
        lookups_.qryEmprRelacFili.Open();
        if (lookups_.qryEmprRelacFili.RecordCount() > 1) {
            state.boRetornoInscEsta = CriaInscEsta(form_, state.boImportaAF);
            if (!state.boRetornoInscEsta) {
                form_.Editing().Cancel();
                ThrowAbort();
            }
        }
    }
    if (!state.boRetornoInscEsta) return;
    if (InEdit(data_.cdsNotaFiscal)) Vd_Empresa(false);
    lookups_.qryInscrEstad.Close();
    lookups_.qryInscrEstad.ParamByName("P_CDEMPRESA") = Variant(FieldText(data_.cdsNotaFiscal, "CDEMPRESA"));
    lookups_.qryInscrEstad.ParamByName("P_CDINSCESTA") =
        Variant(FieldText(data_.cdsNotaFiscal, "CDINSCESTA"));
    lookups_.qryInscrEstad.Open();
}

void HeaderRules::dbeCdEmpresaChange() {
    if (data_.cdsNotaFiscal.State() == DataSetState::Insert && InEdit(data_.cdsRomaneioNF))
        EditFieldText(data_.cdsRomaneioNF, "NMRAZSOCEMPR", "");
}

void HeaderRules::btpEmpresaBeforePesq() {
    // Every company is listed; the typed code stays, so a cancelled search leaves the posting as it was.
    Cli_dfe11000().stTodos = "T";
    lookups_.qryEmpresa.Close();
    lookups_.qryEmpresa.ParamByName("P_EMPRESA") = Variant(" ");
    lookups_.qryEmpresa.ParamByName("P_TODOS") = Variant("T");
    if (lookups_.qryEmpresa.HasParam("P_FILIAL"))
        lookups_.qryEmpresa.ParamByName("P_FILIAL") = Variant(ui_.medCdFilial->Text());
    lookups_.qryEmpresa.Open();
}

void HeaderRules::btpEmpresaAfterPesq() {
    if (data_.cdsNotaFiscal.Active() && data_.cdsNotaFiscal.State() == DataSetState::Browse &&
        !data_.cdsNotaFiscal.IsEmpty())
        data_.cdsNotaFiscal.Edit();
    const std::string company = FieldText(lookups_.qryEmpresa, "CDEMPRESA");
    EditFieldText(data_.cdsRomaneioNF, "CDEMPRESA", company);
    EditFieldText(data_.cdsRomaneioNF, "NMRAZSOCEMPR", FieldText(lookups_.qryEmpresa, "NMRAZSOCEMPR"));
    EditFieldText(data_.cdsNotaFiscal, "CDEMPRESA", company);
    EditFieldText(data_.cdsNotaFiscal, "CDINSCESTA", FieldText(lookups_.qryInscrEstad, "CDINSCESTA"));
    Cli_dfe11000().stTodos = "N";
}

void HeaderRules::ReopenInscrEstad() {
    const Field* registration =
        data_.cdsNotaFiscal.Active() ? data_.cdsNotaFiscal.FindField("CDINSCESTA") : nullptr;
    lookups_.qryInscrEstad.Close();
    lookups_.qryInscrEstad.ParamByName("P_CDEMPRESA") = Variant(ui_.dbeCdEmpresa->Text());
    lookups_.qryInscrEstad.ParamByName("P_CDINSCESTA") =
        Variant(registration ? registration->AsString() : "");
    lookups_.qryInscrEstad.Open();
}

} // namespace dfe::dfe11000
