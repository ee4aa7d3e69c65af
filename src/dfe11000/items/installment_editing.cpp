// An installment typed or corrected by the clerk, and the installment commands.
#include "dfe11000/items/detail_deletion.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/items/typed_number.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/ui/db_grid.h"
#include "support/btn_pesquisa.h"
#include "support/consiste.h"
#include "support/lib02800.h"
#include "support/show_msg.h"
#include "support/zymora.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "QuantDia_Inf|Nº de Dias ou Vencimento devem ser informados.",
    "QuantDia_Inv|Nº de dias deve ser maior ou igual a zero.",
    "Nº_Inf|Nº de dias deve ser informado.",
    "DtVenc_Inf|Data de vencimento deve ser informada.",
    "DtVenc_Inv|Data de vencimento deve ser maior ou igual à data de emissão.",
    "Valor_m|Valor deve ser maior que zero.",
    "Valor_inf|Valor deve ser informado.",
    "TpCtPag|Tipo de Conta a Pagar",
    "N_TpCtPag|Não há tipo de conta a pagar cadastrado.",
    "TpCtPag_N|Tipo de conta a pagar não cadastrado.",
    "Abe|Em Aberto",
    "Lib|Liberado",
    "Bai|Baixado",
    "cdsContaPagar|o vencimento",
};

const std::vector<std::string> kMessages2 = {
    "FormaPgto_AF_N_Def|Operação bloqueada! AF e/ou Fornecedor sem forma de pagamento definida.",
};

constexpr int kSequenceWidth = 2;
constexpr int kPayableTypeWidth = 6;
constexpr int kMoneyDigits = 2;
// Where the apportionment menu opens below its button.
constexpr int kPopupBelow = 21;

DateTime IssueDate(const DataSet& header) {
    const Field* issue = header.FindField("DTEMISSAO");
    return issue && !issue->IsNull() ? issue->AsDateTime().DatePart() : DateTime();
}

bool Filled(const DataSet& ds, std::string_view name) {
    return !ds.FieldByName(name).IsNull();
}

} // namespace

PayableRules::PayableRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
    form_.msgPadrao2.AddLines(kMessages2);
}

void PayableRules::Wire() {
    DataSet& installments = data_.cdsContaPagar;
    installments.BeforeInsert = [this](DataSet&) { cdsContaPagarBeforeInsert(); };
    installments.OnNewRecord = [this](DataSet&) { cdsContaPagarNewRecord(); };
    installments.BeforePost = [this](DataSet&) { cdsContaPagarBeforePost(); };
    installments.BeforeDelete = [this](DataSet&) { cdsContaPagarBeforeDelete(); };
    installments.FieldByName("IDSTATPAG").OnGetText = [this](Field& f, std::string& text, bool) {
        text = IDSTATPAGText(f);
    };
    for (const char* name : {"VRORIGPAG", "VRATUAPAG"})
        RoundTypedNumber(installments.FieldByName(name), kMoneyDigits);

    DataSet& header = data_.cdsNotaFiscal;
    for (const char* name : {"DTEMISSAO", "VRNOTAFISC", "DTENTRSAID"})
        header.FieldByName(name).OnChange = [this](Field& field) { HeaderValueChanged(field); };

    DBGrid& grid = *ui_.dbgContaPagar;
    grid.OnColExit = [this](Component&) { dbgContaPagarColExit(); };
    grid.OnExit = [this](Component&) { dbgContaPagarExit(); };
    grid.OnEditButtonClick = [this](Component&) { dbgContaPagarEditButtonClick(); };

    ui_.mnuVencimentos->OnClick = [this](Component&) { mnuVencimentosClick(); };
    ui_.sbtRateio->OnClick = [this](Component&) { sbtRateioClick(); };
    ui_.mnuRateio->OnClick = [this](Component&) { sbtRateioClick(); };
    ui_.mnuManuRateProd->OnClick = [this](Component&) { mnuManuRateProdClick(); };
    ui_.mnuContRatePaga->OnClick = [this](Component&) { mnuContRatePagaClick(); };
}

