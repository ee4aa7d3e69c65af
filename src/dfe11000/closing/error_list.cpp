// The error list of a failed closing: the failure test, the visible rows built from the server's rows, the
// irregular products and the release codes of a deletion.
#include "dfe11000/closing/error_list.h"

#include "dfe11000/closing/closing_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/net/closing_calls.h"
#include "support/current_dialogs.h"
#include "support/db_picture.h"
#include "support/show_msg.h"
#include "support/zymora.h"

namespace dfe::dfe11000 {
namespace {

constexpr size_t kTextWidth = 250;
constexpr size_t kTaxWidth = 10;

} // namespace

ErrorListRules::ErrorListRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kErrorListMessages);
    form_.msgPadrao2.AddLines(kErrorListMessages2);
}

void ErrorListRules::Wire() {
    ui_.sbtErros->OnClick = [this](Component&) { sbtErrosClick(); };
    ui_.mnuErros->OnClick = [this](Component&) { sbtErrosClick(); };
    ui_.mnuErrosLanc->OnClick = [this](Component&) { mnuErrosLancClick(); };
    ui_.mnuErrosItem->OnClick = [this](Component&) { mnuErrosItemClick(); };
    data_.cdsErrosVisual.FieldByName("DSERRO").OnGetText = [this](Field& field, std::string& text, bool) {
        text = DisplayText(field.AsString(), FieldText(data_.cdsErrosVisual, "SGIMPOSTO"));
    };
}

std::string ErrorListRules::DisplayText(const std::string& stored, const std::string& tax) const {
    return form_.dtmRotiFiscal ? form_.dtmRotiFiscal->DisplayText(stored, tax) : stored;
}

ErrorTexts ErrorListRules::Texts() const {
    const auto& picture = Cli_dfe11000().dbpProduto;
    return ErrorTexts{form_.msgPadrao, form_.msgPadrao2, picture ? picture->Mask() : std::string()};
}

ClosingRow ErrorListRules::CurrentRow() const {
    const DataSet& rows = data_.cdsErrosFech;
    ClosingRow row{FieldText(rows, "CDERRO"),    FieldText(rows, "CDOBJETO"),  FieldText(rows, "CDOBJETO2"),
                   FieldText(rows, "CDOBJETO3"), FieldText(rows, "CDOBJETO4"), 0.0};
    if (const Field* value = rows.FindField("CDOBJETO5"); value && !value->IsNull())
        row.value = value->AsFloat();
    return row;
}

bool ErrorListRules::AnyClosingRow(const std::function<bool()>& found) {
    DataSet& rows = data_.cdsErrosFech;
    if (!rows.Active()) return false;
    for (int at = 1; at <= rows.RecordCount(); ++at) {
        bool hit = false;
        rows.ReadRecordAt(at, [&] { hit = found(); });
        if (hit) return true;
    }
    return false;
}

bool ErrorListRules::HasClosingRow(std::string_view code) {
    return AnyClosingRow([&] { return text::SameText(FieldText(data_.cdsErrosFech, "CDERRO"), code); });
}

std::string ErrorListRules::ClosingRowObject(std::string_view code) {
    std::string object;
    AnyClosingRow([&] {
        if (!text::SameText(FieldText(data_.cdsErrosFech, "CDERRO"), code)) return false;
        object = FieldText(data_.cdsErrosFech, "CDOBJETO");
        return true;
    });
    return object;
}

bool ErrorListRules::HasClosingObject(std::string_view object) {
    return AnyClosingRow([&] { return FieldText(data_.cdsErrosFech, "CDOBJETO") == object; });
}

bool ErrorListRules::Existe_Erro() {
    if (!HasClosingRow(net::closing_row::kFailed)) return false;
    if (HasClosingRow(net::closing_row::kUnexpected)) {
        support::ShowDetailError(form_.msgPadrao.Msg("Erro"),
                                 ClosingRowObject(net::closing_row::kUnexpected));
        ThrowAbort();
    }
    return true;
}

