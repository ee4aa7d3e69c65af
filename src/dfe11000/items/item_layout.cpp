#include "dfe11000/items/item_layout.h"

#include "dfe11000/module/layout_helpers.h"

#include <initializer_list>
#include <string>

namespace dfe::dfe11000 {

Panel* DetailStack::Next(const char* name, int height) {
    Panel* panel = Place<Panel>(page, name, 0, top, 640, height);
    panel->SetTag(movedTag);
    top += height;
    return panel;
}

void BuildItems(DetailStack& stack, ItemControls& c, PostingDataSets& data) {
    c.panItemProduto = stack.Next("panItemProduto", 236);
    c.grbDadosProd = Group(*c.panItemProduto, "grbDadosProd", "Dados dos Produtos", 4, 0, 632, 150);
    c.btnAtuQtdDev = Place<Button>(*c.grbDadosProd, "btnAtuQtdDev", 4, 16, 150, 21);
    c.btnAtuQtdDev->SetCaption("Atualizar Qtd. Devolvida");
    c.nbkItensNF = Place<Notebook>(*c.grbDadosProd, "nbkItensNF", 4, 40, 624, 106);
    const char* pages[] = {"Produtos", "Documentos relacionados", "Itens do fornecedor"};
    DataSource* sources[] = {data.dtsItemProduto, data.dtsItemNotaFisc, data.dtsItemProduto};
    const char* names[] = {"dbgItemProduto", "dbgItemNotaFisc", "dbgItemsNFForn"};
    DBGrid** grids[] = {&c.dbgItemProduto, &c.dbgItemNotaFisc, &c.dbgItemsNFForn};
    for (int i = 0; i < 3; ++i) {
        auto& page = c.nbkItensNF->Add<NotebookPage>(std::string("pagItens") + std::to_string(i));
        page.SetCaption(pages[i]);
        *grids[i] = BoundGrid(page, names[i], sources[i], 0, 0, 624, 106);
    }
    // Deleting an item asks its own question (it marks the item), so the grid does not ask first.
    for (DBGrid* grid : {c.dbgItemProduto, c.dbgItemsNFForn})
        grid->SetOptions((grid->Options() | grid_option::Tabs | grid_option::AlwaysShowSelection) &
                         ~grid_option::ConfirmDelete);
    c.grbProdEmiss = Group(*c.panItemProduto, "grbProdEmiss", " Dados para Emissão ", 4, 152, 310, 82);
    AddLabel(*c.grbProdEmiss, "lblCdProdEmiss", "Código para &Emissão", 8, 10, 120);
    c.dbeCdProdEmiss =
        BoundEdit(*c.grbProdEmiss, "dbeCdProdEmiss", data.dtsItemProduto, "CDPRODEMIS", 8, 24, 120);
    AddLabel(*c.grbProdEmiss, "lblVrFatConv", "Fator de Conversão", 134, 10, 110);
    c.dbeVrFatConv =
        Displayed(BoundEdit(*c.grbProdEmiss, "dbeVrFatConv", data.dtsItemProduto, "VRFATOCONV", 134, 24, 80));
    c.grbDsProdEmiss = Group(*c.grbProdEmiss, "grbDsProdEmiss", " &Descrição para Emissão ", 4, 46, 302, 34);
    c.dreDsProdEmiss = Place<DBRichEdit>(*c.grbDsProdEmiss, "dreDsProdEmiss", 4, 13, 294, 18);
    c.dreDsProdEmiss->SetDataSource(data.dtsItemProduto);
    c.dreDsProdEmiss->SetDataField("DSPRODEMIS");
    c.dreDsProdEmiss->SetMaxLength(3000);
    c.grbImposItem = Group(*c.panItemProduto, "grbImposItem", "Impostos do Item", 318, 152, 318, 82);
    c.dbgItemProImpos = BoundGrid(*c.grbImposItem, "dbgItemProImpos", data.dtsTrabItProImpos, 4, 16, 310, 62);
    // Cancel looks at this tag to cancel only the item being typed.
    for (Control* item : std::initializer_list<Control*>{c.dbgItemProduto, c.dbgItemsNFForn, c.dbeCdProdEmiss,
                                                         c.dreDsProdEmiss, c.dbeVrFatConv})
        item->SetTag(kItemControlTag);

    c.panImpostos = stack.Next("panImpostos", 90);
    c.grbImposNF = Group(*c.panImpostos, "grbImposNF", "Impostos da Nota Fiscal", 4, 0, 632, 88);
    c.dbgImposNFTot = BoundGrid(*c.grbImposNF, "dbgImposNFTot", data.dtsTrabImpoNFTot, 4, 16, 624, 68);

    c.panEncargos = stack.Next("panEncargos", 90);
    c.grbItEncargo = Group(*c.panEncargos, "grbItEncargo", " Encargos ", 4, 0, 632, 88);
    c.dbgItemEncargo = BoundGrid(*c.grbItEncargo, "dbgItemEncargo", data.dtsItemEncargo, 4, 16, 624, 68);
    // Charge rows come from the register and are never deleted, so there is nothing to confirm.
    c.dbgItemEncargo->SetOptions(kValueGridOptions);
    c.dbgItemEncargo->SetColor(Color::clInfoBk);
}

void BuildTotals(DetailStack& stack, ItemControls& c, PostingDataSets& data) {
    Panel* message = stack.Next("panMensagem", 90);
    c.grbMensagem = Group(*message, "grbMensagem", " Dados Adicionais ", 4, 0, 632, 88);
    c.dbgDadosAdic = BoundGrid(*c.grbMensagem, "dbgDadosAdic", data.dtsDadosAdic, 4, 16, 624, 68);
    c.dbgDadosAdic->SetOptions(grid_option::Editing | grid_option::Titles | grid_option::ColumnResize |
                               grid_option::ColLines | grid_option::RowLines | grid_option::Tabs |
                               grid_option::AlwaysShowSelection | grid_option::CancelOnExit);
    c.dbgDadosAdic->SetColor(Color::clInfoBk);
    c.dbgDadosAdic->SetTabStop(false);

    Panel* total = stack.Next("panTotal", 60);
    c.grbTotalNF = Group(*total, "grbTotalNF", "Total da Nota Fiscal", 4, 0, 632, 58);
    AddLabel(*c.grbTotalNF, "lblVrNotaFisc", "Valor da Nota", 8, 16, 110);
    c.dbeVrNotaFisc = BoundEdit(*c.grbTotalNF, "dbeVrNotaFisc", data.dtsNotaFiscal, "VRNOTAFISC", 8, 30, 110);
}

} // namespace dfe::dfe11000