// The installments follow the document's value and dates while there are none yet.
void PayableRules::HeaderValueChanged(const Field& field) {
    const DataSet& installments = data_.cdsContaPagar;
    if (!InEdit(data_.cdsNotaFiscal) || !Cli_dfe11000().boAlteraNF) return;
    if (field.FieldName() == "DTENTRSAID" && !data_.cdsTrabImposNFTot.Active()) return;
    if (!installments.Active() || !installments.IsEmpty() || installments.State() == DataSetState::Insert)
        return;
    GravaVencimento();
}

void PayableRules::Refuse(const char* code, const char* column) {
    form_.pgcPadrao.SetActivePage(ui_.tshVencimento);
    FocusIfPossible(ui_.dbgContaPagar);
    if (column) ui_.dbgContaPagar->SetSelectedField(column);
    support::MensErro(form_.msgPadrao, code, true);
    ThrowAbort();
}

template <class Check> void PayableRules::OnInstallmentsPage(const char* column, Check check) {
    try {
        check();
    } catch (...) {
        form_.pgcPadrao.SetActivePage(ui_.tshVencimento);
        FocusIfPossible(ui_.dbgContaPagar);
        ui_.dbgContaPagar->SetSelectedField(column);
        throw;
    }
}

// Days and due date follow each other from the issue date.
void PayableRules::CheckDays(bool refuseNegative) {
    DataSet& installments = data_.cdsContaPagar;
    const double days = installments.FieldByName("QTDIASVENPAG").AsFloat();
    if (refuseNegative && days < 0) Refuse("QuantDia_Inv", "QTDIASVENPAG");
    const DateTime due = IssueDate(data_.cdsNotaFiscal).AddDays(std::trunc(days));
    installments.FieldByName("DTORIGVENPAG").SetAsDateTime(due);
}

void PayableRules::CheckDueDate() {
    DataSet& installments = data_.cdsContaPagar;
    const DateTime due = installments.FieldByName("DTORIGVENPAG").AsDateTime().DatePart();
    const DateTime issue = IssueDate(data_.cdsNotaFiscal);
    if (due < issue) Refuse("DtVenc_Inv", "DTORIGVENPAG");
    installments.FieldByName("QTDIASVENPAG")
        .SetAsFloat(static_cast<double>(due.WholeDays() - issue.WholeDays()));
}

void PayableRules::cdsContaPagarBeforeInsert() {
    DataSet& installments = data_.cdsContaPagar;
    ModuleState& state = Cli_dfe11000();
    if (installments.IsEmpty()) {
        state.stContaPagar.clear();
        state.stTpCtPag.clear();
        state.stCdClassFina.clear();
        return;
    }
    // The next number follows the highest: the grid's order is by due date, so the row the clerk stands on
    // need not be the last numbered.
    int highest = 0;
    for (int row = 1; row <= installments.RecordCount(); ++row) {
        installments.ReadRecordAt(row, [&] {
            highest = std::max(highest, std::atoi(FieldText(installments, "NRSEQVENPAG").c_str()));
        });
    }
    state.stContaPagar = support::Ajusta(std::to_string(highest), kSequenceWidth);
}

void PayableRules::cdsContaPagarNewRecord() {
    const ModuleState& state = Cli_dfe11000();
    if (form_.ActiveControl() != ui_.dbgContaPagar && !state.boNFImpNFe) return;
    DataSet& installments = data_.cdsContaPagar;
    const DataSet& header = data_.cdsNotaFiscal;
    installments.FieldByName("CDEMPRESA").SetAsString(ui_.dbeCdEmpresa->Text());
    installments.FieldByName("CDFILIAL").SetAsString(FieldText(header, "CDFILIAL"));
    installments.FieldByName("NRLANCTONF").SetAsString(FieldText(header, "NRLANCTONF"));
    installments.FieldByName("NRPARCELAPAG").SetAsString("00");
    installments.FieldByName("IDSTATPAG").SetAsString("A");
    const int next = state.stContaPagar.empty() ? 1 : std::atoi(state.stContaPagar.c_str()) + 1;
    installments.FieldByName("NRSEQVENPAG")
        .SetAsString(support::Ajusta(std::to_string(next), kSequenceWidth));
    ui_.dbgContaPagar->SetSelectedField("QTDIASVENPAG");
}

