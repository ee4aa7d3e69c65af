// An item row being stored: the ordered checks and completions before, the tax generation after.
#include "dfe11000/header/header_controls.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/taxes.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "platform/core/abort.h"
#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/db_picture.h"
#include "support/show_msg.h"

#include <cstdlib>

namespace dfe::dfe11000 {
namespace {

bool Empty(const DataSet& ds, const char* field) {
    return ds.FieldByName(field).IsNull();
}

double Number(const DataSet& ds, const char* field) {
    return ds.FieldByName(field).AsFloat();
}

} // namespace

std::string ItemRules::FormattedCode() const {
    const auto& picture = Cli_dfe11000().dbpProduto;
    const std::string code = FieldText(data_.cdsItemProduto, "CDARVPROD");
    return picture ? support::FormatMaskText(picture->Mask(), code) : code;
}

// The supplier's own code when the branch issues with it, otherwise the product code as the clerk sees it.
std::string ItemRules::DefaultIssueCode() const {
    const std::string external = FieldText(data_.cdsItemProduto, "CDPRODINTE");
    if (FieldText(data_.cdsParamDFE, "IDCODEXTERNONF") == "S" && !external.empty()) return external;
    return FormattedCode();
}

void ItemRules::FocusCurrentItemGrid() {
    DBGrid* grids[] = {ui_.dbgItemProduto, ui_.dbgItemNotaFisc, ui_.dbgItemsNFForn};
    const int page = ui_.nbkItensNF->PageIndex();
    if (page >= 0 && page < 3) FocusIfPossible(grids[page]);
}

bool ItemRules::FiscalControl() {
    const Variant answer = server_.Call(server_.netLancNFEntrada, "Utiliza_ControleFiscal",
                                        net::CallArgs().Str(FieldText(data_.cdsNotaFiscal, "CDFILIAL")));
    return answer.AsString() == "S";
}

void ItemRules::ApplyPercentDiscount() {
    if (FieldText(data_.cdsParamDFE, "IDTPLANCDESC") != "P") return;
    DataSet& items = data_.cdsItemProduto;
    const double discount =
        Number(items, "QTITEMPROD") * (Number(items, "VRUNITITEM") * Number(items, "VRDESPERITEM") / 100);
    items.FieldByName("VRDESCITEM").SetAsFloat(decimal::Round(discount, 2));
}

// Steps of a return row: the quantity against the origin, the discounts, the origin's values in proportion
// and the stock placement.
void ItemRules::CheckReturnRow() {
    DataSet& items = data_.cdsItemProduto;
    if (Empty(items, "QTITEMPROD")) {
        ui_.dbgItemsNFForn->SetSelectedField("QTITEMPROD");
        support::MensErro(form_.msgPadrao, "Quant_Inf", true);
    }
    if (Number(items, "QTITEMPROD") < 0) {
        ui_.dbgItemsNFForn->SetSelectedField("QTITEMPROD");
        support::MensErro(form_.msgPadrao, "Quant_Inv_<0", true);
    }
    Vd_Quantidade();
    const double percent = Number(items, "VRDESPERITEM");
    if (FieldText(data_.cdsParamDFE, "IDTPLANCDESC") == "P" && (percent < 0 || percent > 100))
        support::MensErro(form_.msgPadrao, "PercDesc_Inv", true);
    const double discount = Number(items, "VRDESCITEM");
    if (discount > 0 && discount > Number(items, "VRTOTAITEM")) {
        ui_.dbgItemsNFForn->SetSelectedField(Cli_dfe11000().stColunaDesc);
        support::MensErro(form_.msgPadrao2, "Desc_Men", true);
    }
    const double share = Number(items, "VRFATODEVO");
    items.FieldByName("VRCONTITEM").SetAsFloat(decimal::Round(share * Number(items, "VRCONTIORIG"), 2));
    items.FieldByName("VRBRUTITEM").SetAsFloat(decimal::Round(share * Number(items, "VRBRUTIORIG"), 2));
    if (!StockPlacement(PlacementMoment::ReturnRow)) ThrowAbort();
}

bool ItemRules::AfObligationApplies() const {
    const DataSet& items = data_.cdsItemProduto;
    if (!Empty(items, "NRAUTOFORN")) return false;
    const bool inserting = items.State() == DataSetState::Insert;
    const bool listInserted = data_.cdsRomaneioNF.State() == DataSetState::Insert;
    if (!inserting && !(items.State() == DataSetState::Edit && listInserted)) return false;

    const std::string type = FieldText(lookups_.qryTipoOperac, "CDTIPOOPER");
    if (FieldText(data_.cdsParamDFE, "IDUTBLOQOPAF") == "S" && type != "01")
        return FieldText(lookups_.qryTipoOperac, "IDEXIGEAF") == "S";
    if (type != "01") return false;
    const std::string perSupplier = FieldText(data_.cdsParamDFE, "IDBLOQCMPSAFFIL");
    if (perSupplier == "S") return FieldText(lookups_.qryFornecedor, "IDBLOQCMPSAFFOR") == "S";
    if (perSupplier == "N") {
        const std::string fiscal = FieldText(data_.cdsParamDFE, "DSPARFILFIS");
        return FieldText(data_.cdsParamDFE, "IDBLOQCMPSAF") == "S" || (fiscal.size() > 1 && fiscal[1] == 'S');
    }
    return false;
}

void ItemRules::CheckAfObligation() {
    if (!AfObligationApplies()) return;
    db::TADOIBQuery& rule = lookups_.qryParamCMPProd;
    rule.Close();
    rule.ParamByName("P_CDFILIAL") = Variant(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    rule.ParamByName("P_CDARVPROD") = Variant(FieldText(data_.cdsItemProduto, "CDARVPROD"));
    rule.Open();
    if (rule.IsEmpty() || FieldText(rule, "IDBLOQNFSAF") == "S")
        support::MensErro(form_.msgPadrao, "Prod_LancAF", true);
}

void ItemRules::CheckFiscalCodes() {
    const OperationType type = form_.Header().TipoOper();
    const ModuleState& state = Cli_dfe11000();
    if (type.IDOPERDEVONF == "S" || form_.Header().CurrentType() == "03" || state.boImportaAF ||
        state.boNFImpNFe)
        return;
    DataSet& items = data_.cdsItemProduto;
    const std::string cst = FieldText(items, "CDSITUTRIBPR");
    const std::string cfop = FieldText(items, "CDFISOPEITEM");
    const bool needsCst = cst.empty() && type.IDOBINFCSTICMENT == "S" && type.IDNFESTCANC == "N" &&
                          FieldText(data_.cdsParamForne, "IDSIMPLESNACIONAL") != "S";
    if (needsCst && FiscalControl()) {
        ui_.dbgItemProduto->SetSelectedField("CDSITUTRIBPR");
        support::MensErro(form_.msgPadrao2, "Cst_Inf", true);
    }
    if (!cst.empty() && text::Length(cst) != 3) support::MensErro(form_.msgPadrao2, "Cst_Inv", true);
    const bool needsCfop = cfop.empty() && type.IDOBINFCSTCFOPEN == "S" && type.IDNFESTCANC == "N" &&
                           FieldText(items, "IDDELETE") != "S";
    if (needsCfop && FiscalControl()) {
        ui_.dbgItemProduto->SetSelectedField("CDFISOPEITEM");
        support::MensErro(form_.msgPadrao2, "Cfop_Inf", true);
    }
    if (!cfop.empty() && text::Length(cfop) != 4) support::MensErro(form_.msgPadrao2, "Cfop_Inv", true);
}

// Adjustment documents may carry zeros and negatives.
void ItemRules::CheckValues() {
    DataSet& items = data_.cdsItemProduto;
    const bool adjustment = form_.Header().TipoOper().IDNFAJUSTE == "S";
    const auto refuse = [&](const char* field, const support::TMessages& table, const char* code) {
        ui_.dbgItemProduto->SetSelectedField(field);
        support::MensErro(table, code, true);
    };
    if (Empty(items, "QTITEMPROD")) refuse("QTITEMPROD", form_.msgPadrao, "Quant_Inf");
    if (!adjustment && Number(items, "QTITEMPROD") <= 0) refuse("QTITEMPROD", form_.msgPadrao, "Quant_Inv");
    if (Empty(items, "VRUNITITEM")) refuse("VRUNITITEM", form_.msgPadrao, "ValorUnit_Inf");
    const double unit = Number(items, "VRUNITITEM");
    const double total = Number(items, "VRTOTAITEM");
    if (!adjustment && (unit < 0 || (unit == 0 && total == 0)))
        refuse("VRUNITITEM", form_.msgPadrao, "ValorUnit_Inv");
    if (Empty(items, "VRTOTAITEM")) refuse("VRTOTAITEM", form_.msgPadrao, "ValorTotal_Inf");
    if (!adjustment && total <= 0) refuse("VRTOTAITEM", form_.msgPadrao, "ValorTotal_Inv");
    const std::string& discountColumn = Cli_dfe11000().stColunaDesc;
    const char* discountField = discountColumn.empty() ? "VRDESCITEM" : discountColumn.c_str();
    const double discount = Number(items, "VRDESCITEM");
    if (discount > 0 && discount > total) refuse(discountField, form_.msgPadrao2, "Desc_Men");
    const double percent = Number(items, "VRDESPERITEM");
    if (FieldText(data_.cdsParamDFE, "IDTPLANCDESC") == "P" && (percent < 0 || percent > 100))
        refuse(discountField, form_.msgPadrao, "PercDesc_Inv");
}

void ItemRules::NewRowDefaults() {
    DataSet& items = data_.cdsItemProduto;
    if (items.State() != DataSetState::Insert) return;
    if (FieldText(items, "CDPRODEMIS").empty())
        items.FieldByName("CDPRODEMIS").SetAsString(DefaultIssueCode());
    db::TADOIBQuery& valid = lookups_.qryValidProd;
    if (!valid.Active()) OpenValidProd(FieldText(items, "CDARVPROD"));
    if (FieldText(items, "DSPRODEMIS").empty())
        items.FieldByName("DSPRODEMIS").SetAsString(FieldText(valid, "NMPRODUTO"));
    items.FieldByName("VRFATOCONV").SetValue(valid.FieldByName("VRFATOCONV").Value());
    items.FieldByName("IDATUVRESTOQ").SetAsString("S");
    items.FieldByName("VRBRUTITEM")
        .SetAsFloat(decimal::Round(Number(items, "VRTOTAITEM") - Number(items, "VRDESCITEM"), 2));
    items.FieldByName("VRCONTITEM").SetAsFloat(0);
    items.FieldByName("IDCONFORITEM").SetAsString("S");
}

// The price posted against the branch's last purchase of the product; false when the clerk abandons.
bool ItemRules::PriceTolerance() {
    const ModuleState& state = Cli_dfe11000();
    DataSet& items = data_.cdsItemProduto;
    const double tolerance = data_.cdsParamDFE.Active() && !data_.cdsParamDFE.IsEmpty()
                                 ? Number(data_.cdsParamDFE, "VRPETOLEENTR")
                                 : 0.0;
    const double quantity = Number(items, "QTITEMPROD");
    if (form_.Header().CurrentType() == "03" || state.boImportaAF || tolerance == 0 || quantity <= 0)
        return true;
    // Without the branch the goods move in, the server has no last purchase to give.
    const std::string movement = FieldText(items, "CDFILIMOVI");
    if (movement.empty()) return true;
    double factor = Number(items, "VRFATOCONV");
    if (factor == 0) factor = 1;
    const double price = (Number(items, "VRTOTAITEM") - Number(items, "VRDESCITEM")) / quantity / factor;
    const double upper = price + tolerance * price / 100;
    const double lower = price - tolerance * price / 100;
    data_.cdsCustoCmpProd.SetData(
        server_.Call(server_.netLancNFEntrada, "GetCustoCmpProd",
                     net::CallArgs().Str(movement).Str(FieldText(items, "CDPRODESTO"))));
    const double last = data_.cdsCustoCmpProd.IsEmpty() ? 0.0 : Number(data_.cdsCustoCmpProd, "VRLIQCMPPROD");
    // Compared at the cent the clerk sees, so a last purchase equal to the limit passes.
    if (last == 0 || (decimal::Round(last, 2) <= decimal::Round(upper, 2) &&
                      decimal::Round(last, 2) >= decimal::Round(lower, 2)))
        return true;
    const support::TMessages& m = form_.msgPadrao;
    const std::string question = m.Msg("Situ") + "\n\n" + m.Msg("UltCom") +
                                 support::PadL(decimal::Format("#,##0.00", last), 34) + "\n" +
                                 m.Msg("VrProd") + support::PadL(decimal::Format("#,##0.00", price), 30);
    const int answer =
        support::MsgAlertEx(question, DialogType::Warning, {m.Msg("Btn1"), m.Msg("Btn2")}, "Situ");
    if (answer != 11) return true;
    FocusCurrentItemGrid();
    return false;
}

// The AF product relation of a posting that came from an AF import: its dialog is not available yet, so
// the row keeps its own issue code.
void ItemRules::RelateToAF() {
    const std::string fiscal = FieldText(data_.cdsParamDFE, "DSPARFILFIS");
    if (fiscal.empty() || fiscal[0] != 'S') return;
    data_.cdsVerifNFImpAF.SetData(server_.Call(server_.netLancNFEntrada, "GetVerifNFImpAF",
                                               net::CallArgs()
                                                   .Str(FieldText(data_.cdsNotaFiscal, "CDFILIAL"))
                                                   .Str(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"))));
    if (data_.cdsVerifNFImpAF.IsEmpty()) return;
    boProdAFConfirmado = false;
    CriaProdNFAF(form_);
}

void ItemRules::CompleteIssueCode() {
    DataSet& items = data_.cdsItemProduto;
    std::string code = FieldText(items, "CDPRODEMIS");
    std::erase(code, '.');
    if (text::Trim(code).empty()) items.FieldByName("CDPRODEMIS").SetAsString(DefaultIssueCode());
    if (FieldText(items, "DSPRODEMIS").empty())
        items.FieldByName("DSPRODEMIS").SetAsString(FieldText(items, "NMPRODUTO"));
}

// The server's number for a return row of a list: the row's taxes follow it, and a number another row holds
// is not taken (both are part of the keys the closing stores).
void ItemRules::RenumberItem(const std::string& number) {
    DataSet& items = data_.cdsItemProduto;
    const std::string current = FieldText(items, "NRSEQITPROD");
    if (number == current) return;
    const int self = items.State() == DataSetState::Edit ? items.RecNo() : 0;
    for (int row = 1; row <= items.RecordCount(); ++row) {
        if (row == self) continue;
        bool taken = false;
        items.ReadRecordAt(row, [&] { taken = FieldText(items, "NRSEQITPROD") == number; });
        if (taken) return;
    }
    items.FieldByName("NRSEQITPROD").SetAsString(number);
    DataSet& taxes = data_.cdsTrabItProImpos;
    if (!taxes.Active() || !taxes.FindField("NRSEQIMPOIT")) return;
    const bool filtered = taxes.Filtered();
    taxes.SetFiltered(false);
    for (taxes.First(); !taxes.Eof(); taxes.Next()) {
        if (FieldText(taxes, "NRSEQIMPOIT") != current) continue;
        taxes.Edit();
        taxes.FieldByName("NRSEQIMPOIT").SetAsString(number);
        taxes.Post();
    }
    taxes.SetFiltered(filtered);
}

void ItemRules::cdsItemProdutoBeforePost() {
    DataSet& items = data_.cdsItemProduto;
    ModuleState& state = Cli_dfe11000();
    const OperationType type = form_.Header().TipoOper();
    const bool deleted = FieldText(items, "IDDELETE") == "S";
    const bool returnOrigin = form_.Origin().DevolucaoOrigem();
    if (!deleted) Vd_Produto(false);

    if (data_.cdsRomaneioNF.State() == DataSetState::Edit && type.IDOPERDEVONF == "S" &&
        (returnOrigin || !state.stLista.empty()) && ui_.rbtLista->Checked()) {
        CallOptions options;
        options.checkResult = false;
        const Variant answer = server_.Call(server_.netLancNFEntrada, "GetNrSeqItProd",
                                            net::CallArgs()
                                                .Str(FieldText(data_.cdsRomaneioNF, "CDFILIAL"))
                                                .Str(FieldText(data_.cdsRomaneioNF, "NRLANCTONF"))
                                                .Str(FieldText(items, "CDPRODUTO"))
                                                .Str(decimal::ToShortest(Number(items, "VRUNITITEM"))),
                                            options);
        const std::string number = answer.TextIf() ? *answer.TextIf() : std::string();
        if (!number.empty()) RenumberItem(number);
    }

    if (!state.boAtuaNovoCod && !deleted) {
        ApplyPercentDiscount();
        if (form_.Header().CurrentType() == "03" || returnOrigin) {
            if (returnOrigin) CheckReturnRow();
        } else {
            if (FieldText(items, "CDARVPROD").empty()) {
                ui_.dbgItemProduto->SetSelectedField("CDARVPROD");
                support::MensErro(form_.msgPadrao, "Prod_Inf", true);
            }
            Vd_VerifProdEst();
            CheckAfObligation();
            CheckFiscalCodes();
            CheckValues();
            Control* active = form_.ActiveControl();
            if ((active == ui_.dbgItemProduto || active == ui_.dbgItemsNFForn) && state.boAlteraNF &&
                items.State() == DataSetState::Edit && !boProdAFConfirmado) {
                if (!StockPlacement(PlacementMoment::EditedRow)) ThrowAbort();
            }
        }
        NewRowDefaults();
        if (!PriceTolerance()) ThrowAbort();
        ApplyPercentDiscount();
        if (Empty(items, "NRAUTOFORN")) {
            if (items.State() == DataSetState::Edit &&
                text::TrimRight(FieldText(items, "CDPRODANT")) == FieldText(items, "CDARVPROD")) {
                items.FieldByName("CDPRODEMIS").SetAsString(DefaultIssueCode());
                items.FieldByName("DSPRODEMIS").SetAsString(FieldText(items, "NMPRODUTO"));
            }
            items.FieldByName("CDPRODANT").SetAsString(FormattedCode());
        }
        if (Empty(items, "VRDESCITEM")) items.FieldByName("VRDESCITEM").SetAsFloat(0);
        if (items.State() == DataSetState::Insert) {
            RelateToAF();
            if (FieldText(items, "CDMARCA").empty() && data_.cdsNFRelacAF.Active() &&
                data_.cdsNFRelacAF.Locate("CDFILIAL;NRLANCTONF;CDPRODUTO",
                                          {Variant(FieldText(items, "CDFILIAL")),
                                           Variant(FieldText(items, "NRLANCTONF")),
                                           Variant(FieldText(items, "CDPRODUTO"))}))
                items.FieldByName("CDMARCA").SetAsString(FieldText(data_.cdsNFRelacAF, "CDMARCA"));
        }
    }
    CompleteIssueCode();
    if (items.State() == DataSetState::Edit) {
        state.stCdProdEmiss = ui_.dbeCdProdEmiss->Text();
        state.stDsProdEmiss = ui_.dreDsProdEmiss->Text();
    }
}

void ItemRules::Vd_Quantidade() {
    DataSet& items = data_.cdsItemProduto;
    ModuleState& state = Cli_dfe11000();
    const bool industrial = form_.Header().TipoOper().IDNFRETIND == "S";
    if (ui_.dbgItemProduto->ColumnCount() > 5) ui_.dbgItemProduto->Column(5).SetVisible(industrial);
    try {
        std::string origins;
        DataSet& documents = data_.cdsItemNotaFisc;
        if (documents.Active()) {
            for (int row = 1; row <= documents.RecordCount(); ++row)
                documents.ReadRecordAt(row, [&] {
                    origins += "_" + FieldText(documents, "CDFILIALIT") + " - " +
                               FieldText(documents, "NRLANCTONFIT");
                });
        }
        origins += "_";
        std::string list = origins;
        data_.cdsVd_QuantDev.SetData(server_.Call(server_.netLancNFEntrada, "GetVd_QuantDev", [&] {
            list = origins;
            return net::CallArgs()
                .Str(FieldText(items, "CDFILIAL"))
                .Str(FieldText(items, "NRLANCTONF"))
                .Str(FieldText(items, "CDARVPROD"))
                .Float(Number(items, "VRUNITITEM"))
                .StrRef(list)
                .Str(FieldText(items, "NRLOTEESTQ"))
                .Str(FieldText(items, "NRSUBLOTE"));
        }));
        const double returned =
            data_.cdsVd_QuantDev.IsEmpty() ? 0.0 : Number(data_.cdsVd_QuantDev, "QTITEMDEVO");
        const double origin = Number(items, "QTITEMORIG");
        const double related = Number(items, "QTITRELACNFSUBS");
        const double quantity = Number(items, "QTITEMPROD");
        const double old = items.FieldByName("QTITEMPROD").OldValue().AsFloat();
        // Quantities are kept to the thousandth; compare there so a float's last bit refuses nothing.
        const auto over = [](double a, double b) { return decimal::Round(a, 3) > decimal::Round(b, 3); };
        bool refused = false;
        if (FieldText(items, "IDITEMORIGEM") == "S") {
            if (origin != related) {
                refused = over(quantity + (returned - old), origin);
            } else {
                ui_.dbgItemsNFForn->SetSelectedField("QTITEMPROD");
                refused = over(quantity + related, origin);
            }
        } else {
            refused = over(quantity, origin);
        }
        if (refused) {
            form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
            ui_.nbkItensNF->SetPageIndex(industrial ? 0 : 2);
            ui_.dbgItemsNFForn->SetSelectedField("QTITEMPROD");
            support::MensErro(form_.msgPadrao2, "Quant_Devo_Inv", true);
        }
    } catch (...) {
        state.stValidQuant = "N";
        form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
        throw;
    }
}

void ItemRules::cdsItemProdutoAfterPost() {
    DataSet& items = data_.cdsItemProduto;
    ModuleState& state = Cli_dfe11000();
    SettleLabelRegeneration(true);
    if (!state.boAtuaNovoCod) {
        const std::string code = form_.Header().CurrentType();
        Control* active = form_.ActiveControl();
        const bool issueEditor = active == ui_.dbeCdProdEmiss || active == ui_.dreDsProdEmiss;
        const bool generates = FieldText(items, "IDDELETE") != "S" && !issueEditor &&
                               !OneOf(code, {"05", "07", "09", "10"}) && (state.boAlteraNF || code == "14");
        if (generates) {
            const bool fromAf = state.boImportaAF && !state.boNFImpNFe;
            if (fromAf && !(state.boAlteraNF && FieldText(data_.cdsParamGeral, "IDPERMRELPRAFNF") == "S")) {
                form_.Taxes().CriaImpostosServ();
            } else {
                form_.Taxes().CriaImpostos();
            }
            if (state.boAlteraNF && data_.cdsTrabItProImpos.Active()) {
                data_.cdsTrabItProImpos.First();
                if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario &&
                    form_.ActiveControl() == ui_.dbgItemProduto) {
                    if (data_.cdsTrabItProImpos.IsEmpty()) {
                        items.Append();
                    } else if (ui_.dbgItemProImpos->CanFocus()) {
                        ui_.dbgItemProImpos->SetFocus();
                        ui_.dbgItemProImpos->SetSelectedIndex(1);
                    }
                }
            }
        }
        if (items.State() == DataSetState::Browse) SetCodeColumnEditable(false);
        if (items.State() == DataSetState::Insert) return;
    }
    localCopyStale_ = true;
}

} // namespace dfe::dfe11000
