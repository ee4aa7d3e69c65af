// The document's issue and entry dates, its total value, and the filter's date ranges.
#include "dfe11000/closing/release_rules.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/entry_date_rule.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/inventory_check.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/current_dialogs.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

// The message text with each "%s" replaced, in order, by the next argument.
std::string Fill(std::string text, std::initializer_list<std::string_view> args) {
    size_t from = 0;
    for (std::string_view arg : args) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, arg);
        from = at + arg.size();
    }
    return text;
}

std::string InvalidDateText(const std::string& typed) {
    return "\"" + typed + "\" não é uma data válida.";
}

} // namespace

void DocumentRules::RefuseInvalidDate(Control& edit) {
    FocusIfPossible(&edit);
    support::CurrentDialogs().ShowError(ErrorRequest{InvalidDateText(edit.Text()), {}, {}});
    ThrowAbort();
}

bool DocumentRules::HeaderBeingChanged() const {
    return data_.cdsNotaFiscal.Active() && data_.cdsNotaFiscal.State() == DataSetState::Edit;
}

void DocumentRules::Vd_DataEmiss(bool required) {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    DBDateEdit& issueEdit = *ui_.dbdDtEmissao;
    const TypedDate issue = ReadTypedDate(issueEdit.EditText());
    if (issue.blank) {
        if (required) RefuseOnRecordPage(&issueEdit, "DtEmis_Inf");
        return;
    }
    if (!issueEdit.Enabled()) return;
    if (!issue.valid) {
        form_.Loader().ShowRecordPage();
        RefuseInvalidDate(issueEdit);
    }
    const TypedDate entry = ReadTypedDate(ui_.dbdEntrSaid->EditText());
    if (entry.blank || !entry.valid) return;
    ModuleState& st = Cli_dfe11000();
    const IssueDateVerdict verdict =
        IssueDateCheck(issue.date, entry.date, IntegerOrNull(data_.cdsParamDFE, "NRDIASBLOQDTEMI"),
                       IntegerOrNull(data_.cdsParamDFE, "NRDIASAVISDTEMI"));
    if (verdict == IssueDateVerdict::Blocked) RefuseOnRecordPage(&issueEdit, "DtEmis_Bloq");
    if (verdict != IssueDateVerdict::Questioned || st.boAvisDtEmis) return;
    const int answer =
        support::MsgAlertEx(form_.msgPadrao.Msg("DtEmis_Avis"), DialogType::Confirmation,
                            {form_.msgPadrao.Msg("Sim"), form_.msgPadrao.Msg("Nao")}, "DtEmis_Avis");
    if (answer == kFirstCustomAnswer) {
        st.boAvisDtEmis = true;
    } else {
        // Not a refusal: the clerk goes back to the date, the caller goes on.
        form_.Loader().ShowRecordPage();
        FocusIfPossible(&issueEdit);
    }
}

DateTime DocumentRules::ProcessingDate(bool reload) {
    if (reload) {
        form_.Parameters().ReloadParamDFE(ui_.medCdFilial->Text());
        const Field* processing =
            data_.cdsParamDFE.Active() ? data_.cdsParamDFE.FindField("DTPROCESSA") : nullptr;
        return processing ? processing->AsDateTime().DatePart() : DateTime();
    }
    const std::string branch =
        support::zymora::ModuFili() ? support::zymora::FiliProc() : ui_.medCdFilial->Text();
    return support::zymora::DataProc(branch).DatePart();
}

