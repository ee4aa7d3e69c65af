// The tax rows the clerk corrects, the document totals and their two grids.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/items/charges.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/items/typed_number.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "platform/ui/canvas.h"
#include "platform/ui/db_grid.h"
#include "support/consiste.h"
#include "support/show_msg.h"

#include <cmath>
#include <string>
#include <vector>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "VrImp_inf|Valor do imposto deve ser informado.",
    "VrImp_m_zero|Valor do imposto deve ser maior que zero",
};

const std::vector<std::string> kMessages2 = {
    "GetImpoItem|Gerando impostos do item ...",
    "Vr_Fecp|Alíquota FECP deve ser informada.",
};

constexpr Color kImageTransparent = Color::clOlive;
constexpr int kMoneyDigits = 2;
constexpr int kRateColumn = 1;
constexpr int kValueColumn = 2;

// The marks column: warnings, then errors.
void Concatenate(DataSet& ds, const char* warnings, const char* errors) {
    ds.FieldByName("IDIMAGEM")
        .SetAsString(ds.FieldByName(warnings).AsString() + ds.FieldByName(errors).AsString());
}

void ZeroWhenNull(DataSet& ds, std::string_view name) {
    Field& field = ds.FieldByName(name);
    if (field.IsNull()) field.SetAsFloat(0);
}

} // namespace

TaxRules::TaxRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
    form_.msgPadrao2.AddLines(kMessages2);
}

void TaxRules::Wire() {
    DataSet& taxes = data_.cdsTrabItProImpos;
    taxes.OnFilterRecord = [this](DataSet&) { return cdsTrabItProImposFilterRecord(); };
    taxes.OnNewRecord = [this](DataSet&) { cdsTrabItProImposNewRecord(); };
    taxes.BeforePost = [this](DataSet&) { cdsTrabItProImposBeforePost(); };
    taxes.OnCalcFields = [](DataSet& ds) { Concatenate(ds, "IDAVISIMPOIT", "IDERRIMPOIT"); };
    for (const char* name : {"VRIMPOSIT", "VRIMPOSVISUIT", "VRADICFECP"})
        RoundTypedNumber(taxes.FieldByName(name), kMoneyDigits);

    DataSet& totals = data_.cdsTrabImposNFTot;
    totals.OnNewRecord = [this](DataSet&) { cdsTrabImposNFTotNewRecord(); };
    totals.BeforePost = [this](DataSet&) { cdsTrabImposNFTotBeforePost(); };
    totals.AfterPost = [this](DataSet&) { cdsTrabImposNFTotAfterPost(); };
    totals.OnCalcFields = [](DataSet& ds) { Concatenate(ds, "IDAVISOSTOT", "IDERROSTOT"); };
    RoundTypedNumber(totals.FieldByName("VRIMPOSTOT"), kMoneyDigits);

    DBGrid& itemGrid = *ui_.dbgItemProImpos;
    DBGrid& totalGrid = *ui_.dbgImposNFTot;
    itemGrid.OnExit = [this](Component&) { dbgItemProImposExit(); };
    itemGrid.OnEnter = [this](Component&) {
        form_.Charges().dbgItemEncargoEnter(*ui_.dbgItemProImpos);
        dbgItemProImposEnter();
    };
    totalGrid.OnEnter = [this](Component&) {
        form_.Charges().dbgItemEncargoEnter(*ui_.dbgImposNFTot);
        dbgImposNFTotEnter();
    };
    for (DBGrid* grid : {&itemGrid, &totalGrid}) {
        grid->OnDrawColumnCell = [this](DBGrid& g, Canvas& canvas, const Rect& rect, int, GridColumn& column,
                                        GridDrawState state) { DrawTaxCell(g, canvas, rect, column, state); };
    }
}

// ---- Item tax rows

// The row being judged is read aside: it is not in the view yet, so it is read by its field.
bool TaxRules::cdsTrabItProImposFilterRecord() {
    return data_.cdsTrabItProImpos.FieldByName("NRSEQIMPOIT").AsString() ==
           FieldText(data_.cdsItemProduto, "NRSEQITPROD");
}

