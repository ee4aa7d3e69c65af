// The document's series and number, and the number another posting of the same participant already holds.
#include "dfe11000/dialogs/frm_filtro_nf_entrada.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/entry_date_rule.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/net/posting_calls.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/zymora.h"

#include <algorithm>

namespace dfe::dfe11000 {
namespace {

// As the date-and-time text of the library: the time only when the date has one.
std::string DateAndTimeText(DateTime value) {
    return value.Format(value.Days() == static_cast<double>(value.WholeDays()) ? "dd/mm/yyyy"
                                                                               : "dd/mm/yyyy hh:nn:ss");
}

bool OnlyZeros(const std::string& number) {
    return !number.empty() && std::all_of(number.begin(), number.end(), [](char c) { return c == '0'; });
}

} // namespace

void DocumentRules::qrySerieEntrBeforeOpen() {
    const ModuleState& st = Cli_dfe11000();
    Variant series = Variant::Null();
    if (st.stTodos == "N") {
        const TfrmFiltroNFEntrada* filter = form_.frmFiltroNFEntrada.get();
        const std::string typed =
            filter && filter->boFiltroAberto ? filter->stListaSerie : text::Trim(ui_.dbeSerie->Text());
        if (!typed.empty()) series = Variant(typed);
    }
    lookups_.qrySerieEntr.ParamByName("P_CDSERIE") = series;
}

void DocumentRules::Vd_Serie() {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    ModuleState& st = Cli_dfe11000();
    try {
        st.stTodos = "N";
        lookups_.qrySerieEntr.Close();
        lookups_.qrySerieEntr.Open();
        const std::string series = text::Trim(ui_.dbeSerie->Text());
        if (!series.empty()) {
            db::TADOIBQuery& known = lookups_.qryVdSerieEntr;
            known.Close();
            known.ParamByName("P_CDSERIEENTR") = Variant(series);
            known.Open();
            if (known.IsEmpty()) Refuse(ui_.dbeSerie, "Serie_Cad");
        } else if (!OneOf(form_.Header().CurrentType(), {"09", "10", "12", "13"}) &&
                   FieldText(data_.cdsNotaFiscal, "CDFILIEMIT") != support::zymora::FiliProc() &&
                   !form_.Participants().AFWithoutSupplier()) {
            Refuse(ui_.dbeSerie, "Serie_Inf");
        }
    } catch (...) {
        form_.Loader().ShowRecordPage();
        FocusIfPossible(ui_.dbeSerie);
        throw;
    }
}

void DocumentRules::dbeSerieEnter() {
    ui_.scbFormulario->SetVertScrollPosition(0);
}

void DocumentRules::dbeSerieExit() {
    Vd_Serie();
}

void DocumentRules::dbeSerieChange() {
    if (ui_.dbeSerie->Focused()) Cli_dfe11000().boAlteraNumNF = false;
}

void DocumentRules::btpSerieNFBeforePesq() {
    Cli_dfe11000().stTodos = "T";
    lookups_.qrySerieEntr.Close();
    lookups_.qrySerieEntr.Open();
}

void DocumentRules::btpSerieNFAfterPesq() {
    const std::string series = FieldText(lookups_.qrySerieEntr, "CDSERIEENTR");
    EditFieldText(data_.cdsNotaFiscal, "CDSERIEENTR", series);
    Cli_dfe11000().stTodos = "N";
}

void DocumentRules::RefuseNumber(const std::string& number) {
    FocusIfPossible(ui_.dbeNumero);
    const char* code = "Num_Inv";
    support::CurrentDialogs().ShowError(
        ErrorRequest{"\"" + number + "\"" + form_.msgPadrao.Msg(code), {}, code});
    ThrowAbort();
}

void DocumentRules::Vd_Numero() {
    DataSet& nf = data_.cdsNotaFiscal;
    // A browsed posting's number is not the clerk's to fix.
    if (!InEdit(nf)) return;
    const ModuleState& st = Cli_dfe11000();
    std::string number = text::Trim(ui_.dbeNumero->Text());
    try {
        SetWhileEditing(nf, "NRNOTAFISC", number);
        if (number.find(' ') != std::string::npos) RefuseNumber(number);
        // Zeros of any length are no number, however wide the branch's numbers are.
        if (OnlyZeros(number)) RefuseNumber(number);
        if (number.empty()) {
            if (!OneOf(form_.Header().CurrentType(), {"08", "09", "10", "12", "13"}) &&
                form_.Header().IdUtilEmisNF() != "S" &&
                FieldText(nf, "CDFILIEMIT") != support::zymora::FiliProc() && !st.boBloqueiaReplic)
                Refuse(ui_.dbeNumero, "Nume_Inf");
        } else if (FieldText(nf, "IDNFGERADAVIAXML") != "S") {
            const int64_t width = IntegerOrNull(data_.cdsParamDFE, "NRTAMNUMNFUT").value_or(0);
            SetWhileEditing(nf, "NRNOTAFISC", support::Ajusta(number, static_cast<int>(width)));
        }
    } catch (...) {
        FocusIfPossible(ui_.dbeNumero);
        throw;
    }
    if (nf.State() == DataSetState::Insert && text::Trim(ui_.dbeModDocFis->Text()).empty() &&
        FieldText(nf, "CDMODDOCFISC").empty())
        form_.Participants().ProposeModel();
    ShowModelPages(FieldText(nf, "CDMODDOCFISC"));
}

void DocumentRules::dbeNumeroExit() {
    Vd_Numero();
}

void DocumentRules::dbeNumeroChange() {
    if (ui_.dbeNumero->Focused()) Cli_dfe11000().boAlteraNumNF = false;
}

void DocumentRules::Vd_NrInteiro() {
    const std::string number = FieldText(data_.cdsNotaFiscal, "NRNOTAFISC");
    const std::string trimmed = text::Trim(number);
    const bool digits =
        !trimmed.empty() && trimmed.size() <= 18 &&
        std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) RefuseNumber(number);
}