void DocumentRules::Vd_DataEntr(bool required, bool reload) {
    const DateTime processing = ProcessingDate(reload);
    DataSet& nf = data_.cdsNotaFiscal;
    if (!InEdit(nf)) return;
    ModuleState& st = Cli_dfe11000();
    DBDateEdit& entryEdit = *ui_.dbdEntrSaid;
    try {
        const TypedDate entry = ReadTypedDate(entryEdit.EditText());
        if (entry.blank) {
            if (required) Refuse(&entryEdit, "DtEntr_Inf");
        } else if (!required || entryEdit.Enabled()) {
            if (!entry.valid) RefuseInvalidDate(entryEdit);
            form_.Parameters().GetParamDFE(ui_.medCdFilial->Text());
            if (const char* code = EntryDateRefusal(EntryDateParamsOf(data_.cdsParamDFE), processing,
                                                    entry.date, st.boAltLiberacao))
                Refuse(&entryEdit, code);
            const Field& stored = nf.FieldByName("DTENTRSAID");
            const Variant former = stored.OldValue();
            const bool changed = former.IsNull() || former.AsDateTime().WholeDays() != entry.date.WholeDays();
            if (HeaderBeingChanged() && changed && !former.IsNull() &&
                former.AsDateTime().WholeDays() != processing.WholeDays() &&
                !FieldText(nf, "NRSEQCAPADOC").empty())
                Refuse(&entryEdit, "Dt_Inv_RE");
            const TypedDate issue = ReadTypedDate(ui_.dbdDtEmissao->EditText());
            if (!issue.blank && issue.valid && issue.date.WholeDays() > entry.date.WholeDays())
                Refuse(&entryEdit, "DtEnt_Inv");
        }
        if (!FieldText(nf, "DTENTRSAID").empty())
            Confirma_Liberacao(form_, ui_.medCdFilial->Text(), st.boAltLiberacao,
                               nf.FieldByName("DTENTRSAID").AsDateTime());
        nf.FieldByName("DTLANCAMENNF").SetAsDateTime(processing);
    } catch (...) {
        form_.Loader().ShowRecordPage();
        FocusIfPossible(&entryEdit);
        form_.Repaint();
        throw;
    }
}

void DocumentRules::Vd_ValorNF() {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    const Field& value = data_.cdsNotaFiscal.FieldByName("VRNOTAFISC");
    const bool empty = value.IsNull() || text::Trim(ui_.dbeVrNotaFisc->Text()).empty();
    const char* code = empty                                                         ? "VrNF_inf"
                       : value.AsFloat() < 0 && form_.Header().CurrentType() != "03" ? "VrNF_menor"
                                                                                     : nullptr;
    if (code) {
        form_.Loader().ShowRecordPage();
        Refuse(ui_.dbeVrNotaFisc, code);
    }
}

void DocumentRules::dbdDtEmissaoExit() {
    Vd_DataEmiss(false);
}

void DocumentRules::dbdDtEmissaoChange() {
    ModuleState& st = Cli_dfe11000();
    st.boAvisDtEmis = false;
    if (ui_.dbdDtEmissao->Focused()) st.boAlteraNumNF = false;
}

void DocumentRules::dbdEntrSaidChange() {
    Cli_dfe11000().boAvisDtEmis = false;
}

void DocumentRules::dbdEntrSaidExit() {
    const TypedDate typed = ReadTypedDate(ui_.dbdEntrSaid->EditText());
    const bool changed = InEdit(data_.cdsNotaFiscal) &&
                         (typed.blank != entryOnEnter_.blank || typed.date != entryOnEnter_.date);
    if (HeaderBeingChanged() && Cli_dfe11000().boAlteraLib && changed) form_.Release().Verif_Liberacao();
    Vd_DataEntr(false, false);
    if (!changed) return;
    // Asked once per change of the date, not again on every exit.
    entryOnEnter_ = typed;
    RegenerateInstallmentsAfterEntryDate();
}

void DocumentRules::Vd_Datas(DateEdit& start, DateEdit& end) {
    const std::string label = form_.msgPadrao.Msg(start.Name());
    auto refuse = [&](Control& focus, const char* code, std::string text) {
        if (focus.CanFocus()) focus.SetFocus();
        support::CurrentDialogs().ShowError(ErrorRequest{std::move(text), {}, code});
        ThrowAbort();
    };
    auto coded = [&](Control& focus, const char* code) {
        refuse(focus, code, Fill(form_.msgPadrao.Msg(code), {label, label}));
    };
    const TypedDate first = ReadTypedDate(start.EditText());
    const TypedDate last = ReadTypedDate(end.EditText());
    if (text::SameText(start.Name(), "depEmisIni")) {
        if (first.blank && last.blank) return;
        if (last.blank) coded(end, "DtFinal_Inf");
        if (first.blank) coded(start, "DtInicial_Inf");
    } else {
        if (first.blank) coded(start, "DtInicial_Inf");
        if (last.blank) coded(end, "DtFinal_Inf");
    }
    if (!first.valid) refuse(start, "", InvalidDateText(start.EditText()));
    if (!last.valid) refuse(end, "", InvalidDateText(end.EditText()));
    if (last.date < first.date) coded(start, "DtFinal_inv");
}

} // namespace dfe::dfe11000