void TaxRules::cdsTrabItProImposNewRecord() {
    DataSet& taxes = data_.cdsTrabItProImpos;
    ModuleState& state = Cli_dfe11000();
    if (form_.ActiveControl() == ui_.dbgItemProImpos && state.boAlteraNF) {
        // Moving down from the item's last tax starts the next item, while the taxes are the server's.
        ui_.nbkItensNF->SetPageIndex(0);
        ui_.dbgItemProduto->SetFocus();
        ui_.dbgItemProduto->SetSelectedIndex(0);
        data_.cdsItemProduto.Append();
        ThrowAbort();
    }
    const DataSet& header = data_.cdsNotaFiscal;
    taxes.FieldByName("CDFILIMPOIT").SetAsString(FieldText(header, "CDFILIAL"));
    taxes.FieldByName("NRLANCIMPOIT").SetAsString(FieldText(header, "NRLANCTONF"));
    // A row typed by hand belongs to the current item, or the filter would hide it at once.
    taxes.FieldByName("NRSEQIMPOIT").SetAsString(FieldText(data_.cdsItemProduto, "NRSEQITPROD"));
    taxes.FieldByName("CDPRODUTO").SetAsString(FieldText(data_.cdsItemProduto, "CDPRODUTO"));
    taxes.FieldByName("NRSEQITPRO").SetAsString("1");
    for (const char* name :
         {"VRCONTIMPOIT", "VRREDBCIMPOIT", "VR1REDBCIMPOIT", "VRBCALCIMPOIT", "VRPDEDIMPOIT"})
        taxes.FieldByName(name).SetAsFloat(0);
    if (GridColumn* origin = ui_.dbgItemProduto->FindColumn("QTITEMORIG"))
        origin->SetVisible(form_.Header().TipoOper().IDNFRETIND == "S");
}

void TaxRules::cdsTrabItProImposBeforePost() {
    DataSet& taxes = data_.cdsTrabItProImpos;
    const ModuleState& state = Cli_dfe11000();
    Field& shown = taxes.FieldByName("VRIMPOSVISUIT");
    // The value the clerk typed in the grid is the tax's value (the grid shows only the visible one).
    const bool typed = form_.ActiveControl() == ui_.dbgItemProImpos && !shown.IsNull();
    if (typed && !(shown.Value() == shown.OldValue())) taxes.FieldByName("VRIMPOSIT").SetValue(shown.Value());
    const double rate = FieldNumber(taxes, "VRALIQIMPOIT");
    std::string informed = rate != 0 ? "N" : (FieldNumber(taxes, "VRIMPOSVISUIT") != 0 ? "S" : "N");
    if (FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S" && state.boNFImpNFe) {
        informed = "S";
    } else if (FieldText(data_.cdsNotaFiscal, "IDNFGERADAVIAXML") == "S" &&
               FromInvoice(FieldText(taxes, "CDIMPOSTOIT"))) {
        informed = "S";
    }
    taxes.FieldByName("IDVALORINFO").SetAsString(informed);
    for (const char* name : {"VRALIQIMPOIT", "VRIMPOSIT", "VRIMPOSVISUIT"})
        ZeroWhenNull(taxes, name);
    if (FieldNumber(taxes, "VRADICFECP") > 0 && FieldNumber(taxes, "VRADICALIQFECP") == 0) {
        FocusIfPossible(ui_.dbgItemProImpos);
        ui_.dbgItemProImpos->SetSelectedField("VRADICALIQFECP");
        support::MensErro(form_.msgPadrao2, "Vr_Fecp", true);
        ThrowAbort();
    }
}

void TaxRules::dbgItemProImposExit() {
    if (InEdit(data_.cdsTrabItProImpos)) data_.cdsTrabItProImpos.Post();
}

void TaxRules::dbgItemProImposEnter() {
    if (form_.Header().CurrentType() != "03") return;
    DBGrid& grid = *ui_.dbgItemProImpos;
    if (grid.ColumnCount() <= kValueColumn) return;
    // An adjustment types either the rate of a valued item or the value of an item without one.
    const bool valueOnly = FieldNumber(data_.cdsItemProduto, "VRTOTAITEM") == 0;
    grid.Column(kRateColumn).SetReadOnly(valueOnly);
    grid.Column(kValueColumn).SetReadOnly(!valueOnly);
}

// ---- Document totals

