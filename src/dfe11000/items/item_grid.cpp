// How the item grids answer the clerk: the checks of a column being left, entering and leaving the grids, the
// keys they filter or turn into commands, and how their cells are drawn.
#include "dfe11000/closing/error_list.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/items/payables.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/server/inventory_check.h"
#include "platform/core/text.h"
#include "platform/ui/keys.h"
#include "platform/ui/menu.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {
namespace {

// Characters every key rule lets through: editing keys and the punctuation of numbers and codes.
bool PassesThrough(char32_t ch) {
    switch (ch) {
    case 8:
    case 9:
    case 13:
    case U'%':
    case U'&':
    case U'\'':
    case U'(':
    case U',':
    case U'-':
    case U'.':
        return true;
    default:
        return false;
    }
}

bool IsDigit(char32_t ch) {
    return ch >= U'0' && ch <= U'9';
}

std::string SelectedName(const DBGrid& grid) {
    const Field* field = grid.SelectedField();
    return field ? field->FieldName() : std::string();
}

bool IsNumericColumn(const std::string& field) {
    return OneOf(field, {"QTITEMPROD", "VRUNITITEM", "VRTOTAITEM", "VRDESCITEM", "VRDESPERITEM"});
}

constexpr Color kImageTransparent = Color::clOlive;

} // namespace

// ---- Leaving a column

void ItemRules::CheckReturnDuplicate() {
    DataSet& items = data_.cdsItemProduto;
    const std::string code = FieldText(items, "CDARVPROD");
    const std::string sequence = FieldText(items, "NRSEQITPROD");
    DataSet& rows = ItemProdutoLocal();
    if (!rows.Active()) return;
    bool duplicate = false;
    for (int row = 1; row <= rows.RecordCount() && !duplicate; ++row)
        rows.ReadRecordAt(row, [&] {
            // The row being edited is not a duplicate of itself.
            duplicate = FieldText(rows, "CDARVPROD") == code && FieldText(rows, "IDITEMORIGEM") == "S" &&
                        FieldText(rows, "NRSEQITPROD") != sequence;
        });
    if (duplicate) support::MensErro(form_.msgPadrao2, "PROD_DUP", true);
}

void ItemRules::CheckFiscalCodeColumn(const std::string& column) {
    DataSet& items = data_.cdsItemProduto;
    const OperationType type = form_.Header().TipoOper();
    const bool deleted = FieldText(items, "IDDELETE") == "S";
    DBGrid& grid = *ui_.dbgItemProduto;
    if (column == "CDSITUTRIBPR") {
        const std::string cst = FieldText(items, "CDSITUTRIBPR");
        const bool required = type.IDNFESTCANC == "N" && type.IDOBINFCSTICMENT == "S" && !deleted &&
                              FieldText(data_.cdsParamForne, "IDSIMPLESNACIONAL") != "S";
        if (cst.empty() && required && FiscalControl()) {
            FocusIfPossible(&grid);
            grid.SetSelectedField("CDSITUTRIBPR");
            support::MensErro(form_.msgPadrao2, "Cst_Inf", true);
        }
        if (!cst.empty() && text::Length(cst) != 3) {
            FocusIfPossible(&grid);
            grid.SetSelectedField("CDSITUTRIBPR");
            support::MensErro(form_.msgPadrao2, "Cst_Inv", true);
        }
    } else if (column == "CDFISOPEITEM") {
        const std::string cfop = FieldText(items, "CDFISOPEITEM");
        const bool required = type.IDOBINFCSTCFOPEN == "S" && type.IDNFESTCANC == "N" && !deleted;
        if (cfop.empty() && required && FiscalControl()) {
            FocusIfPossible(&grid);
            grid.SetSelectedField("CDFISOPEITEM");
            support::MensErro(form_.msgPadrao2, "Cfop_Inf", true);
        }
        if (!cfop.empty() && text::Length(cfop) != 4) {
            FocusIfPossible(&grid);
            grid.SetSelectedField("CDFISOPEITEM");
            support::MensErro(form_.msgPadrao2, "Cfop_Inv", true);
        }
    }
}

