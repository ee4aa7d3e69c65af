// The placement dialog's creator: the row is edited for the dialog and given up when the clerk gives it up.
#include "dfe11000/dialogs/desc_estoq_prod_cli.h"

#include "dfe11000/dialogs/create_dialog.h"
#include "dfe11000/dialogs/desc_estoq_prod_rules.h"
#include "dfe11000/dialogs/frm_desc_estoq_prod.h"

#include <stdexcept>

namespace dfe::dfe11000 {

bool DescEstoqProdCli(TfrmLancNFEntrada& form, net::TNetConnection& stock, const StockPlacementArgs& args) {
    if (!args.items || !args.items->Active())
        throw std::logic_error("DescEstoqProdCli: sem item a posicionar");
    DataSet& items = *args.items;
    // The row is the caller's; the dialog edits it, so a browsed row is put into edit first.
    if (!IsEditing(items.State())) items.Edit();
    bool confirmed = false;
    {
        const auto dialog = CreateDialog<TfrmDescEstoqProd>(form);
        dialog->Rules().Prepare(stock, args);
        dialog->ShowModal();
        confirmed = dialog->Rules().boConfirma;
    }
    if (!confirmed) items.Cancel();
    return confirmed;
}

} // namespace dfe::dfe11000