void PayableRules::dbgContaPagarColExit() {
    DataSet& installments = data_.cdsContaPagar;
    if (!InEdit(installments) || form_.ActiveControl() != ui_.dbgContaPagar) return;
    const Field* selected = ui_.dbgContaPagar->SelectedField();
    const std::string column = selected ? selected->FieldName() : std::string();
    if (column == "QTDIASVENPAG" && Filled(installments, "QTDIASVENPAG")) CheckDays(true);
    if (column == "DTORIGVENPAG" && Filled(installments, "DTORIGVENPAG")) CheckDueDate();
    if (column == "VRORIGPAG" && Filled(installments, "VRORIGPAG") &&
        installments.FieldByName("VRORIGPAG").AsFloat() <= 0)
        Refuse("Valor_m", "VRORIGPAG");
    if (column == "CDTPCTPAGAR") Vd_TpCtPag();
    if (column == "CDBARRAPAG") Vd_CodBarras(FieldText(installments, "CDBARRAPAG"));
}

void PayableRules::dbgContaPagarExit() {
    if (InEdit(data_.cdsNotaFiscal) && InEdit(data_.cdsContaPagar)) data_.cdsContaPagar.Post();
}

void PayableRules::cdsContaPagarBeforePost() {
    DataSet& installments = data_.cdsContaPagar;
    Field& days = installments.FieldByName("QTDIASVENPAG");
    Field& due = installments.FieldByName("DTORIGVENPAG");
    Field& value = installments.FieldByName("VRORIGPAG");
    installments.FieldByName("VRATUAPAG").SetValue(value.Value());
    installments.FieldByName("DTATUAVENPAG").SetValue(due.Value());
    if (days.IsNull() && due.IsNull()) Refuse("QuantDia_Inf", nullptr);
    if (!Cli_dfe11000().boGeraVenc) {
        // A changed installment of a value already given keeps days and date together.
        const bool valued = value.OldValue().IsNull() ? false : value.OldValue().AsFloat() != 0;
        if (valued && !days.IsNull() && !(days.Value() == days.OldValue())) {
            CheckDays(true);
            installments.FieldByName("DTATUAVENPAG").SetValue(due.Value());
        } else if (valued && !due.IsNull() && !(due.Value() == due.OldValue())) {
            CheckDueDate();
        }
    }
    if (!value.IsNull() && value.AsFloat() <= 0) Refuse("Valor_m", "VRORIGPAG");
    Vd_TpCtPag();
    if (days.IsNull()) Refuse("Nº_Inf", "QTDIASVENPAG");
    if (due.IsNull()) Refuse("DtVenc_Inf", "DTORIGVENPAG");
    if (value.IsNull()) Refuse("Valor_inf", "VRORIGPAG");
    Vd_CodBarras(FieldText(installments, "CDBARRAPAG"));
}

void PayableRules::cdsContaPagarBeforeDelete() {
    ConfirmDetailDeletion(form_, data_.cdsContaPagar);
}

std::string PayableRules::IDSTATPAGText(const Field& status) const {
    if (form_.pgcPadrao.ActivePage() != ui_.tshVencimento) return {};
    const std::string value = status.AsString();
    if (value == "A")
        return form_.msgPadrao.Msg(FieldText(data_.cdsContaPagar, "NRLANBOLPAG").empty() ? "Abe" : "Lib");
    if (value == "B") return form_.msgPadrao.Msg("Bai");
    return {};
}

void PayableRules::Vd_TpCtPag() {
    OnInstallmentsPage("CDTPCTPAGAR", [this] {
        DataSet& installments = data_.cdsContaPagar;
        ModuleState& state = Cli_dfe11000();
        const std::string typed = FieldText(installments, "CDTPCTPAGAR");
        if (typed.empty()) {
            installments.FieldByName("CDCLASSFINA").Clear();
            if (!state.stTpCtPag.empty()) {
                installments.FieldByName("CDTPCTPAGAR").SetAsString(state.stTpCtPag);
                installments.FieldByName("CDCLASSFINA").SetAsString(state.stCdClassFina);
            }
            return;
        }
        const std::string type = support::Ajusta(typed, kPayableTypeWidth);
        if (type != typed) installments.FieldByName("CDTPCTPAGAR").SetAsString(type);
        db::TADOIBQuery& lookup = lookups_.qryVdTpCtPag;
        lookup.Close();
        lookup.ParamByName("P_CDTPCTPAGAR") = Variant(type);
        lookup.Open();
        if (lookup.IsEmpty()) Refuse("TpCtPag_N", "CDTPCTPAGAR");
        const std::string financialClass = FieldText(lookup, "CDCLASSFINA");
        installments.FieldByName("CDCLASSFINA").SetAsString(financialClass);
        state.stTpCtPag = type;
        state.stCdClassFina = financialClass;
    });
}

