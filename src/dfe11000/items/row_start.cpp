// A new item row: the inventory guard, its sequence number and the code column opened for typing.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/server/inventory_check.h"
#include "platform/core/abort.h"
#include "support/consiste.h"
#include "support/zymora.h"

#include <algorithm>
#include <cstdlib>

namespace dfe::dfe11000 {
namespace {

int SequenceNumber(const std::string& text) {
    return std::atoi(text.c_str());
}

} // namespace

void ItemRules::InventoryGuard() {
    if (FieldText(data_.cdsParamDFE, "IDCTRLESTQ") == "N") return;
    if (form_.Header().TipoOper().IDATUESTTPOP == "N") return;
    if (data_.cdsNotaFiscal.State() != DataSetState::Browse) return;
    const std::string branch = FieldText(data_.cdsNotaFiscal, "CDFILIAL");
    ValidaInventario(form_, branch, support::zymora::DataProc(branch));
}

// Rows are ordered by their number, so the last one has the highest; rows marked deleted count too.
int ItemRules::HighestSequence() const {
    DataSet& items = data_.cdsItemProduto;
    const int count = items.RecordCount();
    if (count == 0) return 0;
    int highest = 0;
    items.ReadRecordAt(count, [&] { highest = SequenceNumber(FieldText(items, "NRSEQITPROD")); });
    return highest;
}

void ItemRules::SetCodeColumnEditable(bool editable) {
    GridColumn& code = ui_.dbgItemProduto->Column(0);
    code.SetReadOnly(!editable);
    code.SetButtonStyle(editable ? ColumnButton::Ellipsis : ColumnButton::None);
}

void ItemRules::cdsItemProdutoBeforeInsert() {
    InventoryGuard();
    ModuleState& state = Cli_dfe11000();
    DataSet& items = data_.cdsItemProduto;
    if (FieldText(items, "NRSEQITPROD").empty()) {
        state.inCodiItem = 0;
    } else if (state.boInsert) {
        state.boSeqItProd = false;
        state.inCodiItem = items.RecordCount();
    } else if (state.boSeqItProd) {
        state.boSeqItProd = false;
        items.Last();
        state.inCodiItem = SequenceNumber(FieldText(items, "NRSEQITPROD"));
    } else {
        state.inCodiItem = state.inContSequencial;
    }
    // A count or a remembered number can fall behind the rows really there (a row deleted for good); the
    // number is part of the item's key, so it never repeats one.
    state.inCodiItem = std::max(state.inCodiItem, HighestSequence());

    // Return rows come from their origin, they are not typed (the copy from the origin runs with the
    // checks suspended).
    Control* active = form_.ActiveControl();
    if (!state.boAtuaNovoCod && (active == ui_.dbgItemProImpos || form_.Origin().DevolucaoOrigem()) &&
        form_.Header().TipoOper().IDNFRETIND != "S")
        ThrowAbort();
    SetCodeColumnEditable(true);
    ui_.dbgItemProduto->SetSelectedIndex(0);
}

void ItemRules::cdsItemProdutoNewRecord() {
    DataSet& items = data_.cdsItemProduto;
    if (items.State() != DataSetState::Insert) return;
    checkedCode_.clear();
    ModuleState& state = Cli_dfe11000();
    items.FieldByName("CDFILIAL").SetAsString(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    items.FieldByName("NRLANCTONF").SetAsString(FieldText(data_.cdsNotaFiscal, "NRLANCTONF"));
    items.FieldByName("NRSEQITPROD").SetAsString(support::Ajusta(std::to_string(state.inCodiItem + 1), 4));
    // The goods move in the posting's branch unless the placement says another: without it neither the lot
    // control nor the last purchase of the product could be asked.
    items.FieldByName("CDFILIMOVI").SetAsString(FieldText(data_.cdsNotaFiscal, "CDFILIAL"));
    items.FieldByName("IDITEMORIGEM").SetAsString("N");
    items.FieldByName("IDPRODBONIF").SetAsString("N");
    if (form_.Header().TipoOper().IDNFRETIND == "S") items.FieldByName("QTITEMORIG").SetAsFloat(0);
    state.inContSequencial = state.inCodiItem + 1;
}

} // namespace dfe::dfe11000