void DocumentRules::Valida_Numero() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (!InEdit(nf)) return;
    const std::string series = FieldText(nf, "CDSERIEENTR");
    const std::string model = FieldText(nf, "CDMODDOCFISC");
    const std::string number = FieldText(nf, "NRNOTAFISC");
    if (series.empty() || model.empty() || number.empty()) return;
    // A posting being changed is not its own duplicate.
    const bool inserting = nf.State() == DataSetState::Insert;
    const std::string scope = inserting ? "T" : "N";
    const std::string branch = inserting ? std::string() : FieldText(nf, "CDFILIAL");
    const std::string posting = inserting ? std::string() : FieldText(nf, "NRLANCTONF");
    const std::string inProcess = support::zymora::FiliProc();
    DataSet* answer = nullptr;
    switch (ui_.nbkDestino->PageIndex()) {
    case 1: {
        const net::GetNrFornArgs args{.supplier = FieldText(nf, "CDFORNECED"),
                                      .series = series,
                                      .number = number,
                                      .scope = scope,
                                      .postingBranch = branch,
                                      .postingNumber = posting,
                                      .newPosting = inserting,
                                      .operationType = FieldText(nf, "CDTIPOOPER"),
                                      .branchInProcess = inProcess,
                                      .model = model};
        data_.cdsConForn.SetData(
            server_.Call(server_.netLancNFEntrada, net::GetNrFornArgs::kMethod, net::ToCallArgs(args)));
        answer = &data_.cdsConForn;
        break;
    }
    case 0:
    case 2: {
        const bool customer = ui_.nbkDestino->PageIndex() == 0;
        const net::DuplicateNumberArgs args{.participant =
                                                FieldText(nf, customer ? "CDCLIENTE" : "CDFILIEMIT"),
                                            .series = series,
                                            .number = number,
                                            .scope = scope,
                                            .postingBranch = branch,
                                            .postingNumber = posting,
                                            .newPosting = inserting,
                                            .branchInProcess = inProcess};
        answer = customer ? &data_.cdsConfNumClie : &data_.cdsConfNumFil;
        answer->SetData(server_.Call(server_.netLancNFEntrada, customer ? net::kGetNrClie : net::kGetNrFilial,
                                     net::ToCallArgs(args)));
        break;
    }
    default:
        return;
    }
    if (answer->IsEmpty()) return;
    answer->First();
    RefuseText(ui_.dbeNumero, "Doc_Inf_P",
               form_.msgPadrao.Msg("Doc_Inf_P") + " " + FieldText(*answer, "CDFILIRECE") + ",\r" +
                   form_.msgPadrao.Msg("Data_Ent") + " " +
                   DateAndTimeText(answer->FieldByName("DTENTRSAID").AsDateTime()) + ".");
}

} // namespace dfe::dfe11000