void PayableRules::Vd_CodBarras(const std::string& code) {
    if (code.empty()) return;
    OnInstallmentsPage("CDBARRAPAG", [&] {
        support::lib02800::Vd_CodigoBarras(code);
        EditFieldText(data_.cdsContaPagar, "DSLINHBARPAG", support::lib02800::TransformaBarraLinhaDigi(code));
    });
}

void PayableRules::Vd_DataVenc() {
    DataSet& installments = data_.cdsContaPagar;
    if (!installments.Active() || installments.IsEmpty() || !Filled(installments, "DTORIGVENPAG")) return;
    const DateTime issue = IssueDate(data_.cdsNotaFiscal);
    ControlsPause quiet(installments);
    for (installments.First(); !installments.Eof(); installments.Next()) {
        if (installments.FieldByName("DTORIGVENPAG").AsDateTime().DatePart() < issue)
            Refuse("DtVenc_Inv", "DTORIGVENPAG");
    }
}

void PayableRules::dbgContaPagarEditButtonClick() {
    const Field* selected = ui_.dbgContaPagar->SelectedField();
    if (!selected || selected->FieldName() != "CDTPCTPAGAR") return;
    db::TADOIBQuery& types = lookups_.qryTpCtPag;
    types.Close();
    types.Open();
    const std::string title = form_.msgPadrao.Msg("TpCtPag") + "|" + form_.msgPadrao.Msg("N_TpCtPag");
    if (!support::Pesquisar(title, lookups_.dtsTpCtPag)) return;
    EditFieldText(data_.cdsContaPagar, "CDTPCTPAGAR", FieldText(types, "CDTPCTPAGAR"));
}

// ---- Commands

void PayableRules::mnuVencimentosClick() {
    if (InEdit(data_.cdsNotaFiscal)) {
        // A participant or carrier identification being typed is checked before the page changes.
        Control* active = form_.ActiveControl();
        const bool identification = active && (active == ui_.dbeNrInsJurTran || active == ui_.dbeCdInscEsta ||
                                               ui_.grbFornecedor->ContainsControl(*active) ||
                                               ui_.grbDestReme->ContainsControl(*active));
        if (identification) active->DoExit();
        form_.pgcPadrao.SetActivePage(ui_.tshVencimento);
        return;
    }
    form_.pgcPadrao.SetActivePage(ui_.tshVencimento);
    form_.Loader().pgcPadraoChange();
}

void PayableRules::sbtRateioClick() {
    if (!ui_.sbtRateio->Enabled()) return;
    ui_.pmnRateio->PopupAt(*ui_.sbtRateio, 0, kPopupBelow);
}

void PayableRules::mnuManuRateProdClick() {
    const DataSet& row = data_.cdsRomaneioNF;
    support::zymora::LoadBPL("Ger03600", FieldText(row, "CDFILIAL") + "|" + FieldText(row, "NRLANCTONF") +
                                             "|" + FieldText(row, "CDEMPRESA"));
}

void PayableRules::mnuContRatePagaClick() {
    form_.Loader().GetContaPagar();
    const DataSet& row = data_.cdsRomaneioNF;
    std::string supplier;
    if (form_.pgcPadrao.ActivePage() == &form_.tshFolhaDados) {
        supplier = FieldText(row, "CDFORNECED");
    } else if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario) {
        supplier = FieldText(data_.cdsNotaFiscal, "CDFORNECED");
    } else {
        return;
    }
    const DataSet& installments = data_.cdsContaPagar;
    const Field* due = installments.FindField("DTORIGVENPAG");
    const std::string dueText = due && !installments.IsEmpty() ? due->AsString() : std::string();
    support::zymora::LoadBPL("PAG20000", ui_.dbeCdEmpresa->Text() + "|" + supplier + "|" +
                                             FieldText(row, "NRNOTAFISC") + "|" + dueText);
}

} // namespace dfe::dfe11000
