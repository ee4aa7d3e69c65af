// The closing's checks of the codes every item must carry: the tax situation and the fiscal operation.
#include "dfe11000/items/item_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/text.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void ItemRules::Vd_CstItem() {
    CheckItemCode("CDSITUTRIBPR", 3, "Cst_Inf", "Cst_Inv");
}

void ItemRules::Vd_CfopItem() {
    CheckItemCode("CDFISOPEITEM", 4, "Cfop_Inf", "Cfop_Inv");
}

void ItemRules::CheckItemCode(const char* field, size_t width, const char* missing, const char* invalid) {
    DataSet& items = data_.cdsItemProduto;
    if (!items.Active()) return;
    const Bookmark start = items.GetBookmark();
    for (items.First(); !items.Eof(); items.Next()) {
        if (FieldText(items, "IDDELETE") == "S") continue;
        const std::string code = FieldText(items, field);
        const char* refusal = code.empty() ? missing : text::Length(code) != width ? invalid : nullptr;
        if (!refusal) continue;
        FocusIfPossible(ui_.dbgItemProduto);
        ui_.dbgItemProduto->SetSelectedField(field);
        support::MensErro(form_.msgPadrao2, refusal, true);
    }
    if (items.BookmarkValid(start)) items.GotoBookmark(start);
}

} // namespace dfe::dfe11000