void TaxRules::cdsTrabImposNFTotNewRecord() {
    if (form_.ActiveControl() == ui_.dbgImposNFTot && Cli_dfe11000().boAlteraNF) ThrowAbort();
    DataSet& totals = data_.cdsTrabImposNFTot;
    totals.FieldByName("CDFILIMPTOT").SetAsString(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    totals.FieldByName("NRLANCIMPTOT").SetAsString(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"));
    totals.FieldByName("VRBCALIMPTOT").SetAsFloat(0);
}

void TaxRules::cdsTrabImposNFTotBeforePost() {
    const Field& value = data_.cdsTrabImposNFTot.FieldByName("VRIMPOSTOT");
    const char* refusal = value.IsNull() ? "VrImp_inf" : value.AsFloat() < 0 ? "VrImp_m_zero" : nullptr;
    if (!refusal) return;
    FocusIfPossible(ui_.dbgImposNFTot);
    support::MensErro(form_.msgPadrao, refusal, true);
    ThrowAbort();
}

void TaxRules::cdsTrabImposNFTotAfterPost() {
    const DataSet& installments = data_.cdsContaPagar;
    const bool noInstallments = !installments.Active() || installments.IsEmpty();
    if (FieldText(data_.cdsTrabImposNFTot, "IDTRATIMPO") == "R" && Cli_dfe11000().boAlteraNF &&
        noInstallments)
        form_.Payables().GravaVencimento();
}

// A posting loaded without document totals starts them from the current item's taxes.
void TaxRules::dbgImposNFTotEnter() {
    if (data_.cdsImposNFTot.Active() && !data_.cdsImposNFTot.IsEmpty()) return;
    // A total being typed (refused, the grid takes the focus back) is not rebuilt under the clerk.
    if (InEdit(data_.cdsTrabImposNFTot)) return;
    if (!data_.cdsItemProduto.Active() || data_.cdsItemProduto.IsEmpty()) return;
    ModuleState& state = Cli_dfe11000();
    DataSet& taxes = data_.cdsTrabItProImpos;
    DataSet& totals = data_.cdsTrabImposNFTot;
    state.boAlteraNF = false;
    {
        ControlsPause quiet(taxes);
        for (taxes.First(); !taxes.Eof(); taxes.Next()) {
            const std::string tax = FieldText(taxes, "CDIMPOSTOIT");
            double carried = 0;
            if (totals.Locate("CDIMPOSTOT", Variant(tax))) {
                carried = FieldNumber(totals, "VRIMPOSTOT");
                totals.Delete();
            }
            state.dbImp = Variant(carried);
            totals.Append();
            totals.FieldByName("CDIMPOSTOT").SetAsString(tax);
            totals.FieldByName("SGIMPOSTO").SetAsString(FieldText(taxes, "SGIMPOSTO"));
            totals.FieldByName("IDTRATIMPO").SetAsString(FieldText(taxes, "IDTRATIMPO"));
            totals.FieldByName("IDPRODNOTA").SetAsString("P");
            totals.FieldByName("VRIMPOSTOT").SetAsFloat(carried);
            totals.Post();
        }
        taxes.First();
    }
    state.boAlteraNF = true;
    totals.First();
}

double TaxRules::TotalImpoRetido() {
    DataSet& totals = data_.cdsTrabImposNFTot;
    if (!totals.Active()) return 0;
    db::TADOIBQuery& tax = lookups_.qryImposto;
    // Summed in cents: a stored total is a number of cents, and a sum of doubles drifts.
    long long cents = 0;
    {
        ControlsPause quiet(totals);
        for (totals.First(); !totals.Eof(); totals.Next()) {
            tax.Close();
            tax.ParamByName("P_CDIMPOSTO") = Variant(FieldText(totals, "CDIMPOSTOT"));
            tax.Open();
            std::string source = FieldText(tax, "IDDESCRFONTE");
            if (source.empty()) source = "R";
            if (FieldText(totals, "IDTRATIMPO") == "R" && source == "R")
                cents += std::llround(FieldNumber(totals, "VRIMPOSTOT") * 100);
        }
        totals.First();
    }
    return static_cast<double>(cents) / 100;
}

// ---- Drawing

void TaxRules::DrawTaxCell(DBGrid& grid, Canvas& canvas, const Rect& rect, GridColumn& column,
                           GridDrawState state) {
    grid.DefaultDrawColumnCell(canvas, rect, column, state);
    const DataSet* ds = grid.GetDataSet();
    const std::string marks = column.FieldName() == "IDIMAGEM" && ds ? FieldText(*ds, "IDIMAGEM") : "";
    if (marks.empty()) return;
    const bool error = marks.find('1') != std::string::npos;
    canvas.DrawImage(rect.left + 4, rect.top + 2, error ? "imgComErro" : "imgSemErro", kImageTransparent);
}

} // namespace dfe::dfe11000