void ItemRules::dbgItemProdutoColExit() {
    DataSet& items = data_.cdsItemProduto;
    if (!InEdit(items) || FieldText(items, "CDARVPROD").empty()) return;
    DBGrid& grid = *ui_.dbgItemProduto;
    const std::string column = SelectedName(grid);
    const OperationType type = form_.Header().TipoOper();
    const std::string& code = form_.Header().CurrentType();

    if (column == "CDARVPROD") {
        if (type.IDNFRETIND == "S" && type.IDOPERDEVONF == "S") CheckReturnDuplicate();
        // Only another product clears what was typed for the row: leaving the column again keeps it.
        const std::string product = FieldText(items, "CDARVPROD");
        Vd_Produto(product != checkedCode_);
        Vd_VerifProdEst();
        Control* active = form_.ActiveControl();
        if (active == ui_.dbgItemProduto || active == ui_.dbgItemsNFForn)
            if (!StockPlacement(PlacementMoment::LeavingProduct)) return;
        checkedCode_ = product;
    }
    if (type.IDOPERDEVONF != "S" && code != "03") CheckFiscalCodeColumn(column);
    if (column == "QTITEMPROD") {
        if (items.FieldByName("QTITEMPROD").IsNull()) support::MensErro(form_.msgPadrao, "Quant_Inf", true);
        if (items.FieldByName("QTITEMPROD").AsFloat() <= 0 && code != "03" && type.IDNFAJUSTE != "S")
            support::MensErro(form_.msgPadrao, "Quant_Inv", true);
    }
    if (column == "VRUNITITEM") {
        if (items.FieldByName("VRUNITITEM").IsNull())
            support::MensErro(form_.msgPadrao, "ValorUnit_Inf", true);
        if (TakenFromXml() && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S") {
            DerivePrice(items, items.FieldByName("QTITEMPROD").AsFloat());
        } else if (code != "03") {
            DeriveTotal(items);
        }
    }
    if (column == "VRTOTAITEM" && items.FieldByName("VRTOTAITEM").IsNull())
        support::MensErro(form_.msgPadrao, "ValorTotal_Inf", true);
    const double discount = items.FieldByName("VRDESCITEM").AsFloat();
    if (discount > 0 && discount > items.FieldByName("VRTOTAITEM").AsFloat()) {
        grid.SetSelectedField(Cli_dfe11000().stColunaDesc);
        support::MensErro(form_.msgPadrao2, "Desc_Men", true);
    }
    const double percent = items.FieldByName("VRDESPERITEM").AsFloat();
    if (FieldText(data_.cdsParamDFE, "IDTPLANCDESC") == "P" && (percent < 0 || percent > 100))
        support::MensErro(form_.msgPadrao, "PercDesc_Inv", true);
    if (column == "CDARVPROD") grid.SetSelectedField("QTITEMPROD");
}

// ---- Entering and leaving the grids