void ErrorListRules::MontaErrosVisual() {
    data_.cdsErrosVisual.EmptyOrCreateDataSet();
    data_.cdsProdIrreg.EmptyOrCreateDataSet();
    DataSet& rows = data_.cdsErrosFech;
    if (!rows.Active()) return;
    const ErrorTexts texts = Texts();
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const ClosingRow row = CurrentRow();
        const RowOutcome listed = DescribeClosingRow(row, texts);
        switch (listed.kind) {
        case RowKind::Stop:
            StopWith(listed);
        case RowKind::Visible:
            AppendVisible(listed);
            break;
        case RowKind::MonthlyBase:
            form_.closingFlags.boBaseMensal = true;
            OpenMonthlyBase();
            break;
        default:
            break;
        }
        if (listed.irregularProduct) AddIrregularProduct(row.object);

        const RowOutcome then = FollowClosingRow(row, texts);
        switch (then.kind) {
        case RowKind::Visible:
            AppendVisible(then);
            break;
        case RowKind::Mark:
            Atualiza_ErrosAvisos();
            break;
        case RowKind::Stop:
            StopWith(then);
        case RowKind::LimitAsk:
            AskSupplierLimit();
        default:
            break;
        }
    }
}

void ErrorListRules::StopWith(const RowOutcome& stop) {
    support::CurrentDialogs().ShowError(ErrorRequest{stop.text, {}, stop.messageCode});
    ThrowAbort();
}

// The clerk may close over the supplier's purchase limit. The closing then runs again from its start; this
// run ends with it, since its rows are that run's now.
void ErrorListRules::AskSupplierLimit() {
    if (support::ShowMsg(form_.msgPadrao2, "Lim_Ult", DialogType::Confirmation, mb::YesNo) == mr::Yes) {
        Cli_dfe11000().stLimitForn = "N";
        form_.Closing().FechaNotaFiscal("0");
    }
    ThrowAbort();
}

void ErrorListRules::OpenMonthlyBase() {
    const DataSet& row = data_.cdsRomaneioNF;
    support::zymora::LoadBPL("Ger41300", ui_.medCdFilial->Text() + "|" + FieldText(row, "CDFILIAL") + "|" +
                                             FieldText(row, "NRLANCTONF") + "|False|0");
}

void ErrorListRules::AppendVisible(const RowOutcome& row) {
    DataSet& visible = data_.cdsErrosVisual;
    // The list is a message list: a text wider than its column is cut, never refused.
    const std::string shown = text::Left(row.text, kTextWidth);
    if (row.once) {
        for (int at = 1; at <= visible.RecordCount(); ++at) {
            bool same = false;
            visible.ReadRecordAt(at, [&] { same = FieldText(visible, "DSERRO") == shown; });
            if (same) return;
        }
    }
    visible.Append();
    visible.FieldByName("CDERRO").SetAsString(text::Left(row.position, 1));
    visible.FieldByName("DSERRO").SetAsString(shown);
    visible.FieldByName("SGIMPOSTO").SetAsString(text::Left(row.tax, kTaxWidth));
    visible.Post();
}

void ErrorListRules::AddIrregularProduct(const std::string& product) {
    DataSet& irregular = data_.cdsProdIrreg;
    irregular.Append();
    irregular.FieldByName("CDPRODUTO").SetAsString(product);
    irregular.Post();
}

bool ErrorListRules::ResultErroItem(const std::string& product) {
    DataSet& irregular = data_.cdsProdIrreg;
    if (!irregular.Active() || irregular.IsEmpty() || !irregular.FindField("CDPRODUTO")) return false;
    for (int row = 1; row <= irregular.RecordCount(); ++row) {
        bool found = false;
        irregular.ReadRecordAt(row, [&] { found = FieldText(irregular, "CDPRODUTO") == product; });
        if (found) return true;
    }
    return false;
}

std::string ErrorListRules::ResultIrreg() {
    const DataSet& irregular = data_.cdsProdIrreg;
    return irregular.Active() && !irregular.IsEmpty() ? "#LIB00200_3#" : "0#LIB00200_2#";
}

void ErrorListRules::ClearLists() {
    data_.cdsErrosFech.EmptyOrCreateDataSet();
    data_.cdsErrosVisual.EmptyOrCreateDataSet();
    data_.cdsProdIrreg.EmptyOrCreateDataSet();
}

} // namespace dfe::dfe11000
