#pragma once

// The record page's detail panels: items, their taxes and the issuer's product, the document's taxes,
// charges, additional data and the total.

#include "platform/ui/controls.h"
#include "platform/ui/db_edit.h"
#include "platform/ui/db_grid.h"

namespace dfe::dfe11000 {

// The item grids and item editors carry this tag: cancel there cancels only the item.
inline constexpr int kItemControlTag = 6;

// The grids of values (charges, item and document taxes): typed in place, rows never confirmed for deletion.
inline constexpr int kValueGridOptions = grid_option::Editing | grid_option::Titles | grid_option::ColLines |
                                         grid_option::RowLines | grid_option::Tabs |
                                         grid_option::CancelOnExit;

struct ItemControls {
    Panel* panItemProduto = nullptr;
    GroupBox* grbDadosProd = nullptr;
    Button* btnAtuQtdDev = nullptr;
    Notebook* nbkItensNF = nullptr;
    DBGrid* dbgItemProduto = nullptr;
    DBGrid* dbgItemNotaFisc = nullptr;
    DBGrid* dbgItemsNFForn = nullptr;
    GroupBox* grbProdEmiss = nullptr;
    DBEdit* dbeCdProdEmiss = nullptr;
    DBEdit* dbeVrFatConv = nullptr;
    GroupBox* grbDsProdEmiss = nullptr;
    DBRichEdit* dreDsProdEmiss = nullptr;
    GroupBox* grbImposItem = nullptr;
    DBGrid* dbgItemProImpos = nullptr;
    Panel* panImpostos = nullptr;
    GroupBox* grbImposNF = nullptr;
    DBGrid* dbgImposNFTot = nullptr;
    Panel* panEncargos = nullptr;
    GroupBox* grbItEncargo = nullptr;
    DBGrid* dbgItemEncargo = nullptr;
    GroupBox* grbMensagem = nullptr;
    DBGrid* dbgDadosAdic = nullptr;
    GroupBox* grbTotalNF = nullptr;
    DBEdit* dbeVrNotaFisc = nullptr;
};

} // namespace dfe::dfe11000