void ItemRules::GridEnter(DBGrid& grid) {
    OriginRules& origin = form_.Origin();
    origin.Vd_ForneNFRemessa(true);
    origin.Vd_NumeroNFRemessa(true);
    origin.Vd_NFOrigObrig();

    DataSet& header = data_.cdsNotaFiscal;
    const Field* service = header.Active() ? header.FindField("CDSERVICOPROD") : nullptr;
    if (service && !service->AsString().empty() && FieldText(data_.cdsParamDFE, "IDUTRELPRODSERV") == "S") {
        const bool unchanged = service->AsString() == service->OldValue().AsString();
        if (!(data_.cdsProdRelacServ.Active() && !data_.cdsProdRelacServ.IsEmpty() && unchanged))
            LoadServiceProducts();
    }
    ModuleState& state = Cli_dfe11000();
    try {
        Confirma_Liberacao(form_, FieldText(header, "CDFILIAL"), state.boAltLiberacao,
                           header.FieldByName("DTENTRSAID").AsDateTime());
    } catch (...) {
        ui_.dbdEntrSaid->SetEnabled(true);
        FocusIfPossible(ui_.dbdEntrSaid);
        throw;
    }
    if (InEdit(header) && &grid == ui_.dbgContaPagar && data_.cdsContaPagar.Active() &&
        data_.cdsContaPagar.IsEmpty())
        form_.Payables().GravaVencimento();

    if (&grid != ui_.dbgItemProduto) {
        if (grid.ColumnCount() > 0) grid.SetSelectedIndex(0);
        return;
    }
    grid.SetSelectedIndex(0);
    DataSet& items = data_.cdsItemProduto;
    if (InEdit(header) && items.Active() && items.IsEmpty() && items.State() == DataSetState::Browse &&
        !grid.Column(0).ReadOnly()) {
        ui_.scbFormulario->SetVertScrollPosition(220);
        items.Append();
    }
    const bool fromXml = state.boNFImpNFe || FieldText(data_.cdsRomaneioNF, "IDNFGERADAVIAXML") == "S";
    if (fromXml && FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S") return;
    // A code "03" posting takes quantity, price and discounts from its origin: they are not typed.
    const bool fromOrigin = form_.Header().CurrentType() == "03";
    for (const char* name : {"QTITEMPROD", "VRUNITITEM", "VRDESCITEM", "VRDESPERITEM"})
        items.FieldByName(name).SetTag(fromOrigin ? 1 : 0);
    if (!fromOrigin) items.FieldByName("VRTOTAITEM").SetTag(0);
}

void ItemRules::GridExit(DBGrid& grid) {
    DataSet& items = data_.cdsItemProduto;
    if (items.Active() && items.FieldByName("QTITEMPROD").IsNull()) dbgItemProdutoColExit();
    if (!InEdit(items)) return;
    if (FieldText(items, "CDARVPROD").empty()) {
        items.Cancel();
        return;
    }
    try {
        items.Post();
    } catch (...) {
        form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
        if (Cli_dfe11000().stValidQuant != "N") FocusIfPossible(&grid);
        throw;
    }
}

void ItemRules::dbgItemProdutoColEnter() {
    DBGrid& grid = *ui_.dbgItemProduto;
    const std::string column = SelectedName(grid);
    if (column == "NRSEQITPROD" || FieldText(data_.cdsItemProduto, "CDARVPROD").empty()) {
        if (grid.SelectedIndex() != 0) grid.SetSelectedIndex(0);
        return;
    }
    const bool lockedPrice = OneOf(column, {"VRUNITITEM", "VRTOTAITEM"}) && TakenFromXml() &&
                             FieldText(data_.cdsParamDFE, "IDGERNFIGUALXML") == "S";
    grid.SetPopupMenu(lockedPrice ? ui_.pmnBloqueiaCopy : nullptr);
    SetBonusEditing(grid);
}

// The bonus flag is toggled, not typed: its column is not edited in place.
void ItemRules::SetBonusEditing(DBGrid& grid) {
    const bool bonus = SelectedName(grid) == "IDPRODBONIF";
    const int options = grid.Options();
    grid.SetOptions(bonus ? options & ~grid_option::Editing : options | grid_option::Editing);
}

// ---- Keys

void ItemRules::dbgItemProdutoKeyPress(char32_t& ch) {
    DBGrid& grid = *ui_.dbgItemProduto;
    const Field* field = grid.SelectedField();
    if (!field) return;
    const std::string& column = field->FieldName();
    DataSet& items = data_.cdsItemProduto;
    if (field->Tag() == 1) {
        ch = 0;
        return;
    }
    if (column == "QTITEMORIG" && !PassesThrough(ch)) ch = 0;
    if (OneOf(column, {"VRUNITITEM", "VRTOTAITEM"}) && form_.Header().TipoOper().IDNFRETIND == "S" &&
        FieldText(items, "IDITEMORIGEM") == "S" && !PassesThrough(ch))
        ch = 0;
    if (OneOf(column, {"CDSITUTRIBPR", "CDFISOPEITEM"}) && !IsDigit(ch) && !PassesThrough(ch)) ch = 0;
    if (column == "QTITEMPROD" && ch != 0 && !PassesThrough(ch) && !ConfirmLabelRegeneration()) ch = 0;
}

// A quantity typed over an item with labels: used labels forbid it, available ones are made again once the
// new quantity is stored.
bool ItemRules::ConfirmLabelRegeneration() {
    DataSet& items = data_.cdsItemProduto;
    const bool browseOrEdit = items.State() == DataSetState::Browse || items.State() == DataSetState::Edit;
    if (FieldText(lookups_.qryFiliRece, "IDFUNCAOFILI") != "O" ||
        FieldText(data_.cdsParamDFE, "IDETIQPRODOL") != "S" || !browseOrEdit ||
        FieldText(data_.cdsNotaFiscal, "IDBLOQUEADO") == "S")
        return true;
    const std::string sequence = FieldText(items, "NRSEQITPROD");
    if (labelsToRegenerate_ == sequence) return true;
    try {
        LoadLabels();
        bool labelled = false, used = false;
        DataSet& labels = data_.cdsEtiqRegera;
        for (int row = 1; row <= labels.RecordCount(); ++row)
            labels.ReadRecordAt(row, [&] {
                if (FieldText(labels, "NRSEQITPROD") != sequence) return;
                labelled = true;
                used = used || FieldText(labels, "IDSTATUSETIQ") != "A";
            });
        if (used) support::MensErro(form_.msgPadrao2, "Etiq_Usad", true);
        if (!labelled) return true;
        if (support::ShowMsg(form_.msgPadrao2, "Etiq_Conf", DialogType::Confirmation, mb::YesNo) != 6)
            return false;
    } catch (const std::exception&) {
        return false;
    }
    labelsToRegenerate_ = sequence;
    return true;
}

// Once the new quantity is stored the item's labels leave the list, to be made again; a cancelled edit
// keeps them.
void ItemRules::SettleLabelRegeneration(bool stored) {
    if (labelsToRegenerate_.empty()) return;
    const std::string sequence = std::move(labelsToRegenerate_);
    labelsToRegenerate_.clear();
    DataSet& labels = data_.cdsEtiqRegera;
    if (!stored || !labels.Active() || FieldText(data_.cdsItemProduto, "NRSEQITPROD") != sequence) return;
    for (labels.First(); !labels.Eof();) {
        if (FieldText(labels, "NRSEQITPROD") == sequence)
            labels.Delete();
        else
            labels.Next();
    }
}

void ItemRules::GridKeyDown(DBGrid& grid, int& key, ShiftState shift) {
    ModuleState& state = Cli_dfe11000();
    if (key == key::Delete && shift.ctrl &&
        (FieldText(data_.cdsRomaneioNF, "IDNFGERADAVIAXML") == "S" || state.boNFImpNFe)) {
        key = 0;
        return;
    }
    DataSet* ds = grid.GetDataSet();
    if (&grid == ui_.dbgItemProduto && key == key::Enter && InEdit(data_.cdsItemProduto)) {
        const std::string& code = form_.Header().CurrentType();
        const std::string column = SelectedName(grid);
        const bool posts = column == state.stColunaDesc || (code == "03" && column == "VRTOTAITEM");
        if (posts && !OneOf(code, {"05", "07", "09", "10"})) {
            grid.CommitInplace();
            data_.cdsItemProduto.Post();
            key = 0;
            return;
        }
    }
    if (&grid == ui_.dbgItemProduto && key == key::Space && SelectedName(grid) == "IDPRODBONIF") {
        ToggleBonus();
        key = 0;
        return;
    }
    if (key == key::Insert && !shift.ctrl) {
        if (!grid.ReadOnly() && ds && ds->Active() && ds->State() == DataSetState::Browse) {
            ds->Last();
            ds->Append();
        }
        key = 0;
    }
}

void ItemRules::ToggleBonus() {
    DataSet& items = data_.cdsItemProduto;
    if (!items.Active() || (items.IsEmpty() && !InEdit(items))) return;
    if (!InEdit(items)) items.Edit();
    Field& bonus = items.FieldByName("IDPRODBONIF");
    bonus.SetAsString(bonus.AsString() == "S" ? "N" : "S");
    items.Post();
}

// ---- Drawing

void ItemRules::DrawItemCell(DBGrid& grid, Canvas& canvas, const Rect& rect, GridColumn& column,
                             GridDrawState state) {
    const DataSet& items = data_.cdsItemProduto;
    const Rect inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    canvas.brushColor = state.selected ? Color::clHighlight : Color::clInfoBk;
    canvas.fontColor = state.selected                        ? Color::clHighlightText
                       : FieldText(items, "IDDELETE") == "S" ? Color::clRed
                                                             : Color::clWindowText;
    canvas.FillRect(inner);
    const std::string& name = column.FieldName();
    if (name == "IDAVISOSITEM") {
        const std::string warnings = FieldText(items, "IDAVISOSITEM");
        if (!warnings.empty()) {
            const bool error = warnings.find('1') != std::string::npos ||
                               form_.Errors().ResultErroItem(FieldText(items, "CDPRODUTO"));
            canvas.DrawImage(rect.left + 4, rect.top + 2, error ? "imgComErro" : "imgSemErro",
                             kImageTransparent);
        }
    } else if (name == "IDPRODBONIF") {
        canvas.DrawImage(rect.left + 5, rect.top + 2,
                         FieldText(items, "IDPRODBONIF") == "S" ? "imgCheck" : "imgUncheck",
                         kImageTransparent);
    } else if (const Field* field = column.GetField()) {
        const std::string text = field->DisplayText();
        const int x = IsNumericColumn(name) ? rect.right - 2 - canvas.TextWidth(text) : rect.left + 2;
        canvas.TextOut(x, rect.top + 2, text);
    }
    if (state.selected && state.focused && grid.Focused()) canvas.DrawFocusRect(inner);
}

void ItemRules::WireGrids() {
    DBGrid& items = *ui_.dbgItemProduto;
    items.OnColExit = [this](Component&) { dbgItemProdutoColExit(); };
    items.OnColEnter = [this](Component&) { dbgItemProdutoColEnter(); };
    items.OnCellClick = [this](DBGrid& grid, GridColumn&) { SetBonusEditing(grid); };
    items.OnDblClick = [this](Component&) {
        if (SelectedName(*ui_.dbgItemProduto) == "IDPRODBONIF") ToggleBonus();
    };
    items.OnKeyPress = [this](Component&, char32_t& ch) { dbgItemProdutoKeyPress(ch); };
    for (DBGrid* grid : {ui_.dbgItemProduto, ui_.dbgContaPagar})
        grid->OnEnter = [this, grid](Component&) { GridEnter(*grid); };
    for (DBGrid* grid : {ui_.dbgItemProduto, ui_.dbgItemsNFForn}) {
        grid->OnExit = [this, grid](Component&) { GridExit(*grid); };
        grid->OnDrawColumnCell = [this](DBGrid& g, Canvas& canvas, const Rect& rect, int, GridColumn& column,
                                        GridDrawState state) {
            DrawItemCell(g, canvas, rect, column, state);
        };
    }
    for (DBGrid* grid : {ui_.dbgItemProduto, ui_.dbgItemNotaFisc, ui_.dbgDadosAdic})
        grid->OnKeyDown = [this, grid](Component&, int& key, ShiftState shift) {
            GridKeyDown(*grid, key, shift);
        };
}

} // namespace dfe::dfe11000
